#include "records/record_file.h"

#include <algorithm>
#include <cmath>

#include "records/shift_jis.h"

namespace korvel {
namespace {

constexpr int SQUARE_WIDTH = 4, HAND_WIDTH = 1, CLOCK_WIDTH = 5;

void put(std::string& line, long long value, int width) {
  const std::string digits = std::to_string(value);
  line.append(static_cast<size_t>(std::max(0, width - static_cast<int>(digits.size()))), ' ');
  line += digits;
}

void put_hand(std::string& line, int count) {
  count = std::clamp(count, 0, RECORD_HAND_MAX);
  line += static_cast<char>('0' + count);
}

// Reads the field of `width` characters at `col` and moves col past it.
int take(std::u32string_view line, size_t& col, int width) {
  if (col >= line.size()) return 0;  // a short line
  const std::u32string_view field = line.substr(col, static_cast<size_t>(width));
  col += static_cast<size_t>(width);
  size_t i = 0;
  while (i < field.size() && field[i] == U' ') ++i;
  const bool negative = i < field.size() && field[i] == U'-';
  if (negative) ++i;
  long long v = 0;
  for (; i < field.size() && field[i] >= U'0' && field[i] <= U'9'; ++i) v = 10 * v + (field[i] - U'0');
  return static_cast<int>(negative ? -v : v);
}

int take_hand(std::u32string_view line, size_t& col) {
  if (col < line.size()) {
    const char32_t c = line[col];
    if (c > U'9' && c <= U'0' + RECORD_HAND_MAX) {
      ++col;
      return static_cast<int>(c - U'0');
    }
  }
  return take(line, col, HAND_WIDTH);
}

std::string one_line(std::string_view text) {
  std::string s(text);
  std::replace(s.begin(), s.end(), '\r', ' ');
  std::replace(s.begin(), s.end(), '\n', ' ');
  return s;
}

}  // namespace

int 棋譜_秒(double seconds) {
  if (std::isnan(seconds)) return 0;
  return static_cast<int>(std::clamp(std::trunc(seconds), double{RECORD_CLOCK_MIN}, double{RECORD_CLOCK_MAX}));
}

std::string 棋譜行(const RecordEntry& e) {
  std::string line;
  line.reserve(RECORD_LINE_WIDTH);
  // A damaged record read back may hold any four characters' worth.
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) put(line, std::clamp(e.board[x][y], -999, 9999), SQUARE_WIDTH);
  for (int k = 1; k <= 7; ++k) {
    put_hand(line, e.hand_sita[k]);
    put_hand(line, e.hand_ue[k]);
  }
  for (int t : {e.time_sita_before, e.time_sita_after, e.time_ue_before, e.time_ue_after})
    put(line, std::clamp(t, RECORD_CLOCK_MIN, RECORD_CLOCK_MAX), CLOCK_WIDTH);
  return line;
}

RecordEntry 棋譜行解析(std::u32string_view line) {
  RecordEntry e;
  size_t col = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) e.board[x][y] = take(line, col, SQUARE_WIDTH);
  for (int k = 1; k <= 7; ++k) {
    e.hand_sita[k] = take_hand(line, col);
    e.hand_ue[k] = take_hand(line, col);
  }
  e.time_sita_before = take(line, col, CLOCK_WIDTH);
  e.time_sita_after = take(line, col, CLOCK_WIDTH);
  e.time_ue_before = take(line, col, CLOCK_WIDTH);
  e.time_ue_after = take(line, col, CLOCK_WIDTH);
  return e;
}

bool 棋譜ファイル作成(const Record& record, std::string& bytes) {
  bytes.clear();
  for (const std::string* header : {&record.title, &record.upper, &record.lower}) {
    std::string encoded;
    if (!to_cp932(one_line(*header), encoded)) return false;
    bytes += encoded;
    bytes += "\r\n";
  }
  for (const RecordEntry& e : record.entries) {
    bytes += 棋譜行(e);
    bytes += "\r\n";
  }
  return true;
}

int RecordLines::読込_棋譜ファイル(std::string_view& line) {
  if (rest_.empty()) return 0;
  const size_t end = rest_.find_first_of("\r\n");
  if (end == std::string_view::npos) {
    line = rest_;
    rest_ = {};
    return 1;
  }
  line = rest_.substr(0, end);
  const size_t next = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n' ? end + 2 : end + 1;
  rest_.remove_prefix(next);
  return 1;
}

Record 棋譜ファイル解析(std::string_view bytes) {
  Record r;
  RecordLines lines(bytes);
  std::string_view line;
  for (std::string* header : {&r.title, &r.upper, &r.lower})
    if (lines.読込_棋譜ファイル(line) == 1) *header = to_utf8(cp932_to_code_points(line));
  while (lines.読込_棋譜ファイル(line) == 1) {
    if (static_cast<int>(r.entries.size()) == RECORD_MAX_ENTRIES) {
      ++r.left_out;
      continue;
    }
    // A character takes one or two bytes; more than this is past the last field.
    const std::u32string text = cp932_to_code_points(line.substr(0, 2 * RECORD_LINE_WIDTH));
    r.entries.push_back(棋譜行解析(text));
  }
  return r;
}

}  // namespace korvel
