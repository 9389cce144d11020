#pragma once
// One move the computer's search has scored, in the form the turn plays it
// and korvel-cli prints it.

#include "engine/score.h"

namespace korvel {

struct Candidate {
  int fx = 0, fy = 0;  // origin; a drop has fx = -1 and fy = the hand slot
  int tx = 0, ty = 0;
  int piece = 0;       // what is placed on the destination, after promotion
  int stood = 0;       // the piece as it stood on the origin (a drop: the dropped piece)
  int captured = 0;    // what stood on the destination before the move
  Score score;
};

}  // namespace korvel
