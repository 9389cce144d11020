#include "lookahead/search_board.h"

#include <algorithm>

#include "lookahead/search_tables.h"

namespace korvel::la {

namespace {

constexpr int HAND_CAP = 40;  // hands beyond any real game's are capped on the way in

int kind_from_code(int magnitude) {
  switch (magnitude) {
    case HU: return PAWN;
    case TO: return PPAWN;
    case KYOU: return LANCE;
    case NARIKYOU: return PLANCE;
    case KEI: return KNIGHT;
    case NARIKEI: return PKNIGHT;
    case GIN: return SILVER;
    case NARIGIN: return PSILVER;
    case KIN: return GOLD;
    case NARIKIN: return PGOLD;
    case KAKU: return BISHOP;
    case UMA: return HORSE;
    case HISHA: return ROOK;
    case RYU: return DRAGON;
    case OU: return KING;
    default: return NONE;
  }
}

constexpr int CODE_OF_KIND[16] = {0,  HU,       KYOU,    KEI,     GIN, KIN, KAKU, HISHA,
                                  OU, TO,       NARIKYOU, NARIKEI, NARIGIN, UMA, RYU, NARIKIN};

// The hand slot a captured piece goes to, as its unpromoted kind.
constexpr int HAND_SLOT[16] = {0, PAWN, LANCE, KNIGHT, SILVER, GOLD, BISHOP, ROOK,
                               0, PAWN, LANCE, KNIGHT, SILVER, BISHOP, ROOK, GOLD};

int code_of(int pc) {
  const int c = CODE_OF_KIND[kind_of(pc)];
  return color_of(pc) == UPPER ? c : -c;
}

inline bool in_zone(int color, int s) {
  const int y = rank_of(s);
  return color == UPPER ? y >= 7 : y <= 3;
}

// Ranks an unpromoted pawn, lance or knight may not end on.
inline bool dead_end(int kind, int color, int s) {
  const int y = rank_of(s);
  const int far = color == UPPER ? y : 10 - y;  // 9 = the last rank
  if (kind == PAWN || kind == LANCE) return far == 9;
  if (kind == KNIGHT) return far >= 8;
  return false;
}

}  // namespace

int promoted_kind(int kind) {
  switch (kind) {
    case PAWN: return PPAWN;
    case LANCE: return PLANCE;
    case KNIGHT: return PKNIGHT;
    case SILVER: return PSILVER;
    case BISHOP: return HORSE;
    case ROOK: return DRAGON;
    default: return kind;
  }
}

bool SearchBoard::set(const Position& pos, bool upper_to_move) {
  *this = SearchBoard{};
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      const int code = pos.Board[x][y];
      if (code == 0) continue;
      if (code < -OU || code > OU) return false;
      const int kind = kind_from_code(code < 0 ? -code : code);
      if (kind == NONE) return false;
      const int color = code > 0 ? UPPER : LOWER;
      const int s = square(x, y);
      sq_[s] = static_cast<std::uint8_t>(make_piece(kind, color));
      if (kind == KING) {
        if (king_[color] >= 0) return false;
        king_[color] = s;
      }
      if (kind == PAWN) ++pawns_[color][x];
    }
  for (int slot = 1; slot <= 7; ++slot) {
    const int up = pos.HAND_UE[slot], lo = pos.HAND_SITA[slot];
    hand_[UPPER][slot] = up < 0 ? 0 : up > HAND_CAP ? HAND_CAP : up;
    hand_[LOWER][slot] = lo < 0 ? 0 : lo > HAND_CAP ? HAND_CAP : lo;
  }
  side_ = upper_to_move ? UPPER : LOWER;
  key_ = key_from_scratch();
  material_ = material_from_scratch();
  for (int s = 0; s < 81; ++s)
    if (sq_[s]) flip(sq_[s], s);
  return true;
}

int SearchBoard::material_from_scratch() const {
  const Tables& t = tables();
  int v = 0;
  for (int s = 0; s < 81; ++s)
    if (sq_[s]) v += t.square_value[sq_[s]][s];
  for (int c = 0; c < 2; ++c)
    for (int slot = 1; slot <= 7; ++slot) v += (c == UPPER ? HAND_VALUE[slot] : -HAND_VALUE[slot]) * hand_[c][slot];
  return v;
}

std::uint64_t SearchBoard::key_from_scratch() const {
  const Tables& t = tables();
  std::uint64_t k = side_ == LOWER ? t.side_key : 0;
  for (int s = 0; s < 81; ++s)
    if (sq_[s]) k ^= t.piece_key[sq_[s]][s];
  for (int c = 0; c < 2; ++c)
    for (int slot = 1; slot <= 7; ++slot) k ^= t.hand_key[c][slot][hand_[c][slot]];
  return k;
}

void SearchBoard::add_board_move(Move*& out, int from, int to, int pc, int cap) const {
  const int kind = kind_of(pc), color = color_of(pc);
  bool promotes = false;
  switch (kind) {
    case PAWN: case LANCE: case KNIGHT: promotes = in_zone(color, to); break;
    case SILVER: case BISHOP: case ROOK: promotes = in_zone(color, to) || in_zone(color, from); break;
    default: break;
  }
  if (!promotes) {
    *out++ = make_move(from, to, 0, pc, cap);
    return;
  }
  *out++ = make_move(from, to, 1, pc, cap);
  if ((kind == LANCE || kind == KNIGHT || kind == SILVER) && !dead_end(kind, color, to))
    *out++ = make_move(from, to, 0, pc, cap);
}

void SearchBoard::piece_moves(Move*& out, int s, int pc, Targets targets) const {
  const Tables& t = tables();
  const int color = color_of(pc), kind = kind_of(pc);
  // A target is taken when it is empty or holds the other side's piece, as
  // far as the kind of target wanted allows.
  const auto target = [&](int to) {
    const int p = sq_[to];
    if (p == 0) {
      if (targets != Targets::CAPTURES) add_board_move(out, s, to, pc, 0);
    } else if (color_of(p) != color && targets != Targets::QUIETS) {
      add_board_move(out, s, to, pc, p);
    }
    return p == 0;  // go on along a line
  };

  const unsigned steps = t.step_mask[pc], plain = t.plain_mask[pc];
  if (steps | plain)
    for (int d = 0; d < 8; ++d) {
      const int to = t.neighbour[s][d];
      if (to < 0) continue;
      if ((steps >> d & 1) || ((plain >> d & 1) && !t.across_seam[s][d])) target(to);
    }
  if (kind == KNIGHT)
    for (int i = 0; i < 2; ++i)
      if (t.knight_to[color][s][i] >= 0) target(t.knight_to[color][s][i]);

  const auto walk = [&](int d, int limit) {
    // Returns the distance of the first occupied square, 9 if none.
    const auto& ray = t.ray[d][s];
    for (int i = 0; i < ray.len && i < limit; ++i)
      if (!target(ray.sq[i])) return i + 1;
    return 9;
  };
  switch (kind) {
    case LANCE:
      walk(color == UPPER ? DIR_S : DIR_N, 8);
      break;
    case BISHOP: case HORSE:
      walk(DIR_NE, 8);
      walk(DIR_SE, 8);
      walk(DIR_SW, 8);
      walk(DIR_NW, 8);
      break;
    case ROOK: case DRAGON: {
      walk(DIR_N, 8);
      walk(DIR_S, 8);
      // Round the ring both ways; the left walk stops short of whatever the
      // right walk already reached, so no square comes twice.
      const int right = walk(DIR_E, 8);
      if (right < 9) walk(DIR_W, 8 - right);
      break;
    }
    default:
      break;
  }
}

void SearchBoard::drops(Move*& out) const {
  const int us = side_;
  const int* hand = hand_[us];
  for (int slot = 1; slot <= 7; ++slot) {
    if (hand[slot] <= 0) continue;
    const int pc = make_piece(slot, us);
    for (int s = 0; s < 81; ++s) {
      if (sq_[s] != 0) continue;
      if (slot == PAWN && pawns_[us][file_of(s)] > 0) continue;
      if ((slot == PAWN || slot == LANCE || slot == KNIGHT) && dead_end(slot, us, s)) continue;
      *out++ = make_move(80 + slot, s, 0, pc, 0);
    }
  }
}

int SearchBoard::generate(Move* out) const {
  Move* const start = out;
  for_each(occupied_[side_], [&](int s) { piece_moves(out, s, sq_[s], Targets::ALL); });
  drops(out);
  return static_cast<int>(out - start);
}

int SearchBoard::generate_captures(Move* out) const {
  Move* const start = out;
  for_each(occupied_[side_], [&](int s) { piece_moves(out, s, sq_[s], Targets::CAPTURES); });
  return static_cast<int>(out - start);
}

int SearchBoard::generate_quiets(Move* out) const {
  Move* const start = out;
  for_each(occupied_[side_], [&](int s) { piece_moves(out, s, sq_[s], Targets::QUIETS); });
  drops(out);
  return static_cast<int>(out - start);
}

bool SearchBoard::is_move(Move m) const {
  const int from = move_from(m), to = move_to(m), pc = move_piece(m);
  if (m == 0 || to > 80 || from > 87 || pc == 0 || color_of(pc) != side_ || sq_[to] != move_captured(m))
    return false;
  if (from >= 81) {
    const int slot = from - 80;
    if (kind_of(pc) != slot || hand_[side_][slot] <= 0 || move_promotes(m) || move_captured(m)) return false;
    if (slot == PAWN && pawns_[side_][file_of(to)] > 0) return false;
    return !((slot == PAWN || slot == LANCE || slot == KNIGHT) && dead_end(slot, side_, to));
  }
  if (sq_[from] != pc) return false;
  Move list[64];
  Move* out = list;
  piece_moves(out, from, pc, Targets::ALL);
  return std::find(list, out, m) != out;
}

Move SearchBoard::king_capture() const {
  Move list[MAX_MOVES];
  const int n = generate_captures(list);
  for (int i = 0; i < n; ++i)
    if (kind_of(move_captured(list[i])) == KING) return list[i];
  return 0;
}

namespace {
inline int hand_value(int color, int slot) { return color == UPPER ? HAND_VALUE[slot] : -HAND_VALUE[slot]; }
}  // namespace

void SearchBoard::make(Move m) {
  const Tables& t = tables();
  const int to = move_to(m), from = move_from(m), pc = move_piece(m), cap = move_captured(m);
  const int us = side_;
  if (cap) {
    key_ ^= t.piece_key[cap][to];
    material_ -= t.square_value[cap][to];
    const int ck = kind_of(cap);
    flip(cap, to);
    if (ck == KING) {
      king_[us ^ 1] = -1;
    } else {
      const int slot = HAND_SLOT[ck];
      int& n = hand_[us][slot];
      key_ ^= t.hand_key[us][slot][n] ^ t.hand_key[us][slot][n + 1];
      ++n;
      material_ += hand_value(us, slot);
      if (ck == PAWN) --pawns_[us ^ 1][file_of(to)];
    }
  }
  if (from >= 81) {
    const int slot = from - 80;
    int& n = hand_[us][slot];
    key_ ^= t.hand_key[us][slot][n] ^ t.hand_key[us][slot][n - 1];
    --n;
    material_ -= hand_value(us, slot);
  } else {
    sq_[from] = 0;
    key_ ^= t.piece_key[pc][from];
    material_ -= t.square_value[pc][from];
    flip(pc, from);
    if (kind_of(pc) == PAWN) --pawns_[us][file_of(from)];
  }
  const int placed = move_promotes(m) ? make_piece(promoted_kind(kind_of(pc)), us) : pc;
  sq_[to] = static_cast<std::uint8_t>(placed);
  key_ ^= t.piece_key[placed][to];
  material_ += t.square_value[placed][to];
  flip(placed, to);
  if (kind_of(placed) == PAWN) ++pawns_[us][file_of(to)];
  if (kind_of(placed) == KING) king_[us] = to;
  side_ = us ^ 1;
  key_ ^= t.side_key;
}

void SearchBoard::unmake(Move m) {
  const Tables& t = tables();
  const int to = move_to(m), from = move_from(m), pc = move_piece(m), cap = move_captured(m);
  side_ ^= 1;
  key_ ^= t.side_key;
  const int us = side_;
  const int placed = sq_[to];
  key_ ^= t.piece_key[placed][to];
  material_ -= t.square_value[placed][to];
  flip(placed, to);
  if (kind_of(placed) == PAWN) --pawns_[us][file_of(to)];
  if (from >= 81) {
    const int slot = from - 80;
    int& n = hand_[us][slot];
    key_ ^= t.hand_key[us][slot][n] ^ t.hand_key[us][slot][n + 1];
    ++n;
    material_ += hand_value(us, slot);
  } else {
    sq_[from] = static_cast<std::uint8_t>(pc);
    key_ ^= t.piece_key[pc][from];
    material_ += t.square_value[pc][from];
    flip(pc, from);
    if (kind_of(pc) == PAWN) ++pawns_[us][file_of(from)];
    if (kind_of(pc) == KING) king_[us] = from;
  }
  sq_[to] = static_cast<std::uint8_t>(cap);
  if (cap) {
    key_ ^= t.piece_key[cap][to];
    material_ += t.square_value[cap][to];
    const int ck = kind_of(cap);
    flip(cap, to);
    if (ck == KING) {
      king_[us ^ 1] = to;
    } else {
      const int slot = HAND_SLOT[ck];
      int& n = hand_[us][slot];
      key_ ^= t.hand_key[us][slot][n] ^ t.hand_key[us][slot][n - 1];
      --n;
      material_ -= hand_value(us, slot);
      if (ck == PAWN) ++pawns_[us ^ 1][file_of(to)];
    }
  }
}

void SearchBoard::make_null() {
  side_ ^= 1;
  key_ ^= tables().side_key;
}
void SearchBoard::unmake_null() { make_null(); }

bool SearchBoard::attacked(int s, int by) const {
  const Tables& t = tables();
  for (int d = 0; d < 8; ++d) {
    const int from = t.neighbour[s][d];
    if (from < 0) continue;
    const int p = sq_[from];
    if (p == 0 || color_of(p) != by) continue;
    // The piece stands in direction d from s, so it steps the opposite way.
    const int back = (d + 4) & 7;
    if (t.step_mask[p] >> back & 1) return true;
    if ((t.plain_mask[p] >> back & 1) && !t.across_seam[s][d]) return true;
  }
  const int knight = make_piece(KNIGHT, by);
  for (int i = 0; i < 2; ++i) {
    const int from = t.knight_to[by ^ 1][s][i];
    if (from >= 0 && sq_[from] == knight) return true;
  }
  // The first piece along each line from s.
  const auto first = [&](int d) {
    const auto& ray = t.ray[d][s];
    for (int i = 0; i < ray.len; ++i)
      if (sq_[ray.sq[i]]) return static_cast<int>(sq_[ray.sq[i]]);
    return 0;
  };
  const int rook = make_piece(ROOK, by), dragon = make_piece(DRAGON, by);
  const int bishop = make_piece(BISHOP, by), horse = make_piece(HORSE, by);
  const int lance = make_piece(LANCE, by);
  for (int d : {DIR_N, DIR_S, DIR_E, DIR_W}) {
    const int p = first(d);
    if (p == rook || p == dragon) return true;
    // An upper lance moves down the board, so it is found looking up from s.
    if (p == lance && d == (by == UPPER ? DIR_N : DIR_S)) return true;
  }
  for (int d : {DIR_NE, DIR_SE, DIR_SW, DIR_NW}) {
    const int p = first(d);
    if (p == bishop || p == horse) return true;
  }
  return false;
}

Candidate SearchBoard::to_candidate(Move m) const {
  Candidate c;
  const int from = move_from(m), to = move_to(m), pc = move_piece(m);
  const int color = color_of(pc);
  if (from >= 81) {
    const int slot = from - 80;
    c.fx = color == UPPER ? HAND_X_UE : HAND_X_SITA;
    c.fy = color == UPPER ? slot : slot + 2;
  } else {
    c.fx = file_of(from);
    c.fy = rank_of(from);
  }
  c.tx = file_of(to);
  c.ty = rank_of(to);
  c.stood = code_of(pc);
  c.piece = move_promotes(m) ? code_of(make_piece(promoted_kind(kind_of(pc)), color)) : c.stood;
  c.captured = code_of(move_captured(m));
  return c;
}

}  // namespace korvel::la
