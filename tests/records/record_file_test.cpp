// The record file's bytes: number lines, header lines, and reading damaged
// or odd files leniently.
#include <gtest/gtest.h>

#include <string>

#include "records/record_file.h"
#include "records/shift_jis.h"

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
  e.time_sita_before = 0;
  e.time_sita_after = 1234;
  e.time_ue_before = 12345;
  e.time_ue_after = 棋譜_秒(123456.7);
  const std::string line = 棋譜行(e);
  ASSERT_EQ(line.size(), 358u);
  EXPECT_EQ(line.substr(0, 12), "-950 950   0");
  EXPECT_EQ(line.substr(320, 4), " -10");
  EXPECT_EQ(line.substr(324, 14), "B:000000000020");
  EXPECT_EQ(line.substr(338), "    0 12341234599999");
  EXPECT_EQ(棋譜_秒(59.99), 59);

  // Read back, hand counts of ten and more included.
  const RecordEntry back = 棋譜行解析(cp932_to_code_points(line));
  EXPECT_EQ(棋譜行(back), line);
  EXPECT_EQ(back.hand_sita[1], 18);
  EXPECT_EQ(back.hand_ue[1], 10);
  EXPECT_EQ(back.time_ue_after, 99999);
}

TEST(RecordLine, ReadsLeniently) {
  struct Case {
    std::u32string line;
    int first, second, clock_last;  // board[1][1], board[1][2], time_ue_after
  };
  const std::u32string full = std::u32string(353, U' ') + U"   42";
  const Case cases[] = {
      {U"", 0, 0, 0},
      {U" -10", -10, 0, 0},           // a short line: the rest reads 0
      {U"  7x  -8", 7, -8, 0},        // anything else ends the number
      {U"--5 +5  ", 0, 0, 0},         // no number at all
      {U"歩  1  12", 0, 12, 0},       // columns are characters, not bytes
      {full, 0, 0, 42},
      {full + U"999 junk", 0, 0, 42},  // past the last field
  };
  for (const Case& c : cases) {
    const RecordEntry e = 棋譜行解析(c.line);
    EXPECT_EQ(e.board[1][1], c.first) << to_utf8(c.line);
    EXPECT_EQ(e.board[1][2], c.second) << to_utf8(c.line);
    EXPECT_EQ(e.time_ue_after, c.clock_last) << to_utf8(c.line);
  }
}

TEST(RecordFile, HeadersAreCp932WithCrLfAndStayOneLineEach) {
  Record r;
  r.title = "第一局";
  r.upper = "ｺﾝﾋﾟｭｰﾀ";
  r.lower = "two\nlines";
  r.entries.resize(1);
  std::string bytes;
  ASSERT_TRUE(棋譜ファイル作成(r, bytes));
  EXPECT_EQ(bytes.substr(0, 28), "\x91\xe6\x88\xea\x8b\xc7\r\n\xba\xdd\xcb\xdf\xad\xb0\xc0\r\ntwo lines\r\n");
  EXPECT_EQ(bytes.size(), 28u + 360u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

  r.title = "王🙂";  // no CP932 form
  EXPECT_FALSE(棋譜ファイル作成(r, bytes));
}

TEST(RecordFile, ReadsWhatever) {
  const std::string line(358, ' ');
  struct Case {
    std::string bytes;
    std::string title, lower;
    int entries;
  };
  const Case cases[] = {
      {"", "", "", 0},
      {"a\r\nb\r\nc\r\n", "a", "c", 0},
      {"a\rb\nc", "a", "c", 0},                               // any line end, the last one optional
      {"a\r\n\r\n\r\n\r\n\r\n", "a", "", 2},                  // empty number lines read as zeros
      {"\x91\xe6\x81\r\n\r\n\xff\r\n" + line, "第\xEF\xBF\xBD", "\xEF\xBF\xBD", 1},  // damaged CP932
      {"t\r\nu\r\nl\r\n" + line + "\r\n" + line, "t", "l", 2},
  };
  for (const Case& c : cases) {
    const Record r = 棋譜ファイル解析(c.bytes);
    EXPECT_EQ(r.title, c.title);
    EXPECT_EQ(r.lower, c.lower);
    EXPECT_EQ(static_cast<int>(r.entries.size()), c.entries);
    EXPECT_EQ(r.left_out, 0);
  }
  std::string long_record = "t\r\nu\r\nl\r\n";
  for (int i = 1; i <= 503; ++i) long_record += std::to_string(i) + "\r\n";
  const Record r = 棋譜ファイル解析(long_record);
  ASSERT_EQ(r.entries.size(), 500u);
  EXPECT_EQ(r.entries.back().board[1][1], 500);
  EXPECT_EQ(r.left_out, 3);
}

}  // namespace
}  // namespace korvel
