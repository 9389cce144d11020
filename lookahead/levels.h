#pragma once
// The computer's strengths above the one-ply levels 1 to 3, each a step a
// player can climb. Levels 4 and 5 search a fixed number of positions, so
// that they play the same moves on every machine, fast or slow. Level 6
// thinks for two seconds in the window; in korvel-cli's match it searches
// instead about as many positions as one quiet core searches in a second,
// so that a match means the same wherever it runs.

#include "lookahead/lookahead.h"

namespace korvel {

inline constexpr int FIRST_LOOKAHEAD_LEVEL = 4;
inline constexpr int TOP_LEVEL = 6;

// Tuned by matches of each level against the one below. Level 4 looks at
// its moves and the captures that follow, but in a crowded position its
// budget runs out before it has looked at them all; level 5 mostly sees
// them all, and in a quiet position the replies too.
inline constexpr LookaheadLimits LEVEL4_LIMITS{.depth = 1, .nodes = 900};
inline constexpr LookaheadLimits LEVEL5_LIMITS{.nodes = 1600};
inline constexpr LookaheadLimits LEVEL6_LIMITS{.time_ms = 2000};
inline constexpr LookaheadLimits LEVEL6_MATCH_LIMITS{.nodes = 4000000};

// A look-ahead level's search as the window plays it, or as a match does.
constexpr LookaheadLimits level_limits(int level, bool in_match = false) {
  if (level <= FIRST_LOOKAHEAD_LEVEL) return LEVEL4_LIMITS;
  if (level == 5) return LEVEL5_LIMITS;
  return in_match ? LEVEL6_MATCH_LIMITS : LEVEL6_LIMITS;
}

}  // namespace korvel
