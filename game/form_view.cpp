// Drawing through the window's state, and the board view command "反転".
#include <utility>

#include "game/form.h"
#include "ui/pictures.h"

namespace korvel {

void Form::画面_再描画() {
  HINT_SHOWN = 0;  // every frame is drawn anew
  screen.描画_背景(screen.HAIKEI_CODE);
  screen.描画_桝_数値();
  screen.描画_自持盤(pos);
  screen.描画_敵持盤(pos);
  screen.描画_盤(pos);
  描画_所有時間(pos.UE_SIDE, TIME_UE);
  描画_所有時間(pos.SITA_SIDE, TIME_SITA);
  if (GAME_KIND == KIND_COM) screen.描画_レベル(COM_LEVEL);
  if (HANDICAP_SET == 1) screen.描画_ハンデレベル(HANDICAP_GRADE);
  screen.描画_絵(PIC_KORVEL, 10.8, 0);
  危険_更新();
}

void Form::描画_手数(int n, int /*unused_colour*/) { screen.描画_手数(n); }

void Form::描画_所有時間(int side, double seconds) {
  screen.描画_所有時間(side, seconds, checked("KEIKA"), pos);
}

void Form::消去_所有時間(int side) { screen.消去_所有時間(side, pos); }

void Form::消去_思考中() { screen.消去_思考中(); }

void Form::消去_移動結果(int side) { screen.消去_移動結果(side, pos); }

void Form::描画_駒点滅(int code, double c, double r, int n) {
  screen.描画_駒点滅(code, c, r, n, checked("SIDOU"), ports_.day_timer);
}

void Form::描画_ハンデレベル(int grade) { screen.描画_ハンデレベル(grade); }

void Form::待ち時間(double seconds) { ports_.day_timer.wait(seconds); }


void Form::描画_移動結果(int side, int tx, int ty, int piece, int colour, int promotes) {
  screen.描画_移動結果(side, tx, ty, piece, colour, pos, promotes);
}

void Form::最終手_表示(int side) {
  const bool upper = side == pos.UE_SIDE;
  for (int n = History::上限(hist.HIST_INDEX); n >= 1; --n) {
    const MoveResult m = hist.調査_移動結果(n);
    if (m.piece != 0 && (m.piece > 0) == upper) {
      描画_移動結果(side, m.x, m.y, m.piece, COLOR_WHITE, m.promoted);
      return;
    }
  }
  消去_移動結果(side);
}

void Form::文字_再描画() {
  // A number stands there once a game or a record is under way.
  if (pos.SIDE_TO_MOVE != SIDE_NONE || MOVE_COUNT > 0) 描画_手数(MOVE_COUNT);
  最終手_表示(pos.UE_SIDE);
  最終手_表示(pos.SITA_SIDE);
  if (KIFU_MODE == 1) screen.描画_棋譜見出し_再描画();
}

void Form::REVERSE_Click() {
  if (KIFU_MODE == 1) {
    play(SND_KINSHI);
    show(msg::REVERSE_IN_KIFU);
    return;
  }
  REVERSED = 1;
  CLICK_PHASE = 0;
  GUIDE_SHOWN = 0;  // the repaint below takes every mark away
  int copy[10][10];
  for (int x = 0; x <= 9; ++x)
    for (int y = 0; y <= 9; ++y) copy[x][y] = pos.Board[x][y];
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      // Every piece changes owner as well as place.
      const int code = copy[x][y];
      pos.Board[10 - x][10 - y] = code <= -10 || code >= 10 ? -code : 0;
    }
  for (int k = 1; k <= 7; ++k) std::swap(pos.HAND_SITA[k], pos.HAND_UE[k]);
  // The totals follow the hands, or the computer would judge its hand empty.
  std::swap(pos.HAND_COUNT_SITA, pos.HAND_COUNT_UE);
  画面_再描画();
  描画_手数(MOVE_COUNT);
  if (HANDICAP_SET == 1) {
    HANDICAP_GRADE = -HANDICAP_GRADE;
    描画_ハンデレベル(HANDICAP_GRADE);
  }
  play(SND_KOMAUCHI);
  pos.SIDE_TO_MOVE = -pos.SIDE_TO_MOVE;
  hist.HIST_INDEX = 0;
  hist.HIST_LAST = 0;
  // The store begins again from the turned position: so does the kept game.
  KEPT_NAME.clear();
}

}  // namespace korvel
