#pragma once
// Pieces left hanging: what the other side can take for free. On the
// cylinder a bishop re-entering at the far edge or a rook running round a
// rank reaches pieces a player does not think of as being in its line;
// the window frames them, and the review's players learn from them.

#include <vector>

#include "board/position.h"

namespace korvel {

struct HangingPiece {
  int x = 0, y = 0, code = 0;
};

// The pieces of one side (upper: the positive codes), its king aside, that a
// piece of the other side could take with its next move, lines round the
// cylinder included, where either no piece of their own could take back, or
// the cheapest taker is worth less than the piece taken (by the look-ahead's
// board values). Squares x, then y, ascending. A recapture is judged as the
// board stands: a line opened by the taker leaving its square, or a taker
// that may not leave its king, is not looked into.
std::vector<HangingPiece> 当たり駒(const Position& pos, bool upper);

}  // namespace korvel
