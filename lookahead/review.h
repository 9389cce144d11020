#pragma once
// The review of a game: every stored position searched once by the
// look-ahead, and each move judged by how much of the mover's winning chance
// it gave away. A position is searched on one thread with a table of its
// own, cleared first, to a fixed number of nodes, so the review says the
// same on every machine and with any number of worker threads; the workers
// only share out the positions, first ones first, so that the start of the
// game is ready while the rest is still being searched.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "board/position.h"
#include "engine/candidate.h"
#include "lookahead/lookahead.h"

namespace korvel {

// Nodes searched per position: a 100-move game is reviewed within half a
// minute on two cores, and the first moves within a second.
inline constexpr std::uint64_t REVIEW_NODES = 1000000;
// K of the chance below: the maximum-likelihood fit to 70 321 positions of 2 000
// games between players of 40 000 and 20 000 positions a move (korvel_fit_scale's
// defaults). Weaker players fit a flatter scale (2 588 for LEVEL5 against
// LEVEL4) and predict the ends of the range worse.
inline constexpr double REVIEW_SCALE = 1381.2;
// 2^19 entries, 8 MB a worker: room for the budget above.
inline constexpr int REVIEW_TABLE_BITS = 19;

// Whose pieces move at an entry, as the history keeps it: the sign of their
// codes.
inline constexpr int REVIEW_UPPER = 1;
inline constexpr int REVIEW_LOWER = -1;

// The winning chance in percent of a score cp for the side it is for.
double review_chance(int cp, double scale = REVIEW_SCALE);

// A searched position of a finished game and how the game went for the side
// the score is for: 1 won, 0 lost, 0.5 drawn.
struct ScaleSample {
  int cp = 0;
  double result = 0;
};
// The K that makes the results most likely under review_chance; 0 when the
// samples cannot tell (no score but 0, or results that grow the wrong way).
double fit_review_scale(const std::vector<ScaleSample>& samples);

enum ReviewMark : int { MARK_NONE, MARK_緩手, MARK_疑問手, MARK_悪手, MARK_大悪手 };
inline constexpr std::string_view MARK_TEXT[5] = {"-", "緩手", "疑問手", "悪手", "大悪手"};
// The mark a loss (tenths of a point) earns: 5, 10, 20 and 50 points.
int review_mark(int loss_tenths);

struct ReviewedPosition {
  int score = 0;                  // for the side to move there
  std::optional<Candidate> best;  // none when it has no move or no king
};

struct ReviewedPly {
  int ply = 0;    // the move from entry ply - 1 to entry ply
  int mover = 0;  // REVIEW_UPPER or REVIEW_LOWER
  // The mover's view: best play from the entry before, and the position
  // the move actually played left.
  int before = 0, after = 0;
  Candidate played;
  std::optional<Candidate> best;
  bool best_played = false;  // the played move is the search's best
  int loss = 0;              // tenths of a point, never below 0
  int mark = MARK_NONE;      // none when the best move was played
};

// What is done so far. Plies come in order, each once both its positions
// are searched; a ply that is no legal move of its mover has none.
struct ReviewProgress {
  int done = 0;   // positions searched
  int total = 0;  // positions of the game
  std::vector<std::optional<ReviewedPosition>> positions;  // by entry
  std::vector<ReviewedPly> plies;
};

// One position's search for the side to move (upper: the positive codes),
// with a table cleared first. A side whose king is gone, or that has no
// move, has lost; a position the look-ahead cannot read scores 0.
ReviewedPosition review_position(const Position& pos, bool upper, std::uint64_t nodes, Lookahead& la);

// The mover's move that turns position from into position to (board and
// hands), promotion included; none if no legal move does.
std::optional<Candidate> played_move(const Position& from, const Position& to, bool upper);

// A ply judged from the searches of the positions on either side of it;
// next_mover is whose pieces move in the position after it.
ReviewedPly review_ply(int ply, int mover, int next_mover, const Candidate& played, const ReviewedPosition& before,
                       const ReviewedPosition& after, double scale = REVIEW_SCALE);

class GameReview {
 public:
  // positions are the game's entries 0..last, movers[n] whose pieces move
  // at entry n (a pass makes two in a row alike). threads 0: one per core.
  GameReview(std::vector<Position> positions, std::vector<int> movers, std::uint64_t nodes = REVIEW_NODES,
             int threads = 0);
  ~GameReview();  // stops and waits for the workers
  GameReview(const GameReview&) = delete;
  GameReview& operator=(const GameReview&) = delete;

  // Starts the workers and returns at once; a second call does nothing.
  void start();
  // No position is begun after this; the ones being searched are finished
  // and kept.
  void stop();
  void wait();
  // A copy of what is done, safe to take from any thread at any time.
  ReviewProgress progress() const;
  std::uint64_t nodes() const { return nodes_; }

 private:
  void work();
  void add_plies_around(int n);  // under mutex_

  const std::vector<Position> positions_;
  const std::vector<int> movers_;
  const std::uint64_t nodes_;
  const int threads_;
  std::vector<std::optional<Candidate>> played_;  // by ply; [0] unused

  std::atomic<int> next_{0};
  std::atomic<bool> stop_{false};
  std::vector<std::thread> workers_;

  mutable std::mutex mutex_;
  int done_ = 0;
  std::vector<std::optional<ReviewedPosition>> results_;
  std::vector<std::optional<ReviewedPly>> plies_;  // by ply
};

}  // namespace korvel
