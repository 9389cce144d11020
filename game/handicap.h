#pragma once
// The 21 handicap grades, -10 ("名人") to 10 ("12級"). Each step away from 0
// takes one more piece off one side: toward 10 the upper side's, toward -10
// the lower side's. Every step changes exactly one square.

#include "board/position.h"

namespace korvel {

inline constexpr int HANDICAP_MIN = -10;
inline constexpr int HANDICAP_MAX = 10;

struct HandicapSquare {
  int x = 0, y = 0, code = 0;
};

// The piece that is taken off when grade g (g != 0) is reached from the
// grade nearer 0; grade 0 has none (code 0).
HandicapSquare handicap_square(int grade);

// One grade up ("△") or down ("▽") from grade: takes the piece of the new
// grade off, or puts back the one of the grade left behind. Returns the
// square that changed (code 0 at the ends of the scale, where nothing
// changes) and updates grade.
HandicapSquare handicap_up(Position& pos, int& grade);
HandicapSquare handicap_down(Position& pos, int& grade);

}  // namespace korvel
