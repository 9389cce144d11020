// The KIF reader takes any bytes. Whatever it accepts is a game the writer
// can name move by move, and that text reads back to the same start,
// positions, clocks, names, result and comments, and writes again the same.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "records/kif.h"

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Record game;
  const std::string why = KIF解析(std::string_view(reinterpret_cast<const char*>(data), size), game);
  if (!why.empty()) {
    // One line naming the fault, and nothing half read.
    if (why.find('\n') != std::string::npos || !game.entries.empty()) std::abort();
    return 0;
  }
  if (game.entries.size() > RECORD_MAX_ENTRIES || (game.left_out > 0 && game.entries.size() != RECORD_MAX_ENTRIES))
    std::abort();

  std::string kif, again_kif;
  Record again;
  if (!KIF作成(game, kif).empty() || !KIF解析(kif, again).empty()) std::abort();
  if (again.entries.size() != game.entries.size() || again.upper != game.upper || again.lower != game.lower) std::abort();
  // The start, who began, the result and the comments come back too.
  if (again.start.has_value() != game.start.has_value() || again.first_mover != game.first_mover ||
      again.winner != game.winner || again.resigned != game.resigned || again.notes != game.notes)
    std::abort();
  if (game.start && std::memcmp(&*again.start, &*game.start, sizeof(RecordEntry)) != 0) std::abort();
  for (std::size_t i = 0; i < game.entries.size(); ++i) {
    RecordEntry a = again.entries[i], b = game.entries[i];
    // Past the last stored position the next move's time is gone.
    if (game.left_out > 0 && i + 1 == game.entries.size()) a.time_sita_after = b.time_sita_after, a.time_ue_after = b.time_ue_after;
    if (std::memcmp(&a, &b, sizeof a) != 0) std::abort();
  }
  if (!KIF作成(again, again_kif).empty() || again_kif != kif) std::abort();
  return 0;
}
