// The look-ahead player's evaluation, in hundredths of a pawn or so: what
// each side has on the board and in hand, how far its pawns have come, how
// well its king is kept and how hard the other king is pressed, and how
// freely its long-range pieces move round the ring. The capture of a king is
// not scored here; the search sees it.
#include "engine/search_board.h"
#include "engine/search_tables.h"

namespace korvel::la {

namespace {

//                               -   P    L    N    S    G    B    R    K  +P   +L   +N   +S   H     D     +G
constexpr int BOARD_VALUE[16] = {0, 90, 300, 330, 480, 540, 820, 950, 0, 520, 500, 510, 520, 1100, 1300, 540};
// In hand a piece may go anywhere, which is worth a little more.
constexpr int HAND_VALUE[8] = {0, 105, 330, 360, 530, 590, 880, 1030};
// Pressure on the other king per piece within two squares of it, by kind.
constexpr int ATTACK[16] = {0, 4, 6, 10, 14, 14, 10, 12, 0, 14, 14, 14, 14, 20, 24, 14};
// Golds and silvers beside their own king.
constexpr bool DEFENDER[16] = {false, false, false, false, true, true, false, false,
                               false, true,  true,  true,  true, false, false, true};
constexpr int DEFEND_AT[10] = {0, 26, 10, 0, 0, 0, 0, 0, 0, 0};
// The king at home is safe; out in the open it is not.
constexpr int KING_RANK[9] = {30, 20, 0, -30, -60, -80, -100, -110, -120};
// Per square a long-range piece reaches.
constexpr int MOBILITY[16] = {0, 0, 2, 0, 0, 0, 3, 3, 0, 0, 0, 0, 0, 3, 3, 0};

}  // namespace

int SearchBoard::evaluate() const {
  const Tables& t = tables();
  int score = 0;
  int open_around[2] = {0, 0};
  for (int c = 0; c < 2; ++c)
    if (king_[c] >= 0)
      for (int d = 0; d < 8; ++d) {
        const int n = t.neighbour[king_[c]][d];
        if (n >= 0 && sq_[n] == 0) ++open_around[c];
      }

  for (int s = 0; s < 81; ++s) {
    const int pc = sq_[s];
    if (pc == 0) continue;
    const int c = color_of(pc), k = kind_of(pc);
    const int far = c == UPPER ? rank_of(s) - 1 : 9 - rank_of(s);  // 0 on the own back rank
    int v = BOARD_VALUE[k];
    if (k == KING) {
      v += KING_RANK[far];
    } else {
      if (king_[c ^ 1] >= 0) {
        const int d = t.distance[s][king_[c ^ 1]];
        if (d <= 2) v += ATTACK[k] * (3 - d);
      }
      if (DEFENDER[k] && king_[c] >= 0) v += DEFEND_AT[t.distance[s][king_[c]]];
      if (k == PAWN) v += 3 * far;
      if (MOBILITY[k]) {
        int reach = 0;
        const auto walk = [&](int d) {
          const Ray& r = t.ray[d][s];
          for (int i = 0; i < r.len; ++i) {
            const int p = sq_[r.sq[i]];
            if (p == 0) {
              ++reach;
              continue;
            }
            if (color_of(p) != c) ++reach;
            break;
          }
        };
        if (k == LANCE) {
          walk(c == UPPER ? DIR_S : DIR_N);
        } else if (k == BISHOP || k == HORSE) {
          walk(DIR_NE), walk(DIR_SE), walk(DIR_SW), walk(DIR_NW);
        } else {
          // Round the ring a rank counts at most its eight other squares.
          walk(DIR_N), walk(DIR_S);
          const int before = reach;
          walk(DIR_E), walk(DIR_W);
          if (reach - before > 8) reach = before + 8;
        }
        v += MOBILITY[k] * reach;
      }
    }
    score += c == UPPER ? v : -v;
  }

  for (int c = 0; c < 2; ++c) {
    const int sign = c == UPPER ? 1 : -1;
    int pieces = 0;
    for (int slot = 1; slot <= 7; ++slot) {
      score += sign * HAND_VALUE[slot] * hand_[c][slot];
      if (slot != PAWN) pieces += hand_[c][slot];
    }
    // Pieces in hand are worth more against a king with room around it to
    // drop into.
    score += sign * 5 * open_around[c ^ 1] * (pieces < 4 ? pieces : 4);
  }
  return side_ == UPPER ? score : -score;
}

}  // namespace korvel::la
