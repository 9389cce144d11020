#include "settings/settings_file.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

#include "text/shift_jis.h"
#include "text/text_file.h"

namespace korvel {

namespace {

struct Background {
  std::string_view name;
  int code;
};
constexpr Background BACKGROUNDS[5] = {{"筒", 2}, {"竹", 4}, {"畳", 3}, {"宇宙", 5}, {"煉瓦", 6}};

constexpr std::string_view KEY_BACKGROUND = "背景画";
constexpr std::string_view KEY_SIDOU = "移動指導";
constexpr std::string_view KEY_KEIKA = "経過時間";
constexpr std::string_view KEY_BGM = "BGM";
constexpr std::string_view KEY_OUTE = "王手警告";
constexpr std::string_view KEY_ATARI = "当たり表示";
constexpr std::string_view KEY_LEVEL = "レベル";
constexpr std::string_view KEY_SILENT = "音なし";
constexpr std::string_view KEY_LEVELS = "レベル数";

int on_off(std::string_view value) { return value == "ON" ? 1 : 0; }

// A level as the file writes it: plain digits, no sign, blank or leading 0.
int level_number(std::string_view value) {
  int n = 0;
  if (value.empty() || value.size() > 2 || value[0] == '0') return SettingsValues::NOT_SET;
  for (const char c : value) {
    if (c < '0' || c > '9') return SettingsValues::NOT_SET;
    n = n * 10 + (c - '0');
  }
  return n <= SettingsValues::MAX_LEVEL ? n : SettingsValues::NOT_SET;
}
bool is_level(int n) { return n >= 1 && n <= SettingsValues::MAX_LEVEL; }

}  // namespace

namespace {

// The game's folder under an XDG base folder: $VAR/Korvel, else
// ~/HOME_PART/Korvel; empty with neither. A relative $VAR is invalid and ignored.
std::filesystem::path user_folder(const char* var, const char* home_part) {
  const char* xdg = std::getenv(var);
  if (xdg != nullptr && xdg[0] == '/') return std::filesystem::path(xdg) / "Korvel";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return std::filesystem::path(home) / home_part / "Korvel";
  return {};
}

}  // namespace

std::filesystem::path settings_path() {
  const std::filesystem::path folder = user_folder("XDG_CONFIG_HOME", ".config");
  return folder.empty() ? std::filesystem::path("Korvel.ini") : folder / "Korvel.ini";
}

std::filesystem::path kept_games_folder() { return user_folder("XDG_DATA_HOME", ".local/share"); }

SettingsValues parse_settings(std::string_view bytes) {
  SettingsValues v;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view raw = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    // Bytes that are no CP932 read as U+FFFD and so match no key or value.
    const std::string line = to_utf8(cp932_to_code_points(raw));
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string_view key = std::string_view(line).substr(0, eq);
    const std::string_view value = std::string_view(line).substr(eq + 1);
    if (key == KEY_BACKGROUND) {
      for (const Background& b : BACKGROUNDS)
        if (b.name == value) v.background = b.code;
    } else if (key == KEY_SIDOU) {
      v.sidou = on_off(value);
    } else if (key == KEY_KEIKA) {
      v.keika = on_off(value);
    } else if (key == KEY_BGM) {
      v.bgm = on_off(value);
    } else if (key == KEY_OUTE) {
      v.oute = on_off(value);
    } else if (key == KEY_ATARI) {
      v.atari = on_off(value);
    } else if (key == KEY_SILENT) {
      v.silent = on_off(value);
    } else if (key == KEY_LEVEL || key == KEY_LEVELS) {
      // A value that is no level leaves the one read before.
      if (const int n = level_number(value); n != SettingsValues::NOT_SET) (key == KEY_LEVEL ? v.level : v.levels) = n;
    }
  }
  return v;
}

std::string format_settings(const SettingsValues& v) {
  std::string text;
  const auto line = [&](std::string_view key, std::string_view value) {
    text.append(key).append("=").append(value).append("\r\n");
  };
  for (const Background& b : BACKGROUNDS)
    if (b.code == v.background) line(KEY_BACKGROUND, b.name);
  line(KEY_SIDOU, v.sidou == 1 ? "ON" : "OFF");
  line(KEY_KEIKA, v.keika == 1 ? "ON" : "OFF");
  line(KEY_BGM, v.bgm == 1 ? "ON" : "OFF");
  // Unlike the others it is on unless it was switched off.
  line(KEY_OUTE, v.oute == 0 ? "OFF" : "ON");
  line(KEY_ATARI, v.atari == 1 ? "ON" : "OFF");
  if (is_level(v.level)) {
    line(KEY_LEVEL, std::to_string(v.level));
    if (is_level(v.levels)) line(KEY_LEVELS, std::to_string(v.levels));
  }
  // Only while there is something to remember.
  if (v.silent == 1) line(KEY_SILENT, "ON");
  std::string bytes;
  to_cp932(text, bytes);  // every character above exists in CP932
  return bytes;
}

SettingsValues IniSettingsFile::read() {
  remove_stale_temporaries(path_.parent_path().string());
  std::string bytes;
  // Anything larger is no settings file of ours.
  const int error = read_whole_file(path_.string(), bytes, 1 << 16);
  if (error == ENOENT) {
    write(DEFAULT_SETTINGS);
    return DEFAULT_SETTINGS;
  }
  if (error != 0) {
    // A file we cannot read is still the player's: play on the defaults and
    // leave it alone.
    read_only_ = true;
    return DEFAULT_SETTINGS;
  }
  return parse_settings(bytes);
}

void IniSettingsFile::write(const SettingsValues& values) {
  if (read_only_) return;
  std::error_code ec;
  if (path_.has_parent_path()) std::filesystem::create_directories(path_.parent_path(), ec);
  replace_whole_file(path_.string(), format_settings(values));
}

}  // namespace korvel
