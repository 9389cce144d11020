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

// "info depth D time MS nodes N " and what follows; depth -1 when the line
// does not start so.
struct InfoLine {
  int depth = -1;
  long long time = -1, nodes = -1;
  std::string rest;
};

InfoLine info_of(const std::string& line) {
  std::istringstream in(line);
  std::string info, depth, time, nodes;
  InfoLine l;
  if (!(in >> info >> depth >> l.depth >> time >> l.time >> nodes >> l.nodes) || info != "info" ||
      depth != "depth" || time != "time" || nodes != "nodes")
    return InfoLine{};
  std::getline(in >> std::ws, l.rest);
  return l;
}

}  // namespace

TEST(LookaheadCommands, ThinkTakesTheKingAcrossTheSeamForTheSideToMove) {
  Protocol p;
  // The upper rook round the ring (1, 9, 8); the lower knight from file 1 to 9.
  const std::string pos = position_line({{2, 6, 900}, {3, 6, -10}, {8, 6, -950}, {9, 3, 950}, {1, 5, -30}});
  p.handle(pos);
  auto lines = lines_of(p.handle("think 500"));
  ASSERT_EQ(lines.size(), 2u);
  const InfoLine first = info_of(lines[0]);
  EXPECT_EQ(first.depth, 1);
  EXPECT_GE(first.time, 0);
  EXPECT_EQ(first.nodes, 1);
  EXPECT_EQ(first.rest, "score 30000 pv 2,6,8,6,900");
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
  // Every level plays in a match on one thread, the top one too, with a
  // fixed number of positions: the same seed, the same games, on any machine.
  for (int level = korvel::FIRST_LOOKAHEAD_LEVEL; level <= korvel::TOP_LEVEL; ++level) {
    const korvel::LookaheadLimits l = korvel::match_player(level).limits;
    EXPECT_EQ(korvel::Lookahead::thread_count(l), 1) << level;
    EXPECT_TRUE(l.nodes > 0 && l.time_ms == 0) << level;
  }
  EXPECT_EQ(korvel::match_player(korvel::TOP_LEVEL).limits.nodes, korvel::TOP_MATCH_LIMITS.nodes);
}

// From the start on two threads: every line's time and count of positions
// grow, and the count is every thread's.
TEST(LookaheadCommands, ThinkOnSeveralThreadsGivesTheTimeAndEveryThreadsPositions) {
  Protocol p;
  p.handle("position startpos");
  const auto lines = lines_of(p.handle("think 300 2"));
  ASSERT_GE(lines.size(), 2u);
  long long last_time = 0, last_nodes = 0;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const InfoLine l = info_of(lines[i]);
    EXPECT_EQ(l.depth, static_cast<int>(i) + 1) << lines[i];
    EXPECT_GE(l.time, last_time) << lines[i];
    EXPECT_GT(l.nodes, last_nodes) << lines[i];
    EXPECT_EQ(l.rest.rfind("score ", 0), 0u) << lines[i];
    EXPECT_NE(l.rest.find(" pv "), std::string::npos) << lines[i];
    last_time = l.time;
    last_nodes = l.nodes;
  }
  EXPECT_LE(last_time, 300);
  EXPECT_EQ(lines.back().rfind("best ", 0), 0u);
}

// One line a look-ahead level, the top one by its time as the window plays it.
TEST(LookaheadCommands, LevelsListsWhatEachLevelSearches) {
  Protocol p;
  const auto lines = lines_of(p.handle("levels"));
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(korvel::TOP_LEVEL - korvel::FIRST_LOOKAHEAD_LEVEL + 2));
  EXPECT_EQ(lines[0], "level 4 nodes 900");
  EXPECT_EQ(lines[1], "level 5 nodes 1600");
  std::uint64_t below = 0;
  for (int level = korvel::FIRST_LOOKAHEAD_LEVEL; level < korvel::TOP_LEVEL; ++level) {
    const std::string& l = lines[static_cast<std::size_t>(level - korvel::FIRST_LOOKAHEAD_LEVEL)];
    const std::string head = "level " + std::to_string(level) + " nodes ";
    ASSERT_EQ(l.rfind(head, 0), 0u) << l;
    const std::uint64_t nodes = std::stoull(l.substr(head.size()));
    EXPECT_GT(nodes, below) << l;  // each step searches more than the one below
    below = nodes;
  }
  EXPECT_EQ(lines[lines.size() - 2], "level " + std::to_string(korvel::TOP_LEVEL) + " ms 2000");
  EXPECT_EQ(lines.back(), "end");
}

TEST(LookaheadCommands, MalformedOrUnsearchableAnswerAnError) {
  Protocol p;
  p.handle("position startpos");
  const std::string above_top = std::to_string(korvel::TOP_LEVEL + 1);
  for (const std::string& cmd : std::vector<std::string>{"think", "think 0", "think x", "think 5 5 5", "think 5 0", "think 5 -1", "think 5 65",
                                "think 5 x", "side", "side middle", "match " + above_top + " 1 2 1", "match 1 0 2 1",
                                "match 1 1 0 1", "match 1 2 3", "levels 4"})
    EXPECT_EQ(p.handle(cmd).rfind("error: ", 0), 0u) << cmd;
  p.handle(position_line({{5, 5, 42}, {5, 9, -950}}));
  EXPECT_EQ(p.handle("think 10").rfind("error: ", 0), 0u);
}
