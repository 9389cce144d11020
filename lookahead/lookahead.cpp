#include "lookahead/lookahead.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "lookahead/search_board.h"
#include "lookahead/search_tables.h"
#include "lookahead/shared_table.h"

namespace korvel {

using namespace la;

namespace {

constexpr int MAX_PLY = 96;
constexpr int INF = 32000;
// Scores beyond this are a king taken within the search's reach.
constexpr int WIN_BOUND = LOOKAHEAD_WIN - 2 * MAX_PLY;
// Plies of the quiescence search in which a king under attack is answered
// with every move rather than by standing pat.
constexpr int Q_EVASION_PLIES = 6;
// Moves of a stage tried in order of their scores; the rest as they come.
constexpr int ORDERED_MOVES = 16;

// Win scores count plies from the root; the table keeps them from the
// position itself, so that they hold wherever the position comes again.
int to_table(int v, int ply) { return v >= WIN_BOUND ? v + ply : v <= -WIN_BOUND ? v - ply : v; }
int from_table(int v, int ply) { return v >= WIN_BOUND ? v - ply : v <= -WIN_BOUND ? v + ply : v; }

// Most valuable victim first, the king above all; then the cheapest attacker.
constexpr int VICTIM[16] = {0, 1, 3, 3, 5, 5, 8, 9, 100, 5, 5, 5, 5, 11, 13, 5};

constexpr int ORDER_TABLE = 1 << 30;
constexpr int ORDER_CAPTURE = 1 << 28;
constexpr int ORDER_PROMOTION = 1 << 27;
constexpr int ORDER_KILLER = 1 << 26;
constexpr int HISTORY_MAX = 1 << 20;

// Helper threads search the same root as the main one, each skipping some
// depths in its own rhythm (helper h skips depth d when
// (d + SKIP_PHASE[i]) / SKIP_SIZE[i] is odd, i = (h - 1) % 20 + 1), so that
// at any moment the threads are spread over two or three depths and fill
// the table with results the others will want next.
constexpr int SKIP_SIZE[20] = {1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 4};
constexpr int SKIP_PHASE[20] = {0, 1, 0, 1, 2, 3, 0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5, 6, 7};

long long elapsed_ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - since).count();
}

// What the threads of one search share. Only the main thread's decision
// (or a spent budget, or the clock) ends the search: every thread polls
// `stop` at every node.
struct Shared {
  SharedTable table;
  LookaheadLimits lim;
  int threads = 1;
  std::chrono::steady_clock::time_point start;
  std::atomic<bool> stop{false};
  explicit Shared(int bits) : table(bits) {}
};

// One thread's search: its board, its move lists and its move-ordering
// memory; its results go to the shared table.
struct Worker {
  Shared& sh;
  const int id;  // 0: the main thread, which decides when all stop
  const LookaheadLimits& lim;
  const std::vector<std::unique_ptr<Worker>>* all;  // every thread's, for the total of nodes

  SearchBoard b;
  // Counted by this thread, read by the main one for the total.
  std::atomic<std::uint64_t> nodes{0};
  bool stop = false;

  Move killers[MAX_PLY][2]{};
  int history[32][81]{};
  Move pv[MAX_PLY + 1][MAX_PLY + 1]{};
  int pv_len[MAX_PLY + 1]{};
  Move moves[MAX_PLY][MAX_MOVES];
  int order[MAX_PLY][MAX_MOVES];

  // The outcome of the deepest iteration this thread completed.
  LookaheadInfo done;
  Move best = 0;

  Worker(Shared& shared, int index, const std::vector<std::unique_ptr<Worker>>* workers)
      : sh(shared), id(index), lim(shared.lim), all(workers) {}

  std::uint64_t count() const { return nodes.load(std::memory_order_relaxed); }

  // Counts the node about to be searched, unless the budget is spent.
  bool out_of_budget() {
    if (sh.stop.load(std::memory_order_relaxed)) return stop = true;
    const std::uint64_t n = count();
    if (lim.nodes && sh.threads == 1 && n >= lim.nodes) return stop = true;
    nodes.store(n + 1, std::memory_order_relaxed);
    if ((n + 1) % 1024 == 0) {
      // With helpers the budget is the sum over all threads: each adds it
      // up now and then, so that together they overshoot it by at most a
      // thousand positions a thread.
      const bool spent = lim.nodes && sh.threads > 1 && total_nodes() >= lim.nodes;
      if (spent || (lim.time_ms && elapsed_ms(sh.start) >= lim.time_ms)) {
        sh.stop.store(true, std::memory_order_relaxed);
        stop = true;
      }
    }
    return stop;
  }
  std::uint64_t total_nodes() const;

  // A damaged position could add up past the win scores; nothing but a
  // taken king may reach them.
  int static_eval() const { return std::clamp(b.evaluate(), -WIN_BOUND + 1, WIN_BOUND - 1); }

  void score_moves(int ply, int n, Move tt_move) {
    const Move* list = moves[ply];
    int* sc = order[ply];
    for (int i = 0; i < n; ++i) {
      const Move m = list[i];
      const int cap = move_captured(m);
      if (m == tt_move)
        sc[i] = ORDER_TABLE;
      else if (cap)
        sc[i] = ORDER_CAPTURE + VICTIM[kind_of(cap)] * 64 - VICTIM[kind_of(move_piece(m))] +
                (move_promotes(m) ? 16 : 0);
      else if (move_promotes(m))
        sc[i] = ORDER_PROMOTION + VICTIM[kind_of(move_piece(m))];
      else if (ply < MAX_PLY && m == killers[ply][0])
        sc[i] = ORDER_KILLER;
      else if (ply < MAX_PLY && m == killers[ply][1])
        sc[i] = ORDER_KILLER - 1;
      else
        sc[i] = history[move_piece(m)][move_to(m)];
    }
  }
  // Brings the best-ordered of the moves from i on to place i.
  Move pick(int ply, int n, int i) {
    Move* list = moves[ply];
    int* sc = order[ply];
    int best = i;
    for (int j = i + 1; j < n; ++j)
      if (sc[j] > sc[best]) best = j;
    std::swap(list[i], list[best]);
    std::swap(sc[i], sc[best]);
    return list[i];
  }

  void reward_quiet(int ply, Move m, int depth) {
    if (killers[ply][0] != m) {
      killers[ply][1] = killers[ply][0];
      killers[ply][0] = m;
    }
    int& h = history[move_piece(m)][move_to(m)];
    h += depth * depth;
    if (h >= HISTORY_MAX)
      for (auto& row : history)
        for (int& v : row) v /= 2;
  }

  void extend_pv(int ply, Move m) {
    pv[ply][ply] = m;
    for (int i = ply + 1; i < pv_len[ply + 1]; ++i) pv[ply][i] = pv[ply + 1][i];
    pv_len[ply] = std::max(pv_len[ply + 1], ply + 1);
  }

  // The king is there for the taking. The line shown ends with its
  // capture, which pv_candidates adds: looking for the move here would cost
  // the search dearly.
  int take_king(int ply) { return LOOKAHEAD_WIN - ply; }

  int qsearch(int ply, int alpha, int beta, int qply) {
    pv_len[ply] = ply;
    if (out_of_budget()) return 0;
    if (b.can_take_king()) return take_king(ply);
    if (ply >= MAX_PLY - 1) return static_eval();

    const bool evade = qply < Q_EVASION_PLIES && b.in_check();
    int best, stand = 0, n;
    if (evade) {
      best = -LOOKAHEAD_WIN + ply;
      n = b.generate(moves[ply]);
    } else {
      stand = static_eval();
      if (stand >= beta) return stand;
      if (stand > alpha) alpha = stand;
      best = stand;
      n = b.generate_captures(moves[ply]);
    }
    score_moves(ply, n, 0);
    for (int i = 0; i < n; ++i) {
      const Move m = pick(ply, n, i);
      // A capture that cannot lift the score to alpha is not worth a look.
      if (lim.selective && !evade && !move_promotes(m) &&
          stand + BOARD_VALUE[kind_of(move_captured(m))] + 200 < alpha)
        continue;
      b.make(m);
      const int v = -qsearch(ply + 1, -beta, -alpha, qply + 1);
      b.unmake(m);
      if (stop) return 0;
      if (v > best) {
        best = v;
        if (v > alpha) {
          alpha = v;
          extend_pv(ply, m);
          if (v >= beta) break;
        }
      }
    }
    return best;
  }

  int search(int depth, int ply, int alpha, int beta, bool null_ok) {
    if (depth <= 0) return qsearch(ply, alpha, beta, 0);
    pv_len[ply] = ply;
    if (out_of_budget()) return 0;
    if (b.can_take_king()) return take_king(ply);
    if (ply >= MAX_PLY - 1) return static_eval();

    const bool pv_node = beta - alpha > 1;
    const std::uint64_t key = b.key();
    Move tt_move = 0;
    TableEntry e;
    if (lim.use_table && sh.table.probe(key, e)) {
      tt_move = e.move;
      // Without the selective parts a deeper result would differ from what
      // this search would find; with them a deeper one is welcome.
      const bool deep_enough = lim.selective ? e.depth >= depth : e.depth == depth;
      if (!pv_node && deep_enough) {
        const int v = from_table(e.score, ply);
        if (e.bound == BOUND_EXACT || (e.bound == BOUND_LOWER && v >= beta) ||
            (e.bound == BOUND_UPPER && v <= alpha))
          return v;
      }
    }

    const bool in_check = b.in_check();
    if (lim.selective && null_ok && !pv_node && !in_check && depth >= 3 && static_eval() >= beta) {
      // Passing is the worst a side can do here, short of zugzwang; if even
      // that holds beta, the real moves will.
      b.make_null();
      const int v = -search(depth - 1 - (2 + depth / 4), ply + 1, -beta, -beta + 1, false);
      b.unmake_null();
      if (stop) return 0;
      if (v >= beta) return v >= WIN_BOUND ? beta : v;
    }

    const int alpha0 = alpha;
    int best = -INF, searched = 0;
    Move best_move = 0;
    // Searches one move; true when it cuts the node off.
    const auto try_move = [&](Move m) {
      int v;
      if (kind_of(move_captured(m)) == KING) {
        v = LOOKAHEAD_WIN - ply;
        pv_len[ply + 1] = ply + 1;
      } else {
        const bool quiet = !move_captured(m) && !move_promotes(m);
        b.make(m);
        int r = 0;
        if (lim.selective && depth >= 3 && searched >= 3 && quiet && !in_check &&
            m != killers[ply][0] && m != killers[ply][1] && !b.in_check())
          r = searched >= 10 && depth >= 5 ? 2 : 1;
        if (searched == 0) {
          v = -search(depth - 1, ply + 1, -beta, -alpha, true);
        } else {
          v = -search(depth - 1 - r, ply + 1, -alpha - 1, -alpha, true);
          if (v > alpha && r > 0) v = -search(depth - 1, ply + 1, -alpha - 1, -alpha, true);
          if (v > alpha && v < beta) v = -search(depth - 1, ply + 1, -beta, -alpha, true);
        }
        b.unmake(m);
        if (stop) return true;
      }
      ++searched;
      if (v > best) {
        best = v;
        best_move = m;
        if (v > alpha) {
          alpha = v;
          extend_pv(ply, m);
          if (v >= beta) {
            if (!move_captured(m) && !move_promotes(m)) reward_quiet(ply, m, depth);
            return true;
          }
        }
      }
      return false;
    };

    // The table's move first, then captures, then the rest: a cut-off
    // early spares generating the quiet moves and drops at all.
    if (tt_move && !b.is_move(tt_move)) tt_move = 0;
    bool cut = tt_move && try_move(tt_move);
    int moves_here = tt_move ? 1 : 0;
    for (int stage = 0; stage < 2 && !cut; ++stage) {
      Move* list = moves[ply];
      const int n = stage == 0 ? b.generate_captures(list) : b.generate_quiets(list);
      moves_here += n;
      score_moves(ply, n, 0);
      for (int i = 0; i < n && !cut; ++i) {
        // Late in a long list the order hardly matters; sorting it all would.
        const Move m = i < ORDERED_MOVES ? pick(ply, n, i) : list[i];
        if (m != tt_move) cut = try_move(m);
      }
    }
    if (stop) return 0;
    // A side with no move at all cannot go on: as good as lost.
    if (moves_here == 0) best = -LOOKAHEAD_WIN + ply;
    if (lim.use_table)
      sh.table.store(key, {best_move, to_table(best, ply), depth,
                           best >= beta ? BOUND_LOWER : best > alpha0 ? BOUND_EXACT : BOUND_UPPER});
    return best;
  }

  std::vector<Candidate> pv_candidates(SearchBoard root) const {
    std::vector<Candidate> out;
    for (int i = 0; i < pv_len[0]; ++i) {
      out.push_back(root.to_candidate(pv[0][i]));
      if (kind_of(move_captured(pv[0][i])) == KING) return out;
      root.make(pv[0][i]);
    }
    if (root.can_take_king()) out.push_back(root.to_candidate(root.king_capture()));
    return out;
  }

  // Iterative deepening from the root set on the board. The main thread
  // reports each finished iteration and decides when every thread stops;
  // a helper searches on until then, skipping some depths.
  void iterate(const std::function<void(const LookaheadInfo&)>& on_iteration) {
    stop = false;
    done = LookaheadInfo{};
    best = 0;
    std::memset(killers, 0, sizeof killers);
    for (auto& row : history)
      for (int& v : row) v /= 8;

    // The root's moves, tried best-first; the previous iteration's best
    // comes first in the next.
    std::vector<Move> root(MAX_MOVES);
    const int n = b.generate(root.data());
    if (n == 0) return;
    root.resize(static_cast<std::size_t>(n));
    {
      TableEntry e;
      const bool known = lim.use_table && sh.table.probe(b.key(), e);
      std::copy(root.begin(), root.end(), moves[0]);
      score_moves(0, n, known ? e.move : 0);
      for (int i = 0; i < n; ++i) root[static_cast<std::size_t>(i)] = pick(0, n, i);
    }
    const SearchBoard at_root = b;
    best = root[0];  // ready before any iteration ends

    const int max_depth = lim.depth > 0 ? std::min(lim.depth, MAX_PLY - 8) : MAX_PLY - 8;
    const int rhythm = (id - 1) % 20 + 1;
    for (int depth = 1; depth <= max_depth; ++depth) {
      if (id > 0 && depth < max_depth && (depth + SKIP_PHASE[rhythm]) / SKIP_SIZE[rhythm] % 2 == 1) continue;
      int alpha = -INF, iteration_best = -INF;
      Move iteration_move = 0;
      for (std::size_t i = 0; i < root.size(); ++i) {
        const Move m = root[i];
        int v;
        if (kind_of(move_captured(m)) == KING) {
          v = LOOKAHEAD_WIN;
          pv_len[1] = 1;
        } else {
          b.make(m);
          if (i == 0) {
            v = -search(depth - 1, 1, -INF, -alpha, true);
          } else {
            v = -search(depth - 1, 1, -alpha - 1, -alpha, true);
            if (v > alpha && !stop) v = -search(depth - 1, 1, -INF, -alpha, true);
          }
          b.unmake(m);
          if (stop) break;
        }
        if (v > iteration_best) {
          iteration_best = v;
          iteration_move = m;
          alpha = std::max(alpha, v);
          extend_pv(0, m);
        }
        if (v == LOOKAHEAD_WIN) break;  // the king itself: nothing is better
      }
      // A move proved best so far in a cut-short iteration is still a
      // sound choice for the main thread: the previous best was searched
      // first. A helper's counts only when its iteration is complete.
      if (iteration_move && id == 0) best = iteration_move;
      if (stop) break;
      if (id > 0) best = iteration_move;

      done.depth = depth;
      done.score = iteration_best;
      done.pv = pv_candidates(at_root);
      if (id == 0 && on_iteration) {
        done.nodes = total_nodes();
        done.time_ms = elapsed_ms(sh.start);
        on_iteration(done);
      }
      std::rotate(root.begin(), std::find(root.begin(), root.end(), best),
                  std::find(root.begin(), root.end(), best) + 1);
      if (iteration_best >= WIN_BOUND || iteration_best <= -WIN_BOUND) break;
      if (id > 0) continue;
      // Another iteration would take longer than all of this one did.
      if (lim.time_ms && elapsed_ms(sh.start) * 2 >= lim.time_ms) break;
      if (lim.nodes && total_nodes() * 2 >= lim.nodes) break;
    }
  }
};

std::uint64_t Worker::total_nodes() const {
  if (sh.threads == 1) return count();
  std::uint64_t sum = 0;
  for (int i = 0; i < sh.threads; ++i) sum += (*all)[static_cast<std::size_t>(i)]->count();
  return sum;
}

}  // namespace

struct Lookahead::Impl {
  Shared sh;
  // Kept from search to search: their move-ordering memory carries over
  // from one move of a game to the next, as the table does.
  std::vector<std::unique_ptr<Worker>> workers;

  explicit Impl(int bits) : sh(bits) {}

  LookaheadResult think(const Position& pos, bool upper, const LookaheadLimits& limits,
                        const std::function<void(const LookaheadInfo&)>& on_iteration) {
    LookaheadResult result;
    la::SearchBoard root;
    if (!root.set(pos, upper)) return result;
    sh.lim = limits;
    sh.threads = thread_count(limits);
    sh.start = std::chrono::steady_clock::now();
    sh.stop.store(false, std::memory_order_relaxed);
    while (static_cast<int>(workers.size()) < sh.threads)
      workers.push_back(std::make_unique<Worker>(sh, static_cast<int>(workers.size()), &workers));
    for (int i = 0; i < sh.threads; ++i) {
      Worker& w = *workers[static_cast<std::size_t>(i)];
      w.b = root;
      w.nodes.store(i == 0 ? 1 : 0, std::memory_order_relaxed);  // the root, counted once
    }

    std::vector<std::thread> helpers;
    try {
      for (int i = 1; i < sh.threads; ++i)
        helpers.emplace_back([w = workers[static_cast<std::size_t>(i)].get()] { w->iterate({}); });
    } catch (const std::system_error&) {
      // The system has no thread to spare: the main thread searches alone.
      sh.stop.store(true, std::memory_order_relaxed);
      for (std::thread& t : helpers) t.join();
      helpers.clear();
      sh.threads = 1;
      sh.stop.store(false, std::memory_order_relaxed);
    }
    Worker& lead = *workers[0];
    lead.iterate(on_iteration);
    sh.stop.store(true, std::memory_order_relaxed);
    for (std::thread& t : helpers) t.join();

    // The deepest completed iteration of any thread; the main thread's
    // when none went deeper.
    const Worker* chosen = &lead;
    for (int i = 1; i < sh.threads; ++i) {
      const Worker& h = *workers[static_cast<std::size_t>(i)];
      if (h.best && h.done.depth > chosen->done.depth) chosen = &h;
    }
    if (!chosen->best) return result;
    result.info = chosen->done;
    result.info.nodes = lead.total_nodes();
    result.info.time_ms = elapsed_ms(sh.start);
    result.best = root.to_candidate(chosen->best);
    result.best->score = Score(result.info.score);
    return result;
  }
};

Lookahead::Lookahead(int table_bits) : impl_(std::make_unique<Impl>(table_bits)) {}
Lookahead::~Lookahead() = default;

bool Lookahead::can_search(const Position& pos) {
  la::SearchBoard b;
  return b.set(pos, true);
}

LookaheadResult Lookahead::think(const Position& pos, bool upper_to_move, const LookaheadLimits& limits,
                                 const std::function<void(const LookaheadInfo&)>& on_iteration) {
  return impl_->think(pos, upper_to_move, limits, on_iteration);
}

int Lookahead::thread_count(const LookaheadLimits& limits) {
  if (limits.threads == LOOKAHEAD_ALL_CORES)
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, LOOKAHEAD_MAX_THREADS);
  return std::clamp(limits.threads, 1, LOOKAHEAD_MAX_THREADS);
}

void Lookahead::clear() {
  impl_->sh.table.clear();
  for (auto& w : impl_->workers)
    for (auto& row : w->history)
      for (int& v : row) v = 0;
}

}  // namespace korvel
