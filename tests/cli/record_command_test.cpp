// korvel-cli's look into a record file.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/protocol.h"

TEST(RecordCommand, PrintsHeadersThenEachEntryInPositionOrder) {
  korvel::Protocol p;
  std::istringstream out(p.handle("  record  " KORVEL_SOURCE_DIR "/tests/game/short_game.棋譜"));
  std::string header[3], entry[3], end;
  for (std::string& l : header) std::getline(out, l);
  for (std::string& l : entry) std::getline(out, l);
  std::getline(out, end);
  EXPECT_EQ(header[0] + "|" + header[1] + "|" + header[2] + "|" + end, "title 第一局|upper 後手花子|lower 先手太郎|end");
  // The promoted bishop on (8, 2), the captured bishop in the lower hand, the clocks.
  EXPECT_EQ(entry[2].substr(0, 10), "entry 3 20");
  EXPECT_NE(entry[2].find(" 30 -801 10 "), std::string::npos);
  EXPECT_EQ(entry[2].substr(entry[2].size() - 54), " -20 0 0 0 0 0 1 0 0 0 0 0 0 0 0 1234 1234 12345 12345");

  EXPECT_EQ(p.handle("record /no/such.棋譜"), "error: cannot read /no/such.棋譜: No such file or directory\n");
  EXPECT_EQ(p.handle("record"), "error: record takes FILE\n");
}
