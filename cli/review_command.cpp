// korvel-cli's review of a record file: every position searched to a fixed
// budget and every move judged by the winning chance it gave away
// (lookahead/review.h), printed a line a ply.
#include <cstdio>
#include <cstring>

#include "cli/protocol.h"
#include "lookahead/review.h"
#include "records/disk_record_files.h"
#include "records/kif.h"
#include "records/record_file.h"

namespace korvel {

namespace {

Position position_of(const RecordEntry& e) {
  Position p;
  std::memcpy(p.Board, e.board, sizeof p.Board);
  std::memcpy(p.HAND_SITA, e.hand_sita, sizeof p.HAND_SITA);
  std::memcpy(p.HAND_UE, e.hand_ue, sizeof p.HAND_UE);
  p.持駒数再計算();
  return p;
}

RecordEntry entry_of(const Position& p) {
  RecordEntry e;
  std::memcpy(e.board, p.Board, sizeof e.board);
  std::memcpy(e.hand_sita, p.HAND_SITA, sizeof e.hand_sita);
  std::memcpy(e.hand_ue, p.HAND_UE, sizeof e.hand_ue);
  return e;
}

// Whose pieces move at each entry, read from the moves as the game reads a
// record: the pieces new on a square after entry n moved there, the newest
// entry is the other side's, and an entry that shows no move goes on
// alternating (a record keeps no passes of its own).
std::vector<int> movers_of(const std::vector<Position>& game) {
  const auto mover_of = [&](std::size_t n) {
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y) {
        const int now = game[n].Board[x][y];
        if (now != EMPTY && now != game[n - 1].Board[x][y]) return now > 0 ? REVIEW_UPPER : REVIEW_LOWER;
      }
    return 0;
  };
  const std::size_t last = game.size() - 1;
  std::vector<int> movers(game.size());
  for (std::size_t n = 0; n < last; ++n) movers[n] = mover_of(n + 1);
  movers[last] = -mover_of(last);
  for (std::size_t n = 0; n <= last; ++n)
    if (movers[n] == 0) movers[n] = n == 0 ? REVIEW_LOWER : -movers[n - 1];
  return movers;
}

bool to_count(std::string_view s, std::uint64_t& v) {
  if (s.empty() || s.size() > 12 || s.find_first_not_of("0123456789") != std::string_view::npos) return false;
  v = std::stoull(std::string(s));
  return v > 0;
}

std::string points(int tenths) {
  std::string s = std::to_string(tenths / 10);
  s += '.';
  s += static_cast<char>('0' + tenths % 10);
  return s;
}

}  // namespace

std::string Protocol::review_command(const std::vector<std::string_view>& f) {
  const auto err = [](const std::string& what) { return "error: " + what + "\n"; };
  std::uint64_t nodes = REVIEW_NODES, threads = 0;
  if (f.size() < 2 || f.size() > 4 || (f.size() > 2 && !to_count(f[2], nodes)) ||
      (f.size() > 3 && (!to_count(f[3], threads) || threads > 256)))
    return err("review takes FILE [NODES [THREADS]]");
  const std::string path(f[1]);
  std::string bytes;
  if (const int error = read_record_file(path, bytes); error != 0)
    return err("cannot read " + path + ": " + std::strerror(error));
  const Record record = 棋譜ファイル解析(bytes);
  std::vector<Position> game;
  if (record.start) {
    game.push_back(position_of(*record.start));
  } else {
    game.emplace_back().初期設定();
  }
  for (const RecordEntry& e : record.entries) game.push_back(position_of(e));
  if (game.size() < 2) return err("検討する指し手がありません");
  for (std::size_t n = 0; n < game.size(); ++n)
    if (!Lookahead::can_search(game[n])) return err(std::to_string(n) + "手目の局面が読めません");

  const std::vector<int> movers = movers_of(game);
  GameReview review(game, movers, nodes, static_cast<int>(threads));
  review.start();
  review.wait();
  const ReviewProgress done = review.progress();

  char scale[32];
  std::snprintf(scale, sizeof scale, "%g", REVIEW_SCALE);
  std::string out = "budget " + std::to_string(nodes) + "\nscale " + scale + "\n";
  const bool upper_is_sente = movers[0] == REVIEW_UPPER;
  int marks[2][5]{};  // lower, upper
  int prev_ply = 0, prev_x = 0, prev_y = 0;
  for (const ReviewedPly& ply : done.plies) {
    // "同" names the square the move before went to, when it is known.
    if (prev_ply != ply.ply - 1) prev_x = prev_y = 0;
    const RecordEntry before = entry_of(game[static_cast<std::size_t>(ply.ply - 1)]);
    const auto name = [&](const Position& after) {
      return KIF指し手(before, ply.mover, entry_of(after), prev_x, prev_y, upper_is_sente);
    };
    std::string best = "-";
    if (ply.best) {
      Position p = game[static_cast<std::size_t>(ply.ply - 1)];
      p.駒移動(ply.best->fx, ply.best->fy, ply.best->tx, ply.best->ty, ply.best->piece);
      best = name(p);
    }
    for (const std::string& part :
         {"ply " + std::to_string(ply.ply), std::string(ply.mover == REVIEW_UPPER ? " upper " : " lower "),
          name(game[static_cast<std::size_t>(ply.ply)]), " before " + std::to_string(ply.before),
          " after " + std::to_string(ply.after), " loss " + points(ply.loss), " best " + best,
          " mark " + std::string(MARK_TEXT[ply.mark]) + "\n"})
      out += part;
    marks[ply.mover == REVIEW_UPPER][ply.mark] += 1;
    prev_ply = ply.ply;
    prev_x = ply.played.tx;
    prev_y = ply.played.ty;
  }
  out += "summary";
  for (const int side : {0, 1}) {
    out += side == 0 ? " lower" : " upper";
    for (int mark = MARK_緩手; mark <= MARK_大悪手; ++mark) out += " " + std::to_string(marks[side][mark]);
  }
  return out + "\nend\n";
}

}  // namespace korvel
