// What a player's game goes through and comes out of whole: the copy kept
// after every move, resuming a record, the clocks and sides that history
// steps show, the end of a game and the marks a selection leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "game/form.h"
#include "records/kif.h"
#include "records/record_file.h"
#include "tests/game/fake_ports.h"

namespace korvel {
namespace {

using testing::Box;
using testing::Pic;
using testing::Txt;
using Lines = std::vector<std::string>;

constexpr char KEPT[] = "/data/Korvel";

struct KeepingTest : ::testing::Test {
  testing::FakePorts fakes;
  std::unique_ptr<Form> owned;
  Form* form = nullptr;

  void SetUp() override { start(); }
  // A start of the program, the files kept from before.
  void start() {
    Ports ports = fakes.ports();
    ports.kept_games_dir = KEPT;
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
  // The kept files, newest first.
  std::vector<std::string> kept_files() {
    std::vector<std::string> names = fakes.record_files.list(KEPT);
    std::erase_if(names, [](const std::string& n) { return n.ends_with(".txt"); });
    std::sort(names.begin(), names.end(), std::greater<>());
    return names;
  }
  const std::string& kept_bytes(std::size_t newest = 0) {
    return fakes.record_files.files.at(std::string(KEPT) + "/" + kept_files().at(newest));
  }
  Record kept(std::size_t newest = 0) { return 棋譜ファイル解析(kept_bytes(newest)); }
  std::pair<double, double> clocks() const { return {form->TIME_SITA, form->TIME_UE}; }
};

TEST_F(KeepingTest, AGameAgainstTheComputerSurvivesAnEndAndPlaysOnFromTheKeptCopy) {
  form->menu_click("SENTE");
  move(3, 7, 3, 6);
  move(2, 7, 2, 6);
  const Position newest = form->pos;
  ASSERT_EQ(form->MOVE_COUNT, 4);
  ASSERT_EQ(kept_files().size(), 1u);
  EXPECT_TRUE(kept_files()[0].ends_with(".棋譜"));
  EXPECT_EQ(kept().entries.size(), 4u);  // the computer's last reply included
  // Who played whom and how it stands, the upper side's name first.
  EXPECT_TRUE(kept_bytes().starts_with(
      "\x83R\x83\x93\x83s\x83\x85\x81[\x83^ LEVEL3\x81\x40\x92\x86\x92\x66\r\n"  // コンピュータ LEVEL3　中断
      "\x83R\x83\x93\x83s\x83\x85\x81[\x83^ LEVEL3\r\n\x82\xa0\x82\xc8\x82\xbd\r\n"))  // あなた
      << kept_bytes().substr(0, 60);

  // A failed write says nothing and leaves the copy as it was.
  fakes.record_files.failure = "ｱｸｾｽが許可されていません";
  move(7, 7, 7, 6);
  fakes.record_files.failure.clear();
  EXPECT_EQ(kept().entries.size(), 4u);
  EXPECT_EQ(boxes(), (Lines{"MANの番です| "}));

  form->Form_KeyPress(KEY_ESCAPE);
  start();
  fakes.dialogs.choices = {0};
  form->menu_click("KIFU_LAST");
  ASSERT_EQ(fakes.dialogs.lists.size(), 1u);
  ASSERT_EQ(fakes.dialogs.lists[0].size(), 2u);
  EXPECT_EQ(fakes.dialogs.lists[0][0], "前回の対局");
  EXPECT_TRUE(fakes.dialogs.lists[0][1].ends_with("　コンピュータ LEVEL3　4手　中断")) << fakes.dialogs.lists[0][1];
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
  // Played on from the record, it is a game of its own; the one read stays.
  ASSERT_EQ(kept_files().size(), 2u);
  EXPECT_EQ(kept(0).entries.size(), 6u);
  EXPECT_EQ(kept(1).entries.size(), 4u);

  // A turned board is kept as KIF from the turned position, as a third game.
  form->menu_click("REVERSE");
  move(3, 3, 3, 4);
  ASSERT_EQ(kept_files().size(), 3u);
  EXPECT_TRUE(kept_files()[0].ends_with(".kif"));
  Record turned;
  ASSERT_EQ(KIF解析(kept_bytes(), turned), "");
  EXPECT_EQ(turned.title, "コンピュータ LEVEL3　中断");  // what the list shows of it
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
  fakes.dialogs.choices = {0};
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

TEST_F(KeepingTest, TheNewestTwentyGamesAreListedWhateverTheFolderHolds) {
  const std::string folder = std::string(KEPT) + "/";
  fakes.record_files.files[folder + "2099-01-01_00-00-00-000.kif"] = "no game at all";
  fakes.record_files.files[folder + "notes.txt"] = "not ours";  // never listed nor removed
  for (int game = 0; game < 21; ++game) {
    form->menu_click("START");
    if (game == 20) form->NAME_SITA = "太郎😀";  // no CP932 form: written as 〓
    move(3, 7, 3, 6);
    form->menu_click("CANCEL");
  }
  const std::vector<std::string> files = kept_files();
  ASSERT_EQ(files.size(), 20u);  // the twenty newest; notes.txt is left alone
  EXPECT_EQ(kept(1).lower, "太郎〓") << files[1];
  EXPECT_EQ(fakes.record_files.files.count(folder + "notes.txt"), 1u);

  forget();
  form->menu_click("KIFU_LAST");  // Escape: nothing read
  ASSERT_EQ(fakes.dialogs.lists.size(), 1u);
  const std::vector<std::string>& rows = fakes.dialogs.lists[0];
  ASSERT_EQ(rows.size(), 21u);  // the title, then twenty games newest first
  EXPECT_NE(rows[1].find("読めません（"), std::string::npos) << rows[1];
  EXPECT_TRUE(rows[2].ends_with("　二人対局　1手　中断")) << rows[2];
  EXPECT_EQ(form->KIFU_MODE, 0);
  EXPECT_EQ(boxes(), Lines{});
  fakes.dialogs.choices = {0};
  form->menu_click("KIFU_LAST");
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_TRUE(boxes()[0].starts_with("棋譜ﾌｧｲﾙを読み込めませんでした\r")) << boxes()[0];

  // Names typed for a record are the kept game's names too.
  fakes.record_files.files.erase(folder + "2099-01-01_00-00-00-000.kif");
  form->menu_click("SENTE");
  move(3, 7, 3, 6);
  fakes.record_panel.texts[1] = "named";
  fakes.record_panel.texts[3] = "太郎";
  fakes.record_panel.texts[4] = "花子";
  form->Command1_Click();
  move(2, 7, 2, 6);
  EXPECT_EQ(kept().upper + "|" + kept().lower, "花子|太郎");
}

TEST_F(KeepingTest, GamesEndByResignationOrAKingAndNameTheirWinnerByWhoMovedFirst) {
  form->menu_click("START");
  move(3, 7, 3, 6);
  move(3, 3, 3, 4);
  forget();
  form->menu_click("TOURYO");  // 先手 to move gives up
  form->menu_click("TOURYO");
  EXPECT_EQ(boxes(), (Lines{"後手の勝ちです|終了", "対局中ではありません|投了"}));
  EXPECT_EQ(kept().title, "二人対局　後手の勝ち");
  form->menu_click("SENTE");
  move(3, 7, 3, 6);
  forget();
  form->menu_click("TOURYO");
  EXPECT_EQ(boxes(), (Lines{"ｺﾝﾋﾟｭｰﾀの勝ちです|終了"}));
  EXPECT_EQ(kept().title, "コンピュータ LEVEL3　後手の勝ち");

  // A record the upper side began: played on by two people, the upper
  // side is 先手 and wins by taking the king.
  Position p;
  p.初期設定();
  const auto entry = [](const Position& q) {
    RecordEntry e;
    std::copy(&q.Board[0][0], &q.Board[0][0] + 100, &e.board[0][0]);
    return e;
  };
  Record r;
  p.Board[3][4] = p.Board[3][3];
  p.Board[3][3] = 0;
  r.entries.push_back(entry(p));
  p.Board[5][9] = 110;  // the lower king taken by a gold
  r.entries.push_back(entry(p));
  form->棋譜_表示(r);
  form->menu_click("AFTER");
  form->menu_click("START");
  move(7, 7, 7, 6);
  form->pos.Board[5][8] = 110;
  forget();
  move(5, 8, 5, 9);
  EXPECT_EQ(boxes(), (Lines{"先手の勝ちです|終了"}));

  // At the record's end the king is gone: a start there is a new game; an
  // earlier position plays on.
  form->棋譜_表示(r);
  form->menu_click("AFTER");
  form->menu_click("AFTER");
  forget();
  form->menu_click("START");
  EXPECT_EQ(form->pos.Board[5][9], -OU);
  EXPECT_EQ(form->MOVE_COUNT, 0);
  EXPECT_EQ(boxes(), (Lines{"先手の番です| "}));
  form->棋譜_表示(r);
  form->menu_click("AFTER");
  form->menu_click("START");
  EXPECT_EQ(form->MOVE_COUNT, 1);
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
  fakes.dialogs.choices = {0};
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
  EXPECT_EQ(said[9], "ｺﾋﾟｰするデータがありません|KIFｺﾋﾟｰ");  // nothing played since the turn
}

}  // namespace
}  // namespace korvel
