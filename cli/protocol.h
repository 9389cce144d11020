#pragma once
// The analysis tool's line protocol: one command in, its answer out. The
// session keeps every piece of state from one command to the next, just as
// the game would, so that a sequence of commands replays what the program
// does; only `position` starts afresh.

#include <string>
#include <string_view>

#include "board/position.h"

namespace korvel {

class Protocol {
 public:
  Protocol();
  // Answers one line (without its line end). The answer holds whole lines,
  // each ending in '\n'; it is empty for a command that prints nothing.
  std::string handle(std::string_view line);
  bool finished() const { return finished_; }
  const Position& position() const { return pos_; }

 private:
  void reset();
  Position pos_;
  bool finished_ = false;
};

}  // namespace korvel
