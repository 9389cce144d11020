// The record panel: opening it from the "棋譜" menu and closing it.
#include "game/form.h"

namespace korvel {

void Form::描画_可視(int drive, int folder, int files) {
  ports_.record_panel.set_lists_visible(drive, folder, files);
}

void Form::描画_棋譜_IO(int hide) { ports_.record_panel.set_fields_visible(hide == 0 ? 1 : 0); }

void Form::棋譜パネル_閉じる() {
  描画_可視(0, 0, 0);
  描画_棋譜_IO(1);
}

void Form::KIFU_Click() {}

void Form::KIFU_READ_Click() {
  // Opening the record panel lands with game records.
}
void Form::KIFU_WRITE_Click() {
  // Opening the record panel lands with game records.
}

}  // namespace korvel
