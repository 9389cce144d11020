// The handicap grades: "△" and "▽" take pieces off one side before a game.
#include <string>

#include "game/form.h"
#include "game/handicap.h"

namespace korvel {

void Form::描画_メッセージ(int reason) {
  const std::string text =
      std::string(msg::HANDICAP_REASONS[reason]) + "\r\r" + std::string(msg::HANDICAP_WAY_OUT);
  ports_.dialogs.message(text, msg::HANDICAP_TITLE);
}

void Form::ハンデ_変更(int up) {
  棋譜パネル_閉じる();
  const int reason = KIFU_MODE == 1 ? 1 : hist.HIST_INDEX > 0 ? 2 : REVERSED == 1 ? 3 : 0;
  if (reason != 0) {
    play(SND_KINSHI);
    描画_メッセージ(reason);
    return;
  }
  hist.HIST_LAST = 0;
  const HandicapSquare changed = up ? handicap_up(pos, HANDICAP_GRADE) : handicap_down(pos, HANDICAP_GRADE);
  if (changed.code != 0) {
    if (HANDICAP_GRADE != 0)
      描画_ハンデレベル(HANDICAP_GRADE);
    else
      for (int c = 11; c <= 14; ++c) screen.描画_絵(screen.HAIKEI_CODE, c, 1);
    screen.描画_絵(pos.Board[changed.x][changed.y], changed.x, changed.y);
    screen.描画_桝輪郭(COLOR_GREEN, changed.x, changed.y);
    play(SND_KOMAUCHI);
  }
  // Back at grade 0 the pieces are all there again: an even game.
  HANDICAP_SET = HANDICAP_GRADE != 0 ? 1 : 0;
}

void Form::LBEL_UP_Click() { ハンデ_変更(1); }
void Form::LEBEL_DOWN_Click() { ハンデ_変更(0); }

}  // namespace korvel
