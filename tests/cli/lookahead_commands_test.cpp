// The look-ahead player in the tool: think for either side, side, and match.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/match.h"
#include "cli/protocol.h"
#include "lookahead/levels.h"

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

// An info line without its time, which no two runs share, and the number
// after a word of it.
std::string timeless(std::string line) {
  const std::size_t at = line.find(" time ");
  return at == std::string::npos ? line : line.erase(at, line.find(' ', at + 6) - at);
}
long long after_word(const std::string& line, const std::string& word) {
  return std::stoll(line.substr(line.find(' ' + word + ' ') + word.size() + 2));
}

}  // namespace

TEST(LookaheadCommands, ThinkTakesTheKingAcrossTheSeamForTheSideToMove) {
  Protocol p;
  // The upper rook round the ring (1, 9, 8); the lower knight from file 1 to 9.
  const std::string pos = position_line({{2, 6, 900}, {3, 6, -10}, {8, 6, -950}, {9, 3, 950}, {1, 5, -30}});
  p.handle(pos);
  auto lines = lines_of(p.handle("think 500"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(timeless(lines[0]), "info depth 1 nodes 1 score 30000 pv 2,6,8,6,900");
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
  // Every level plays in a match on one thread with a fixed number of
  // positions, the top one too: the same seed, the same games, anywhere.
  for (int level = korvel::FIRST_LOOKAHEAD_LEVEL; level <= korvel::TOP_LEVEL; ++level) {
    const korvel::LookaheadLimits l = korvel::match_player(level).limits;
    EXPECT_TRUE(korvel::Lookahead::thread_count(l) == 1 && l.nodes > 0 && l.time_ms == 0) << level;
  }
}

// From the start on two threads: depth by depth, the time and the count of
// positions (every thread's) grow; the ladder, one line a look-ahead level.
TEST(LookaheadCommands, ThinkOnTwoThreadsGivesTheTimeAndLevelsListsTheLadder) {
  Protocol p;
  p.handle("position startpos");
  auto lines = lines_of(p.handle("think 300 2"));
  ASSERT_GE(lines.size(), 3u);
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    EXPECT_EQ(after_word(lines[i], "depth"), static_cast<long long>(i) + 1) << lines[i];
    EXPECT_GE(after_word(lines[i], "time"), after_word(lines[i - 1], "time")) << lines[i];
    EXPECT_LE(after_word(lines[i], "time"), 300) << lines[i];
    EXPECT_GT(after_word(lines[i], "nodes"), after_word(lines[i - 1], "nodes")) << lines[i];
  }
  lines = lines_of(p.handle("levels"));
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(korvel::TOP_LEVEL - korvel::FIRST_LOOKAHEAD_LEVEL + 2));
  EXPECT_EQ(lines[0], "level 4 nodes 900");
  for (std::size_t i = 1; i + 2 < lines.size(); ++i)  // each step searches more than the one below
    EXPECT_GT(after_word(lines[i], "nodes"), after_word(lines[i - 1], "nodes")) << lines[i];
  EXPECT_EQ(lines[lines.size() - 2], "level " + std::to_string(korvel::TOP_LEVEL) + " ms 2000");
  EXPECT_EQ(lines.back(), "end");
}

TEST(LookaheadCommands, MalformedOrUnsearchableAnswerAnError) {
  Protocol p;
  p.handle("position startpos");
  const std::string above_top = std::to_string(korvel::TOP_LEVEL + 1);
  for (const std::string& cmd :
       std::vector<std::string>{"think", "think 0", "think x", "think 5 5 5", "think 5 0", "think 5 -1", "think 5 65",
                                "think 5 x", "side", "side middle", "match " + above_top + " 1 2 1", "match 1 0 2 1",
                                "match 1 1 0 1", "match 1 2 3", "levels 4"})
    EXPECT_EQ(p.handle(cmd).rfind("error: ", 0), 0u) << cmd;
  p.handle(position_line({{5, 5, 42}, {5, 9, -950}}));
  EXPECT_EQ(p.handle("think 10").rfind("error: ", 0), 0u);
}
