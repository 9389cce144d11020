#pragma once
// The game record file (棋譜): three header lines (title, the upper player's
// name, the lower player's name), then one fixed-width number line per stored
// position. CP932 text with CR LF line ends.
//
// Number line, 358 characters: the 81 squares, x = 1..9 outer and y = 1..9
// inner, 4 wide; the 14 hand counts, lower then upper for each slot 1..7,
// 1 wide; the four clocks (lower before, lower after, upper before, upper
// after) in whole seconds, 5 wide. Numbers are right-aligned with blanks.
//
// Counts and clocks that would not fit are kept in their fields so that no
// later field moves: a hand count of 10 to 18 is the one character '0' + n
// (':' .. 'B'), a clock is held to -9999 .. 99999.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

inline constexpr int RECORD_LINE_WIDTH = 358;
inline constexpr int RECORD_MAX_ENTRIES = 500;  // what the history holds
inline constexpr int RECORD_HAND_MAX = 18;      // all pawns in one hand
inline constexpr int RECORD_CLOCK_MIN = -9999;
inline constexpr int RECORD_CLOCK_MAX = 99999;

struct RecordEntry {
  int board[10][10]{};  // [x][y], 1..9
  int hand_sita[8]{};   // slots 1..7
  int hand_ue[8]{};
  int time_sita_before = 0, time_sita_after = 0, time_ue_before = 0, time_ue_after = 0;
};

// Which pieces: the sign of their codes, as in the history.
inline constexpr int RECORD_UPPER = 1;
inline constexpr int RECORD_LOWER = -1;

struct Record {
  std::string title, upper, lower;  // UTF-8
  std::vector<RecordEntry> entries;  // the position after move 1 first
  int left_out = 0;                  // number lines past the last one read

  // What only KIF holds; the record file keeps none of it.
  // The position before the first move, when it is not the initial one
  // (a handicap, a turned board, a diagram read), and whose pieces move
  // there: RECORD_UPPER, RECORD_LOWER, or 0 to be found from the moves.
  std::optional<RecordEntry> start;
  int first_mover = 0;
  // Whose pieces won (RECORD_UPPER / RECORD_LOWER), 0 for a game not
  // finished; resigned is 1 when the loser resigned rather than lost a king.
  int winner = 0;
  int resigned = 0;
  // Comment lines written under move n + 1 (notes[n]), without the '*'.
  std::vector<std::string> notes;
};

// A clock in seconds as the file keeps it: the fraction dropped, held to
// what five characters show.
int 棋譜_秒(double seconds);

// One number line, without its line end.
std::string 棋譜行(const RecordEntry& e);

// One number line, leniently: each field's leading blanks are skipped, then a
// minus sign and digits are taken up to anything else; what is empty, not a
// number or missing (a short line) reads 0, and text past the last field is
// ignored.
RecordEntry 棋譜行解析(std::u32string_view line);

// The whole file. false when a header text has a character CP932 cannot
// hold, unless substitute: then such a character is written as 〓. Line
// breaks inside a header become blanks, or they would start a line of their
// own.
bool 棋譜ファイル作成(const Record& record, std::string& bytes, bool substitute = false);

// The whole file, leniently: missing header lines are empty, at most
// RECORD_MAX_ENTRIES number lines are read and the rest are counted in
// left_out. Never fails.
Record 棋譜ファイル解析(std::string_view bytes);

// The lines of a file's bytes one after another. A line ends at CR LF, CR or
// LF; the last line needs no end.
class RecordLines {
 public:
  explicit RecordLines(std::string_view bytes) : rest_(bytes) {}
  // The next line without its end into line and 1, or 0 when none is left.
  int 読込_棋譜ファイル(std::string_view& line);

 private:
  std::string_view rest_;
};

}  // namespace korvel
