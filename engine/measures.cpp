// Small board measures that the evaluation and the computer's turn ask for.
// They read the Board and the attack maps as they stand; neighbours never
// wrap across the seam between files 9 and 1.

#include <climits>

#include "engine/engine.h"
#include "engine/map_access.h"

namespace korvel {

namespace {

// A damaged record may hold any code; values built from codes saturate
// instead of overflowing.
inline long long abs_of(int v) { return v < 0 ? -static_cast<long long>(v) : v; }
inline int saturate(long long v) { return v > INT_MAX ? INT_MAX : static_cast<int>(v); }

// The heavy human pieces whose attack makes a knight or lance fork worth it.
inline bool heavy_attacker(int atari) { return atari >= -RYU && atari <= -KAKU; }

}  // namespace

int Engine::調査_自王逃道() {
  const int kx = pos_.KING_SITA_X, ky = pos_.KING_SITA_Y;
  int n = 0;
  for (int x = kx - 1; x <= kx + 1; ++x)
    for (int y = ky - 1; y <= ky + 1; ++y) {
      if ((x == kx && y == ky) || !on_board(x, y)) continue;
      if (pos_.Board[x][y] == EMPTY && st_.KIKI_UE[x][y] == 0) ++n;
    }
  return n;
}

void Engine::調査_持角狙座標() {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      st_.BISHOP_CHECK_SQUARES[x][y] = 0;
      if (pos_.Board[x][y] == EMPTY && st_.KIKI_UE[x][y] == 0 &&
          pos_.移動チェック(x, y, pos_.KING_UE_X, pos_.KING_UE_Y, -KAKU) == 1)
        st_.BISHOP_CHECK_SQUARES[x][y] = 1;
    }
}

int Engine::盤評価_自角注意_COM(int x, int y, int pc) {
  // The first square from which a human bishop would check the computer's
  // king and which a bishop (or else a horse) on (x, y) reaches; only that
  // one square is looked at.
  int sx = 0, sy = 0;
  for (int i = 1; i <= 9 && sx == 0; ++i)
    for (int w = 1; w <= 9; ++w) {
      if (st_.BISHOP_CHECK_SQUARES[i][w] != 1) continue;
      if (pos_.移動チェック(x, y, i, w, -KAKU) == 1 || pos_.移動チェック(x, y, i, w, -UMA) == 1) {
        sx = i;
        sy = w;
        break;
      }
    }
  if (sx == 0) return 0;

  const auto& b = pos_.Board;
  for (int i = 1; i <= 9; ++i)
    for (int w = 1; w <= 9; ++w) {
      const int c = b[i][w];
      if ((c == -KAKU || c == -UMA) && pos_.移動チェック(i, w, sx, sy, c) == 1) return pc;
    }
  return pos_.HAND_SITA[6] > 0 ? pc : 0;
}

int Engine::調査_移動可場所数(int x, int y, int piece) {
  const Map& other = piece >= 10 ? st_.KIKI_SITA : st_.KIKI_UE;
  int n = 0;
  for (int tx = 1; tx <= 9; ++tx)
    for (int ty = 1; ty <= 9; ++ty)
      if (pos_.移動チェック(x, y, tx, ty, piece) == 1 && other[tx][ty] == 0) ++n;
  return n;
}

int Engine::調査_桂狙い(int x, int y) {
  if (!heavy_attacker(map_at(st_.ATARI_SITA, x, y)) || y <= 5) return 0;
  const auto& b = pos_.Board;
  const int ax = map_at(st_.ATARI_X_SITA, x, y);
  long long add = 0;
  // A knight on (x -/+ 1, y - 2) would attack both (x -/+ 2, y) and (x, y).
  if (x > 2 && map_at(b, x - 1, y - 2) == EMPTY && map_at(st_.KIKI_SITA, x - 1, y - 2) == 0 &&
      map_at(b, x - 2, y) <= -KAKU && ax != x - 2)
    add += abs_of(map_at(b, x - 2, y));
  if (x < 8 && map_at(b, x + 1, y - 2) == EMPTY && map_at(st_.KIKI_SITA, x + 1, y - 2) == 0 &&
      map_at(b, x + 2, y) <= -KAKU && ax != x + 2)
    add += abs_of(map_at(b, x + 2, y));
  return saturate(add);
}

int Engine::調査_香狙い(int x, int y) {
  if (y <= 6 || map_at(st_.KIKI_UE, x, y - 1) <= 0 || map_at(st_.KIKI_SITA, x, y - 1) != 0 ||
      !heavy_attacker(map_at(st_.ATARI_SITA, x, y)))
    return 0;
  if (x < 1 || x > 9) return 0;
  const auto& b = pos_.Board;
  for (int r = y + 1; r <= 9; ++r) {
    if (b[x][r] == EMPTY) continue;
    return pos_.移動チェック(x, y, x, r, KYOU) == 1 ? saturate(abs_of(b[x][r])) : 0;
  }
  return 0;
}

int Engine::調査_自守駒MAN_直進駒(int x, int y) {
  if (x < 1 || x > 9) return 0;
  auto& b = pos_.Board;
  const bool lift = on_board(x, y);
  const int kept = lift ? b[x][y] : 0;
  if (lift) b[x][y] = EMPTY;
  int answer = 0;
  for (int r = (y < 0 ? 0 : y) + 1; r <= 9; ++r) {
    const int c = b[x][r];
    if (c >= 10) break;
    if (c == -KYOU || c == -HISHA || c == -RYU) {
      answer = pos_.移動チェック(x, r, x, y, c);
      break;
    }
  }
  if (lift) b[x][y] = kept;
  return answer;
}

int Engine::調査_周辺状況(int x, int y) {
  int n = 0;
  for (int i = x - 1; i <= x + 1; ++i)
    for (int w = y - 1; w <= y + 1; ++w) {
      if ((i == x && w == y) || !on_board(i, w)) continue;
      if (pos_.Board[i][w] >= KAKU) ++n;
    }
  return -n;
}

}  // namespace korvel
