// Legality tests per second: every move and drop of both sides over the suite,
// as `moves upper` and `moves lower` enumerate them.
#include <benchmark/benchmark.h>

#include "bench/suite.h"

using namespace korvel;

namespace {

int all_moves(Position& p) {
  int legal = 0;
  p.調査_2歩フラグ設定();
  for (bool upper : {true, false}) 合法手列挙(p, upper, [&](int, int, int, int, int) { ++legal; });
  return legal;
}

// Counts the calls one pass makes, so the rate is per legality test.
long tests_per_pass(const std::vector<Position>& ps) {
  long n = 0;
  for (const Position& p : ps) {
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y)
        if (p.Board[x][y] >= 10 || p.Board[x][y] <= -10) n += 81;
    for (int k = 1; k <= 7; ++k) n += 81 * ((p.HAND_UE[k] > 0) + (p.HAND_SITA[k] > 0));
  }
  return n;
}

void BM_AllMovesOfSuite(benchmark::State& state) {
  const auto suite = bench::load_suite(bench::suite_path());
  std::vector<Position> ps(suite.size());
  for (size_t i = 0; i < suite.size(); ++i) bench::set_position(ps[i], suite[i]);
  const long per_pass = tests_per_pass(ps);
  long legal = 0;
  for (auto _ : state)
    for (Position& p : ps) legal += all_moves(p);
  benchmark::DoNotOptimize(legal);
  state.counters["positions"] = static_cast<double>(ps.size());
  state.counters["tests/s"] =
      benchmark::Counter(static_cast<double>(per_pass) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AllMovesOfSuite)->Unit(benchmark::kMillisecond);

}  // namespace
