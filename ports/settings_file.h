#pragma once
// The settings file "Korvel.ini": background, move guidance, clocks, music,
// the king's warning and the computer's level.
// The implementation owns the file format; the game only sees the values.

namespace korvel {

// One value per setting; NOT_SET where the file had no line for it (the
// game then leaves that setting as it is). A line whose value is not one the
// game knows reads as 0 for the three switches ("BGM=on" is off) and as
// NOT_SET for the background; of several lines for one key the last wins.
struct SettingsValues {
  static constexpr int NOT_SET = -1;
  int background = NOT_SET;  // PictureCode 2..6 of the background
  int sidou = NOT_SET;       // move guidance 1 / 0
  int keika = NOT_SET;       // clock display 1 / 0
  int bgm = NOT_SET;         // background music 1 / 0
  int oute = NOT_SET;        // the question before a move that leaves the king open 1 / 0
  // The computer's level, a number 1..MAX_LEVEL (which levels there are is
  // the game's business), and the number of levels there were when it was
  // chosen: a file of the time before the ladder grew has no such line.
  // Other values read as NOT_SET; the second is written only with the first.
  int level = NOT_SET;
  int levels = NOT_SET;
  static constexpr int MAX_LEVEL = 99;
  int atari = NOT_SET;       // frames on pieces the other side can take for free 1 / 0
  int silent = NOT_SET;      // 1: the last start found no sound device and said so
};

// What a first start without a file uses (and writes).
inline constexpr SettingsValues DEFAULT_SETTINGS{2, 0, 1, 0, 1};

struct SettingsFile {
  virtual ~SettingsFile() = default;
  // Reads the file once at start-up. When there is none the implementation
  // writes the defaults and returns DEFAULT_SETTINGS; one that is there but
  // cannot be read gives DEFAULT_SETTINGS and is never written over.
  virtual SettingsValues read() = 0;
  // Replaces the whole file. background 0 (no background entry checked)
  // writes no background line, a level of NOT_SET no level line. A failure
  // is not reported.
  virtual void write(const SettingsValues& values) = 0;
};

}  // namespace korvel
