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

void Form::盤_初回クリック(int col, int row) {
  const int code = pos.Board[col][row];
  if (code == 0) return;
  SEL_X = col;
  SEL_Y = row;
  SEL_PIECE = code;
  描画_移動可能桝色(pos, SIDOU_ON, move_drawing_, SEL_X, SEL_Y, GUIDE_COLOR, SEL_PIECE);
  if (手番の駒(SEL_PIECE) == 1) {
    screen.描画_桝輪郭(COLOR_SELECTION, SEL_X, SEL_Y);
    CLICK_PHASE = 1;
  } else {
    // An opponent's piece only shows where it could go.
    screen.描画_桝輪郭(GUIDE_COLOR, SEL_X, SEL_Y);
  }
}

void Form::盤_二回目クリック(int button, int col, int row) {
  TARGET_X = col;
  TARGET_Y = row;
  const bool wrong_hand = (pos.SIDE_TO_MOVE == pos.SITA_SIDE && SEL_X == HAND_X_UE) ||
                          (pos.SIDE_TO_MOVE == pos.UE_SIDE && SEL_X == HAND_X_SITA);
  if (wrong_hand) {
    描画_移動可能桝色(pos, SIDOU_ON, move_drawing_, SEL_X, SEL_Y, COLOR_GREEN, SEL_PIECE);
    screen.描画_桝輪郭(COLOR_GREEN, SEL_X, SEL_Y);
    CLICK_PHASE = 0;
    return;
  }
  const int target = pos.Board[TARGET_X][TARGET_Y];
  if (手番の駒(target) == 1) {
    screen.描画_桝輪郭(COLOR_GREEN, SEL_X, SEL_Y);
    SEL_X = TARGET_X;
    SEL_Y = TARGET_Y;
    SEL_PIECE = target;
    描画_移動可能桝色(pos, SIDOU_ON, move_drawing_, SEL_X, SEL_Y, GUIDE_COLOR, SEL_PIECE);
    screen.描画_桝輪郭(COLOR_SELECTION, SEL_X, SEL_Y);
    return;
  }
  if (pos.移動チェック(SEL_X, SEL_Y, TARGET_X, TARGET_Y, SEL_PIECE) == 0) {
    play(SND_KINSHI);
    CLICK_PHASE = 0;
    描画_将棋盤桝();
    return;
  }
  if (移動後チェック(TARGET_Y, SEL_PIECE) == 0 && button != BUTTON_RIGHT) {
    // The selection stays, so the same square can be right-clicked next.
    play(SND_KINSHI);
    show(msg::PROMOTE_RIGHT);
    return;
  }
  人間_着手(button);
}

void Form::人間_着手(int button) {
  経過秒_更新();
  hist.手順保存(pos, TIME_SITA, TIME_SITA + THINK_TIME, TIME_UE, TIME_UE);
  MOVE_COUNT += 1;
  描画_手数(MOVE_COUNT, COLOR_WHITE);
  const int selected = SEL_PIECE;  // the guidance shown was this piece's
  if (button == BUTTON_RIGHT && pos.調査_駒成(SEL_X, SEL_Y, TARGET_X, TARGET_Y, SEL_PIECE) == 1)
    SEL_PIECE = pos.PROMOTED_CODE;
  CLICK_PHASE = 0;
  screen.描画_桝輪郭(COLOR_GREEN, SEL_X, SEL_Y);
  screen.描画_桝輪郭(COLOR_GREEN, TARGET_X, TARGET_Y);
  描画_移動可能桝色(pos, SIDOU_ON, move_drawing_, SEL_X, SEL_Y, COLOR_GREEN, selected);
  if (SEL_X < 0) SEL_Y = 8 - SEL_Y;  // the upper hand's screen row to its slot
  const int captured = pos.Board[TARGET_X][TARGET_Y];
  pos.駒移動(SEL_X, SEL_Y, TARGET_X, TARGET_Y, SEL_PIECE, &move_drawing_);
  play(SND_KOMAUCHI);
  hist.HIST_INDEX += 1;
  描画_移動結果(SEL_PIECE >= 10 ? pos.UE_SIDE : pos.SITA_SIDE, TARGET_X, TARGET_Y, SEL_PIECE, COLOR_WHITE);

  if (GAME_KIND == KIND_COM) {
    Timer1_Enabled(0);
    TIME_SITA += THINK_TIME;
    最新局面保存(TIME_SITA, TIME_UE);
    Engine eng = engine();
    eng.勢力調査();
    if (eng.詰めかCOM() == 1 || captured == OU) {
      pos.GAME_OVER = pos.SITA_SIDE;
      show(msg::YOU_WIN);
    } else {
      pos.SIDE_TO_MOVE = pos.UE_SIDE;
      com_ban();
    }
    return;
  }
  if (pos.SIDE_TO_MOVE == SIDE_SENTE) {
    pos.SIDE_TO_MOVE = SIDE_GOTE;
    TIME_SITA += THINK_TIME;
  } else if (pos.SIDE_TO_MOVE == SIDE_GOTE) {
    pos.SIDE_TO_MOVE = SIDE_SENTE;
    TIME_UE += THINK_TIME;
  }
  TURN_START = now();
  最新局面保存(TIME_SITA, TIME_UE);
  if (pos.GAME_OVER == pos.SITA_SIDE)
    show(msg::SENTE_WINS);
  else if (pos.GAME_OVER == pos.UE_SIDE)
    show(msg::GOTE_WINS);
}

void Form::盤外_クリック(int col, int row) {
  if (SEL_PIECE >= 10 || SEL_PIECE <= -10) {
    描画_移動可能桝色(pos, SIDOU_ON, move_drawing_, SEL_X, SEL_Y, COLOR_GREEN, SEL_PIECE);
    screen.描画_桝輪郭(COLOR_GREEN, SEL_X, SEL_Y);
  }
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
  screen.描画_桝輪郭(pos.SIDE_TO_MOVE == owner_side ? COLOR_SELECTION : GUIDE_COLOR, col, row);
  描画_移動可能桝色(pos, SIDOU_ON, move_drawing_, SEL_X, SEL_Y, GUIDE_COLOR, SEL_PIECE);
}

}  // namespace korvel
