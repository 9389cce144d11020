#pragma once
// The fixed suite of positions the benchmarks (and the engine's golden test)
// run over: one line of 95 integers each, as korvel-cli's `position` takes.

#include <array>
#include <string>
#include <vector>

#include "board/position.h"

namespace korvel::bench {

using SuiteLine = std::array<int, 95>;

// Reads bench/positions.txt of the source tree; throws on a damaged file.
std::vector<SuiteLine> load_suite(const std::string& path);
std::string suite_path();

// Board in file-major order, then the lower hand, then the upper hand.
void set_position(Position& pos, const SuiteLine& line);

}  // namespace korvel::bench
