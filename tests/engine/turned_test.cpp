// The turned board on which levels 1 to 3 play the lower side.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/turned.h"
#include "tests/board/test_positions.h"

using namespace korvel;
using namespace korvel::test_positions;

namespace {

TEST(TurnedBoard, LowerMovesAreTheUpperMovesOfTheTurnedBoardMirrored) {
  for (const Position& p : many_positions()) {
    const Position t = 盤面_反転(p);
    std::set<Key> mirrored;
    for (const Key& k : rule_moves(t, true)) {
      const Candidate c = 手_反転(Candidate{std::get<0>(k), std::get<1>(k), std::get<2>(k), std::get<3>(k),
                                            std::get<4>(k), std::get<4>(k), 0, {}});
      mirrored.insert({c.fx, c.fy, c.tx, c.ty, c.stood});
    }
    ASSERT_EQ(mirrored, rule_moves(p, false));
    const Position back = 盤面_反転(t);
    ASSERT_EQ(std::memcmp(back.Board, p.Board, sizeof p.Board), 0);
    ASSERT_EQ(std::memcmp(back.HAND_UE, p.HAND_UE, sizeof p.HAND_UE), 0);
  }
}

}  // namespace
