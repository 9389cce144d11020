// Games and turns: starting a game against the computer or between two
// people, resuming one, and the clock.
#include <cmath>

#include "game/form.h"

namespace korvel {

// Opening the top-level menus only closes the record panel.
void Form::TAIKYOKU_Click() { 棋譜パネル_閉じる(); }
void Form::STOP_Click() { 棋譜パネル_閉じる(); }
void Form::MATCH_MAN_Click() {}
void Form::START2_Click() {}

bool Form::終局か() const {
  if (pos.GAME_OVER != 0) return true;
  if (KIFU_MODE == 0) return false;
  // A record replayed holds no result: a king gone that was there at its
  // start was taken.
  const auto has_king = [](const auto& board, int code) {
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y)
        if (board[x][y] == code) return true;
    return false;
  };
  for (const int king : {static_cast<int>(OU), -static_cast<int>(OU)})
    if (has_king(hist.HIST_BOARD[0], king) && !has_king(pos.Board, king)) return true;
  return false;
}

void Form::再開準備() {
  やり直し_終了();
  // A finished game is not played on: a new one begins.
  if (終局か()) 初期設定();
  // Played on from a record or an earlier position, it is a game of its own.
  if (KIFU_MODE == 1) KEPT_NAME.clear();
}

void Form::COM対局_準備() {
  再開準備();
  screen.描画_棋譜読込み部分消去();
  screen.描画_レベル(COM_LEVEL);
  案内_消去();
  描画_将棋盤桝();
  screen.描画_自持盤(pos);
  CLICK_PHASE = 0;
  GAME_KIND = KIND_COM;
  KIFU_MODE = 0;
  // Play goes on from the position shown; the store holds no later one. Not
  // MOVE_COUNT: after 反転 the store starts again from the turned position.
  hist.HIST_LAST = History::上限(hist.HIST_INDEX);
  // Each game from a clean slate, so that the fixed-budget levels play it as a match does.
  if (lookahead_) lookahead_->clear();
}

void Form::SENTE_Click() {
  COM対局_準備();
  TURN_START = now();
  Timer1_Enabled(1);
  const bool fresh = pos.SIDE_TO_MOVE == SIDE_NONE || MOVE_COUNT == 0;
  if (fresh || pos.SIDE_TO_MOVE == pos.SITA_SIDE) {
    // The human has the lower pieces and moves as 先手.
    pos.SITA_SIDE = SIDE_SENTE;
    pos.UE_SIDE = SIDE_GOTE;
    pos.SIDE_TO_MOVE = SIDE_SENTE;
    show(fresh ? msg::MAN_TURN_NEW : msg::MAN_TURN);
    RESUME_PENDING = 0;
  } else if (pos.SIDE_TO_MOVE == pos.UE_SIDE) {
    com_ban();
  }
}

void Form::GOTE_Click() {
  COM対局_準備();
  // The computer's turn sets TURN_START when it hands the turn over.
  Timer1_Enabled(1);
  if (pos.SIDE_TO_MOVE == SIDE_NONE || MOVE_COUNT == 0) {
    pos.SITA_SIDE = SIDE_GOTE;
    pos.UE_SIDE = SIDE_SENTE;
    pos.SIDE_TO_MOVE = SIDE_SENTE;
    com_ban();
  } else if (pos.SIDE_TO_MOVE == pos.SITA_SIDE) {
    // Otherwise the human would be charged from the last turn before the steps.
    TURN_START = now();
    show(msg::MAN_TURN);
    RESUME_PENDING = 0;
  } else if (pos.SIDE_TO_MOVE == pos.UE_SIDE) {
    com_ban();
  }
}

void Form::START_Click() {
  再開準備();
  screen.描画_棋譜読込み部分消去();
  for (int c = -2; c <= 0; ++c) screen.描画_絵(screen.HAIKEI_CODE, c, 0);
  案内_消去();
  描画_将棋盤桝();
  screen.描画_自持盤(pos);
  TURN_START = now();
  if (checked("KEIKA") == 1) Timer1_Enabled(1);
  GAME_KIND = KIND_MAN;
  // A record being replayed becomes a game from the position shown.
  KIFU_MODE = 0;
  if (pos.SIDE_TO_MOVE == SIDE_NONE || MOVE_COUNT == 0) {
    pos.SITA_SIDE = SIDE_SENTE;
    pos.UE_SIDE = SIDE_GOTE;
    pos.SIDE_TO_MOVE = SIDE_SENTE;
    show(msg::SENTE_TURN_NEW);
  } else {
    show(pos.SIDE_TO_MOVE == SIDE_SENTE ? msg::SENTE_TURN_NEW : msg::GOTE_TURN_NEW);
  }
  RESUME_PENDING = 0;
}

void Form::TOURYO_Click() {
  棋譜パネル_閉じる();
  if (pos.SIDE_TO_MOVE == SIDE_NONE || pos.GAME_OVER != 0 || KIFU_MODE == 1) {
    play(SND_KINSHI);
    show(msg::NOTHING_TO_RESIGN);
    return;
  }
  ヒント_消去();
  案内_消去();
  CLICK_PHASE = 0;
  Timer1_Enabled(0);
  // The game ends at the position shown; against the computer it is always
  // the player who gives up.
  hist.HIST_LAST = History::上限(hist.HIST_INDEX);
  pos.GAME_OVER = GAME_KIND == KIND_COM ? pos.UE_SIDE : -pos.SIDE_TO_MOVE;
  RESIGNED = 1;
  対局_保存();
  if (GAME_KIND == KIND_COM)
    show(msg::COM_WINS);
  else
    show(pos.GAME_OVER == SIDE_SENTE ? msg::SENTE_WINS : msg::GOTE_WINS);
}

// ---- The clock ----------------------------------------------------------------

void Form::Timer1_Enabled(int on) {
  TIMER1_ENABLED = on != 0 ? 1 : 0;
  if (TIMER1_ENABLED == 1)
    ports_.clock_timer.start();
  else
    ports_.clock_timer.stop();
}

void Form::Timer1_Timer() {
  if (TIMER1_ENABLED != 1 || pos.GAME_OVER != 0) return;
  THINK_TIME = 調査_経過秒(TURN_START, ports_.day_timer.now());
  const long long whole = static_cast<long long>(std::floor(THINK_TIME));
  if (whole == CLOCK_SECOND) return;
  CLOCK_SECOND = whole;
  if (pos.SIDE_TO_MOVE == pos.UE_SIDE)
    描画_所有時間(pos.UE_SIDE, TIME_UE + THINK_TIME);
  else if (pos.SIDE_TO_MOVE == pos.SITA_SIDE)
    描画_所有時間(pos.SITA_SIDE, TIME_SITA + THINK_TIME);
  screen.canvas().refresh();
}

void Form::経過秒_更新() {
  // The tick only runs while the clocks are shown; a turn is charged what it
  // really took all the same.
  THINK_TIME = 調査_経過秒(TURN_START, now());
}

void Form::KEIKA_Click() {
  if (checked("KEIKA") == 1) {
    set_checked("KEIKA", 0);
    Timer1_Enabled(0);
    消去_所有時間(pos.SITA_SIDE);
    消去_所有時間(pos.UE_SIDE);
  } else {
    set_checked("KEIKA", 1);
    Timer1_Enabled(1);
    描画_所有時間(pos.UE_SIDE, TIME_UE);
    描画_所有時間(pos.SITA_SIDE, TIME_SITA);
  }
  書込_環境設定ファイル();
}

}  // namespace korvel
