// The analysis tool's protocol, driven line by line as a script would.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli/protocol.h"

using korvel::Protocol;

namespace {

std::string startpos_line() {
  // Board of the initial position in file-major order, then empty hands.
  korvel::Position p;
  p.初期設定();
  std::string s = "position";
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) s += " " + std::to_string(p.Board[x][y]);
  for (int i = 0; i < 14; ++i) s += " 0";
  return s;
}

int count_lines(const std::string& s) {
  int n = 0;
  for (char c : s) n += c == '\n';
  return n;
}

}  // namespace

TEST(Protocol, MalformedLinesAnswerOneErrorAndGoOn) {
  Protocol p;
  const std::string too_short = startpos_line().substr(0, startpos_line().rfind(' '));  // 94
  const std::string too_long = startpos_line() + " 0";                                 // 96
  const char* bad[] = {
      "",        "frobnicate",        "legal 1 2 3 4",       "legal 1 2 3 4 5 6",
      "legal 1 2 x 4 5", "legal 1 2 3 4 5x", "promote 1 2 3 4",  "after 9",
      "after nine 10",   "moves",              "moves both",         "position",
      "position startpos extra", "quit now", "legal 1 2 3 4 99999999999999999999",
  };
  for (const char* line : bad) {
    const std::string out = p.handle(line);
    EXPECT_EQ(out.rfind("error: ", 0), 0u) << "line: '" << line << "' gave '" << out << "'";
    EXPECT_EQ(count_lines(out), 1) << line;
  }
  for (const std::string& line : {too_short, too_long}) {
    const std::string out = p.handle(line);
    EXPECT_EQ(out.rfind("error: ", 0), 0u);
    EXPECT_EQ(count_lines(out), 1);
  }
  EXPECT_FALSE(p.finished());
  // Still answering after all that.
  EXPECT_EQ(p.handle("position startpos"), "");
  EXPECT_EQ(p.handle("legal 5 1 9 1 950"), "0\n");
}

TEST(Protocol, AnswersOfTheSimpleCommands) {
  Protocol p;
  struct Case { const char* line; const char* answer; };
  const Case cases[] = {
      {"position startpos", ""},
      {"legal 2 2 9 2 900", "1\n"},      // the rook runs left round the seam
      {"legal 2 2 8 2 900", "0\n"},      // own bishop in the way either way
      {"legal 5 1 5 2 950", "1\n"},
      {"legal 1 3 1 4 10", "1\n"},
      {"legal 1 3 1 5 10", "0\n"},
      {"promote 5 2 5 5 -800", "1 -801\n"},
      {"promote 5 2 5 1 -10", "1 -11\n"},
      {"promote -1 1 5 8 10", "0\n"},
      {"promote 5 5 5 6 110", "0\n"},
      {"after 9 20", "0\n"},
      {"after 8 30", "0\n"},
      {"after 7 30", "1\n"},
      {"after 2 -30", "0\n"},
      {"  legal   5 9 5 8 -950  ", "1\n"},  // extra blanks are tolerated
      {"legal 5 9 5 8 -950\r", "1\n"},      // so is a CR LF line end
  };
  for (const Case& c : cases) EXPECT_EQ(p.handle(c.line), c.answer) << c.line;
}

TEST(Protocol, PositionSetsBoardAndHands) {
  Protocol p;
  // Lone kings, the lower hand holding a pawn and a rook, the upper one a gold.
  std::string line = "position";
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      int v = 0;
      if (x == 5 && y == 1) v = 950;
      if (x == 5 && y == 9) v = -950;
      if (x == 3 && y == 5) v = -10;
      line += " " + std::to_string(v);
    }
  line += " 1 0 0 0 0 0 2  0 0 0 0 3 0 0";
  ASSERT_EQ(p.handle(line), "");
  EXPECT_EQ(p.position().HAND_COUNT_SITA, 3);
  EXPECT_EQ(p.position().HAND_COUNT_UE, 3);
  EXPECT_EQ(p.position().Board[3][5], -10);
  // Two pawns on file 3 are refused, file 4 is fine; the flags are refreshed
  // by `legal` itself.
  EXPECT_EQ(p.handle("legal 11 3 3 7 -10"), "0\n");
  EXPECT_EQ(p.handle("legal 11 3 4 7 -10"), "1\n");
}

TEST(Protocol, MovesListsBoardMovesThenDropsAndEnds) {
  Protocol p;
  std::string line = "position";
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      int v = 0;
      if (x == 1 && y == 1) v = 950;   // upper king in the corner
      if (x == 5 && y == 9) v = -950;
      line += " " + std::to_string(v);
    }
  line += " 0 0 0 0 0 0 0  0 0 0 0 0 0 1";  // upper hand: one rook
  ASSERT_EQ(p.handle(line), "");
  const std::string out = p.handle("moves upper");
  // King on (1, 1): (1, 2), (2, 1), (2, 2) and across the seam (9, 1), (9, 2).
  const std::string king = "1 1 1 2 950\n1 1 2 1 950\n1 1 2 2 950\n1 1 9 1 950\n1 1 9 2 950\n";
  ASSERT_EQ(out.substr(0, king.size()), king);
  // Then the rook may be dropped on each of the 79 empty squares.
  EXPECT_EQ(count_lines(out), 5 + 79 + 1);
  EXPECT_NE(out.find("\n-1 7 1 3 900\n"), std::string::npos);
  EXPECT_EQ(out.substr(out.size() - 4), "end\n");

  const std::string lower = p.handle("moves lower");
  EXPECT_EQ(lower, "5 9 4 8 -950\n5 9 4 9 -950\n5 9 5 8 -950\n5 9 6 8 -950\n5 9 6 9 -950\nend\n");
}

TEST(Protocol, StartposMoveCountsMatchTheRules) {
  Protocol p;
  p.handle("position startpos");
  // Upper side at the start: 9 pawns, 2 lances, 2 silvers x 2, 2 golds x 3,
  // king 3, rook 7 (round the ring to file 1 and on to file 7).
  EXPECT_EQ(count_lines(p.handle("moves upper")) - 1, 9 + 2 + 4 + 6 + 3 + 7);
  EXPECT_EQ(count_lines(p.handle("moves lower")) - 1, 9 + 2 + 4 + 6 + 3 + 7);
}

TEST(Protocol, QuitAndEndOfInputEndTheTool) {
  Protocol p;
  EXPECT_EQ(p.handle("quit"), "");
  EXPECT_TRUE(p.finished());

  // The real tool reads standard input and stops at quit.
  const std::string cmd = std::string("printf 'position startpos\\nlegal 5 1 5 2 950\\nquit\\nlegal 5 1 5 2 950\\n' | ") +
                          KORVEL_CLI_PATH;
  FILE* f = popen(cmd.c_str(), "r");
  ASSERT_NE(f, nullptr);
  std::string out;
  char buf[256];
  while (fgets(buf, sizeof buf, f)) out += buf;
  EXPECT_EQ(pclose(f), 0);
  EXPECT_EQ(out, "1\n");
}
