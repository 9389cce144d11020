#pragma once
// Every game is kept in one folder, a file a game, named by the local time
// the game began (2026-12-08_19-34-40-123.棋譜), the newest few kept. A
// game the record file cannot hold (a handicap, a turned board, a diagram)
// is kept as KIF (.kif). The title line says who played whom and how it
// ended, so that the list of kept games needs to read nothing else.

#include <string>
#include <string_view>
#include <vector>

#include "ports/record_files.h"
#include "records/record_file.h"

namespace korvel {

inline constexpr int KEPT_GAMES_MAX = 20;
inline constexpr std::string_view KEPT_RECORD_EXT = ".棋譜";
inline constexpr std::string_view KEPT_KIF_EXT = ".kif";

// The name, without its ending, of a game that began at calendar_ms.
std::string 保存名(long long calendar_ms);

// The title a kept game carries: the opponent ("コンピュータ LEVEL6" or
// "二人対局") and the result ("先手の勝ち", "後手の勝ち", "中断").
std::string 保存対局_表題(std::string_view opponent, std::string_view result);

struct KeptGame {
  std::string file;    // name in the folder
  std::string row;     // what the list shows
  std::string reason;  // why it cannot be read; empty when it can
};

// The kept games in folder, newest first; a file that cannot be read is
// listed with its reason.
std::vector<KeptGame> 保存対局_一覧(RecordFiles& files, const std::string& folder);

// A kept file, either kind, into game; the reason when it cannot be read.
std::string 保存対局_読込(RecordFiles& files, const std::string& folder, const std::string& file, Record& game);

// Removes all but the newest KEPT_GAMES_MAX kept games; keep is never removed.
void 保存対局_整理(RecordFiles& files, const std::string& folder, std::string_view keep);

}  // namespace korvel
