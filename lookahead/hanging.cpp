#include "lookahead/hanging.h"

#include <climits>
#include <cstdlib>

#include "lookahead/search_tables.h"

namespace korvel {

namespace {

// A king takes only what nothing defends: worth more than any piece.
int worth(int code) {
  using namespace la;
  switch (std::abs(code)) {
    case HU: return BOARD_VALUE[PAWN];
    case TO: return BOARD_VALUE[PPAWN];
    case KYOU: return BOARD_VALUE[LANCE];
    case NARIKYOU: return BOARD_VALUE[PLANCE];
    case KEI: return BOARD_VALUE[KNIGHT];
    case NARIKEI: return BOARD_VALUE[PKNIGHT];
    case GIN: return BOARD_VALUE[SILVER];
    case NARIGIN: return BOARD_VALUE[PSILVER];
    case KIN: return BOARD_VALUE[GOLD];
    case NARIKIN: return BOARD_VALUE[PGOLD];
    case KAKU: return BOARD_VALUE[BISHOP];
    case UMA: return BOARD_VALUE[HORSE];
    case HISHA: return BOARD_VALUE[ROOK];
    case RYU: return BOARD_VALUE[DRAGON];
    default: return INT_MAX;
  }
}

bool own(int code, bool upper) { return upper ? code >= 10 : code <= -10; }

}  // namespace

std::vector<HangingPiece> 当たり駒(const Position& pos, bool upper) {
  std::vector<HangingPiece> out;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      const int code = pos.Board[x][y];
      if (!own(code, upper) || std::abs(code) == OU) continue;
      int cheapest = 0;
      for (int fx = 1; fx <= 9; ++fx)
        for (int fy = 1; fy <= 9; ++fy) {
          const int taker = pos.Board[fx][fy];
          if (own(taker, !upper) && pos.移動チェック(fx, fy, x, y, taker) == 1 &&
              (cheapest == 0 || worth(taker) < cheapest))
            cheapest = worth(taker);
        }
      if (cheapest == 0) continue;
      // Could one of ours take back a piece of theirs standing there?
      Position taken = pos;
      taken.Board[x][y] = upper ? -HU : HU;
      if (!利きあり(taken, upper, x, y) || cheapest < worth(code)) out.push_back({x, y, code});
    }
  return out;
}

}  // namespace korvel
