// The computer player's cost: one attack-map rebuild, and one whole search of
// the computer's turn at each level, per position of the suite. The search
// counters give the median and the worst position (best of the repetitions
// for each position, so that a stray interruption does not count).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench/suite.h"
#include "engine/engine.h"

using namespace korvel;

namespace {

// A suite position as `position` leaves it: fresh engine state, maps built.
struct Prepared {
  Position pos;
  EngineState st;
};

std::vector<Prepared> prepare_suite() {
  const auto suite = bench::load_suite(bench::suite_path());
  std::vector<Prepared> out(suite.size());
  for (size_t i = 0; i < suite.size(); ++i) {
    bench::set_position(out[i].pos, suite[i]);
    Engine(out[i].pos, out[i].st).勢力調査();
  }
  return out;
}

void BM_勢力調査(benchmark::State& state) {
  auto ps = prepare_suite();
  size_t i = 0;
  for (auto _ : state) {
    Prepared& p = ps[i];
    Engine(p.pos, p.st).勢力調査();
    benchmark::ClobberMemory();
    i = i + 1 == ps.size() ? 0 : i + 1;
  }
  state.counters["positions"] = static_cast<double>(ps.size());
}
BENCHMARK(BM_勢力調査);

void BM_Search(benchmark::State& state) {
  const int level = static_cast<int>(state.range(0));
  const auto suite = prepare_suite();
  std::vector<double> best_us(suite.size(), 1e300);
  Prepared work;
  long candidates = 0;
  for (auto _ : state) {
    for (size_t i = 0; i < suite.size(); ++i) {
      state.PauseTiming();
      work = suite[i];
      work.st.COM_LEVEL = level;
      Engine eng(work.pos, work.st);
      state.ResumeTiming();
      const auto t0 = std::chrono::steady_clock::now();
      const auto best = eng.com_ban_探索();
      const auto t1 = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(best);
      candidates += best ? 1 : 0;
      best_us[i] = std::min(best_us[i], std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
  }
  std::vector<double> sorted = best_us;
  std::sort(sorted.begin(), sorted.end());
  state.counters["positions"] = static_cast<double>(sorted.size());
  state.counters["median_ms"] = sorted[sorted.size() / 2] / 1000.0;
  state.counters["worst_ms"] = sorted.back() / 1000.0;
  benchmark::DoNotOptimize(candidates);
}
BENCHMARK(BM_Search)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace
