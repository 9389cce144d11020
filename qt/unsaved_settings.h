#pragma once
// Settings kept for this run only, until the "Korvel.ini" reader and writer
// are built: every start behaves as a first start (the defaults), and what
// the settings commands write is remembered in memory, not on disk.

#include "ports/settings_file.h"

namespace korvel::qt {

class UnsavedSettingsFile : public korvel::SettingsFile {
 public:
  korvel::SettingsValues read() override { return values_; }
  void write(const korvel::SettingsValues& values) override { values_ = values; }

 private:
  korvel::SettingsValues values_ = korvel::DEFAULT_SETTINGS;
};

}  // namespace korvel::qt
