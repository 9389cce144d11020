#include "records/kif.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <vector>

#include "board/position.h"
#include "records/kif_diagram.h"
#include "text/shift_jis.h"

namespace korvel {
namespace {

// Why a move or a line cannot be read; shown after the line that says it.
namespace why {
constexpr std::string_view AFTER_KING = "玉を取った後に指し手があります";
constexpr std::string_view NO_PIECE = "移動元に指す側の駒がありません";
constexpr std::string_view WRONG_PIECE = "移動元の駒と駒の名前が違います";
constexpr std::string_view CANNOT_REACH = "その駒はそこへ動けません";
constexpr std::string_view CANNOT_PROMOTE = "成れない指し手です";
constexpr std::string_view NOTHING_TO_DECLINE = "成れない指し手に「不成」が付いています";
constexpr std::string_view DEAD_PIECE = "成らなければ動けなくなる駒です";
constexpr std::string_view NOT_DROPPABLE = "その駒は打てません";
constexpr std::string_view NOT_IN_HAND = "持駒にない駒です";
constexpr std::string_view OCCUPIED = "駒のある升には打てません";
constexpr std::string_view NIFU = "二歩です";
constexpr std::string_view DEAD_DROP = "そこに打つと動けない駒です";
constexpr std::string_view BAD_MOVE = "指し手が読めません";
constexpr std::string_view BAD_TIME = "消費時間が読めません";
constexpr std::string_view NO_ORIGIN = "移動元が書かれておらず、そこへ指せる駒がありません";
constexpr std::string_view AMBIGUOUS_ORIGIN = "移動元が書かれておらず、そこへ指せる駒が二つ以上あります";
constexpr std::string_view DROP_WITH_ORIGIN = "「打」と移動元が両方あります";
constexpr std::string_view SAME_FIRST = "「同」の前に指し手がありません";
constexpr std::string_view UNKNOWN_HANDICAP = "知らない手合割です";
constexpr std::string_view UNKNOWN_LINE = "読めない行です";
constexpr std::string_view NOT_A_GAME =
    "対局ではありません：KIFの指し手の行（「1 ７六歩(77)」のような行）が一つもありません";
constexpr std::string_view NOT_ONE_MOVE = "手目の局面が、前の局面から一手で指せる局面ではありません";
}  // namespace why

constexpr std::string_view FIRST_LINE = "#KIF version=2.0 encoding=UTF-8";
constexpr std::string_view FIRST_COMMENT = "#円筒将棋の棋譜です。９筋と１筋が隣り合い、駒は盤の端を越えて動きます";
constexpr std::string_view MOVES_HEADER = "手数----指手---------消費時間--";
constexpr int MOVE_COLUMNS = 14;  // the widest move, "１三桂不成(25)", in display columns

using kif::board_x;
using kif::board_y;
using kif::kif_file;
using kif::kif_rank;

RecordEntry entry_of(const Position& p) {
  RecordEntry e;
  std::copy(&p.Board[0][0], &p.Board[0][0] + 100, &e.board[0][0]);
  std::copy(p.HAND_SITA, p.HAND_SITA + 8, e.hand_sita);
  std::copy(p.HAND_UE, p.HAND_UE + 8, e.hand_ue);
  return e;
}

// A game being played from its start, one checked move at a time. The
// reader plays what the text says; the writer plays what the stored
// positions show and names it. Both through these two calls, so that what
// one writes the other reads.
struct Play {
  Position pos;
  bool upper_first = false;  // whose pieces move first
  int moves = 0;
  int last_x = 0, last_y = 0;  // the previous move's target, for 同
  bool king_taken = false;

  Play() { pos.初期設定(); }
  Play(const RecordEntry& start, bool upper_first_) : upper_first(upper_first_) {
    pos.初期設定();
    std::copy(&start.board[0][0], &start.board[0][0] + 100, &pos.Board[0][0]);
    std::copy(start.hand_sita, start.hand_sita + 8, pos.HAND_SITA);
    std::copy(start.hand_ue, start.hand_ue + 8, pos.HAND_UE);
    pos.持駒数再計算();
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y) {
        if (pos.Board[x][y] == OU) pos.KING_UE_X = x, pos.KING_UE_Y = y;
        if (pos.Board[x][y] == -OU) pos.KING_SITA_X = x, pos.KING_SITA_Y = y;
      }
  }
  bool upper_to_move() const { return (moves % 2 == 0) == upper_first; }
  bool own(int code) const { return upper_to_move() ? code >= 10 : code <= -10; }

  // A board move of the piece named kind (0: any); promote 1 成, 0 不成, -1 unsaid.
  std::string_view move(int fx, int fy, int tx, int ty, int kind, int promote) {
    if (king_taken) return why::AFTER_KING;
    const int piece = pos.Board[fx][fy];
    if (!own(piece)) return why::NO_PIECE;
    if (kind != 0 && std::abs(piece) != kind) return why::WRONG_PIECE;
    if (pos.移動チェック(fx, fy, tx, ty, piece) == 0) return why::CANNOT_REACH;
    const int can = pos.調査_駒成(fx, fy, tx, ty, piece);
    if (promote == 1 && can == 0) return why::CANNOT_PROMOTE;
    if (promote == 0 && can == 0) return why::NOTHING_TO_DECLINE;
    const int stands = promote == 1 ? pos.PROMOTED_CODE : piece;
    if (stands == piece && 移動後チェック(ty, piece) == 0) return why::DEAD_PIECE;
    carry_out(fx, fy, tx, ty, stands);
    return {};
  }

  std::string_view drop(int kind, int tx, int ty) {
    if (king_taken) return why::AFTER_KING;
    int slot = 0;
    for (int k = 1; k <= 7; ++k)
      if (HAND_PIECE[k] == kind) slot = k;
    if (slot == 0) return why::NOT_DROPPABLE;
    const bool up = upper_to_move();
    if ((up ? pos.HAND_UE : pos.HAND_SITA)[slot] < 1) return why::NOT_IN_HAND;
    pos.調査_2歩フラグ設定();
    const int code = up ? kind : -kind;
    const int fx = up ? HAND_X_UE : HAND_X_SITA;
    const int fy = up ? slot : slot + 2;
    if (pos.移動チェック(fx, fy, tx, ty, code) == 0) {
      if (pos.Board[tx][ty] != EMPTY) return why::OCCUPIED;
      if (kind == HU && (up ? pos.PAWN_FILE_UE : pos.PAWN_FILE_SITA)[tx] == 1) return why::NIFU;
      return why::DEAD_DROP;
    }
    carry_out(fx, fy, tx, ty, code);
    return {};
  }

 private:
  void carry_out(int fx, int fy, int tx, int ty, int piece) {
    if (std::abs(pos.Board[tx][ty]) == OU) king_taken = true;
    pos.駒移動(fx, fy, tx, ty, piece);
    ++moves;
    last_x = tx;
    last_y = ty;
  }
};

// ---- Writing --------------------------------------------------------------

// The move that turns the game's position into next, as the stored
// positions show it: the mover's piece that is new on a square is the
// target, the square the mover's piece left the origin, none left a drop.
struct Found {
  bool drop = false;
  int fx = 0, fy = 0, tx = 0, ty = 0;
  int kind = 0;     // as it stood before the move
  int promote = -1;  // 1 promoted, 0 declined, -1 could not promote
};

bool find_move(const Play& g, const RecordEntry& next, Found& m, Play& after) {
  int targets = 0, origins = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      const int now = next.board[x][y], was = g.pos.Board[x][y];
      if (now != was && g.own(now)) {
        ++targets;
        m.tx = x;
        m.ty = y;
      }
      if (now == EMPTY && g.own(was)) {
        ++origins;
        m.fx = x;
        m.fy = y;
      }
    }
  if (targets != 1 || origins > 1) return false;
  after = g;
  std::string_view reason;
  if (origins == 0) {
    m.drop = true;
    m.kind = std::abs(next.board[m.tx][m.ty]);
    reason = after.drop(m.kind, m.tx, m.ty);
  } else {
    const int piece = g.pos.Board[m.fx][m.fy];
    m.kind = std::abs(piece);
    Position probe = g.pos;
    if (probe.調査_駒成(m.fx, m.fy, m.tx, m.ty, piece) == 1) m.promote = next.board[m.tx][m.ty] != piece ? 1 : 0;
    reason = after.move(m.fx, m.fy, m.tx, m.ty, 0, m.promote);
  }
  return reason.empty() && kif::same_position(entry_of(after.pos), next);
}

std::string_view kif_name(int kind) {
  switch (kind) {
    case HU: return "歩";
    case KYOU: return "香";
    case KEI: return "桂";
    case GIN: return "銀";
    case KIN: return "金";
    case KAKU: return "角";
    case HISHA: return "飛";
    case OU: return "玉";
    case TO: return "と";
    case NARIKYOU: return "成香";
    case NARIKEI: return "成桂";
    case NARIGIN: return "成銀";
    case UMA: return "馬";
    case RYU: return "龍";
    default: return "";
  }
}

constexpr std::string_view FULLWIDTH[10] = {"", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
constexpr std::string_view KANJI[10] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};

std::string padded(long long v, int width, char fill) {
  std::string s = std::to_string(v);
  if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<size_t>(width) - s.size(), fill);
  return s;
}

// "( m:ss/hh:mm:ss)": this move's time and the mover's total.
std::string time_text(int spent, int total) {
  return "(" + padded(spent / 60, 2, ' ') + ":" + padded(spent % 60, 2, '0') + "/" + padded(total / 3600, 2, '0') +
         ":" + padded(total / 60 % 60, 2, '0') + ":" + padded(total % 60, 2, '0') + ")";
}

std::string one_line(std::string s) {
  std::replace(s.begin(), s.end(), '\r', ' ');
  std::replace(s.begin(), s.end(), '\n', ' ');
  return s;
}

std::string move_text(const Found& m, bool same, bool turned) {
  std::string s;
  if (same)
    s = "同　";
  else
    s = std::string(FULLWIDTH[kif_file(m.tx, turned)]) + std::string(KANJI[kif_rank(m.ty, turned)]);
  s += kif_name(m.kind);
  if (m.drop) return s + "打";
  if (m.promote == 1) s += "成";
  if (m.promote == 0) s += "不成";
  return s + "(" + std::to_string(kif_file(m.fx, turned)) + std::to_string(kif_rank(m.fy, turned)) + ")";
}

// The move from g's position to next as a move line names it, without its
// number and time, and after the game with it played; "" when next is not
// one legal move away.
std::string named_move(const Play& g, const RecordEntry& next, bool turned, Play& after) {
  Found m;
  if (!find_move(g, next, m, after)) return {};
  return move_text(m, g.last_x != 0 && m.tx == g.last_x && m.ty == g.last_y, turned);
}

int columns(std::string_view utf8) {
  int n = 0;
  for (unsigned char c : utf8) {
    if (c < 0x80) n += 1;
    else if ((c & 0xC0) != 0x80) n += 2;  // every character but ASCII here is full width
  }
  return n;
}

// ---- Reading --------------------------------------------------------------

// Strict UTF-8 (no overlong forms, no surrogates): what passes is taken as
// UTF-8, anything else as CP932.
bool utf8_code_points(std::string_view s, std::u32string* out) {
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int len = 0;
    char32_t cp = 0, min = 0;
    if (c < 0x80) len = 1, cp = c;
    else if (c >= 0xC2 && c <= 0xDF) len = 2, cp = c & 0x1F, min = 0x80;
    else if (c >= 0xE0 && c <= 0xEF) len = 3, cp = c & 0x0F, min = 0x800;
    else if (c >= 0xF0 && c <= 0xF4) len = 4, cp = c & 0x07, min = 0x10000;
    else return false;
    if (i + static_cast<size_t>(len) > s.size()) return false;
    for (int k = 1; k < len; ++k) {
      const unsigned char t = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
      if ((t & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (t & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    if (out) out->push_back(cp);
    i += static_cast<size_t>(len);
  }
  return true;
}

// Full-width digits, brackets, colon and blank as their ASCII forms, tabs as
// blanks: the forms other programs write vary.
std::u32string normalised(std::u32string_view text) {
  std::u32string s(text);
  for (char32_t& c : s) {
    if (c >= U'０' && c <= U'９') c = U'0' + (c - U'０');
    else if (c == U'（') c = U'(';
    else if (c == U'）') c = U')';
    else if (c == U'：') c = U':';
    else if (c == U'＋') c = U'+';
    else if (c == U'　' || c == U'\t' || c == 0xFEFF) c = U' ';
  }
  return s;
}

std::u32string_view trimmed(std::u32string_view s) {
  while (!s.empty() && s.front() == U' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == U' ') s.remove_suffix(1);
  return s;
}

bool starts(std::u32string_view s, std::u32string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// The line as a message shows it: trimmed, control characters as blanks, cut short.
std::string at_line(int n, std::u32string_view text, std::string_view reason) {
  std::u32string shown(text);
  for (char32_t& c : shown)
    if (c < 0x20 || c == 0x7F || c == U'\t') c = U' ';
  std::u32string_view t = trimmed(shown);
  constexpr size_t SHOWN = 32;
  std::u32string cut(t.substr(0, SHOWN));
  if (t.size() > SHOWN) cut += U'…';
  return std::to_string(n) + "行目「" + to_utf8(cut) + "」：" + std::string(reason);
}

struct Cursor {
  std::u32string_view s;
  size_t i = 0;
  bool end() const { return i >= s.size(); }
  char32_t peek(size_t k = 0) const { return i + k < s.size() ? s[i + k] : 0; }
  void blanks() {
    while (peek() == U' ') ++i;
  }
  bool take(std::u32string_view word) {
    if (!starts(s.substr(std::min(i, s.size())), word)) return false;
    i += word.size();
    return true;
  }
  // Digits as a number held below a billion; false when there are none.
  bool number(long long& v) {
    const size_t from = i;
    v = 0;
    while (peek() >= U'0' && peek() <= U'9') {
      v = std::min(v * 10 + (peek() - U'0'), 999999999LL);
      ++i;
    }
    return i > from;
  }
};

int digit(char32_t c) { return c >= U'1' && c <= U'9' ? static_cast<int>(c - U'0') : 0; }

int kanji_rank(char32_t c) {
  static constexpr char32_t RANKS[] = U"一二三四五六七八九";
  for (int r = 0; r < 9; ++r)
    if (RANKS[r] == c) return r + 1;
  return digit(c);
}

struct Name {
  std::u32string_view text;
  int kind;
};
// Two-character names first, so that 成香 is not read as a promoting 香.
constexpr Name NAMES[] = {
    {U"成香", NARIKYOU}, {U"成桂", NARIKEI}, {U"成銀", NARIGIN}, {U"歩", HU},   {U"香", KYOU},
    {U"桂", KEI},        {U"銀", GIN},        {U"金", KIN},        {U"角", KAKU}, {U"飛", HISHA},
    {U"玉", OU},         {U"王", OU},         {U"と", TO},         {U"馬", UMA},  {U"龍", RYU},
    {U"竜", RYU},        {U"全", NARIGIN},    {U"圭", NARIKEI},    {U"杏", NARIKYOU},
};

// Words that end the moves in place of one, and what each says of the
// side to move: 1 it lost, 2 it won, 0 neither.
struct Ending {
  std::u32string_view word;
  int says;
};
constexpr Ending ENDINGS[] = {{U"投了", 1},     {U"中断", 0},     {U"千日手", 0},   {U"詰み", 1},
                              {U"持将棋", 0},   {U"切れ負け", 1}, {U"反則勝ち", 2}, {U"反則負け", 1},
                              {U"入玉勝ち", 2}, {U"不詰", 0},     {U"封じ手", 0},   {U"不戦", 0}};

struct MoveLine {
  long long number = 0;
  const Ending* ending = nullptr;
  bool same = false;
  int file = 0, rank = 0;
  int kind = 0;
  int promote = -1;  // 1 成, 0 不成, -1 unsaid
  bool drop = false;
  int from_file = 0, from_rank = 0;  // 0: none given
  bool has_spent = false, has_total = false;
  long long spent = 0, total = 0;
};

// "( m:ss/hh:mm:ss)", its parts after the first optional.
bool parse_time(Cursor& c, MoveLine& m) {
  if (!c.take(U"(")) return false;
  c.blanks();
  long long min = 0, sec = 0;
  if (!c.number(min) || !c.take(U":") || !c.number(sec)) return false;
  m.has_spent = true;
  m.spent = min * 60 + sec;
  c.blanks();
  if (c.take(U"/")) {
    c.blanks();
    long long h = 0, mi = 0, s = 0;
    if (c.number(h)) {
      if (!c.take(U":") || !c.number(mi) || !c.take(U":") || !c.number(s)) return false;
      m.has_total = true;
      m.total = h * 3600 + mi * 60 + s;
    }
    c.blanks();
  }
  return c.take(U")");
}

// A move line after its number; the reason when it cannot be read.
std::string_view parse_move(Cursor& c, MoveLine& m) {
  c.blanks();
  for (const Ending& e : ENDINGS)
    if (c.take(e.word)) {
      m.ending = &e;
      return {};
    }
  if (c.take(U"同")) {
    m.same = true;
  } else {
    m.file = digit(c.peek());
    m.rank = kanji_rank(c.peek(1));
    if (m.file == 0 || m.rank == 0) return why::BAD_MOVE;
    c.i += 2;
  }
  c.blanks();
  for (const Name& n : NAMES)
    if (c.take(n.text)) {
      m.kind = n.kind;
      break;
    }
  if (m.kind == 0) return why::BAD_MOVE;
  c.blanks();
  if (c.take(U"不成")) m.promote = 0;
  else if (c.take(U"成")) m.promote = 1;
  else if (c.take(U"打")) m.drop = true;
  c.blanks();
  // The origin, "(77)"; a bracket that holds anything else is the time.
  const size_t before_origin = c.i;
  if (c.take(U"(")) {
    c.blanks();
    m.from_file = digit(c.peek());
    m.from_rank = digit(c.peek(1));
    c.i += 2;
    c.blanks();
    if (m.from_file == 0 || m.from_rank == 0 || !c.take(U")")) {
      m.from_file = m.from_rank = 0;
      c.i = before_origin;
    }
  }
  c.blanks();
  c.take(U"+");  // marks a move with variations
  c.blanks();
  if (c.peek() == U'(' && !parse_time(c, m)) return why::BAD_TIME;
  c.blanks();
  c.take(U"+");
  c.blanks();
  return c.end() ? std::string_view{} : why::BAD_MOVE;
}

// Reading, one line at a time, into the start, the positions and the clocks.
struct Reader {
  Play g;
  bool turned = false;   // the upper side is 先手
  bool settled = false;  // the start is known; moves may follow
  int handicap = 0;
  int gote_first = -1;  // a "後手番" line (1) or "先手番" (0)
  kif::Diagram diagram;
  int start_line = 0;  // where the start is drawn, to name it at a fault
  std::u32string start_text;
  std::string sente, gote, title;
  int move_lines = 0;  // moves played; an ending alone is no game
  bool ended = false;
  int winner = 0, resigned = 0;
  std::optional<RecordEntry> start;
  std::vector<RecordEntry> entries;
  std::vector<std::string> notes;
  std::vector<std::array<long long, 2>> totals{{0, 0}};  // lower, upper after each move
  int left_out = 0;

  // Whose pieces 先手's (or 後手's) are.
  int side(bool sente_side) const { return sente_side == turned ? RECORD_UPPER : RECORD_LOWER; }
  int last_mover() const { return g.upper_to_move() ? RECORD_LOWER : RECORD_UPPER; }

  void starts_here(int line_no, std::u32string_view text) {
    if (start_line != 0) return;
    start_line = line_no;
    start_text = text;
  }

  // Before the first move line: the position and who moves first.
  std::string_view settle() {
    settled = true;
    if (const std::string_view reason = diagram.complete(); !reason.empty()) return reason;
    const RecordEntry e = diagram.start(kif::handicap_start(handicap, turned), turned);
    // A handicap game is begun by 後手, the side giving the handicap.
    const bool gote_moves = gote_first == -1 ? handicap > 0 : gote_first == 1;
    g = Play(e, side(!gote_moves) == RECORD_UPPER);
    if (kif::same_position(e, kif::initial_entry())) return {};
    start = e;
    return kif::start_fault(e);
  }

  // A move line: "" when played, else why not.
  std::string move(const MoveLine& m) {
    if (m.number != g.moves + 1) return "手数が続いていません（" + std::to_string(g.moves + 1) + "手目のはずです）";
    if (g.king_taken) return std::string(why::AFTER_KING);
    const bool up = g.upper_to_move();
    int tx = board_x(m.file, turned), ty = board_y(m.rank, turned);
    if (m.same) {
      if (g.moves == 0) return std::string(why::SAME_FIRST);
      tx = g.last_x;
      ty = g.last_y;
    }
    std::string_view reason;
    if (m.from_file != 0) {
      if (m.drop) return std::string(why::DROP_WITH_ORIGIN);
      reason = g.move(board_x(m.from_file, turned), board_y(m.from_rank, turned), tx, ty, m.kind, m.promote);
    } else if (m.drop) {
      reason = g.drop(m.kind, tx, ty);
    } else {
      // No origin: the move is read when one piece alone, on the board or
      // in hand, can make it.
      int found = 0;
      Play one;
      for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
          if (Play t = g; std::abs(g.pos.Board[x][y]) == m.kind && t.move(x, y, tx, ty, m.kind, m.promote).empty())
            ++found, one = t;
      if (Play t = g; m.promote == -1 && t.drop(m.kind, tx, ty).empty()) ++found, one = t;
      if (found != 1) return std::string(found == 0 ? why::NO_ORIGIN : why::AMBIGUOUS_ORIGIN);
      g = one;
    }
    if (!reason.empty()) return std::string(reason);

    auto t = totals.back();
    if (m.has_total)
      t[up] = std::min<long long>(m.total, RECORD_CLOCK_MAX);
    else if (m.has_spent)
      t[up] = std::min<long long>(t[up] + m.spent, RECORD_CLOCK_MAX);
    totals.push_back(t);
    if (static_cast<int>(entries.size()) < RECORD_MAX_ENTRIES)
      entries.push_back(entry_of(g.pos));
    else
      ++left_out;
    return {};
  }

  void end(const Ending& e) {
    ended = true;
    if (e.says != 0) winner = e.says == 1 ? last_mover() : -last_mover();
    if (e.word == U"投了") resigned = 1;
  }

  // "まで41手で先手の勝ち"; a line that names no winner leaves it as it was.
  void result(std::u32string_view s) {
    if (s.find(U"勝ち") == std::u32string_view::npos) return;
    if (s.find(U"先手") != std::u32string_view::npos || s.find(U"下手") != std::u32string_view::npos)
      winner = side(true);
    else if (s.find(U"後手") != std::u32string_view::npos || s.find(U"上手") != std::u32string_view::npos)
      winner = side(false);
  }

  // A comment under a move.
  void note(std::u32string_view written) {
    if (g.moves == 0 || g.moves > static_cast<int>(entries.size()) || trimmed(normalised(written)).empty()) return;
    const size_t n = static_cast<size_t>(g.moves);
    if (notes.size() < n) notes.resize(n);
    std::string& to = notes[n - 1];
    if (!to.empty()) to += '\n';
    to += to_utf8(written);
  }

  // A "key：value" line; the value's characters as written are in text at the
  // same places as in the normalised line.
  std::string_view header(std::u32string_view key, std::u32string_view value, std::u32string_view written) {
    const auto is = [&](std::u32string_view a, std::u32string_view b) { return key == a || key == b; };
    if (key == U"手合割" && !settled) {
      handicap = kif::handicap_index(to_utf8(value));
      if (handicap < 0 && value != U"その他") return why::UNKNOWN_HANDICAP;
      handicap = std::max(handicap, 0);
    } else if (key == U"表題") {
      title = to_utf8(written);
    } else if (is(U"先手", U"下手")) {
      sente = to_utf8(written);
    } else if (is(U"後手", U"上手")) {
      gote = to_utf8(written);
    } else if ((is(U"先手の持駒", U"下手の持駒") || is(U"後手の持駒", U"上手の持駒")) && !settled) {
      return diagram.hand(value, is(U"先手の持駒", U"下手の持駒"));
    }
    return {};  // other headers say nothing the game keeps
  }

  // The history keeps, with each position, both totals when it was reached
  // (before) and the mover's total after the next move (after).
  void finish(Record& game) {
    for (size_t n = 1; n <= entries.size(); ++n) {
      RecordEntry& e = entries[n - 1];
      const auto& now = totals[n];
      const auto& next = totals[std::min(n + 1, totals.size() - 1)];
      e.time_sita_before = static_cast<int>(now[0]);
      e.time_ue_before = static_cast<int>(now[1]);
      e.time_sita_after = static_cast<int>(next[0]);
      e.time_ue_after = static_cast<int>(next[1]);
    }
    // A king taken decides, whatever the closing line says.
    if (g.king_taken) winner = last_mover(), resigned = 0;
    game.title = title;
    game.upper = turned ? sente : gote;
    game.lower = turned ? gote : sente;
    game.entries = std::move(entries);
    game.left_out = left_out;
    game.start = start;
    game.first_mover = g.upper_first ? RECORD_UPPER : RECORD_LOWER;
    game.winner = winner;
    game.resigned = resigned;
    game.notes = std::move(notes);
  }
};

// How the writer lays a game out: whose pieces move first, whether the
// upper side is 先手, and the handicap named (-1: a diagram is drawn).
struct Layout {
  bool upper_first = false, turned = false;
  int handicap = 0;
};

Layout layout_of(const Record& game) {
  const RecordEntry start = game.start ? *game.start : kif::initial_entry();
  Layout l;
  if (game.first_mover != 0) {
    l.upper_first = game.first_mover == RECORD_UPPER;
  } else if (!game.entries.empty()) {
    Found m;
    Play after;
    l.upper_first = !find_move(Play(start, false), game.entries[0], m, after);
  }
  // 平手 with 先手 moving first, or a standard handicap with 後手 (the side
  // giving it) moving first, whichever side that is on our board.
  for (int h = 0; h < kif::HANDICAP_COUNT; ++h)
    for (const bool turned : {false, true})
      if ((l.upper_first == turned) == (h == 0) && kif::same_position(start, kif::handicap_start(h, turned))) {
        l.turned = turned;
        l.handicap = h;
        return l;
      }
  l.handicap = -1;
  return l;
}

}  // namespace

std::string KIF指し手(const RecordEntry& before, int mover, const RecordEntry& after, int prev_x, int prev_y,
                      bool upper_is_sente) {
  Play g(before, mover == RECORD_UPPER);
  g.last_x = prev_x;
  g.last_y = prev_y;
  Play played;
  return mover == RECORD_UPPER || mover == RECORD_LOWER ? named_move(g, after, upper_is_sente, played) : "";
}

bool KIF上側が先手(const Record& game) { return layout_of(game).turned; }

std::string KIF作成(const Record& game, std::string& kif) {
  kif.clear();
  const Layout layout = layout_of(game);
  const bool turned = layout.turned;
  const RecordEntry start = game.start ? *game.start : kif::initial_entry();
  Play g(start, layout.upper_first), after;
  const std::string& sente = turned ? game.upper : game.lower;
  const std::string& gote = turned ? game.lower : game.upper;

  std::string text = std::string(FIRST_LINE) + "\n" + std::string(FIRST_COMMENT) + "\n";
  if (turned) text += std::string(KIF_UPPER_FIRST) + "\n";
  if (layout.handicap >= 0) {
    text += "手合割：" + std::string(kif::handicap_name(layout.handicap)) + "\n";
  } else {
    text += kif::diagram_text(start);
    if (layout.upper_first) text += "後手番\n";
  }
  if (!game.title.empty()) text += "表題：" + one_line(game.title) + "\n";
  text += "先手：" + one_line(sente) + "\n後手：" + one_line(gote) + "\n";
  text += std::string(MOVES_HEADER) + "\n";
  long long before[2] = {0, 0};  // each side's total so far, lower and upper
  const auto move_line = [&](size_t n, std::string mv, long long spent, long long total) {
    mv.append(static_cast<size_t>(std::max(0, MOVE_COLUMNS - columns(mv))), ' ');
    text += padded(static_cast<long long>(n), 4, ' ') + " " + mv + " " +
            time_text(static_cast<int>(spent), static_cast<int>(total)) + "\n";
  };
  for (size_t n = 0; n < game.entries.size(); ++n) {
    const RecordEntry& e = game.entries[n];
    std::string mv = named_move(g, e, turned, after);
    if (mv.empty()) return std::to_string(n + 1) + std::string(why::NOT_ONE_MOVE);
    const bool up = g.upper_to_move();
    g = after;
    // Totals are what the mover's clock showed when the position was
    // stored; the move's time is what it grew by.
    const long long total = std::max(0, up ? e.time_ue_before : e.time_sita_before);
    const long long spent = std::max(0LL, total - before[up]);
    before[up] = total;
    move_line(n + 1, std::move(mv), spent, total);
    if (n < game.notes.size() && !game.notes[n].empty()) {
      std::string note = game.notes[n];
      std::erase(note, '\r');
      for (size_t at = 0, end = 0; end != std::string::npos; at = end + 1) {
        end = note.find('\n', at);
        text += "*" + note.substr(at, end - at) + "\n";
      }
    }
  }
  const int last_mover = g.upper_to_move() ? RECORD_LOWER : RECORD_UPPER;
  int winner = game.winner;
  if (g.king_taken) winner = last_mover;
  if (game.resigned == 1 && !g.king_taken) {
    if (winner == 0) winner = last_mover;
    move_line(game.entries.size() + 1, "投了", 0, before[g.upper_to_move()]);
  }
  const std::string count = "まで" + std::to_string(g.moves) + "手で";
  const int sente_side = turned ? RECORD_UPPER : RECORD_LOWER;
  if (winner == 0)
    text += count + "中断\n";
  else
    text += count + (winner == sente_side ? "先手" : "後手") + "の勝ち\n";
  kif = std::move(text);
  return {};
}

std::string KIF解析(std::string_view bytes, Record& game) {
  game = Record{};
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  const bool utf8 = utf8_code_points(bytes, nullptr);
  static const std::u32string upper_first_line = [] {
    std::u32string t;
    utf8_code_points(KIF_UPPER_FIRST, &t);
    return normalised(t);
  }();
  Reader r;
  RecordLines lines(bytes);
  std::string_view raw;
  for (int line_no = 1; lines.読込_棋譜ファイル(raw) == 1; ++line_no) {
    std::u32string text;
    if (utf8)
      utf8_code_points(raw, &text);
    else
      text = cp932_to_code_points(raw);
    const std::u32string norm = normalised(text);
    const std::u32string_view s = trimmed(norm);
    const size_t at = static_cast<size_t>(s.data() - norm.data());  // where s starts in text
    const auto fail = [&](std::string_view reason) { return at_line(line_no, text, reason); };
    if (s.empty()) continue;
    if (s[0] == U'*') {
      r.note(std::u32string_view(text).substr(at + 1, s.size() - 1));
      continue;
    }
    if (s[0] == U'#' || s[0] == U'&') {
      if (s == upper_first_line && !r.settled) r.turned = true;
      continue;
    }
    if (starts(s, U"まで")) {
      r.result(s);
      break;
    }
    if (starts(s, U"変化")) break;  // the end of the main line; variations are not read
    if (starts(s, U"手数")) continue;
    const bool numbered = s[0] >= U'0' && s[0] <= U'9';
    if (r.ended && numbered) break;
    if (!r.settled) {
      // The diagram: its rows, its borders and the file numbers above it.
      std::u32string digits(s);
      std::erase(digits, U' ');
      const bool border = s.size() > 2 && s[0] == U'+' && s.back() == U'+' &&
                          s.find_first_not_of(U'-', 1) == s.size() - 1;
      if (s[0] == U'|' || border || digits == U"987654321") {
        r.starts_here(line_no, text);
        if (s[0] != U'|') continue;
        if (const std::string_view reason = r.diagram.row(s); !reason.empty()) return fail(reason);
        continue;
      }
      if (s == U"後手番" || s == U"上手番" || s == U"先手番" || s == U"下手番") {
        r.gote_first = s == U"後手番" || s == U"上手番";
        continue;
      }
    }
    if (numbered) {
      Cursor c{s};
      MoveLine m;
      c.number(m.number);
      if (const std::string_view reason = parse_move(c, m); !reason.empty()) return fail(reason);
      if (!r.settled)
        if (const std::string_view reason = r.settle(); !reason.empty())
          return r.start_line != 0 ? at_line(r.start_line, r.start_text, reason) : fail(reason);
      if (m.ending) {
        r.end(*m.ending);
        continue;
      }
      if (const std::string reason = r.move(m); !reason.empty()) return fail(reason);
      ++r.move_lines;
      continue;
    }
    if (const size_t colon = s.find(U':'); colon != std::u32string_view::npos) {
      const std::u32string_view key = trimmed(s.substr(0, colon)), value = trimmed(s.substr(colon + 1));
      if (key.ends_with(U"の持駒")) r.starts_here(line_no, text);
      const size_t from = static_cast<size_t>(value.data() - norm.data());
      const std::string_view reason = r.header(key, value, std::u32string_view(text).substr(from, value.size()));
      if (!reason.empty()) return fail(reason);
      continue;
    }
    if (r.move_lines > 0) return fail(why::UNKNOWN_LINE);
  }
  if (r.move_lines == 0) return std::string(why::NOT_A_GAME);
  r.finish(game);
  return {};
}

}  // namespace korvel
