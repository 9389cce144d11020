// Fits K, the scale of the review's winning chance (lookahead/review.h), to
// games the computer plays against itself, by default a player of 40 000
// positions a move against one of 20 000, from
// openings of random legal moves, each opening played twice with the sides
// swapped. Every STRIDE-th position from the end of the opening on is
// searched as the review searches, to NODES positions (fewer than the
// review's own budget: K hardly moves with it, 1 896 at 20 000 nodes and
// 1 953 at 100 000 over 200 games), and K is the one that
// makes the games' results most likely given those scores. Positions in
// which the search already sees a king taken say nothing about the scale
// and are left out. Prints K, the number of positions and a table of the
// predicted chance against the share of games won, by band.
//
//   korvel_fit_scale [GAMES [SEED [NODES [STRIDE [THREADS [A B]]]]]]
//
// Defaults 2000 1 20000 3 0 40000 20000: one worker a core, and an odd stride, so
// that both sides' positions are taken (the side to move has an edge the
// scale does not model). The same arguments give the same K at any thread
// count. A player A or B is a level (4 to the top, as a match plays it) or,
// above the top, a number of nodes a move.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <vector>

#include "lookahead/levels.h"
#include "lookahead/review.h"

using namespace korvel;

namespace {

constexpr int OPENING_MOVES = 6;
constexpr int MAX_MOVES = 300;

Position after(Position p, const Candidate& m) {
  p.駒移動(m.fx, m.fy, m.tx, m.ty, m.piece);
  return p;
}

bool has_king(const Position& p, int code) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (p.Board[x][y] == code) return true;
  return false;
}

// Random legal moves from the initial position, the lower side first;
// pieces that would be dead unpromoted promote.
Position opening(std::mt19937& rng) {
  Position p;
  p.初期設定();
  for (int i = 0; i < OPENING_MOVES; ++i) {
    p.調査_2歩フラグ設定();
    std::vector<Candidate> moves;
    合法手列挙(p, i % 2 == 1, [&](int fx, int fy, int tx, int ty, int pc) {
      moves.push_back(Candidate{fx, fy, tx, ty, pc, pc, 0, {}});
    });
    Candidate m = moves[rng() % moves.size()];
    if (移動後チェック(m.ty, m.stood) == 0 && p.調査_駒成(m.fx, m.fy, m.tx, m.ty, m.stood) == 1)
      m.piece = p.PROMOTED_CODE;
    p = after(p, m);
  }
  return p;
}

struct Game {
  std::vector<Position> positions;  // from the end of the opening on
  int winner = 0;                   // REVIEW_UPPER, REVIEW_LOWER or 0 for a draw
};

// The lower side moves first after an even opening. A side without a move
// or without its king has lost; a game still going at MAX_MOVES is drawn.
LookaheadLimits limits(long long player) {
  return player <= TOP_LEVEL ? level_limits(static_cast<int>(player), true)
                             : LookaheadLimits{.nodes = static_cast<std::uint64_t>(player)};
}

Game play(Position p, long long upper_player, long long lower_player) {
  Lookahead upper(20), lower(20);
  Game g;
  for (int n = OPENING_MOVES; n < MAX_MOVES; ++n) {
    const bool up = n % 2 == 1;
    g.positions.push_back(p);
    if (!has_king(p, up ? OU : -OU)) {
      g.winner = up ? REVIEW_LOWER : REVIEW_UPPER;
      return g;
    }
    const auto m = (up ? upper : lower).think(p, up, limits(up ? upper_player : lower_player)).best;
    if (!m) {
      g.winner = up ? REVIEW_LOWER : REVIEW_UPPER;
      return g;
    }
    p = after(p, *m);
  }
  return g;
}

}  // namespace

int main(int argc, char** argv) {
  const auto arg = [&](int i, long long fallback) { return argc > i ? std::atoll(argv[i]) : fallback; };
  const int games = static_cast<int>(arg(1, 2000));
  const auto seed = static_cast<std::uint32_t>(arg(2, 1));
  const auto nodes = static_cast<std::uint64_t>(arg(3, 20000));
  const int stride = static_cast<int>(arg(4, 3));
  const int threads = static_cast<int>(arg(5, 0));
  const long long a = arg(6, 40000), b = arg(7, 20000);
  if (games < 1 || nodes < 1 || stride < 1 || threads < 0 || a < FIRST_LOOKAHEAD_LEVEL ||
      b < FIRST_LOOKAHEAD_LEVEL) {
    std::fprintf(stderr, "usage: korvel_fit_scale [GAMES [SEED [NODES [STRIDE [THREADS [A B]]]]]]\n");
    return 2;
  }
  std::printf("games %d seed %u nodes %llu stride %d opening %d players %lld %lld\n", games, seed,
              static_cast<unsigned long long>(nodes), stride, OPENING_MOVES, a, b);

  std::mt19937 rng(seed);
  std::vector<ScaleSample> samples;
  int wins[3] = {0, 0, 0};  // lower, drawn, upper
  int decided = 0;
  Position start;
  for (int g = 0; g < games; ++g) {
    if (g % 2 == 0) start = opening(rng);
    const Game game = g % 2 == 0 ? play(start, a, b) : play(start, b, a);
    wins[game.winner + 1] += 1;
    std::vector<Position> picked;
    std::vector<int> movers;
    for (std::size_t n = 0; n < game.positions.size(); n += static_cast<std::size_t>(stride)) {
      const Position& p = game.positions[n];
      const bool up = (OPENING_MOVES + n) % 2 == 1;
      if (!has_king(p, OU) || !has_king(p, -OU)) break;
      picked.push_back(p);
      movers.push_back(up ? REVIEW_UPPER : REVIEW_LOWER);
    }
    GameReview review(picked, movers, nodes, threads);
    review.start();
    review.wait();
    const ReviewProgress done = review.progress();
    for (std::size_t i = 0; i < picked.size(); ++i) {
      const int cp = done.positions[i]->score;
      if (cp >= LOOKAHEAD_WIN - 200 || cp <= -LOOKAHEAD_WIN + 200) {
        ++decided;
        continue;
      }
      const double result = game.winner == 0 ? 0.5 : game.winner == movers[i] ? 1.0 : 0.0;
      samples.push_back({cp, result});
    }
    if ((g + 1) % 100 == 0) {
      std::fprintf(stderr, "%d games, %zu positions\n", g + 1, samples.size());
    }
  }
  const double k = fit_review_scale(samples);
  std::printf("results upper %d lower %d drawn %d\n", wins[2], wins[0], wins[1]);
  std::printf("positions %zu (%d more with a king taken in sight, left out)\n", samples.size(), decided);
  std::printf("scale %.1f\n", k);
  std::printf("band      predicted  observed  positions\n");
  for (int band = 0; band < 10; ++band) {
    double predicted = 0, observed = 0;
    int count = 0;
    for (const ScaleSample& s : samples) {
      const double c = review_chance(s.cp, k);
      if (static_cast<int>(c / 10) != band && !(band == 9 && c >= 100)) continue;
      predicted += c;
      observed += 100 * s.result;
      ++count;
    }
    if (count == 0) continue;
    std::printf("%2d-%3d %%   %5.1f %%   %5.1f %%   %6d\n", band * 10, band * 10 + 10, predicted / count,
                observed / count, count);
  }
  return 0;
}
