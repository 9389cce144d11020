// The score of one candidate of the computer: the exact score type, the
// sentinel results, the level cut-offs and the approach term.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <vector>

#include "engine/engine.h"
#include "tests/engine/attack_fixture.h"

using namespace korvel;

namespace {

using Put = korvel::testing::Piece;

struct Before {
  std::vector<Put> pieces;
  int hand_ue_slot = 0;  // one piece of this slot in the computer's hand
};

// A position before the computer's move, the turn started as the search
// starts it, and one candidate played, scored and taken back.
class Evaluation : public ::testing::Test {
 protected:
  Position pos;
  EngineState st;
  Engine eng{pos, st};

  void set(const Before& s) {
    pos = Position{};
    st = EngineState{};
    for (const Put& p : s.pieces) pos.Board[p.x][p.y] = p.code;
    if (s.hand_ue_slot) pos.HAND_UE[s.hand_ue_slot] = 1;
    pos.持駒数再計算();
    eng.勢力調査();  // as after the human's move
    eng.com_ban_準備();
  }

  // fx = -1 and fy = slot for a drop; pc is what stands on (tx, ty) after it.
  Score score(int fx, int fy, int tx, int ty, int pc, int level = 3,
              std::optional<int> king_distance = std::nullopt) {
    st.COM_LEVEL = level;
    const bool drop = fx < 0;
    const int stood = drop ? HAND_PIECE[fy] : pos.Board[fx][fy];
    const int cap = pos.Board[tx][ty];
    st.TRY_PIECE = stood;
    if (!drop)
      st.KING_DISTANCE_START =
          std::max(std::abs(pos.KING_SITA_X - fx), std::abs(pos.KING_SITA_Y - fy));
    if (king_distance) st.KING_DISTANCE_START = *king_distance;
    if (!drop) pos.Board[fx][fy] = 0;
    pos.Board[tx][ty] = pc;
    eng.勢力調査();
    const Score s = eng.盤評価(cap, pc, fx, fy, tx, ty);
    pos.Board[tx][ty] = cap;
    if (!drop) pos.Board[fx][fy] = stood;
    return s;
  }
};

const std::vector<Put> kKings = {{5, 1, OU}, {5, 9, -OU}};

std::vector<Put> with_kings(std::vector<Put> more) {
  more.insert(more.end(), kKings.begin(), kKings.end());
  return more;
}

}  // namespace

TEST(ScoreType, PrintsExactlyOneDecimal) {
  struct Case {
    Score s;
    const char* text;
  } cases[] = {
      {Score(0), "0.0"},          {Score(9999), "9999.0"},       {Score(-9998), "-9998.0"},
      {Score::tenths(-125), "-12.5"}, {Score::tenths(-5), "-0.5"}, {Score::tenths(1), "0.1"},
      {Score::half(5), "2.5"},    {Score::half(-901), "-450.5"}, {Score::half(950), "475.0"},
      {Score::abs_of(-2147483647 - 1), "2147483648.0"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.s.str(), c.text);
}

TEST(ScoreType, TenthsAddUpExactly) {
  Score s;
  for (int i = 0; i < 10; ++i) s += TENTH;
  EXPECT_EQ(s, Score(1));
  EXPECT_EQ(Score(1) - Score::tenths(9), TENTH);
  EXPECT_LT(Score::tenths(9999 * 10 - 1), Score(9999));
  EXPECT_GT(-Score::half(21), Score(-11));
  EXPECT_EQ(Score(100) + Score::half(901), Score::tenths(5505));
}

TEST_F(Evaluation, KingCaptureIsWorth9999WhateverElseHolds) {
  // The computer's king stands attacked by the human rook on its rank.
  set({{{5, 1, OU}, {1, 1, -HISHA}, {5, 5, -OU}, {5, 4, KIN}}});
  for (int level = 1; level <= 3; ++level)
    EXPECT_EQ(score(5, 4, 5, 5, KIN, level), Score(9999)) << "level " << level;
}

TEST_F(Evaluation, MatesAndTheOwnKing) {
  // The gold steps in front of the human king, guarded by the silver.
  const std::vector<Put> gold_mate = with_kings({{5, 7, GIN}, {4, 7, KIN}});
  std::vector<Put> gold_mate_own_king_attacked = gold_mate;
  gold_mate_own_king_attacked.push_back({1, 1, -HISHA});
  // The pawn in front of the king, guarded by two golds; the knights block.
  const std::vector<Put> pawn_mate =
      with_kings({{5, 7, HU}, {4, 7, KIN}, {6, 7, KIN}, {4, 9, -KEI}, {6, 9, -KEI}});
  const std::vector<Put> pawn_drop_mate =
      with_kings({{4, 7, KIN}, {6, 7, KIN}, {4, 9, -KEI}, {6, 9, -KEI}});

  struct Case {
    const char* name;
    Before setup;
    int fx, fy, tx, ty, pc;
    int expected;
  } cases[] = {
      {"gold mates", {gold_mate}, 4, 7, 5, 8, KIN, 9998},
      {"gold mates, own king attacked", {gold_mate_own_king_attacked}, 4, 7, 5, 8, KIN, -9998},
      {"pawn push mates", {pawn_mate}, 5, 7, 5, 8, HU, -9998},
      {"tokin mates", {pawn_mate}, 5, 7, 5, 8, TO, 9998},
      {"pawn drop mates", {pawn_drop_mate, 1}, -1, 1, 5, 8, HU, -9998},
  };
  for (const Case& c : cases) {
    set(c.setup);
    for (int level = 1; level <= 3; ++level)
      EXPECT_EQ(score(c.fx, c.fy, c.tx, c.ty, c.pc, level), Score(c.expected))
          << c.name << ", level " << level;
  }
}

TEST_F(Evaluation, LevelOneCountsOnlyTheMajorPieceBonusOfACapture) {
  // A silver takes on (3, 5) where nothing of the human's can take back.
  set({with_kings({{3, 4, GIN}, {3, 5, -KAKU}})});
  const Score bishop1 = score(3, 4, 3, 5, GIN, 1);
  const Score bishop2 = score(3, 4, 3, 5, GIN, 2);
  const Score bishop3 = score(3, 4, 3, 5, GIN, 3);
  set({with_kings({{3, 4, GIN}, {3, 5, -HU}})});
  const Score pawn1 = score(3, 4, 3, 5, GIN, 1);
  const Score pawn2 = score(3, 4, 3, 5, GIN, 2);

  // The position after either capture is the same; only the captured piece differs.
  EXPECT_EQ(bishop1 - pawn1, Score(800));  // the major piece bonus, once
  EXPECT_EQ(bishop2 - bishop1, Score(800));  // the safe capture counts it again
  EXPECT_EQ(pawn2 - pawn1, Score(10));       // the pawn itself, from level 2 on
  // Level 3 adds the silver's own term: a straight step forward.
  EXPECT_EQ(bishop3 - bishop2, -TENTH);
}

TEST_F(Evaluation, LevelTwoLeavesOutThePieceTerms) {
  set({with_kings({{1, 1, KYOU}, {9, 3, HU}})});
  // A quiet lance move costs 0.9 in the lance's own terms.
  EXPECT_EQ(score(1, 1, 1, 2, KYOU, 3) - score(1, 1, 1, 2, KYOU, 2), -Score::tenths(9));
  // Without a capture level 1 reaches the piece terms like level 3.
  EXPECT_EQ(score(1, 1, 1, 2, KYOU, 1), score(1, 1, 1, 2, KYOU, 3));
  EXPECT_EQ(score(9, 3, 9, 4, HU, 1), score(9, 3, 9, 4, HU, 3));
  EXPECT_NE(score(9, 3, 9, 4, HU, 2), score(9, 3, 9, 4, HU, 3));
}

TEST_F(Evaluation, ApproachTermIsOneOrATenthNeverBoth) {
  // The human king is on (5, 9); the distance at the start comes from the origin.
  struct Case {
    int fx, fy, tx, ty;
    Score expected;
  } cases[] = {
      {1, 6, 2, 7, Score(1)},  // closer along the files: dx 3 > dy 2, start 4
      {2, 5, 2, 6, TENTH},     // dx = dy = 3 < start 4
      {5, 5, 5, 6, TENTH},     // straight down the king's file
      {1, 7, 1, 8, Score(0)},  // dx 4 > dy 1, but the start was 4 as well
      {5, 7, 4, 7, Score(0)},  // dy 2, start 2
  };
  for (const Case& c : cases) {
    set({with_kings({{c.fx, c.fy, KIN}})});
    const Score with = score(c.fx, c.fy, c.tx, c.ty, KIN);
    const Score without = score(c.fx, c.fy, c.tx, c.ty, KIN, 3, 0);
    EXPECT_EQ(with - without, c.expected) << c.fx << c.fy << "->" << c.tx << c.ty;
  }
}

TEST_F(Evaluation, DropOnAnAttackedUndefendedSquareCostsItsCodeAndFifty) {
  // The human pawn on (3, 7) attacks (3, 6); nothing of the computer's reaches it.
  set({with_kings({{3, 7, -HU}}), 5});
  const Score attacked = score(-1, 5, 3, 6, KIN, 2);
  const Score quiet = score(-1, 5, 3, 5, KIN, 2);
  // The drop term: -(110 + 50). The position scan charges the hanging gold
  // too: the pawn takes it for a pawn (10 - 110) and it has no defender (-110).
  EXPECT_EQ(attacked - quiet, Score(-160 - 100 - 110));
}

TEST_F(Evaluation, ForkOfTwoUndefendedPiecesGainsTheSmallerValue) {
  // The gold on (5, 5) attacks a pawn on (4, 6) and a knight on (6, 6), and
  // nothing of the human's reaches the gold.
  const std::vector<Put> fork = with_kings({{5, 5, KIN}, {4, 6, -HU}, {6, 6, -KEI}});
  std::vector<Put> knight_defended = fork;
  knight_defended.push_back({7, 7, -KIN});

  set({fork});
  eng.勢力調査();
  const Score forked = eng.盤評価_COM危険座標(KIN, 5, 5);
  set({knight_defended});
  eng.勢力調査();
  const Score single = eng.盤評価_COM危険座標(KIN, 5, 5);
  // Two targets: 0.1 each and the pawn's 10; one target: 0.1 alone.
  EXPECT_EQ(forked - single, Score(10) + TENTH);
}

TEST_F(Evaluation, PromotedMinorPiecesHaveNoTermsATokinOneOrNone) {
  struct Case {
    int pc;
    bool attacked_twice;
    Score expected;
  } cases[] = {
      {TO, false, Score(1)},       {TO, true, Score(0)},        {NARIKYOU, false, Score(0)},
      {NARIKEI, false, Score(0)},  {NARIGIN, false, Score(0)},  {NARIGIN, true, Score(0)},
  };
  for (const Case& c : cases) {
    // The piece on (5, 5) is defended by the gold behind it; two human golds
    // attack it, or one far away attacks nothing.
    std::vector<Put> pieces = with_kings({{5, 5, c.pc}, {5, 4, KIN}});
    if (c.attacked_twice) {
      pieces.push_back({4, 6, -KIN});
      pieces.push_back({6, 6, -KIN});
    }
    set({pieces});
    eng.勢力調査();
    EXPECT_EQ(eng.盤評価_駒固有(0, c.pc, 5, 4, 5, 5), c.expected) << c.pc << c.attacked_twice;
  }
}

TEST_F(Evaluation, PawnFacingAHumanPieceTakesOneBranchOnly) {
  // A pawn pushed to (5, 5) with a human silver right ahead on (5, 6): one
  // of the branches applies, by the attack counts on the pawn.
  struct Case {
    const char* name;
    std::vector<Put> extra;
    Score expected;
  };
  // Every pushed pawn pays 0.1; a gold behind it brings 0.6.
  const Score gold_guard = Score::tenths(6);
  const Case cases[] = {
      // Guarded twice, attacked once by the silver: +1.
      {"stronger", {{4, 4, KIN}, {6, 4, KIN}}, Score(1) - TENTH + gold_guard},
      // Attacked once, guarded once: the start-of-turn copies decide; the
      // square ahead was not attacked by the computer then, so +5.
      {"even", {{4, 4, KIN}}, Score(5) - TENTH + gold_guard},
      // Not guarded but attacked: nothing.
      {"hanging", {}, -TENTH},
  };
  for (const Case& c : cases) {
    std::vector<Put> pieces = with_kings({{5, 4, HU}, {5, 6, -GIN}});
    pieces.insert(pieces.end(), c.extra.begin(), c.extra.end());
    set({pieces});
    // The pawn steps from (5, 4) to (5, 5).
    pos.Board[5][4] = 0;
    pos.Board[5][5] = HU;
    eng.勢力調査();
    EXPECT_EQ(eng.盤評価_駒固有(0, HU, 5, 4, 5, 5), c.expected) << c.name;
  }
}

TEST_F(Evaluation, PieceTermsOnFixedSquaresOfTheHumanCamp) {
  // Rules tied to absolute squares that the suite positions never reach, so
  // that the golden transcript does not hold them either.
  struct Case {
    const char* name;
    std::vector<Put> pieces;  // both kings included
    int fx, fy, tx, ty;
    int sita_bishops;         // bishops in the human's hand
    Score expected;
  };
  const Case cases[] = {
      // Dragon onto (3, 9) or (7, 9) behind a human piece, next to a
      // human piece on row 9 and a human gold on the inner side.
      {"dragon to (3, 9)",
       {{9, 1, OU}, {5, 5, -OU}, {5, 9, RYU}, {3, 8, -HU}, {2, 9, -HU}, {4, 8, -KIN}},
       5, 9, 3, 9, 0, Score(-150)},
      {"dragon to (7, 9)",
       {{9, 1, OU}, {5, 5, -OU}, {5, 9, RYU}, {7, 8, -HU}, {8, 9, -HU}, {6, 8, -KIN}},
       5, 9, 7, 9, 0, Score(-150)},
      {"dragon to (4, 9): no such rule",
       {{9, 1, OU}, {5, 5, -OU}, {5, 9, RYU}, {4, 8, -HU}, {3, 9, -HU}, {5, 8, -KIN}},
       5, 9, 4, 9, 0, Score(0)},
      // Leaving (3, 9) from behind a silver flanked by two golds: +2 per gold.
      {"dragon leaves the silver's back",
       {{9, 1, OU}, {7, 5, -OU}, {3, 9, RYU}, {3, 8, -GIN}, {2, 8, -KIN}, {4, 8, -KIN}},
       3, 9, 4, 9, 0, Score(4)},
      // Below a silver, a piece beside and a gold diagonally behind it.
      {"dragon under a silver, gold on the right",
       {{1, 1, OU}, {9, 9, -OU}, {5, 8, RYU}, {5, 4, -GIN}, {4, 5, HU}, {6, 4, -KIN}},
       5, 8, 5, 5, 0, Score(-10)},
      {"dragon under a silver, gold on the left",
       {{1, 1, OU}, {9, 9, -OU}, {5, 8, RYU}, {5, 4, -GIN}, {6, 5, HU}, {4, 4, -KIN}},
       5, 8, 5, 5, 0, Score(-10)},
      // Gold to row 2 above an unguarded pawn with our bishop behind it that
      // only the pawn guards, while the human holds a bishop.
      {"gold over pawn and bishop",
       {{9, 1, OU}, {5, 9, -OU}, {4, 1, KIN}, {5, 3, HU}, {5, 4, KAKU}},
       4, 1, 5, 2, 1, Score::tenths(1265)},
      {"gold over pawn and bishop, no bishop in hand",
       {{9, 1, OU}, {5, 9, -OU}, {4, 1, KIN}, {5, 3, HU}, {5, 4, KAKU}},
       4, 1, 5, 2, 0, -Score::tenths(5)},
      // Rook leaving row 4 while a human rook backs the pawn on (8, 5).
      {"rook leaves the row with our pawn on (7, 4)",
       {{9, 1, OU}, {5, 9, -OU}, {2, 4, HISHA}, {7, 4, HU}, {8, 5, -HU}, {8, 8, -HISHA}},
       2, 4, 2, 3, 0, Score(-11)},
      {"rook stops guarding (8, 4)",
       {{9, 1, OU}, {5, 9, -OU}, {2, 4, HISHA}, {8, 5, -HU}, {8, 8, -HISHA}},
       2, 4, 2, 3, 0, Score(-11)},
      {"rook along its row behind our pawn",
       {{9, 1, OU}, {5, 9, -OU}, {2, 4, HISHA}, {7, 4, HU}, {8, 5, -HU}, {8, 8, -HISHA}},
       2, 4, 3, 4, 0, Score(0)},
  };
  for (const Case& c : cases) {
    set({c.pieces});
    pos.HAND_SITA[6] = c.sita_bishops;
    pos.持駒数再計算();
    const int pc = pos.Board[c.fx][c.fy];
    st.TRY_PIECE = pc;
    pos.Board[c.fx][c.fy] = 0;
    pos.Board[c.tx][c.ty] = pc;
    eng.勢力調査();
    EXPECT_EQ(eng.盤評価_駒固有(0, pc, c.fx, c.fy, c.tx, c.ty), c.expected) << c.name;
  }
}

TEST_F(Evaluation, OpeningTermsOnFixedSquares) {
  // The opening patterns of the minor and major pieces, each on its absolute
  // squares; the suite positions reach none of them.
  struct Case {
    const char* name;
    std::vector<Put> pieces;  // both kings included
    int fx, fy, tx, ty;       // fx = -1, fy = slot for a drop
    Score expected;
  };
  const Case cases[] = {
      {"knight to (7, 3) in front of the bishop", {{1, 1, OU}, {5, 9, -OU}, {6, 1, KEI}, {8, 4, KAKU}},
       6, 1, 7, 3, -Score::tenths(51)},
      {"silver to (7, 3) beside the pawn on (8, 3)",
       {{1, 1, OU}, {5, 9, -OU}, {7, 2, GIN}, {8, 3, HU}, {8, 5, -HU}},
       7, 2, 7, 3, Score::tenths(1149)},
      {"gold to row 4 beside the attacked bishop",
       {{1, 1, OU}, {5, 9, -OU}, {5, 3, KIN}, {6, 4, KAKU}, {6, 5, -HU}},
       5, 3, 5, 4, Score(-5)},
      {"bishop to (7, 3) over the pawn the human rook backs",
       {{1, 1, OU}, {5, 9, -OU}, {9, 1, KAKU}, {8, 5, -HU}, {8, 8, -HISHA}},
       9, 1, 7, 3, Score(9)},
      {"bishop to (9, 3) over the edge pawns",
       {{1, 1, OU}, {5, 9, -OU}, {8, 2, KAKU}, {9, 4, HU}, {9, 6, -HU}, {9, 9, -KYOU}},
       8, 2, 9, 3, Score(-10)},
      {"bishop leaves (9, 3) with the lance backing the edge pawn",
       {{1, 1, OU}, {5, 9, -OU}, {9, 3, KAKU}, {9, 4, HU}, {9, 6, -HU}, {9, 9, -KYOU}},
       9, 3, 8, 2, Score(10)},
      {"bishop leaves (7, 3) and stops guarding (8, 4)",
       {{1, 1, OU}, {5, 9, -OU}, {7, 3, KAKU}, {8, 5, -HU}, {8, 8, -HISHA}},
       7, 3, 8, 2, Score(-10)},
      {"rook to (3, 4) facing pawn and bishop", {{1, 1, OU}, {7, 9, -OU}, {3, 1, HISHA}, {3, 6, -HU}, {3, 7, -KAKU}},
       3, 1, 3, 4, Score(7 - 1)},
      {"rook dropped behind a silver between a piece and a gold",
       {{1, 1, OU}, {1, 5, -OU}, {5, 8, -GIN}, {4, 9, -HU}, {6, 8, -KIN}},
       -1, 7, 5, 9, Score(-1)},
  };
  for (const Case& c : cases) {
    set({c.pieces});
    const bool drop = c.fx < 0;
    const int pc = drop ? HAND_PIECE[c.fy] : pos.Board[c.fx][c.fy];
    st.TRY_PIECE = pc;
    if (!drop) pos.Board[c.fx][c.fy] = 0;
    pos.Board[c.tx][c.ty] = pc;
    eng.勢力調査();
    EXPECT_EQ(eng.盤評価_駒固有(0, pc, c.fx, c.fy, c.tx, c.ty), c.expected) << c.name;
  }
}
