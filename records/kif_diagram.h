#pragma once
// The position a KIF game starts from: the standard handicaps by name, the
// board diagram written and read, and the checks a start must pass before
// moves are played from it. Used by the KIF reader and writer only.
//
// A KIF square (file, rank) is named from 先手's side: the file is the
// number above the board. When the upper side is 先手 (turned) every square
// is turned round, so that 先手 is always at the bottom.

#include <string>
#include <string_view>

#include "records/record_file.h"

namespace korvel::kif {

inline int board_x(int file, bool turned) { return turned ? file : 10 - file; }
inline int board_y(int rank, bool turned) { return turned ? 10 - rank : rank; }
inline int kif_file(int x, bool turned) { return turned ? x : 10 - x; }
inline int kif_rank(int y, bool turned) { return turned ? 10 - y : y; }

RecordEntry initial_entry();
// Board and hands alike; clocks are not compared.
bool same_position(const RecordEntry& a, const RecordEntry& b);

// The standard handicaps, 0 平手 first: the name 手合割 gives, and the
// position, with 後手 (上手) short of its pieces.
inline constexpr int HANDICAP_COUNT = 16;
std::string_view handicap_name(int index);
int handicap_index(std::string_view name);  // -1 for a name not known
RecordEntry handicap_start(int index, bool turned);

// The diagram lines, from "後手の持駒：" to "先手の持駒：", each with its
// LF, the lower side as 先手 at the bottom.
std::string diagram_text(const RecordEntry& e);

// The diagram being read, line by line, in KIF squares: 先手's pieces
// negative, 後手's positive. Each call answers "" or why the line cannot
// be read; lines are normalised (ASCII digits, colon and blanks) and trimmed.
struct Diagram {
  int rows = 0;  // board rows read; a diagram needs nine
  int cells[10][10]{};  // [file][rank]
  int hand_sente[8]{}, hand_gote[8]{};

  // "|v香v桂 ・ …|一"
  std::string_view row(std::u32string_view line);
  // The value of a "先手の持駒：" line (sente) or a "後手の持駒：" one.
  std::string_view hand(std::u32string_view value, bool sente);
  // "" once all nine rows are read, or while none is.
  std::string_view complete() const;
  // The start: the diagram's board, or when it has no rows base; hands
  // added. 先手 is the upper side when turned.
  RecordEntry start(const RecordEntry& base, bool turned) const;
};

// Why a position cannot start a game, or "": a king each, no more pieces
// than a set holds, none that could never move, no two pawns on a file.
std::string_view start_fault(const RecordEntry& e);

}  // namespace korvel::kif
