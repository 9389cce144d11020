#pragma once
// Games between two levels of the computer player, for telling how strong
// a level is: openings of four random legal moves from the initial position,
// each opening played twice with the sides swapped.

#include <cstdint>
#include <functional>
#include <string>

namespace korvel {

struct MatchScore {
  int wins = 0, draws = 0, losses = 0;  // from the first level's side
};

// Levels 1 to 6, each as the window plays it but level 6, which searches a
// fixed number of positions instead of two seconds (lookahead/levels.h).
// Each finished game is reported as one line "game N upper A lower B
// winner upper|lower|none moves M" (without the line end). A game still
// going after 300 moves is a draw; a side without a move loses.
MatchScore play_match(int level_a, int level_b, int games, std::uint32_t seed,
                      const std::function<void(const std::string&)>& report);

}  // namespace korvel
