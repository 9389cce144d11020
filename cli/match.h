#pragma once
// Games between two levels of the computer player, for telling how strong
// a level is: openings of four random legal moves from the initial position,
// each opening played twice with the sides swapped.

#include <cstdint>
#include <functional>
#include <string>

#include "lookahead/lookahead.h"

namespace korvel {

struct MatchScore {
  int wins = 0, draws = 0, losses = 0;  // from the first player's side
};

// One side of a match: a level, and for the look-ahead levels the search it
// makes (a match may give one of its own, to weigh one search against
// another at the same level).
struct MatchPlayer {
  int level = 1;
  LookaheadLimits limits;
};

// The level as a match plays it: as the window does, but the top level,
// which searches a fixed number of positions instead of two seconds
// (lookahead/levels.h).
MatchPlayer match_player(int level);

// Each finished game is reported as one line "game N upper A lower B
// winner upper|lower|none moves M" (without the line end). A game still
// going after 300 moves is a draw; a side without a move loses.
MatchScore play_match(const MatchPlayer& a, const MatchPlayer& b, int games, std::uint32_t seed,
                      const std::function<void(const std::string&)>& report);
inline MatchScore play_match(int level_a, int level_b, int games, std::uint32_t seed,
                             const std::function<void(const std::string&)>& report) {
  return play_match(match_player(level_a), match_player(level_b), games, seed, report);
}

}  // namespace korvel
