// The look-ahead player: its board against the rules' own move list, its
// hash keys, forced king captures across the seam, and the table's part in
// a fixed-depth search.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/turned.h"
#include "lookahead/levels.h"
#include "lookahead/lookahead.h"
#include "lookahead/search_board.h"
#include "tests/board/test_positions.h"

using namespace korvel;
using namespace korvel::test_positions;

namespace {

struct Put {
  int x, y, code;
};

Position make_position(const std::vector<Put>& pieces, std::vector<int> hand_ue = {},
                       std::vector<int> hand_sita = {}) {
  Position p;
  for (const Put& q : pieces) p.Board[q.x][q.y] = q.code;
  for (int slot : hand_ue) p.HAND_UE[slot] += 1;
  for (int slot : hand_sita) p.HAND_SITA[slot] += 1;
  p.持駒数再計算();
  p.調査_2歩フラグ設定();
  return p;
}

bool captures_king(const Position& p, bool upper) {
  bool found = false;
  合法手列挙(p, upper, [&](int, int, int tx, int ty, int) { found |= p.Board[tx][ty] == (upper ? -OU : OU); });
  return found;
}

Position after(Position p, const Candidate& c) {
  p.駒移動(c.fx, c.fy, c.tx, c.ty, c.piece);
  p.調査_2歩フラグ設定();
  return p;
}

TEST(SearchBoard, MovesAreExactlyThoseTheRulesAllowWithSoundPromotions) {
  for (const Position& p : many_positions()) {
    for (bool upper : {true, false}) {
      la::SearchBoard b;
      ASSERT_TRUE(b.set(p, upper));
      std::vector<la::Move> moves(la::MAX_MOVES);
      const int n = b.generate(moves.data());
      std::set<Key> got, placed;
      bool takes_king = false;
      for (int i = 0; i < n; ++i) {
        const Candidate c = b.to_candidate(moves[static_cast<std::size_t>(i)]);
        got.insert({c.fx, c.fy, c.tx, c.ty, c.stood});
        placed.insert({c.fx, c.fy, c.tx, c.ty, c.piece});
        takes_king |= c.captured == (upper ? -OU : OU);
        Position q = p;
        if (c.piece != c.stood) {
          ASSERT_EQ(q.調査_駒成(c.fx, c.fy, c.tx, c.ty, c.stood), 1);
          ASSERT_EQ(q.PROMOTED_CODE, c.piece);
        } else {
          ASSERT_EQ(移動後チェック(c.ty, c.piece), 1) << c.fx << c.fy << c.tx << c.ty;
          // Pawns, bishops and rooks come promoted only where they may promote.
          if (std::abs(c.stood) == HU || std::abs(c.stood) == KAKU || std::abs(c.stood) == HISHA) {
            ASSERT_EQ(q.調査_駒成(c.fx, c.fy, c.tx, c.ty, c.stood), 0);
          }
        }
      }
      ASSERT_EQ(got, rule_moves(p, upper));
      ASSERT_EQ(placed.size(), static_cast<std::size_t>(n)) << "a move came twice";

      // Captures, then the rest, make up the same moves; and a move from
      // elsewhere (here: one sent to another square) is told apart.
      std::vector<la::Move> staged(la::MAX_MOVES);
      const int caps = b.generate_captures(staged.data());
      const int rest = b.generate_quiets(staged.data() + caps);
      staged.resize(static_cast<std::size_t>(caps + rest));
      moves.resize(static_cast<std::size_t>(n));
      std::sort(staged.begin(), staged.end());
      std::sort(moves.begin(), moves.end());
      ASSERT_EQ(staged, moves);
      for (la::Move m : moves) {
        ASSERT_TRUE(b.is_move(m));
        const int to = (la::move_to(m) + 1 + static_cast<int>(m % 79)) % 81;
        const la::Move moved = (m & ~((la::Move{127}) | (la::Move{31} << 20))) | la::Move(to) |
                               la::Move(b.at(to)) << 20;
        ASSERT_EQ(b.is_move(moved), std::binary_search(moves.begin(), moves.end(), moved));
      }
      ASSERT_EQ(b.can_take_king(), takes_king);
      ASSERT_EQ(b.can_take_king(), captures_king(p, upper));
    }
  }
}

TEST(SearchBoard, KeyAndSquaresComeBackAfterEveryMoveAndItsTakeBack) {
  const auto positions = many_positions();
  for (std::size_t k = 0; k < positions.size(); k += 3) {
    for (bool upper : {true, false}) {
      la::SearchBoard b;
      ASSERT_TRUE(b.set(positions[k], upper));
      const la::SearchBoard before = b;
      std::vector<la::Move> moves(la::MAX_MOVES);
      const int n = b.generate(moves.data());
      for (int i = 0; i < n; ++i) {
        const la::Move m = moves[static_cast<std::size_t>(i)];
        b.make(m);
        ASSERT_EQ(b.key(), b.key_from_scratch());
        ASSERT_EQ(b.material(), b.material_from_scratch());
        // The same position set afresh from the game's side hashes the same.
        la::SearchBoard fresh;
        ASSERT_TRUE(fresh.set(after(positions[k], before.to_candidate(m)), !upper));
        ASSERT_EQ(fresh.key(), b.key());
        b.unmake(m);
        ASSERT_EQ(b.key(), before.key());
        ASSERT_EQ(b.material(), before.material());
        ASSERT_EQ(b.evaluate(), before.evaluate());
        for (int s = 0; s < 81; ++s) ASSERT_EQ(b.at(s), before.at(s));
        for (int c = 0; c < 2; ++c)
          for (int slot = 1; slot <= 7; ++slot) ASSERT_EQ(b.hand(c, slot), before.hand(c, slot));
        ASSERT_EQ(b.king(0), before.king(0));
        ASSERT_EQ(b.king(1), before.king(1));
      }
      b.make_null();
      EXPECT_NE(b.key(), before.key());
      b.unmake_null();
      EXPECT_EQ(b.key(), before.key());
    }
  }
}

// Does the side to move take the other king within `plies` (1 or 3) against
// every defence? Worked out with the rules' own move list.
bool forced_capture(const Position& p, bool upper, int plies) {
  if (captures_king(p, upper)) return true;
  if (plies < 3) return false;
  bool forced = false;
  合法手列挙(p, upper, [&](int fx, int fy, int tx, int ty, int pc) {
    if (forced) return;
    Position q = after(p, Candidate{fx, fy, tx, ty, pc, pc, 0, {}});
    bool all = true;
    合法手列挙(q, !upper, [&](int fx2, int fy2, int tx2, int ty2, int pc2) {
      if (all && !forced_capture(after(q, Candidate{fx2, fy2, tx2, ty2, pc2, pc2, 0, {}}), upper, 1))
        all = false;
    });
    forced = all;
  });
  return forced;
}

TEST(Lookahead, FindsTheKingCaptureAcrossTheSeamAtDepthOneThreeAndFive) {
  struct Case {
    const char* name;
    Position pos;
    int plies;  // the king falls on this move of the side to move's line
  };
  const Case cases[] = {
      // The rook goes left round the ring: 1, 9, 8.
      {"rook round the ring", make_position({{2, 5, HISHA}, {3, 5, -10}, {8, 5, -OU}, {5, 1, OU}, {5, 8, -KIN}}), 1},
      // A knight jumps from file 1 to file 9.
      {"knight over the seam", make_position({{1, 3, KEI}, {9, 5, -OU}, {5, 1, OU}, {2, 7, -10}}), 1},
      // Rook to rank 1: it reaches the king both ways round, and the two
      // squares beside it over and before the seam.
      {"back rank on the ring",
       make_position({{5, 5, HISHA}, {1, 1, -OU}, {9, 2, -10}, {1, 2, -10}, {2, 2, -10}, {5, 9, OU}}), 3},
      // A ladder: check on rank 2 drives the king to rank 1, where the other
      // rook checks round the ring.
      {"ladder", make_position({{1, 3, HISHA}, {9, 7, HISHA}, {5, 2, -OU}, {5, 9, OU}}), 5},
  };
  Lookahead la(16);
  for (const Case& c : cases) {
    for (bool turned : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (turned ? ", lower side" : ", upper side"));
      const Position pos = turned ? 盤面_反転(c.pos) : c.pos;
      const bool upper = !turned;
      la.clear();
      const LookaheadResult r = la.think(pos, upper, {.depth = c.plies});
      ASSERT_TRUE(r.best);
      // No sooner, and no later.
      EXPECT_EQ(r.info.score, LOOKAHEAD_WIN - (c.plies - 1));
      ASSERT_EQ(r.info.pv.size(), static_cast<std::size_t>(c.plies));
      EXPECT_EQ(r.info.pv.back().captured, upper ? -OU : OU);
      Position q = pos;
      q.調査_2歩フラグ設定();
      ASSERT_EQ(q.移動チェック(r.best->fx, r.best->fy, r.best->tx, r.best->ty, r.best->stood), 1);
      if (c.plies == 1) {
        EXPECT_EQ(r.best->captured, upper ? -OU : OU);
        continue;
      }
      // Whatever the defence, the king falls: checked with the rules alone.
      const Position next = after(pos, *r.best);
      合法手列挙(next, !upper, [&](int fx, int fy, int tx, int ty, int pc) {
        EXPECT_TRUE(forced_capture(after(next, Candidate{fx, fy, tx, ty, pc, pc, 0, {}}), upper, c.plies - 2))
            << fx << fy << tx << ty;
      });
    }
  }
}

TEST(Lookahead, TableNeverChangesAFixedDepthResult) {
  const auto positions = suite();
  Lookahead with(18), without(10);
  std::uint64_t nodes_with = 0, nodes_without = 0;
  for (std::size_t k = 0; k < positions.size(); k += 12) {
    for (bool upper : {true, false}) {
      SCOPED_TRACE(k);
      const LookaheadLimits plain{.depth = 3, .use_table = true, .selective = false};
      LookaheadLimits bare = plain;
      bare.use_table = false;
      const LookaheadResult a = with.think(positions[k], upper, plain);
      const LookaheadResult b = without.think(positions[k], upper, bare);
      ASSERT_EQ(a.info.depth, b.info.depth);
      EXPECT_EQ(a.info.score, b.info.score);
      nodes_with += a.info.nodes;
      nodes_without += b.info.nodes;
    }
  }
  // The table saves work; an unused one would not.
  EXPECT_LT(nodes_with, nodes_without);
}

// A lone king among the other side's long pieces falls within five plies
// whatever it does. The table keeps win scores counted from the position
// stored, not from the root, so that the next move's search, kept as in a
// game and meeting the same positions nearer its root, reads them right.
TEST(Lookahead, TableKeptFromMoveToMoveNeverChangesAFixedDepthResult) {
  const Position lone = make_position(
      {{1, 6, -KIN}, {1, 8, OU}, {2, 2, -OU}, {2, 8, -901}, {4, 5, -KIN}, {5, 6, -801}, {6, 9, -901}, {7, 1, -KAKU}});
  const LookaheadLimits plain{.depth = 5, .use_table = true, .selective = false};
  LookaheadLimits bare = plain;
  bare.use_table = false;
  for (bool turned : {false, true}) {
    Position p = turned ? 盤面_反転(lone) : lone;
    bool upper = !turned;
    Lookahead with(18), without(10);
    for (int ply = 0; ply < 5; ++ply) {
      SCOPED_TRACE(testing::Message() << (turned ? "turned, ply " : "ply ") << ply);
      const LookaheadResult a = with.think(p, upper, plain);
      const LookaheadResult b = without.think(p, upper, bare);
      ASSERT_TRUE(b.best);
      EXPECT_GE(std::abs(b.info.score), LOOKAHEAD_WIN - 5);  // a king within reach all along
      EXPECT_EQ(a.info.depth, b.info.depth);
      EXPECT_EQ(a.info.score, b.info.score);
      if (b.info.score == LOOKAHEAD_WIN) break;
      p = after(p, *b.best);
      upper = !upper;
    }
  }
}

// A rook left where nothing guards it: even the shallowest search takes it
// and counts the gain for the side that moves, either side.
TEST(Lookahead, DepthOneTakesAHangingRookWithAGain) {
  const Position pos = make_position({{3, 4, KIN}, {3, 5, -HISHA}, {5, 1, OU}, {5, 9, -OU}, {7, 7, -10}});
  Lookahead la(12);
  for (bool turned : {false, true}) {
    SCOPED_TRACE(turned ? "lower side" : "upper side");
    const LookaheadResult r = la.think(turned ? 盤面_反転(pos) : pos, !turned, {.depth = 1});
    ASSERT_TRUE(r.best);
    EXPECT_EQ(r.best->captured, turned ? HISHA : -HISHA);
    EXPECT_GT(r.info.score, 0);
  }
}

// A king hunted down in nine plies. The winner keeps its table from move to
// move, as the window does, while the defender answers with its best: every
// search names the ply on which the king really falls, also where it reads
// a win its table found a move earlier.
TEST(Lookahead, AWinTheTableFoundEarlierKeepsItsDistanceToTheKing) {
  const Position hunt = make_position({{6, 7, -OU}, {5, 4, OU}, {9, 4, HISHA}, {9, 3, KAKU}, {8, 8, KIN},
                                       {2, 5, GIN}, {5, 7, -KIN}, {3, 3, -10}, {7, 8, -GIN}});
  Lookahead kept(18);
  Position p = hunt;
  bool upper = true;
  int falls = -1, taken = -1;
  for (int ply = 0; ply < 12 && taken < 0; ++ply) {
    SCOPED_TRACE(ply);
    Lookahead fresh(16);
    const LookaheadResult r = (upper ? kept : fresh).think(p, upper, {.depth = 7});
    ASSERT_TRUE(r.best);
    const int named = ply + LOOKAHEAD_WIN - std::abs(r.info.score);
    if (falls < 0) falls = named;
    EXPECT_EQ(named, falls);
    if (r.best->captured == -OU) taken = ply;
    p = after(p, *r.best);
    upper = !upper;
  }
  EXPECT_EQ(taken, falls);
  EXPECT_EQ(falls, 8) << "the shortest hunt";
}

// Only the top level in the window thinks for a time. Every other budget is
// a number of positions, so that the level plays the same moves on every
// machine and a match's seed gives the same games again; below the top the
// window plays as a match does.
TEST(Levels, OnlyTheTopLevelInTheWindowThinksForATime) {
  Position start;
  start.初期設定();
  start.調査_2歩フラグ設定();
  for (int level = FIRST_LOOKAHEAD_LEVEL; level <= TOP_LEVEL; ++level)
    for (bool in_match : {false, true}) {
      SCOPED_TRACE(testing::Message() << "level " << level << (in_match ? " in a match" : " in the window"));
      const LookaheadLimits limits = level_limits(level, in_match);
      const bool timed = level == TOP_LEVEL && !in_match;
      EXPECT_EQ(limits.time_ms > 0, timed);
      EXPECT_EQ(limits.nodes > 0, !timed);
      if (level == TOP_LEVEL || limits.time_ms > 0) continue;  // too long a search for a test
      EXPECT_EQ(limits.nodes, level_limits(level, !in_match).nodes);
      Lookahead one(16), other(16);
      const LookaheadResult a = one.think(start, true, limits), b = other.think(start, true, limits);
      ASSERT_TRUE(a.best && b.best);
      EXPECT_LE(a.info.nodes, limits.nodes);
      EXPECT_EQ(std::tie(a.best->fx, a.best->fy, a.best->tx, a.best->ty),
                std::tie(b.best->fx, b.best->fy, b.best->tx, b.best->ty));
    }
}

TEST(Lookahead, StopsOnItsBudgetWithALegalMoveReady) {
  Position start;
  start.初期設定();
  start.調査_2歩フラグ設定();
  Lookahead la(12);
  for (std::uint64_t budget : {1u, 50u, 5000u}) {
    const LookaheadResult r = la.think(start, false, {.nodes = budget});
    ASSERT_TRUE(r.best);
    EXPECT_LE(r.info.nodes, budget);
    EXPECT_EQ(start.移動チェック(r.best->fx, r.best->fy, r.best->tx, r.best->ty, r.best->stood), 1);
    EXPECT_LT(r.best->stood, 0);
  }
  // A code that is no piece: the search declines rather than guess.
  Position odd = start;
  odd.Board[5][5] = 42;
  EXPECT_FALSE(Lookahead::can_search(odd));
  EXPECT_FALSE(la.think(odd, true, {.depth = 1}).best);
}

}  // namespace
