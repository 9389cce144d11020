// 盤評価_駒固有: the last stage of a candidate's score, by the kind of piece
// now on the destination. A `return` ends the evaluation with what has been
// added so far; these terms come last, so it only skips the piece's later rules.
#include <algorithm>
#include <cstdlib>

#include "engine/engine.h"
#include "engine/map_access.h"

namespace korvel {

namespace {

inline int cheby(int dx, int dy) { return std::max(std::abs(dx), std::abs(dy)); }

}  // namespace

Score Engine::盤評価_駒固有(int cap, int pc, int fx, int fy, int tx, int ty) {
  const auto& B = pos_.Board;
  const auto board = [&](int x, int y) { return map_at(B, x, y); };
  const auto ks = [&](int x, int y) { return map_at(st_.KIKI_SITA, x, y); };
  const auto ku = [&](int x, int y) { return map_at(st_.KIKI_UE, x, y); };
  const auto ks_start = [&](int x, int y) { return map_at(st_.KIKI_SITA_START, x, y); };
  const auto ku_start = [&](int x, int y) { return map_at(st_.KIKI_UE_START, x, y); };
  const auto atari = [&](int x, int y) { return map_at(st_.ATARI_SITA, x, y); };
  const auto himo_ue = [&](int x, int y) { return map_at(st_.HIMO_UE, x, y); };
  const auto himo_sita = [&](int x, int y) { return map_at(st_.HIMO_SITA, x, y); };
  const int* hand_sita = pos_.HAND_SITA;
  const int* hand_ue = pos_.HAND_UE;
  const bool drop = fx < 0;
  const int ksx = pos_.KING_SITA_X, ksy = pos_.KING_SITA_Y;
  // Next to the human king on its file or rank, two squares at most.
  const bool lined_up_near_king = (tx == ksx || ty == ksy) && cheby(tx - ksx, ty - ksy) < 3;
  const bool safe_or_only_king_attacks =
      ks(tx, ty) == 0 || (atari(tx, ty) == -OU && ku(tx, ty) > 0);

  Score s;
  switch (pc) {
    case TO:
      if (ku(tx, ty) >= ks(tx, ty)) s += 1;
      return s;

    case HU: {
      if (hand_ue[2] > 0) s += 調査_香狙い(tx, ty);
      if (hand_ue[3] > 0) s += 調査_桂狙い(tx, ty);
      if (ty < 9) {
        const int ahead = board(tx, ty + 1);
        if (ahead == KIN) s += Score::tenths(5);
        if (ahead == HISHA) s -= 1;
        // A human piece right ahead that has nowhere safe to go is as good as won.
        if (ahead < -10 && 調査_移動可場所数(tx, ty + 1, ahead) == 0) s += Score::abs_of(ahead);
      }
      if (ku(tx, ty) > 0 && tx > 1 && tx < 9 && (board(tx + 1, ty) == HISHA || board(tx - 1, ty) == HISHA))
        s -= 1;
      if (drop) {
        if (ku(tx, ty) == 0 && ty > 1 && board(tx, ty - 1) >= GIN &&
            (hand_sita[1] > 0 || hand_sita[2] > 0))
          s += 6;
        if (board(2, 8) == -KAKU && tx == 2 && ty == 7 && (ks(2, 7) == 0 || ku(2, 7) > 0)) s += 30;
        const int ax = map_at(st_.ATARI_X_SITA, tx, ty), ay = map_at(st_.ATARI_Y_SITA, tx, ty);
        if (!(ks(ax, ay) == 0 && ku_start(ax, ay) > 0)) {
          const int a = atari(tx, ty);
          if (ku(tx, ty) > 0 && ax == tx && (a == -HISHA || a == -KYOU) && ty < ay) {
            s += 120;
            return s;
          }
        }
      }
      if (fx > 0) {
        s -= TENTH;
        if (himo_ue(tx, ty) == KIN || himo_ue(tx, ty) == GIN) s += Score::tenths(6);
        if (ty < 8) {
          if (himo_ue(tx, ty) == KYOU) {
            s += 1;
          } else if (himo_ue(tx, ty) == HISHA && map_at(st_.HIMO_X_UE, tx, ty) == tx &&
                     ku(tx, ty) >= ks(tx, ty) && map_at(st_.HIMO_Y_UE, tx, ty) < ty) {
            s += 2;
          }
          if (ks(tx, ty + 1) == 0 && board(tx, ty + 2) <= -KEI) s += 1;
          if (ty < 7) {
            if (board(tx, ty + 1) == -HU && ks(tx, ty + 1) > 0) s -= 5;
            if (tx < 9 && board(tx + 1, ty) == KAKU) {
              s += Score::tenths(5);
              if (board(tx + 1, ty + 2) == -HU) s += 5;
            }
            if (tx > 1) {
              if (tx == 7 && ty == 4 && board(8, 2) == KAKU) s += 10;
              if (board(tx - 1, ty) == KAKU) {
                s += Score::tenths(5);
                if (board(tx - 1, ty + 2) == -HU) s += 5;
              }
            }
          }
          if (cap <= -10 && ku(fx, fy) == 1) {
            if (ty > 2 && atari(tx, ty) == -KYOU && board(tx, ty - 2) == KAKU)
              s -= 5;
            else
              s += 5;
            if (cap == -HU && (atari(tx, ty) == -KYOU || atari(tx, ty) == -HISHA)) s += 50;
          }
          if (board(tx, ty + 1) <= -10) {
            if (ku(tx, ty) > ks(tx, ty)) {
              s += 1;
            } else if (board(tx, ty + 1) == -HU) {
              s -= 5;
            } else if (ku(tx, ty) == 0) {
              if (ks(tx, ty) == 0) s += 1;
            } else if (ku_start(tx, ty + 1) > 0 && ks_start(tx, ty + 1) == 0) {
              s -= 1;
            } else if (ku(tx, ty) >= ks(tx, ty)) {
              s += 5;
            }
            return s;
          }
        }
      }
      return s;
    }

    case KYOU: {
      if (hand_ue[3] > 0) s += 調査_桂狙い(tx, ty);
      if (fx == -1) {
        if (ty < 8) {
          if (hand_sita[1] > 0 && ks(tx, ty + 1) > 0 && ks(tx, ty) == 0) s -= 10;
          if (board(tx, ty + 1) <= -KYOU && (ks(tx, ty) == 0 || ku(tx, ty) >= ks(tx, ty))) {
            for (int r = ty + 2; r <= 9; ++r) {
              if (board(tx, r) == 0) continue;
              // Skewer: the piece ahead must move and uncovers the one behind.
              if (pos_.移動チェック(tx, ty + 1, tx, r, KYOU) == 1 && board(tx, r) < -KYOU) {
                s += Score::abs_of(board(tx, r));
                return s;
              }
              break;
            }
          }
        }
        return s;
      }
      if (cap == 0) {
        s -= Score::tenths(9);
        return s;
      }
      if (cap == -KYOU) {
        s += 10;
        if (ks(tx, ty) >= 1) s += 10;
        return s;
      }
      return s;
    }

    case KEI:
      s -= TENTH;
      if (ks(tx, ty + 1) > 0) s -= 1;
      if (ty < 8 && tx > 1 && tx < 9) {
        if (ks(tx - 1, ty + 2) > 0 && ks(tx + 1, ty + 2) > 0) s -= 1;
        if (tx == 7 && ty == 3 && board(8, 4) == KAKU) {
          s -= 5;
          return s;
        }
      }
      return s;

    case GIN:
      if (ty > 1) {
        if (ty > fy) {
          const bool silver_on_rank5 =
              board(7, 5) == -GIN || board(8, 5) == -GIN || board(9, 5) == -GIN;
          if (silver_on_rank5) {
            if (fx == tx) s += 5;
          } else if (fx == tx) {
            s -= TENTH;
          }
        }
        if (board(tx, ty - 1) == KEI) s -= Score::tenths(5);
        if (tx == 7 && ty == 3 && board(8, 3) == HU && board(8, 5) == -HU) {
          s += 115;
          return s;
        }
      }
      return s;

    case KIN:
      if (ty > fy && fx != tx) s -= Score::tenths(5);
      if (ty == 4) {
        if (board(6, 4) == KAKU && ks(6, 4) > 0) {
          s -= 5;
          return s;
        }
      } else if (ty == 2) {
        if (board(8, 3) == HU && board(8, 6) == -HU && himo_sita(8, 6) == -HISHA && tx == 7) s += 10;
        if (hand_sita[6] > 0 && ku_start(tx, ty + 1) == 0 && board(tx, ty + 1) >= 10) {
          s += 2;
          if (ku_start(tx, ty + 2) == 1 && board(tx, ty + 2) == KAKU) {
            s += 125;
            return s;
          }
        }
      }
      return s;

    case KAKU:
      s += 調査_周辺状況(tx, ty);
      if (ty < 9) {
        if (ty == 3 && tx == 9 && board(9, 4) == HU && board(9, 6) == -HU && board(9, 9) == -KYOU)
          s -= 10;
        else if (ty == 3 && tx == 7 && board(8, 5) == -HU && himo_sita(8, 5) == -HISHA)
          s += 9;
        if (ks(tx, ty + 1) > 0) {
          if (調査_移動可場所数(tx, ty, KAKU) == 0) s -= 100;
          if (ty < 8 && board(tx, ty + 2) == -HU) s -= 1;
        }
      }
      if (fy == 3) {
        if (fx == 9 && board(9, 4) == HU && board(9, 6) == -HU && himo_sita(9, 6) == -KYOU)
          s += 10;
        else if (fx == 7 && board(8, 5) == -HU && himo_sita(8, 5) == -HISHA &&
                 ku_start(8, 4) > ku(8, 4))
          s -= 10;
      }
      if (fx == -1) {
        if (ty > 6 && 調査_移動可場所数(tx, ty, KAKU) <= 3) {
          s -= 20;
          return s;
        }
        if (ty == 5) {
          if ((tx == 1 || tx == 9) && board(tx, 7) == -HU) s -= 10;
          if (tx == 4 && ty == 5 && board(5, 8) == -KIN) {
            s -= 10;
            return s;
          }
        }
      }
      return s;

    case UMA:
      s += 調査_周辺状況(tx, ty);
      return s;

    case HISHA:
      s += 調査_周辺状況(tx, ty);
      if (fx == -1) {
        if (ty == 9 && board(tx, 8) == -GIN && tx > 1 && tx < 9) {
          if ((board(tx - 1, 9) != 0 && board(tx + 1, 8) == -KIN) ||
              (board(tx + 1, 9) != 0 && board(tx - 1, 8) == -KIN)) {
            s -= 1;
            return s;
          }
        }
        return s;
      }
      if (ks(tx, ty) == 0 && tx == 3 && ty == 4 && board(3, 7) == -KAKU && board(3, 6) == -HU &&
          board(3, 5) == 0)
        s += 7;
      if (ty < 8) {
        if (ks(tx, ty + 1) > 0) {
          s -= 1;
          if (board(tx, ty + 2) == -HU && fy == ty) s -= 5;
        }
        if (fy < 9 && board(8, fy + 1) == -HU && himo_sita(8, fy + 1) == -HISHA) {
          if (ku(8, fy) < ku_start(8, fy)) s -= 11;
          if (board(7, fy) == HU && ty != fy) s -= 11;
        }
        if (ks(fx, fy) == 0 && fx == 2 && fy == 2 && tx == 2 && ty == 3) s -= 1;
      }
      if (safe_or_only_king_attacks) {
        if (調査_移動可場所数(tx, ty, HISHA) <= 1) {
          s -= 35;
          return s;
        }
        if (lined_up_near_king) {
          s += 100;
          return s;
        }
      }
      return s;

    case RYU:
      s += 調査_周辺状況(tx, ty);
      if (board(tx, ty - 1) == -GIN && tx > 1 && tx < 9) {
        if ((board(tx - 1, ty) != 0 && board(tx + 1, ty - 1) == -KIN) ||
            (board(tx + 1, ty) != 0 && board(tx - 1, ty - 1) == -KIN))
          s -= 10;
      }
      if (fy == 9 && board(fx, 8) == -GIN) {
        if (fx > 1 && board(fx - 1, 8) == -KIN) s += 2;
        if (fx < 9 && board(fx + 1, 8) == -KIN) s += 2;
      }
      if (ty == 9 && board(tx, 8) <= -10) {
        if (tx == 3 && board(2, 9) <= -10 && board(4, 8) == -KIN) s -= 150;
        if (tx == 7 && board(8, 9) <= -10 && board(6, 8) == -KIN) s -= 150;
      }
      if (safe_or_only_king_attacks && lined_up_near_king) {
        s += 100;
        return s;
      }
      return s;

    case OU:
      if (ty > 3) s -= 15 + ty;
      if (tx != 5) s += 1;
      if (st_.PIN_FLAG_UE == 1) s += 10;
      if (ku(tx, ty) > ku_start(tx, ty)) s += 1;
      if (調査_移動可場所数(tx, ty, OU) < 2) {
        s -= 20;
        return s;
      }
      return s;

    default:
      // Promoted lance, knight and silver have no terms of their own.
      return s;
  }
}

}  // namespace korvel
