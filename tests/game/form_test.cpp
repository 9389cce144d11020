#include "game/form.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/game/fake_ports.h"
#include "ui/menu_tree.h"
#include "ui/pictures.h"

namespace korvel {
namespace {

using testing::Box;
using testing::Cap;
using testing::FakePorts;
using testing::Pic;
using testing::Txt;
using Lines = std::vector<std::string>;

bool contains(const Lines& lines, const std::string& s) {
  return std::find(lines.begin(), lines.end(), s) != lines.end();
}

std::size_t index_of(const Lines& lines, const std::string& s) {
  return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), s) - lines.begin());
}

struct FormTest : ::testing::Test {
  FakePorts fakes;
  Form form{fakes.ports()};
  void load() {
    form.Form_Load();
    fakes.canvas.clear();
  }
};

TEST_F(FormTest, StartUpAppliesDefaultSettingsAndSetsUpTheInitialPosition) {
  form.Form_Load();
  EXPECT_EQ(fakes.settings.reads, 1);
  EXPECT_EQ(form.screen.HAIKEI_CODE, HAIKEI_MIDORI);
  EXPECT_EQ(form.checked("MIDORI"), 1);
  EXPECT_EQ(form.checked("TATAMI"), 0);
  EXPECT_EQ(form.checked("KEIKA"), 1);
  EXPECT_EQ(form.checked("SIDOU"), 0);
  EXPECT_EQ(form.checked("BGM"), 0);
  EXPECT_EQ(form.checked("LEVEL3"), 1);
  EXPECT_EQ(form.COM_LEVEL, 3);
  EXPECT_EQ(form.GUIDE_COLOR, COLOR_GREEN);
  EXPECT_EQ(form.pos.UE_SIDE, 1);
  EXPECT_EQ(form.pos.SITA_SIDE, -1);
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, 0);
  EXPECT_EQ(form.pos.Board[5][1], 950);
  EXPECT_EQ(form.pos.Board[8][8], -900);
  EXPECT_EQ(form.GAME_KIND, KIND_MAN);
  EXPECT_EQ(fakes.clock_timer.running, 0);
  EXPECT_FALSE(form.APP_DIR.empty());
  EXPECT_FALSE(form.wants_quit());
  // Both clocks show zero and the logo comes last.
  const Lines& calls = fakes.canvas.calls;
  EXPECT_TRUE(contains(calls, Txt(15, -1.6, 9.2, "00:00:00", 12)));
  EXPECT_TRUE(contains(calls, Txt(15, 13.0, 9.2, "00:00:00", 12)));
  EXPECT_EQ(calls.back(), Pic(PIC_KORVEL, 10.8, 0));
  EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(FormTest, StartUpOpensSoundFirstAndSkipsMissingWaveFiles) {
  form.Form_Load();
  // No wave files in the test's folder: the library is opened, nothing loaded.
  EXPECT_EQ(fakes.sound.calls, Lines{"init"});
  EXPECT_EQ(form.SOUND_CONTEXT, 7);
  EXPECT_EQ(form.SND_KOMAUCHI, 0);
}

TEST_F(FormTest, SoundLibraryFailureIsReportedAndTheGameRunsSilently) {
  fakes.sound.context = 0;
  form.Form_Load();
  // Said in plain words once the window is there, not while it is being made.
  EXPECT_TRUE(fakes.dialogs.shown.empty());
  form.Form_Activate();
  form.Form_Activate();
  ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
  EXPECT_EQ(fakes.dialogs.shown[0].text, "音を出す装置が見つかりません。\r音は鳴りませんが、このまま遊べます。");
  EXPECT_EQ(fakes.dialogs.shown[0].title, "音");
  EXPECT_EQ(fakes.dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
  form.Form_KeyPress(KEY_ESCAPE);
  // All four handles are freed even though they are 0; no terminate.
  EXPECT_EQ(fakes.sound.calls, (Lines{"init", "free 0", "free 0", "free 0", "free 0"}));
}

TEST_F(FormTest, WaveImageIsHandedOverWhole) {
  form.SOUND_INIT();
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("korvel_w1_" + std::to_string(::getpid()) + ".wav");
  const std::string bytes("RIFF\0\x01\x02WAVE", 11);
  { std::ofstream(file, std::ios::binary) << bytes; }
  const std::int32_t handle = form.LOAD_WAVE(file.string(), 3);
  std::filesystem::remove(file);
  EXPECT_EQ(handle, 100);
  ASSERT_EQ(fakes.sound.images.size(), 1u);
  EXPECT_EQ(std::string(fakes.sound.images[0].begin(), fakes.sound.images[0].end()), bytes);
  EXPECT_EQ(fakes.sound.calls.back(), "create 7 3");
}

TEST_F(FormTest, MusicFromTheSettingsStartsBeforeTheBoardIsDrawn) {
  fakes.settings.stored = {HAIKEI_UCHU, 1, 0, 1};
  form.Form_Load();
  EXPECT_EQ(fakes.sound.calls.back(), "loop 0");
  EXPECT_EQ(form.checked("BGM"), 1);
  EXPECT_EQ(form.checked("UCHU"), 1);
  EXPECT_EQ(form.checked("TATAMI"), 0);
  EXPECT_EQ(form.SIDOU_ON, 1);
  EXPECT_EQ(form.GUIDE_COLOR, COLOR_WHITE);
  // Clock display off: the clock cells stay background tiles.
  for (const std::string& s : fakes.canvas.calls) EXPECT_EQ(s.find("00:00:00"), std::string::npos);
}

TEST_F(FormTest, SettingsMissingFromTheFileKeepTheDesignState) {
  fakes.settings.stored = SettingsValues{};
  form.Form_Load();
  EXPECT_EQ(form.screen.HAIKEI_CODE, 0);
  EXPECT_EQ(form.checked("TATAMI"), 1);
  EXPECT_EQ(form.checked("KEIKA"), 0);
  EXPECT_EQ(form.checked("SIDOU"), 0);
}

TEST_F(FormTest, EscapeEndsTheProgramAndClosesSoundOnce) {
  load();
  form.Form_KeyPress('q');
  EXPECT_FALSE(form.wants_quit());
  form.Form_KeyPress(KEY_ESCAPE);
  EXPECT_TRUE(form.wants_quit());
  form.Form_Unload();
  EXPECT_EQ(fakes.sound.calls,
            (Lines{"init", "free 0", "free 0", "free 0", "free 0", "terminate 7"}));
}

TEST_F(FormTest, OwariAndClosingTheWindowEndTheProgram) {
  load();
  EXPECT_EQ(form.menu_click("OWARI"), 1);
  EXPECT_TRUE(form.wants_quit());
  FakePorts other;
  Form closed{other.ports()};
  closed.Form_Load();
  closed.Form_Unload();
  EXPECT_TRUE(closed.wants_quit());
}

TEST_F(FormTest, UnknownMenuNameDoesNothing) {
  load();
  EXPECT_EQ(form.menu_click("NOPE"), 0);
  EXPECT_TRUE(fakes.canvas.calls.empty());
}

TEST_F(FormTest, EveryMenuEntryHasAHandler) {
  load();
  for (const MenuEntry& e : menu_tree()) {
    if (e.name == "OWARI") continue;
    EXPECT_EQ(form.menu_click(e.name), 1) << e.name;
  }
  EXPECT_FALSE(form.wants_quit());
}

TEST_F(FormTest, OpeningTopMenusClosesTheRecordPanel) {
  load();
  for (const char* name : {"TAIKYOKU", "STOP", "OPTION"}) {
    fakes.record_panel.calls.clear();
    form.menu_click(name);
    EXPECT_EQ(fakes.record_panel.calls, (Lines{"lists 000", "fields 0"})) << name;
  }
  for (const char* name : {"MATCH_MAN", "KIFU", "SONOTA"}) {
    fakes.record_panel.calls.clear();
    form.menu_click(name);
    EXPECT_TRUE(fakes.record_panel.calls.empty()) << name;
  }
}

TEST_F(FormTest, ReverseTwiceRestoresThePositionButNotTheHistory) {
  load();
  form.pos.Board[1][7] = 0;
  form.pos.Board[1][6] = -10;
  form.pos.Board[9][3] = 0;
  form.pos.HAND_SITA[2] = 1;
  form.pos.HAND_COUNT_SITA = 1;
  form.pos.SIDE_TO_MOVE = -1;
  form.hist.HIST_INDEX = 4;
  form.hist.HIST_LAST = 3;
  form.CLICK_PHASE = 1;
  const Position before = form.pos;

  form.menu_click("REVERSE");
  EXPECT_EQ(form.pos.Board[9][4], 10);   // the lower pawn, turned and now upper
  EXPECT_EQ(form.pos.Board[9][3], 0);
  EXPECT_EQ(form.pos.Board[1][7], 0);    // the upper pawn had left (9, 3)
  EXPECT_EQ(form.pos.Board[5][1], 950);  // the lower king, now upper
  EXPECT_EQ(form.pos.HAND_UE[2], 1);
  EXPECT_EQ(form.pos.HAND_SITA[2], 0);
  EXPECT_EQ(form.pos.HAND_COUNT_UE, 1);
  EXPECT_EQ(form.pos.HAND_COUNT_SITA, 0);
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, 1);
  EXPECT_EQ(form.REVERSED, 1);
  EXPECT_EQ(form.CLICK_PHASE, 0);
  EXPECT_EQ(form.hist.HIST_INDEX, 0);
  EXPECT_EQ(form.hist.HIST_LAST, 0);

  form.menu_click("REVERSE");
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) EXPECT_EQ(form.pos.Board[x][y], before.Board[x][y]) << x << y;
  for (int k = 1; k <= 7; ++k) {
    EXPECT_EQ(form.pos.HAND_SITA[k], before.HAND_SITA[k]);
    EXPECT_EQ(form.pos.HAND_UE[k], before.HAND_UE[k]);
  }
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, -1);
  EXPECT_EQ(form.REVERSED, 1);
  EXPECT_EQ(form.hist.HIST_INDEX, 0);
  EXPECT_EQ(form.hist.HIST_LAST, 0);
}

TEST_F(FormTest, ReverseRepaintsShowsTheMoveNumberAndSounds) {
  load();
  form.SND_KOMAUCHI = 33;
  form.MOVE_COUNT = 12;
  form.menu_click("REVERSE");
  const Lines& calls = fakes.canvas.calls;
  const std::size_t logo = index_of(calls, Pic(PIC_KORVEL, 10.8, 0));
  const std::size_t number = index_of(calls, Txt(15, 13.1, 3.3, " 12", 12));
  ASSERT_LT(logo, calls.size());
  ASSERT_LT(number, calls.size());
  EXPECT_LT(logo, number);
  EXPECT_EQ(fakes.sound.calls.back(), "play 33");
}

TEST_F(FormTest, ReverseNegatesASetHandicapAndRedrawsIt) {
  load();
  form.HANDICAP_SET = 1;
  form.HANDICAP_GRADE = 3;
  form.menu_click("REVERSE");
  EXPECT_EQ(form.HANDICAP_GRADE, -3);
  EXPECT_EQ(fakes.canvas.calls.back(), Cap(15, 11, 1, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段", 10));
}

TEST_F(FormTest, ReverseRefusedWhileStepping) {
  load();
  form.SND_KINSHI = 44;
  form.KIFU_MODE = 1;
  form.pos.Board[1][6] = -10;
  const Position before = form.pos;
  form.menu_click("REVERSE");
  ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
  EXPECT_EQ(fakes.dialogs.shown[0].text, "棋譜ﾓｰﾄﾞではできません");
  EXPECT_EQ(fakes.dialogs.shown[0].title, "反転");
  EXPECT_EQ(fakes.sound.calls.back(), "play 44");
  EXPECT_EQ(form.REVERSED, 0);
  EXPECT_EQ(form.pos.Board[1][6], before.Board[1][6]);
  EXPECT_TRUE(fakes.canvas.calls.empty());
}

TEST_F(FormTest, GuidanceOffRemovesEveryWhiteFrame) {
  load();
  form.menu_click("SIDOU");
  EXPECT_EQ(form.checked("SIDOU"), 1);
  EXPECT_EQ(form.GUIDE_COLOR, COLOR_WHITE);
  // Leave white marks behind: a board piece's targets and two hand cells.
  描画_移動可能桝色(form.pos, form.SIDOU_ON, form.move_drawing(), 2, 9, form.GUIDE_COLOR, -30);
  描画_移動可能桝色(form.pos, form.SIDOU_ON, form.move_drawing(), 8, 8, form.GUIDE_COLOR, -900);
  form.screen.描画_桝輪郭(COLOR_WHITE, -1, 4);
  form.screen.描画_桝輪郭(COLOR_WHITE, 11, 9);
  form.screen.描画_桝輪郭(COLOR_RED, 5, 5);
  int white = 0;
  for (const auto& [corner, colour] : fakes.canvas.last_outline) white += colour == COLOR_WHITE;
  ASSERT_GT(white, 3);

  form.menu_click("SIDOU");
  for (const auto& [corner, colour] : fakes.canvas.last_outline)
    EXPECT_EQ(colour, COLOR_GREEN) << corner.first << "," << corner.second;
  EXPECT_EQ(form.checked("SIDOU"), 0);
  EXPECT_EQ(form.SIDOU_ON, 0);
  EXPECT_EQ(form.GUIDE_COLOR, COLOR_GREEN);
  ASSERT_EQ(fakes.settings.written.size(), 2u);
  EXPECT_EQ(fakes.settings.written[0].sidou, 1);
  EXPECT_EQ(fakes.settings.written[1].sidou, 0);
}

TEST_F(FormTest, GuidanceOffFramesBoardThenBothHands) {
  load();
  form.set_checked("SIDOU", 1);
  form.menu_click("SIDOU");
  const Lines& calls = fakes.canvas.calls;
  ASSERT_EQ(calls.size(), 81u + 14u);
  EXPECT_EQ(calls[81], Box(2, -1, 1));
  EXPECT_EQ(calls[82], Box(2, 11, 3));
  EXPECT_EQ(calls.back(), Box(2, 11, 9));
}

TEST_F(FormTest, BackgroundChangeWithoutAGameLeavesTheMoveNumberBlank) {
  load();
  form.描画_手数(5);
  fakes.canvas.clear();
  form.menu_click("TAKE");
  EXPECT_EQ(form.screen.HAIKEI_CODE, HAIKEI_TAKE);
  const Lines& calls = fakes.canvas.calls;
  EXPECT_TRUE(contains(calls, Pic(HAIKEI_TAKE, 13, 3)));
  EXPECT_TRUE(contains(calls, Pic(HAIKEI_TAKE, 14, 3)));
  for (const std::string& s : calls) EXPECT_EQ(s.find("手目"), std::string::npos) << s;
  EXPECT_FALSE(contains(calls, Txt(15, 13.2, 3.3, " 5", 12)));
  EXPECT_FALSE(contains(calls, Txt(0, 13.3, 3.4, " 5", 12)));
  EXPECT_TRUE(contains(calls, Pic(PIC_KORVEL, 10.8, 0)));
}

TEST_F(FormTest, BackgroundCommandsCheckOneEntryAndWriteTheSettings) {
  load();
  struct Case {
    const char* entry;
    int code;
  };
  const Case cases[] = {{"MIDORI", 2}, {"TATAMI", 3}, {"TAKE", 4}, {"UCHU", 5}, {"RENGA", 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    fakes.settings.written.clear();
    form.menu_click(c.entry);
    EXPECT_EQ(form.screen.HAIKEI_CODE, c.code);
    for (const Case& other : cases) EXPECT_EQ(form.checked(other.entry), other.code == c.code ? 1 : 0);
    ASSERT_EQ(fakes.settings.written.size(), 1u);
    EXPECT_EQ(fakes.settings.written[0].background, c.code);
    EXPECT_EQ(fakes.settings.written[0].keika, 1);
  }
}

TEST_F(FormTest, CheckedBackgroundAgainStillWritesAndRepaints) {
  load();
  form.screen.HAIKEI_CODE = HAIKEI_UCHU;  // out of step with the marks: the marks decide nothing
  form.menu_click("MIDORI");
  EXPECT_EQ(form.screen.HAIKEI_CODE, HAIKEI_UCHU);
  EXPECT_EQ(fakes.settings.written.size(), 1u);
  EXPECT_TRUE(contains(fakes.canvas.calls, Pic(PIC_KORVEL, 10.8, 0)));
}

TEST_F(FormTest, SettingsWriteNamesTheFirstCheckedBackground) {
  load();
  form.set_checked("MIDORI", 0);
  form.set_checked("RENGA", 1);
  form.set_checked("TAKE", 1);
  form.書込_環境設定ファイル();
  form.set_checked("RENGA", 0);
  form.set_checked("TAKE", 0);
  form.書込_環境設定ファイル();
  ASSERT_EQ(fakes.settings.written.size(), 2u);
  EXPECT_EQ(fakes.settings.written[0].background, HAIKEI_TAKE);
  EXPECT_EQ(fakes.settings.written[1].background, 0);
}

TEST_F(FormTest, ClocksOffAndOnShowBothTotals) {
  load();
  form.TIME_UE = 75.6;
  form.TIME_SITA = 3725;
  form.menu_click("KEIKA");
  EXPECT_EQ(form.checked("KEIKA"), 0);
  EXPECT_EQ(fakes.clock_timer.running, 0);
  EXPECT_EQ(fakes.canvas.calls,
            (Lines{Pic(2, 13, 9), Pic(2, 14, 9), Pic(2, 15, 9), Pic(2, -2, 9), Pic(2, -1, 9),
                   Pic(2, 0, 9)}));
  fakes.canvas.clear();
  form.menu_click("KEIKA");
  EXPECT_EQ(form.checked("KEIKA"), 1);
  EXPECT_EQ(fakes.clock_timer.running, 1);
  const Lines& calls = fakes.canvas.calls;
  const std::size_t upper = index_of(calls, Txt(15, -1.6, 9.2, "00:01:15", 12));
  const std::size_t lower = index_of(calls, Txt(15, 13.0, 9.2, "01:02:05", 12));
  ASSERT_LT(lower, calls.size());
  EXPECT_LT(upper, lower);
  ASSERT_EQ(fakes.settings.written.size(), 2u);
  EXPECT_EQ(fakes.settings.written[0].keika, 0);
  EXPECT_EQ(fakes.settings.written[1].keika, 1);
}

TEST_F(FormTest, TickRedrawsTheMoverClockOncePerSecond) {
  load();
  form.Timer1_Enabled(1);
  form.pos.SIDE_TO_MOVE = form.pos.SITA_SIDE;
  form.TIME_SITA = 10;
  form.TURN_START = 86399;
  fakes.day_timer.seconds = 0.5;  // past midnight: 1.5 s into the turn
  form.Timer1_Timer();
  EXPECT_DOUBLE_EQ(form.THINK_TIME, 1.5);
  EXPECT_EQ(form.CLOCK_SECOND, 1);
  EXPECT_TRUE(contains(fakes.canvas.calls, Txt(15, 13.0, 9.2, "00:00:11", 12)));
  EXPECT_EQ(fakes.canvas.calls.back(), "refresh");
  fakes.canvas.clear();
  fakes.day_timer.seconds = 0.9;
  form.Timer1_Timer();
  EXPECT_TRUE(fakes.canvas.calls.empty());
  fakes.day_timer.seconds = 2.0;
  form.pos.SIDE_TO_MOVE = form.pos.UE_SIDE;
  form.TIME_UE = 60;
  form.Timer1_Timer();
  EXPECT_TRUE(contains(fakes.canvas.calls, Txt(15, -1.6, 9.2, "00:01:03", 12)));
}

TEST_F(FormTest, TickDoesNothingWhenStoppedOrFinished) {
  load();
  form.pos.SIDE_TO_MOVE = 1;
  fakes.day_timer.seconds = 5;
  form.Timer1_Timer();
  EXPECT_EQ(form.THINK_TIME, 0);
  form.Timer1_Enabled(1);
  form.pos.GAME_OVER = 1;
  form.Timer1_Timer();
  EXPECT_EQ(form.THINK_TIME, 0);
  EXPECT_TRUE(fakes.canvas.calls.empty());
}

TEST_F(FormTest, ResetStopsTheTimerAndClearsTheGameState) {
  load();
  form.Timer1_Enabled(1);
  form.MOVE_COUNT = 9;
  form.hist.HIST_INDEX = 9;
  form.REVERSED = 1;
  form.TIME_UE = 5;
  form.KIFU_MODE = 1;
  form.GAME_KIND = KIND_COM;
  form.HANDICAP_SET = 1;
  form.pos.SITA_SIDE = 1;
  form.pos.UE_SIDE = -1;
  form.SND_KOMAUCHI = 21;
  form.menu_click("CANCEL");
  EXPECT_EQ(fakes.clock_timer.running, 0);
  EXPECT_EQ(form.MOVE_COUNT, 0);
  EXPECT_EQ(form.hist.HIST_INDEX, 0);
  EXPECT_EQ(form.REVERSED, 0);
  EXPECT_EQ(form.TIME_UE, 0);
  EXPECT_EQ(form.KIFU_MODE, 0);
  EXPECT_EQ(form.GAME_KIND, KIND_MAN);
  EXPECT_EQ(form.HANDICAP_SET, 0);
  // The sides keep the last game's assignment.
  EXPECT_EQ(form.pos.SITA_SIDE, 1);
  EXPECT_EQ(fakes.sound.calls.back(), "play 21");
}

TEST_F(FormTest, RepaintShowsStrengthAndHandicapCaptionsWhenTheyApply) {
  load();
  form.画面_再描画();
  for (const std::string& s : fakes.canvas.calls) {
    EXPECT_EQ(s.find("LEVEL"), std::string::npos);
    EXPECT_EQ(s.find("ﾊﾝﾃﾞｨｷｬｯﾌﾟ"), std::string::npos);
  }
  fakes.canvas.clear();
  form.GAME_KIND = KIND_COM;
  form.HANDICAP_SET = 1;
  form.HANDICAP_GRADE = -10;
  form.画面_再描画();
  const Lines& calls = fakes.canvas.calls;
  const std::size_t level = index_of(calls, Txt(15, -1.5, 0.1, "LEVEL", 10));
  const std::size_t handicap = index_of(calls, Cap(15, 11, 1, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人", 10));
  const std::size_t logo = index_of(calls, Pic(PIC_KORVEL, 10.8, 0));
  EXPECT_LT(level, handicap);
  EXPECT_LT(handicap, logo);
  EXPECT_EQ(logo, calls.size() - 1);
}

TEST_F(FormTest, RepaintOrderBackgroundLabelsHandsBoardClocks) {
  load();
  form.画面_再描画();
  const Lines& calls = fakes.canvas.calls;
  EXPECT_EQ(calls.front(), Pic(2, -3, -2));
  const std::size_t labels = index_of(calls, Txt(14, 1.1, 0.4, " 9", 16));
  const std::size_t lower_hand = index_of(calls, Pic(0, 11, 3));
  const std::size_t upper_hand = index_of(calls, Pic(0, -1, 1));
  const std::size_t board = index_of(calls, Pic(20, 1, 1));
  const std::size_t clock = index_of(calls, Txt(15, -1.6, 9.2, "00:00:00", 12));
  EXPECT_LT(labels, lower_hand);
  EXPECT_LT(lower_hand, upper_hand);
  EXPECT_LT(upper_hand, board);
  EXPECT_LT(board, clock);
  EXPECT_LT(clock, calls.size());
}

TEST_F(FormTest, LevelCommandsCheckOneAndCaptionOnlyAgainstTheComputer) {
  load();
  form.menu_click("LEVEL1");
  EXPECT_EQ(form.COM_LEVEL, 1);
  EXPECT_EQ(form.checked("LEVEL1"), 1);
  EXPECT_EQ(form.checked("LEVEL3"), 0);
  EXPECT_EQ(fakes.canvas.calls, (Lines{Pic(2, -2, 0), Pic(2, -1, 0), Pic(2, 0, 0)}));
  fakes.canvas.clear();
  form.GAME_KIND = KIND_COM;
  form.menu_click("LEVEL2");
  EXPECT_EQ(form.checked("LEVEL1"), 0);
  EXPECT_EQ(form.checked("LEVEL2"), 1);
  EXPECT_EQ(fakes.canvas.calls.back(), Txt(15, 0, 0, " 2", 12));
  form.menu_click("LEVEL4");
  EXPECT_EQ(form.COM_LEVEL, 4);
  EXPECT_EQ(form.checked("LEVEL2"), 0);
  EXPECT_EQ(form.checked("LEVEL4"), 1);
  EXPECT_EQ(fakes.canvas.calls.back(), Txt(15, 0, 0, " 4", 12));
  form.menu_click("LEVEL6");
  EXPECT_EQ(form.checked("LEVEL4"), 0);
  EXPECT_EQ(form.checked("LEVEL6"), 1);
  EXPECT_EQ(fakes.canvas.calls.back(), Txt(15, 0, 0, " 6", 12));
  // Every choice is written at once, the other settings as they were.
  ASSERT_EQ(fakes.settings.written.size(), 4u);
  EXPECT_EQ(fakes.settings.written[0].level, 1);
  EXPECT_EQ(fakes.settings.written[3].level, 6);
  EXPECT_EQ(fakes.settings.written[3].keika, 1);
  EXPECT_EQ(fakes.settings.written[3].background, HAIKEI_MIDORI);
  // Each level is checked alone and written as its own number.
  for (int level = 1; level <= TOP_LEVEL; ++level) {
    const std::string entry = "LEVEL" + std::to_string(level);
    form.menu_click(entry);
    EXPECT_EQ(fakes.settings.written.back().level, level) << entry;
    for (int other = 1; other <= TOP_LEVEL; ++other)
      EXPECT_EQ(form.checked("LEVEL" + std::to_string(other)), other == level ? 1 : 0) << entry;
  }
}

TEST_F(FormTest, TheKeptLevelIsCheckedAtStartAndWrittenWithTheOtherSettings) {
  fakes.settings.stored.level = 5;
  form.Form_Load();
  EXPECT_EQ(form.COM_LEVEL, 5);
  EXPECT_EQ(form.checked("LEVEL5"), 1);
  EXPECT_EQ(form.checked("LEVEL3"), 0);
  form.menu_click("BGM");
  ASSERT_EQ(fakes.settings.written.size(), 1u);
  EXPECT_EQ(fakes.settings.written[0].level, 5);
}

TEST_F(FormTest, AKeptTopLevelIsTheLevelInPlayAfterARestart) {
  // In the window the top level thinks for its time; here it barely looks,
  // so that its move is told from the other levels'.
  EXPECT_EQ(form.TOP_WINDOW_LIMITS.time_ms, level_limits(TOP_LEVEL).time_ms);
  EXPECT_EQ(form.TOP_WINDOW_LIMITS.nodes, 0u);
  form.TOP_WINDOW_LIMITS = {.nodes = 1};
  fakes.settings.stored.level = TOP_LEVEL;
  load();
  EXPECT_EQ(form.checked("LEVEL" + std::to_string(TOP_LEVEL)), 1);
  EXPECT_EQ(form.checked("LEVEL3"), 0);
  form.menu_click("SENTE");
  form.Form_MouseDown(BUTTON_LEFT, cell_x(3) + 300, cell_y(7) + 300);
  form.Form_MouseDown(BUTTON_LEFT, cell_x(3) + 300, cell_y(6) + 300);
  ASSERT_EQ(form.MOVE_COUNT, 2);
  EXPECT_EQ(fakes.work.runs, 1);
  Position before;
  before.初期設定();
  form.hist.復元(1, before);
  Lookahead reference;
  const std::optional<Candidate> best = reference.think(before, true, {.nodes = 1}).best;
  ASSERT_TRUE(best);
  EXPECT_EQ(form.pos.Board[best->tx][best->ty], best->piece);
  EXPECT_EQ(form.pos.Board[best->fx][best->fy], 0);
}

// The question before a move that leaves one's own king to be taken is on
// unless Korvel.ini says it is off; a file without the line keeps it on,
// and the next file written says so.
TEST(FormSettings, TheKingsWarningIsOnUnlessTheFileSwitchedItOff) {
  const struct {
    int in_file, on;
  } cases[] = {{SettingsValues::NOT_SET, 1}, {0, 0}, {1, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in_file);
    FakePorts fakes;
    fakes.settings.stored.oute = c.in_file;
    const auto form = std::make_unique<Form>(fakes.ports());
    form->Form_Load();
    EXPECT_EQ(form->checked("OUTE_KEIKOKU"), c.on);
    form->menu_click("START");
    form->pos.Board[5][7] = 0;
    form->pos.Board[5][5] = HISHA;  // the lower king open down file 5
    fakes.dialogs.shown.clear();
    form->Form_MouseDown(BUTTON_LEFT, cell_x(3) + 300, cell_y(7) + 300);
    form->Form_MouseDown(BUTTON_LEFT, cell_x(3) + 300, cell_y(6) + 300);
    EXPECT_EQ(fakes.dialogs.shown.size(), c.on == 1 ? 1u : 0u);
    EXPECT_EQ(form->MOVE_COUNT, 1);  // asked, the player plays it all the same
    form->menu_click("SIDOU");
    EXPECT_EQ(fakes.settings.written.back().oute, c.on);
  }
}

// A file of the six-level days names the top as 6; today's files say how
// many levels there were, so that their 6 is today's LEVEL6, and a file
// from a taller ladder than this one keeps only what this one has.
TEST(FormLevels, TheKeptLevelIsTheSameStepOfTheLadderItWasChosenOn) {
  constexpr int N = SettingsValues::NOT_SET;
  struct Row {
    int level, levels, in_play;
  };
  const Row rows[] = {
      {5, N, 5},
      {6, N, TOP_LEVEL},
      {6, TOP_LEVEL, 6},
      {TOP_LEVEL, TOP_LEVEL, TOP_LEVEL},
      {TOP_LEVEL + 1, N, 3},
      {TOP_LEVEL + 1, TOP_LEVEL + 2, 3},
      {TOP_LEVEL + 2, TOP_LEVEL + 2, TOP_LEVEL},
      {N, TOP_LEVEL, 3},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "レベル=" << r.level << " レベル数=" << r.levels);
    FakePorts fakes;
    fakes.settings.stored.level = r.level;
    fakes.settings.stored.levels = r.levels;
    Form form{fakes.ports()};
    form.Form_Load();
    EXPECT_EQ(form.COM_LEVEL, r.in_play);
    for (int n = 1; n <= TOP_LEVEL; ++n) EXPECT_EQ(form.checked("LEVEL" + std::to_string(n)), n == r.in_play ? 1 : 0);
    // The next file written names the level by today's numbers.
    form.menu_click("BGM");
    ASSERT_EQ(fakes.settings.written.size(), 1u);
    EXPECT_EQ(fakes.settings.written[0].level, r.in_play);
    EXPECT_EQ(fakes.settings.written[0].levels, TOP_LEVEL);
  }
}

// Each level of the ladder is a menu entry that chooses it; none is beyond the top.
TEST_F(FormTest, EveryLevelOfTheLadderIsInTheMenuAndChosenByItsEntry) {
  load();
  for (int n = 1; n <= TOP_LEVEL + 1; ++n) {
    const std::string name = "LEVEL" + std::to_string(n);
    EXPECT_EQ(find_menu_entry(name) != nullptr, n <= TOP_LEVEL) << name;
    EXPECT_EQ(form.menu_click(name), n <= TOP_LEVEL ? 1 : 0) << name;
    EXPECT_EQ(form.COM_LEVEL, std::min(n, TOP_LEVEL));
  }
}

TEST_F(FormTest, BlinkUsesTheGuidanceMarkAndWaits) {
  load();
  form.set_checked("SIDOU", 1);
  form.描画_駒点滅(110, 4, 1, 2);
  EXPECT_EQ(fakes.day_timer.waits, (std::vector<double>{0.2, 0.2, 0.2, 0.2}));
  EXPECT_EQ(std::count(fakes.canvas.calls.begin(), fakes.canvas.calls.end(), Box(12, 4, 1)), 4);
  EXPECT_EQ(fakes.canvas.calls[fakes.canvas.calls.size() - 4], Pic(110, 4, 1));
}

TEST_F(FormTest, ClickClosesTheRecordPanel) {
  load();
  form.Form_MouseDown(BUTTON_LEFT, 1300 + 615 * 5 + 10, 100 + 690 * 7 + 10);
  EXPECT_EQ(fakes.record_panel.calls, (Lines{"lists 000", "fields 0"}));
}

}  // namespace
}  // namespace korvel
