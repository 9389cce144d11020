// Pinned pieces, judged by the legality test and so round the cylinder.
#include "tests/engine/attack_fixture.h"

namespace korvel {
namespace {

using testing::EngineBoard;

int pinned_count(const EngineState& st) {
  int n = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) n += st.PIN_SITA[x][y];
  return n;
}

struct PinCase {
  const char* what;
  std::initializer_list<testing::Piece> pieces;
  int px, py;       // square expected in PIN_SITA (0 for none)
  int pinned;       // how many squares PIN_SITA marks
  int flag_ue;
};

TEST(Pins, TableOfCases) {
  const PinCase cases[] = {
      {"silver between rook and king", {{5, 2, 900}, {5, 7, -100}, {5, 9, -950}, {1, 1, 950}},
       5, 7, 1, 0},
      {"two pieces between: neither",
       {{5, 2, 900}, {5, 7, -100}, {5, 8, -10}, {5, 9, -950}, {1, 1, 950}}, 0, 0, 0, 0},
      {"lance pins", {{5, 1, 20}, {5, 7, -110}, {5, 9, -950}}, 5, 7, 1, 0},
      // The rank is a ring: the dragon reaches the king either way round,
      // so each of the two blockers is pinned.
      {"dragon pins both ways round a rank",
       {{1, 9, 901}, {3, 9, -30}, {7, 9, -10}, {5, 9, -950}}, 3, 9, 2, 0},
      {"dragon's other way is blocked twice",
       {{1, 9, 901}, {3, 9, -30}, {7, 9, -10}, {8, 9, -10}, {5, 9, -950}}, 3, 9, 1, 0},
      {"horse pins on a diagonal", {{1, 5, 801}, {3, 7, -10}, {5, 9, -950}}, 3, 7, 1, 0},
      // The bishop's diagonal from (8,6) runs (9,7), then across the seam
      // to (1,8) and (2,9).
      {"bishop pins across the seam", {{8, 6, 800}, {1, 8, -100}, {2, 9, -950}}, 1, 8, 1, 0},
      {"silver is no line piece", {{5, 8, 100}, {5, 9, -950}}, 0, 0, 0, 0},
      {"a lower line piece pins nothing of its own", {{5, 2, -900}, {5, 7, -100}, {5, 9, -950}},
       0, 0, 0, 0},
      {"upper piece pinned by a lower rook", {{5, 9, -900}, {5, 3, 110}, {5, 1, 950}}, 0, 0, 0, 1},
      {"upper piece pinned by a lower bishop", {{1, 5, -800}, {3, 3, 10}, {5, 1, 950}}, 0, 0, 0,
       1},
      {"upper lance is no threat to the upper king", {{5, 9, 20}, {5, 3, 110}, {5, 1, 950}}, 0,
       0, 0, 0},
      {"no line pieces at all", {{5, 9, -950}, {5, 1, 950}, {5, 5, -100}, {5, 4, 100}}, 0, 0, 0,
       0},
  };
  for (const PinCase& c : cases) {
    EngineBoard e(c.pieces);
    int before[10][10];
    std::memcpy(before, e.pos.Board, sizeof before);
    e.eng.勢力調査();
    e.st.PIN_SITA[c.px ? 1 : 2][1] = 1;  // a stale entry that the scan must clear
    e.st.PIN_FLAG_UE = 1 - c.flag_ue;
    e.eng.調査_移動不可駒();
    EXPECT_EQ(pinned_count(e.st), c.pinned) << c.what;
    if (c.px) {
      EXPECT_EQ(e.st.PIN_SITA[c.px][c.py], 1) << c.what;
    }
    EXPECT_EQ(e.st.PIN_FLAG_UE, c.flag_ue) << c.what;
    EXPECT_TRUE(e.board_is(before)) << c.what;
  }
}

TEST(Pins, KingAlreadyAttackedMarksEveryPieceOfItsSide) {
  EngineBoard e{{5, 1, 900}, {5, 9, -950}, {2, 9, -10}, {8, 7, -110}, {1, 1, 950}};
  e.eng.勢力調査();
  e.eng.調査_移動不可駒();
  EXPECT_EQ(e.st.PIN_SITA[2][9], 1);
  EXPECT_EQ(e.st.PIN_SITA[8][7], 1);
  EXPECT_EQ(e.st.PIN_SITA[5][9], 1);  // the king is lifted like any piece
  EXPECT_EQ(pinned_count(e.st), 3);
}

TEST(Pins, UsesTheKingSquaresOfTheLastRebuild) {
  EngineBoard e{{5, 2, 900}, {5, 7, -100}, {5, 9, -950}};
  e.eng.勢力調査();
  // The king walks off without a rebuild: the pin is still judged against
  // the square the maps last saw.
  e.pos.Board[5][9] = 0;
  e.pos.Board[4][9] = -950;
  e.eng.調査_移動不可駒();
  EXPECT_EQ(e.st.PIN_SITA[5][7], 1);
}

TEST(Pins, MissingKingsPinNothing) {
  EngineBoard e{{5, 2, 900}, {5, 7, -100}, {5, 8, -900}, {5, 3, 100}};
  e.eng.勢力調査();
  e.eng.調査_移動不可駒();
  EXPECT_EQ(pinned_count(e.st), 0);
  EXPECT_EQ(e.st.PIN_FLAG_UE, 0);
}

}  // namespace
}  // namespace korvel
