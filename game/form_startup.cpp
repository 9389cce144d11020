// Start-up, the reset to the initial position, and shut-down.
#include <filesystem>
#include <system_error>

#include "game/form.h"

namespace korvel {

void Form::Form_Load() {
  // The game's own files are found in its data folder whatever folder it was
  // started from; the sounds are loaded from there, so it is known first.
  std::error_code ec;
  APP_DIR = !ports_.data_dir.empty() ? ports_.data_dir : std::filesystem::current_path(ec).string();
  SOUND_INIT();
  SND_SONOTA = LOAD_WAVE("その他.wav", 3);
  SND_KINSHI = LOAD_WAVE("禁止.wav", 3);
  SND_KOMAUCHI = LOAD_WAVE("駒打音.wav", 3);
  SND_BGM = LOAD_WAVE("BGM.wav", 1);

  KIFU_MODE = 0;
  SIDOU_ON = 0;
  hist.HIST_LAST = 0;
  COM_LEVEL = 3;
  set_checked("LEVEL3", 1);
  GUIDE_COLOR = COLOR_GREEN;
  pos.UE_SIDE = SIDE_SENTE;
  pos.SITA_SIDE = SIDE_GOTE;
  // The window's green background colour is the shell's to set.

  読込_環境設定ファイル();
  音なし_通知();
  初期設定();
}

void Form::初期設定() {
  // The review was of the game that is gone.
  if (review_ && ports_.review_view) ports_.review_view->close();
  検討_終了();
  HANDICAP_GRADE = 0;
  HANDICAP_SET = 0;
  GAME_KIND = KIND_MAN;
  hist.HIST_INDEX = 0;
  // The old game's positions stay in the store but can no longer be reached,
  // stepped to or written as a record.
  hist.HIST_LAST = 0;
  MOVE_COUNT = 0;
  REVERSED = 0;
  Timer1_Enabled(0);
  TIME_UE = 0;
  TIME_SITA = 0;
  RESUME_PENDING = 0;
  KIFU_MODE = 0;
  CLOCK_SECOND = 0;
  CLICK_PHASE = 0;
  GUIDE_SHOWN = 0;
  NAME_UE.clear();
  NAME_SITA.clear();
  KEPT_NAME.clear();
  RESIGNED = 0;
  pos.初期設定();  // no winner, nobody to move, empty hands, the forty pieces
  画面_再描画();
}

void Form::Form_KeyPress(int key) {
  if (key == KEY_ESCAPE) 終了処理();
}

void Form::Form_Unload() { 終了処理(); }

void Form::OWARI_Click() { 終了処理(); }

void Form::終了処理() {
  // Closing the window after "終わり" or Escape unloads it a second time;
  // the buffers must be freed only once.
  if (sound_closed_ == 0) {
    sound_closed_ = 1;
    ports_.sound.dsFree(SND_SONOTA);
    ports_.sound.dsFree(SND_KINSHI);
    ports_.sound.dsFree(SND_KOMAUCHI);
    ports_.sound.dsFree(SND_BGM);
    if (SOUND_CONTEXT != 0) ports_.sound.dsTerminate(SOUND_CONTEXT);
  }
  QUIT_REQUESTED = 1;
}

}  // namespace korvel
