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

using Lines = std::vector<std::string>;

struct RecordTest : ::testing::Test {
  testing::FakePorts fakes;
  std::unique_ptr<Form> owned = std::make_unique<Form>(fakes.ports());
  Form& form = *owned;
  std::map<std::string, std::string>& files = fakes.record_files.files;

  void SetUp() override { form.Form_Load(); }
  void forget() {
    fakes.canvas.clear();
    fakes.dialogs.shown.clear();
    fakes.record_panel.calls.clear();
  }
  void move(int fx, int fy, int tx, int ty, int button = BUTTON_LEFT) {
    form.Form_MouseDown(BUTTON_LEFT, cell_x(fx) + 300, cell_y(fy) + 300);
    form.Form_MouseDown(button, cell_x(tx) + 300, cell_y(ty) + 300);
  }
  void type(const std::string& file, const std::string& title, const std::string& sente, const std::string& gote) {
    const std::string texts[5] = {"", file, title, sente, gote};
    std::copy(std::begin(texts), std::end(texts), fakes.record_panel.texts);
  }
  void read(const std::string& file) {
    fakes.record_panel.chosen = file;
    form.File1_Click();
  }
  Lines boxes() const {
    Lines out;
    for (const auto& b : fakes.dialogs.shown) out.push_back(b.text + "|" + b.title);
    return out;
  }
};

TEST_F(RecordTest, AShortGameIsWrittenByteForByteAndReplayedToItsLastMove) {
  // Two people: a pawn each, then the bishop takes the bishop and promotes;
  // the thinking times give clocks of 0, 1234, 12345 and a fraction, each
  // booked on the side that moved.
  form.menu_click("START");
  for (const auto& [at, fx, fy, tx, ty] : {std::tuple{1234.0, 3, 7, 3, 6}, {13579.0, 7, 3, 7, 4}, {13579.6, 2, 8, 8, 2}}) {
    fakes.day_timer.seconds = at;
    move(fx, fy, tx, ty, BUTTON_RIGHT);
  }
  ASSERT_EQ(form.pos.Board[8][2], -801);
  const History played = form.hist;
  forget();
  form.menu_click("KIFU_WRITE");
  type("第一局", "第一局", "先手太郎", "後手花子");
  form.Command1_Click();
  EXPECT_EQ(boxes(), Lines{"棋譜を書き込みました|  "});
  EXPECT_EQ(fakes.record_panel.calls, (Lines{"lists 110", "fields 1", "lists 000", "fields 0", "refresh"}));
  std::ifstream golden(KORVEL_SOURCE_DIR "/tests/game/short_game.棋譜", std::ios::binary);
  std::ostringstream expected;
  expected << golden.rdbuf();
  EXPECT_EQ(files["/records/第一局.棋譜"], expected.str());  // upper player (後手) first

  forget();
  form.menu_click("KIFU_READ");
  read("第一局.棋譜");
  EXPECT_EQ(fakes.record_panel.calls, (Lines{"lists 111", "fields 0", "lists 000"}));
  EXPECT_EQ(boxes(), (Lines{" 読み込みました|棋譜", "棋譜を '進 'で進めて下さい|棋譜"}));
  EXPECT_EQ(form.KIFU_MODE * 10 + form.hist.HIST_LAST, 13);
  // Under the board: the title light red without a shadow, each name under its
  // player's hand; and the move that promoted says so when it is stepped to.
  const double names = 10 + 310.0 / SQUARE_H;
  const auto drawn = [&](const std::string& text) {
    return std::find(fakes.canvas.calls.begin(), fakes.canvas.calls.end(), text) != fakes.canvas.calls.end();
  };
  for (const std::string& text : {std::string("text 12 (4323,7040) '第一局' 12"), testing::Txt(15, -1.6, names, "後手花子", 12),
                                   testing::Txt(15, 11, names, "先手太郎", 12)})
    EXPECT_TRUE(drawn(text)) << text;
  for (int n = 1; n <= 3; ++n) {
    if (n == 3) fakes.canvas.clear();
    form.menu_click("AFTER");
    EXPECT_EQ(std::memcmp(form.pos.Board, played.HIST_BOARD[n], sizeof form.pos.Board), 0) << n;
    EXPECT_EQ(std::memcmp(form.pos.HAND_SITA, played.HIST_HAND_SITA[n], sizeof form.pos.HAND_SITA), 0) << n;
    // The totals the game had at that position, each move on its mover's clock.
    EXPECT_EQ(form.TIME_SITA, static_cast<int>(played.所有時間(n).sita)) << n;
    EXPECT_EQ(form.TIME_UE, static_cast<int>(played.所有時間(n).ue)) << n;
  }
  EXPECT_TRUE(drawn(testing::Txt(15, 13.4, 2.4, "角成", 12)));
  forget();
  form.menu_click("UCHU");  // a new background: the headers stand again while it is a record
  EXPECT_TRUE(drawn("text 12 (4323,7040) '第一局' 12"));
  EXPECT_TRUE(drawn(testing::Txt(15, 13.4, 2.4, "角成", 12)));
  form.menu_click("AFTER");
  EXPECT_EQ(boxes(), Lines{"終わり|進む"});
  // All the way back is the initial position, whatever the history held before.
  for (int n = 0; n < 3; ++n) form.menu_click("REPLAY");
  Position initial;
  initial.初期設定();
  EXPECT_EQ(std::memcmp(form.pos.Board, initial.Board, sizeof initial.Board), 0);
}

TEST_F(RecordTest, WritingWantsAGameFromTheInitialPositionAndAGoodNameAndNeverLosesTheOldRecord) {
  files["/records/a.棋譜"] = "an older record";
  form.Command1_Click();
  type("a", "", "", "");
  form.Command1_Click();
  for (const char* command : {"REVERSE", "REVERSE", "KIFU_WRITE", "CANCEL", "LBEL_UP", "KIFU_WRITE", "CANCEL"})
    form.menu_click(command);  // turned back is still turned
  EXPECT_EQ(boxes(), (Lines{"ﾌｧｲﾙ名が入力されていません|  ", "保存するデータがありません|棋譜保存",
                            "反転後は書き込みできません|棋譜書込", "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません|棋譜書込"}));
  form.menu_click("KIFU_WRITE");  // a new board lifts the refusals
  EXPECT_EQ(fakes.record_panel.calls, (Lines{"lists 000", "fields 0", "lists 110", "fields 1"}));  // △ closes

  form.menu_click("GOTE");  // the computer opens as 先手 with the upper pieces
  forget();
  for (const char* name : {"../a", ".a", "a"}) {
    type(name, "王🙂", "先手名", "後手名");
    form.Command1_Click();
  }
  fakes.record_files.failure = "ﾃﾞｨｽｸに空きがありません";
  type("a", "", "先手名", "後手名");
  form.Command1_Click();
  EXPECT_EQ(boxes(), (Lines{"ﾌｧｲﾙ名に '/' や制御文字は使えません|  ",
                            "ﾌｧｲﾙ名を '.' で始めることはできません|  ",
                            "対局名か対局者名に棋譜ﾌｧｲﾙに書けない文字があります|棋譜保存",
                            "棋譜を書き込めませんでした\rﾃﾞｨｽｸに空きがありません|棋譜保存"}));
  EXPECT_EQ(files, (std::map<std::string, std::string>{{"/records/a.棋譜", "an older record"}}));
  EXPECT_EQ(fakes.record_panel.calls, Lines{});  // the panel stays open with its texts

  // One move is a record of one number line, the upper side's name first, over the old one.
  fakes.record_files.failure.clear();
  form.Command1_Click();
  EXPECT_EQ(files["/records/a.棋譜"].substr(0, 18), "\r\n\x90\xe6\x8e\xe8\x96\xbc\r\n\x8c\xe3\x8e\xe8\x96\xbc\r\n");
  EXPECT_EQ(std::count(files["/records/a.棋譜"].begin(), files["/records/a.棋譜"].end(), '\n'), 4);
}

TEST_F(RecordTest, FilesWithoutPositionsOrBeyondTheHistoryOrGone) {
  files = {{"/records/empty.棋譜", ""}, {"/records/header.棋譜", "t\r\nu\r\nl\r\n"},
           {"/records/long.棋譜", "t\r\nu\r\nl" + std::string(502, '\n')}};
  const struct {
    const char* file;
    int last;
    Lines said;
  } cases[] = {
      {"empty.棋譜", 0, {"棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません|棋譜"}},
      {"header.棋譜", 0, {"棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません|棋譜"}},
      {"long.棋譜", 500, {" 読み込みました|棋譜", "501手目からは読み込みませんでした|棋譜", "棋譜を '進 'で進めて下さい|棋譜"}},
  };
  for (const auto& c : cases) {
    forget();
    read(c.file);
    EXPECT_EQ(boxes(), c.said) << c.file;
    EXPECT_EQ(form.KIFU_MODE * 1000 + form.hist.HIST_LAST, 1000 + c.last) << c.file;
  }
  // A file that went away: said so; the game and the open lists stay.
  form.menu_click("CANCEL");
  form.menu_click("START");
  move(3, 7, 3, 6);
  forget();
  read("gone.棋譜");
  EXPECT_EQ(boxes(), Lines{"棋譜ﾌｧｲﾙを読み込めませんでした\rﾌｧｲﾙかﾌｫﾙﾀﾞが見つかりません|棋譜"});
  EXPECT_EQ(fakes.record_panel.calls, Lines{});
  EXPECT_EQ(form.KIFU_MODE * 10 + form.hist.HIST_LAST, 1);
}

}  // namespace
}  // namespace korvel
