#pragma once
// The review's graph window (形勢グラフ): the lower side's winning chance move
// by move, the marked moves, the moves as KIF text, and the move chosen. The
// game fills it in as the review goes on; the window hands the player's
// choices back to the game's review handlers, and asks the game every tenth
// of a second, while it is open, for what the review has done since.

#include <string>
#include <string_view>
#include <vector>

namespace korvel {

struct ReviewRow {
  int ply = 0;                 // the move's number, 1 up
  double lower_before = 50;    // the lower side's chance before the move, percent
  double lower_after = 50;     // and after it
  int mark = 0;                // 0 none, 1 緩手, 2 疑問手, 3 悪手, 4 大悪手
  std::string text;            // the list's line: number, KIF move, mark
};

struct ReviewView {
  virtual ~ReviewView() = default;
  // Opens the window, empty, for a game of this many moves.
  virtual void open(int plies) = 0;
  // The moves reviewed so far, in order, and the positions searched of all.
  virtual void show_rows(const std::vector<ReviewRow>& rows, int done, int total) = 0;
  // What each side's marks add up to, a line a side.
  virtual void show_counts(std::string_view counts) = 0;
  // The move chosen (its line in the list, the graph's vertical line) and
  // what is said of it.
  virtual void show_choice(int ply, std::string_view caption) = 0;
  virtual void close() = 0;
};

}  // namespace korvel
