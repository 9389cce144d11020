// Game records through the window model: the "棋譜" menu, the panel's events
// and the files they write and read, against fake ports.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "game/form.h"
#include "tests/game/fake_ports.h"

namespace korvel {
namespace {

using testing::FakePorts;
using Lines = std::vector<std::string>;

struct RecordTest : ::testing::Test {
  FakePorts fakes;
  std::unique_ptr<Form> owned = std::make_unique<Form>(fakes.ports());
  Form& form = *owned;

  void SetUp() override { form.Form_Load(); }
  void forget() {
    fakes.canvas.clear();
    fakes.dialogs.shown.clear();
    fakes.record_panel.calls.clear();
  }
  void click(int c, int r, int button = BUTTON_LEFT) {
    form.Form_MouseDown(button, cell_x(c) + 300, cell_y(r) + 300);
  }
  void move(int fx, int fy, int tx, int ty, int button = BUTTON_LEFT) {
    click(fx, fy);
    click(tx, ty, button);
  }
  // Two people: a pawn each, then the bishop takes the bishop and promotes.
  // Thinking times give clocks of 0, 1234 and 12345 seconds and a fraction.
  void short_game() {
    form.menu_click("START");
    fakes.day_timer.seconds = 1234;
    move(3, 7, 3, 6);
    fakes.day_timer.seconds = 13579;
    move(7, 3, 7, 4);
    fakes.day_timer.seconds = 13579.6;
    move(2, 8, 8, 2, BUTTON_RIGHT);
    ASSERT_EQ(form.pos.Board[8][2], -801);
    ASSERT_EQ(form.hist.HIST_LAST, 3);
  }
  void type(const std::string& file, const std::string& title, const std::string& sente, const std::string& gote) {
    auto& t = fakes.record_panel.texts;
    t[1] = file;
    t[2] = title;
    t[3] = sente;
    t[4] = gote;
  }
  Lines boxes() const {
    Lines out;
    for (const auto& b : fakes.dialogs.shown) out.push_back(b.text + "|" + b.title);
    return out;
  }
  bool drew(const std::string& line) const {
    return std::find(fakes.canvas.calls.begin(), fakes.canvas.calls.end(), line) != fakes.canvas.calls.end();
  }
  static std::string golden() {
    std::ifstream in(KORVEL_SOURCE_DIR "/tests/game/short_game.棋譜", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(RecordTest, AShortGameIsWrittenByteForByteAndReplayedToItsLastMove) {
  short_game();
  const History played = form.hist;
  forget();
  form.menu_click("KIFU_WRITE");
  EXPECT_EQ(fakes.record_panel.calls, (Lines{"lists 110", "fields 1"}));
  type("第一局", "第一局", "先手太郎", "後手花子");
  forget();
  form.Command1_Click();
  EXPECT_EQ(boxes(), Lines{"棋譜を書き込みました|  "});
  EXPECT_EQ(fakes.record_panel.calls, (Lines{"lists 000", "fields 0", "refresh"}));
  // Upper player (後手 here) first, CP932, CR LF, one line for each of the three moves.
  const std::string& file = fakes.record_files.files["/records/第一局.棋譜"];
  EXPECT_EQ(file, golden());

  forget();
  form.menu_click("KIFU_READ");
  EXPECT_EQ(fakes.record_panel.calls, (Lines{"lists 111", "fields 0"}));
  fakes.record_panel.chosen = "第一局.棋譜";
  form.File1_Click();
  EXPECT_EQ(boxes(), (Lines{" 読み込みました|棋譜", "棋譜を '進 'で進めて下さい|棋譜"}));
  EXPECT_EQ(form.KIFU_MODE, 1);
  EXPECT_EQ(form.hist.HIST_LAST, 3);
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, SIDE_SENTE);
  // Title light red without a shadow left below the board, the names centred above and below it.
  EXPECT_TRUE(drew("text 12 (1375,6350) '第一局' 12"));
  EXPECT_TRUE(drew("text 0 (4314,169) '後手花子' 12"));
  EXPECT_TRUE(drew("text 15 (4252,100) '後手花子' 12"));
  EXPECT_TRUE(drew("text 15 (4252,6350) '先手太郎' 12"));

  for (int n = 1; n <= 3; ++n) {
    form.menu_click("AFTER");
    EXPECT_EQ(std::memcmp(form.pos.Board, played.HIST_BOARD[n], sizeof form.pos.Board), 0) << n;
    EXPECT_EQ(std::memcmp(form.pos.HAND_SITA, played.HIST_HAND_SITA[n], sizeof form.pos.HAND_SITA), 0) << n;
    EXPECT_EQ(form.TIME_SITA, static_cast<int>(played.HIST_TIME_SITA_AFTER[n])) << n;
    EXPECT_EQ(form.TIME_UE, static_cast<int>(played.HIST_TIME_UE_AFTER[n])) << n;
  }
  EXPECT_EQ(form.pos.HAND_SITA[6], 1);
  forget();
  form.menu_click("AFTER");
  EXPECT_EQ(boxes(), Lines{"終わり|進む"});
  // All the way back shows the initial position, whatever the history held before.
  for (int n = 0; n < 3; ++n) form.menu_click("REPLAY");
  Position initial;
  initial.初期設定();
  EXPECT_EQ(std::memcmp(form.pos.Board, initial.Board, sizeof initial.Board), 0);
}

TEST_F(RecordTest, WritingIsRefusedUntilThereIsAGameToKeepAndAGoodName) {
  const std::string had = "an older record";
  fakes.record_files.files["/records/a.棋譜"] = had;
  type("", "", "", "");
  form.Command1_Click();
  type("a", "", "", "");
  form.Command1_Click();
  form.menu_click("START");
  move(3, 7, 3, 6);
  fakes.dialogs.shown.erase(fakes.dialogs.shown.begin() + 2);  // whose turn it is
  type("../a", "", "", "");
  form.Command1_Click();
  type("a", "王🙂", "", "");
  form.Command1_Click();
  fakes.record_files.failure = "ﾃﾞｨｽｸに空きがありません";
  type("a", "", "", "");
  form.Command1_Click();
  EXPECT_EQ(boxes(), (Lines{"ﾌｧｲﾙ名が入力されていません|  ", "保存するデータがありません|棋譜保存",
                            "ﾌｧｲﾙ名に '/' や制御文字は使えません|  ",
                            "対局名か対局者名に棋譜ﾌｧｲﾙに書けない文字があります|棋譜保存",
                            "棋譜を書き込めませんでした\rﾃﾞｨｽｸに空きがありません|棋譜保存"}));
  // Nothing written, the panel still open with its texts, the game going on.
  EXPECT_EQ(fakes.record_files.files, (std::map<std::string, std::string>{{"/records/a.棋譜", had}}));
  EXPECT_EQ(fakes.record_panel.texts[1], "a");
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, SIDE_GOTE);

  // One move makes a record of one number line, written over the old one.
  fakes.record_files.failure.clear();
  form.Command1_Click();
  EXPECT_EQ(std::count(fakes.record_files.files["/records/a.棋譜"].begin(),
                       fakes.record_files.files["/records/a.棋譜"].end(), '\n'),
            4);
}

TEST_F(RecordTest, TheNamesGoUpperFirstWhoeverHasTheLowerPieces) {
  // The computer opens as 先手 with the upper pieces.
  form.menu_click("GOTE");
  ASSERT_EQ(form.hist.HIST_LAST, 1);
  type("r", "", "先手名", "後手名");
  form.Command1_Click();
  EXPECT_EQ(fakes.record_files.files["/records/r.棋譜"].substr(0, 18),
            "\r\n\x90\xe6\x8e\xe8\x96\xbc\r\n\x8c\xe3\x8e\xe8\x96\xbc\r\n");
}

TEST_F(RecordTest, ATurnedBoardOrAHandicapStartIsNotWritten) {
  struct Case {
    Lines commands;
    std::string said;
  };
  const Case cases[] = {
      {{"REVERSE", "REVERSE"}, "反転後は書き込みできません|棋譜書込"},  // turned back: still refused
      {{"LBEL_UP", "LEBEL_DOWN"}, "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません|棋譜書込"},
  };
  for (const Case& c : cases) {
    for (const std::string& command : c.commands) form.menu_click(command);
    forget();
    form.menu_click("KIFU_WRITE");
    EXPECT_EQ(boxes(), Lines{c.said});
    EXPECT_TRUE(fakes.record_panel.calls.empty());
    // A new board lifts the refusal.
    form.menu_click("CANCEL");
    forget();
    form.menu_click("KIFU_WRITE");
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(fakes.record_panel.calls, (Lines{"lists 110", "fields 1"}));
  }
}

TEST_F(RecordTest, FilesWithoutPositionsOrBeyondTheHistoryOrNotThere) {
  std::string long_record = "t\r\nu\r\nl\r\n";
  for (int i = 0; i < 502; ++i) long_record += "\r\n";
  fakes.record_files.files = {{"/records/empty.棋譜", ""}, {"/records/header.棋譜", "t\r\nu\r\nl\r\n"},
                              {"/records/long.棋譜", long_record}};
  struct Case {
    const char* file;
    int last;
    Lines said;
  };
  const Case cases[] = {
      {"empty.棋譜", 0, {"棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません|棋譜"}},
      {"header.棋譜", 0, {"棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません|棋譜"}},
      {"long.棋譜", 500,
       {" 読み込みました|棋譜", "501手目からは読み込みませんでした|棋譜", "棋譜を '進 'で進めて下さい|棋譜"}},
  };
  for (const Case& c : cases) {
    forget();
    fakes.record_panel.chosen = c.file;
    form.File1_Click();
    EXPECT_EQ(boxes(), c.said) << c.file;
    EXPECT_EQ(form.KIFU_MODE, 1) << c.file;
    EXPECT_EQ(form.hist.HIST_LAST, c.last) << c.file;
  }

  // A file that went away: said so, and the game and the open lists stay.
  form.menu_click("CANCEL");
  form.menu_click("START");
  move(3, 7, 3, 6);
  forget();
  fakes.record_panel.chosen = "gone.棋譜";
  form.File1_Click();
  EXPECT_EQ(boxes(), Lines{"棋譜ﾌｧｲﾙを読み込めませんでした\rﾌｧｲﾙかﾌｫﾙﾀﾞが見つかりません|棋譜"});
  EXPECT_TRUE(fakes.record_panel.calls.empty());
  EXPECT_EQ(form.KIFU_MODE, 0);
  EXPECT_EQ(form.hist.HIST_LAST, 1);
}

TEST_F(RecordTest, TheListsFollowTheChosenDriveUnlessItCannotBeRead) {
  form.Drive1_Change();
  fakes.record_panel.drive_ready = 0;
  form.Drive1_Change();
  EXPECT_EQ(fakes.record_panel.calls, (Lines{"drive", "files follow", "drive"}));
  EXPECT_EQ(boxes(), Lines{"ﾃﾞﾊﾞｲｽが準備できていません|ｴﾗｰ"});
}

}  // namespace
}  // namespace korvel
