#pragma once
// The look-ahead player's own board. The game's Position answers one move at
// a time (移動チェック); a search that visits millions of positions needs the
// moves of a whole side at once, a cheap take-back and a hash key. This board
// walks each piece's pattern on the cylinder instead of asking about all 81
// destinations, and produces exactly the moves 移動チェック accepts (tests
// compare the two on every suite position).

#include <array>
#include <cstdint>

#include "board/position.h"
#include "engine/candidate.h"

namespace korvel::la {

inline constexpr int UPPER = 0;  // positive codes, moving toward rank 9
inline constexpr int LOWER = 1;  // negative codes, moving toward rank 1

// Kinds 1..7 are also the hand slots. PGOLD is the code 111, which no move
// makes; it is walked as a gold, a subset of what 移動チェック lets it do.
enum Kind : int {
  NONE = 0, PAWN, LANCE, KNIGHT, SILVER, GOLD, BISHOP, ROOK, KING,
  PPAWN, PLANCE, PKNIGHT, PSILVER, HORSE, DRAGON, PGOLD,
};

// A piece on the board: kind | colour << 4; 0 is an empty square.
inline constexpr int kind_of(int pc) { return pc & 15; }
inline constexpr int color_of(int pc) { return pc >> 4; }
inline constexpr int make_piece(int kind, int color) { return kind | color << 4; }

// Squares 0..80 are (x - 1) * 9 + (y - 1).
inline constexpr int square(int x, int y) { return (x - 1) * 9 + (y - 1); }
inline constexpr int file_of(int s) { return s / 9 + 1; }
inline constexpr int rank_of(int s) { return s % 9 + 1; }

// A move in 32 bits: destination, origin (81 + slot for a drop), promotion,
// the moving piece and what stood on the destination.
using Move = std::uint32_t;
inline constexpr Move make_move(int from, int to, int promote, int piece, int captured) {
  return static_cast<Move>(to | from << 7 | promote << 14 | piece << 15 | captured << 20);
}
inline constexpr int move_to(Move m) { return m & 127; }
inline constexpr int move_from(Move m) { return (m >> 7) & 127; }
inline constexpr bool move_is_drop(Move m) { return move_from(m) >= 81; }
inline constexpr bool move_promotes(Move m) { return (m >> 14) & 1; }
inline constexpr int move_piece(Move m) { return (m >> 15) & 31; }
inline constexpr int move_captured(Move m) { return (m >> 20) & 31; }

// Enough for any position, damaged ones too: a piece has at most 20 board
// moves (a dragon; a lance's 8 targets count twice with promotion), and an
// empty square takes at most 7 drops, so n pieces make at most
// 20 n + 7 (81 - n) <= 1620.
inline constexpr int MAX_MOVES = 2048;

int promoted_kind(int kind);  // the kind after promotion; the kind itself if it has none
inline constexpr bool is_slider(int kind) {
  return kind == LANCE || kind == BISHOP || kind == ROOK || kind == HORSE || kind == DRAGON;
}

class SearchBoard {
 public:
  // Takes a game position with the given side to move. False (and the board
  // unusable) when a square holds a code that is no piece, or a side has two
  // kings; hand counts below zero count as none and huge ones are capped.
  bool set(const Position& pos, bool upper_to_move);

  int side() const { return side_; }
  std::uint64_t key() const { return key_; }
  std::uint64_t key_from_scratch() const;
  int at(int s) const { return sq_[s]; }
  int hand(int color, int slot) const { return hand_[color][slot]; }
  int king(int color) const { return king_[color]; }

  // Every move of the side to move, with one exception the search wants:
  // a pawn, bishop or rook that may promote is generated promoted only, as
  // promoting never costs it a move.
  int generate(Move* out) const;
  // Captures only (with their promotions), for the quiescence search and
  // the first stage of the main search; the rest, drops included, after.
  int generate_captures(Move* out) const;
  int generate_quiets(Move* out) const;
  // Whether m is a move of the side to move here (a move from the table may
  // come from another position that shares its slot).
  bool is_move(Move m) const;

  void make(Move m);
  void unmake(Move m);
  void make_null();
  void unmake_null();

  // Is square s attacked by a piece of colour `by`?
  bool attacked(int s, int by) const;
  // The side to move could take the other king right now.
  bool can_take_king() const { return king_[side_ ^ 1] >= 0 && attacked(king_[side_ ^ 1], side_); }
  // A move of the side to move that takes the other king; 0 if there is none.
  Move king_capture() const;
  // The side to move's king could be taken if it passed.
  bool in_check() const { return king_[side_] >= 0 && attacked(king_[side_], side_ ^ 1); }

  // From the side to move's point of view.
  int evaluate() const;
  // The part of it kept up to date move by move (pieces, their squares and
  // the hands, from the upper side's point of view), and the same worked out
  // afresh.
  int material() const { return material_; }
  int material_from_scratch() const;

  // The move in the game's terms; call it before the move is made.
  Candidate to_candidate(Move m) const;

 private:
  void add_board_move(Move*& out, int from, int to, int pc, int cap) const;
  enum class Targets { ALL, CAPTURES, QUIETS };
  void piece_moves(Move*& out, int s, int pc, Targets targets) const;
  void drops(Move*& out) const;

  std::array<std::uint8_t, 81> sq_{};
  int hand_[2][8]{};
  int king_[2]{-1, -1};
  int pawns_[2][10]{};  // unpromoted pawns by file 1..9
  int side_ = UPPER;
  std::uint64_t key_ = 0;
  int material_ = 0;
  // Sets of squares, 64 to a word: each side's pieces, and the lances,
  // bishops, rooks, horses and dragons of both.
  using Squares = std::uint64_t[2];
  Squares occupied_[2]{};
  Squares sliders_{};
  void flip(int pc, int s) {
    const std::uint64_t bit = std::uint64_t{1} << (s & 63);
    occupied_[color_of(pc)][s >> 6] ^= bit;
    if (is_slider(kind_of(pc))) sliders_[s >> 6] ^= bit;
  }
  template <class F>
  static void for_each(const Squares& set, F&& f) {
    for (int w = 0; w < 2; ++w)
      for (std::uint64_t bits = set[w]; bits; bits &= bits - 1) f(w * 64 + __builtin_ctzll(bits));
  }
};

}  // namespace korvel::la
