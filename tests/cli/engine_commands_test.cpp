// The tool's questions about attack maps, pins and mates.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "cli/protocol.h"

using korvel::Protocol;

namespace {

struct Sq {
  int x, y, code;
};

std::string position_line(std::initializer_list<Sq> pieces, const std::string& hands =
                                                                 "0 0 0 0 0 0 0 0 0 0 0 0 0 0") {
  int b[10][10] = {};
  for (const Sq& s : pieces) b[s.x][s.y] = s.code;
  std::string line = "position";
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) line += " " + std::to_string(b[x][y]);
  return line + " " + hands;
}

std::vector<std::string> lines_of(const std::string& s) {
  std::vector<std::string> out;
  std::istringstream in(s);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

// The value of square (x, y) in a map line "NAME v1 ... v81".
int map_value(const std::string& line, int x, int y) {
  std::istringstream in(line);
  std::string name;
  in >> name;
  int v = 0;
  for (int i = 0; i <= (x - 1) * 9 + (y - 1); ++i) in >> v;
  return v;
}

const char* const kMapNames[] = {"KIKI_SITA", "KIKI_UE",      "HIMO_SITA",    "HIMO_UE",
                                 "HIMO_X_UE", "HIMO_Y_UE",    "ATARI_SITA",   "ATARI_X_SITA",
                                 "ATARI_Y_SITA", "ATARI_UE",  "ATARI_X_UE",   "ATARI_Y_UE",
                                 "OUTE_SITA", "OUTE_UE"};

}  // namespace

TEST(EngineCommands, MapsPrintsFourteenMapsKingsAndEnd) {
  Protocol p;
  ASSERT_EQ(p.handle("position startpos"), "");
  const auto out = lines_of(p.handle("maps"));
  ASSERT_EQ(out.size(), 16u);
  for (size_t i = 0; i < 14; ++i) {
    std::istringstream in(out[i]);
    std::string name;
    in >> name;
    EXPECT_EQ(name, kMapNames[i]);
    int n = 0;
    for (int v; in >> v;) ++n;
    EXPECT_EQ(n, 81) << name;
    EXPECT_EQ(out[i].find("  "), std::string::npos);
  }
  EXPECT_EQ(out[14], "KINGS 5 9 5 1");
  EXPECT_EQ(out[15], "end");
  // The lower bishop on (2,8) defends the lance on (1,9); the upper rook on
  // (2,2) defends the pawn in front of it; lance, bishop and knight attack
  // the lower pawn on (1,7).
  EXPECT_EQ(map_value(out[2], 1, 9), -800);
  EXPECT_EQ(map_value(out[1], 2, 3), 1);
  EXPECT_EQ(map_value(out[0], 1, 7), 3);
}

TEST(EngineCommands, MapsOfASmallPosition) {
  Protocol p;
  ASSERT_EQ(p.handle(position_line({{5, 5, -10}, {5, 4, 100}, {5, 9, -950}, {5, 1, 950}})), "");
  const auto out = lines_of(p.handle("maps"));
  ASSERT_EQ(out.size(), 16u);
  EXPECT_EQ(map_value(out[0], 5, 4), 1);     // KIKI_SITA
  EXPECT_EQ(map_value(out[6], 5, 4), -10);   // ATARI_SITA
  EXPECT_EQ(map_value(out[7], 5, 4), 5);     // ATARI_X_SITA
  EXPECT_EQ(map_value(out[8], 5, 4), 5);     // ATARI_Y_SITA
  EXPECT_EQ(map_value(out[2], 1, 1), 999);   // HIMO_SITA reset value
  EXPECT_EQ(map_value(out[6], 1, 1), -999);  // ATARI_SITA reset value
  EXPECT_EQ(map_value(out[9], 1, 1), 999);   // ATARI_UE reset value
  EXPECT_EQ(out[14], "KINGS 5 9 5 1");
}

TEST(EngineCommands, PositionRebuildsTheMaps) {
  Protocol p;
  ASSERT_EQ(p.handle("position startpos"), "");
  EXPECT_EQ(p.position().KING_SITA_X, 5);
  EXPECT_EQ(p.position().KING_UE_Y, 1);
  EXPECT_EQ(p.engine_state().KIKI_SITA[1][7], 3);
  ASSERT_EQ(p.handle(position_line({{3, 3, -950}, {7, 7, 950}})), "");
  EXPECT_EQ(p.position().KING_SITA_X, 3);
  EXPECT_EQ(p.engine_state().KIKI_UE[6][6], 1);
}

TEST(EngineCommands, PositionForgetsEverythingOfTheLastPosition) {
  Protocol p;
  // An upper silver defends a pawn: the defender's square goes into the
  // maps that a rebuild does not reset.
  ASSERT_EQ(p.handle(position_line({{5, 5, 10}, {4, 4, 100}, {5, 9, -900}, {5, 7, -100},
                                    {5, 8, -950}, {1, 1, 950}})),
            "");
  auto out = lines_of(p.handle("maps"));
  ASSERT_EQ(map_value(out[4], 5, 5), 4);  // HIMO_X_UE
  ASSERT_EQ(lines_of(p.handle("pins"))[1], "PIN_FLAG_UE 0");
  // A position without kings: the king squares and coordinate maps are
  // back to zero, as at start-up.
  ASSERT_EQ(p.handle(position_line({{5, 5, 10}})), "");
  out = lines_of(p.handle("maps"));
  EXPECT_EQ(map_value(out[4], 5, 5), 0);
  EXPECT_EQ(map_value(out[5], 5, 5), 0);
  EXPECT_EQ(out[14], "KINGS 0 0 0 0");
  EXPECT_EQ(p.engine_state().PIN_SITA[5][7], 0);
}

TEST(EngineCommands, PinsPrintsTheMapAndTheFlag) {
  Protocol p;
  ASSERT_EQ(p.handle(position_line({{5, 2, 900}, {5, 7, -100}, {5, 9, -950}, {1, 1, 950},
                                    {1, 3, 110}, {1, 9, -20}})),
            "");
  const auto out = lines_of(p.handle("pins"));
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].rfind("PIN_SITA ", 0), 0u);
  EXPECT_EQ(map_value(out[0], 5, 7), 1);
  int total = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) total += map_value(out[0], x, y);
  EXPECT_EQ(total, 1);
  EXPECT_EQ(out[1], "PIN_FLAG_UE 1");  // the gold shields its king from the lance
  EXPECT_EQ(out[2], "end");
}

TEST(EngineCommands, MateAnswers) {
  struct Case {
    const char* what;
    std::string position;
    const char* man;
    const char* com;
  };
  const Case cases[] = {
      {"start position", "position startpos", "0\n", "0\n"},
      {"human king mated by a guarded gold",
       position_line({{5, 9, -950}, {5, 8, 110}, {5, 7, 10}, {1, 1, 950}}), "1\n", "0\n"},
      {"a gold in the human's hand changes nothing",
       position_line({{5, 9, -950}, {5, 8, 110}, {5, 7, 10}, {1, 1, 950}},
                     "0 0 0 0 1 0 0 0 0 0 0 0 0 0"),
       "1\n", "0\n"},
      {"computer king mated by a guarded gold",
       position_line({{5, 1, 950}, {5, 2, -110}, {5, 3, -10}, {9, 9, -950}}), "0\n", "1\n"},
      {"the computer can take the checker",
       position_line({{5, 1, 950}, {5, 2, -110}, {5, 3, -10}, {4, 1, 100}, {9, 9, -950}}),
       "0\n", "0\n"},
  };
  for (const Case& c : cases) {
    Protocol p;
    ASSERT_EQ(p.handle(c.position), "") << c.what;
    int before[10][10];
    std::memcpy(before, p.position().Board, sizeof before);
    EXPECT_EQ(p.handle("mate man"), c.man) << c.what;
    EXPECT_EQ(p.handle("mate com"), c.com) << c.what;
    EXPECT_EQ(std::memcmp(before, p.position().Board, sizeof before), 0) << c.what;
  }
}

TEST(EngineCommands, MalformedEngineCommands) {
  Protocol p;
  p.handle("position startpos");
  for (const char* line : {"maps 1", "pins x", "mate", "mate both", "mate man com", "MAPS"}) {
    const std::string out = p.handle(line);
    EXPECT_EQ(out.rfind("error: ", 0), 0u) << line;
    EXPECT_EQ(out.find('\n'), out.size() - 1) << line;
  }
  EXPECT_EQ(p.handle("mate man"), "0\n");
}

TEST(EngineCommands, DamagedPositionsAnswerWithoutHarm) {
  Protocol p;
  // Codes that stand for no piece, two kings a side, a huge hand.
  ASSERT_EQ(p.handle(position_line({{1, 1, 111}, {2, 2, -111}, {3, 3, 5}, {4, 4, -2147483647},
                                    {5, 5, 950}, {6, 6, 950}, {7, 7, -950}, {8, 8, -950},
                                    {9, 9, 2147483647}},
                                   "99 99 99 99 99 99 99 -5 -5 -5 -5 -5 -5 -5")),
            "");
  EXPECT_EQ(lines_of(p.handle("maps")).size(), 16u);
  EXPECT_EQ(lines_of(p.handle("pins")).size(), 3u);
  const std::string man = p.handle("mate man");
  EXPECT_TRUE(man == "0\n" || man == "1\n");
  const std::string com = p.handle("mate com");
  EXPECT_TRUE(com == "0\n" || com == "1\n");
  EXPECT_EQ(lines_of(p.handle("maps"))[14], "KINGS 8 8 6 6");  // the last of each met
}
