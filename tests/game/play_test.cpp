// Games played through the window model's handlers only: menu choices,
// presses in twips and timer ticks, against fake ports.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/form.h"
#include "tests/game/fake_ports.h"

namespace korvel {
namespace {

using testing::Box;
using testing::FakePorts;
using testing::Pic;
using testing::Txt;
using Lines = std::vector<std::string>;

constexpr int KINSHI = 41, KOMA = 42;

struct PlayTest : ::testing::Test {
  FakePorts fakes;
  std::unique_ptr<Form> owned = std::make_unique<Form>(fakes.ports());
  Form& form = *owned;

  void SetUp() override {
    form.Form_Load();
    form.SND_KINSHI = KINSHI;
    form.SND_KOMAUCHI = KOMA;
    forget();
  }
  void forget() {
    fakes.canvas.clear();
    fakes.sound.calls.clear();
    fakes.dialogs.shown.clear();
    fakes.day_timer.waits.clear();
  }
  void click(double c, double r, int button = BUTTON_LEFT) {
    form.Form_MouseDown(button, cell_x(c) + 300, cell_y(r) + 300);
  }
  void move(int fx, int fy, int tx, int ty, int button = BUTTON_LEFT) {
    click(fx, fy);
    click(tx, ty, button);
  }
  // "text|title" of every message box so far.
  Lines boxes() const {
    Lines out;
    for (const auto& b : fakes.dialogs.shown) out.push_back(b.text + "|" + b.title);
    return out;
  }
  int plays(int buffer) const {
    return static_cast<int>(std::count(fakes.sound.calls.begin(), fakes.sound.calls.end(),
                                       "play " + std::to_string(buffer)));
  }
  bool drew(const std::string& line) const {
    return std::find(fakes.canvas.calls.begin(), fakes.canvas.calls.end(), line) != fakes.canvas.calls.end();
  }
  // What the screen shows on each square is the board, and once a move has
  // been made the newest history entry is the position on screen.
  void expect_consistent() {
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y) {
        const auto shown = fakes.canvas.last_picture.find({std::lround(cell_x(x)), std::lround(cell_y(y))});
        ASSERT_NE(shown, fakes.canvas.last_picture.end());
        ASSERT_EQ(shown->second, form.pos.Board[x][y]) << x << "," << y;
        if (form.MOVE_COUNT > 0) {
          ASSERT_EQ(form.hist.HIST_BOARD[form.hist.HIST_INDEX][x][y], form.pos.Board[x][y]) << x << "," << y;
        }
      }
    ASSERT_EQ(form.hist.HIST_LAST, form.hist.HIST_INDEX);
    ASSERT_EQ(form.MOVE_COUNT, form.hist.HIST_INDEX);
  }
  void clear_upper_pieces() {
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y)
        if (form.pos.Board[x][y] >= 10) form.pos.Board[x][y] = 0;
  }
};

TEST_F(PlayTest, SenteGivesTheHumanTheFirstMoveAndTheComputerAnswers) {
  form.menu_click("SENTE");
  EXPECT_EQ(boxes(), Lines{"MANの番です| "});
  EXPECT_EQ(form.pos.SITA_SIDE, 1);
  EXPECT_EQ(form.pos.UE_SIDE, -1);
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, 1);
  EXPECT_EQ(form.GAME_KIND, KIND_COM);
  EXPECT_EQ(fakes.clock_timer.running, 1);
  EXPECT_EQ(form.hist.HIST_INDEX, 0);  // the computer waits
  EXPECT_TRUE(drew(Txt(15, 0, 0, " 3", 12)));

  forget();
  fakes.day_timer.seconds = 7;  // the human thinks seven seconds
  move(3, 7, 3, 6);
  EXPECT_EQ(form.pos.Board[3][6], -10);
  EXPECT_EQ(form.MOVE_COUNT, 2);
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, form.pos.SITA_SIDE);
  EXPECT_DOUBLE_EQ(form.TIME_SITA, 7);
  EXPECT_EQ(plays(KOMA), 2);
  EXPECT_TRUE(drew(Txt(15, -1.6, 8.4, "思考中", 12)));
  // Two blinks of 0.2 + 0.2 s, then the half-second pause after the move.
  EXPECT_EQ(fakes.day_timer.waits, (std::vector<double>{0.2, 0.2, 0.2, 0.2, 0.5}));
  // The human's move as text on the right; the reply framed white on the board.
  EXPECT_TRUE(drew(Txt(15, 12.4, 2.4, "７", 12)));
  EXPECT_TRUE(drew(Txt(15, 12.8, 2.4, "六", 12)));
  EXPECT_TRUE(drew(Txt(15, 13.4, 2.4, "歩", 12)));
  int white = 0;
  for (const auto& [corner, colour] : fakes.canvas.last_outline) white += colour == COLOR_WHITE;
  EXPECT_EQ(white, 1);
  EXPECT_EQ(fakes.clock_timer.running, 1);
  EXPECT_TRUE(boxes().empty());
  expect_consistent();
  // Both positions of the game are kept, with the human's seven seconds.
  EXPECT_DOUBLE_EQ(form.hist.HIST_TIME_SITA_AFTER[0], 7);
  EXPECT_EQ(form.hist.HIST_BOARD[1][3][6], -10);
}

TEST_F(PlayTest, TheTopLevelThinksAwayFromTheWindowWithItsClockRunningAndTakesTheKing) {
  form.TOP_WINDOW_LIMITS = {.depth = 3};
  form.menu_click("LEVEL" + std::to_string(TOP_LEVEL));
  form.menu_click("SENTE");
  EXPECT_TRUE(drew(Txt(15, 0, 0, " " + std::to_string(TOP_LEVEL), 12)));
  forget();
  fakes.work.seconds = 1.5;
  move(3, 7, 3, 6);
  EXPECT_EQ(fakes.work.runs, 1);
  EXPECT_EQ(form.MOVE_COUNT, 2);
  // Its clock went on while it thought, and it is charged what it took.
  EXPECT_TRUE(drew(Txt(15, -1.6, 9.2, "00:00:01", 12)));
  EXPECT_DOUBLE_EQ(form.TIME_UE, 1.5);
  // After the search all is as at the other levels: blinks, pause, click.
  EXPECT_EQ(fakes.day_timer.waits, (std::vector<double>{0.2, 0.2, 0.2, 0.2, 0.5}));
  EXPECT_EQ(plays(KOMA), 2);
  expect_consistent();

  // The human's king left open down file 5: asked, the human plays on, and
  // the computer takes it.
  form.pos.Board[5][7] = 0;
  form.pos.Board[5][5] = HISHA;
  forget();
  move(1, 7, 1, 6);
  EXPECT_EQ(form.pos.Board[5][9], RYU);  // promoted on the way in
  EXPECT_EQ(form.pos.GAME_OVER, form.pos.UE_SIDE);
  EXPECT_EQ(boxes(), (Lines{"王が取られる手です。指しますか？|確認", "ｺﾝﾋﾟｭｰﾀの勝ちです|終了"}));
}

TEST_F(PlayTest, GoteLetsTheComputerOpenAndFinishedGamesRestartFromTheBeginning) {
  form.menu_click("GOTE");
  EXPECT_EQ(form.pos.UE_SIDE, 1);
  EXPECT_EQ(form.pos.SITA_SIDE, -1);
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, -1);
  EXPECT_EQ(form.MOVE_COUNT, 1);
  EXPECT_TRUE(boxes().empty());
  expect_consistent();

  form.pos.GAME_OVER = 1;
  click(5, 5);
  EXPECT_EQ(boxes(), Lines{"新規に対局してください|終局"});
  form.menu_click("SENTE");
  EXPECT_EQ(form.MOVE_COUNT, 0);
  EXPECT_EQ(form.pos.GAME_OVER, 0);
  Position fresh;
  fresh.初期設定();
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) EXPECT_EQ(form.pos.Board[x][y], fresh.Board[x][y]);
}

TEST_F(PlayTest, ClicksBeforeAGameAndAroundTheBoardMapToCellsByFloor) {
  click(5, 7);
  EXPECT_EQ(boxes(), Lines{"「対局」で始めて下さい|開始"});
  EXPECT_EQ(plays(KINSHI), 1);

  form.menu_click("START");
  form.pos.HAND_UE[1] = 1;
  form.pos.HAND_SITA[7] = 1;
  struct Case {
    double x, y;
    int phase, sel_x, sel_y;
  };
  const Case cases[] = {
      {1300 - 615 + 5, cell_y(7) + 5, 1, -1, 7},  // the strip left of the board: upper hand
      {1300 - 615 - 1, cell_y(1) + 5, 1, -1, 7},  // x below 685: column -2, nothing picked
      {cell_x(11) + 5, cell_y(9) + 5, 1, 11, 9},  // the lower hand's rook
      {cell_x(11) + 5, cell_y(2) + 5, 1, 11, 9},  // above the lower hand
  };
  for (const Case& c : cases) {
    form.Form_MouseDown(BUTTON_LEFT, c.x, c.y);
    EXPECT_EQ(form.CLICK_PHASE, c.phase) << c.x;
    EXPECT_EQ(form.SEL_X, c.sel_x) << c.x;
    EXPECT_EQ(form.SEL_Y, c.sel_y) << c.x;
  }
  EXPECT_EQ(form.SEL_PIECE, -900);
}

TEST_F(PlayTest, SelectionPromotionAndDropsInATwoHumanGame) {
  form.menu_click("START");
  EXPECT_EQ(boxes(), Lines{"先手の番です| "});
  auto& B = form.pos.Board;
  B[4][2] = -10;  // a lower pawn one step from the last rank
  B[1][5] = -100;
  form.pos.HAND_UE[5] = 1;
  forget();

  // Re-selection is silent; the other side's hand is let go silently.
  click(3, 7);
  click(4, 7);
  EXPECT_EQ(form.SEL_X, 4);
  click(-1, 3);
  click(5, 5);
  EXPECT_EQ(form.CLICK_PHASE, 0);
  EXPECT_TRUE(fakes.sound.calls.empty());
  EXPECT_TRUE(boxes().empty());

  // The last rank needs the right button.
  move(4, 2, 4, 1);
  EXPECT_EQ(boxes(), Lines{"マウスの右をクリックして下さい|成り"});
  EXPECT_EQ(plays(KINSHI), 1);
  EXPECT_EQ(form.CLICK_PHASE, 1);
  click(4, 1, BUTTON_RIGHT);
  EXPECT_EQ(B[4][1], -11);
  EXPECT_EQ(form.pos.HAND_SITA[5], 1);
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, -1);

  // The upper side drops its gold from the hand.
  click(-1, 3);
  click(5, 5);
  EXPECT_EQ(B[5][5], 110);
  EXPECT_EQ(form.pos.HAND_UE[5], 0);

  // A right click on a silver move outside the zone is the plain move; an
  // illegal target is refused and the frames go back to plain.
  move(1, 5, 2, 4, BUTTON_RIGHT);
  EXPECT_EQ(B[2][4], -100);
  move(5, 3, 5, 6);
  EXPECT_EQ(plays(KINSHI), 2);
  EXPECT_EQ(form.CLICK_PHASE, 0);
  EXPECT_EQ(form.MOVE_COUNT, 3);
  expect_consistent();
}

TEST_F(PlayTest, KingCapturesEndTheGameWithTheWinnersMessage) {
  struct Case {
    const char* start;
    int fx, fy, tx, ty;
    const char* message;
    bool own_king_open = false;  // the mover's king can be taken: still no question
  };
  const Case cases[] = {
      {"SENTE", 5, 2, 5, 1, "あなたの勝ちです|終了"},
      {"START", 5, 2, 5, 1, "先手の勝ちです|終了"},
      {"START", 5, 8, 5, 9, "後手の勝ちです|終了"},
      {"SENTE", 5, 2, 5, 1, "あなたの勝ちです|終了", true},
      {"START", 5, 2, 5, 1, "先手の勝ちです|終了", true},
      {"START", 5, 8, 5, 9, "後手の勝ちです|終了", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.message << (c.own_king_open ? ", own king open" : ""));
    form.初期設定();
    form.menu_click(c.start);
    if (c.fy == 8) {  // the upper side's turn first
      move(9, 7, 9, 6);
      form.pos.Board[5][8] = 110;
      if (c.own_king_open) form.pos.Board[5][3] = -HISHA;
    } else {
      form.pos.Board[5][2] = -110;
      if (c.own_king_open) form.pos.Board[5][7] = HISHA;
    }
    form.画面_再描画();  // the pieces put by hand are shown
    forget();
    move(c.fx, c.fy, c.tx, c.ty);
    EXPECT_EQ(boxes(), Lines{c.message});
    EXPECT_NE(form.pos.GAME_OVER, 0);
    EXPECT_EQ(form.MOVE_COUNT, c.fy == 8 ? 2 : 1);  // no computer move after the win
    expect_consistent();
  }
}

TEST_F(PlayTest, StepsBackAndForwardReachTheNewestPositionAgain) {
  form.menu_click("START");
  form.menu_click("REPLAY");
  EXPECT_EQ(form.RESUME_PENDING, 1);
  move(3, 7, 3, 6);
  move(7, 3, 7, 4);
  move(8, 8, 3, 8);
  const Position newest = form.pos;
  EXPECT_EQ(boxes(), (Lines{"先手の番です| ", "できません|戻る", "先手の番です|対局"}));
  forget();

  form.menu_click("REPLAY");
  form.menu_click("REPLAY");
  EXPECT_EQ(form.hist.HIST_INDEX, 1);
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, -1);  // the side that made move 2
  EXPECT_EQ(form.pos.Board[7][3], 10);
  form.menu_click("AFTER");
  EXPECT_EQ(form.pos.Board[7][4], 10);
  EXPECT_TRUE(drew(Txt(15, -1.6, 8.4, "３", 12)));  // move 2's caption: file 3
  EXPECT_TRUE(drew(Txt(15, -1.2, 8.4, "四", 12)));
  form.menu_click("AFTER");
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) EXPECT_EQ(form.pos.Board[x][y], newest.Board[x][y]);
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, -1);
  EXPECT_EQ(form.MOVE_COUNT, 3);
  form.menu_click("AFTER");
  EXPECT_EQ(boxes(), Lines{"できません|進む"});
  EXPECT_EQ(plays(KINSHI), 1);
  EXPECT_EQ(plays(KOMA), 4);

  // Play goes on from the newest position after announcing the turn.
  forget();
  move(7, 4, 7, 5);
  EXPECT_EQ(boxes(), Lines{"後手の番です|対局"});
  EXPECT_EQ(form.pos.Board[7][5], 10);
  expect_consistent();
  // "最初" leaves nothing to step to or to write.
  form.menu_click("CANCEL");
  EXPECT_EQ(form.hist.HIST_LAST, 0);
}

TEST_F(PlayTest, AnotherMoveAfterStepsBackAgainstTheComputerGivesUpTheLineSteppedBackOver) {
  form.menu_click("SENTE");
  move(3, 7, 3, 6);
  move(2, 7, 2, 6);
  ASSERT_EQ(form.MOVE_COUNT, 4);
  for (int n = 0; n < 4; ++n) form.menu_click("REPLAY");
  move(7, 7, 7, 6);  // another first move, and the computer's answer to it
  EXPECT_EQ(form.MOVE_COUNT, 2);
  EXPECT_EQ(form.pos.Board[3][7], -HU);
  forget();
  form.menu_click("AFTER");
  EXPECT_EQ(boxes(), Lines{"できません|進む"});
  EXPECT_EQ(form.MOVE_COUNT, 2);
  // Taken up again with "先手" at a step back, the game gives up the rest too.
  move(2, 7, 2, 6);
  form.menu_click("REPLAY");
  form.menu_click("REPLAY");
  form.menu_click("SENTE");
  forget();
  form.menu_click("AFTER");
  EXPECT_EQ(boxes(), Lines{"できません|進む"});
  expect_consistent();
}

TEST_F(PlayTest, ResumingWithGoteOnTheHumansTurnStartsTheHumansClockThere) {
  form.menu_click("GOTE");
  fakes.day_timer.seconds = 5;
  move(3, 7, 3, 6);
  form.menu_click("REPLAY");
  form.menu_click("REPLAY");
  ASSERT_EQ(form.pos.SIDE_TO_MOVE, form.pos.SITA_SIDE);
  fakes.day_timer.seconds = 100;
  forget();
  form.menu_click("GOTE");
  EXPECT_EQ(boxes(), Lines{"MANの番です|対局"});
  EXPECT_EQ(fakes.clock_timer.running, 1);
  fakes.day_timer.seconds = 103;
  move(7, 7, 7, 6);
  EXPECT_DOUBLE_EQ(form.TIME_SITA, 3);  // not the 98 s since the computer's last move
  EXPECT_EQ(form.MOVE_COUNT, 3);
}

TEST_F(PlayTest, AStepBackAgainstTheComputerAsksBeforeItMovesAgain) {
  form.menu_click("SENTE");
  move(3, 7, 3, 6);
  form.menu_click("REPLAY");
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, form.pos.UE_SIDE);
  EXPECT_EQ(fakes.clock_timer.running, 0);
  forget();
  click(5, 5);
  EXPECT_EQ(boxes(), Lines{"OKですか？|再開(COM)"});
  EXPECT_EQ(form.MOVE_COUNT, 2);
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, form.pos.SITA_SIDE);
  expect_consistent();
}

TEST_F(PlayTest, HandicapStepsChangeOneSquareUntilTheEndsOfTheScale) {
  form.menu_click("LBEL_UP");
  EXPECT_EQ(form.pos.Board[8][2], 0);
  EXPECT_TRUE(drew(testing::Cap(15, 11, 1, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級", 10)));
  EXPECT_TRUE(drew(Pic(0, 8, 2)));
  forget();
  form.menu_click("LEBEL_DOWN");
  EXPECT_EQ(form.pos.Board[8][2], 800);
  // Back at grade 0: an even game again, its caption gone, a record allowed.
  EXPECT_FALSE(drew(testing::Cap(15, 11, 1, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級", 10)));
  EXPECT_TRUE(drew(Pic(form.screen.HAIKEI_CODE, 14, 1)));
  EXPECT_EQ(form.HANDICAP_SET, 0);
  form.menu_click("KIFU_WRITE");
  EXPECT_EQ(fakes.record_panel.calls.back(), "fields 1");
  EXPECT_EQ(plays(KOMA), 1);
  forget();

  for (int i = 0; i < 11; ++i) form.menu_click("LEBEL_DOWN");
  EXPECT_EQ(plays(KOMA), 10);  // the eleventh step changes nothing
  EXPECT_EQ(form.HANDICAP_GRADE, -10);
  EXPECT_EQ(form.HANDICAP_SET, 1);
  EXPECT_TRUE(drew(testing::Cap(15, 11, 1, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人", 10)));
  int lower = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) lower += form.pos.Board[x][y] < 0;
  EXPECT_EQ(lower, 10);  // king and nine pawns
  EXPECT_EQ(form.pos.Board[5][9], -950);

  // Refused in a record, after a move, after turning the board.
  struct Case {
    void (*set)(Form&);
    const char* reason;
  };
  const Case cases[] = {
      {[](Form& f) { f.KIFU_MODE = 1; }, "棋譜ﾓｰﾄﾞではできません"},
      {[](Form& f) { f.hist.HIST_INDEX = 1; }, "対局途中ではできません"},
      {[](Form& f) { f.REVERSED = 1; }, "反転後ではできません"},
  };
  for (const Case& c : cases) {
    form.初期設定();
    c.set(form);
    forget();
    form.menu_click("LBEL_UP");
    EXPECT_EQ(boxes(), Lines{std::string(c.reason) + "\r\r局面→最初にして下さい|ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定"});
    EXPECT_EQ(plays(KINSHI), 1);
    EXPECT_EQ(form.pos.Board[8][2], 800);
    EXPECT_EQ(form.HANDICAP_SET, 0);
  }
}

TEST_F(PlayTest, TheComputerTakingTheKingEndsTheGameAndNoMoveHandsTheTurnBack) {
  form.menu_click("SENTE");
  form.pos.Board[5][8] = 110;  // an upper gold next to the human's king
  move(1, 7, 1, 6);
  EXPECT_EQ(form.pos.Board[5][9], 110);
  EXPECT_EQ(form.pos.GAME_OVER, form.pos.UE_SIDE);
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, form.pos.SITA_SIDE);
  EXPECT_EQ(boxes().back(), "ｺﾝﾋﾟｭｰﾀの勝ちです|終了");
  expect_consistent();

  // A position without a single upper piece: nothing to play, nothing changes.
  form.初期設定();
  clear_upper_pieces();
  const Position before = form.pos;
  forget();
  form.menu_click("GOTE");
  EXPECT_EQ(boxes(), Lines{"ｺﾝﾋﾟｭｰﾀは指せる手がありません。\rあなたの番です|対局"});
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, form.pos.SITA_SIDE);
  EXPECT_EQ(form.MOVE_COUNT, 0);
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) EXPECT_EQ(form.pos.Board[x][y], before.Board[x][y]);
  move(3, 7, 3, 6);
  EXPECT_EQ(form.pos.Board[3][6], -10);
}

TEST_F(PlayTest, GuidanceShowsTheComputersMoveBeforeItBlinks) {
  form.menu_click("SIDOU");
  form.menu_click("SENTE");
  forget();
  move(3, 7, 3, 6);
  EXPECT_EQ(fakes.day_timer.waits.front(), 1);  // the guidance stays a second
  const auto& calls = fakes.canvas.calls;
  const auto thinking = std::find(calls.begin(), calls.end(), Txt(15, -1.6, 8.4, "思考中", 12));
  const auto red = std::find_if(thinking, calls.end(),
                                [](const std::string& s) { return s.rfind("box 12", 0) == 0; });
  ASSERT_NE(red, calls.end());
  EXPECT_EQ(*(red + 1), "refresh");
}

TEST_F(PlayTest, AGameLongerThanTheHistoryStepsThroughEveryStoredEntryAndNoFurther) {
  form.menu_click("START");
  form.hist.HIST_INDEX = 499;
  form.MOVE_COUNT = 499;
  move(3, 7, 3, 6);  // move 500: entries 499 and 500
  move(3, 3, 3, 4);  // move 501, by the upper side: not stored
  EXPECT_EQ(form.hist.HIST_LAST, 500);
  forget();
  form.menu_click("REPLAY");
  EXPECT_EQ(form.MOVE_COUNT, 500);
  EXPECT_EQ(form.pos.Board[3][4], 0);
  EXPECT_EQ(form.pos.SIDE_TO_MOVE, form.pos.UE_SIDE);
  EXPECT_TRUE(drew(Pic(form.screen.HAIKEI_CODE, -1, 8)));  // the upper side's move text goes
  EXPECT_FALSE(drew(Pic(form.screen.HAIKEI_CODE, 13, 2)));

  move(3, 3, 3, 4);
  move(4, 7, 4, 6);
  EXPECT_EQ(form.MOVE_COUNT, 502);
  forget();
  form.menu_click("REPLAY");  // two moves past the store: back to its last entry
  EXPECT_EQ(form.MOVE_COUNT, 500);
  EXPECT_EQ(form.pos.Board[4][6], 0);
  EXPECT_EQ(form.pos.Board[3][3], 10);
  EXPECT_TRUE(drew(Txt(15, 12.4, 2.4, "７", 12)));  // move 500's text is shown again
  form.menu_click("AFTER");
  form.menu_click("REPLAY");
  EXPECT_EQ(boxes(), (Lines{"できません|進む"}));
  EXPECT_EQ(form.MOVE_COUNT, 499);

  // Turned past the store: the history starts afresh from the turned
  // position, where the computer (now on the lower side's army) moves.
  const Position turned_from = form.pos;
  form.menu_click("REVERSE");
  form.menu_click("SENTE");
  EXPECT_EQ(form.MOVE_COUNT, 500);
  forget();
  form.menu_click("AFTER");
  form.menu_click("REPLAY");
  form.menu_click("REPLAY");
  EXPECT_EQ(boxes(), (Lines{"できません|進む", "できません|戻る"}));
  EXPECT_EQ(form.MOVE_COUNT, 499);
  EXPECT_EQ(form.pos.Board[10 - 3][10 - 3], -turned_from.Board[3][3]);
}

using Moves = std::vector<std::array<int, 4>>;

bool same_board(const Position& a, const Position& b) {
  return std::equal(&a.Board[0][0], &a.Board[0][0] + 100, &b.Board[0][0]);
}

// A new game from "先手" in which the human makes these moves; the position
// after each of the computer's answers.
std::vector<Position> new_game(Form& game, const Moves& moves) {
  game.menu_click("CANCEL");
  game.menu_click("SENTE");
  std::vector<Position> seen;
  for (const auto& m : moves) {
    game.Form_MouseDown(BUTTON_LEFT, cell_x(m[0]) + 300, cell_y(m[1]) + 300);
    game.Form_MouseDown(BUTTON_LEFT, cell_x(m[2]) + 300, cell_y(m[3]) + 300);
    seen.push_back(game.pos);
  }
  return seen;
}

// A program started afresh, playing at a level; the top level barely looks,
// so that a level that plays the top level's search shows.
struct Started {
  FakePorts fakes;
  std::unique_ptr<Form> form = std::make_unique<Form>(fakes.ports());
  explicit Started(int level) {
    form->Form_Load();
    form->TOP_WINDOW_LIMITS = {.nodes = 1};
    form->menu_click("LEVEL" + std::to_string(level));
  }
};

TEST(LevelsInTheWindow, LevelFourPlaysTheLookAheadsMoveNotLevelThrees) {
  const Moves opening{{3, 7, 3, 6}};
  const Position four = new_game(*Started(FIRST_LOOKAHEAD_LEVEL).form, opening).back();
  Position before;
  before.初期設定();
  before.駒移動(3, 7, 3, 6, -HU);
  before.調査_2歩フラグ設定();
  Lookahead reference;
  const std::optional<Candidate> best =
      reference.think(before, true, level_limits(FIRST_LOOKAHEAD_LEVEL)).best;
  ASSERT_TRUE(best);
  Position expected = before;
  expected.駒移動(best->fx, best->fy, best->tx, best->ty, best->piece);
  EXPECT_TRUE(same_board(four, expected));
  EXPECT_FALSE(same_board(four, new_game(*Started(3).form, opening).back()));
  EXPECT_FALSE(same_board(four, new_game(*Started(TOP_LEVEL).form, opening).back()));
}

// What the top level's deeper searches leave in the table would change what
// a budget of positions finds: after a game against the top level, a new
// game at a lower level plays as if the program had just started.
TEST(LevelsInTheWindow, ANewGameStartsFromACleanTable) {
  const Moves moves{{3, 7, 3, 6}, {2, 7, 2, 6}, {7, 7, 7, 6}, {4, 9, 3, 8}};
  for (int level = FIRST_LOOKAHEAD_LEVEL; level < TOP_LEVEL; ++level) {
    SCOPED_TRACE(level);
    Started twice(TOP_LEVEL), alone(level);
    twice.form->TOP_WINDOW_LIMITS = {.depth = 3};
    new_game(*twice.form, moves);
    twice.form->menu_click("LEVEL" + std::to_string(level));
    const std::vector<Position> second = new_game(*twice.form, moves), first = new_game(*alone.form, moves);
    for (std::size_t n = 0; n < moves.size(); ++n) EXPECT_TRUE(same_board(second[n], first[n])) << n;
  }
}

class WholeGameTest : public PlayTest, public ::testing::WithParamInterface<int> {};

TEST_P(WholeGameTest, AScriptedHumanPlaysTheComputerToTheEnd) {
  form.menu_click("LEVEL" + std::to_string(GetParam()));
  form.TOP_WINDOW_LIMITS = {.depth = 2};
  form.menu_click("SENTE");
  int moves = 0;
  while (form.pos.GAME_OVER == 0 && form.MOVE_COUNT < 300) {
    expect_consistent();
    if (HasFatalFailure()) return;
    ASSERT_EQ(form.pos.SIDE_TO_MOVE, form.pos.SITA_SIDE);
    form.pos.調査_2歩フラグ設定();
    int m[5] = {};
    bool found = false;
    合法手列挙(form.pos, false, [&](int fx, int fy, int tx, int ty, int piece) {
      if (!found) m[0] = fx, m[1] = fy, m[2] = tx, m[3] = ty, m[4] = piece, found = true;
    });
    ASSERT_TRUE(found);
    fakes.day_timer.seconds += 2;
    const int before = form.MOVE_COUNT;
    move(m[0], m[1], m[2], m[3], BUTTON_RIGHT);
    ASSERT_GT(form.MOVE_COUNT, before);
    ++moves;
  }
  expect_consistent();
  EXPECT_GT(moves, 0);
  EXPECT_NEAR(form.TIME_SITA, 2.0 * moves, 1e-9);
  // Every stored position differs from the one before it by one move.
  for (int n = 1; n <= form.hist.HIST_LAST; ++n) EXPECT_NE(form.hist.調査_移動結果(n).piece, 0) << n;
}

INSTANTIATE_TEST_SUITE_P(Levels, WholeGameTest, ::testing::Values(1, 2, 3, 4, 5, 6, TOP_LEVEL));

}  // namespace
}  // namespace korvel
