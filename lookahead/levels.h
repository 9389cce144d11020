#pragma once
// The computer's strengths above the one-ply levels 1 to 3, a ladder a
// player can climb one step at a time: each level wins most of its games
// against the level below, but not all. Every level but the top searches a
// fixed number of positions a move, on one thread, so that it plays the
// same moves on every machine, fast or slow. The top level thinks for two
// seconds on every core in the window; in korvel-cli's match it searches
// instead a fixed number of positions on one thread, so that a match means
// the same wherever it runs.

#include <cstddef>
#include <iterator>

#include "lookahead/lookahead.h"

namespace korvel {

inline constexpr int FIRST_LOOKAHEAD_LEVEL = 4;

// Levels 4 up to the one below the top, tuned by matches of each level
// against the one below (the help page gives the scores). Level 4 looks at
// its moves and the captures that follow, but in a crowded position its
// budget runs out before it has looked at them all; level 5 mostly sees
// them all, and in a quiet position the replies too. From there each level
// searches about 2.2 times the positions of the one below, the step that
// wins three games in four, up to the top's fixed budget in a match; but
// 385 000 positions won 92 % against 175 000, so 260 000 lies between.
inline constexpr LookaheadLimits BUDGET_LEVELS[] = {
    {.depth = 1, .nodes = 900},  // 4
    {.nodes = 1600},             // 5
    {.nodes = 3500},             // 6
    {.nodes = 7700},             // 7
    {.nodes = 17000},            // 8
    {.nodes = 37000},            // 9
    {.nodes = 80000},            // 10
    {.nodes = 175000},           // 11
    {.nodes = 260000},           // 12
    {.nodes = 385000},           // 13
    {.nodes = 850000},           // 14
    {.nodes = 1850000},          // 15
};

inline constexpr int TOP_LEVEL = FIRST_LOOKAHEAD_LEVEL + static_cast<int>(std::size(BUDGET_LEVELS));
inline constexpr LookaheadLimits TOP_LIMITS{.time_ms = 2000, .threads = LOOKAHEAD_ALL_CORES};
// About as many positions as one quiet core searches in a second.
inline constexpr LookaheadLimits TOP_MATCH_LIMITS{.nodes = 4000000};

// A look-ahead level's search as the window plays it, or as a match does.
constexpr LookaheadLimits level_limits(int level, bool in_match = false) {
  if (level >= TOP_LEVEL) return in_match ? TOP_MATCH_LIMITS : TOP_LIMITS;
  const int step = level < FIRST_LOOKAHEAD_LEVEL ? 0 : level - FIRST_LOOKAHEAD_LEVEL;
  return BUDGET_LEVELS[static_cast<std::size_t>(step)];
}

// The ladder had six levels before it grew; a settings file of those days
// says nothing of its height, and its level 6 was the top.
inline constexpr int SIX_LEVEL_LADDER = 6;

// The level a kept choice stands for now: the top of the ladder the file
// was written with is the top of today's, whatever its number; a level this
// ladder has not is 0 (none).
constexpr int level_from_settings(int level, int ladder_then) {
  if (ladder_then < 1) ladder_then = SIX_LEVEL_LADDER;
  if (level == ladder_then) return TOP_LEVEL;
  return level >= 1 && level <= TOP_LEVEL ? level : 0;
}

}  // namespace korvel
