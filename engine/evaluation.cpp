// 盤評価: the score of one candidate of the computer, read off the attack
// maps of the position after it. The steps run in a fixed order and several
// end the evaluation early; the order is part of how the computer plays.
#include <cstdlib>

#include "engine/engine.h"
#include "engine/map_access.h"

namespace korvel {

namespace {

inline bool major(int code) { return code == -KAKU || code == -UMA || code == -HISHA || code == -RYU; }

}  // namespace

Score Engine::盤評価(int cap, int pc, int fx, int fy, int tx, int ty) {
  const auto& B = pos_.Board;
  const auto& KS = st_.KIKI_SITA;
  const auto& KU = st_.KIKI_UE;
  const int ksx = pos_.KING_SITA_X, ksy = pos_.KING_SITA_Y;
  const int kux = pos_.KING_UE_X, kuy = pos_.KING_UE_Y;
  const int ks_to = map_at(KS, tx, ty);
  const int ku_to = map_at(KU, tx, ty);
  const int atari_to = map_at(st_.ATARI_SITA, tx, ty);
  const bool drop = fx < 0;

  if (cap == -OU) return 9999;
  if (map_at(KS, kux, kuy) >= 1) return -9998;

  Score s;
  const bool check_given = map_at(KU, ksx, ksy) > 0;
  if (check_given) {
    // Mate by a pawn, pushed or dropped, is shunned like an illegal move.
    if (詰めかMAN() == 1) return pc == HU ? -9998 : 9998;
    if (atari_to == -OU && ku_to > 0) s += 100;
    // A dragon-backed checker diagonally next to the king, lined up with it.
    if (ks_to <= 2 && map_at(st_.HIMO_UE, tx, ty) == RYU && tx != ksx && ty != ksy &&
        std::abs(tx - ksx) < 2 && std::abs(ty - ksy) < 2 &&
        (map_at(st_.HIMO_X_UE, tx, ty) == ksx || map_at(st_.HIMO_Y_UE, tx, ty) == ksy))
      s += 900;
    if (ks_to == 0) s += 10;
  }

  if (drop)
    s -= 5;
  else if (pc > st_.TRY_PIECE)
    s += 10;

  s += 盤評価_COM危険座標(pc, tx, ty);

  {
    const int dx = std::abs(ksx - tx), dy = std::abs(ksy - ty);
    if (dx > dy && st_.KING_DISTANCE_START > dx) s += 1;
    if (dx <= dy && st_.KING_DISTANCE_START > dy) s += TENTH;
  }

  {
    // The cheapest attacker of the moved piece is pinned to its king: taking
    // would expose the king, and the piece may take that attacker instead.
    const int ax = map_at(st_.ATARI_X_SITA, tx, ty), ay = map_at(st_.ATARI_Y_SITA, tx, ty);
    const int ks_a = map_at(KS, ax, ay);
    const bool guarded_and_pinned = ks_a > 0 && map_at(st_.PIN_SITA, ax, ay) == 1;
    const bool attacked_once = ks_to == 1 || (ks_to == 2 && check_given && ku_to > 0);
    const bool lined = (ax == ksx && tx != ksx) || (ay == ksy && ty != ksy) ||
                       ((tx == ksx || ty == ksy) && ax != ksx && ay != ksy);
    if (guarded_and_pinned && attacked_once && lined &&
        pos_.移動チェック(tx, ty, ax, ay, st_.TRY_PIECE) == 1) {
      const bool attacked_at_start =
          drop || map_at(B, map_at(st_.ATARI_X_UE_START, ax, ay), map_at(st_.ATARI_Y_UE_START, ax, ay)) != 0;
      if (attacked_at_start) s += Score::abs_of(map_at(B, ax, ay));
    }
  }

  if (ks_to == 0) {
    if (pc != KAKU && pc != UMA && pc != OU && pc != HU) s -= 盤評価_自角注意_COM(tx, ty, pc);
    if ((std::abs(ksx - tx) < 3 && std::abs(ksy - ty) < 3) || pc == KYOU ||
        (pc >= KAKU && pc <= RYU)) {
      const int escapes = 調査_自王逃道();
      if (st_.BASE_SAFETY > escapes) s += st_.BASE_SAFETY - escapes;
    }
  } else if (ku_to > 0) {
    const int* hand = pos_.HAND_SITA;
    if ((hand[4] > 0 || hand[5] > 0) && tx > 1 && tx < 9) {
      const int left = map_at(B, tx - 1, ty), right = map_at(B, tx + 1, ty);
      const bool pinned_row = ((left == -HISHA || left == -RYU) && right == OU) ||
                              ((right == -HISHA || right == -RYU) && left == OU);
      if (pinned_row) s -= pc;
    }
    if (Score::abs_of(atari_to) < Score(pc)) s += Score::abs_of(atari_to) - Score(pc);
    if (atari_to == -OU && ty < ksy && check_given) s += pc;
  } else if (drop) {
    s -= Score(pc) + 50;
  }

  if (map_at(B, tx, 9) == -KYOU && (tx == 1 || tx == 9) && pc != KYOU && pc != HISHA && pc != RYU &&
      fx != tx)
    s -= TENTH;

  if (cap != 0) {
    if (major(cap) && pc <= KIN) s += Score::abs_of(cap);
    if (st_.COM_LEVEL == 1) return s;
    if (ks_to > 0) {
      if (ku_to > 0 && Score(map_at(B, tx, ty)) < Score::abs_of(atari_to)) s += Score::abs_of(cap);
      if (ku_to == 0 && map_at(st_.KIKI_SITA_START, fx, fy) > 0 && 調査_移動可場所数(fx, fy, pc) == 0)
        s += Score::abs_of(cap);
    } else {
      s += Score::abs_of(cap);
      if (cap == -TO || cap == -NARIKYOU || cap == -NARIKEI) s += 50;
    }
  }
  if (st_.COM_LEVEL == 2) return s;

  s += 盤評価_駒固有(cap, pc, fx, fy, tx, ty);
  return s;
}

}  // namespace korvel
