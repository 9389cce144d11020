// korvel-cli's review: its lines for a short game with a recapture, the
// same at any thread count, and one error line for what cannot be reviewed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "cli/protocol.h"

namespace fs = std::filesystem;

TEST(ReviewCommand, OneLineAPlyTheSameAtAnyThreadCountAndErrors) {
  korvel::Protocol p;
  const fs::path dir = fs::temp_directory_path() / ("korvel-review-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "game.kif") << "手合割：平手\n   1 ７六歩(77)\n   2 ３四歩(33)\n   3 ２二角成(88)\n   4 同　銀(31)\n";
  const std::string record = (dir / "game.棋譜").string();
  ASSERT_EQ(p.handle("kif-record " + (dir / "game.kif").string() + " " + record), "ok 4\n");

  const std::string one = p.handle("review " + record + " 3000 1");
  EXPECT_EQ(p.handle("review " + record + " 3000 2"), one);
  std::istringstream lines(one);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "budget 3000");
  std::getline(lines, line);
  EXPECT_EQ(line.substr(0, 6), "scale ");
  EXPECT_GT(std::stod(line.substr(6)), 0);
  const char* played[] = {"７六歩(77)", "３四歩(33)", "２二角成(88)", "同　銀(31)"};
  int marked[2] = {0, 0};
  for (int n = 1; n <= 4; ++n) {
    std::getline(lines, line);
    std::istringstream is(line);
    std::string w[14], extra;
    for (std::string& s : w) is >> s;
    ASSERT_FALSE(is >> extra) << line;
    EXPECT_EQ(w[0] + w[1] + w[4] + w[6] + w[8] + w[10] + w[12], "ply" + std::to_string(n) + "beforeafterlossbestmark");
    EXPECT_EQ(w[2], n % 2 == 1 ? "lower" : "upper");  // the lower side moved first
    EXPECT_EQ(w[3], played[n - 1]);
    EXPECT_EQ(std::to_string(std::stoi(w[5])), w[5]);
    EXPECT_EQ(std::to_string(std::stoi(w[7])), w[7]);
    EXPECT_EQ(w[9].size() - w[9].find('.'), 2u) << "one decimal: " << w[9];
    const std::set<std::string> marks{"-", "緩手", "疑問手", "悪手", "大悪手"};
    EXPECT_TRUE(marks.contains(w[13])) << w[13];
    if (w[11] == w[3]) {
      EXPECT_EQ(w[13], "-") << "the best move played earns no mark";
    }
    marked[n % 2 == 1 ? 0 : 1] += w[13] != "-";
  }
  std::getline(lines, line);
  std::istringstream summary(line);
  std::string word[11];
  for (std::string& s : word) summary >> s;
  ASSERT_EQ(word[0] + word[1] + word[6], "summarylowerupper") << line;
  EXPECT_EQ(std::stoi(word[2]) + std::stoi(word[3]) + std::stoi(word[4]) + std::stoi(word[5]), marked[0]);
  EXPECT_EQ(std::stoi(word[7]) + std::stoi(word[8]) + std::stoi(word[9]) + std::stoi(word[10]), marked[1]);
  std::getline(lines, line);
  EXPECT_EQ(line, "end");
  EXPECT_FALSE(std::getline(lines, line));

  std::ofstream(dir / "empty.棋譜") << "title\r\nupper\r\nlower\r\n";
  EXPECT_EQ(p.handle("review " + (dir / "empty.棋譜").string()), "error: 検討する指し手がありません\n");
  EXPECT_EQ(p.handle("review /no/such.棋譜"), "error: cannot read /no/such.棋譜: No such file or directory\n");
  for (const char* bad : {"review", "review a 0", "review a b", "review a 10 0", "review a 10 2 x"})
    EXPECT_EQ(p.handle(bad), "error: review takes FILE [NODES [THREADS]]\n") << bad;
  fs::remove_all(dir);
}
