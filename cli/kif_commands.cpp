// KIF from and to record files: `kif FILE` prints a record's game as KIF,
// `kif-record KIF RECORD` writes the game of a KIF file as a record.
#include <cstring>

#include "cli/protocol.h"
#include "records/disk_record_files.h"
#include "records/kif.h"
#include "records/record_file.h"
#include "records/record_panel.h"
#include "text/text_file.h"

namespace korvel {

std::string Protocol::kif_command(std::string_view cmd, std::string_view line,
                                  const std::vector<std::string_view>& f) {
  const auto err = [](const std::string& what) { return "error: " + what + "\n"; };
  std::string bytes;
  if (cmd == "kif") {
    // The rest of the line is the path, blanks and all, as for `record`.
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (line.empty()) return err("kif takes FILE");
    const std::string path(line);
    if (const int error = read_record_file(path, bytes); error != 0)
      return err("cannot read " + path + ": " + std::strerror(error));
    std::string kif;
    if (const std::string why = KIF作成(棋譜ファイル解析(bytes), kif); !why.empty()) return err(why);
    return kif + "end\n";
  }
  if (f.size() != 3) return err("kif-record takes KIF RECORD");
  const std::string from(f[1]), to(f[2]);
  if (const int error = read_record_file(from, bytes); error != 0)
    return err("cannot read " + from + ": " + std::strerror(error));
  Record game;
  if (const std::string why = KIF解析(bytes, game); !why.empty()) return err(why);
  // A record starts from the initial position; it has no place for another.
  if (game.start) return err("平手の初期局面から始まらない棋譜は棋譜ファイルに書けません");
  std::string record;
  if (!棋譜ファイル作成(game, record)) return err(std::string(record_msg::NOT_CP932.text));
  // In one step, as the record panel writes: an old record stays whole on failure.
  if (const int error = replace_whole_file(to, record); error != 0)
    return err("cannot write " + to + ": " + std::strerror(error));
  std::string out = "ok " + std::to_string(game.entries.size());
  if (game.left_out > 0) out += " left-out " + std::to_string(game.left_out);
  return out + "\n";
}

}  // namespace korvel
