// The look-ahead player's speed over the suite: positions visited per second
// (a fixed number of nodes from every position), and the depth its search
// completes when given one second, as level 6 is given two.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "bench/suite.h"
#include "lookahead/lookahead.h"

using namespace korvel;

namespace {

std::vector<Position> suite_positions() {
  std::vector<Position> out;
  for (const auto& line : bench::load_suite(bench::suite_path())) {
    Position p;
    bench::set_position(p, line);
    out.push_back(p);
  }
  return out;
}

void BM_LookaheadNodes(benchmark::State& state) {
  const auto suite = suite_positions();
  const auto budget = static_cast<std::uint64_t>(state.range(0));
  Lookahead la;
  std::uint64_t nodes = 0;
  for (auto _ : state)
    for (const Position& p : suite) {
      state.PauseTiming();
      la.clear();
      state.ResumeTiming();
      nodes += la.think(p, true, {.nodes = budget}).info.nodes;
    }
  state.counters["nodes_per_s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
  state.counters["positions"] = static_cast<double>(suite.size());
}
BENCHMARK(BM_LookaheadNodes)->Arg(50000)->Iterations(1)->Unit(benchmark::kSecond);

// Every stride-th suite position, one second each.
void BM_LookaheadDepthInOneSecond(benchmark::State& state) {
  const auto suite = suite_positions();
  const auto stride = static_cast<std::size_t>(state.range(0));
  Lookahead la;
  std::vector<int> depths;
  std::uint64_t nodes = 0;
  for (auto _ : state)
    for (std::size_t i = 0; i < suite.size(); i += stride) {
      la.clear();
      const LookaheadResult r = la.think(suite[i], true, {.time_ms = 1000});
      depths.push_back(r.info.depth);
      nodes += r.info.nodes;
    }
  std::sort(depths.begin(), depths.end());
  state.counters["median_depth"] = depths[depths.size() / 2];
  state.counters["min_depth"] = depths.front();
  state.counters["max_depth"] = depths.back();
  state.counters["nodes_per_s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LookaheadDepthInOneSecond)->Arg(8)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
