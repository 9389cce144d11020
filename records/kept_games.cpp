#include "records/kept_games.h"

#include <algorithm>
#include <ctime>

#include "records/disk_record_files.h"
#include "records/kif.h"

namespace korvel {
namespace {

constexpr std::string_view TITLE_GAP = "　";
// "2026-12-08_19-34-40-123": the widths the name always has.
constexpr std::size_t STAMP_SIZE = 23;

std::string_view stamp_of(std::string_view file) {
  for (std::string_view ext : {KEPT_RECORD_EXT, KEPT_KIF_EXT})
    if (file.size() == STAMP_SIZE + ext.size() && file.substr(STAMP_SIZE) == ext) {
      const std::string_view s = file.substr(0, STAMP_SIZE);
      for (std::size_t i = 0; i < s.size(); ++i) {
        const bool sep = i == 4 || i == 7 || i == 10 || i == 13 || i == 16 || i == 19;
        if (sep ? (s[i] != '-' && s[i] != '_') : (s[i] < '0' || s[i] > '9')) return {};
      }
      return s;
    }
  return {};
}

std::vector<std::string> kept_files(RecordFiles& files, const std::string& folder) {
  std::vector<std::string> out;
  for (std::string& f : files.list(folder))
    if (!stamp_of(f).empty()) out.push_back(std::move(f));
  // The stamp's digits run from the year down: newest first by name.
  std::sort(out.begin(), out.end(), std::greater<>());
  return out;
}

// "2026/12/08 19:34"
std::string when(std::string_view stamp) {
  std::string s(stamp.substr(0, 16));
  s[4] = s[7] = '/';
  s[10] = ' ';
  s[13] = ':';
  return s;
}

}  // namespace

std::string 保存名(long long calendar_ms) {
  const std::time_t t = static_cast<std::time_t>(calendar_ms / 1000);
  std::tm local{};
  localtime_r(&t, &local);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d_%H-%M-%S", &local);
  char ms[8];
  std::snprintf(ms, sizeof ms, "-%03d", static_cast<int>(calendar_ms % 1000));
  return std::string(buf) + ms;
}

std::string 保存対局_表題(std::string_view opponent, std::string_view result) {
  return std::string(opponent) + std::string(TITLE_GAP) + std::string(result);
}

std::string 保存対局_読込(RecordFiles& files, const std::string& folder, const std::string& file, Record& game) {
  std::string bytes;
  std::string reason = files.read(棋譜パス(folder, file), bytes);
  if (!reason.empty()) return reason;
  if (file.ends_with(KEPT_KIF_EXT)) return KIF解析(bytes, game);
  game = 棋譜ファイル解析(bytes);
  return {};
}

std::vector<KeptGame> 保存対局_一覧(RecordFiles& files, const std::string& folder) {
  std::vector<KeptGame> out;
  for (const std::string& f : kept_files(files, folder)) {
    KeptGame k{f, when(stamp_of(f)), {}};
    Record r;
    k.reason = 保存対局_読込(files, folder, f, r);
    if (!k.reason.empty()) {
      k.row += "　読めません（" + k.reason + "）";
    } else {
      const std::size_t gap = r.title.find(TITLE_GAP);
      const std::string opponent = gap == std::string::npos ? r.title : r.title.substr(0, gap);
      const std::string result = gap == std::string::npos ? "" : r.title.substr(gap + TITLE_GAP.size());
      k.row += "　" + opponent + "　" + std::to_string(r.entries.size()) + "手　" + result;
    }
    out.push_back(std::move(k));
  }
  return out;
}

void 保存対局_整理(RecordFiles& files, const std::string& folder, std::string_view keep) {
  const std::vector<std::string> kept = kept_files(files, folder);
  for (std::size_t i = KEPT_GAMES_MAX; i < kept.size(); ++i)
    if (kept[i] != keep) files.remove(棋譜パス(folder, kept[i]));
}

}  // namespace korvel
