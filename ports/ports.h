#pragma once
// Everything the window model reaches the outside world through, in one
// bundle so the shell and the tests hand it over in one go.

#include <cstdint>
#include <string>

#include "ports/background_work.h"
#include "ports/browser.h"
#include "ports/canvas.h"
#include "ports/clipboard.h"
#include "ports/clock_timer.h"
#include "ports/day_timer.h"
#include "ports/dialogs.h"
#include "ports/record_files.h"
#include "ports/record_panel_view.h"
#include "ports/review_view.h"
#include "ports/settings_file.h"
#include "ports/sound_library.h"

namespace korvel {

struct Ports {
  Canvas& canvas;
  Dialogs& dialogs;
  SoundLibrary& sound;
  DayTimer& day_timer;
  ClockTimer& clock_timer;
  RecordPanelView& record_panel;
  RecordFiles& record_files;
  Browser& browser;
  SettingsFile& settings;
  // Handed to dsInitialize; the shell passes its window id, tests 0.
  std::intptr_t window = 0;
  // The folder of the game's own files (sounds, help page, about picture),
  // UTF-8; empty means the current folder.
  std::string data_dir;
  // The folder every game is kept in after each of its moves, one file a
  // game (UTF-8); empty keeps nothing.
  std::string kept_games_dir;
  // Where levels 4 to 6 think; none means on the caller's thread, blocking it.
  BackgroundWork* background = nullptr;
  // For KIF copy and paste; none refuses both.
  Clipboard* clipboard = nullptr;
  // The review's graph window; none refuses 検討.
  ReviewView* review_view = nullptr;
};

}  // namespace korvel
