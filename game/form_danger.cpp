// Help with the cylinder's long lines: kings the other side can take are
// framed, a move that leaves one's own king to be taken is questioned, and
// "ﾋﾝﾄ" shows what the look-ahead would play.
#include <tuple>

#include "game/form.h"
#include "lookahead/hanging.h"

namespace korvel {

void Form::危険_更新(int side) {
  for (int i = 0; i < DANGER_COUNT; ++i) screen.描画_桝輪郭(COLOR_GREEN, DANGER_X[i], DANGER_Y[i]);
  for (int i = 0; i < ATARI_COUNT; ++i) screen.描画_桝輪郭(COLOR_GREEN, ATARI_X[i], ATARI_Y[i]);
  DANGER_COUNT = 0;
  ATARI_COUNT = 0;
  // The pieces the side to move is about to lose, if it does nothing.
  if (checked("ATARI") == 1 && side != SIDE_NONE && pos.GAME_OVER == 0)
    for (const HangingPiece& h : 当たり駒(pos, side == pos.UE_SIDE)) {
      ATARI_X[ATARI_COUNT] = h.x;
      ATARI_Y[ATARI_COUNT] = h.y;
      if (++ATARI_COUNT == 40) break;
    }
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      const int code = pos.Board[x][y];
      if ((code == OU || code == -OU) && DANGER_COUNT < 2 && 利きあり(pos, code < 0, x, y)) {
        DANGER_X[DANGER_COUNT] = x;
        DANGER_Y[DANGER_COUNT] = y;
        ++DANGER_COUNT;
      }
    }
  危険_描画();
}

void Form::危険_描画() {
  for (int i = 0; i < ATARI_COUNT; ++i) screen.描画_桝輪郭(COLOR_HANGING, ATARI_X[i], ATARI_Y[i]);
  for (int i = 0; i < DANGER_COUNT; ++i) screen.描画_桝輪郭(COLOR_DANGER, DANGER_X[i], DANGER_Y[i]);
}

int Form::王手放置_確認(int button) {
  if (checked("OUTE_KEIKOKU") != 1) return 0;
  Position after = pos;
  int piece = SEL_PIECE;
  if (button == BUTTON_RIGHT && after.調査_駒成(SEL_X, SEL_Y, TARGET_X, TARGET_Y, piece) == 1)
    piece = after.PROMOTED_CODE;
  const int captured = after.Board[TARGET_X][TARGET_Y];
  if (captured == OU || captured == -OU) return 0;  // the game is won on the spot
  after.駒移動(SEL_X, SEL_X < 0 ? 8 - SEL_Y : SEL_Y, TARGET_X, TARGET_Y, piece);
  const bool upper = piece >= 10;
  bool open = false;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (after.Board[x][y] == (upper ? OU : -OU) && 利きあり(after, !upper, x, y)) open = true;
  if (!open) return 0;
  if (GAME_KIND == KIND_COM) {
    // Mating the computer ends the game before its reply.
    EngineState state = engine_state;
    Engine judge(after, state);
    judge.勢力調査();
    if (judge.詰めかCOM() == 1) return 0;
  }
  return ports_.dialogs.message(msg::KING_LEFT_OPEN.text, msg::KING_LEFT_OPEN.title,
                                Dialogs::Buttons::YesNoDefaultNo) == Dialogs::Answer::No
             ? 1
             : 0;
}

// ---- The hint ---------------------------------------------------------------------

void Form::ヒント_消去() {
  if (HINT_SHOWN == 0) return;
  HINT_SHOWN = 0;
  screen.描画_桝輪郭(COLOR_GREEN, HINT_C, HINT_R);
  screen.描画_桝輪郭(COLOR_GREEN, HINT_X, HINT_Y);
  // Its text stood where the side's own last move belongs.
  最終手_表示(HINT_SIDE);
  危険_描画();
}

void Form::HINT_Click() {
  棋譜パネル_閉じる();
  const bool players_turn = pos.SIDE_TO_MOVE != SIDE_NONE && pos.GAME_OVER == 0 && KIFU_MODE == 0 &&
                            (GAME_KIND == KIND_MAN || pos.SIDE_TO_MOVE == pos.SITA_SIDE);
  if (!players_turn || !Lookahead::can_search(pos)) {
    play(SND_KINSHI);
    return;
  }
  ヒント_消去();
  案内_消去();
  CLICK_PHASE = 0;
  const bool upper = pos.SIDE_TO_MOVE == pos.UE_SIDE;
  // A table of its own: the computer's fixed-budget levels play each game from a
  // clean one, as a match does.
  if (!hint_lookahead_) hint_lookahead_ = std::make_unique<Lookahead>(18);
  const LookaheadResult r = 先読み(*hint_lookahead_, upper, HINT_LIMITS);
  if (!r.best) {
    play(SND_KINSHI);
    return;
  }
  ヒント_表示(*r.best, upper);
  screen.canvas().refresh();
}

void Form::ヒント_表示(const Candidate& m, bool upper) {
  std::tie(HINT_C, HINT_R) = 元セル(m);
  HINT_X = m.tx;
  HINT_Y = m.ty;
  HINT_SHOWN = 1;
  HINT_SIDE = upper ? pos.UE_SIDE : pos.SITA_SIDE;
  // The text first: the upper side's redraws a frame the move may need.
  描画_移動結果(HINT_SIDE, m.tx, m.ty, m.piece, COLOR_HINT, m.piece != m.stood ? 1 : 0);
  screen.描画_桝輪郭(COLOR_HINT, HINT_C, HINT_R);
  screen.描画_桝輪郭(COLOR_HINT, HINT_X, HINT_Y);
}

}  // namespace korvel
