// The look-ahead player's speed over the suite: positions visited per second
// (a fixed number of nodes from every position), the depth its search
// completes when given one second, as the top level is given two, and the
// positions a second of one thread and of several searching together.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
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

// Positions a second of a two-second search from one position (the start,
// or a suite position) with the given number of threads, from a clean table.
void BM_LookaheadThreads(benchmark::State& state) {
  const auto suite = suite_positions();
  Position start;
  start.初期設定();
  start.調査_2歩フラグ設定();
  const auto index = static_cast<std::size_t>(state.range(0));
  const Position& p = index == 0 ? start : suite[index];
  const int threads = static_cast<int>(state.range(1));
  Lookahead la;
  std::uint64_t nodes = 0;
  int depth = 0;
  double cpu_s = 0;
  for (auto _ : state) {
    la.clear();
    const std::clock_t cpu = std::clock();
    const LookaheadResult r = la.think(p, true, {.time_ms = 2000, .threads = threads});
    cpu_s += static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
    nodes += r.info.nodes;
    depth = r.info.depth;
  }
  state.counters["nodes_per_s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
  // On a busy machine the threads do not each get a core all the time;
  // this is the rate they would have, given one each.
  state.counters["nodes_per_cpu_s_x_threads"] = static_cast<double>(nodes) / cpu_s * threads;
  state.counters["depth"] = depth;
}
BENCHMARK(BM_LookaheadThreads)
    ->ArgsProduct({{0, 40, 120, 200}, {1, 2}})
    ->ArgNames({"position", "threads"})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

}  // namespace
