// The move history: "戻", "進" and "最初".
#include "game/form.h"

namespace korvel {

int Form::調査_持駒数(int side) const {
  if (side == pos.SITA_SIDE) return 持駒合計(pos.HAND_SITA);
  if (side == pos.UE_SIDE) return 持駒合計(pos.HAND_UE);
  return 0;
}

void Form::最新局面保存(double time_sita, double time_ue) {
  hist.手順保存(pos, time_sita, time_sita, time_ue, time_ue);
}

void Form::局面_表示(int n, int after) {
  hist.復元(n, pos);
  pos.HAND_COUNT_UE = 調査_持駒数(pos.UE_SIDE);
  pos.HAND_COUNT_SITA = 調査_持駒数(pos.SITA_SIDE);
  TIME_UE = after ? hist.HIST_TIME_UE_AFTER[n] : hist.HIST_TIME_UE_BEFORE[n];
  描画_所有時間(pos.UE_SIDE, TIME_UE);
  TIME_SITA = after ? hist.HIST_TIME_SITA_AFTER[n] : hist.HIST_TIME_SITA_BEFORE[n];
  描画_所有時間(pos.SITA_SIDE, TIME_SITA);
  screen.描画_自持盤(pos);
  screen.描画_敵持盤(pos);
  screen.描画_盤(pos);
}

void Form::REPLAY_Click() {
  棋譜パネル_閉じる();
  RESUME_PENDING = 1;
  // Past the last entry a game goes on unrecorded; there is nothing to go back to.
  if (hist.HIST_INDEX < 1 || !History::stored(hist.HIST_INDEX - 1)) {
    play(SND_KINSHI);
    show(msg::CANNOT_BACK);
    return;
  }
  CLICK_PHASE = 0;
  Timer1_Enabled(0);
  描画_将棋盤桝();
  消去_思考中();
  局面_表示(hist.HIST_INDEX - 1, 0);
  const MoveResult last = hist.調査_移動結果(hist.HIST_INDEX);
  play(SND_KOMAUCHI);
  消去_移動結果(last.piece > 0 ? pos.UE_SIDE : pos.SITA_SIDE);
  hist.HIST_INDEX -= 1;
  MOVE_COUNT -= 1;
  pos.SIDE_TO_MOVE = -pos.SIDE_TO_MOVE;
  描画_手数(MOVE_COUNT, COLOR_WHITE);
}

void Form::AFTER_Click() {
  棋譜パネル_閉じる();
  if (pos.SIDE_TO_MOVE == SIDE_NONE) {
    play(SND_KINSHI);
    show(msg::NO_GAME);
    return;
  }
  RESUME_PENDING = 1;
  if (hist.HIST_INDEX >= hist.HIST_LAST) {
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
  描画_将棋盤桝();
  hist.HIST_INDEX += 1;
  MOVE_COUNT += 1;
  描画_手数(MOVE_COUNT, COLOR_WHITE);
  const int n = hist.HIST_INDEX;
  局面_表示(n, 1);
  const MoveResult last = hist.調査_移動結果(n);
  play(SND_KOMAUCHI);
  描画_移動結果(last.piece > 0 ? pos.UE_SIDE : pos.SITA_SIDE, last.x, last.y, last.piece, COLOR_WHITE);
  pos.SIDE_TO_MOVE = -pos.SIDE_TO_MOVE;
}

void Form::CANCEL_Click() {
  初期設定();
  play(SND_KOMAUCHI);
}

}  // namespace korvel
