// What a player's game goes through and comes out of whole: the copy kept
// after every move, resuming a record, the clocks and sides that history
// steps show, the end of a game and the marks a selection leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "game/form.h"
#include "records/record_file.h"
#include "tests/game/fake_ports.h"

namespace korvel {
namespace {

using testing::Box;
using testing::Pic;
using testing::Txt;
using Lines = std::vector<std::string>;

constexpr char LAST[] = "/data/Korvel/前回の対局.棋譜";

struct KeepingTest : ::testing::Test {
  testing::FakePorts fakes;
  std::unique_ptr<Form> owned;
  Form* form = nullptr;

  void SetUp() override { start(); }
  // A start of the program, the files kept from before.
  void start() {
    Ports ports = fakes.ports();
    ports.last_game_path = LAST;
    owned = std::make_unique<Form>(ports);
    form = owned.get();
    form->Form_Load();
    forget();
  }
  void forget() {
    fakes.canvas.clear();
    fakes.dialogs.shown.clear();
  }
  void click(int c, int r, int button = BUTTON_LEFT) {
    form->Form_MouseDown(button, cell_x(c) + 300, cell_y(r) + 300);
  }
  void move(int fx, int fy, int tx, int ty) {
    click(fx, fy);
    click(tx, ty);
  }
  Lines boxes() const {
    Lines out;
    for (const auto& b : fakes.dialogs.shown) out.push_back(b.text + "|" + b.title);
    return out;
  }
  bool drew(const std::string& line) const {
    const auto& c = fakes.canvas.calls;
    return std::find(c.begin(), c.end(), line) != c.end();
  }
  Record kept() const { return 棋譜ファイル解析(fakes.record_files.files.at(LAST)); }
  std::pair<double, double> clocks() const { return {form->TIME_SITA, form->TIME_UE}; }
};

TEST_F(KeepingTest, AGameAgainstTheComputerSurvivesAnEndAndPlaysOnFromTheKeptCopy) {
  form->menu_click("SENTE");
  move(3, 7, 3, 6);
  move(2, 7, 2, 6);
  const Position newest = form->pos;
  ASSERT_EQ(form->MOVE_COUNT, 4);
  const Record r = kept();
  EXPECT_EQ(r.entries.size(), 4u);  // the computer's last reply included
  EXPECT_EQ(r.title + r.upper + r.lower, "");

  // A failed write says nothing and leaves the copy as it was.
  fakes.record_files.failure = "ｱｸｾｽが許可されていません";
  move(7, 7, 7, 6);
  fakes.record_files.failure.clear();
  EXPECT_EQ(kept().entries.size(), 4u);
  EXPECT_EQ(boxes(), (Lines{"MANの番です| "}));

  form->Form_KeyPress(KEY_ESCAPE);
  start();
  form->menu_click("KIFU_LAST");
  EXPECT_EQ(boxes(), (Lines{" 読み込みました|棋譜", "棋譜を '進 'で進めて下さい|棋譜"}));
  for (int n = 0; n < 4; ++n) form->menu_click("AFTER");
  EXPECT_TRUE(std::equal(&newest.Board[0][0], &newest.Board[0][0] + 100, &form->pos.Board[0][0]));
  // "先手" leaves the replay: the next click is a move, not the replay's question.
  form->menu_click("SENTE");
  EXPECT_EQ(form->KIFU_MODE, 0);
  forget();
  move(7, 7, 7, 6);
  EXPECT_EQ(form->pos.Board[7][6], -10);
  EXPECT_EQ(form->MOVE_COUNT, 6);
  EXPECT_EQ(kept().entries.size(), 6u);

  // A turned board is no game from the initial position: the copy stays.
  form->menu_click("REVERSE");
  move(1, 3, 1, 4);
  EXPECT_EQ(kept().entries.size(), 6u);
}

TEST_F(KeepingTest, NoKeptGameIsSaidAndAReplayBecomesATwoPersonGameOnStart) {
  form->menu_click("KIFU_LAST");
  EXPECT_EQ(boxes(), (Lines{"前回の対局はありません|前回の対局"}));

  // A record of three moves in which the upper side moved first.
  form->menu_click("START");
  form->menu_click("REVERSE");  // nothing played yet: only the armies change places
  form->初期設定();
  form->menu_click("GOTE");
  move(3, 7, 3, 6);
  ASSERT_EQ(form->MOVE_COUNT, 3);
  start();
  form->menu_click("KIFU_LAST");
  form->menu_click("AFTER");
  EXPECT_EQ(form->pos.SIDE_TO_MOVE, form->pos.SITA_SIDE);
  forget();
  form->menu_click("START");
  EXPECT_EQ(boxes(), (Lines{"後手の番です| "}));
  move(3, 7, 3, 6);
  EXPECT_EQ(form->pos.Board[3][6], -10);
  EXPECT_EQ(form->pos.SIDE_TO_MOVE, form->pos.UE_SIDE);
}

// The kept game was begun by the computer on the upper side; it is read after
// "先手" gave the human 先手 below. Stepped to the upper side's turn, "先手"
// lets the computer answer there with the upper pieces, and the human goes
// on with the lower ones.
TEST_F(KeepingTest, AfterARecordTheUpperSideBeganTheComputerAnswersOnTheUpperSidesTurn) {
  form->menu_click("GOTE");
  move(3, 7, 3, 6);
  ASSERT_EQ(form->MOVE_COUNT, 3);
  start();
  form->menu_click("SENTE");  // no move yet: the kept game stays
  form->menu_click("KIFU_LAST");
  form->menu_click("AFTER");
  form->menu_click("AFTER");
  ASSERT_EQ(form->pos.SIDE_TO_MOVE, form->pos.UE_SIDE);
  forget();
  form->menu_click("SENTE");
  EXPECT_EQ(boxes(), Lines{});
  EXPECT_EQ(form->MOVE_COUNT, 3);
  EXPECT_EQ(form->pos.SIDE_TO_MOVE, form->pos.SITA_SIDE);
  move(7, 7, 7, 6);
  EXPECT_EQ(form->pos.Board[7][6], -HU);
  EXPECT_EQ(form->MOVE_COUNT, 5);
  EXPECT_EQ(kept().entries.size(), 5u);
}

TEST_F(KeepingTest, StepsShowTheClocksAndTheSideEachPositionHad) {
  form->menu_click("START");
  const int moves[3][4] = {{3, 7, 3, 6}, {3, 3, 3, 4}, {2, 7, 2, 6}};
  const double at[3] = {5, 12, 30};  // 5 s for 先手, 7 s for 後手, 18 s for 先手
  for (int i = 0; i < 3; ++i) {
    fakes.day_timer.seconds = at[i];
    move(moves[i][0], moves[i][1], moves[i][2], moves[i][3]);
  }
  ASSERT_EQ(clocks(), std::make_pair(23.0, 7.0));
  const std::pair<double, double> at_position[4] = {{0, 0}, {5, 0}, {5, 7}, {23, 7}};
  for (int n = 2; n >= 0; --n) {
    form->menu_click("REPLAY");
    EXPECT_EQ(clocks(), at_position[n]) << n;
  }
  for (int n = 1; n <= 3; ++n) {
    form->menu_click("AFTER");
    EXPECT_EQ(clocks(), at_position[n]) << n;
    EXPECT_EQ(form->pos.SIDE_TO_MOVE, n % 2 == 0 ? SIDE_SENTE : SIDE_GOTE) << n;
  }
  // Play resumed at position 1 goes on with that position's totals, and the
  // line given up cannot be stepped into again.
  form->menu_click("REPLAY");
  form->menu_click("REPLAY");
  fakes.day_timer.seconds = 100;
  forget();
  click(5, 5);  // announces the turn, starts the clock
  EXPECT_EQ(boxes(), (Lines{"後手の番です|対局"}));
  fakes.day_timer.seconds = 104;
  move(7, 3, 7, 4);
  EXPECT_EQ(clocks(), std::make_pair(5.0, 4.0));
  forget();
  form->menu_click("AFTER");
  EXPECT_EQ(boxes(), (Lines{"できません|進む"}));
}

TEST_F(KeepingTest, TheComputersClockStepsBackToBeforeItThoughtAndItsPassKeepsTheTurn) {
  form->menu_click("SENTE");
  fakes.day_timer.seconds = 3;
  move(3, 7, 3, 6);  // the computer answers at once in this fake time
  fakes.work.seconds = 0;
  form->menu_click("REPLAY");  // to the computer's turn: its clock before it thought
  EXPECT_EQ(clocks(), std::make_pair(3.0, 0.0));
  EXPECT_EQ(form->pos.SIDE_TO_MOVE, form->pos.UE_SIDE);
  forget();
  click(5, 5);
  EXPECT_EQ(boxes(), (Lines{"OKですか？|再開(COM)"}));

  // The computer has nothing to play: it passes after each human move.
  form->初期設定();
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (form->pos.Board[x][y] >= 10) form->pos.Board[x][y] = 0;
  form->menu_click("SENTE");
  move(3, 7, 3, 6);
  move(4, 7, 4, 6);
  ASSERT_EQ(form->MOVE_COUNT, 2);
  for (int step = 0; step < 2; ++step) {
    form->menu_click("REPLAY");
    EXPECT_EQ(form->pos.SIDE_TO_MOVE, form->pos.SITA_SIDE) << "the human moved from here";
  }
  form->menu_click("AFTER");
  form->menu_click("AFTER");
  EXPECT_EQ(form->pos.SIDE_TO_MOVE, form->pos.SITA_SIDE) << "the computer passed here";
  forget();
  click(5, 5);
  EXPECT_EQ(boxes(), (Lines{"MANの番です|対局"}));
}

TEST_F(KeepingTest, TheMoveThatTakesTheKingIsShownBeforeTheResult) {
  struct Seen : testing::FakeDialogs {
    testing::RecordingCanvas* canvas;
    Lines at_result;
    Answer message(std::string_view text, std::string_view title, Buttons b, Icon i) override {
      if (text == "ｺﾝﾋﾟｭｰﾀの勝ちです") at_result = canvas->calls;
      return FakeDialogs::message(text, title, b, i);
    }
  } seen;
  seen.canvas = &fakes.canvas;
  const Ports f = fakes.ports();
  Ports ports{f.canvas, seen, f.sound, f.day_timer, f.clock_timer, f.record_panel, f.record_files, f.browser, f.settings};
  Form game(ports);
  game.Form_Load();
  game.menu_click("SENTE");
  game.pos.Board[5][8] = 110;  // an upper gold beside the human's king
  fakes.canvas.clear();
  game.Form_MouseDown(BUTTON_LEFT, cell_x(1) + 300, cell_y(7) + 300);
  game.Form_MouseDown(BUTTON_LEFT, cell_x(1) + 300, cell_y(6) + 300);
  ASSERT_EQ(game.pos.GAME_OVER, game.pos.UE_SIDE);
  const Lines& c = seen.at_result;
  EXPECT_NE(std::find(c.begin(), c.end(), Txt(15, -0.6, 8.4, "金", 12)), c.end());
  EXPECT_NE(std::find(c.begin(), c.end(), Box(15, 5, 9)), c.end());
  EXPECT_NE(std::find(c.begin(), c.end(), Txt(15, 13.2, 3.3, " 2", 12)), c.end()) << "the move count";
}

TEST_F(KeepingTest, ASelectionLeavesNoMarksBehind) {
  form->menu_click("SIDOU");
  form->menu_click("START");
  // An opponent's piece, then one's own, then another own piece: only the
  // last one's marks stay white.
  click(3, 3);
  click(3, 7);
  click(8, 8);
  const auto outline = [&](int c, int r) {
    return fakes.canvas.last_outline.at({std::lround(cell_x(c)), std::lround(cell_y(r))});
  };
  EXPECT_EQ(outline(3, 4), COLOR_GREEN);  // the upper pawn's target
  EXPECT_EQ(outline(3, 6), COLOR_GREEN);  // the lower pawn's target
  EXPECT_EQ(outline(3, 7), COLOR_GREEN);
  EXPECT_EQ(outline(8, 8), COLOR_RED);
  EXPECT_EQ(outline(5, 8), COLOR_WHITE);  // where the rook may go now
  EXPECT_EQ(outline(1, 8), COLOR_WHITE);  // round the seam

  // A drop refused lets go of the hand cell's frame.
  form->pos.HAND_SITA[1] = 1;
  click(11, 3);
  EXPECT_EQ(outline(11, 3), COLOR_RED);
  click(3, 6);  // a second pawn on file 3
  EXPECT_EQ(form->CLICK_PHASE, 0);
  EXPECT_EQ(outline(11, 3), COLOR_GREEN);
}

}  // namespace
}  // namespace korvel

namespace korvel {
namespace {

TEST_F(KeepingTest, AGameGoesOutAsKifAndComesBackIn) {
  form->menu_click("KIFU_PASTE");
  form->menu_click("START");
  move(3, 7, 3, 6);
  move(7, 3, 7, 4);
  move(2, 8, 8, 2);  // the bishop takes the bishop
  const Position newest = form->pos;
  form->menu_click("KIFU_COPY");
  const std::string kif = fakes.clipboard.held;
  EXPECT_EQ(kif.substr(0, 1), "#");
  EXPECT_NE(kif.find("手合割：平手\n"), std::string::npos);
  EXPECT_NE(kif.find("   1 ７六歩(77)"), std::string::npos);

  // Something that is no KIF leaves the game as it is and names its line.
  fakes.clipboard.held = "手合割：平手\n   1 ７六歩(77)\n   2 ５五玉(51)\n";
  form->menu_click("KIFU_PASTE");
  EXPECT_TRUE(std::equal(&newest.Board[0][0], &newest.Board[0][0] + 100, &form->pos.Board[0][0]));

  fakes.clipboard.held = kif;
  form->menu_click("CANCEL");
  form->menu_click("KIFU_PASTE");
  EXPECT_EQ(form->KIFU_MODE, 1);
  for (int n = 0; n < 3; ++n) form->menu_click("AFTER");
  EXPECT_TRUE(std::equal(&newest.Board[0][0], &newest.Board[0][0] + 100, &form->pos.Board[0][0]));
  form->menu_click("REVERSE");  // refused in a replay
  form->menu_click("START");
  move(3, 3, 3, 4);
  EXPECT_EQ(form->MOVE_COUNT, 4);
  fakes.clipboard.works = false;
  form->menu_click("KIFU_COPY");
  form->menu_click("REVERSE");
  form->menu_click("KIFU_COPY");
  const Lines said = boxes();
  ASSERT_EQ(said.size(), 10u);
  EXPECT_EQ(said[0], "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにﾃｷｽﾄがありません|KIF貼付");
  EXPECT_EQ(said[2], "KIFをｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰしました|KIFｺﾋﾟｰ");
  EXPECT_EQ(said[3].substr(0, said[3].find('\r')), "KIFを読み込めませんでした");
  EXPECT_NE(said[3].find("3行目"), std::string::npos) << said[3];
  EXPECT_EQ(said[8], "KIFにできませんでした\rｸﾘｯﾌﾟﾎﾞｰﾄﾞが使えません|KIFｺﾋﾟｰ");
  EXPECT_EQ(said[9], "反転後はｺﾋﾟｰできません|KIFｺﾋﾟｰ");
}

}  // namespace
}  // namespace korvel
