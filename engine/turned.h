#pragma once
// The one-ply levels only ever play the upper side. Turned by 180 degrees
// with the codes negated, a position on the cylinder is the same game seen
// from the other chair (the seam stays between files 1 and 9), so they can
// play the lower side on the turned board.

#include <optional>

#include "board/position.h"
#include "engine/candidate.h"

namespace korvel {

// Board[x][y] goes to Board[10 - x][10 - y] with its sign changed, and the
// two hands change places. King squares and pawn files follow.
Position 盤面_反転(const Position& pos);

// A move on the turned board as a move on the original one, and back: the
// same mapping both ways. Drops change hands (-1 / slot and 11 / slot + 2).
Candidate 手_反転(const Candidate& c);

// The move levels 1 to 3 choose for either side, from a fresh start as
// after the other side's move: the search of the computer's turn, on the
// turned board for the lower side.
std::optional<Candidate> 一手探索(const Position& pos, bool upper, int level);

}  // namespace korvel
