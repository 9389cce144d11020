#pragma once
// Tables of the look-ahead board, worked out once at compile time: the
// neighbours of every square on the cylinder, the step patterns of each
// piece, the lines of the long-range pieces and the Zobrist keys.

#include <cstdint>
#include <initializer_list>

#include "lookahead/search_board.h"

namespace korvel::la {

// Directions: dx, dy with y growing toward rank 9 (the upper side's forward).
enum Dir : int { DIR_N, DIR_NE, DIR_E, DIR_SE, DIR_S, DIR_SW, DIR_W, DIR_NW };
inline constexpr int DIR_DX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
inline constexpr int DIR_DY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

struct Ray {
  std::uint8_t sq[8];
  int len;
};

// The squares within two steps of a square (files round the ring), with
// their distance: where a king's guards and attackers stand.
struct Zone {
  std::uint8_t sq[24];
  std::uint8_t dist[24];
  int len;
};

// Values of the evaluation, roughly hundredths of a pawn.
//                                          -   P    L    N    S    G    B    R    K  +P   +L   +N   +S   H     D     +G
inline constexpr int BOARD_VALUE[16] = {0, 90, 300, 330, 480, 540, 820, 950, 0, 520, 500, 510, 520, 1100, 1300, 540};
// In hand a piece may go anywhere, which is worth a little more.
inline constexpr int HAND_VALUE[8] = {0, 105, 330, 360, 530, 590, 880, 1030};
// The king at home is safe; out in the open it is not. By rank from its own side.
inline constexpr int KING_RANK[9] = {30, 20, 0, -30, -60, -80, -100, -110, -120};
// A pawn gains a little for each rank it has come.
inline constexpr int PAWN_STEP = 3;

struct Tables {
  // One step in a direction, files wrapping round the ring; -1 off the ranks.
  int neighbour[81][8];
  // That step goes between files 1 and 9 (a horse or dragon may not take it).
  bool across_seam[81][8];
  // Directions a piece steps in, files wrapping (king, golds, silver, pawn),
  // and the plain one-square steps of the horse and the dragon.
  unsigned step_mask[32];
  unsigned plain_mask[32];
  int knight_to[2][81][2];
  // Lines: vertical ones end at the board's edge, diagonals cross the seam
  // once, and the rank lines go round the ring up to the square before the
  // start.
  Ray ray[8][81];
  // Files measured round the ring; the larger of file and rank distance.
  std::uint8_t distance[81][81];
  Zone zone[81];
  // What a piece on a square adds to the material count, from the upper
  // side's point of view.
  int square_value[32][81];
  std::uint64_t piece_key[32][81];
  std::uint64_t hand_key[2][8][128];
  std::uint64_t side_key;
};

namespace detail {

constexpr std::uint64_t splitmix(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

constexpr int wrap_file(int x) { return x < 1 ? x + 9 : x > 9 ? x - 9 : x; }

constexpr unsigned dirs_mask(std::initializer_list<int> dirs, int color) {
  unsigned m = 0;
  for (int d : dirs) {
    // The lower side's pattern is the upper one upside down.
    const int dd = color == UPPER ? d : (12 - d) & 7;
    m |= 1u << dd;
  }
  return m;
}

constexpr Tables make_tables() {
  Tables t{};
  for (int s = 0; s < 81; ++s) {
    const int x = file_of(s), y = rank_of(s);
    for (int d = 0; d < 8; ++d) {
      const int ny = y + DIR_DY[d], px = x + DIR_DX[d];
      t.neighbour[s][d] = ny < 1 || ny > 9 ? -1 : square(wrap_file(px), ny);
      t.across_seam[s][d] = px < 1 || px > 9;
    }
    for (int c = 0; c < 2; ++c) {
      const int ny = y + (c == UPPER ? 2 : -2);
      for (int i = 0; i < 2; ++i)
        t.knight_to[c][s][i] = ny < 1 || ny > 9 ? -1 : square(wrap_file(x + (i ? 1 : -1)), ny);
    }
    for (int d = 0; d < 8; ++d) {
      Ray& r = t.ray[d][s];
      r.len = 0;
      int cx = x, cy = y;
      for (int k = 0; k < 8; ++k) {
        cx = wrap_file(cx + DIR_DX[d]);
        cy += DIR_DY[d];
        if (cy < 1 || cy > 9) break;
        r.sq[r.len++] = static_cast<std::uint8_t>(square(cx, cy));
      }
    }
    for (int o = 0; o < 81; ++o) {
      int dx = file_of(o) - x;
      if (dx < 0) dx = -dx;
      if (9 - dx < dx) dx = 9 - dx;
      int dy = rank_of(o) - y;
      if (dy < 0) dy = -dy;
      const int d = dx > dy ? dx : dy;
      t.distance[s][o] = static_cast<std::uint8_t>(d);
      if (d >= 1 && d <= 2) {
        Zone& z = t.zone[s];
        z.sq[z.len] = static_cast<std::uint8_t>(o);
        z.dist[z.len++] = static_cast<std::uint8_t>(d);
      }
    }
    for (int c = 0; c < 2; ++c)
      for (int k = 1; k < 16; ++k) {
        const int far = c == UPPER ? y - 1 : 9 - y;
        int v = BOARD_VALUE[k];
        if (k == KING) v += KING_RANK[far];
        if (k == PAWN) v += PAWN_STEP * far;
        t.square_value[make_piece(k, c)][s] = c == UPPER ? v : -v;
      }
  }
  // Patterns written for the upper side, forward = DIR_S.
  for (int c = 0; c < 2; ++c) {
    const auto gold = dirs_mask({DIR_S, DIR_SE, DIR_SW, DIR_E, DIR_W, DIR_N}, c);
    t.step_mask[make_piece(PAWN, c)] = dirs_mask({DIR_S}, c);
    t.step_mask[make_piece(SILVER, c)] = dirs_mask({DIR_S, DIR_SE, DIR_SW, DIR_NE, DIR_NW}, c);
    for (int k : {GOLD, PPAWN, PLANCE, PKNIGHT, PSILVER, PGOLD}) t.step_mask[make_piece(k, c)] = gold;
    t.step_mask[make_piece(KING, c)] = 0xFF;
    t.plain_mask[make_piece(HORSE, c)] = dirs_mask({DIR_N, DIR_E, DIR_S, DIR_W}, UPPER);
    t.plain_mask[make_piece(DRAGON, c)] = dirs_mask({DIR_NE, DIR_SE, DIR_SW, DIR_NW}, UPPER);
  }
  std::uint64_t seed = 0x4B6F7276656Cull;  // fixed, so keys are the same in every run
  for (auto& piece : t.piece_key)
    for (auto& k : piece) k = splitmix(seed);
  for (auto& color : t.hand_key)
    for (auto& slot : color)
      for (auto& k : slot) k = splitmix(seed);
  t.side_key = splitmix(seed);
  return t;
}

}  // namespace detail

inline constexpr Tables TABLES = detail::make_tables();
inline const Tables& tables() { return TABLES; }

}  // namespace korvel::la
