#include "bench/suite.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace korvel::bench {

std::string suite_path() { return std::string(KORVEL_SOURCE_DIR) + "/bench/positions.txt"; }

std::vector<SuiteLine> load_suite(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::vector<SuiteLine> out;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream is(line);
    SuiteLine v{};
    for (int& n : v)
      if (!(is >> n)) throw std::runtime_error("short line in " + path);
    out.push_back(v);
  }
  return out;
}

void set_position(Position& pos, const SuiteLine& line) {
  pos = Position{};
  int i = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) pos.Board[x][y] = line[i++];
  for (int k = 1; k <= 7; ++k) pos.HAND_SITA[k] = line[i++];
  for (int k = 1; k <= 7; ++k) pos.HAND_UE[k] = line[i++];
  pos.持駒数再計算();
  pos.調査_2歩フラグ設定();
}

}  // namespace korvel::bench
