// The review of a game through the window model: the graph window filled in,
// a move chosen and its best move framed, a second try at the bad move, the
// marks in KIF; and the frames of 当たり表示.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <thread>

#include "game/form.h"
#include "tests/game/fake_ports.h"

namespace korvel {
namespace {

struct ReviewTest : ::testing::Test {
  testing::FakePorts fakes;
  std::unique_ptr<Form> owned = std::make_unique<Form>(fakes.ports());
  Form& form = *owned;

  void SetUp() override {
    form.Form_Load();
    form.SND_KINSHI = 41;
    form.REVIEW_BUDGET = 20000;
  }
  void click(int c, int r, int button = BUTTON_LEFT) {
    form.Form_MouseDown(button, cell_x(c) + 300, cell_y(r) + 300);
  }
  void move(int fx, int fy, int tx, int ty, int button = BUTTON_LEFT) {
    click(fx, fy);
    click(tx, ty, button);
  }
  int frame(int c, int r) const {
    return fakes.canvas.last_outline.at({std::lround(cell_x(c)), std::lround(cell_y(r))});
  }
  std::string last_box() const {
    return fakes.dialogs.shown.empty() ? "" : fakes.dialogs.shown.back().text + "|" + fakes.dialogs.shown.back().title;
  }
  int refusals() const {
    return static_cast<int>(std::count(fakes.sound.calls.begin(), fakes.sound.calls.end(), "play 41"));
  }
  void finish_review() {
    for (int i = 0; i < 3000 && form.検討_経過() == 1; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
};

// From a diagram: the lower king steps into the upper rook's line round the
// board, the upper side does not take it, the lower rook takes the rook.
constexpr char SEAM_GAME[] =
    "後手の持駒：なし\n"
    "  ９ ８ ７ ６ ５ ４ ３ ２ １\n"
    "+---------------------------+\n"
    "| ・ ・ ・ ・v玉 ・ ・ ・ ・|一\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|二\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|三\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|四\n"
    "| ・ ・ ・ ・ ・ ・v歩 ・v飛|五\n"
    "| ・ ・ ・ ・ 玉 ・ ・ ・ ・|六\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|七\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|八\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ 飛|九\n"
    "+---------------------------+\n"
    "先手の持駒：なし\n"
    "手数----指手---------消費時間--\n"
    "   1 ５五玉(56)\n"
    "   2 ５二玉(51)\n"
    "   3 １五飛(19)\n";

TEST_F(ReviewTest, AKingLeftOpenAcrossTheSeamIsMarkedShownAndTriedAgain) {
  form.menu_click("KENTOU");  // nothing to review yet
  EXPECT_EQ(refusals(), 1);
  EXPECT_EQ(fakes.review.opened, 0);

  fakes.clipboard.held = SEAM_GAME;
  form.menu_click("KIFU_PASTE");
  form.menu_click("KENTOU");
  EXPECT_EQ(fakes.review.opened, 1);
  EXPECT_EQ(fakes.review.plies, 3);
  finish_review();
  ASSERT_EQ(fakes.review.rows.size(), 3u);
  EXPECT_EQ(fakes.review.done, fakes.review.total);
  EXPECT_EQ(fakes.review.rows[0].mark, MARK_大悪手);
  EXPECT_LT(fakes.review.rows[0].lower_after, 1);
  EXPECT_GE(fakes.review.rows[1].mark, MARK_悪手);  // the king not taken
  EXPECT_EQ(fakes.review.rows[2].mark, MARK_NONE);
  EXPECT_EQ(fakes.review.rows[0].text, "   1 ５五玉(56)　大悪手");
  EXPECT_EQ(fakes.review.counts.substr(0, fakes.review.counts.find('\n')), "先手　大悪手 1　悪手 0　疑問手 0　緩手 0");

  // Chosen in the graph: the position it was played from, its best move framed.
  form.検討_選択(1);
  EXPECT_EQ(form.KIFU_MODE, 1);
  EXPECT_EQ(form.pos.Board[5][6], -OU);
  EXPECT_EQ(fakes.review.caption, "1手目　▲５五玉(56)　大悪手　最善 １五飛(19)");
  EXPECT_EQ(form.HINT_SHOWN, 1);
  EXPECT_EQ(frame(9, 5), COLOR_HINT);

  // The KIF copied says what the review found under the move.
  form.menu_click("KIFU_COPY");
  EXPECT_NE(fakes.clipboard.held.find("\n*【大悪手】 評価値 -"), std::string::npos) << fakes.clipboard.held;

  // A second try at each bad move, either side's between two people.
  form.悪手やり直し();
  EXPECT_EQ(form.RETRY_PLY, 1);
  EXPECT_EQ(form.HINT_SHOWN, 0);  // the answer is kept back until the try
  move(9, 9, 9, 5);
  EXPECT_EQ(last_box(), "良い手です|悪手をやり直す");
  EXPECT_EQ(form.RETRY_PLY, 2);
  EXPECT_EQ(form.pos.Board[5][5], -OU);  // the move tried is gone again
  move(9, 5, 5, 5);  // round the board, onto the king
  EXPECT_EQ(last_box(), "やり直す悪手はもうありません|悪手をやり直す");
  EXPECT_EQ(form.RETRY_PLY, 0);
  EXPECT_EQ(form.hist.HIST_LAST, 3);  // the game stored is as it was

  // Played on from another position, the game is another: the review goes.
  form.検討_選択(1);
  form.menu_click("START");
  move(5, 6, 5, 7);
  form.検討_選択(2);
  EXPECT_EQ(fakes.review.closed, 1);
  EXPECT_EQ(last_box(), "対局が変わったので、検討を閉じます|検討");
  form.menu_click("REVERSE");
  form.menu_click("KENTOU");
  EXPECT_EQ(fakes.review.opened, 1);
  EXPECT_EQ(refusals(), 2);
}

TEST_F(ReviewTest, HangingPiecesAreFramedOnlyWithTheOptionAndItIsKept) {
  form.menu_click("START");
  // An upper rook on rank 5 runs round past file 1 to a lower silver that
  // nothing defends; the lower side is to move.
  for (int x = 1; x <= 9; ++x)
    for (int y = 4; y <= 6; ++y) form.pos.Board[x][y] = 0;
  form.pos.Board[2][5] = HISHA;
  form.pos.Board[6][5] = -GIN;
  form.pos.Board[4][5] = HU;  // the short way round is shut
  form.画面_再描画();
  EXPECT_EQ(frame(6, 5), COLOR_GREEN);
  form.menu_click("ATARI");
  EXPECT_EQ(frame(6, 5), COLOR_HANGING);
  EXPECT_EQ(fakes.settings.written.back().atari, 1);
  // A move later it is the upper side's turn: its own rook stands safe.
  move(6, 5, 6, 4);
  EXPECT_EQ(frame(6, 4), COLOR_GREEN);
  form.menu_click("ATARI");
  EXPECT_EQ(fakes.settings.written.back().atari, 0);
}

}  // namespace
}  // namespace korvel
