#pragma once
// "Korvel.ini": the settings as key=value lines in CP932 with CR LF, in
// the user's configuration folder so that it is found again whatever folder
// the game starts from.

#include <filesystem>
#include <string_view>

#include "ports/settings_file.h"

namespace korvel {

// $XDG_CONFIG_HOME/Korvel/Korvel.ini, else ~/.config/Korvel/Korvel.ini, else
// Korvel.ini in the current folder when there is no home either.
std::filesystem::path settings_path();

// Where every game is kept after each of its moves: $XDG_DATA_HOME/Korvel,
// else ~/.local/share/Korvel; empty when there is no home to keep them in.
std::filesystem::path kept_games_folder();

// The values a file's bytes give, line by line, a later line winning; NOT_SET
// for keys it does not hold. Never fails: a line without "=" is skipped, and
// bytes that are no CP932 text match nothing.
SettingsValues parse_settings(std::string_view bytes);
// The file's bytes for these values, in the fixed order of the keys.
std::string format_settings(const SettingsValues& values);

class IniSettingsFile : public SettingsFile {
 public:
  explicit IniSettingsFile(std::filesystem::path path) : path_(std::move(path)) {}
  SettingsValues read() override;
  void write(const SettingsValues& values) override;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  bool read_only_ = false;  // there but unreadable: never written over
};

}  // namespace korvel
