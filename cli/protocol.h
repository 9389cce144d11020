#pragma once
// The analysis tool's line protocol: one command in, its answer out. The
// session keeps every piece of state from one command to the next, just as
// the game would, so that a sequence of commands replays what the program
// does; only `position` starts afresh.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "board/position.h"
#include "engine/engine.h"
#include "lookahead/lookahead.h"

namespace korvel {

class Protocol {
 public:
  Protocol();
  Protocol(const Protocol&) = delete;  // the engine refers to pos_ and st_
  Protocol& operator=(const Protocol&) = delete;
  // Answers one line (without its line end). The answer holds whole lines,
  // each ending in '\n'; it is empty for a command that prints nothing.
  std::string handle(std::string_view line);
  bool finished() const { return finished_; }
  const Position& position() const { return pos_; }
  const EngineState& engine_state() const { return st_; }
  // Where `match` reports each game as it ends (the tool prints them at
  // once); without it they come in the answer, before the score.
  void set_progress(std::function<void(const std::string&)> sink) { progress_ = std::move(sink); }

 private:
  void reset();
  std::string engine_command(std::string_view cmd, const std::vector<std::string_view>& f);
  std::string search_command(const std::vector<std::string_view>& f);
  // The look-ahead player: think, side, levels and match.
  std::string lookahead_command(std::string_view cmd, const std::vector<std::string_view>& f);
  // line: what follows the command word.
  std::string record_command(std::string_view line);
  // kif FILE and kif-record KIF RECORD (cli/kif_commands.cpp).
  std::string kif_command(std::string_view cmd, std::string_view line, const std::vector<std::string_view>& f);
  // review FILE [NODES [THREADS]] (cli/review_command.cpp).
  std::string review_command(const std::vector<std::string_view>& f);
  Position pos_;
  EngineState st_;
  Engine engine_{pos_, st_};
  bool finished_ = false;
  bool upper_to_move_ = true;  // for think; position sets it back to upper
  std::unique_ptr<Lookahead> lookahead_;
  std::function<void(const std::string&)> progress_;
};

}  // namespace korvel
