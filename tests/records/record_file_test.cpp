// The record file's bytes: number lines, and reading damaged or odd files.
#include <gtest/gtest.h>

#include <string>

#include "records/record_file.h"
#include "text/shift_jis.h"

namespace korvel {
namespace {

TEST(RecordLine, FieldsKeepTheirColumnsWhateverTheValues) {
  RecordEntry e;
  e.board[1][1] = -950;
  e.board[1][2] = 950;
  e.board[9][9] = -10;
  e.hand_sita[1] = 18;  // every pawn
  e.hand_ue[1] = 10;
  e.hand_sita[7] = 2;
  e.time_sita_after = 1234;
  e.time_ue_before = 12345;
  e.time_ue_after = 棋譜_秒(123456.7);
  const std::string line = 棋譜行(e);
  ASSERT_EQ(line.size(), 358u);
  EXPECT_EQ(line.substr(0, 12), "-950 950   0");
  EXPECT_EQ(line.substr(320), " -10B:000000000020    0 12341234599999");
  const RecordEntry back = 棋譜行解析(cp932_to_code_points(line));
  EXPECT_EQ(棋譜行(back), line);
  EXPECT_EQ(back.hand_sita[1] * 100 + back.hand_ue[1], 1810);
}

TEST(RecordLine, ReadsLeniently) {
  const std::u32string full = std::u32string(353, U' ') + U"   42";
  const struct {
    std::u32string line;
    int first, second, last;  // board[1][1], board[1][2], time_ue_after
  } cases[] = {
      {U"", 0, 0, 0},           {U" -10", -10, 0, 0},  {U"  7x  -8", 7, -8, 0}, {U"--5 +5  ", 0, 0, 0},
      {U"歩  1  12", 0, 12, 0},  // columns are characters, not bytes
      {full, 0, 0, 42},         {full + U"999 junk", 0, 0, 42},
  };
  for (const auto& c : cases) {
    const RecordEntry e = 棋譜行解析(c.line);
    EXPECT_EQ(std::to_string(e.board[1][1]) + " " + std::to_string(e.board[1][2]) + " " + std::to_string(e.time_ue_after),
              std::to_string(c.first) + " " + std::to_string(c.second) + " " + std::to_string(c.last))
        << to_utf8(c.line);
  }
}

TEST(RecordFile, ReadsWhatever) {
  const std::string line(358, ' ');
  const struct {
    std::string bytes, title, lower;
    size_t entries;
  } cases[] = {
      {"", "", "", 0},
      {"a\rb\nc", "a", "c", 0},                   // any line end, the last one optional
      {"a\r\n\r\n\r\n\r\n\r\n", "a", "", 2},      // empty number lines read as zeros
      {"\x91\xe6\x81\r\n\r\n\xff\r\n" + line, "第\uFFFD", "\uFFFD", 1},  // damaged CP932
  };
  for (const auto& c : cases) {
    const Record r = 棋譜ファイル解析(c.bytes);
    EXPECT_EQ(r.title + "|" + r.lower, c.title + "|" + c.lower);
    EXPECT_EQ(r.entries.size(), c.entries);
  }
  std::string long_record = "t\r\nu\r\nl\r\n";
  for (int i = 1; i <= 503; ++i) long_record += std::to_string(i) + "\n";
  const Record r = 棋譜ファイル解析(long_record);
  ASSERT_EQ(r.entries.size(), 500u);
  EXPECT_EQ(r.entries.back().board[1][1], 500);
  EXPECT_EQ(r.left_out, 3);

  // A line break typed into a name would start a line of its own.
  Record two_lines{"a\nb", "", "", {}, 0};
  std::string bytes;
  ASSERT_TRUE(棋譜ファイル作成(two_lines, bytes));
  EXPECT_EQ(bytes, "a b\r\n\r\n\r\n");
}

}  // namespace
}  // namespace korvel
