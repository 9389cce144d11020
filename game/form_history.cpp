// The move history: "戻", "進" and "最初".
#include "game/form.h"

namespace korvel {

int Form::調査_持駒数(int side) const {
  if (side == pos.SITA_SIDE) return 持駒合計(pos.HAND_SITA);
  if (side == pos.UE_SIDE) return 持駒合計(pos.HAND_UE);
  return 0;
}

void Form::最新局面保存(double time_sita, double time_ue, int mover) {
  hist.手順保存(pos, time_sita, time_sita, time_ue, time_ue);
  hist.手番_設定(hist.HIST_INDEX, mover);
}

void Form::局面_表示(int n) {
  hist.復元(n, pos);
  pos.HAND_COUNT_UE = 調査_持駒数(pos.UE_SIDE);
  pos.HAND_COUNT_SITA = 調査_持駒数(pos.SITA_SIDE);
  // The totals the game had there: play resumed from here goes on with them.
  const Totals t = hist.所有時間(n);
  TIME_UE = t.ue;
  描画_所有時間(pos.UE_SIDE, TIME_UE);
  TIME_SITA = t.sita;
  描画_所有時間(pos.SITA_SIDE, TIME_SITA);
  screen.描画_自持盤(pos);
  screen.描画_敵持盤(pos);
  screen.描画_盤(pos);
}

void Form::手番_復元(int n) {
  const int side = hist.手番(n, pos);
  pos.SIDE_TO_MOVE = side != SIDE_NONE ? side : -pos.SIDE_TO_MOVE;
}

void Form::REPLAY_Click() {
  棋譜パネル_閉じる();
  やり直し_終了();
  ヒント_消去();
  RESUME_PENDING = 1;
  if (hist.HIST_INDEX < 1) {
    play(SND_KINSHI);
    show(msg::CANNOT_BACK);
    return;
  }
  CLICK_PHASE = 0;
  Timer1_Enabled(0);
  案内_消去();
  描画_将棋盤桝();
  消去_思考中();
  // A game longer than the store steps back to the last stored entry.
  const int m = History::上限(hist.HIST_INDEX - 1);
  局面_表示(m);
  play(SND_KOMAUCHI);
  if (m == hist.HIST_INDEX - 1) {
    const MoveResult undone = hist.調査_移動結果(hist.HIST_INDEX);
    const int mover = hist.手番(m, pos);
    消去_移動結果(mover != SIDE_NONE ? mover : undone.piece > 0 ? pos.UE_SIDE : pos.SITA_SIDE);
  } else {
    消去_移動結果(pos.UE_SIDE);
    消去_移動結果(pos.SITA_SIDE);
    const MoveResult last = hist.調査_移動結果(m);
    if (last.piece != 0)
      描画_移動結果(last.piece > 0 ? pos.UE_SIDE : pos.SITA_SIDE, last.x, last.y, last.piece, COLOR_WHITE,
                    last.promoted);
  }
  MOVE_COUNT -= hist.HIST_INDEX - m;
  hist.HIST_INDEX = m;
  手番_復元(m);
  描画_手数(MOVE_COUNT, COLOR_WHITE);
  危険_更新();
}

void Form::AFTER_Click() {
  棋譜パネル_閉じる();
  やり直し_終了();
  ヒント_消去();
  if (pos.SIDE_TO_MOVE == SIDE_NONE) {
    play(SND_KINSHI);
    show(msg::NO_GAME);
    return;
  }
  RESUME_PENDING = 1;
  if (hist.HIST_INDEX >= History::上限(hist.HIST_LAST)) {
    if (KIFU_MODE == 1) {
      show(msg::KIFU_END);
    } else {
      play(SND_KINSHI);
      show(msg::CANNOT_FORWARD);
    }
    return;
  }
  消去_思考中();
  CLICK_PHASE = 0;
  Timer1_Enabled(0);
  案内_消去();
  描画_将棋盤桝();
  hist.HIST_INDEX += 1;
  MOVE_COUNT += 1;
  描画_手数(MOVE_COUNT, COLOR_WHITE);
  const int n = hist.HIST_INDEX;
  局面_表示(n);
  const MoveResult last = hist.調査_移動結果(n);
  play(SND_KOMAUCHI);
  描画_移動結果(last.piece > 0 ? pos.UE_SIDE : pos.SITA_SIDE, last.x, last.y, last.piece, COLOR_WHITE, last.promoted);
  手番_復元(n);
  危険_更新();
}

void Form::手順_移動(int n) {
  棋譜パネル_閉じる();
  ヒント_消去();
  RESUME_PENDING = 1;
  CLICK_PHASE = 0;
  Timer1_Enabled(0);
  案内_消去();
  描画_将棋盤桝();
  消去_思考中();
  局面_表示(n);
  play(SND_KOMAUCHI);
  MOVE_COUNT += n - hist.HIST_INDEX;
  hist.HIST_INDEX = n;
  手番_復元(n);
  描画_手数(MOVE_COUNT, COLOR_WHITE);
  最終手_表示(pos.UE_SIDE);
  最終手_表示(pos.SITA_SIDE);
  危険_更新();
}

void Form::Form_KeyDown(int key_code) {
  switch (key_code) {
    case KEY_LEFT: REPLAY_Click(); break;
    case KEY_RIGHT: AFTER_Click(); break;
    case KEY_HOME:
      // Where "戻" would refuse, Home refuses the same way.
      if (hist.HIST_INDEX < 1) REPLAY_Click();
      else 手順_移動(0);
      break;
    case KEY_END:
      // The newest stored position: in a record, its end.
      if (pos.SIDE_TO_MOVE == SIDE_NONE || hist.HIST_INDEX >= History::上限(hist.HIST_LAST)) AFTER_Click();
      else 手順_移動(History::上限(hist.HIST_LAST));
      break;
    default: break;
  }
}

void Form::CANCEL_Click() {
  初期設定();
  play(SND_KOMAUCHI);
}

}  // namespace korvel
