// 盤評価_COM危険座標: one walk over the whole board after a candidate move.
#include <algorithm>
#include <cstdlib>

#include "engine/engine.h"
#include "engine/map_access.h"

namespace korvel {

Score Engine::盤評価_COM危険座標(int pc, int tx, int ty) {
  const auto& B = pos_.Board;
  const auto& KS = st_.KIKI_SITA;
  const auto& KU = st_.KIKI_UE;
  const int kux = pos_.KING_UE_X, kuy = pos_.KING_UE_Y;
  const int* hand = pos_.HAND_SITA;
  const bool silver_or_gold = hand[4] > 0 || hand[5] > 0;
  // Whether the moved piece stands where no human piece reaches it; only
  // then are its forks worth anything.
  const bool mover_safe = map_at(KS, tx, ty) == 0;

  Score s;
  int forks = 0;
  int smallest_forked = 9999;

  for (int i = 1; i <= 9; ++i) {
    for (int w = 1; w <= 9; ++w) {
      const int b = B[i][w];
      const int ks = KS[i][w];
      const int ku = KU[i][w];

      if (b == 0) {
        if (ks > 0) {
          if (std::abs(i - kux) < 2 && std::abs(w - kuy) < 2) {
            s -= Score::tenths(5LL * ks);
            if (ku == 1 && ks > 1) s -= 10;
            if (silver_or_gold) s -= 10;
          }
          if (ku == 0 && w < 4) {
            s -= TENTH;
            if (調査_自守駒MAN_直進駒(i, w) == 1) s -= 10;
          }
          if (w < 4 && B[i][w + 1] == -HU && ks >= ku) {
            s -= 30;
            if (調査_自守駒MAN_直進駒(i, w + 1) == 1) s -= 70;
          }
        }
        if (pos_.HAND_COUNT_SITA > 0) {
          // A lance dropped here would skewer the piece above against the
          // next one of ours up the column.
          if (hand[2] > 0 && w > 2 && B[i][w - 1] > KYOU && (ks > 0 || ku == 0)) {
            for (int r = w - 2; r >= 1; --r) {
              if (B[i][r] == 0) continue;
              if (B[i][r] > KYOU) s -= Score(100) + Score::half(B[i][r]);
              break;
            }
          }
          // A knight dropped here would fork the two pieces above it.
          if (hand[3] > 0 && (ku == 0 || (ks > 0 && st_.ATARI_UE[i][w] > KEI)) && w > 2 && i > 1 &&
              i < 9) {
            if (B[i - 1][w - 2] > HU && B[i + 1][w - 2] > HU) s -= 20;
          }
          if (silver_or_gold && ku <= 1) {
            const int around = 調査_周辺状況(i, w);
            if (around < -1) s -= 5;
            if (ku == 0 && around < 0) {
              s -= 1;
              if (w < 4) s -= 10;
            }
          }
          if (ku == 0) {
            if (w == 2 && B[i][1] == KEI) s -= 5;
            if (w < 4) s -= TENTH;
            if (hand[4] > 0 && w > 1 && w < 9 && i > 1 && i < 9) {
              // A silver here would fork two undefended pieces diagonally.
              if (B[i - 1][w - 1] >= 10 && B[i + 1][w + 1] >= 10 && KU[i - 1][w - 1] == 0 &&
                  KU[i + 1][w + 1] == 0)
                s -= 20;
              if (B[i - 1][w + 1] >= 10 && B[i + 1][w - 1] >= 10 && KU[i - 1][w + 1] == 0 &&
                  KU[i + 1][w - 1] == 0)
                s -= 20;
            }
          }
        }
        continue;
      }

      if (b >= 10) {
        if (b == OU && w == 1 && KS[i][2] > 0) {
          s -= 50;
          if (KS[i][2] >= KU[i][2]) s -= 250;
          if (silver_or_gold) s -= 700;
        }
        const int a = st_.ATARI_SITA[i][w];
        const Score a_mag = Score::abs_of(a);
        if (b == HU && a == -HISHA && hand[1] > 0 && ks >= ku && w < 9 && KU[i][w + 1] == 1) s -= 5;
        if (ks > 0) {
          const int ax = st_.ATARI_X_SITA[i][w], ay = st_.ATARI_Y_SITA[i][w];
          const bool attacker_free = map_at(st_.PIN_SITA, ax, ay) == 0;
          const int himo = st_.HIMO_UE[i][w];
          if (himo == OU && (ks > 1 || Score(b) > a_mag)) s -= 100;
          if (attacker_free && Score(b) > a_mag) s += a_mag - Score(b);
          if (ku > 0 && attacker_free) {
            if (ks > ku && Score(himo) >= a_mag) s -= Score(b);
            if (w <= 3 && ku == ks && B[i][w + 1] != 0 && 調査_自守駒MAN_直進駒(i, w + 1) == 1)
              s -= Score(b) + Score::abs_of(st_.ATARI_SITA[i][w + 1]);
          }
          if (ku == 0) {
            s -= Score(b);
            if (w <= 3) s -= 10;
            if (st_.BOARD_START[i][w] <= -10) s += Score::abs_of(st_.BOARD_START[i][w]);
            if (w < 4 && (a == -HU || a == -KYOU)) s -= 20;
          }
        }
        continue;
      }

      if (b <= -10) {
        if (ku > 0 && st_.KIKI_UE_START[i][w] == 0) {
          if (w > 2 && b == -KEI && KS[i][w - 1] == 0 &&
              (B[i][w - 1] == GIN || B[i][w - 1] == UMA || B[i][w - 1] == RYU))
            s += 1;
          if (std::abs(i - kux) < 3 && std::abs(w - kuy) < 3) s += 15;
        }
        if (b == -KEI && w > 4 && B[i][w - 4] >= GIN) {
          if (i > 1 && B[i - 1][w - 2] >= 0 && KU[i - 1][w - 2] == 0) s -= 1;
          if (i < 9 && B[i + 1][w - 2] >= 0 && KU[i + 1][w - 2] == 0) s -= 1;
        } else if ((b == -HISHA || b == -RYU || b == -KYOU) && i == kux) {
          s -= 1;
        }
        if (mover_safe && (ks == 0 || b == -OU) && pos_.移動チェック(tx, ty, i, w, pc) == 1) {
          s += TENTH;
          ++forks;
          smallest_forked = static_cast<int>(std::min<long long>(smallest_forked, std::llabs(b)));
        }
      }
    }
  }
  if (forks > 1) s += smallest_forked;
  return s;
}

}  // namespace korvel
