// The texts beside the board and the keys that step through a game.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <utility>

#include "game/form.h"
#include "tests/game/fake_ports.h"

namespace korvel {
namespace {

struct ScreenTextsTest : ::testing::Test {
  testing::FakePorts fakes;
  Form form{fakes.ports()};
  void SetUp() override {
    form.Form_Load();
    form.menu_click("START");
  }
  void play(std::initializer_list<std::array<int, 5>> moves) {
    for (auto [fx, fy, tx, ty, button] : moves) {
      form.Form_MouseDown(BUTTON_LEFT, cell_x(fx) + 300, cell_y(fy) + 300);
      form.Form_MouseDown(button, cell_x(tx) + 300, cell_y(ty) + 300);
    }
  }
  // A side's last move drawn in white in its area: file, rank, piece.
  bool says(bool upper, const char* file, const char* rank, const char* piece) const {
    const double c = upper ? -1.6 : 12.4, r = upper ? 8.4 : 2.4;
    const auto& calls = fakes.canvas.calls;
    return std::ranges::count(calls, testing::Txt(15, c, r, file, 12)) +
               std::ranges::count(calls, testing::Txt(15, c + 0.4, r, rank, 12)) +
               std::ranges::count(calls, testing::Txt(15, c + 1, r, piece, 12)) == 3;
  }
  std::string box() const { return fakes.dialogs.shown.back().text + "|" + fakes.dialogs.shown.back().title; }
};

TEST_F(ScreenTextsTest, MovesAreNamedAsTheyStandTheHintGivesWayAndANewBackgroundKeepsTheTexts) {
  play({{3, 7, 3, 6, 1}, {7, 3, 7, 4, 1}, {2, 8, 8, 2, BUTTON_RIGHT}});  // the bishop takes and promotes
  EXPECT_TRUE(says(false, "２", "二", "角成"));
  play({{1, 3, 1, 4, 1}, {8, 2, 7, 3, 1}});  // the horse moves on
  EXPECT_TRUE(says(false, "３", "三", "馬"));
  form.HINT_LIMITS = {.depth = 1};
  form.menu_click("HINT");  // three texts in the hint's colour in the upper side's area
  EXPECT_EQ(std::ranges::count_if(fakes.canvas.calls, [](auto& s) { return s.starts_with("text 11 "); }), 3);
  fakes.canvas.clear();
  play({{5, 5, 5, 5, 1}});  // clicks on an empty square: the hint goes
  EXPECT_TRUE(says(true, "９", "四", "歩"));
  fakes.canvas.clear();
  form.menu_click("RENGA");
  EXPECT_EQ(std::ranges::count(fakes.canvas.calls, testing::Txt(15, 13.2, 3.3, " 5", 12)), 1);
  EXPECT_TRUE(says(true, "９", "四", "歩") && says(false, "３", "三", "馬"));
}

TEST_F(ScreenTextsTest, ArrowsHomeAndEndStepThroughTheGameAndToTheEndOfARecord) {
  play({{3, 7, 3, 6, 1}, {7, 3, 7, 4, 1}, {2, 7, 2, 6, 1}});
  const History game = form.hist;
  form.Form_KeyDown(KEY_LEFT);
  EXPECT_EQ(form.hist.HIST_INDEX * 10 + form.MOVE_COUNT, 22);
  fakes.sound.calls.clear();
  form.Form_KeyDown(KEY_HOME);  // straight there, with one sound
  EXPECT_TRUE(!std::memcmp(form.pos.Board, game.HIST_BOARD[0], sizeof form.pos.Board));
  EXPECT_EQ(form.hist.HIST_INDEX * 10 + form.MOVE_COUNT + static_cast<int>(fakes.sound.calls.size()), 1);
  form.Form_KeyDown(KEY_HOME);
  EXPECT_EQ(box(), "できません|戻る");
  fakes.canvas.clear();
  form.Form_KeyDown(KEY_END);
  EXPECT_TRUE(!std::memcmp(form.pos.Board, game.HIST_BOARD[3], sizeof form.pos.Board));
  EXPECT_EQ(form.hist.HIST_INDEX * 10 + form.MOVE_COUNT + form.pos.SIDE_TO_MOVE, 32);  // 後手 to move
  EXPECT_TRUE(says(true, "３", "四", "歩"));
  form.Form_KeyDown(KEY_RIGHT);
  EXPECT_EQ(box(), "できません|進む");
  std::string bytes;  // the game as a record, read: End goes to its end
  ASSERT_TRUE(棋譜ファイル作成(form.棋譜_作成("", "", ""), bytes));
  fakes.record_files.files["/r/k.棋譜"] = bytes;
  form.READ_RECORD("/r", "k.棋譜");
  form.Form_KeyDown(KEY_END);
  form.Form_KeyDown(KEY_END);
  EXPECT_EQ(form.KIFU_MODE * 10 + form.MOVE_COUNT, 13);
  EXPECT_EQ(box(), "終わり|進む");
  form.Form_KeyPress(KEY_ESCAPE);  // still ends the program at once
  EXPECT_TRUE(form.wants_quit());
}

TEST(NoSoundMessage, IsSaidAtTheFirstStartWithoutSoundAndAgainOnlyAfterSoundCameBack) {
  testing::FakePorts fakes;
  for (auto [context, said] : {std::pair{0, 1u}, {0, 0u}, {7, 0u}, {0, 1u}}) {
    fakes.sound.context = context;
    fakes.dialogs.shown.clear();
    Form form(fakes.ports());
    form.Form_Load();
    form.Form_Activate();
    EXPECT_EQ(fakes.dialogs.shown.size(), said);
    if (!fakes.settings.written.empty()) fakes.settings.stored = fakes.settings.written.back();  // the next start reads it
    EXPECT_EQ(fakes.settings.stored.silent == 1, context == 0);
  }
}

}  // namespace
}  // namespace korvel
