#include "engine/turned.h"

#include <climits>

#include "engine/engine.h"

namespace korvel {

namespace {

int turned_square_code(int code) {
  // Negating INT_MIN has no answer; such a square holds no piece anyway.
  return code == INT_MIN ? 0 : -code;
}

}  // namespace

Position 盤面_反転(const Position& pos) {
  Position t = pos;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) t.Board[10 - x][10 - y] = turned_square_code(pos.Board[x][y]);
  for (int k = 1; k <= 7; ++k) {
    t.HAND_SITA[k] = pos.HAND_UE[k];
    t.HAND_UE[k] = pos.HAND_SITA[k];
  }
  t.HAND_COUNT_SITA = pos.HAND_COUNT_UE;
  t.HAND_COUNT_UE = pos.HAND_COUNT_SITA;
  t.KING_SITA_X = pos.KING_UE_X == 0 ? 0 : 10 - pos.KING_UE_X;
  t.KING_SITA_Y = pos.KING_UE_Y == 0 ? 0 : 10 - pos.KING_UE_Y;
  t.KING_UE_X = pos.KING_SITA_X == 0 ? 0 : 10 - pos.KING_SITA_X;
  t.KING_UE_Y = pos.KING_SITA_Y == 0 ? 0 : 10 - pos.KING_SITA_Y;
  t.SITA_SIDE = pos.UE_SIDE;
  t.UE_SIDE = pos.SITA_SIDE;
  t.調査_2歩フラグ設定();
  return t;
}

Candidate 手_反転(const Candidate& c) {
  Candidate t = c;
  if (c.fx == HAND_X_UE) {
    t.fx = HAND_X_SITA;
    t.fy = c.fy + 2;
  } else if (c.fx == HAND_X_SITA) {
    t.fx = HAND_X_UE;
    t.fy = c.fy - 2;
  } else {
    t.fx = 10 - c.fx;
    t.fy = 10 - c.fy;
  }
  t.tx = 10 - c.tx;
  t.ty = 10 - c.ty;
  t.piece = -c.piece;
  t.stood = -c.stood;
  t.captured = -c.captured;
  return t;
}

std::optional<Candidate> 一手探索(const Position& pos, bool upper, int level) {
  Position work = upper ? pos : 盤面_反転(pos);
  EngineState st;
  st.COM_LEVEL = level;
  Engine eng(work, st);
  // The maps as the other side's move left them, which the turn starts from.
  eng.勢力調査();
  const std::optional<Candidate> best = eng.com_ban_探索();
  if (!best || upper) return best;
  return 手_反転(*best);
}

}  // namespace korvel
