#pragma once
// The player of the levels from 4 up, which looks ahead. Iterative deepening
// principal-variation search over the moves and drops of both sides, a
// quiescence search of captures, a transposition table, and an evaluation of
// its own. Taking a king ends the game, so a king within reach is the win the
// search looks for. It works on a copy of the position: the game's Position
// is never touched, and a search may run on another thread. Given more than
// one thread it searches on all of them at once, sharing the table: each
// helper's results there speed up the others ("lazy" parallel search).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "board/position.h"
#include "engine/candidate.h"

namespace korvel {

// The score of taking the king now; a king taken n plies later scores n less.
inline constexpr int LOOKAHEAD_WIN = 30000;

// LookaheadLimits::threads for one thread on every core of the machine.
inline constexpr int LOOKAHEAD_ALL_CORES = 0;
inline constexpr int LOOKAHEAD_MAX_THREADS = 64;

struct LookaheadLimits {
  int depth = 0;            // plies; 0 means as deep as the other limits allow
  int time_ms = 0;          // 0: no time limit
  std::uint64_t nodes = 0;  // 0: no node limit
  bool use_table = true;    // the transposition table
  // Null-move pruning and late-move reductions: faster, but what they skip
  // depends on the order moves are tried in.
  bool selective = true;
  // Threads searching together, or LOOKAHEAD_ALL_CORES. More than one makes
  // the move depend on how the threads happen to run: a search that must
  // play the same everywhere keeps to one.
  int threads = 1;
};

struct LookaheadInfo {
  int depth = 0;             // the deepest iteration completed
  std::uint64_t nodes = 0;   // positions visited in the whole search, by every thread
  long long time_ms = 0;     // since the search began
  int score = 0;             // for the side to move
  std::vector<Candidate> pv; // the expected line, first move first
};

struct LookaheadResult {
  std::optional<Candidate> best;  // none only when the side has no move
  LookaheadInfo info;
};

class Lookahead {
 public:
  // A table of 2^table_bits entries of 16 bytes.
  explicit Lookahead(int table_bits = 20);
  ~Lookahead();
  Lookahead(const Lookahead&) = delete;
  Lookahead& operator=(const Lookahead&) = delete;

  // Whether the search understands the position: every square empty or a
  // piece code of the game (111 included), at most one king a side.
  static bool can_search(const Position& pos);

  // Searches for the side to move (upper: the positive codes). Within the
  // limits it always has a move ready, even when stopped in its first
  // iteration. on_iteration is called after every completed iteration.
  LookaheadResult think(const Position& pos, bool upper_to_move, const LookaheadLimits& limits,
                        const std::function<void(const LookaheadInfo&)>& on_iteration = {});

  // Forgets the table, for a new game.
  void clear();

  // The threads a search with these limits runs on: one for every core
  // (at least one) for LOOKAHEAD_ALL_CORES, else as asked, at most
  // LOOKAHEAD_MAX_THREADS.
  static int thread_count(const LookaheadLimits& limits);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace korvel
