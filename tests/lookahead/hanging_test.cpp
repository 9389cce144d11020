// Pieces left hanging, for both sides, across the seam: a bishop coming back
// in at the far edge and a rook running round a rank.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookahead/hanging.h"

using namespace korvel;

TEST(Hanging, FreeToTakeOnTheCylinder) {
  struct Put {
    int x, y, code;
  };
  const struct {
    const char* what;
    std::vector<Put> pieces;
    bool upper;
    std::string hanging;  // "xy xy …"
  } table[] = {
      {"bishop re-entering at the far edge: an undefended silver",
       {{2, 2, KAKU}, {8, 5, -GIN}}, false, "85"},
      {"the same silver defended by a gold: the bishop is worth more",
       {{2, 2, KAKU}, {8, 5, -GIN}, {7, 6, -KIN}}, false, ""},
      {"a bishop re-entering takes the defended rook: worth less than it",
       {{2, 2, KAKU}, {8, 5, -HISHA}, {7, 6, -KIN}}, false, "85"},
      {"rook round the rank over the seam, the near way blocked by its own pawn",
       {{2, 7, -HISHA}, {5, 7, -HU}, {8, 7, KIN}}, true, "87"},
      {"the same gold defended by a silver behind it",
       {{2, 7, -HISHA}, {5, 7, -HU}, {8, 7, KIN}, {8, 6, GIN}}, true, ""},
      {"defended, but a pawn takes it",
       {{2, 7, -HISHA}, {5, 7, -HU}, {8, 7, KIN}, {8, 6, GIN}, {8, 8, -HU}}, true, "87"},
      {"a rook on an open rank sees two pieces, one each way round",
       {{5, 4, HISHA}, {1, 4, -KEI}, {8, 4, -KYOU}}, false, "14 84"},
      {"the king takes over the seam only what nothing defends: the pawn, not the silver and gold",
       {{1, 5, OU}, {9, 5, -GIN}, {9, 4, -KIN}, {9, 6, -HU}}, false, "96"},
      {"kings are not listed; the other side's pieces are not either",
       {{1, 5, OU}, {9, 5, -OU}, {2, 5, -HU}}, true, ""},
  };
  for (const auto& t : table) {
    Position p;
    for (const Put& q : t.pieces) p.Board[q.x][q.y] = q.code;
    std::string got;
    for (const HangingPiece& h : 当たり駒(p, t.upper)) {
      got += (got.empty() ? "" : " ") + std::to_string(h.x) + std::to_string(h.y);
      EXPECT_EQ(h.code, p.Board[h.x][h.y]);
    }
    EXPECT_EQ(got, t.hanging) << t.what;
  }
}
