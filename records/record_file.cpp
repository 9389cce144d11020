#include "records/record_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "text/shift_jis.h"

namespace korvel {
namespace {

constexpr int SQUARE_WIDTH = 4, HAND_WIDTH = 1, CLOCK_WIDTH = 5;

void put(std::string& line, int value, int width) {
  char digits[16];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const int n = static_cast<int>(end - digits);
  if (n < width) line.append(static_cast<size_t>(width - n), ' ');
  line.append(digits, static_cast<size_t>(n));
}

void put_hand(std::string& line, int count) {
  count = std::clamp(count, 0, RECORD_HAND_MAX);
  line += static_cast<char>('0' + count);
}

// Reads the field of `width` characters at `col` and moves col past it.
int take(std::u32string_view line, size_t& col, int width) {
  if (col >= line.size()) return 0;  // a short line
  const char32_t* p = line.data() + col;
  const char32_t* const end = p + std::min(static_cast<size_t>(width), line.size() - col);
  col += static_cast<size_t>(width);
  while (p < end && *p == U' ') ++p;
  const bool negative = p < end && *p == U'-';
  if (negative) ++p;
  int v = 0;  // five digits at most
  for (; p < end && *p >= U'0' && *p <= U'9'; ++p) v = 10 * v + static_cast<int>(*p - U'0');
  return negative ? -v : v;
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

bool 棋譜ファイル作成(const Record& record, std::string& bytes, bool substitute) {
  bytes.clear();
  for (const std::string* header : {&record.title, &record.upper, &record.lower}) {
    std::string encoded;
    if (substitute)
      encoded = to_cp932_substituted(one_line(*header));
    else if (!to_cp932(one_line(*header), encoded))
      return false;
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
