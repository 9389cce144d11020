// The top level on every core against the top level on one thread, both
// with the same time a move: what the extra threads are worth in games.
// Usage: korvel_threads_match GAMES SEED MS [THREADS]; the first player
// is the one on THREADS threads (all cores when not given).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/match.h"
#include "lookahead/levels.h"

int main(int argc, char** argv) {
  using namespace korvel;
  if (argc < 4 || argc > 5) {
    std::fprintf(stderr, "usage: korvel_threads_match GAMES SEED MS [THREADS]\n");
    return 2;
  }
  const int games = std::atoi(argv[1]);
  const auto seed = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
  const int ms = std::atoi(argv[3]);
  const int threads = argc == 5 ? std::atoi(argv[4]) : LOOKAHEAD_ALL_CORES;
  if (games < 1 || ms < 1 || threads < 0 || threads > LOOKAHEAD_MAX_THREADS) {
    std::fprintf(stderr, "korvel_threads_match: GAMES and MS from 1, THREADS from 1 to %d\n", LOOKAHEAD_MAX_THREADS);
    return 2;
  }
  const MatchPlayer many{TOP_LEVEL, {.time_ms = ms, .threads = threads}};
  const MatchPlayer one{TOP_LEVEL, {.time_ms = ms, .threads = 1}};
  std::printf("threads %d against 1, %d ms a move\n", Lookahead::thread_count(many.limits), ms);
  const MatchScore s = play_match(many, one, games, seed, [](const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  });
  std::printf("score %d %d %d\n", s.wins, s.draws, s.losses);
  return 0;
}
