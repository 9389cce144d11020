// The settings reader takes any bytes a user's file may hold: it never
// fails, gives only known values, and what it gives writes back the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/settings_file.h"

using korvel::SettingsValues;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const SettingsValues v = korvel::parse_settings(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto known = [](int x, int lo, int hi) { return x == SettingsValues::NOT_SET || (x >= lo && x <= hi); };
  if (!known(v.background, 2, 6) || !known(v.sidou, 0, 1) || !known(v.keika, 0, 1) || !known(v.bgm, 0, 1) ||
      !known(v.oute, 0, 1) || !known(v.level, 1, SettingsValues::MAX_LEVEL) || !known(v.levels, 1, SettingsValues::MAX_LEVEL))
    std::abort();
  const SettingsValues again = korvel::parse_settings(korvel::format_settings(v));
  if (again.background != v.background || again.level != v.level) std::abort();
  // The number of levels goes with a level, never alone.
  if (again.levels != (v.level == SettingsValues::NOT_SET ? SettingsValues::NOT_SET : v.levels)) std::abort();
  if (v.sidou != SettingsValues::NOT_SET && again.sidou != v.sidou) std::abort();
  if (v.keika != SettingsValues::NOT_SET && again.keika != v.keika) std::abort();
  if (v.bgm != SettingsValues::NOT_SET && again.bgm != v.bgm) std::abort();
  // The warning is written as on unless it was read as off.
  if (again.oute != (v.oute == 0 ? 0 : 1)) std::abort();
  return 0;
}
