#include "cli/match.h"

#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <vector>

#include "engine/turned.h"
#include "lookahead/levels.h"

namespace korvel {

namespace {

constexpr int MAX_MOVES = 300;
constexpr int OPENING_MOVES = 4;

struct Player {
  MatchPlayer side;
  std::unique_ptr<Lookahead> lookahead;
  int level() const { return side.level; }
};

std::optional<Candidate> choose(Player& pl, const Position& p, bool upper) {
  if (pl.lookahead) return pl.lookahead->think(p, upper, pl.side.limits).best;
  return 一手探索(p, upper, pl.side.level);
}

// A player's move must be one the rules allow, or the match means nothing.
bool playable(Position& p, const Candidate& m, bool upper) {
  const bool drop = m.fx == (upper ? HAND_X_UE : HAND_X_SITA);
  if (drop) {
    const int slot = upper ? m.fy : m.fy - 2;
    const int* hand = upper ? p.HAND_UE : p.HAND_SITA;
    if (slot < 1 || slot > 7 || hand[slot] < 1 || m.stood != (upper ? 1 : -1) * HAND_PIECE[slot]) return false;
  } else if (m.fx < 1 || m.fx > 9 || m.fy < 1 || m.fy > 9 || p.Board[m.fx][m.fy] != m.stood ||
             (upper ? m.stood < 10 : m.stood > -10)) {
    return false;
  }
  if (p.移動チェック(m.fx, m.fy, m.tx, m.ty, m.stood) != 1) return false;
  if (m.piece == m.stood) return 移動後チェック(m.ty, m.piece) == 1;
  return p.調査_駒成(m.fx, m.fy, m.tx, m.ty, m.stood) == 1 && p.PROMOTED_CODE == m.piece;
}

Position opening(std::mt19937& rng) {
  Position p;
  p.初期設定();
  bool upper = true;
  for (int i = 0; i < OPENING_MOVES; ++i) {
    p.調査_2歩フラグ設定();
    std::vector<Candidate> moves;
    合法手列挙(p, upper, [&](int fx, int fy, int tx, int ty, int pc) {
      moves.push_back(Candidate{fx, fy, tx, ty, pc, pc, 0, {}});
    });
    Candidate m = moves[rng() % moves.size()];
    if (移動後チェック(m.ty, m.stood) == 0 && p.調査_駒成(m.fx, m.fy, m.tx, m.ty, m.stood) == 1)
      m.piece = p.PROMOTED_CODE;
    p.駒移動(m.fx, m.fy, m.tx, m.ty, m.piece);
    upper = !upper;
  }
  return p;
}

// 1 the upper side won, -1 the lower side, 0 a draw; moves counts the
// opening too.
int play_game(Position p, Player& upper_player, Player& lower_player, int& moves) {
  bool upper = true;
  for (moves = OPENING_MOVES; moves < MAX_MOVES; ++moves) {
    p.調査_2歩フラグ設定();
    const std::optional<Candidate> m = choose(upper ? upper_player : lower_player, p, upper);
    if (!m) return upper ? -1 : 1;
    if (!playable(p, *m, upper)) throw std::logic_error("level " + std::to_string((upper ? upper_player : lower_player).level()) + " chose a move the rules refuse");
    const int captured = p.Board[m->tx][m->ty];
    p.駒移動(m->fx, m->fy, m->tx, m->ty, m->piece);
    if (captured == -OU || captured == OU) {
      ++moves;
      return captured == -OU ? 1 : -1;
    }
    upper = !upper;
  }
  return 0;
}

}  // namespace

MatchPlayer match_player(int level) { return {level, level_limits(level, true)}; }

MatchScore play_match(const MatchPlayer& side_a, const MatchPlayer& side_b, int games, std::uint32_t seed,
                      const std::function<void(const std::string&)>& report) {
  const auto player = [](const MatchPlayer& side) {
    return Player{side, side.level >= FIRST_LOOKAHEAD_LEVEL ? std::make_unique<Lookahead>() : nullptr};
  };
  Player a = player(side_a), b = player(side_b);
  const int level_a = side_a.level, level_b = side_b.level;
  std::mt19937 rng(seed);
  MatchScore score;
  Position start;
  for (int g = 0; g < games; ++g) {
    if (g % 2 == 0) start = opening(rng);
    const bool a_upper = g % 2 == 0;
    for (Player* pl : {&a, &b})
      if (pl->lookahead) pl->lookahead->clear();
    int moves = 0;
    const int result = play_game(start, a_upper ? a : b, a_upper ? b : a, moves);
    const int for_a = a_upper ? result : -result;
    (for_a > 0 ? score.wins : for_a < 0 ? score.losses : score.draws) += 1;
    report("game " + std::to_string(g + 1) + " upper " + std::to_string(a_upper ? level_a : level_b) +
           " lower " + std::to_string(a_upper ? level_b : level_a) + " winner " +
           (result > 0 ? "upper" : result < 0 ? "lower" : "none") + " moves " + std::to_string(moves));
  }
  return score;
}

}  // namespace korvel
