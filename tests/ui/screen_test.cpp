#include "ui/screen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "tests/ui/recording_canvas.h"
#include "ui/pictures.h"

namespace korvel {
namespace {

using testing::Box;
using testing::Cap;
using testing::Pic;
using testing::RecordingCanvas;
using testing::Txt;
using Lines = std::vector<std::string>;

struct ScreenTest : ::testing::Test {
  RecordingCanvas canvas;
  Screen screen{canvas};
  Position pos;
  ScreenTest() { screen.HAIKEI_CODE = HAIKEI_TATAMI; }
};

Lines empty_lower_slot(int r) { return {Pic(0, 11, r), Pic(HAIKEI_TATAMI, 12, r), Box(2, 11, r)}; }

Lines empty_upper_slot(int r) {
  return {Pic(0, -1, r), Pic(HAIKEI_TATAMI, 0, r), Box(2, -1, r), Box(2, 1, r)};
}

TEST_F(ScreenTest, LowerHandEmptyShowsEmptySquaresWithoutCounts) {
  screen.描画_自持盤(pos);
  Lines want;
  for (int r = 3; r <= 9; ++r)
    for (const std::string& s : empty_lower_slot(r)) want.push_back(s);
  EXPECT_EQ(canvas.calls, want);
}

TEST_F(ScreenTest, LowerHandOnePawnShowsPieceAndCountOne) {
  pos.HAND_SITA[1] = 1;
  screen.描画_自持盤(pos);
  Lines want = {Pic(0, 11, 3),           Pic(HAIKEI_TATAMI, 12, 3),    Box(2, 11, 3),
                Pic(-10, 11, 3),         Box(2, 11, 3),                Txt(0, 12.1, 3.3, " 1", 14),
                Txt(12, 12.0, 3.2, " 1", 14)};
  for (int r = 4; r <= 9; ++r)
    for (const std::string& s : empty_lower_slot(r)) want.push_back(s);
  EXPECT_EQ(canvas.calls, want);
}

TEST_F(ScreenTest, LowerHandSlotRowsAndPieces) {
  const int pieces[8] = {0, -10, -20, -30, -100, -110, -800, -900};
  for (int k = 1; k <= 7; ++k) {
    SCOPED_TRACE(k);
    Position p;
    p.HAND_SITA[k] = 3;
    canvas.clear();
    screen.描画_自持盤(p);
    const std::size_t first = static_cast<std::size_t>(3 * (k - 1));
    ASSERT_GT(canvas.calls.size(), first + 4);
    EXPECT_EQ(canvas.calls[first + 3], Pic(pieces[k], 11, k + 2));
    EXPECT_EQ(canvas.calls[first + 6], Txt(12, 12.0, k + 2.2, " 3", 14));
  }
}

TEST_F(ScreenTest, UpperHandEmptyFramesTheFirstFileAfterEachSlot) {
  screen.描画_敵持盤(pos);
  Lines want;
  for (int r = 1; r <= 7; ++r)
    for (const std::string& s : empty_upper_slot(r)) want.push_back(s);
  EXPECT_EQ(canvas.calls, want);
}

TEST_F(ScreenTest, UpperHandOneRookSitsInTheTopRow) {
  pos.HAND_UE[7] = 1;
  screen.描画_敵持盤(pos);
  Lines want = {Pic(0, -1, 1),          Pic(HAIKEI_TATAMI, 0, 1), Box(2, -1, 1),
                Pic(900, -1, 1),        Box(2, -1, 1),            Txt(0, 0.1, 1.3, " 1", 14),
                Txt(12, 0, 1.2, " 1", 14), Box(2, 1, 1)};
  for (int r = 2; r <= 7; ++r)
    for (const std::string& s : empty_upper_slot(r)) want.push_back(s);
  EXPECT_EQ(canvas.calls, want);
}

TEST_F(ScreenTest, UpperHandPawnSitsInRowSeven) {
  pos.HAND_UE[1] = 2;
  screen.描画_敵持盤(pos);
  const std::size_t first = 4 * 6;
  ASSERT_EQ(canvas.calls.size(), first + 8);
  EXPECT_EQ(canvas.calls[first + 3], Pic(10, -1, 7));
  EXPECT_EQ(canvas.calls[first + 6], Txt(12, 0, 7.2, " 2", 14));
}

TEST_F(ScreenTest, MoveNumberStartsFurtherLeftPerDigit) {
  struct Case {
    int n;
    double shadow_c, text_c;
  };
  const Case cases[] = {{9, 13.3, 13.2}, {10, 13.2, 13.1}, {99, 13.2, 13.1}, {100, 13.1, 13.0},
                        {1000, 13.1, 13.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    canvas.clear();
    screen.描画_手数(c.n);
    const std::string num = " " + std::to_string(c.n);
    const Lines want = {Pic(HAIKEI_TATAMI, 13, 3),      Pic(HAIKEI_TATAMI, 14, 3),
                        Box(2, 11, 3),                  Txt(0, c.shadow_c, 3.4, num, 12),
                        Txt(15, c.text_c, 3.3, num, 12), Cap(0, 13.9, 3.2, "手目", 10),
                        Cap(15, 13.8, 3.1, "手目", 10)};
    EXPECT_EQ(canvas.calls, want);
  }
}

TEST(ClockText, FormatsHoursMinutesSeconds) {
  struct Case {
    double seconds;
    const char* text;
  };
  const Case cases[] = {
      {0, "00:00:00"},       {59.9, "00:00:59"},  {75.6, "00:01:15"},
      {3600, "01:00:00"},    {3725, "01:02:05"},  {3599.99, "00:59:59"},
      {359999, "99:59:59"},  {360000, ":00:00"},  {363725.5, ":02:05"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(調査_時間秒追加結果(c.seconds), c.text);
  }
}

TEST(ClockText, TwoDigitFieldsOrNothing) {
  struct Case {
    long long v;
    const char* text;
  };
  const Case cases[] = {{0, "00"}, {7, "07"}, {10, "10"}, {59, "59"}, {100, ""}, {-1, "-1"}};
  for (const Case& c : cases) EXPECT_EQ(変換_数字から文字(c.v), c.text) << c.v;
}

TEST(ClockText, ElapsedSecondsAcrossMidnight) {
  EXPECT_DOUBLE_EQ(調査_経過秒(100, 150.5), 50.5);
  EXPECT_DOUBLE_EQ(調査_経過秒(200, 200), 0);
  EXPECT_DOUBLE_EQ(調査_経過秒(86390, 10), 20);
}

TEST_F(ScreenTest, ClockOfEachSideInItsPlace) {
  pos.SITA_SIDE = -1;
  pos.UE_SIDE = 1;
  screen.描画_所有時間(1, 3725, 1, pos);
  EXPECT_EQ(canvas.calls, (Lines{Pic(HAIKEI_TATAMI, -2, 9), Pic(HAIKEI_TATAMI, -1, 9),
                                 Pic(HAIKEI_TATAMI, 0, 9), Txt(0, -1.5, 9.3, "01:02:05", 12),
                                 Txt(15, -1.6, 9.2, "01:02:05", 12), Box(2, 1, 9)}));
  canvas.clear();
  screen.描画_所有時間(-1, 75.6, 1, pos);
  EXPECT_EQ(canvas.calls, (Lines{Pic(HAIKEI_TATAMI, 13, 9), Pic(HAIKEI_TATAMI, 14, 9),
                                 Pic(HAIKEI_TATAMI, 15, 9), Txt(0, 13.1, 9.3, "00:01:15", 12),
                                 Txt(15, 13.0, 9.2, "00:01:15", 12)}));
}

TEST_F(ScreenTest, ClockSwitchedOffDrawsNothing) {
  screen.描画_所有時間(pos.SITA_SIDE, 10, 0, pos);
  screen.描画_所有時間(pos.UE_SIDE, 10, 0, pos);
  EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(ScreenTest, ClockOfNoSideOnlyClears) {
  screen.描画_所有時間(0, 10, 1, pos);
  EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(ScreenTest, NumberPrintsPlainOrKanji) {
  struct Case {
    int value, numeral;
    const char* text;  // nullptr: nothing printed
  };
  const Case cases[] = {{5, 0, " 5"}, {-3, 0, "-3"}, {0, 0, " 0"},   {1, 1, "一"}, {9, 1, "九"},
                        {0, 1, nullptr}, {10, 1, nullptr}, {4, 7, "四"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    canvas.clear();
    screen.描画_数値(2, 3, c.value, 14, c.numeral, 12);
    if (c.text == nullptr)
      EXPECT_TRUE(canvas.calls.empty());
    else
      EXPECT_EQ(canvas.calls, Lines{Txt(14, 2, 3, c.text, 12)});
  }
}

TEST_F(ScreenTest, CaptionsSitInsideTheirCell) {
  screen.描画_文字列(11, 1, 1, 15, 10);
  screen.描画_文字列(11, 1, -10, 15, 10);
  screen.描画_文字列(11, 1, 10, 15, 10);
  screen.描画_文字列(11, 1, 99, 15, 10);
  screen.描画_文字列(11, 1, 50, 15, 10);
  EXPECT_EQ(canvas.calls,
            (Lines{Cap(15, 11, 1, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級", 10), Cap(15, 11, 1, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人", 10),
                   Cap(15, 11, 1, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級", 10), Cap(15, 11, 1, "手目", 10)}));
}

TEST_F(ScreenTest, HandicapCaptionOverFreshBackground) {
  screen.描画_ハンデレベル(0);
  EXPECT_EQ(canvas.calls,
            (Lines{Pic(3, 11, 1), Pic(3, 12, 1), Pic(3, 13, 1), Pic(3, 14, 1),
                   Cap(0, 11.1, 1.1, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級", 10), Cap(15, 11, 1, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級", 10)}));
}

TEST_F(ScreenTest, StrengthCaption) {
  screen.描画_レベル(2);
  EXPECT_EQ(canvas.calls, (Lines{Txt(0, -1.4, 0.2, "LEVEL", 10), Txt(15, -1.5, 0.1, "LEVEL", 10),
                                 Txt(0, 0.1, 0.1, " 2", 12), Txt(15, 0, 0, " 2", 12)}));
}

TEST_F(ScreenTest, PicturesWithoutArtworkPaintNothing) {
  for (int code : {111, -111, 7, -1, 12, 951}) screen.描画_絵(code, 1, 1);
  EXPECT_TRUE(canvas.calls.empty());
  screen.描画_絵(-901, 2, 3);
  EXPECT_EQ(canvas.calls, Lines{Pic(-901, 2, 3)});
}

TEST(Pictures, EveryPieceHasTwoSidesAndPromotedFaces) {
  EXPECT_EQ(picture_table().size(), 35u);
  for (int code : {10, 11, 20, 21, 30, 31, 100, 101, 110, 800, 801, 900, 901, 950}) {
    SCOPED_TRACE(code);
    const PictureInfo* up = find_picture(code);
    const PictureInfo* down = find_picture(-code);
    ASSERT_NE(up, nullptr);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(up->name.substr(0, 3), "UE_");
    EXPECT_EQ(down->name.substr(0, 5), "SITA_");
    EXPECT_EQ(up->item, code % 10 == 1 ? 1 : 0);
  }
  EXPECT_EQ(find_picture(1)->width_px, 171);
  EXPECT_EQ(find_picture(1)->height_px, 39);
  EXPECT_EQ(find_picture(HAIKEI_UCHU)->name, "HAIKEI_UCHU");
}

TEST_F(ScreenTest, BackgroundCoversEveryMarginCellButNoSquare) {
  screen.描画_背景(HAIKEI_RENGA);
  EXPECT_EQ(canvas.calls.size(), 24u * 16u - 81u);
  for (int c = 1; c <= 9; ++c)
    for (int r = 1; r <= 9; ++r)
      for (const std::string& s : canvas.calls) ASSERT_NE(s, Pic(HAIKEI_RENGA, c, r));
  EXPECT_EQ(canvas.calls.front(), Pic(HAIKEI_RENGA, -3, -2));
  EXPECT_EQ(canvas.calls.back(), Pic(HAIKEI_RENGA, 20, 13));
}

TEST_F(ScreenTest, CoordinateLabelsTurnTheFontBoldForGood) {
  screen.描画_数値(0, 0, 1, 15, 0, 12);
  screen.描画_桝_数値();
  screen.描画_数値(0, 0, 1, 15, 0, 12);
  ASSERT_EQ(canvas.bold.size(), 1u + 36u + 1u);
  EXPECT_EQ(canvas.bold.front(), 0);
  for (std::size_t i = 1; i < canvas.bold.size(); ++i) EXPECT_EQ(canvas.bold[i], 1);
}

TEST_F(ScreenTest, CoordinateLabelsRunNineToOneAndKanjiDown) {
  screen.描画_桝_数値();
  ASSERT_EQ(canvas.calls.size(), 9u * 7u);
  const Lines first = {Pic(3, 1, 0),
                       Txt(0, 1.2, 0.5, " 9", 16),
                       Txt(14, 1.1, 0.4, " 9", 16),
                       Pic(3, 10, 1),
                       Txt(0, 10.2, 1.4, "一", 12),
                       Txt(14, 10.1, 1.3, "一", 12),
                       Box(2, 9, 1)};
  EXPECT_EQ(Lines(canvas.calls.begin(), canvas.calls.begin() + 7), first);
  EXPECT_EQ(canvas.calls[63 - 6], Txt(0, 9.2, 0.5, " 1", 16));
  EXPECT_EQ(canvas.calls[63 - 3], Txt(0, 10.2, 9.4, "九", 12));
}

TEST_F(ScreenTest, BoardPaintsPictureThenFrameSquareBySquare) {
  pos.初期設定();
  screen.描画_盤(pos);
  ASSERT_EQ(canvas.calls.size(), 162u);
  EXPECT_EQ(canvas.calls[0], Pic(20, 1, 1));
  EXPECT_EQ(canvas.calls[1], Box(2, 1, 1));
  EXPECT_EQ(canvas.calls[2], Pic(0, 1, 2));
  // x outer, y inner: square (2, 1) follows (1, 9).
  EXPECT_EQ(canvas.calls[18], Pic(30, 2, 1));
  EXPECT_EQ(canvas.calls[2 * (4 * 9 + 8)], Pic(-950, 5, 9));
}

TEST_F(ScreenTest, RecordReadClearingRedrawsLabelsAndBottomStrip) {
  screen.描画_棋譜見出し("", "", "ab");
  canvas.clear();
  screen.描画_棋譜読込み部分消去();
  ASSERT_EQ(canvas.calls.size(), 63u + 2u + 18u + 8u + 1u);
  EXPECT_EQ(canvas.calls[63], Pic(3, -1, 10));
  EXPECT_EQ(canvas.calls[64], Pic(3, 0, 10));
  EXPECT_EQ(canvas.calls[65], Pic(3, 1, 10));
  EXPECT_EQ(canvas.calls[66], Box(2, 1, 9));
  EXPECT_EQ(canvas.calls[82], Box(2, 9, 9));
  // The whole strip, where the names of a record stand, and the frame of the
  // lower hand's last cell that the tile below covers.
  EXPECT_EQ(Lines(canvas.calls.begin() + 83, canvas.calls.end()),
            (Lines{Pic(3, -2, 10), Pic(3, 10, 10), Pic(3, 11, 10), Pic(3, 12, 10), Pic(3, 13, 10), Pic(3, 14, 10),
                   Pic(3, 15, 10), Pic(3, 16, 10), Box(2, 11, 9)}));
  canvas.clear();
  screen.描画_棋譜見出し_再描画();  // gone with the strip
  EXPECT_EQ(canvas.calls, Lines{});
}

TEST(MoveTexts, APromotedPieceGoesByItsOwnNameAndOnlyAPromotionSaysSo) {
  const std::tuple<int, int, std::string_view> rows[] = {
      {UMA, 0, "馬"},      {UMA, 1, "角成"},     {-RYU, 0, "龍"},    {RYU, 1, "飛成"},  {TO, 0, "と"},
      {-TO, 1, "歩成"},    {NARIKYOU, 0, "成香"}, {NARIKEI, 0, "成桂"}, {-NARIGIN, 0, "成銀"}, {NARIGIN, 1, "銀成"},
      {KAKU, 0, "角"},     {-HU, 0, "歩"},       {KIN, 0, "金"},     {-OU, 0, "王"},    {NARIKIN, 0, ""},
  };
  for (const auto& [code, promotes, name] : rows) EXPECT_EQ(piece_name(code, promotes), name) << code;
  EXPECT_EQ(text_width("ab ｺﾝ第", 10), 700);  // what centres a record's title: narrow ones half
}

struct CountingTimer : DayTimer {
  std::vector<double> waits;
  std::vector<std::string>* log = nullptr;
  double now() override { return 0; }
  long long calendar_ms() override { return 0; }
  void wait(double s) override {
    waits.push_back(s);
    if (log != nullptr) log->push_back("wait");
  }
};

TEST_F(ScreenTest, BlinkShowsEmptyThenPieceAndLeavesItStanding) {
  CountingTimer timer;
  timer.log = &canvas.calls;
  screen.描画_駒点滅(800, 8, 2, 2, 1, timer);
  const Lines one = {Pic(0, 8, 2),   Box(2, 8, 2), Box(12, 8, 2), "refresh", "wait",
                     Pic(800, 8, 2), Box(2, 8, 2), Box(12, 8, 2), "refresh", "wait"};
  Lines want = one;
  want.insert(want.end(), one.begin(), one.end());
  EXPECT_EQ(canvas.calls, want);
  EXPECT_EQ(timer.waits, (std::vector<double>{0.2, 0.2, 0.2, 0.2}));
}

TEST_F(ScreenTest, BlinkWithoutGuidanceHasNoRedFrame) {
  CountingTimer timer;
  screen.描画_駒点滅(-10, 3, 7, 1, 0, timer);
  EXPECT_EQ(canvas.calls, (Lines{Pic(0, 3, 7), Box(2, 3, 7), "refresh", Pic(-10, 3, 7), Box(2, 3, 7),
                                 "refresh"}));
}

TEST_F(ScreenTest, MessageAreasCleared) {
  pos.UE_SIDE = 1;
  pos.SITA_SIDE = -1;
  screen.消去_思考中();
  screen.消去_移動結果(1, pos);
  screen.消去_移動結果(-1, pos);
  EXPECT_EQ(canvas.calls, (Lines{Pic(3, -2, 8), Pic(3, -1, 8), Pic(3, 0, 8), Box(2, -1, 7),
                                 Pic(3, -2, 8), Pic(3, -1, 8), Pic(3, 0, 8), Box(2, -1, 7), Box(2, 1, 8),
                                 Pic(3, 12, 2), Pic(3, 13, 2), Pic(3, 14, 2)}));
}

TEST_F(ScreenTest, MovesDrawThroughTheAdapter) {
  pos.初期設定();
  pos.Board[5][6] = 10;  // an upper pawn in reach of the lower pawn on (5, 7)
  ScreenMoveDrawing drawing(screen, pos);
  pos.駒移動(5, 7, 5, 6, -10, &drawing);
  EXPECT_EQ(pos.HAND_SITA[1], 1);
  // The captor's hand is redrawn with the new pawn, then the squares.
  ASSERT_GE(canvas.calls.size(), 7u);
  EXPECT_EQ(canvas.calls[3], Pic(-10, 11, 3));
  EXPECT_NE(std::find(canvas.calls.begin(), canvas.calls.end(), Pic(0, 5, 7)), canvas.calls.end());
  EXPECT_EQ(canvas.calls[canvas.calls.size() - 2], Pic(-10, 5, 6));
}

TEST_F(ScreenTest, GuidanceFramesThroughTheAdapter) {
  pos.初期設定();
  ScreenMoveDrawing drawing(screen, pos);
  描画_移動可能桝色(pos, 1, drawing, 5, 7, 15, -10);
  EXPECT_EQ(canvas.calls, Lines{Box(15, 5, 6)});
}

}  // namespace
}  // namespace korvel
