#include "lookahead/review.h"

#include <algorithm>
#include <cmath>

namespace korvel {

namespace {

bool same_position(const Position& a, const Position& b) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (a.Board[x][y] != b.Board[x][y]) return false;
  return std::equal(a.HAND_SITA + 1, a.HAND_SITA + 8, b.HAND_SITA + 1) &&
         std::equal(a.HAND_UE + 1, a.HAND_UE + 8, b.HAND_UE + 1);
}

bool has_king(const Position& p, bool upper) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (p.Board[x][y] == (upper ? OU : -OU)) return true;
  return false;
}

}  // namespace

double review_chance(int cp, double scale) { return 100.0 / (1.0 + std::exp(-cp / scale)); }

double fit_review_scale(const std::vector<ScaleSample>& samples) {
  // In s = 1 / K this is a logistic regression of one coefficient without an
  // intercept: the log-likelihood is concave, so its slope falls as s grows
  // and the top is where the slope crosses zero. Halving between K = 1 and
  // K = 10^6 on a log scale finds it.
  const auto slope = [&](double s) {
    double sum = 0;
    for (const ScaleSample& x : samples) sum += (x.result - 1.0 / (1.0 + std::exp(-x.cp * s))) * x.cp;
    return sum;
  };
  double lo = std::log(1e-6), hi = 0;
  if (!(slope(std::exp(lo)) > 0)) return 0;
  for (int i = 0; i < 100; ++i) {
    const double mid = (lo + hi) / 2;
    (slope(std::exp(mid)) > 0 ? lo : hi) = mid;
  }
  return std::exp(-(lo + hi) / 2);
}

int review_mark(int loss_tenths) {
  if (loss_tenths >= 500) return MARK_大悪手;
  if (loss_tenths >= 200) return MARK_悪手;
  if (loss_tenths >= 100) return MARK_疑問手;
  if (loss_tenths >= 50) return MARK_緩手;
  return MARK_NONE;
}

ReviewedPosition review_position(const Position& pos, bool upper, std::uint64_t nodes, Lookahead& la) {
  // After a king is taken there is nothing left to search: the game is over.
  if (!has_king(pos, upper)) return {-LOOKAHEAD_WIN, std::nullopt};
  if (!has_king(pos, !upper)) return {LOOKAHEAD_WIN, std::nullopt};
  la.clear();
  const LookaheadResult r = la.think(pos, upper, {.nodes = nodes});
  if (!r.best) return {Lookahead::can_search(pos) ? -LOOKAHEAD_WIN : 0, std::nullopt};
  return {r.info.score, r.best};
}

std::optional<Candidate> played_move(const Position& from, const Position& to, bool upper) {
  Position p = from;
  p.調査_2歩フラグ設定();
  std::optional<Candidate> found;
  合法手列挙(p, upper, [&](int fx, int fy, int tx, int ty, int piece) {
    if (found) return;
    Position probe = p;
    const int promoted = probe.調査_駒成(fx, fy, tx, ty, piece) == 1 ? probe.PROMOTED_CODE : 0;
    for (const int placed : {piece, promoted}) {
      if (placed == 0 || found || (placed == piece && 移動後チェック(ty, piece) == 0)) continue;
      Position q = p;
      const int captured = q.Board[tx][ty];
      q.駒移動(fx, fy, tx, ty, placed);
      if (same_position(q, to)) found = Candidate{fx, fy, tx, ty, placed, piece, captured, {}};
    }
  });
  return found;
}

ReviewedPly review_ply(int ply, int mover, int next_mover, const Candidate& played, const ReviewedPosition& before,
                       const ReviewedPosition& after, double scale) {
  ReviewedPly r;
  r.ply = ply;
  r.mover = mover;
  r.played = played;
  r.best = before.best;
  r.before = before.score;
  // After a pass the mover moves again and the score is already its own.
  r.after = next_mover == mover ? after.score : -after.score;
  const auto& b = before.best;
  r.best_played = b && b->fx == played.fx && b->fy == played.fy && b->tx == played.tx && b->ty == played.ty &&
                  b->piece == played.piece;
  const double lost = review_chance(r.before, scale) - review_chance(r.after, scale);
  r.loss = std::max(0, static_cast<int>(std::lround(lost * 10)));
  r.mark = r.best_played ? MARK_NONE : review_mark(r.loss);
  return r;
}

GameReview::GameReview(std::vector<Position> positions, std::vector<int> movers, std::uint64_t nodes, int threads)
    : positions_(std::move(positions)),
      movers_([&] {
        // Entries the caller did not say anything about alternate.
        while (movers.size() < positions_.size())
          movers.push_back(movers.empty() ? REVIEW_LOWER : -movers.back());
        return std::move(movers);
      }()),
      nodes_(nodes),
      threads_(threads > 0 ? threads : std::max(1, static_cast<int>(std::thread::hardware_concurrency()))),
      played_(positions_.size()),
      results_(positions_.size()),
      plies_(positions_.size()) {
  for (std::size_t n = 1; n < positions_.size(); ++n)
    played_[n] = played_move(positions_[n - 1], positions_[n], movers_[n - 1] == REVIEW_UPPER);
}

GameReview::~GameReview() {
  stop();
  wait();
}

void GameReview::start() {
  if (!workers_.empty()) return;
  const int n = std::min(threads_, static_cast<int>(positions_.size()));
  for (int i = 0; i < n; ++i) workers_.emplace_back([this] { work(); });
}

void GameReview::stop() { stop_ = true; }

void GameReview::wait() {
  for (std::thread& t : workers_)
    if (t.joinable()) t.join();
}

void GameReview::work() {
  Lookahead la(REVIEW_TABLE_BITS);
  const int total = static_cast<int>(positions_.size());
  while (!stop_) {
    const int n = next_.fetch_add(1);
    if (n >= total) return;
    const ReviewedPosition r = review_position(positions_[static_cast<std::size_t>(n)],
                                               movers_[static_cast<std::size_t>(n)] == REVIEW_UPPER, nodes_, la);
    const std::lock_guard lock(mutex_);
    results_[static_cast<std::size_t>(n)] = r;
    ++done_;
    add_plies_around(n);
  }
}

void GameReview::add_plies_around(int n) {
  for (const int ply : {n, n + 1}) {
    if (ply < 1 || ply >= static_cast<int>(positions_.size())) continue;
    const auto i = static_cast<std::size_t>(ply);
    if (!results_[i - 1] || !results_[i] || !played_[i]) continue;
    plies_[i] = review_ply(ply, movers_[i - 1], movers_[i], *played_[i], *results_[i - 1], *results_[i]);
  }
}

ReviewProgress GameReview::progress() const {
  const std::lock_guard lock(mutex_);
  ReviewProgress p;
  p.done = done_;
  p.total = static_cast<int>(positions_.size());
  p.positions = results_;
  for (const auto& ply : plies_)
    if (ply) p.plies.push_back(*ply);
  return p;
}

}  // namespace korvel
