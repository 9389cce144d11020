#pragma once
// Positions the players' tests run over, and the rules' own move list to
// compare with: the benchmark suite (KORVEL_SOURCE_DIR must name the source
// tree), the start, and boards of pieces strewn at random.

#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "board/position.h"

namespace korvel::test_positions {

inline std::vector<Position> suite() {
  std::ifstream in(std::string(KORVEL_SOURCE_DIR) + "/bench/positions.txt");
  std::vector<Position> out;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream is(line);
    Position p;
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y) is >> p.Board[x][y];
    for (int k = 1; k <= 7; ++k) is >> p.HAND_SITA[k];
    for (int k = 1; k <= 7; ++k) is >> p.HAND_UE[k];
    p.持駒数再計算();
    p.調査_2歩フラグ設定();
    out.push_back(p);
  }
  return out;
}

// Suite positions, the start, and boards of pieces strewn at random (pieces
// on dead ranks, lone kings, full hands): everything the generator must get
// right, not only what games reach.
inline std::vector<Position> many_positions() {
  std::vector<Position> out = suite();
  Position start;
  start.初期設定();
  start.調査_2歩フラグ設定();
  out.push_back(start);
  std::mt19937 rng(11);
  const int codes[] = {10, 11, 20, 21, 30, 31, 100, 101, 110, 800, 801, 900, 901};
  for (int n = 0; n < 300; ++n) {
    Position p;
    const int pieces = 2 + static_cast<int>(rng() % 30);
    for (int i = 0; i < pieces; ++i) {
      const int code = codes[rng() % std::size(codes)];
      p.Board[1 + rng() % 9][1 + rng() % 9] = rng() % 2 ? code : -code;
    }
    p.Board[1 + rng() % 9][1 + rng() % 9] = OU;
    p.Board[1 + rng() % 9][1 + rng() % 9] = -OU;
    for (int k = 1; k <= 7; ++k) {
      p.HAND_UE[k] = static_cast<int>(rng() % 3);
      p.HAND_SITA[k] = static_cast<int>(rng() % 3);
    }
    p.持駒数再計算();
    p.調査_2歩フラグ設定();
    out.push_back(p);
  }
  return out;
}

using Key = std::tuple<int, int, int, int, int>;  // fx fy tx ty stood

// A board of the pieces given (x, y, code), the lower side holding one piece
// for each hand slot listed.
struct PieceAt {
  int x, y, code;
};
inline Position board_of(std::initializer_list<PieceAt> pieces, std::initializer_list<int> hand_sita = {}) {
  Position p;
  for (const PieceAt& q : pieces) p.Board[q.x][q.y] = q.code;
  for (int slot : hand_sita) p.HAND_SITA[slot] += 1;
  p.持駒数再計算();
  p.調査_2歩フラグ設定();
  return p;
}

inline std::set<Key> rule_moves(const Position& p, bool upper) {
  std::set<Key> out;
  合法手列挙(p, upper, [&](int fx, int fy, int tx, int ty, int pc) { out.insert({fx, fy, tx, ty, pc}); });
  return out;
}

}  // namespace korvel::test_positions
