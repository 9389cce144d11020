// The small measures the evaluation reads.
#include <climits>

#include "tests/engine/attack_fixture.h"

namespace korvel {
namespace {

using testing::EngineBoard;
using testing::Piece;

TEST(Measures, HumanKingEscapeSquares) {
  struct Case { const char* what; std::initializer_list<Piece> pieces; int want; };
  const Case cases[] = {
      {"alone in the middle", {{5, 5, -950}}, 8},
      {"on file 1: no neighbours across the seam", {{1, 5, -950}}, 5},
      {"in the corner", {{9, 9, -950}}, 3},
      {"own pieces fill two squares", {{5, 5, -950}, {4, 4, -10}, {6, 6, 10}}, 6},
      {"an upper gold covers three", {{5, 5, -950}, {5, 3, 110}}, 5},
      {"boxed in", {{5, 9, -950}, {5, 8, 110}, {5, 7, 10}, {4, 9, -20}, {6, 9, -20}}, 0},
  };
  for (const Case& c : cases) {
    EngineBoard e(c.pieces);
    e.eng.勢力調査();
    EXPECT_EQ(e.eng.調査_自王逃道(), c.want) << c.what;
  }
}

TEST(Measures, BishopCheckSquares) {
  EngineBoard e{{5, 1, 950}, {7, 3, 10}};
  e.st.BISHOP_CHECK_SQUARES[1][1] = 1;  // stale, must be cleared
  e.eng.勢力調査();
  e.eng.調査_持角狙座標();
  struct Sq { int x, y, want; };
  const Sq sq[] = {
      {3, 3, 1}, {2, 4, 1}, {1, 5, 1},  // down-left, open
      {9, 6, 1}, {6, 9, 1},             // the same diagonal after the seam
      {4, 2, 0},                        // next to the king: the king attacks it
      {7, 3, 0},                        // occupied
      {8, 4, 0},                        // behind the own pawn
      {1, 1, 0}, {5, 5, 0},
  };
  for (const Sq& s : sq) EXPECT_EQ(e.st.BISHOP_CHECK_SQUARES[s.x][s.y], s.want) << s.x << "," << s.y;
  // A square on the diagonal that the computer attacks is left out.
  EngineBoard g{{5, 1, 950}, {2, 3, 10}};
  g.eng.勢力調査();
  g.eng.調査_持角狙座標();
  EXPECT_EQ(g.st.BISHOP_CHECK_SQUARES[2][4], 0);
  EXPECT_EQ(g.st.BISHOP_CHECK_SQUARES[3][3], 1);
}

// The human's bishop or horse on (x, y) could reach a checking square.
TEST(Measures, BishopWarningConsidersOnlyTheFirstSquare) {
  struct Case {
    const char* what;
    std::initializer_list<Piece> pieces;
    int bishops_in_hand;
    int want;
  };
  // (2,2) is the first marked square that a bishop on (5,5) reaches; (8,8)
  // is the second. A human bishop on (9,7) reaches (8,8) only.
  const Case cases[] = {
      {"nothing reaches S, no bishop in hand", {}, 0, 0},
      {"bishop in hand could drop on S", {}, 1, 110},
      {"a board bishop reaches the second square only", {{9, 7, -800}}, 0, 0},
      {"a board bishop reaches S", {{1, 1, -800}}, 0, 110},
      {"a board horse reaches S", {{3, 2, -801}}, 0, 110},
      {"an upper bishop does not count", {{1, 1, 800}}, 0, 0},
  };
  for (const Case& c : cases) {
    EngineBoard e(c.pieces);
    e.hand_sita(6, c.bishops_in_hand);
    e.st.BISHOP_CHECK_SQUARES[2][2] = 1;
    e.st.BISHOP_CHECK_SQUARES[8][8] = 1;
    EXPECT_EQ(e.eng.盤評価_自角注意_COM(5, 5, 110), c.want) << c.what;
  }
  // No marked square reachable: 0 even with a bishop in hand.
  EngineBoard e;
  e.hand_sita(6, 1);
  e.st.BISHOP_CHECK_SQUARES[5][7] = 1;
  EXPECT_EQ(e.eng.盤評価_自角注意_COM(5, 5, 110), 0);
  // A square only a horse on (x, y) would reach qualifies too.
  e.st.BISHOP_CHECK_SQUARES[5][6] = 1;
  EXPECT_EQ(e.eng.盤評価_自角注意_COM(5, 5, 30), 30);
}

TEST(Measures, SafeDestinations) {
  struct Case {
    const char* what;
    std::initializer_list<Piece> pieces;
    int x, y, piece, want;
  };
  const Case cases[] = {
      {"upper pawn, free step", {{5, 5, 10}}, 5, 5, 10, 1},
      {"upper pawn, step attacked", {{5, 5, 10}, {5, 7, -10}}, 5, 5, 10, 0},
      {"upper pawn, step attacked by its own side only", {{5, 5, 10}, {4, 5, 110}}, 5, 5, 10, 1},
      {"lower king in the open", {{5, 5, -950}}, 5, 5, -950, 8},
      {"lower king, an upper gold near", {{5, 5, -950}, {5, 3, 110}}, 5, 5, -950, 5},
      {"lower king on file 1 steps across the seam", {{1, 5, -950}}, 1, 5, -950, 8},
      {"upper king surrounded by attacks",
       {{5, 1, 950}, {5, 3, -900}, {4, 3, -900}, {6, 3, -900}}, 5, 1, 950, 0},
  };
  for (const Case& c : cases) {
    EngineBoard e(c.pieces);
    e.eng.勢力調査();
    EXPECT_EQ(e.eng.調査_移動可場所数(c.x, c.y, c.piece), c.want) << c.what;
  }
}

TEST(Measures, KnightForkAim) {
  struct Case {
    const char* what;
    std::initializer_list<Piece> pieces;
    int x, y, want;
  };
  const Case cases[] = {
      // Rook on (3,7) attacks the gold on (5,7); a bishop on (7,7) is the
      // second target from (6,5).
      {"rook attacks, bishop beside", {{5, 7, 110}, {3, 7, -900}, {7, 7, -800}}, 5, 7, 800},
      {"the attacker itself is no target", {{5, 7, 110}, {3, 7, -900}}, 5, 7, 0},
      {"knight square occupied", {{5, 7, 110}, {3, 7, -900}, {7, 7, -800}, {6, 5, 10}}, 5, 7, 0},
      {"knight square attacked",
       {{5, 7, 110}, {3, 7, -900}, {7, 7, -800}, {6, 6, -10}}, 5, 7, 0},
      {"row 5 is too high", {{5, 5, 110}, {3, 5, -900}, {7, 5, -800}}, 5, 5, 0},
      {"a pawn is the cheapest attacker", {{5, 7, 110}, {3, 7, -900}, {7, 7, -800}, {5, 8, -10}},
       5, 7, 0},
      {"both sides", {{5, 7, 110}, {5, 9, -900}, {7, 7, -800}, {3, 7, -901}}, 5, 7, 1701},
      {"file 8: no right-hand target", {{8, 7, 110}, {8, 9, -900}, {6, 7, -801}}, 8, 7, 801},
      // Codes no piece has, from a damaged record: the sum saturates.
      {"damaged codes", {{5, 7, 110}, {5, 9, -900}, {7, 7, INT_MIN}, {3, 7, -2147483647}}, 5, 7,
       INT_MAX},
  };
  for (const Case& c : cases) {
    EngineBoard e(c.pieces);
    e.eng.勢力調査();
    EXPECT_EQ(e.eng.調査_桂狙い(c.x, c.y), c.want) << c.what;
  }
}

TEST(Measures, LanceAim) {
  struct Case {
    const char* what;
    std::initializer_list<Piece> pieces;
    int want;
  };
  // The upper pawn on (5,7) is attacked by a bishop; the upper gold on
  // (5,5) covers (5,6). A lance on (5,7) would aim down file 5.
  const Case cases[] = {
      {"rook below", {{5, 7, 10}, {5, 5, 110}, {3, 5, -800}, {5, 9, -900}}, 900},
      {"a gap before a gold", {{5, 7, 10}, {5, 5, 110}, {3, 5, -800}, {5, 9, -110}}, 110},
      {"a lance below is itself the cheapest attacker",
       {{5, 7, 10}, {5, 5, 110}, {3, 5, -800}, {5, 9, -20}}, 0},
      {"first piece below is the computer's own",
       {{5, 7, 10}, {5, 5, 110}, {3, 5, -800}, {5, 8, 30}, {5, 9, -900}}, 0},
      {"nothing below", {{5, 7, 10}, {5, 5, 110}, {3, 5, -800}}, 0},
      {"square above not covered", {{5, 7, 10}, {3, 5, -800}, {5, 9, -900}}, 0},
      {"square above attacked by the human",
       {{5, 7, 10}, {5, 5, 110}, {3, 5, -800}, {5, 9, -900}, {4, 7, -110}}, 0},
      {"cheapest attacker a gold", {{5, 7, 10}, {5, 5, 110}, {4, 8, -110}, {5, 9, -900}}, 0},
      {"a damaged code below", {{5, 7, 10}, {5, 5, 110}, {3, 5, -800}, {5, 9, INT_MIN}},
       INT_MAX},
  };
  for (const Case& c : cases) {
    EngineBoard e(c.pieces);
    e.eng.勢力調査();
    EXPECT_EQ(e.eng.調査_香狙い(5, 7), c.want) << c.what;
  }
  EngineBoard high{{5, 6, 10}, {5, 4, 110}, {3, 4, -800}, {5, 9, -900}};
  high.eng.勢力調査();
  EXPECT_EQ(high.eng.調査_香狙い(5, 6), 0);  // row 6 is too high
}

TEST(Measures, HumanLineDefenderBelow) {
  struct Case {
    const char* what;
    std::initializer_list<Piece> pieces;
    int want;
  };
  const Case cases[] = {
      {"rook below", {{5, 3, -10}, {5, 8, -900}}, 1},
      {"lance below", {{5, 3, -10}, {5, 9, -20}}, 1},
      {"dragon below", {{5, 3, 10}, {5, 9, -901}}, 1},
      {"a computer piece between", {{5, 3, -10}, {5, 6, 10}, {5, 8, -900}}, 0},
      {"a human piece between is passed over, then blocks", {{5, 3, -10}, {5, 6, -10}, {5, 8, -900}},
       0},
      {"a human bishop is no line piece here", {{5, 3, -10}, {5, 8, -800}}, 0},
      {"nothing below", {{5, 3, -10}}, 0},
      {"an upper rook does not count", {{5, 3, -10}, {5, 8, 900}}, 0},
  };
  for (const Case& c : cases) {
    EngineBoard e(c.pieces);
    int before[10][10];
    std::memcpy(before, e.pos.Board, sizeof before);
    EXPECT_EQ(e.eng.調査_自守駒MAN_直進駒(5, 3), c.want) << c.what;
    EXPECT_TRUE(e.board_is(before)) << c.what;
  }
  // The lifted piece itself is out of the way: an upper piece on the square
  // does not stop the look.
  EngineBoard e{{5, 3, 900}, {5, 8, -900}};
  EXPECT_EQ(e.eng.調査_自守駒MAN_直進駒(5, 3), 1);
  EXPECT_EQ(e.pos.Board[5][3], 900);
}

TEST(Measures, HeavyNeighbours) {
  struct Case {
    const char* what;
    std::initializer_list<Piece> pieces;
    int x, y, want;
  };
  const Case cases[] = {
      {"none", {{5, 5, 800}, {4, 4, 110}, {6, 6, -900}}, 5, 5, 0},
      {"bishop, horse, rook, dragon, king", {{4, 4, 800}, {5, 4, 801}, {6, 4, 900}, {4, 5, 901},
       {6, 6, 950}}, 5, 5, -5},
      {"the square itself is not a neighbour", {{5, 5, 900}}, 5, 5, 0},
      {"no neighbours across the seam", {{9, 5, 900}, {9, 4, 801}}, 1, 5, 0},
      {"corner", {{2, 2, 900}, {1, 2, 950}}, 1, 1, -2},
  };
  for (const Case& c : cases) {
    EngineBoard e(c.pieces);
    EXPECT_EQ(e.eng.調査_周辺状況(c.x, c.y), c.want) << c.what;
  }
}

}  // namespace
}  // namespace korvel
