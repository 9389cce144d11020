// The king in danger framed, the question before leaving one's own king to
// be taken, and the hint, through the window model's handlers.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "game/form.h"
#include "tests/game/fake_ports.h"

namespace korvel {
namespace {

using Lines = std::vector<std::string>;
constexpr char ASK[] = "王が取られる手です。指しますか？|確認";

struct DangerTest : ::testing::Test {
  testing::FakePorts fakes;
  std::unique_ptr<Form> owned = std::make_unique<Form>(fakes.ports());
  Form& form = *owned;

  void SetUp() override {
    form.Form_Load();
    form.SND_KINSHI = 41;
    form.menu_click("START");
    fakes.dialogs.shown.clear();
  }
  void click(int c, int r) { form.Form_MouseDown(BUTTON_LEFT, cell_x(c) + 300, cell_y(r) + 300); }
  int frame(int c, int r) const {
    return fakes.canvas.last_outline.at({std::lround(cell_x(c)), std::lround(cell_y(r))});
  }
  Lines boxes() const {
    Lines out;
    for (const auto& b : fakes.dialogs.shown) out.push_back(b.text + "|" + b.title);
    return out;
  }
  // Kings on file 8 rank 5, the upper one's side to move or the lower one's,
  // and one line piece of the other side whose line a piece of the mover blocks.
  void set_up(int sign, int line_piece, int lx, int ly, int bx, int by) {
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y) form.pos.Board[x][y] = 0;
    form.pos.Board[8][5] = sign * OU;
    form.pos.Board[5][sign > 0 ? 9 : 1] = -sign * OU;
    form.pos.Board[lx][ly] = -sign * line_piece;
    form.pos.Board[bx][by] = sign * KIN;
    form.pos.Board[5][5] = -sign * HU;  // the line's other way round is shut
    form.pos.SIDE_TO_MOVE = sign > 0 ? form.pos.UE_SIDE : form.pos.SITA_SIDE;
    form.RESUME_PENDING = 0;
    form.画面_再描画();
  }
};

TEST_F(DangerTest, AKingLeftOpenAcrossTheSeamIsQuestionedAndFramed) {
  const struct Case {
    const char* what;
    int sign, line_piece, lx, ly, bx, by, tx, ty;
  } cases[] = {
      // A rook on file 2 runs past file 1 round to file 8 once the gold on
      // file 1 steps aside.
      {"lower king, rook round the rank", -1, HISHA, 2, 5, 1, 5, 1, 6},
      {"upper king, rook round the rank", 1, HISHA, 2, 5, 1, 5, 1, 4},
      // A bishop's diagonal through file 1 re-enters on file 9 and reaches
      // file 8: (2, 2) → (1, 3) → (9, 4) → (8, 5), and its mirror below.
      {"lower king, bishop re-entering", -1, KAKU, 2, 2, 1, 3, 1, 2},
      {"upper king, bishop re-entering", 1, KAKU, 2, 8, 1, 7, 1, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const Dialogs::Answer answer : {Dialogs::Answer::No, Dialogs::Answer::Yes}) {
      set_up(c.sign, c.line_piece, c.lx, c.ly, c.bx, c.by);
      ASSERT_EQ(frame(8, 5), COLOR_GREEN);
      const int moves = form.MOVE_COUNT;
      fakes.dialogs.shown.clear();
      fakes.dialogs.answers = {answer};
      click(c.bx, c.by);
      click(c.tx, c.ty);
      EXPECT_EQ(boxes(), Lines{ASK});
      EXPECT_EQ(fakes.dialogs.shown[0].buttons, Dialogs::Buttons::YesNoDefaultNo);
      EXPECT_EQ(form.CLICK_PHASE, 0);
      if (answer == Dialogs::Answer::No) {
        EXPECT_EQ(form.MOVE_COUNT, moves);
        EXPECT_EQ(form.pos.Board[c.bx][c.by], c.sign * KIN);
        EXPECT_EQ(frame(c.bx, c.by), COLOR_GREEN);  // nothing stays selected
      } else {
        EXPECT_EQ(form.MOVE_COUNT, moves + 1);
        EXPECT_EQ(frame(8, 5), COLOR_DANGER);
      }
    }
    // Stepping back to before the move: nothing in danger any more; and
    // forward onto it again, the king is framed again.
    form.menu_click("REPLAY");
    EXPECT_EQ(frame(8, 5), COLOR_GREEN);
    form.menu_click("AFTER");
    EXPECT_EQ(frame(8, 5), COLOR_DANGER);
  }
}

TEST_F(DangerTest, KingsThatCanBothBeTakenAreBothFramed) {
  set_up(-1, HISHA, 2, 5, 1, 5);
  form.pos.Board[9][1] = -HISHA;  // a lower rook on the upper king's rank
  click(1, 5);
  click(1, 6);  // asked, and played: both kings can be taken now
  EXPECT_EQ(boxes(), Lines{ASK});
  EXPECT_EQ(frame(8, 5), COLOR_DANGER);
  EXPECT_EQ(frame(5, 1), COLOR_DANGER);
}

// Against the computer a move that mates it is not asked about, even with
// one's own king open: the game ends before the computer could take it. A
// silver's step next to the upper king mates promoted and not unpromoted,
// and the question judges the move as it is clicked.
TEST_F(DangerTest, TheQuestionJudgesAMoveIntoTheZonePromotedOnlyWhenRightClicked) {
  form.menu_click("SENTE");
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) form.pos.Board[x][y] = 0;
  auto& b = form.pos.Board;
  b[5][1] = OU;
  b[4][1] = b[6][1] = HU;  // the king's own pawns shut it in
  b[5][3] = -HU;           // guards the square the silver steps to
  b[4][3] = -GIN;
  b[5][9] = -OU;
  b[1][9] = HISHA;  // checks the lower king round rank 9
  form.画面_再描画();
  fakes.dialogs.answers = {Dialogs::Answer::No};
  fakes.dialogs.shown.clear();
  click(4, 3);
  click(5, 2);
  EXPECT_EQ(boxes(), Lines{ASK});
  EXPECT_EQ(b[5][2], 0);
  fakes.dialogs.shown.clear();
  click(4, 3);
  form.Form_MouseDown(BUTTON_RIGHT, cell_x(5) + 300, cell_y(2) + 300);
  EXPECT_EQ(boxes(), Lines{"あなたの勝ちです|終了"});
  EXPECT_EQ(b[5][2], -GIN - 1);
  EXPECT_EQ(form.pos.GAME_OVER, form.pos.SITA_SIDE);
}

// Between two people the upper side drops a pawn from its hand: across the
// rook's line round the seam it shuts the check and nothing is asked; any
// other square leaves the king to be taken.
TEST_F(DangerTest, TheQuestionForADropFromTheUpperHandTriesThePieceDropped) {
  set_up(1, HISHA, 2, 5, 7, 7);
  form.pos.HAND_UE[1] = 1;
  form.pos.HAND_COUNT_UE = 1;
  fakes.dialogs.answers = {Dialogs::Answer::No};
  fakes.dialogs.shown.clear();
  click(-1, 7);
  click(3, 3);
  EXPECT_EQ(boxes(), Lines{ASK});
  EXPECT_EQ(form.pos.HAND_UE[1], 1);
  fakes.dialogs.shown.clear();
  click(-1, 7);
  click(9, 5);
  EXPECT_EQ(boxes(), Lines{});
  EXPECT_EQ(form.pos.Board[9][5], HU);
  EXPECT_EQ(frame(8, 5), COLOR_GREEN);
}

TEST_F(DangerTest, TheWarningCanBeSwitchedOffAndTheCheckIsFramedAllTheSame) {
  form.menu_click("OUTE_KEIKOKU");
  EXPECT_EQ(form.checked("OUTE_KEIKOKU"), 0);
  EXPECT_EQ(fakes.settings.written.back().oute, 0);
  set_up(-1, HISHA, 2, 5, 1, 5);
  click(1, 5);
  click(1, 6);
  EXPECT_EQ(boxes(), Lines{});
  EXPECT_EQ(frame(8, 5), COLOR_DANGER);
  // The upper rook's guidance goes over the frame while it is chosen; let
  // go, the frame is back.
  form.menu_click("SIDOU");
  click(2, 5);
  EXPECT_EQ(frame(8, 5), COLOR_WHITE);
  click(13, 5);
  EXPECT_EQ(frame(8, 5), COLOR_DANGER);
}

TEST_F(DangerTest, TheHintShowsTheLookAheadsMoveAndPlaysNothing) {
  form.HINT_LIMITS = {.depth = 2};
  const Position before = form.pos;
  Lookahead reference;
  const LookaheadResult expected = reference.think(before, false, {.depth = 2});
  ASSERT_TRUE(expected.best);
  form.menu_click("HINT");
  EXPECT_EQ(fakes.work.runs, 1);
  EXPECT_EQ(frame(expected.best->fx, expected.best->fy), COLOR_HINT);
  EXPECT_EQ(frame(expected.best->tx, expected.best->ty), COLOR_HINT);
  EXPECT_EQ(form.MOVE_COUNT, 0);
  EXPECT_TRUE(std::equal(&before.Board[0][0], &before.Board[0][0] + 100, &form.pos.Board[0][0]));
  click(3, 7);  // the next click works as usual, the hint's frames gone
  EXPECT_EQ(form.CLICK_PHASE, 1);
  EXPECT_EQ(frame(expected.best->tx, expected.best->ty), COLOR_GREEN);

  // No hint with no game, in a replay, or on the computer's turn.
  const auto refused = [&](auto set) {
    form.初期設定();
    set(form);
    fakes.sound.calls.clear();
    const int runs = fakes.work.runs;
    form.menu_click("HINT");
    return fakes.work.runs == runs && fakes.sound.calls == Lines{"play 41"};
  };
  EXPECT_TRUE(refused([](Form&) {}));
  EXPECT_TRUE(refused([](Form& f) { f.menu_click("START"); f.KIFU_MODE = 1; }));
  EXPECT_TRUE(refused([](Form& f) {
    f.menu_click("SENTE");
    f.pos.SIDE_TO_MOVE = f.pos.UE_SIDE;
  }));
}

TEST_F(DangerTest, TheHintOfADropFromTheUpperHandFramesItsHandCell) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) form.pos.Board[x][y] = 0;
  auto& b = form.pos.Board;
  b[5][1] = OU;
  b[5][9] = -OU;
  b[4][9] = b[6][9] = -HU;
  b[5][7] = HU;  // a gold dropped on (5, 8) mates
  form.pos.HAND_UE[5] = 1;
  form.pos.HAND_COUNT_UE = 1;
  form.pos.SIDE_TO_MOVE = form.pos.UE_SIDE;
  form.RESUME_PENDING = 0;
  form.画面_再描画();
  form.HINT_LIMITS = {.depth = 2};
  Lookahead reference(18);
  const LookaheadResult expected = reference.think(form.pos, true, form.HINT_LIMITS);
  ASSERT_TRUE(expected.best);
  ASSERT_EQ(expected.best->fx, HAND_X_UE);
  const int slot = expected.best->fy;
  ASSERT_NE(8 - slot, slot);
  form.menu_click("HINT");
  EXPECT_EQ(frame(-1, 8 - slot), COLOR_HINT);  // the hand's rows run upwards from the pawn
  EXPECT_NE(frame(-1, slot), COLOR_HINT);
  EXPECT_EQ(frame(expected.best->tx, expected.best->ty), COLOR_HINT);
}

}  // namespace
}  // namespace korvel
