// korvel-cli's look into a record file.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/protocol.h"

namespace {

std::vector<std::string> lines(const std::string& s) {
  std::vector<std::string> out;
  std::istringstream in(s);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

TEST(RecordCommand, PrintsHeadersThenEachEntryInPositionOrder) {
  korvel::Protocol p;
  const auto out = lines(p.handle("  record  " KORVEL_SOURCE_DIR "/tests/game/short_game.棋譜"));
  ASSERT_EQ(out.size(), 7u);
  EXPECT_EQ(out[0], "title 第一局");
  EXPECT_EQ(out[1], "upper 後手花子");
  EXPECT_EQ(out[2], "lower 先手太郎");
  EXPECT_EQ(out[6], "end");
  std::istringstream third(out[5]);
  std::string word;
  int n = 0;
  third >> word >> n;
  EXPECT_EQ(word + " " + std::to_string(n), "entry 3");
  std::vector<int> v;
  for (int x; third >> x;) v.push_back(x);
  ASSERT_EQ(v.size(), 99u);
  EXPECT_EQ(v[(8 - 1) * 9 + (2 - 1)], -801);  // the promoted bishop on (8, 2)
  EXPECT_EQ(std::vector<int>(v.begin() + 81, v.end()),
            (std::vector<int>{0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1234, 1234, 12345, 12345}));

  EXPECT_EQ(p.handle("record /no/such/record.棋譜"), "error: cannot read /no/such/record.棋譜: No such file or directory\n");
  EXPECT_EQ(p.handle("record"), "error: record takes FILE\n");
}

}  // namespace
