// Move entry by mouse: the first click selects a piece on the board or in a
// hand, the second names the destination; the right button promotes.
#include <cmath>

#include "game/form.h"

namespace korvel {

namespace {

inline constexpr int COLOR_SELECTION = COLOR_RED;

}  // namespace

int Form::手番の駒(int code) const {
  return (code <= -10 && pos.SIDE_TO_MOVE == pos.SITA_SIDE) ||
                 (code >= 10 && pos.SIDE_TO_MOVE == pos.UE_SIDE)
             ? 1
             : 0;
}

void Form::Form_MouseDown(int button, double x_twips, double y_twips) {
  棋譜パネル_閉じる();
  ヒント_消去();
  if (KIFU_MODE == 1) {
    if (ports_.dialogs.message(msg::KIFU_STEP.text, msg::KIFU_STEP.title, Dialogs::Buttons::YesNo) ==
        Dialogs::Answer::No) {
      play(SND_KINSHI);
      初期設定();
    }
    return;
  }
  if (pos.GAME_OVER != 0) {
    show(msg::GAME_FINISHED);
    return;
  }
  const int col = static_cast<int>(std::floor((x_twips - BOARD_LEFT) / SQUARE_W));
  const int row = static_cast<int>(std::floor((y_twips - BOARD_TOP) / SQUARE_H));
  if (pos.SIDE_TO_MOVE == SIDE_NONE) {
    play(SND_KINSHI);
    show(msg::NO_GAME);
    return;
  }

  // The turn is announced once after the history was stepped through.
  if (GAME_KIND == KIND_MAN) {
    if (RESUME_PENDING == 1) {
      RESUME_PENDING = 0;
      TURN_START = now();
      if (checked("KEIKA") == 1) Timer1_Enabled(1);
      show(pos.SIDE_TO_MOVE == SIDE_SENTE ? msg::SENTE_TURN : msg::GOTE_TURN);
    }
  } else if (pos.SIDE_TO_MOVE == pos.UE_SIDE) {
    RESUME_PENDING = 0;
    show(msg::RESUME_COM);
    com_ban();
  } else if (RESUME_PENDING == 1) {
    RESUME_PENDING = 0;
    TURN_START = now();
    if (checked("KEIKA") == 1) Timer1_Enabled(1);
    show(msg::MAN_TURN);
  }

  const bool on_board = col >= 1 && col <= 9 && row >= 1 && row <= 9;
  if (!on_board)
    盤外_クリック(col, row);
  else if (CLICK_PHASE == 0)
    盤_初回クリック(col, row);
  else
    盤_二回目クリック(button, col, row);
}

void Form::案内_表示(int colour) {
  描画_移動可能桝色(pos, SIDOU_ON, move_drawing_, SEL_X, SEL_Y, GUIDE_COLOR, SEL_PIECE);
  screen.描画_桝輪郭(colour, SEL_X, SEL_Y);
  GUIDE_SHOWN = 1;
}

void Form::案内_消去() {
  // Only marks still on the screen: those of a piece that has moved since
  // would be worked out on the new position and hit other frames.
  if (GUIDE_SHOWN == 0) return;
  描画_移動可能桝色(pos, SIDOU_ON, move_drawing_, SEL_X, SEL_Y, COLOR_GREEN, SEL_PIECE);
  screen.描画_桝輪郭(COLOR_GREEN, SEL_X, SEL_Y);
  GUIDE_SHOWN = 0;
  危険_描画();
}

void Form::盤_初回クリック(int col, int row) {
  const int code = pos.Board[col][row];
  if (code == 0) return;
  案内_消去();
  SEL_X = col;
  SEL_Y = row;
  SEL_PIECE = code;
  if (手番の駒(SEL_PIECE) == 1) {
    案内_表示(COLOR_SELECTION);
    CLICK_PHASE = 1;
  } else {
    // An opponent's piece only shows where it could go.
    案内_表示(GUIDE_COLOR);
  }
}

void Form::盤_二回目クリック(int button, int col, int row) {
  TARGET_X = col;
  TARGET_Y = row;
  const bool wrong_hand = (pos.SIDE_TO_MOVE == pos.SITA_SIDE && SEL_X == HAND_X_UE) ||
                          (pos.SIDE_TO_MOVE == pos.UE_SIDE && SEL_X == HAND_X_SITA);
  if (wrong_hand) {
    案内_消去();
    CLICK_PHASE = 0;
    return;
  }
  const int target = pos.Board[TARGET_X][TARGET_Y];
  if (手番の駒(target) == 1) {
    案内_消去();
    SEL_X = TARGET_X;
    SEL_Y = TARGET_Y;
    SEL_PIECE = target;
    案内_表示(COLOR_SELECTION);
    return;
  }
  if (pos.移動チェック(SEL_X, SEL_Y, TARGET_X, TARGET_Y, SEL_PIECE) == 0) {
    play(SND_KINSHI);
    CLICK_PHASE = 0;
    描画_将棋盤桝();
    // A hand cell is no board square: its red frame would say it is still chosen.
    if (SEL_X == HAND_X_SITA || SEL_X == HAND_X_UE) screen.描画_桝輪郭(COLOR_GREEN, SEL_X, SEL_Y);
    GUIDE_SHOWN = 0;
    return;
  }
  if (移動後チェック(TARGET_Y, SEL_PIECE) == 0 && button != BUTTON_RIGHT) {
    // The selection stays, so the same square can be right-clicked next.
    play(SND_KINSHI);
    show(msg::PROMOTE_RIGHT);
    return;
  }
  if (RETRY_PLY != 0) {
    // A second try is judged, never played.
    やり直し_着手(button);
    return;
  }
  if (王手放置_確認(button) == 1) {
    // Not played: nothing changes but that nothing is selected.
    案内_消去();
    CLICK_PHASE = 0;
    return;
  }
  人間_着手(button);
}

void Form::人間_着手(int button) {
  経過秒_更新();
  // Each side's move is booked on its own clock.
  const bool lower = pos.SIDE_TO_MOVE == pos.SITA_SIDE;
  const double sita_after = lower ? TIME_SITA + THINK_TIME : TIME_SITA;
  const double ue_after = lower ? TIME_UE : TIME_UE + THINK_TIME;
  hist.手順保存(pos, TIME_SITA, sita_after, TIME_UE, ue_after);
  MOVE_COUNT += 1;
  描画_手数(MOVE_COUNT, COLOR_WHITE);
  CLICK_PHASE = 0;
  screen.描画_桝輪郭(COLOR_GREEN, TARGET_X, TARGET_Y);
  案内_消去();  // before promoting: the marks shown were the piece's as selected
  int promotes = 0;
  if (button == BUTTON_RIGHT && pos.調査_駒成(SEL_X, SEL_Y, TARGET_X, TARGET_Y, SEL_PIECE) == 1) {
    SEL_PIECE = pos.PROMOTED_CODE;
    promotes = 1;
  }
  if (SEL_X < 0) SEL_Y = 8 - SEL_Y;  // the upper hand's screen row to its slot
  const int captured = pos.Board[TARGET_X][TARGET_Y];
  pos.駒移動(SEL_X, SEL_Y, TARGET_X, TARGET_Y, SEL_PIECE, &move_drawing_);
  play(SND_KOMAUCHI);
  hist.HIST_INDEX += 1;
  描画_移動結果(SEL_PIECE >= 10 ? pos.UE_SIDE : pos.SITA_SIDE, TARGET_X, TARGET_Y, SEL_PIECE, COLOR_WHITE, promotes);
  TIME_SITA = sita_after;
  TIME_UE = ue_after;

  if (GAME_KIND == KIND_COM) {
    Timer1_Enabled(0);
    最新局面保存(TIME_SITA, TIME_UE, lower ? MOVER_UE : MOVER_SITA);
    Engine eng = engine();
    eng.勢力調査();
    if (eng.詰めかCOM() == 1 || captured == OU) {
      pos.GAME_OVER = pos.SITA_SIDE;
      危険_更新();
      対局_保存();  // with its result
      show(msg::YOU_WIN);
    } else {
      対局_保存();
      pos.SIDE_TO_MOVE = pos.UE_SIDE;
      危険_更新();
      com_ban();
    }
    return;
  }
  pos.SIDE_TO_MOVE = -pos.SIDE_TO_MOVE;
  危険_更新();
  TURN_START = now();
  最新局面保存(TIME_SITA, TIME_UE, lower ? MOVER_UE : MOVER_SITA);
  対局_保存();
  // By the winner's side value, whichever pieces they had.
  if (pos.GAME_OVER != 0) show(pos.GAME_OVER == SIDE_SENTE ? msg::SENTE_WINS : msg::GOTE_WINS);
}

void Form::盤外_クリック(int col, int row) {
  案内_消去();
  int slot = 0, owner_side = 0, piece = 0;
  if (col == HAND_X_SITA && row >= 3 && row <= 9) {
    slot = row - 2;
    if (pos.HAND_SITA[slot] <= 0) return;
    owner_side = pos.SITA_SIDE;
    piece = -HAND_PIECE[slot];
  } else if (col == HAND_X_UE && row >= 1 && row <= 7) {
    slot = 8 - row;
    if (pos.HAND_UE[slot] <= 0) return;
    owner_side = pos.UE_SIDE;
    piece = HAND_PIECE[slot];
  } else {
    return;
  }
  // Either hand may be picked up; the wrong one is let go at the next click.
  pos.調査_2歩フラグ設定();
  CLICK_PHASE = 1;
  SEL_X = col;
  SEL_Y = row;
  SEL_PIECE = piece;
  案内_表示(pos.SIDE_TO_MOVE == owner_side ? COLOR_SELECTION : GUIDE_COLOR);
}

}  // namespace korvel
