// What the texts beside the board say, and the keys that step through a
// game, through the window model's handlers against fake ports.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "game/form.h"
#include "records/record_file.h"
#include "tests/game/fake_ports.h"

namespace korvel {
namespace {

using testing::FakePorts;
using testing::Txt;
using Lines = std::vector<std::string>;

constexpr int KOMA = 42;

struct ScreenTextsTest : ::testing::Test {
  FakePorts fakes;
  std::unique_ptr<Form> owned = std::make_unique<Form>(fakes.ports());
  Form& form = *owned;

  void SetUp() override {
    form.Form_Load();
    form.SND_KOMAUCHI = KOMA;
  }
  void forget() {
    fakes.canvas.clear();
    fakes.dialogs.shown.clear();
    fakes.sound.calls.clear();
  }
  void click(int c, int r, int button = BUTTON_LEFT) { form.Form_MouseDown(button, cell_x(c) + 300, cell_y(r) + 300); }
  void move(int fx, int fy, int tx, int ty, int button = BUTTON_LEFT) {
    click(fx, fy);
    click(tx, ty, button);
  }
  bool drew(const std::string& line) const {
    return std::find(fakes.canvas.calls.begin(), fakes.canvas.calls.end(), line) != fakes.canvas.calls.end();
  }
  // A side's last move as its text area shows it in white: file, rank, piece.
  bool upper_says(const char* file, const char* rank, const char* piece) const {
    return drew(Txt(15, -1.6, 8.4, file, 12)) && drew(Txt(15, -1.2, 8.4, rank, 12)) &&
           drew(Txt(15, -0.6, 8.4, piece, 12));
  }
  bool lower_says(const char* file, const char* rank, const char* piece) const {
    return drew(Txt(15, 12.4, 2.4, file, 12)) && drew(Txt(15, 12.8, 2.4, rank, 12)) &&
           drew(Txt(15, 13.4, 2.4, piece, 12));
  }
  Lines boxes() const {
    Lines out;
    for (const auto& b : fakes.dialogs.shown) out.push_back(b.text + "|" + b.title);
    return out;
  }
  bool board_is(const int (&board)[10][10]) const {
    return std::memcmp(form.pos.Board, board, sizeof form.pos.Board) == 0;
  }
};

TEST_F(ScreenTextsTest, MovesAreNamedAsTheyStandTheHintGivesWayAndANewBackgroundKeepsTheTexts) {
  form.menu_click("START");
  move(3, 7, 3, 6);
  move(7, 3, 7, 4);
  forget();
  move(2, 8, 8, 2, BUTTON_RIGHT);  // the bishop takes the bishop and promotes
  EXPECT_TRUE(lower_says("２", "二", "角成"));
  move(1, 3, 1, 4);
  EXPECT_TRUE(upper_says("９", "四", "歩"));
  forget();
  move(8, 2, 7, 3);  // the horse moves on: a horse, not a promotion
  EXPECT_TRUE(lower_says("３", "三", "馬"));
  EXPECT_FALSE(drew(Txt(15, 13.4, 2.4, "角成", 12)));

  // The hint's move stands in the upper side's area, in its colour, until it
  // goes; then that side's own last move is there again.
  form.HINT_LIMITS = {.depth = 1};
  forget();
  form.menu_click("HINT");
  EXPECT_EQ(std::count_if(fakes.canvas.calls.begin(), fakes.canvas.calls.end(),
                          [](const std::string& s) { return s.rfind("text 11 ", 0) == 0; }),
            3);
  forget();
  click(5, 5);  // an empty square: nothing is chosen, the hint goes
  EXPECT_TRUE(upper_says("９", "四", "歩"));
  EXPECT_EQ(form.CLICK_PHASE, 0);

  // A new background: the move number and both last moves stand again.
  forget();
  form.menu_click("RENGA");
  EXPECT_TRUE(drew(Txt(15, 13.2, 3.3, " 5", 12)));
  EXPECT_TRUE(upper_says("９", "四", "歩"));
  EXPECT_TRUE(lower_says("３", "三", "馬"));
}

TEST_F(ScreenTextsTest, ArrowsHomeAndEndStepThroughTheGameAndToTheEndOfARecord) {
  const Position initial = form.pos;
  form.menu_click("START");
  move(3, 7, 3, 6);
  move(7, 3, 7, 4);
  move(2, 7, 2, 6);
  const Position newest = form.pos;

  form.Form_KeyDown(KEY_LEFT);  // as "戻"
  EXPECT_EQ(form.hist.HIST_INDEX * 10 + form.MOVE_COUNT, 22);
  forget();
  form.Form_KeyDown(KEY_HOME);  // straight to the start, with one sound
  EXPECT_TRUE(board_is(initial.Board));
  EXPECT_EQ(form.hist.HIST_INDEX * 10 + form.MOVE_COUNT, 0);
  EXPECT_EQ(fakes.sound.calls, Lines{"play 42"});
  EXPECT_TRUE(drew(Txt(15, 13.2, 3.3, " 0", 12)));
  EXPECT_FALSE(drew(Txt(15, 13.4, 2.4, "歩", 12)));  // no move made there
  form.Form_KeyDown(KEY_HOME);
  form.Form_KeyDown(KEY_LEFT);
  EXPECT_EQ(boxes(), (Lines{"できません|戻る", "できません|戻る"}));

  forget();
  form.Form_KeyDown(KEY_END);  // the newest stored position
  EXPECT_TRUE(board_is(newest.Board));
  EXPECT_EQ(form.hist.HIST_INDEX * 10 + form.MOVE_COUNT, 33);
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, SIDE_GOTE);
  EXPECT_TRUE(lower_says("８", "六", "歩"));
  EXPECT_TRUE(upper_says("３", "四", "歩"));
  form.Form_KeyDown(KEY_END);
  form.Form_KeyDown(KEY_RIGHT);
  EXPECT_EQ(boxes(), (Lines{"できません|進む", "できません|進む"}));
  form.Form_KeyDown(KEY_HOME);
  form.Form_KeyDown(KEY_RIGHT);  // as "進"
  EXPECT_EQ(form.hist.HIST_INDEX, 1);

  // A record read is at its start; End goes to its end.
  std::string bytes;
  ASSERT_TRUE(棋譜ファイル作成(form.棋譜_作成("", "", ""), bytes));
  fakes.record_files.files["/records/k.棋譜"] = bytes;
  fakes.record_panel.chosen = "k.棋譜";
  form.File1_Click();
  ASSERT_EQ(form.KIFU_MODE * 10 + form.hist.HIST_INDEX, 10);
  forget();
  form.Form_KeyDown(KEY_END);
  EXPECT_TRUE(board_is(newest.Board));
  EXPECT_EQ(form.MOVE_COUNT, 3);
  form.Form_KeyDown(KEY_END);
  EXPECT_EQ(boxes(), Lines{"終わり|進む"});

  form.Form_KeyPress(KEY_ESCAPE);  // still ends the program at once
  EXPECT_TRUE(form.wants_quit());
}

TEST(NoSoundMessage, IsSaidAtTheFirstStartWithoutSoundAndAgainOnlyAfterSoundCameBack) {
  FakePorts fakes;
  const struct {
    int context;  // what the sound library answers
    bool said;
  } starts[] = {{0, true}, {0, false}, {0, false}, {7, false}, {0, true}};
  for (const auto& start : starts) {
    fakes.sound.context = start.context;
    fakes.dialogs.shown.clear();
    fakes.settings.written.clear();
    Form form(fakes.ports());
    form.Form_Load();
    form.Form_Activate();
    EXPECT_EQ(fakes.dialogs.shown.size(), start.said ? 1u : 0u);
    // The settings file keeps what was said, for the next start.
    if (!fakes.settings.written.empty()) fakes.settings.stored = fakes.settings.written.back();
    EXPECT_EQ(fakes.settings.stored.silent == 1, start.context == 0);
  }
}

}  // namespace
}  // namespace korvel
