#pragma once
// The positions of a game: entry n is the position after n moves, with the
// two sides' thinking totals before and after move n + 1 and the pieces that
// are to move there. Moves are not stored; the move that led to a position is
// found by comparing two entries.

#include "board/position.h"
#include "records/record_file.h"

namespace korvel {

inline constexpr int HIST_MAX = 500;  // entries 0..500

// Which pieces move at an entry: the sign of their codes.
inline constexpr int MOVER_UE = 1;
inline constexpr int MOVER_SITA = -1;
inline constexpr int MOVER_UNKNOWN = 0;

struct MoveResult {
  int x = 0, y = 0, piece = 0;  // all 0: no square qualified
  int promoted = 0;  // 1 when the piece was promoted by this move
};

struct Totals {
  double sita = 0, ue = 0;
};

class History {
 public:
  // The entry the next move writes, which is also the number of the
  // current position; and the highest entry a forward step may reach.
  // HIST_INDEX passes HIST_MAX in a game longer than the store; HIST_LAST
  // never does.
  int HIST_INDEX = 0;
  int HIST_LAST = 0;

  int HIST_BOARD[HIST_MAX + 1][10][10]{};
  int HIST_HAND_SITA[HIST_MAX + 1][8]{};
  int HIST_HAND_UE[HIST_MAX + 1][8]{};
  double HIST_TIME_SITA_BEFORE[HIST_MAX + 1]{};
  double HIST_TIME_SITA_AFTER[HIST_MAX + 1]{};
  double HIST_TIME_UE_BEFORE[HIST_MAX + 1]{};
  double HIST_TIME_UE_AFTER[HIST_MAX + 1]{};
  // MOVER_UE or MOVER_SITA: who moved from entry n, or for the newest entry
  // who is to move there. A pass of the computer makes these differ from a
  // plain alternation.
  int HIST_MOVER[HIST_MAX + 1]{};

  static bool stored(int n) { return n >= 0 && n <= HIST_MAX; }
  // The newest entry a position may be stepped to: the store ends at HIST_MAX.
  static int 上限(int n) { return n < HIST_MAX ? n : HIST_MAX; }

  // Stores entry HIST_INDEX from the position, the four times and the pieces
  // to move there (from pos.SIDE_TO_MOVE), then HIST_LAST := HIST_INDEX. Past
  // the last entry nothing is written and the indices stay: a long game goes
  // on, its history simply stops growing.
  void 手順保存(const Position& pos, double t_sita_before, double t_sita_after, double t_ue_before,
               double t_ue_after);

  // Board and hands of entry n into pos (the caller recounts the totals).
  // false, pos untouched, when n is no entry.
  bool 復元(int n, Position& pos) const;

  // The two totals the game had at entry n; zero for no entry.
  Totals 所有時間(int n) const;
  // The side value whose pieces move at entry n, for a position whose sides
  // are given; 0 when the entry does not say.
  int 手番(int n, const Position& pos) const;
  void 手番_設定(int n, int mover) {
    if (stored(n)) HIST_MOVER[n] = mover;
  }
  // Fills HIST_MOVER of entries 0..last from the moves between them, for a
  // store filled from a file: the pieces of move n + 1 move at entry n, and
  // the newest entry belongs to the other side.
  void 手番_推定(int last);

  // Entry n as a record file's line (clocks in whole seconds), and a
  // record's line stored as entry n; no entry, an empty line / nothing.
  RecordEntry 棋譜行(int n) const;
  void 棋譜行_格納(int n, const RecordEntry& e);

  // The first square (x, then y ascending) whose content differs between
  // entries n - 1 and n and is not empty in entry n; promoted when the square
  // the move emptied held that piece unpromoted.
  MoveResult 調査_移動結果(int n) const;

 private:
  // 1 when piece, standing promoted in entry n, stood unpromoted on a square
  // the move from entry n - 1 emptied.
  int 成った(int n, int piece) const;
};

}  // namespace korvel
