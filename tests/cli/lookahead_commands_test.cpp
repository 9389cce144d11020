// The look-ahead player in the tool: think for either side, side, and match.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/protocol.h"

using korvel::Protocol;

namespace {

struct Sq {
  int x, y, code;
};

std::string position_line(std::initializer_list<Sq> pieces) {
  int b[10][10] = {};
  for (const Sq& s : pieces) b[s.x][s.y] = s.code;
  std::string line = "position";
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      line += ' ';
      line += std::to_string(b[x][y]);
    }
  return line + " 0 0 0 0 0 0 0 0 0 0 0 0 0 0";
}

std::vector<std::string> lines_of(const std::string& s) {
  std::vector<std::string> out;
  std::istringstream in(s);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

}  // namespace

TEST(LookaheadCommands, ThinkTakesTheKingAcrossTheSeamForTheSideToMove) {
  Protocol p;
  // The upper rook round the ring (1, 9, 8); the lower knight from file 1 to 9.
  const std::string pos = position_line({{2, 6, 900}, {3, 6, -10}, {8, 6, -950}, {9, 3, 950}, {1, 5, -30}});
  p.handle(pos);
  auto lines = lines_of(p.handle("think 500"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "info depth 1 nodes 1 score 30000 pv 2,6,8,6,900");
  EXPECT_EQ(lines[1], "best 2 6 8 6 900");
  EXPECT_EQ(p.handle("side lower"), "");
  lines = lines_of(p.handle("think 500"));
  EXPECT_EQ(lines.back(), "best 1 5 9 3 -31");  // promoted on the way in
  // A new position gives the move back to the upper side.
  p.handle(pos);
  EXPECT_EQ(lines_of(p.handle("think 500")).back(), "best 2 6 8 6 900");
}

TEST(LookaheadCommands, MatchPlaysPairsWithTheSidesSwappedAndScoresForTheFirstLevel) {
  Protocol p;
  const std::string answer = p.handle("match 1 2 2 5");
  const auto lines = lines_of(answer);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].rfind("game 1 upper 1 lower 2 winner ", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("game 2 upper 2 lower 1 winner ", 0), 0u) << lines[1];
  int w = 0, d = 0, l = 0;
  for (int g = 0; g < 2; ++g) {
    const bool a_upper = g == 0;
    const std::string& s = lines[static_cast<std::size_t>(g)];
    if (s.find("winner none") != std::string::npos)
      ++d;
    else if ((s.find("winner upper") != std::string::npos) == a_upper)
      ++w;
    else
      ++l;
  }
  std::ostringstream score;
  score << "score " << w << ' ' << d << ' ' << l;
  EXPECT_EQ(lines[2], score.str());
  // The same seed, the same openings and, for the one-ply levels, the same games;
  // levels 4 and 5 search a fixed number of positions, so theirs too.
  EXPECT_EQ(p.handle("match 1 2 2 5"), answer);
  const std::string ladder = p.handle("match 4 5 2 3");
  EXPECT_EQ(ladder.rfind("game 1 upper 4 lower 5 winner ", 0), 0u) << ladder;
  EXPECT_EQ(p.handle("match 4 5 2 3"), ladder);
}

TEST(LookaheadCommands, MalformedOrUnsearchableAnswerAnError) {
  Protocol p;
  p.handle("position startpos");
  for (const char* cmd : {"think", "think 0", "think x", "think 5 5", "side", "side middle", "match 7 1 2 1",
                          "match 1 0 2 1", "match 1 1 0 1", "match 1 2 3"})
    EXPECT_EQ(p.handle(cmd).rfind("error: ", 0), 0u) << cmd;
  p.handle(position_line({{5, 5, 42}, {5, 9, -950}}));
  EXPECT_EQ(p.handle("think 10").rfind("error: ", 0), 0u);
}
