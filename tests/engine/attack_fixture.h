#pragma once
// A bare board with an engine on it, for the engine's table-driven tests.

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "board/position.h"
#include "engine/engine.h"

namespace korvel::testing {

struct Piece {
  int x, y, code;
};

struct EngineBoard {
  Position pos;
  EngineState st;
  Engine eng{pos, st};

  EngineBoard() = default;
  explicit EngineBoard(std::initializer_list<Piece> pieces) { place(pieces); }
  EngineBoard(const EngineBoard&) = delete;

  void place(std::initializer_list<Piece> pieces) {
    for (const Piece& p : pieces) pos.Board[p.x][p.y] = p.code;
    pos.持駒数再計算();
    pos.調査_2歩フラグ設定();
  }
  void hand_sita(int slot, int n) {
    pos.HAND_SITA[slot] = n;
    pos.持駒数再計算();
  }
  void hand_ue(int slot, int n) {
    pos.HAND_UE[slot] = n;
    pos.持駒数再計算();
  }
  bool board_is(const int (&b)[10][10]) const {
    return std::memcmp(b, pos.Board, sizeof pos.Board) == 0;
  }
};

}  // namespace korvel::testing
