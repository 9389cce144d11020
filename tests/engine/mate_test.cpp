// One-move mate tests of both kings, and the companion reach test.
#include "tests/engine/attack_fixture.h"

namespace korvel {
namespace {

using testing::EngineBoard;
using testing::Piece;

struct MateCase {
  const char* what;
  std::initializer_list<Piece> pieces;
  int hand_slot, hand_n;        // one kind of piece in the defender's hand
  int hand_slot2, hand_n2;      // and a second kind
  int mated;
};

// The human's king on (5,8) in a box of its own pawns and lances, checked
// by an upper rook down file 5; a lower pawn on (5,9) uses up file 5.
#define BOX {5, 8, -950}, {4, 7, -10}, {6, 7, -10}, {4, 8, -10}, {6, 8, -10}, {4, 9, -20}, \
            {6, 9, -20}, {1, 1, 950}

TEST(MateMan, TableOfCases) {
  const MateCase cases[] = {
      {"not in check", {{5, 8, -950}, {5, 3, 900}, {5, 5, -10}}, 0, 0, 0, 0, 0},
      {"not in check although boxed", {BOX, {5, 9, -10}, {5, 1, 20}, {5, 4, -10}}, 0, 0, 0, 0, 0},
      {"rook check, nothing to block with", {BOX, {5, 9, -10}, {5, 1, 900}}, 0, 0, 0, 0, 1},
      {"rook check, a gold to drop", {BOX, {5, 9, -10}, {5, 1, 900}}, 5, 1, 0, 0, 0},
      {"only pawns in hand, file 5 holds a pawn", {BOX, {5, 9, -10}, {5, 1, 900}}, 1, 2, 0, 0,
       1},
      {"only pawns in hand, file 5 free", {BOX, {5, 9, -20}, {5, 1, 900}}, 1, 1, 0, 0, 0},
      {"pawns and a lance in hand", {BOX, {5, 9, -10}, {5, 1, 900}}, 1, 2, 2, 1, 0},
      // Whatever is in hand, a pawn is what is tried; only an all-pawn hand
      // is asked whether the drop is legal.
      {"a knight in hand blocks next to the rook", {BOX, {5, 9, -10}, {5, 1, 900}}, 3, 1, 0, 0,
       0},
      // A second checker down the diagonal: a drop on file 5 leaves it.
      {"double check, drop does not help",
       {{5, 8, -950}, {4, 7, -10}, {4, 8, -10}, {6, 8, -10}, {4, 9, -20}, {6, 9, -20},
        {5, 9, -10}, {5, 1, 900}, {9, 4, 800}, {1, 1, 950}},
       5, 1, 0, 0, 1},
      {"head gold guarded by a pawn", {{5, 9, -950}, {5, 8, 110}, {5, 7, 10}}, 0, 0, 0, 0, 1},
      {"head gold, a gold in hand changes nothing", {{5, 9, -950}, {5, 8, 110}, {5, 7, 10}}, 5,
       1, 0, 0, 1},
      {"head gold unguarded: the king takes it", {{5, 9, -950}, {5, 8, 110}}, 0, 0, 0, 0, 0},
      {"head gold taken by a silver", {{5, 9, -950}, {5, 8, 110}, {5, 7, 10}, {4, 9, -100}}, 0,
       0, 0, 0, 0},
      {"taking the gold leaves the knight's check",
       {{5, 9, -950}, {5, 8, 110}, {5, 7, 10}, {4, 7, 30}, {4, 9, -100}}, 0, 0, 0, 0, 1},
      {"interposing piece blocks the rook",
       {BOX, {5, 9, -10}, {5, 1, 900}, {4, 6, -110}}, 0, 0, 0, 0, 0},
      // The only way out is (9,9) across the seam, which the test never tries.
      {"king escape across the seam is not tried",
       {{1, 9, -950}, {1, 1, 900}, {2, 8, -10}, {2, 9, -20}, {5, 5, 950}}, 0, 0, 0, 0, 1},
      {"the same king with a step on its own side",
       {{1, 9, -950}, {1, 1, 900}, {2, 8, -10}, {5, 5, 950}}, 0, 0, 0, 0, 0},
  };
  for (const MateCase& c : cases) {
    EngineBoard e(c.pieces);
    if (c.hand_slot) e.hand_sita(c.hand_slot, c.hand_n);
    if (c.hand_slot2) e.hand_sita(c.hand_slot2, c.hand_n2);
    int before[10][10];
    std::memcpy(before, e.pos.Board, sizeof before);
    e.eng.勢力調査();
    EXPECT_EQ(e.eng.詰めかMAN(), c.mated) << c.what;
    EXPECT_TRUE(e.board_is(before)) << c.what;
  }
}

TEST(MateMan, SeamStepIsLegalButNotTried) {
  EngineBoard e{{1, 9, -950}, {1, 1, 900}, {2, 8, -10}, {2, 9, -20}, {5, 5, 950}};
  EXPECT_EQ(e.pos.移動チェック(1, 9, 9, 9, -950), 1);
  e.eng.勢力調査();
  EXPECT_EQ(e.st.KIKI_UE[9][9], 0);
  EXPECT_EQ(e.eng.詰めかMAN(), 1);
}

TEST(MateMan, ComMoveReachesTheHumanKing) {
  struct Case { const char* what; std::initializer_list<Piece> pieces; int want; };
  const Case cases[] = {
      {"gold next to the king", {{5, 9, -950}, {5, 8, 110}}, 1},
      {"rook down an open file", {{5, 9, -950}, {5, 1, 900}}, 1},
      {"rook blocked", {{5, 9, -950}, {5, 1, 900}, {5, 5, -10}}, 0},
      {"lower pieces do not count", {{5, 9, -950}, {5, 8, -110}, {4, 8, -900}}, 0},
      {"knight across the seam", {{1, 9, -950}, {9, 7, 30}}, 1},
  };
  for (const Case& c : cases) {
    EngineBoard e(c.pieces);
    e.eng.勢力調査();
    EXPECT_EQ(e.eng.詰めかMAN_COM移動(), c.want) << c.what;
  }
}

TEST(MateMan, NoKingIsNoCheck) {
  EngineBoard e{{5, 1, 900}, {5, 5, 110}};
  e.eng.勢力調査();
  EXPECT_EQ(e.eng.詰めかMAN(), 0);
  EXPECT_EQ(e.eng.詰めかCOM(), 0);
}

// The computer's king on (5,2) in a box of its own pawns and lances,
// checked up file 5 by a lower rook; an upper pawn on (5,1) uses up file 5.
#define UBOX {5, 2, 950}, {4, 3, 10}, {6, 3, 10}, {4, 2, 10}, {6, 2, 10}, {4, 1, 20}, \
             {6, 1, 20}, {9, 9, -950}

TEST(MateCom, TableOfCases) {
  const MateCase cases[] = {
      {"not in check", {{5, 1, 950}, {5, 9, -900}, {5, 5, 10}}, 0, 0, 0, 0, 0},
      {"rook check, nothing to block with", {UBOX, {5, 1, 10}, {5, 9, -900}}, 0, 0, 0, 0, 1},
      {"rook check, a silver to drop", {UBOX, {5, 1, 10}, {5, 9, -900}}, 4, 1, 0, 0, 0},
      {"only pawns in hand, file 5 holds a pawn", {UBOX, {5, 1, 10}, {5, 9, -900}}, 1, 1, 0, 0,
       1},
      {"only pawns in hand, file 5 free", {UBOX, {5, 1, 20}, {5, 9, -900}}, 1, 1, 0, 0, 0},
      // Checked along row 9: the only square between is on the last row.
      {"pawn may not block on row 9",
       {{3, 9, 950}, {1, 9, -900}, {2, 8, 30}, {3, 8, 30}, {4, 8, 30}, {4, 9, 30}, {9, 1, -950}},
       1, 1, 0, 0, 1},
      {"a silver may",
       {{3, 9, 950}, {1, 9, -900}, {2, 8, 30}, {3, 8, 30}, {4, 8, 30}, {4, 9, 30}, {9, 1, -950}},
       4, 1, 0, 0, 0},
      {"head gold guarded by a pawn", {{5, 1, 950}, {5, 2, -110}, {5, 3, -10}}, 0, 0, 0, 0, 1},
      {"head gold taken by a silver", {{5, 1, 950}, {5, 2, -110}, {5, 3, -10}, {4, 1, 100}}, 0,
       0, 0, 0, 0},
      {"king escape across the seam is not tried",
       {{1, 1, 950}, {1, 9, -900}, {2, 2, 10}, {2, 1, 20}, {5, 5, -950}}, 0, 0, 0, 0, 1},
  };
  for (const MateCase& c : cases) {
    EngineBoard e(c.pieces);
    if (c.hand_slot) e.hand_ue(c.hand_slot, c.hand_n);
    if (c.hand_slot2) e.hand_ue(c.hand_slot2, c.hand_n2);
    int before[10][10];
    std::memcpy(before, e.pos.Board, sizeof before);
    e.eng.勢力調査();
    EXPECT_EQ(e.eng.詰めかCOM(), c.mated) << c.what;
    EXPECT_TRUE(e.board_is(before)) << c.what;
  }
}

TEST(MateCom, LeavesTheMapsOfTheLastAnswerTried) {
  EngineBoard e{{5, 1, 950}, {5, 2, -110}, {5, 3, -10}, {4, 1, 100}};
  e.eng.勢力調査();
  ASSERT_EQ(e.st.KIKI_SITA[4][1], 1);  // the gold attacks the silver
  EXPECT_EQ(e.eng.詰めかCOM(), 0);
  // The silver took the gold: the maps describe that, the Board does not.
  EXPECT_EQ(e.pos.Board[5][2], -110);
  EXPECT_EQ(e.pos.Board[4][1], 100);
  EXPECT_EQ(e.st.KIKI_SITA[4][1], 0);
  EXPECT_EQ(e.st.KIKI_SITA[5][1], 0);
}

#undef BOX
#undef UBOX

}  // namespace
}  // namespace korvel
