#include "game/history.h"

#include <algorithm>
#include <cstring>

namespace korvel {

void History::手順保存(const Position& pos, double t_sita_before, double t_sita_after, double t_ue_before,
                      double t_ue_after) {
  const int n = HIST_INDEX;
  if (!stored(n)) return;
  std::memcpy(HIST_BOARD[n], pos.Board, sizeof pos.Board);
  std::memcpy(HIST_HAND_SITA[n], pos.HAND_SITA, sizeof pos.HAND_SITA);
  std::memcpy(HIST_HAND_UE[n], pos.HAND_UE, sizeof pos.HAND_UE);
  HIST_TIME_SITA_BEFORE[n] = t_sita_before;
  HIST_TIME_SITA_AFTER[n] = t_sita_after;
  HIST_TIME_UE_BEFORE[n] = t_ue_before;
  HIST_TIME_UE_AFTER[n] = t_ue_after;
  HIST_MOVER[n] = pos.SIDE_TO_MOVE == pos.UE_SIDE     ? MOVER_UE
                  : pos.SIDE_TO_MOVE == pos.SITA_SIDE ? MOVER_SITA
                                                      : MOVER_UNKNOWN;
  HIST_LAST = n;
}

bool History::復元(int n, Position& pos) const {
  if (!stored(n)) return false;
  std::memcpy(pos.Board, HIST_BOARD[n], sizeof pos.Board);
  std::memcpy(pos.HAND_SITA, HIST_HAND_SITA[n], sizeof pos.HAND_SITA);
  std::memcpy(pos.HAND_UE, HIST_HAND_UE[n], sizeof pos.HAND_UE);
  return true;
}

RecordEntry History::棋譜行(int n) const {
  RecordEntry e;
  if (!stored(n)) return e;
  std::copy(&HIST_BOARD[n][0][0], &HIST_BOARD[n][0][0] + 100, &e.board[0][0]);
  std::copy(HIST_HAND_SITA[n], HIST_HAND_SITA[n] + 8, e.hand_sita);
  std::copy(HIST_HAND_UE[n], HIST_HAND_UE[n] + 8, e.hand_ue);
  e.time_sita_before = 棋譜_秒(HIST_TIME_SITA_BEFORE[n]);
  e.time_sita_after = 棋譜_秒(HIST_TIME_SITA_AFTER[n]);
  e.time_ue_before = 棋譜_秒(HIST_TIME_UE_BEFORE[n]);
  e.time_ue_after = 棋譜_秒(HIST_TIME_UE_AFTER[n]);
  return e;
}

void History::棋譜行_格納(int n, const RecordEntry& e) {
  if (!stored(n)) return;
  std::copy(&e.board[0][0], &e.board[0][0] + 100, &HIST_BOARD[n][0][0]);
  std::copy(e.hand_sita, e.hand_sita + 8, HIST_HAND_SITA[n]);
  std::copy(e.hand_ue, e.hand_ue + 8, HIST_HAND_UE[n]);
  HIST_TIME_SITA_BEFORE[n] = e.time_sita_before;
  HIST_TIME_SITA_AFTER[n] = e.time_sita_after;
  HIST_TIME_UE_BEFORE[n] = e.time_ue_before;
  HIST_TIME_UE_AFTER[n] = e.time_ue_after;
}

Totals History::所有時間(int n) const {
  if (!stored(n)) return {};
  return {HIST_TIME_SITA_BEFORE[n], HIST_TIME_UE_BEFORE[n]};
}

int History::手番(int n, const Position& pos) const {
  if (!stored(n)) return SIDE_NONE;
  if (HIST_MOVER[n] == MOVER_UE) return pos.UE_SIDE;
  if (HIST_MOVER[n] == MOVER_SITA) return pos.SITA_SIDE;
  return SIDE_NONE;
}

void History::手番_推定(int last) {
  last = 上限(last);
  const auto mover_of = [this](int n) {
    const int piece = 調査_移動結果(n).piece;
    return piece > 0 ? MOVER_UE : piece < 0 ? MOVER_SITA : MOVER_UNKNOWN;
  };
  if (last <= 0) HIST_MOVER[0] = MOVER_UNKNOWN;
  for (int n = 0; n < last; ++n) HIST_MOVER[n] = mover_of(n + 1);
  if (last >= 1) HIST_MOVER[last] = -mover_of(last);
  // A damaged line shows no move: go on alternating from the entry before.
  for (int n = 1; n <= last; ++n)
    if (HIST_MOVER[n] == MOVER_UNKNOWN) HIST_MOVER[n] = -HIST_MOVER[n - 1];
}

int History::成った(int n, int piece) const {
  const int size = piece < 0 ? -piece : piece;
  if (size % 10 != 1) return 0;  // promoted codes end in 1
  const int unpromoted = piece < 0 ? piece + 1 : piece - 1;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (HIST_BOARD[n][x][y] == 0 && HIST_BOARD[n - 1][x][y] == unpromoted) return 1;
  return 0;
}

MoveResult History::調査_移動結果(int n) const {
  if (!stored(n) || !stored(n - 1)) return {};
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      const int now = HIST_BOARD[n][x][y];
      if (now != 0 && now != HIST_BOARD[n - 1][x][y]) return {x, y, now, 成った(n, now)};
    }
  return {};
}

}  // namespace korvel
