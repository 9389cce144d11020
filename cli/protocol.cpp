#include "cli/protocol.h"

#include <charconv>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "cli/match.h"
#include "lookahead/levels.h"
#include "records/disk_record_files.h"
#include "records/record_file.h"

namespace korvel {

namespace {

std::vector<std::string_view> split(std::string_view line) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    size_t j = i;
    while (j < line.size() && line[j] != ' ' && line[j] != '\t') ++j;
    if (j > i) out.push_back(line.substr(i, j - i));
    i = j;
  }
  return out;
}

bool to_int(std::string_view s, int& v) {
  const char* b = s.data();
  const char* e = b + s.size();
  if (b != e && *b == '+') ++b;
  auto [p, ec] = std::from_chars(b, e, v);
  return ec == std::errc() && p == e && b != e;
}

// Parses fields [first, first + n) as integers.
bool ints(const std::vector<std::string_view>& f, size_t first, size_t n, int* out) {
  if (f.size() != first + n) return false;
  for (size_t i = 0; i < n; ++i)
    if (!to_int(f[first + i], out[i])) return false;
  return true;
}

std::string err(std::string_view what) { return "error: " + std::string(what) + "\n"; }

void append_move(std::string& out, int fx, int fy, int tx, int ty, int piece) {
  out += std::to_string(fx);
  out += ' ';
  out += std::to_string(fy);
  out += ' ';
  out += std::to_string(tx);
  out += ' ';
  out += std::to_string(ty);
  out += ' ';
  out += std::to_string(piece);
  out += '\n';
}

void append_map(std::string& out, const char* name, const Map& m) {
  out += name;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      out += ' ';
      out += std::to_string(m[x][y]);
    }
  out += '\n';
}

}  // namespace

Protocol::Protocol() { reset(); }

void Protocol::reset() {
  pos_ = Position{};
  st_ = EngineState{};
  upper_to_move_ = true;
}

std::string Protocol::handle(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  const auto f = split(line);
  if (f.empty()) return err("empty line");
  const std::string_view cmd = f[0];

  if (cmd == "quit") {
    if (f.size() != 1) return err("quit takes no arguments");
    finished_ = true;
    return {};
  }

  if (cmd == "position") {
    if (f.size() == 2 && f[1] == "startpos") {
      reset();
      pos_.初期設定();
      pos_.調査_2歩フラグ設定();
      engine_.勢力調査();
      return {};
    }
    int v[95];
    if (f.size() != 96) return err("position takes startpos or 95 integers");
    if (!ints(f, 1, 95, v)) return err("position: not an integer");
    reset();
    int i = 0;
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y) pos_.Board[x][y] = v[i++];
    for (int k = 1; k <= 7; ++k) pos_.HAND_SITA[k] = v[i++];
    for (int k = 1; k <= 7; ++k) pos_.HAND_UE[k] = v[i++];
    pos_.持駒数再計算();
    pos_.調査_2歩フラグ設定();
    engine_.勢力調査();
    return {};
  }

  if (cmd == "legal" || cmd == "promote") {
    int v[5];
    if (!ints(f, 1, 5, v)) return err(std::string(cmd) + " takes FX FY TX TY PIECE");
    if (cmd == "legal") {
      pos_.調査_2歩フラグ設定();
      return pos_.移動チェック(v[0], v[1], v[2], v[3], v[4]) ? "1\n" : "0\n";
    }
    if (pos_.調査_駒成(v[0], v[1], v[2], v[3], v[4]) == 1)
      return "1 " + std::to_string(pos_.PROMOTED_CODE) + "\n";
    return "0\n";
  }

  if (cmd == "after") {
    int v[2];
    if (!ints(f, 1, 2, v)) return err("after takes RANK PIECE");
    return 移動後チェック(v[0], v[1]) ? "1\n" : "0\n";
  }

  if (cmd == "moves") {
    if (f.size() != 2 || (f[1] != "upper" && f[1] != "lower"))
      return err("moves takes upper or lower");
    const bool upper = f[1] == "upper";
    pos_.調査_2歩フラグ設定();
    std::string out;
    合法手列挙(pos_, upper, [&](int fx, int fy, int tx, int ty, int piece) {
      append_move(out, fx, fy, tx, ty, piece);
    });
    out += "end\n";
    return out;
  }

  if (cmd == "maps" || cmd == "pins" || cmd == "mate") return engine_command(cmd, f);
  if (cmd == "search") return search_command(f);
  if (cmd == "think" || cmd == "side" || cmd == "match" || cmd == "levels") return lookahead_command(cmd, f);
  if (cmd == "record") {
    line.remove_prefix(static_cast<size_t>(cmd.data() + cmd.size() - line.data()));
    return record_command(line);
  }
  if (cmd == "kif" || cmd == "kif-record") {
    line.remove_prefix(static_cast<size_t>(cmd.data() + cmd.size() - line.data()));
    return kif_command(cmd, line, f);
  }
  if (cmd == "review") return review_command(f);

  return err("unknown command '" + std::string(cmd.substr(0, 40)) + "'");
}

// The questions about attack maps, pins and mates. Each rebuilds the maps
// first, as the game does before it asks them.
std::string Protocol::engine_command(std::string_view cmd,
                                     const std::vector<std::string_view>& f) {
  if (cmd == "maps") {
    if (f.size() != 1) return err("maps takes no arguments");
    engine_.勢力調査();
    std::string out;
    out.reserve(14 * 260);
    append_map(out, "KIKI_SITA", st_.KIKI_SITA);
    append_map(out, "KIKI_UE", st_.KIKI_UE);
    append_map(out, "HIMO_SITA", st_.HIMO_SITA);
    append_map(out, "HIMO_UE", st_.HIMO_UE);
    append_map(out, "HIMO_X_UE", st_.HIMO_X_UE);
    append_map(out, "HIMO_Y_UE", st_.HIMO_Y_UE);
    append_map(out, "ATARI_SITA", st_.ATARI_SITA);
    append_map(out, "ATARI_X_SITA", st_.ATARI_X_SITA);
    append_map(out, "ATARI_Y_SITA", st_.ATARI_Y_SITA);
    append_map(out, "ATARI_UE", st_.ATARI_UE);
    append_map(out, "ATARI_X_UE", st_.ATARI_X_UE);
    append_map(out, "ATARI_Y_UE", st_.ATARI_Y_UE);
    append_map(out, "OUTE_SITA", st_.OUTE_SITA);
    append_map(out, "OUTE_UE", st_.OUTE_UE);
    out += "KINGS " + std::to_string(pos_.KING_SITA_X) + ' ' + std::to_string(pos_.KING_SITA_Y) +
           ' ' + std::to_string(pos_.KING_UE_X) + ' ' + std::to_string(pos_.KING_UE_Y) + '\n';
    out += "end\n";
    return out;
  }
  if (cmd == "pins") {
    if (f.size() != 1) return err("pins takes no arguments");
    engine_.勢力調査();
    engine_.調査_移動不可駒();
    std::string out;
    append_map(out, "PIN_SITA", st_.PIN_SITA);
    out += "PIN_FLAG_UE " + std::to_string(st_.PIN_FLAG_UE) + "\nend\n";
    return out;
  }
  // mate
  if (f.size() != 2 || (f[1] != "man" && f[1] != "com")) return err("mate takes man or com");
  engine_.勢力調査();
  const int mated = f[1] == "man" ? engine_.詰めかMAN() : engine_.詰めかCOM();
  return mated == 1 ? "1\n" : "0\n";
}

// The computer's search of its turn, without playing the move it chooses.
std::string Protocol::search_command(const std::vector<std::string_view>& f) {
  int level = 0;
  if (!ints(f, 1, 1, &level) || level < 1 || level > 3) return err("search takes LEVEL 1, 2 or 3");
  st_.COM_LEVEL = level;
  std::vector<Candidate> all;
  const std::optional<Candidate> best = engine_.com_ban_探索({}, &all);
  std::string out;
  out.reserve(all.size() * 32 + 64);
  const auto append = [&out](const char* tag, const Candidate& c) {
    out += tag;
    out += ' ';
    append_move(out, c.fx, c.fy, c.tx, c.ty, c.piece);
    out.back() = ' ';
    out += c.score.str();
    out += '\n';
  };
  for (const Candidate& c : all) append("cand", c);
  if (best)
    append("best", *best);
  else
    out += "best none\n";
  out += "end\n";
  return out;
}

// A record file as the game reads it: the header lines, then each entry's
// board and hands in `position` order and its four clocks.
std::string Protocol::record_command(std::string_view line) {
  // The rest of the line is the path, blanks and all.
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  if (line.empty()) return err("record takes FILE");
  std::string bytes;
  const std::string path(line);
  if (const int error = read_record_file(path, bytes); error != 0)
    return err("cannot read " + path + ": " + std::strerror(error));
  const Record r = 棋譜ファイル解析(bytes);
  std::string out = "title " + r.title + "\nupper " + r.upper + "\nlower " + r.lower + "\n";
  for (size_t n = 0; n < r.entries.size(); ++n) {
    const RecordEntry& e = r.entries[n];
    out += "entry " + std::to_string(n + 1);
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y) out += ' ' + std::to_string(e.board[x][y]);
    for (const int* hand : {e.hand_sita, e.hand_ue})
      for (int k = 1; k <= 7; ++k) out += ' ' + std::to_string(hand[k]);
    for (int t : {e.time_sita_before, e.time_sita_after, e.time_ue_before, e.time_ue_after})
      out += ' ' + std::to_string(t);
    out += '\n';
  }
  if (r.left_out > 0) out += "left-out " + std::to_string(r.left_out) + "\n";
  out += "end\n";
  return out;
}

// The look-ahead player. `think MS [THREADS]` searches the position for the
// side set by `side`, printing an info line per finished iteration; `levels`
// lists what each level searches; `match` plays levels against each other.
std::string Protocol::lookahead_command(std::string_view cmd, const std::vector<std::string_view>& f) {
  if (cmd == "side") {
    if (f.size() != 2 || (f[1] != "upper" && f[1] != "lower")) return err("side takes upper or lower");
    upper_to_move_ = f[1] == "upper";
    return {};
  }
  if (cmd == "think") {
    int v[2] = {0, LOOKAHEAD_ALL_CORES};
    const std::size_t given = f.size() - 1;
    if ((given != 1 && given != 2) || !ints(f, 1, given, v) || v[0] < 1 || v[0] > 3600000)
      return err("think takes MS from 1 to 3600000, then THREADS if wanted");
    if (given == 2 && (v[1] < 1 || v[1] > LOOKAHEAD_MAX_THREADS))
      return err("think: THREADS from 1 to " + std::to_string(LOOKAHEAD_MAX_THREADS));
    if (!Lookahead::can_search(pos_)) return err("think: the position holds a code that is no piece, or two kings a side");
    if (!lookahead_) lookahead_ = std::make_unique<Lookahead>();
    std::string out;
    // A move as one token in the line, "FX,FY,TX,TY,PIECE"; the best move
    // as plain fields, as `search` gives it.
    const auto move_text = [](const Candidate& c, char sep) {
      return std::to_string(c.fx) + sep + std::to_string(c.fy) + sep + std::to_string(c.tx) + sep +
             std::to_string(c.ty) + sep + std::to_string(c.piece);
    };
    const LookaheadLimits limits{.time_ms = v[0], .threads = v[1]};
    const LookaheadResult r = lookahead_->think(pos_, upper_to_move_, limits, [&](const LookaheadInfo& i) {
      out += "info depth " + std::to_string(i.depth) + " time " + std::to_string(i.time_ms) + " nodes " +
             std::to_string(i.nodes) + " score " + std::to_string(i.score) + " pv";
      for (const Candidate& c : i.pv) out += ' ' + move_text(c, ',');
      out += '\n';
    });
    return out + (r.best ? "best " + move_text(*r.best, ' ') : std::string("best none")) + '\n';
  }
  if (cmd == "levels") {
    if (f.size() != 1) return err("levels takes no arguments");
    // As the window plays them: the top level by its time.
    std::string out;
    for (int level = FIRST_LOOKAHEAD_LEVEL; level <= TOP_LEVEL; ++level) {
      const LookaheadLimits l = level_limits(level);
      out += "level " + std::to_string(level);
      out += l.nodes ? " nodes " + std::to_string(l.nodes) : " ms " + std::to_string(l.time_ms);
      out += '\n';
    }
    return out + "end\n";
  }
  // match
  int v[4];
  if (!ints(f, 1, 4, v) || v[0] < 1 || v[0] > TOP_LEVEL || v[1] < 1 || v[1] > TOP_LEVEL || v[2] < 1 ||
      v[2] > 10000)
    return err("match takes A B GAMES SEED: levels 1 to " + std::to_string(TOP_LEVEL) + ", 1 to 10000 games");
  std::string out;
  try {
    const MatchScore s = play_match(v[0], v[1], v[2], static_cast<std::uint32_t>(v[3]), [&](const std::string& line) {
      if (progress_)
        progress_(line + '\n');
      else
        out += line + '\n';
    });
    return out + "score " + std::to_string(s.wins) + ' ' + std::to_string(s.draws) + ' ' +
           std::to_string(s.losses) + '\n';
  } catch (const std::logic_error& e) {
    return out + err(e.what());
  }
}

}  // namespace korvel
