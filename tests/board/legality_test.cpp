// Single-move legality on the cylinder: seam steps, ring-round rook lines,
// re-entering bishop diagonals, drops and the dead-end ranks.
#include <gtest/gtest.h>

#include <initializer_list>

#include "board/position.h"

using namespace korvel;

namespace {

struct Piece { int x, y, code; };

Position board_with(std::initializer_list<Piece> pieces) {
  Position p;
  for (const Piece& pc : pieces) p.Board[pc.x][pc.y] = pc.code;
  p.調査_2歩フラグ設定();
  return p;
}

struct Move {
  int fx, fy, tx, ty;
  int legal;
};

void expect_moves(const Position& p, int piece, std::initializer_list<Move> moves) {
  for (const Move& m : moves)
    EXPECT_EQ(p.移動チェック(m.fx, m.fy, m.tx, m.ty, piece), m.legal)
        << "piece " << piece << " (" << m.fx << "," << m.fy << ")->(" << m.tx << "," << m.ty << ")";
}

}  // namespace

TEST(Legality, StepPiecesCrossTheSeam) {
  expect_moves(board_with({{1, 5, OU}}), OU,
               {{1, 5, 9, 4, 1}, {1, 5, 9, 5, 1}, {1, 5, 9, 6, 1}, {1, 5, 8, 5, 0}, {1, 5, 9, 7, 0}});
  expect_moves(board_with({{9, 5, -OU}}), -OU,
               {{9, 5, 1, 4, 1}, {9, 5, 1, 5, 1}, {9, 5, 1, 6, 1}, {9, 5, 2, 5, 0}});
  // Knights: one file either way, the seam counting as one file.
  expect_moves(board_with({{9, 3, KEI}}), KEI,
               {{9, 3, 8, 5, 1}, {9, 3, 1, 5, 1}, {9, 3, 2, 5, 0}, {9, 3, 9, 5, 0}, {9, 3, 1, 1, 0}});
  expect_moves(board_with({{1, 7, -KEI}}), -KEI,
               {{1, 7, 2, 5, 1}, {1, 7, 9, 5, 1}, {1, 7, 8, 5, 0}, {1, 7, 9, 9, 0}});
  // Upper gold on file 9: forward diagonal and sideways across, never back diagonal.
  expect_moves(board_with({{9, 5, KIN}}), KIN,
               {{9, 5, 1, 5, 1}, {9, 5, 1, 6, 1}, {9, 5, 1, 4, 0}, {9, 5, 9, 4, 1}, {9, 5, 8, 4, 0}});
  // A promoted pawn moves like a gold, for the lower side too.
  expect_moves(board_with({{1, 5, -TO}}), -TO,
               {{1, 5, 9, 4, 1}, {1, 5, 9, 5, 1}, {1, 5, 9, 6, 0}, {1, 5, 1, 6, 1}});
  // Silver: both diagonals across the seam, never sideways.
  expect_moves(board_with({{1, 5, GIN}}), GIN,
               {{1, 5, 9, 6, 1}, {1, 5, 9, 4, 1}, {1, 5, 9, 5, 0}, {1, 5, 1, 4, 0}});
  // A lower silver may not step straight back, but may go back diagonally.
  expect_moves(board_with({{5, 4, -GIN}}), -GIN,
               {{5, 4, 5, 5, 0}, {5, 4, 4, 5, 1}, {5, 4, 6, 5, 1}, {5, 4, 5, 3, 1}, {5, 4, 4, 4, 0}});
}

TEST(Legality, RookRunsEitherWayRoundARank) {
  const Position p = board_with({{2, 4, HISHA}, {3, 4, -HU}, {7, 4, -KIN}});
  expect_moves(p, HISHA,
               {{2, 4, 3, 4, 1}, {2, 4, 1, 4, 1}, {2, 4, 9, 4, 1}, {2, 4, 8, 4, 1}, {2, 4, 7, 4, 1},
                {2, 4, 4, 4, 0}, {2, 4, 5, 4, 0}, {2, 4, 6, 4, 0}});
  const Position open = board_with({{2, 4, HISHA}, {3, 4, -HU}});
  for (int x = 1; x <= 9; ++x)
    if (x != 2) EXPECT_EQ(open.移動チェック(2, 4, x, 4, HISHA), 1) << x;
  // Files do not wrap vertically: the rank walk stops at the first piece.
  const Position file = board_with({{5, 5, -HISHA}, {5, 3, HU}, {5, 7, -HU}});
  expect_moves(file, -HISHA,
               {{5, 5, 5, 3, 1}, {5, 5, 5, 2, 0}, {5, 5, 5, 7, 0}, {5, 5, 5, 6, 1}, {5, 5, 6, 6, 0}});
}

TEST(Legality, BishopReentersOnceAtTheOtherEdge) {
  const Position p = board_with({{8, 2, KAKU}});
  expect_moves(p, KAKU,
               {{8, 2, 9, 3, 1}, {8, 2, 1, 4, 1}, {8, 2, 2, 5, 1}, {8, 2, 6, 9, 1}, {8, 2, 7, 1, 1},
                {8, 2, 9, 1, 1}, {8, 2, 7, 3, 1}, {8, 2, 1, 9, 1}, {8, 2, 5, 5, 1}, {8, 2, 8, 4, 0}});
  // A piece beyond the seam blocks the re-entered line; an enemy there is taken.
  const Position blocked = board_with({{8, 2, KAKU}, {1, 4, -HU}});
  expect_moves(blocked, KAKU, {{8, 2, 1, 4, 1}, {8, 2, 2, 5, 0}});
  const Position own = board_with({{8, 2, KAKU}, {1, 4, HU}});
  expect_moves(own, KAKU, {{8, 2, 1, 4, 0}, {8, 2, 2, 5, 0}});
}

TEST(Legality, HorseAndDragonOneStepsDoNotWrap) {
  expect_moves(board_with({{1, 5, RYU}}), RYU,
               {{1, 5, 9, 4, 0}, {1, 5, 9, 6, 0}, {1, 5, 9, 5, 1}, {1, 5, 2, 6, 1}, {1, 5, 2, 4, 1}});
  expect_moves(board_with({{1, 5, UMA}}), UMA,
               {{1, 5, 9, 5, 0}, {1, 5, 9, 4, 1}, {1, 5, 9, 6, 1}, {1, 5, 2, 5, 1}, {1, 5, 1, 4, 1}});
}

TEST(Legality, LinePiecesCaptureOnlyTheOtherSide) {
  const Position p = board_with({{5, 5, -KAKU}, {7, 3, -HU}, {3, 3, KIN}, {5, 8, -UMA}});
  expect_moves(p, -KAKU, {{5, 5, 7, 3, 0}, {5, 5, 6, 4, 1}, {5, 5, 3, 3, 1}, {5, 5, 2, 2, 0}});
  // Lance: straight ahead only, blocked by anything between.
  const Position l = board_with({{3, 9, -KYOU}, {3, 5, HU}, {6, 1, KYOU}});
  expect_moves(l, -KYOU, {{3, 9, 3, 6, 1}, {3, 9, 3, 5, 1}, {3, 9, 3, 4, 0}, {3, 9, 4, 8, 0}});
  expect_moves(l, KYOU, {{6, 1, 6, 9, 1}, {6, 1, 5, 2, 0}});
}

TEST(Legality, GeneralRefusals) {
  const Position p = board_with({{5, 5, KIN}, {5, 6, HU}, {4, 6, -HU}});
  expect_moves(p, KIN,
               {{5, 5, 5, 5, 0},    // no move
                {5, 5, 5, 6, 0},    // own piece on the target
                {5, 5, 4, 6, 1},    // capture
                {5, 5, 5, 10, 0},   // off the board
                {5, 5, 0, 5, 0}});
  // Any code below 10 counts as the lower side for the own-piece test.
  EXPECT_EQ(p.移動チェック(5, 7, 4, 6, 5), 0);
  EXPECT_EQ(p.移動チェック(5, 7, 5, 6, 5), 1);
}

TEST(Legality, Drops) {
  const Position p = board_with({{3, 5, -HU}, {4, 5, -TO}, {6, 2, HU}, {7, 7, HISHA}});
  struct Drop { int fx, tx, ty, piece, legal; };
  const Drop drops[] = {
      {11, 3, 6, -HU, 0},   // a second pawn on file 3
      {11, 4, 6, -HU, 1},   // a promoted pawn does not count
      {11, 5, 1, -HU, 0},   // last rank
      {11, 5, 2, -HU, 1},
      {-1, 6, 5, HU, 0},
      {-1, 5, 9, HU, 0},
      {-1, 5, 8, HU, 1},
      {-1, 5, 9, KYOU, 0},
      {-1, 5, 8, KYOU, 1},
      {11, 5, 1, -KYOU, 0},
      {-1, 5, 8, KEI, 0},
      {-1, 5, 9, KEI, 0},
      {-1, 5, 7, KEI, 1},
      {11, 5, 2, -KEI, 0},
      {11, 5, 3, -KEI, 1},
      {-1, 7, 7, KIN, 0},   // occupied square
      {-1, 3, 5, KAKU, 0},
      {-1, 5, 9, HISHA, 1}, // a rook may go anywhere empty
      {11, 1, 1, -GIN, 1},
  };
  for (const Drop& d : drops)
    EXPECT_EQ(p.移動チェック(d.fx, 4, d.tx, d.ty, d.piece), d.legal)
        << d.piece << " at (" << d.tx << "," << d.ty << ")";
}

TEST(Legality, PromotionAndDeadEnds) {
  Position p;
  struct Case { int fx, fy, tx, ty, piece, promotes, code; };
  const Case cases[] = {
      {5, 2, 5, 5, -KAKU, 1, -UMA},  // leaving the zone
      {5, 2, 5, 1, -HU, 1, -TO},
      {5, 5, 5, 4, -HU, 0, 0},
      {5, 4, 5, 3, -KEI, 1, -NARIKEI},
      {5, 3, 5, 4, -HU, 0, 0},       // a pawn does not promote leaving the zone
      {5, 3, 5, 4, -GIN, 1, -NARIGIN},
      {5, 6, 5, 7, HU, 1, TO},
      {5, 7, 5, 6, HISHA, 1, RYU},
      {5, 5, 5, 6, KYOU, 0, 0},
      {5, 8, 5, 9, KIN, 0, 0},
      {5, 8, 5, 9, -OU, 0, 0},
      {-1, 1, 5, 8, HU, 0, 0},       // drops never promote
      {11, 3, 5, 2, -HU, 0, 0},
  };
  for (const Case& c : cases) {
    p.PROMOTED_CODE = 0;
    EXPECT_EQ(p.調査_駒成(c.fx, c.fy, c.tx, c.ty, c.piece), c.promotes) << c.piece;
    if (c.promotes) EXPECT_EQ(p.PROMOTED_CODE, c.code) << c.piece;
  }

  struct Rank { int rank, piece, ok; };
  const Rank ranks[] = {{9, KYOU, 0}, {9, HU, 0}, {8, KEI, 0}, {7, KEI, 1}, {8, HU, 1},
                        {1, -HU, 0},  {1, -KYOU, 0}, {2, -KEI, 0}, {3, -KEI, 1}, {9, GIN, 1}};
  for (const Rank& r : ranks) EXPECT_EQ(移動後チェック(r.rank, r.piece), r.ok) << r.piece << "@" << r.rank;
}

TEST(Legality, OddCoordinatesAreJudgedWithoutReadingOffTheBoard) {
  // Moves from squares that are not on the board, as a damaged record could
  // give them: every answer is a plain 0 or 1, and the walks stay in bounds.
  const Position p = board_with({{5, 5, HISHA}});
  for (int piece : std::initializer_list<int>{HU, -HU, KYOU, -KYOU, KEI, GIN, KIN, KAKU, UMA, HISHA, RYU, OU, 12345, -7})
    for (int f : {-1000, -2, 0, 10, 12, 1000})
      for (int t = 1; t <= 9; ++t) {
        const int r = p.移動チェック(f, f, t, t, piece);
        EXPECT_TRUE(r == 0 || r == 1);
      }
  EXPECT_EQ(p.移動チェック飛車(HISHA, 5, 5, 5, 5), 0);
  // A lance far below the board never reaches it; a drop ignores its from-rank.
  EXPECT_EQ(p.移動チェック(3, 2000000000, 3, 1, -KYOU), 0);
  EXPECT_EQ(p.移動チェック(3, -2000000000, 3, 9, KYOU), 0);
  EXPECT_EQ(p.移動チェック(HAND_X_SITA, -2000000000, 5, 6, -KIN), 1);
  EXPECT_EQ(p.移動チェック(HAND_X_UE, 2000000000, 4, 4, KEI), 1);
  EXPECT_EQ(p.移動チェック(HAND_X_UE, 2000000000, 4, 4, -KEI), 0);
}
