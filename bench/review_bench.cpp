// The review of a 100-move game at the window's budget, on one worker
// thread and on one a core: the whole review, and how long the first point
// of the graph (the first move judged) takes to appear.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <random>
#include <thread>
#include <vector>

#include "lookahead/levels.h"
#include "lookahead/review.h"

using namespace korvel;

namespace {

constexpr std::size_t PLIES = 100;

// LEVEL5 against LEVEL4 from four random moves: the first seed whose game
// lasts 100 moves. Movers alternate, the lower side first.
std::vector<Position> hundred_move_game() {
  for (std::uint32_t seed = 1;; ++seed) {
    std::mt19937 rng(seed);
    Position p;
    p.初期設定();
    std::vector<Position> game{p};
    Lookahead la;
    for (std::size_t n = 0; n < PLIES; ++n) {
      const bool upper = n % 2 == 1;
      std::optional<Candidate> m;
      if (n < 4) {
        p.調査_2歩フラグ設定();
        std::vector<Candidate> moves;
        合法手列挙(p, upper, [&](int fx, int fy, int tx, int ty, int pc) {
          if (移動後チェック(ty, pc)) moves.push_back({fx, fy, tx, ty, pc, pc, 0, {}});
        });
        m = moves[rng() % moves.size()];
      } else {
        m = la.think(p, upper, level_limits(upper ? 5 : 4, true)).best;
      }
      if (!m || std::abs(p.Board[m->tx][m->ty]) == OU) break;
      p.駒移動(m->fx, m->fy, m->tx, m->ty, m->piece);
      game.push_back(p);
    }
    if (game.size() == PLIES + 1) return game;
  }
}

void BM_ReviewHundredMoves(benchmark::State& state) {
  static const std::vector<Position> game = hundred_move_game();
  std::vector<int> movers;
  for (std::size_t n = 0; n < game.size(); ++n) movers.push_back(n % 2 == 0 ? REVIEW_LOWER : REVIEW_UPPER);
  const int threads = state.range(0) > 0 ? static_cast<int>(state.range(0))
                                         : static_cast<int>(std::thread::hardware_concurrency());
  double first = 0, cpu = 0;
  std::size_t plies = 0;
  for (auto _ : state) {
    // The process's processor time, every thread's: on a shared machine the
    // wall-clock time says more about the neighbours than about the review.
    const std::clock_t cpu_start = std::clock();
    const auto start = std::chrono::steady_clock::now();
    GameReview review(game, movers, REVIEW_NODES, threads);
    review.start();
    while (review.progress().plies.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    first = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    review.wait();
    cpu = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
    plies = review.progress().plies.size();
  }
  state.counters["cpu_s"] = cpu;
  state.counters["threads"] = threads;
  state.counters["first_point_s"] = first;
  state.counters["plies"] = static_cast<double>(plies);
}
BENCHMARK(BM_ReviewHundredMoves)->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
