// The look-ahead player's evaluation, in hundredths of a pawn or so: what
// each side has on the board and in hand (kept up to date by make and
// unmake), how far its pawns have come, how well its king is kept and how
// hard the other king is pressed, and how freely its long-range pieces move
// round the ring. The capture of a king is not scored here; the search sees
// it.
#include "lookahead/search_board.h"
#include "lookahead/search_tables.h"

namespace korvel::la {

namespace {

// Pressure on a king per piece within two squares of it, by kind.
constexpr int ATTACK[16] = {0, 4, 6, 10, 14, 14, 10, 12, 0, 14, 14, 14, 14, 20, 24, 14};
// Golds and silvers beside their own king.
constexpr bool DEFENDER[16] = {false, false, false, false, true, true, false, false,
                               false, true,  true,  true,  true, false, false, true};
constexpr int DEFEND_AT[3] = {0, 26, 10};
// Pieces in hand against a king with room around it to drop into.
constexpr int DROP_ROOM = 5;
// Per square a long-range piece reaches.
constexpr int MOBILITY[16] = {0, 0, 2, 0, 0, 0, 3, 3, 0, 0, 0, 0, 0, 3, 3, 0};

// What a piece at distance 1 or 2 adds to the safety of a king of colour
// c: a guard of its own side, an attacker of the other.
struct ZoneTerms {
  int of[2][32][3];
};
constexpr ZoneTerms make_zone_terms() {
  ZoneTerms z{};
  for (int c = 0; c < 2; ++c)
    for (int pc = 1; pc < 32; ++pc)
      for (int d = 1; d <= 2; ++d) {
        const int k = kind_of(pc);
        if (k == NONE) continue;
        z.of[c][pc][d] = color_of(pc) == c ? (DEFENDER[k] ? DEFEND_AT[d] : 0) : -ATTACK[k] * (3 - d);
      }
  return z;
}
constexpr ZoneTerms ZONE_TERMS = make_zone_terms();

}  // namespace

int SearchBoard::evaluate() const {
  const Tables& t = tables();
  int score = material_;

  for (int c = 0; c < 2; ++c) {
    if (king_[c] < 0) continue;
    const Zone& z = t.zone[king_[c]];
    const auto& term = ZONE_TERMS.of[c];
    int safety = 0, room = 0;
    for (int i = 0; i < z.len; ++i) {
      const int p = sq_[z.sq[i]], d = z.dist[i];
      safety += term[p][d];
      room += (p == 0) & (d == 1);
    }
    int in_hand = 0;
    for (int slot = LANCE; slot <= ROOK; ++slot) in_hand += hand_[c ^ 1][slot];
    safety -= DROP_ROOM * room * (in_hand < 4 ? in_hand : 4);
    score += c == UPPER ? safety : -safety;
  }

  for (int w = 0; w < 2; ++w)
    for (std::uint64_t bits = sliders_[w]; bits; bits &= bits - 1) {
      const int s = w * 64 + __builtin_ctzll(bits);
      const int pc = sq_[s], c = color_of(pc), k = kind_of(pc);
      int reach = 0;
      const auto walk = [&](int d) {
        const Ray& r = t.ray[d][s];
        int i = 0;
        while (i < r.len && sq_[r.sq[i]] == 0) ++i;
        // The first piece in the way counts when it can be taken.
        return i + (i < r.len && color_of(sq_[r.sq[i]]) != c);
      };
      if (k == LANCE) {
        reach = walk(c == UPPER ? DIR_S : DIR_N);
      } else if (k == BISHOP || k == HORSE) {
        reach = walk(DIR_NE) + walk(DIR_SE) + walk(DIR_SW) + walk(DIR_NW);
      } else {
        // Round the ring a rank has only eight other squares.
        const int rank = walk(DIR_E) + walk(DIR_W);
        reach = walk(DIR_N) + walk(DIR_S) + (rank > 8 ? 8 : rank);
      }
      score += c == UPPER ? MOBILITY[k] * reach : -MOBILITY[k] * reach;
    }
  return side_ == UPPER ? score : -score;
}

}  // namespace korvel::la
