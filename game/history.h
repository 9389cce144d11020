#pragma once
// The positions of a game: entry n is the position after n moves, with the
// two sides' thinking totals before and after move n + 1. Moves are not
// stored; the move that led to a position is found by comparing two entries.

#include "board/position.h"

namespace korvel {

inline constexpr int HIST_MAX = 500;  // entries 0..500

struct MoveResult {
  int x = 0, y = 0, piece = 0;  // all 0: no square qualified
};

class History {
 public:
  // The entry the next move writes, which is also the number of the
  // current position; and the highest entry a forward step may reach.
  int HIST_INDEX = 0;
  int HIST_LAST = 0;

  int HIST_BOARD[HIST_MAX + 1][10][10]{};
  int HIST_HAND_SITA[HIST_MAX + 1][8]{};
  int HIST_HAND_UE[HIST_MAX + 1][8]{};
  double HIST_TIME_SITA_BEFORE[HIST_MAX + 1]{};
  double HIST_TIME_SITA_AFTER[HIST_MAX + 1]{};
  double HIST_TIME_UE_BEFORE[HIST_MAX + 1]{};
  double HIST_TIME_UE_AFTER[HIST_MAX + 1]{};

  static bool stored(int n) { return n >= 0 && n <= HIST_MAX; }

  // Stores entry HIST_INDEX from the position and the four times, then
  // HIST_LAST := HIST_INDEX. Past the last entry nothing is written and the
  // indices stay: a long game goes on, its history simply stops growing.
  void 手順保存(const Position& pos, double t_sita_before, double t_sita_after, double t_ue_before,
               double t_ue_after);

  // Board and hands of entry n into pos (the caller recounts the totals).
  // false, pos untouched, when n is no entry.
  bool 復元(int n, Position& pos) const;

  // The first square (x, then y ascending) whose content differs between
  // entries n - 1 and n and is not empty in entry n.
  MoveResult 調査_移動結果(int n) const;
};

}  // namespace korvel
