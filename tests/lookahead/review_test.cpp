// The review: the chance and the marks on a king left open across the seam,
// the move played found among the rules' moves, how a ply is judged (a
// computer's pass included), and the same answers at any thread count, kept
// when stopped.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "lookahead/review.h"
#include "tests/board/test_positions.h"

using namespace korvel;
using test_positions::board_of;

namespace {

Position after(Position p, const Candidate& c) {
  p.駒移動(c.fx, c.fy, c.tx, c.ty, c.piece);
  return p;
}

// The lower side's or the upper side's moves, unpromoted where that is allowed.
std::vector<Candidate> moves_of(Position p, bool upper) {
  p.調査_2歩フラグ設定();
  std::vector<Candidate> moves;
  合法手列挙(p, upper, [&](int fx, int fy, int tx, int ty, int pc) {
    if (移動後チェック(ty, pc)) moves.push_back({fx, fy, tx, ty, pc, pc, 0, {}});
  });
  return moves;
}

// A few plies of random play from the start, lower first.
std::vector<Position> random_game(int plies, unsigned seed) {
  std::mt19937 rng(seed);
  Position p;
  p.初期設定();
  std::vector<Position> game{p};
  for (int n = 0; n < plies; ++n) {
    const std::vector<Candidate> moves = moves_of(p, n % 2 == 1);
    p = after(p, moves[rng() % moves.size()]);
    game.push_back(p);
  }
  return game;
}

}  // namespace

TEST(Review, ChanceIsLogisticInTheScale) {
  EXPECT_DOUBLE_EQ(review_chance(0), 50.0);
  EXPECT_NEAR(review_chance(600, 600.0), 73.106, 0.001);
  EXPECT_NEAR(review_chance(-600, 600.0) + review_chance(600, 600.0), 100.0, 1e-9);
  EXPECT_GT(review_chance(LOOKAHEAD_WIN), 99.9);
  const std::pair<int, int> marks[] = {{0, MARK_NONE},  {49, MARK_NONE},    {50, MARK_緩手},  {99, MARK_緩手},
                                       {100, MARK_疑問手}, {199, MARK_疑問手}, {200, MARK_悪手}, {499, MARK_悪手},
                                       {500, MARK_大悪手}, {1000, MARK_大悪手}};
  for (const auto& [loss, mark] : marks) EXPECT_EQ(review_mark(loss), mark) << loss;
}

TEST(Review, ScaleFitFindsTheScaleTheResultsWereDrawnWith) {
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> score(-2500, 2500);
  std::uniform_real_distribution<double> coin(0, 1);
  for (const double k : {300.0, 700.0}) {
    std::vector<ScaleSample> samples, backwards;
    for (int i = 0; i < 20000; ++i) {
      const int cp = score(rng);
      const double won = coin(rng) < review_chance(cp, k) / 100 ? 1 : 0;
      samples.push_back({cp, won});
      backwards.push_back({cp, 1 - won});
    }
    EXPECT_NEAR(fit_review_scale(samples), k, k * 0.05);
    EXPECT_EQ(fit_review_scale(backwards), 0) << "results that fall as the score grows";
  }
  EXPECT_EQ(fit_review_scale({{100, 0.5}, {-300, 0.5}}), 0) << "draws alone";
  EXPECT_NEAR(fit_review_scale({{100, 1}, {-100, 0}, {100, 0}, {-100, 1}, {100, 1}, {-100, 0}}), 100 / std::log(2), 1e-6);
}

TEST(Review, KingLeftOpenAcrossTheSeamIsAGrossBlunderItsCaptureNoMark) {
  // Rank 8 round the ring: the upper rook on file 7 is kept from the lower
  // king on file 1 by golds on files 2 and 9, the latter over the seam. The
  // lower side is a rook and a bishop up.
  const Position start = board_of(
      {{1, 8, -OU}, {2, 8, -KIN}, {9, 8, -KIN}, {7, 8, HISHA}, {5, 1, OU}, {5, 3, HU}, {5, 7, -HU}}, {6, 7});
  const Position open = after(start, {9, 8, 9, 7, -KIN, -KIN, 0, {}});
  const Position taken = after(open, {7, 8, 1, 8, RYU, HISHA, -OU, {}});
  GameReview review({start, open, taken}, {REVIEW_LOWER, REVIEW_UPPER, REVIEW_LOWER}, 20000, 2);
  review.start();
  review.wait();
  const ReviewProgress p = review.progress();
  ASSERT_EQ(p.done, 3);
  ASSERT_EQ(p.plies.size(), 2u);

  const ReviewedPly& blunder = p.plies[0];
  EXPECT_EQ(blunder.mover, REVIEW_LOWER);
  EXPECT_GT(blunder.before, 0);
  EXPECT_EQ(blunder.after, -LOOKAHEAD_WIN);  // the king is there to be taken
  EXPECT_GT(blunder.loss, 500);
  EXPECT_EQ(blunder.mark, MARK_大悪手);
  EXPECT_FALSE(blunder.best_played);
  ASSERT_TRUE(blunder.best);
  EXPECT_NE(blunder.best->tx * 10 + blunder.best->ty, 97);

  const ReviewedPly& capture = p.plies[1];
  EXPECT_EQ(capture.mover, REVIEW_UPPER);
  EXPECT_TRUE(capture.best_played);
  EXPECT_EQ(capture.before, LOOKAHEAD_WIN);
  EXPECT_EQ(capture.after, LOOKAHEAD_WIN);  // the lower side has no king left
  EXPECT_EQ(capture.loss, 0);
  EXPECT_EQ(capture.mark, MARK_NONE);
  EXPECT_FALSE(p.positions[2]->best);
}

TEST(Review, PlayedMoveIsFoundWithItsPromotionOrNotAtAll) {
  const Position p = board_of(
      {{5, 9, -OU}, {5, 1, OU}, {3, 4, -HU}, {7, 5, -KAKU}, {1, 2, KIN}, {2, 9, HISHA}, {3, 9, -HU}}, {3});
  const struct {
    Candidate move;  // as played: stood, then placed
    bool upper;
  } table[] = {
      {{3, 4, 3, 3, -TO, -HU, 0, {}}, false},      // a pawn promoting
      {{3, 4, 3, 3, -HU, -HU, 0, {}}, false},      // the same, declined
      {{7, 5, 1, 2, -UMA, -KAKU, KIN, {}}, false},  // a bishop over the seam takes a gold, promoting
      {{11, 5, 4, 4, -KEI, -KEI, 0, {}}, false},   // a knight dropped
      {{2, 9, 5, 9, RYU, HISHA, -OU, {}}, true},   // a rook round the rank over the seam takes the king
  };
  for (const auto& t : table) {
    const auto found = played_move(p, after(p, t.move), t.upper);
    ASSERT_TRUE(found) << t.move.tx << t.move.ty << t.move.piece;
    EXPECT_EQ(std::tuple(found->fx, found->fy, found->tx, found->ty, found->piece, found->stood, found->captured),
              std::tuple(t.move.fx, t.move.fy, t.move.tx, t.move.ty, t.move.piece, t.move.stood, t.move.captured));
    EXPECT_FALSE(played_move(p, after(p, t.move), !t.upper)) << "the other side's move";
  }
  EXPECT_FALSE(played_move(p, p, false)) << "no move at all";
  Position two_steps = after(p, table[1].move);
  two_steps = after(two_steps, {3, 3, 3, 2, -HU, -HU, 0, {}});
  EXPECT_FALSE(played_move(p, two_steps, false));
}

TEST(Review, PlyIsJudgedFromTheMoversSideAfterAPassToo) {
  const Candidate played{7, 7, 7, 6, -HU, -HU, 0, {}};
  const Candidate other{2, 7, 2, 6, -HU, -HU, 0, {}};
  const struct {
    int next_mover;
    ReviewedPosition before, after;
    int after_for_mover, loss, mark;
    bool best_played;
  } table[] = {
      // A loss worth 緩手, but the best move was played.
      {REVIEW_UPPER, {100, played}, {80, other}, -80, 75, MARK_NONE, true},
      {REVIEW_UPPER, {100, other}, {300, other}, -300, 164, MARK_疑問手, false},
      {REVIEW_UPPER, {-200, other}, {-250, other}, 250, 0, MARK_NONE, false},  // better than expected
      {REVIEW_UPPER, {600, other}, {900, other}, -900, 549, MARK_大悪手, false},
      // The other side passed: the mover moves again and keeps its sign.
      {REVIEW_LOWER, {300, other}, {-400, other}, -400, 283, MARK_悪手, false},
      {REVIEW_LOWER, {0, other}, {-LOOKAHEAD_WIN, std::nullopt}, -LOOKAHEAD_WIN, 500, MARK_大悪手, false},
  };
  for (const auto& t : table) {
    const ReviewedPly r = review_ply(4, REVIEW_LOWER, t.next_mover, played, t.before, t.after, 600.0);
    EXPECT_EQ(r.ply, 4);
    EXPECT_EQ(r.before, t.before.score);
    EXPECT_EQ(r.after, t.after_for_mover);
    EXPECT_EQ(r.loss, t.loss) << t.before.score << " " << t.after.score;
    EXPECT_EQ(r.mark, t.mark);
    EXPECT_EQ(r.best_played, t.best_played);
  }
}

TEST(Review, SameAnswersAtAnyThreadCountAndWhatIsDoneIsKeptWhenStopped) {
  std::vector<Position> game = random_game(12, 5);
  // The upper side passes at entry 5: the lower side moves twice running.
  std::vector<int> movers;
  for (int n = 0; n <= 12; ++n) movers.push_back(n % 2 == 0 ? REVIEW_LOWER : REVIEW_UPPER);
  game.resize(6);
  game.push_back(after(game[5], moves_of(game[5], false).front()));
  movers.resize(7);
  movers[5] = REVIEW_LOWER;
  GameReview one(game, movers, 4000, 1), three(game, movers, 4000, 3);
  one.start();
  three.start();
  // Asked while the workers write: what is done only grows.
  for (int seen = 0; seen < 7;) {
    const ReviewProgress now = three.progress();
    EXPECT_GE(now.done, seen);
    EXPECT_LE(now.plies.size(), static_cast<std::size_t>(now.done));
    seen = now.done;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  one.wait();
  three.wait();
  const ReviewProgress a = one.progress(), b = three.progress();
  ASSERT_EQ(a.done, 7);
  ASSERT_EQ(b.done, 7);
  ASSERT_EQ(a.plies.size(), 6u);
  EXPECT_EQ(a.plies[5].mover, REVIEW_LOWER);
  EXPECT_EQ(a.plies[5].before, a.positions[5]->score);
  EXPECT_EQ(a.plies[5].after, a.positions[6]->score) << "no change of side after a pass";
  for (std::size_t i = 0; i < a.plies.size(); ++i) {
    EXPECT_EQ(a.plies[i].ply, static_cast<int>(i + 1));
    EXPECT_EQ(std::tuple(a.plies[i].before, a.plies[i].after, a.plies[i].loss, a.plies[i].mark),
              std::tuple(b.plies[i].before, b.plies[i].after, b.plies[i].loss, b.plies[i].mark));
    EXPECT_EQ(a.plies[i].best->tx * 10 + a.plies[i].best->ty, b.plies[i].best->tx * 10 + b.plies[i].best->ty);
  }

  // Stopped at once: what is done matches the full run; nothing else is there.
  GameReview stopped(game, movers, 4000, 2);
  stopped.start();
  stopped.stop();
  stopped.wait();
  const ReviewProgress s = stopped.progress();
  int present = 0;
  for (std::size_t n = 0; n < s.positions.size(); ++n)
    if (s.positions[n]) {
      ++present;
      EXPECT_EQ(s.positions[n]->score, a.positions[n]->score);
    }
  EXPECT_EQ(present, s.done);
  for (const ReviewedPly& ply : s.plies) EXPECT_TRUE(s.positions[ply.ply - 1] && s.positions[ply.ply]);
}
