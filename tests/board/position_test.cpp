// The initial position, carrying out moves and captures into the hands.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board/position.h"

using namespace korvel;

namespace {

// Records what a move asks to have drawn, in order.
struct RecordingDrawing : MoveDrawing {
  std::vector<std::string> calls;
  void 描画_絵(int code, double c, double r) override {
    calls.push_back("pic " + std::to_string(code) + " " + std::to_string(int(c)) + "," + std::to_string(int(r)));
  }
  void 描画_桝輪郭(int color, double c, double r) override {
    calls.push_back("frame " + std::to_string(color) + " " + std::to_string(int(c)) + "," + std::to_string(int(r)));
  }
  void 描画_自持盤() override { calls.push_back("lower hand"); }
  void 描画_敵持盤() override { calls.push_back("upper hand"); }
};

}  // namespace

TEST(Position, InitialSetUp) {
  Position p;
  p.Board[4][4] = HU;
  p.HAND_SITA[3] = 2;
  p.HAND_COUNT_SITA = 2;
  p.GAME_OVER = 1;
  p.SIDE_TO_MOVE = -1;
  p.SITA_SIDE = 1;
  p.UE_SIDE = -1;
  p.初期設定();
  struct Sq { int x, y, code; };
  const Sq squares[] = {{5, 1, OU},     {5, 9, -OU},     {2, 2, HISHA}, {8, 2, KAKU}, {2, 8, -KAKU},
                        {8, 8, -HISHA}, {1, 1, KYOU},    {2, 1, KEI},   {3, 1, GIN},  {4, 1, KIN},
                        {9, 9, -KYOU},  {7, 9, -GIN},    {6, 9, -KIN},  {4, 4, 0},    {1, 2, 0}};
  for (const Sq& s : squares) EXPECT_EQ(p.Board[s.x][s.y], s.code) << s.x << "," << s.y;
  int pieces = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) pieces += p.Board[x][y] != 0;
  EXPECT_EQ(pieces, 40);
  for (int x = 1; x <= 9; ++x) {
    EXPECT_EQ(p.Board[x][3], HU);
    EXPECT_EQ(p.Board[x][7], -HU);
  }
  for (int k = 0; k <= 7; ++k) {
    EXPECT_EQ(p.HAND_SITA[k], 0);
    EXPECT_EQ(p.HAND_UE[k], 0);
  }
  EXPECT_EQ(p.HAND_COUNT_SITA, 0);
  EXPECT_EQ(p.HAND_COUNT_UE, 0);
  EXPECT_EQ(p.SIDE_TO_MOVE, 0);
  EXPECT_EQ(p.GAME_OVER, 0);
  // The sides keep the last game's assignment.
  EXPECT_EQ(p.SITA_SIDE, 1);
  EXPECT_EQ(p.UE_SIDE, -1);
}

TEST(Position, CapturesGoToTheHandAsTheirKind) {
  struct Case { int captured; int upper_hand_slot; int lower_hand_slot; };
  const Case cases[] = {
      {-801, 6, 0}, {-10, 1, 0}, {-11, 1, 0}, {-21, 2, 0}, {-31, 3, 0}, {-101, 4, 0},
      {-110, 5, 0}, {-901, 7, 0}, {801, 0, 6}, {11, 0, 1}, {900, 0, 7}, {101, 0, 4},
  };
  for (const Case& c : cases) {
    Position p;
    p.Board[5][5] = c.captured;
    const int mover = c.captured < 0 ? KIN : -KIN;
    p.Board[5][4] = mover;
    p.駒移動(5, 4, 5, 5, mover);
    for (int k = 1; k <= 7; ++k) {
      EXPECT_EQ(p.HAND_UE[k], k == c.upper_hand_slot ? 1 : 0) << c.captured;
      EXPECT_EQ(p.HAND_SITA[k], k == c.lower_hand_slot ? 1 : 0) << c.captured;
    }
    EXPECT_EQ(p.HAND_COUNT_UE, c.upper_hand_slot ? 1 : 0);
    EXPECT_EQ(p.HAND_COUNT_SITA, c.lower_hand_slot ? 1 : 0);
    EXPECT_EQ(p.Board[5][5], mover);
    EXPECT_EQ(p.Board[5][4], 0);
    EXPECT_EQ(p.GAME_OVER, 0);
  }
}

TEST(Position, CapturingAKingEndsTheGameAndLeavesTheHands) {
  Position p;
  p.SITA_SIDE = -1;
  p.UE_SIDE = 1;
  p.Board[5][1] = OU;
  p.Board[5][2] = -KIN;
  p.駒移動(5, 2, 5, 1, -KIN);
  EXPECT_EQ(p.GAME_OVER, p.SITA_SIDE);
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(p.HAND_SITA[k], 0);
  // The total stays the sum of the hand: a king is never held.
  EXPECT_EQ(p.HAND_COUNT_SITA, 0);

  Position q;
  q.SITA_SIDE = 1;
  q.UE_SIDE = -1;
  q.Board[5][9] = -OU;
  q.Board[5][8] = HISHA;
  q.駒移動(5, 8, 5, 9, HISHA);
  EXPECT_EQ(q.GAME_OVER, q.UE_SIDE);
  EXPECT_EQ(q.HAND_COUNT_UE, 0);
}

TEST(Position, DropsTakeFromTheRightHandSlot) {
  Position p;
  p.HAND_UE[7] = 2;
  p.HAND_SITA[7] = 1;
  p.持駒数再計算();
  p.駒移動(HAND_X_UE, 7, 5, 5, HISHA);          // upper hand: from-y is the slot
  EXPECT_EQ(p.HAND_UE[7], 1);
  EXPECT_EQ(p.HAND_COUNT_UE, 1);
  p.駒移動(HAND_X_SITA, 9, 4, 5, -HISHA);       // lower hand: from-y is the row, slot + 2
  EXPECT_EQ(p.HAND_SITA[7], 0);
  EXPECT_EQ(p.HAND_COUNT_SITA, 0);
  EXPECT_EQ(p.Board[5][5], HISHA);
  EXPECT_EQ(p.Board[4][5], -HISHA);
}

TEST(Position, LowerKingSquareFollowsItsMoves) {
  Position p;
  p.Board[5][9] = -OU;
  p.駒移動(5, 9, 4, 8, -OU);
  EXPECT_EQ(p.KING_SITA_X, 4);
  EXPECT_EQ(p.KING_SITA_Y, 8);
}

TEST(Position, MoveDrawsCaptorHandSourceThenDestination) {
  Position p;
  p.Board[3][3] = HU;
  p.Board[3][4] = -GIN;
  RecordingDrawing d;
  p.駒移動(3, 4, 3, 3, -NARIGIN, &d);
  const std::vector<std::string> want = {"lower hand", "pic 0 3,4", "frame 2 3,4", "pic -101 3,3",
                                         "frame 2 3,3"};
  EXPECT_EQ(d.calls, want);

  RecordingDrawing drop;
  p.HAND_UE[1] = 1;
  p.持駒数再計算();
  p.駒移動(HAND_X_UE, 1, 7, 5, HU, &drop);
  EXPECT_EQ(drop.calls.back(), "frame 2 7,5");
  EXPECT_NE(std::find(drop.calls.begin(), drop.calls.end(), "upper hand"), drop.calls.end());
}

TEST(Position, GuidanceFramesEveryReachableSquareOnlyWhenOn) {
  Position p;
  p.Board[1][5] = OU;
  RecordingDrawing off, on;
  描画_移動可能桝色(p, 0, off, 1, 5, 15, OU);
  EXPECT_TRUE(off.calls.empty());
  描画_移動可能桝色(p, 1, on, 1, 5, 15, OU);
  const std::vector<std::string> want = {"frame 15 1,4", "frame 15 1,6", "frame 15 2,4", "frame 15 2,5",
                                         "frame 15 2,6", "frame 15 9,4", "frame 15 9,5", "frame 15 9,6"};
  EXPECT_EQ(on.calls, want);
}
