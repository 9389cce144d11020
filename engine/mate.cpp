// One-move mate tests. Each tries the defender's answers to a check (a drop
// between a ranged checker and the king, a king step, a capture or block by
// a board piece) and calls it mate when none of them removes the check.
// Every trial on the Board is put back before the next one.

#include "engine/engine.h"
#include "engine/map_access.h"

namespace korvel {

int Engine::詰めかMAN_COM移動() {
  const auto& b = pos_.Board;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (b[x][y] >= 10 &&
          pos_.移動チェック(x, y, pos_.KING_SITA_X, pos_.KING_SITA_Y, b[x][y]) == 1)
        return 1;
  return 0;
}

namespace {

// The two mate tests differ only in which side they take; this is the part
// they share, written once for both.
struct Side {
  int king_code;        // the defending king
  int pawn;             // the defender's pawn code
  int drop_x;           // the defender's hand column
  const Map* kiki;      // attacks on the defender by the checking side
  const Map* oute;      // check marks of the checking side
  int kx, ky;           // the defending king's square
  int hand_count;
  int hand_pawns;
};

// Step 2: blocking drops. 1 when the scan found no reason to go on, that is,
// the check can be blocked by a drop; 0 to go on to the king steps.
int drop_blocks(Position& pos, const Side& s) {
  auto& b = pos.Board;
  const Map& oute = *s.oute;
  for (int c = 1; c <= 9; ++c)
    for (int r = 1; r <= 9; ++r) {
      const int mark = oute[c][r];
      if (mark == 9) {
        if (c - s.kx < 2 && s.kx - c < 2 && r - s.ky < 2 && s.ky - r < 2) return 0;
      } else if (mark == 1) {
        const int kept = b[c][r];
        const bool pawns_only = s.hand_count == s.hand_pawns;
        if (!(pawns_only && pos.移動チェック(s.drop_x, 0, c, r, s.pawn) == 0)) b[c][r] = s.pawn;
        int still_checked = 0;
        for (int c2 = 1; c2 <= 9 && !still_checked; ++c2)
          for (int r2 = 1; r2 <= 9; ++r2)
            if (oute[c2][r2] == 9 && pos.移動チェック(c2, r2, s.kx, s.ky, b[c2][r2]) == 1) {
              still_checked = 1;
              break;
            }
        b[c][r] = kept;
        if (still_checked) return 0;
      }
    }
  return 1;
}

// Step 3: a king step onto an unattacked square, never across the seam.
int king_escapes(const Position& pos, const Side& s) {
  for (int x = s.kx - 1; x <= s.kx + 1; ++x)
    for (int y = s.ky - 1; y <= s.ky + 1; ++y) {
      if (!on_board(x, y)) continue;
      if (pos.移動チェック(s.kx, s.ky, x, y, s.king_code) == 1 && (*s.kiki)[x][y] == 0) return 1;
    }
  return 0;
}

}  // namespace

int Engine::詰めかMAN() {
  Side s{-OU, -HU, HAND_X_SITA, &st_.KIKI_UE, &st_.OUTE_UE,
         pos_.KING_SITA_X, pos_.KING_SITA_Y, pos_.HAND_COUNT_SITA, pos_.HAND_SITA[1]};
  if (map_at(st_.KIKI_UE, s.kx, s.ky) == 0) return 0;
  if (pos_.HAND_COUNT_SITA > 0 && drop_blocks(pos_, s) == 1) return 0;
  if (king_escapes(pos_, s)) return 0;

  auto& b = pos_.Board;
  for (int fx = 1; fx <= 9; ++fx)
    for (int fy = 1; fy <= 9; ++fy) {
      const int piece = b[fx][fy];
      if (piece < -RYU || piece > -HU) continue;
      for (int tx = 1; tx <= 9; ++tx)
        for (int ty = 1; ty <= 9; ++ty) {
          if (tx == fx && ty == fy) continue;
          if (pos_.移動チェック(fx, fy, tx, ty, piece) != 1 || st_.OUTE_UE[tx][ty] <= 0) continue;
          const int kept = b[tx][ty];
          b[tx][ty] = piece;
          b[fx][fy] = EMPTY;
          const int reached = 詰めかMAN_COM移動();
          b[fx][fy] = piece;
          b[tx][ty] = kept;
          if (reached == 0) return 0;
        }
    }
  return 1;
}

int Engine::詰めかCOM() {
  Side s{OU, HU, HAND_X_UE, &st_.KIKI_SITA, &st_.OUTE_SITA,
         pos_.KING_UE_X, pos_.KING_UE_Y, pos_.HAND_COUNT_UE, pos_.HAND_UE[1]};
  if (map_at(st_.KIKI_SITA, s.kx, s.ky) == 0) return 0;
  if (pos_.HAND_COUNT_UE > 0 && drop_blocks(pos_, s) == 1) return 0;
  if (king_escapes(pos_, s)) return 0;

  // Each answer tried here rebuilds the maps; the rest of the loop reads
  // the maps of the last answer tried, as the game always has.
  auto& b = pos_.Board;
  for (int fx = 1; fx <= 9; ++fx)
    for (int fy = 1; fy <= 9; ++fy) {
      const int piece = b[fx][fy];
      if (piece < HU || piece > RYU) continue;
      for (int tx = 1; tx <= 9; ++tx)
        for (int ty = 1; ty <= 9; ++ty) {
          if (tx == fx && ty == fy) continue;
          if (pos_.移動チェック(fx, fy, tx, ty, piece) != 1 || st_.OUTE_SITA[tx][ty] <= 0)
            continue;
          const int kept = b[tx][ty];
          b[tx][ty] = piece;
          b[fx][fy] = EMPTY;
          勢力調査();
          b[fx][fy] = piece;
          b[tx][ty] = kept;
          if (map_at(st_.KIKI_SITA, pos_.KING_UE_X, pos_.KING_UE_Y) == 0) return 0;
        }
    }
  return 1;
}

}  // namespace korvel
