// Writes the benchmark suite: positions reached from the initial position by
// seeded random play of legal moves (with a bias toward captures, so that
// hands fill up and drops get exercised). Run once; the output is committed.
#include <cstdio>
#include <random>
#include <vector>

#include "board/position.h"

using namespace korvel;

namespace {

struct Mv { int fx, fy, tx, ty, piece; };

std::vector<Mv> legal_moves(Position& p, bool upper) {
  std::vector<Mv> out;
  p.調査_2歩フラグ設定();
  合法手列挙(p, upper, [&](int fx, int fy, int tx, int ty, int pc) { out.push_back({fx, fy, tx, ty, pc}); });
  return out;
}

void print(const Position& p) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) std::printf("%d ", p.Board[x][y]);
  for (int k = 1; k <= 7; ++k) std::printf("%d ", p.HAND_SITA[k]);
  for (int k = 1; k <= 7; ++k) std::printf(k < 7 ? "%d " : "%d\n", p.HAND_UE[k]);
}

}  // namespace

int main() {
  std::mt19937 rng(20261208);
  int written = 0;
  std::printf("# 95 integers a line: Board[x][y] for x = 1..9, y = 1..9, HAND_SITA[1..7], HAND_UE[1..7]\n");
  for (int game = 0; written < 240; ++game) {
    Position p;
    p.初期設定();
    bool upper = false;  // the lower side moves first in these games
    for (int ply = 0; ply < 120 && written < 240; ++ply) {
      auto moves = legal_moves(p, upper);
      if (moves.empty()) break;
      // Prefer a capture now and then, but never take a king: the suite is
      // of positions where both kings stand.
      std::vector<Mv> captures, quiet;
      for (const Mv& m : moves) {
        const int t = p.Board[m.tx][m.ty];
        if (t == OU || t == -OU) continue;
        (t != 0 ? captures : quiet).push_back(m);
      }
      const bool take = !captures.empty() && rng() % 3 == 0;
      const auto& pool = take ? captures : (quiet.empty() ? captures : quiet);
      if (pool.empty()) break;
      Mv m = pool[rng() % pool.size()];
      int piece = m.piece;
      if (p.調査_駒成(m.fx, m.fy, m.tx, m.ty, piece) &&
          (移動後チェック(m.ty, piece) == 0 || rng() % 4 != 0))
        piece = p.PROMOTED_CODE;
      p.駒移動(m.fx, m.fy, m.tx, m.ty, piece);
      upper = !upper;
      // Sample the upper side to move (the computer's turn), spread over the game.
      if (upper && ply >= 3 && rng() % 4 == 0) {
        print(p);
        ++written;
      }
    }
  }
  return 0;
}
