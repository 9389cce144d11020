#pragma once
// Bounds-safe access to the engine's 10 x 10 tables. Row and column 0 are
// never written, so a read there sees 0 as the rules expect; a read further
// out (a damaged position, a stray king square) sees 0 as well instead of
// leaving the table.

#include "engine/engine.h"

namespace korvel {

inline bool on_board(int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9; }

inline int map_at(const Map& m, int x, int y) {
  return (x >= 0 && x <= 9 && y >= 0 && y <= 9) ? m[x][y] : 0;
}

}  // namespace korvel
