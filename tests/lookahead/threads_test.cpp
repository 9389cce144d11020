// The look-ahead on several threads at once: the shared table's slots are
// never read half written, the move found is always legal, and the win
// scores the threads leave in the table for each other stay right. Built
// with ThreadSanitizer too (the tsan preset), which fails on any data race.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <thread>
#include <vector>

#include "lookahead/lookahead.h"
#include "lookahead/shared_table.h"
#include "tests/board/test_positions.h"

using namespace korvel;
using test_positions::board_of;

namespace {

bool legal(const Position& pos, const Candidate& m) {
  Position p = pos;
  p.調査_2歩フラグ設定();
  if (p.移動チェック(m.fx, m.fy, m.tx, m.ty, m.stood) != 1) return false;
  if (m.piece == m.stood) return 移動後チェック(m.ty, m.piece) == 1;
  return p.調査_駒成(m.fx, m.fy, m.tx, m.ty, m.stood) == 1 && p.PROMOTED_CODE == m.piece;
}

// Threads writing and reading the same few slots never see one position's
// result under another's key.
TEST(SharedTable, ASlotBeingWrittenIsNeverReadAsAnotherPositions) {
  la::SharedTable t(3);
  const auto entry_of = [](std::uint64_t key) {
    return la::TableEntry{static_cast<la::Move>(key >> 40), static_cast<int>(key % 20000) - 10000,
                          static_cast<int>(key % 90), la::BOUND_EXACT};
  };
  std::vector<std::thread> threads;
  std::vector<int> found(3, 0), wrong(3, 0);
  for (std::size_t id = 0; id < 3; ++id)
    threads.emplace_back([&, id] {
      for (std::uint64_t i = 0, x = 88172645463325252ull + id; i < 100000; ++i) {
        x ^= x << 13, x ^= x >> 7, x ^= x << 17;
        const std::uint64_t key = (x % 64) * 0x9E3779B97F4A7C15ull;
        la::TableEntry e;
        if (i % 2)
          t.store(key, entry_of(key));
        else if (t.probe(key, e) && ++found[id])
          wrong[id] += e.move != entry_of(key).move || e.score != entry_of(key).score || e.depth != entry_of(key).depth;
      }
    });
  for (std::thread& th : threads) th.join();
  EXPECT_EQ(wrong, std::vector<int>(3, 0));
  EXPECT_GT(*std::min_element(found.begin(), found.end()), 0);
}

TEST(LookaheadThreads, SeveralThreadsAlwaysAnswerALegalMoveOnEitherSide) {
  const auto positions = test_positions::suite();
  Lookahead la(16);
  for (std::size_t k = 0; k < positions.size(); k += 16)
    for (bool upper : {true, false}) {
      SCOPED_TRACE(::testing::Message() << "position " << k << (upper ? " upper" : " lower"));
      const LookaheadResult r = la.think(positions[k], upper, {.nodes = 6000, .threads = 2 + static_cast<int>(k % 2)});
      ASSERT_TRUE(r.best);
      EXPECT_TRUE(legal(positions[k], *r.best));
      EXPECT_EQ(r.best->stood > 0, upper);
      // The budget is shared: the threads together stop near it.
      EXPECT_LT(r.info.nodes, 6000u + 4 * 1024u);
    }
}

// Two threads share the table through a game's moves, and before each
// move's search a search cut short by its budget leaves what it was in the
// middle of: every move's score is still the one a lone search without any
// table finds, a king within reach all along (a lone king among the other
// side's long pieces falls within five plies whatever it does). A ladder of
// checks round the ring falls on the fifth ply, no sooner and no later,
// with the selective search and four threads too.
TEST(LookaheadThreads, WinScoresInTheSharedTableStayRightFromMoveToMove) {
  Position p = board_of(
      {{1, 6, -KIN}, {1, 8, OU}, {2, 2, -OU}, {2, 8, -901}, {4, 5, -KIN}, {5, 6, -801}, {6, 9, -901}, {7, 1, -KAKU}});
  const LookaheadLimits shared{.depth = 5, .selective = false, .threads = 2};
  Lookahead together(16), alone(8);
  bool upper = true;
  for (int ply = 0; ply < 5; ++ply) {
    SCOPED_TRACE(::testing::Message() << "ply " << ply);
    const LookaheadResult b = alone.think(p, upper, {.depth = 5, .use_table = false, .selective = false});
    ASSERT_TRUE(b.best);
    EXPECT_GE(std::abs(b.info.score), LOOKAHEAD_WIN - 5);
    for (std::uint64_t budget = 300; budget < 10000; budget *= 3) {
      LookaheadLimits cut = shared;
      cut.nodes = budget;
      together.think(p, upper, cut);
      const LookaheadResult a = together.think(p, upper, shared);
      ASSERT_TRUE(a.best);
      EXPECT_TRUE(legal(p, *a.best));
      EXPECT_EQ(a.info.score, b.info.score) << budget;
    }
    if (b.info.score == LOOKAHEAD_WIN) break;
    p.駒移動(b.best->fx, b.best->fy, b.best->tx, b.best->ty, b.best->piece);
    upper = !upper;
  }
  const Position ladder = board_of({{1, 3, HISHA}, {9, 7, HISHA}, {5, 2, -OU}, {5, 9, OU}});
  for (int threads : {2, 4}) {
    together.clear();
    const LookaheadResult r = together.think(ladder, true, {.depth = 5, .threads = threads});
    ASSERT_TRUE(r.best);
    EXPECT_EQ(r.info.score, LOOKAHEAD_WIN - 4);
    EXPECT_TRUE(legal(ladder, *r.best));
  }
}

}  // namespace
