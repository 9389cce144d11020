// Attack maps and line attacks: what each side records, the strict
// comparisons, the check lines, and the flat strip the maps treat the
// cylinder as (but for the bishops' legality-test counts).
#include <random>

#include "engine/map_access.h"
#include "tests/engine/attack_fixture.h"

namespace korvel {
namespace {

using testing::EngineBoard;

void fill_map(Map& m, int v) {
  for (auto& col : m)
    for (int& c : col) c = v;
}

TEST(AttackMaps, EmptyBoardResetsMapsButNotCoordinatesOrKings) {
  EngineBoard e;
  Map* all[] = {&e.st.KIKI_SITA,  &e.st.KIKI_UE,       &e.st.HIMO_SITA,    &e.st.HIMO_UE,
                &e.st.HIMO_X_UE,  &e.st.HIMO_Y_UE,     &e.st.ATARI_SITA,   &e.st.ATARI_X_SITA,
                &e.st.ATARI_Y_SITA, &e.st.ATARI_UE,    &e.st.ATARI_X_UE,   &e.st.ATARI_Y_UE,
                &e.st.OUTE_SITA,  &e.st.OUTE_UE};
  for (Map* m : all) fill_map(*m, 7);
  e.pos.KING_SITA_X = 3, e.pos.KING_SITA_Y = 4, e.pos.KING_UE_X = 6, e.pos.KING_UE_Y = 2;
  e.eng.勢力調査();

  struct Expect { const Map* m; int v; const char* name; };
  const Expect expect[] = {
      {&e.st.KIKI_SITA, 0, "KIKI_SITA"},     {&e.st.KIKI_UE, 0, "KIKI_UE"},
      {&e.st.HIMO_SITA, 999, "HIMO_SITA"},   {&e.st.HIMO_UE, 999, "HIMO_UE"},
      {&e.st.HIMO_X_UE, 7, "HIMO_X_UE"},     {&e.st.HIMO_Y_UE, 7, "HIMO_Y_UE"},
      {&e.st.ATARI_SITA, -999, "ATARI_SITA"}, {&e.st.ATARI_X_SITA, 0, "ATARI_X_SITA"},
      {&e.st.ATARI_Y_SITA, 0, "ATARI_Y_SITA"}, {&e.st.ATARI_UE, 999, "ATARI_UE"},
      {&e.st.ATARI_X_UE, 7, "ATARI_X_UE"},   {&e.st.ATARI_Y_UE, 7, "ATARI_Y_UE"},
      {&e.st.OUTE_SITA, 0, "OUTE_SITA"},     {&e.st.OUTE_UE, 0, "OUTE_UE"},
  };
  for (const Expect& x : expect)
    for (int i = 1; i <= 9; ++i)
      for (int j = 1; j <= 9; ++j) ASSERT_EQ((*x.m)[i][j], x.v) << x.name << " " << i << "," << j;
  // Row and column 0 are outside the reset.
  EXPECT_EQ(e.st.HIMO_SITA[0][5], 7);
  EXPECT_EQ(e.pos.KING_SITA_X, 3);
  EXPECT_EQ(e.pos.KING_SITA_Y, 4);
  EXPECT_EQ(e.pos.KING_UE_X, 6);
  EXPECT_EQ(e.pos.KING_UE_Y, 2);
}

// One value of one map after a rebuild of a small position.
struct MapCase {
  const char* what;
  std::initializer_list<testing::Piece> pieces;
  Map EngineState::*map;
  int x, y, want;
};

TEST(AttackMaps, RecordsOfStepPieces) {
  using S = EngineState;
  const MapCase cases[] = {
      {"lower pawn hits upper silver", {{5, 5, -10}, {5, 4, 100}}, &S::KIKI_SITA, 5, 4, 1},
      {"... least attacker code", {{5, 5, -10}, {5, 4, 100}}, &S::ATARI_SITA, 5, 4, -10},
      {"... attacker file", {{5, 5, -10}, {5, 4, 100}}, &S::ATARI_X_SITA, 5, 4, 5},
      {"... attacker rank", {{5, 5, -10}, {5, 4, 100}}, &S::ATARI_Y_SITA, 5, 4, 5},
      {"pawn and rook defend: rook shows", {{5, 5, -110}, {5, 6, -10}, {9, 5, -900}},
       &S::HIMO_SITA, 5, 5, -900},
      {"rook and pawn defend, rook scanned first", {{5, 5, -110}, {5, 6, -10}, {1, 5, -900}},
       &S::HIMO_SITA, 5, 5, -900},
      {"two golds attack: lower file wins", {{5, 4, 100}, {6, 5, -110}, {4, 5, -110}},
       &S::ATARI_X_SITA, 5, 4, 4},
      {"two golds attack: code", {{5, 4, 100}, {6, 5, -110}, {4, 5, -110}}, &S::ATARI_SITA, 5, 4,
       -110},
      {"two golds on one file: lower rank wins", {{5, 4, 100}, {4, 5, -110}, {4, 4, -110}},
       &S::ATARI_Y_SITA, 5, 4, 4},
      {"gold before pawn: pawn is cheaper", {{5, 4, 100}, {4, 5, -110}, {5, 5, -10}},
       &S::ATARI_SITA, 5, 4, -10},
      {"upper knight counts on lower piece", {{5, 3, 30}, {4, 5, -10}}, &S::KIKI_UE, 4, 5, 1},
      {"... but records no threat", {{5, 3, 30}, {4, 5, -10}}, &S::ATARI_UE, 4, 5, 999},
      {"upper silver records no threat", {{5, 3, 100}, {5, 4, -10}}, &S::ATARI_UE, 5, 4, 999},
      {"upper pawn records a threat", {{5, 3, 10}, {5, 4, -10}}, &S::ATARI_UE, 5, 4, 10},
      {"upper tokin defends as a gold", {{5, 3, 11}, {5, 4, 10}}, &S::HIMO_UE, 5, 4, 110},
      {"upper promoted silver defends as a gold", {{5, 3, 101}, {4, 3, 10}}, &S::HIMO_UE, 4, 3,
       110},
      {"upper gold pattern records no threat", {{5, 3, 110}, {5, 4, -10}}, &S::ATARI_UE, 5, 4,
       999},
      {"upper gold steps back", {{5, 3, 110}, {5, 2, 10}}, &S::HIMO_UE, 5, 2, 110},
      {"upper gold has no back diagonal", {{5, 3, 110}, {4, 2, 10}}, &S::KIKI_UE, 4, 2, 0},
      {"upper king defends", {{5, 1, 950}, {4, 2, 100}}, &S::HIMO_UE, 4, 2, 950},
      {"upper king records no threat", {{5, 1, 950}, {4, 2, -100}}, &S::ATARI_UE, 4, 2, 999},
      {"upper horse step records no defence", {{5, 5, 801}, {5, 6, 10}}, &S::HIMO_UE, 5, 6, 999},
      {"upper horse step counts once on own piece", {{5, 5, 801}, {5, 6, 10}}, &S::KIKI_UE, 5, 6,
       1},
      {"upper horse step records no threat", {{5, 5, 801}, {5, 6, -10}}, &S::ATARI_UE, 5, 6, 999},
      {"upper dragon diagonal step threatens", {{5, 5, 901}, {6, 6, -10}}, &S::ATARI_UE, 6, 6,
       901},
      {"... with its square", {{5, 5, 901}, {6, 6, -10}}, &S::ATARI_X_UE, 6, 6, 5},
      {"upper dragon diagonal step defends", {{5, 5, 901}, {4, 4, 10}}, &S::HIMO_Y_UE, 4, 4, 5},
      {"lower horse step counts twice", {{5, 5, -801}}, &S::KIKI_SITA, 5, 4, 2},
      {"lower horse step records", {{5, 5, -801}, {5, 4, 10}}, &S::ATARI_SITA, 5, 4, -801},
      {"lower dragon step records", {{5, 5, -901}, {4, 4, 10}}, &S::ATARI_SITA, 4, 4, -901},
      {"lower knight on rank 2 attacks nothing", {{5, 2, -30}}, &S::KIKI_SITA, 4, 1, 0},
      {"upper knight on rank 8 attacks nothing", {{5, 8, 30}}, &S::KIKI_UE, 4, 9, 0},
      {"lower pawn on rank 1 is harmless", {{5, 1, -10}}, &S::KIKI_SITA, 5, 2, 0},
      {"lower silver on file 1: no seam", {{1, 5, -100}}, &S::KIKI_SITA, 9, 4, 0},
      {"... nor behind", {{1, 5, -100}}, &S::KIKI_SITA, 9, 6, 0},
      {"lower gold on file 9: no seam", {{9, 5, -110}}, &S::KIKI_SITA, 1, 5, 0},
      {"111 is no piece", {{5, 5, 111}}, &S::KIKI_UE, 5, 6, 0},
      {"-111 is no piece", {{5, 5, -111}}, &S::KIKI_SITA, 5, 4, 0},
  };
  for (const MapCase& c : cases) {
    EngineBoard e(c.pieces);
    e.eng.勢力調査();
    EXPECT_EQ((e.st.*c.map)[c.x][c.y], c.want) << c.what;
  }
}

// Every piece alone on (5,5): the exact squares it counts in its side's
// KIKI map. Offsets are written for the lower side; the upper side's are
// the same with the rank turned round.
TEST(AttackMaps, SquaresEachPieceCountsAlone) {
  struct Step { int dx, dy, n; };
  struct Line { int dx, dy, n; };  // n per square, to the edge
  struct Case {
    int code;
    std::initializer_list<Step> steps;
    std::initializer_list<Line> lines;
  };
  const Case cases[] = {
      {10, {{0, -1, 1}}, {}},
      {110, {{0, -1, 1}, {-1, -1, 1}, {1, -1, 1}, {0, 1, 1}, {-1, 0, 1}, {1, 0, 1}}, {}},
      {11, {{0, -1, 1}, {-1, -1, 1}, {1, -1, 1}, {0, 1, 1}, {-1, 0, 1}, {1, 0, 1}}, {}},
      {21, {{0, -1, 1}, {-1, -1, 1}, {1, -1, 1}, {0, 1, 1}, {-1, 0, 1}, {1, 0, 1}}, {}},
      {31, {{0, -1, 1}, {-1, -1, 1}, {1, -1, 1}, {0, 1, 1}, {-1, 0, 1}, {1, 0, 1}}, {}},
      {101, {{0, -1, 1}, {-1, -1, 1}, {1, -1, 1}, {0, 1, 1}, {-1, 0, 1}, {1, 0, 1}}, {}},
      {20, {}, {{0, -1, 1}}},
      {30, {{-1, -2, 1}, {1, -2, 1}}, {}},
      {100, {{0, -1, 1}, {-1, -1, 1}, {1, -1, 1}, {-1, 1, 1}, {1, 1, 1}}, {}},
      {800, {}, {{-1, -1, 2}, {1, -1, 2}, {-1, 1, 2}, {1, 1, 2}}},
      // The horse's steps count again through the legality test.
      {801, {{0, -1, 2}, {0, 1, 2}, {-1, 0, 2}, {1, 0, 2}},
       {{-1, -1, 2}, {1, -1, 2}, {-1, 1, 2}, {1, 1, 2}}},
      {900, {}, {{0, -1, 1}, {0, 1, 1}, {-1, 0, 1}, {1, 0, 1}}},
      {901, {{-1, -1, 1}, {1, -1, 1}, {-1, 1, 1}, {1, 1, 1}},
       {{0, -1, 1}, {0, 1, 1}, {-1, 0, 1}, {1, 0, 1}}},
      {950, {{0, -1, 1}, {-1, -1, 1}, {1, -1, 1}, {0, 1, 1}, {-1, 1, 1}, {1, 1, 1}, {-1, 0, 1},
             {1, 0, 1}}, {}},
      {111, {}, {}},
  };
  for (const Case& c : cases) {
    for (int side : {-1, 1}) {
      int want[10][10] = {};
      for (const Step& st : c.steps) want[5 + st.dx][5 + st.dy * -side] += st.n;
      for (const Line& ln : c.lines)
        for (int x = 5 + ln.dx, y = 5 + ln.dy * -side; on_board(x, y);
             x += ln.dx, y += ln.dy * -side)
          want[x][y] += ln.n;
      EngineBoard e{{5, 5, side * c.code}};
      e.eng.勢力調査();
      const Map& got = side < 0 ? e.st.KIKI_SITA : e.st.KIKI_UE;
      const Map& other = side < 0 ? e.st.KIKI_UE : e.st.KIKI_SITA;
      for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
          EXPECT_EQ(got[x][y], want[x][y]) << side * c.code << " at " << x << "," << y;
          EXPECT_EQ(other[x][y], 0) << side * c.code;
        }
    }
  }
}

TEST(AttackMaps, CheckMarks) {
  using S = EngineState;
  const MapCase cases[] = {
      {"lower knight checks: its square", {{4, 5, -30}, {3, 3, 950}}, &S::OUTE_SITA, 4, 5, 9},
      {"lower knight checks: the king's square", {{4, 5, -30}, {3, 3, 950}}, &S::OUTE_SITA, 3,
       3, 9},
      {"lower gold checks", {{5, 2, -110}, {5, 1, 950}}, &S::OUTE_SITA, 5, 2, 9},
      {"gold does not mark the king's square", {{5, 2, -110}, {5, 1, 950}}, &S::OUTE_SITA, 5, 1,
       0},
      // The pawn comes first in scan order and takes ATARI_SITA; the gold
      // still marks its square.
      {"every checker marks, not only the cheapest", {{4, 2, -110}, {5, 2, -10}, {5, 1, 950}},
       &S::OUTE_SITA, 4, 2, 9},
      {"lower king never marks", {{5, 2, -950}, {5, 1, 950}}, &S::OUTE_SITA, 5, 2, 0},
      {"upper king never marks", {{5, 2, -950}, {5, 1, 950}}, &S::OUTE_UE, 5, 1, 0},
      {"upper knight checks: both squares", {{5, 3, 30}, {4, 5, -950}}, &S::OUTE_UE, 4, 5, 9},
      {"upper pawn checks", {{5, 4, 10}, {5, 5, -950}}, &S::OUTE_UE, 5, 4, 9},
      {"upper horse step checks", {{5, 4, 801}, {5, 5, -950}}, &S::OUTE_UE, 5, 4, 9},
      {"upper tokin checks", {{5, 4, 11}, {5, 5, -950}}, &S::OUTE_UE, 5, 4, 9},
  };
  for (const MapCase& c : cases) {
    EngineBoard e(c.pieces);
    e.eng.勢力調査();
    EXPECT_EQ((e.st.*c.map)[c.x][c.y], c.want) << c.what;
  }
}

TEST(LineAttacks, RookChecksThroughTheKing) {
  EngineBoard e{{5, 9, -900}, {5, 2, 950}};
  e.eng.勢力調査();
  for (int y = 3; y <= 8; ++y) EXPECT_EQ(e.st.OUTE_SITA[5][y], 1) << y;
  EXPECT_EQ(e.st.OUTE_SITA[5][9], 9);
  EXPECT_EQ(e.st.OUTE_SITA[5][2], 0);
  EXPECT_EQ(e.st.OUTE_SITA[5][1], 0);
  EXPECT_EQ(e.st.KIKI_SITA[5][1], 1);
  EXPECT_EQ(e.st.ATARI_SITA[5][2], -900);
  EXPECT_EQ(e.st.ATARI_X_SITA[5][2], 5);
  EXPECT_EQ(e.st.ATARI_Y_SITA[5][2], 9);
}

TEST(LineAttacks, RookStopsAtAPieceAndMarksNoCheck) {
  EngineBoard e{{5, 9, -900}, {5, 2, 950}, {5, 5, 10}};
  e.eng.勢力調査();
  EXPECT_EQ(e.st.ATARI_SITA[5][5], -900);
  EXPECT_EQ(e.st.KIKI_SITA[5][4], 0);
  EXPECT_EQ(e.st.KIKI_SITA[5][2], 0);
  for (int y = 1; y <= 9; ++y) EXPECT_EQ(e.st.OUTE_SITA[5][y], 0) << y;
}

TEST(LineAttacks, RookStopsAtItsOwnKingAndDefendsIt) {
  EngineBoard e{{5, 9, -900}, {5, 5, -950}};
  e.eng.勢力調査();
  EXPECT_EQ(e.st.HIMO_SITA[5][5], -900);
  EXPECT_EQ(e.st.KIKI_SITA[5][4], 1);  // from the king only
}

TEST(LineAttacks, UpperLanceChecksAndLooksThrough) {
  EngineBoard e{{3, 1, 20}, {3, 6, -950}};
  e.eng.勢力調査();
  for (int y = 2; y <= 5; ++y) EXPECT_EQ(e.st.OUTE_UE[3][y], 1) << y;
  EXPECT_EQ(e.st.OUTE_UE[3][1], 9);
  EXPECT_EQ(e.st.KIKI_UE[3][9], 1);
  EXPECT_EQ(e.st.ATARI_UE[3][6], 20);
  EXPECT_EQ(e.st.ATARI_X_UE[3][6], 3);
  EXPECT_EQ(e.st.ATARI_Y_UE[3][6], 1);
}

TEST(LineAttacks, RanksDoNotWrap) {
  EngineBoard e{{1, 5, -900}};
  e.eng.勢力調査();
  EXPECT_EQ(e.st.KIKI_SITA[9][5], 1);  // reached going right, the long way
  EngineBoard g{{1, 5, -900}, {5, 5, 10}};
  g.eng.勢力調査();
  EXPECT_EQ(g.st.KIKI_SITA[9][5], 0);  // the other way round is not looked at
  EXPECT_EQ(g.st.KIKI_SITA[6][5], 0);
}

TEST(LineAttacks, LoneBishopCountsRaysTwiceAndSeamSquaresOnce) {
  EngineBoard e{{2, 5, -800}};
  e.eng.勢力調査();
  struct Sq { int x, y, want; };
  const Sq sq[] = {
      {1, 4, 2}, {3, 4, 2}, {6, 1, 2}, {1, 6, 2}, {6, 9, 2},  // flat diagonals
      {9, 3, 1}, {8, 2, 1}, {7, 1, 1}, {9, 7, 1}, {7, 9, 1},  // across the seam
      {2, 4, 0}, {5, 5, 0}, {2, 5, 0},
  };
  for (const Sq& s : sq) EXPECT_EQ(e.st.KIKI_SITA[s.x][s.y], s.want) << s.x << "," << s.y;
  // Only the rays record; the legality test's extra counts record nothing.
  EngineBoard g{{2, 5, -800}, {9, 3, 10}, {3, 4, 10}};
  g.eng.勢力調査();
  EXPECT_EQ(g.st.ATARI_SITA[9][3], -999);
  EXPECT_EQ(g.st.KIKI_SITA[9][3], 1);
  EXPECT_EQ(g.st.ATARI_SITA[3][4], -800);
  EXPECT_EQ(g.st.KIKI_SITA[3][4], 2);
}

TEST(LineAttacks, BishopOnOwnPieceCountsOnce) {
  EngineBoard e{{5, 5, -800}, {4, 4, -10}};
  e.eng.勢力調査();
  EXPECT_EQ(e.st.KIKI_SITA[4][4], 1);
  EXPECT_EQ(e.st.HIMO_SITA[4][4], -800);
  EXPECT_EQ(e.st.KIKI_SITA[3][3], 0);
}

TEST(LineAttacks, UpperBishopThreatUnlessACheaperRecorderAttacks) {
  struct Case {
    const char* what;
    std::initializer_list<testing::Piece> pieces;
    int atari, ax, ay;
  };
  const Case cases[] = {
      {"bishop alone", {{2, 2, 800}, {5, 5, -100}}, 800, 2, 2},
      {"a pawn attacks too", {{2, 2, 800}, {5, 5, -100}, {5, 4, 10}}, 10, 2, 2},  // no square
      {"a silver attacks too", {{2, 2, 800}, {5, 5, -100}, {5, 4, 100}}, 800, 2, 2},
      {"a rook attacks too", {{2, 2, 800}, {5, 5, -100}, {5, 9, 900}}, 800, 2, 2},
  };
  for (const Case& c : cases) {
    EngineBoard e(c.pieces);
    e.eng.勢力調査();
    EXPECT_EQ(e.st.ATARI_UE[5][5], c.atari) << c.what;
    EXPECT_EQ(e.st.ATARI_X_UE[5][5], c.ax) << c.what;
    EXPECT_EQ(e.st.ATARI_Y_UE[5][5], c.ay) << c.what;
  }
}

TEST(LineAttacks, EqualCodesKeepTheFirstInScanOrder) {
  // Two upper silvers defend (5,5); the one on the lower file keeps the entry.
  EngineBoard e{{5, 5, 10}, {6, 4, 100}, {4, 4, 100}};
  e.eng.勢力調査();
  EXPECT_EQ(e.st.HIMO_UE[5][5], 100);
  EXPECT_EQ(e.st.HIMO_X_UE[5][5], 4);
  // A rook below a lance on one file: the lance is cheaper.
  EngineBoard g{{5, 5, 10}, {5, 1, 900}, {5, 3, 20}};
  g.eng.勢力調査();
  EXPECT_EQ(g.st.HIMO_UE[5][5], 20);
  EXPECT_EQ(g.st.HIMO_Y_UE[5][5], 3);
}

TEST(AttackMaps, KingsKeepTheirSquaresWhenMissing) {
  EngineBoard e{{2, 8, -950}, {7, 3, 950}};
  e.eng.勢力調査();
  EXPECT_EQ(e.pos.KING_SITA_X, 2);
  EXPECT_EQ(e.pos.KING_UE_Y, 3);
  e.pos.Board[2][8] = 0;
  e.pos.Board[7][3] = 0;
  e.eng.勢力調査();
  EXPECT_EQ(e.pos.KING_SITA_X, 2);
  EXPECT_EQ(e.pos.KING_SITA_Y, 8);
  EXPECT_EQ(e.pos.KING_UE_X, 7);
  EXPECT_EQ(e.pos.KING_UE_Y, 3);
}

TEST(AttackMaps, RebuildReplacesTheLastOne) {
  EngineBoard e{{5, 5, -900}, {5, 2, 950}};
  e.eng.勢力調査();
  e.eng.勢力調査();
  EXPECT_EQ(e.st.KIKI_SITA[5][4], 1);
  EXPECT_EQ(e.st.OUTE_SITA[5][5], 9);
}

// Positions a damaged record could hold: any codes at all. Nothing may be
// written outside 1..9, nothing read outside the tables, and the Board is
// left alone.
TEST(AttackMaps, DamagedPositionsStayInsideTheTables) {
  std::mt19937 rng(12345);
  const int codes[] = {0, 0, 0, 0, 10, -10, 11, -11, 20, -20, 21, 30, -30, 31, 100, -100, 101,
                       110, -110, 111, -111, 800, -800, 801, -801, 900, -900, 901, -901, 950,
                       -950, 5, -5, 999, -2147483647, 2147483647};
  for (int round = 0; round < 60; ++round) {
    EngineBoard e;
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y) e.pos.Board[x][y] = codes[rng() % std::size(codes)];
    for (int s = 1; s <= 7; ++s) e.pos.HAND_SITA[s] = e.pos.HAND_UE[s] = rng() % 20;
    e.pos.持駒数再計算();
    int before[10][10];
    std::memcpy(before, e.pos.Board, sizeof before);
    e.eng.勢力調査();
    e.eng.調査_移動不可駒();
    e.eng.詰めかMAN();
    e.eng.詰めかCOM();
    e.eng.調査_持角狙座標();
    for (int x = 0; x <= 10; ++x)
      for (int y = 0; y <= 10; ++y) {
        e.eng.調査_自守駒MAN_直進駒(x, y);
        e.eng.調査_桂狙い(x, y);
        e.eng.調査_香狙い(x, y);
      }
    EXPECT_TRUE(e.board_is(before)) << round;
    for (int i = 0; i <= 9; ++i) {
      EXPECT_EQ(e.st.KIKI_SITA[0][i], 0);
      EXPECT_EQ(e.st.OUTE_UE[i][0], 0);
      EXPECT_EQ(e.pos.Board[0][i], 0);
    }
  }
}

}  // namespace
}  // namespace korvel
