// The search of the computer's turn: generation order, the two early stops,
// the promotion choice, drops, and a Board left as it was found.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/protocol.h"
#include "engine/engine.h"
#include "tests/engine/attack_fixture.h"

using namespace korvel;

namespace {

using Put = korvel::testing::Piece;

class SearchTest : public ::testing::Test {
 protected:
  Position pos;
  EngineState st;
  Engine eng{pos, st};
  std::vector<Candidate> all;
  int ticks = 0;

  void set(const std::vector<Put>& pieces, std::vector<int> hand_ue_slots = {}) {
    pos = Position{};
    st = EngineState{};
    for (const Put& p : pieces) pos.Board[p.x][p.y] = p.code;
    for (int slot : hand_ue_slots) pos.HAND_UE[slot] += 1;
    pos.持駒数再計算();
    eng.勢力調査();
  }

  std::optional<Candidate> run(int level = 3) {
    all.clear();
    ticks = 0;
    st.COM_LEVEL = level;
    return eng.com_ban_探索([this] { ++ticks; }, &all);
  }

  const Candidate* find(int fx, int fy, int tx, int ty) const {
    for (const Candidate& c : all)
      if (c.fx == fx && c.fy == fy && c.tx == tx && c.ty == ty) return &c;
    return nullptr;
  }

  // The score of a board move with the given piece on the destination,
  // played the way the search plays it, on a freshly started turn.
  Score evaluate(int fx, int fy, int tx, int ty, int placed) {
    eng.com_ban_準備();
    const int stood = pos.Board[fx][fy], cap = pos.Board[tx][ty];
    st.TRY_PIECE = stood;
    st.KING_DISTANCE_START =
        std::max(std::abs(pos.KING_SITA_X - fx), std::abs(pos.KING_SITA_Y - fy));
    pos.Board[fx][fy] = 0;
    pos.Board[tx][ty] = placed;
    eng.勢力調査();
    const Score s = eng.盤評価(cap, placed, fx, fy, tx, ty);
    pos.Board[tx][ty] = cap;
    pos.Board[fx][fy] = stood;
    return s;
  }
};

std::vector<std::string> suite_lines() {
  std::ifstream in(std::string(KORVEL_SOURCE_DIR) + "/bench/positions.txt");
  std::vector<std::string> out;
  std::string line;
  while (std::getline(in, line))
    if (!line.empty() && line[0] != '#') out.push_back("position " + line);
  return out;
}

}  // namespace

TEST_F(SearchTest, KingCaptureEndsTheSearchAtOnce) {
  // The gold on file 2 and the silver on file 4 can both take the king;
  // the gold comes first and nothing after it is tried, not even a drop.
  set({{5, 1, OU}, {3, 5, -OU}, {2, 4, KIN}, {4, 4, GIN}}, {5});
  const auto best = run();
  ASSERT_TRUE(best);
  EXPECT_EQ(best->fx, 2);
  EXPECT_EQ(best->fy, 4);
  EXPECT_EQ(best->tx, 3);
  EXPECT_EQ(best->ty, 5);
  EXPECT_EQ(best->score, Score(9999));
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(all.back().tx, 3);
  EXPECT_EQ(all.back().ty, 5);
  EXPECT_EQ(all.back().captured, -OU);
  for (const Candidate& c : all) EXPECT_LE(c.fx, 2) << "tried after the king capture";
  EXPECT_EQ(ticks, 2);
}

TEST_F(SearchTest, DropLoopStopsAtAMate) {
  // Gold to (5, 8), guarded by the silver, mates; the rook and bishop in hand
  // are never tried.
  set({{5, 1, OU}, {5, 9, -OU}, {5, 7, GIN}}, {5, 6, 7});
  const auto best = run();
  ASSERT_TRUE(best);
  EXPECT_EQ(best->fx, -1);
  EXPECT_EQ(best->fy, 5);
  EXPECT_EQ(best->tx, 5);
  EXPECT_EQ(best->ty, 8);
  EXPECT_EQ(best->score, Score(9998));
  EXPECT_EQ(all.back().fx, -1);
  EXPECT_EQ(all.back().tx, 5);
  EXPECT_EQ(all.back().ty, 8);
  EXPECT_EQ(ticks, 9 + 5);
}

TEST_F(SearchTest, BoardMoveLoopGoesOnPastAMate) {
  set({{5, 1, OU}, {5, 9, -OU}, {5, 7, GIN}, {4, 7, KIN}});
  const auto best = run();
  ASSERT_TRUE(best);
  EXPECT_EQ(best->fx, 4);
  EXPECT_EQ(best->tx, 5);
  EXPECT_EQ(best->ty, 8);
  EXPECT_EQ(best->score, Score(9998));
  // The silver and the king on file 5 are still tried.
  EXPECT_NE(find(5, 7, 5, 8), nullptr);
  EXPECT_NE(find(5, 1, 5, 2), nullptr);
  EXPECT_EQ(ticks, 9);
}

TEST_F(SearchTest, PiecePlacedAfterThePromotionChoice) {
  set({{5, 1, OU},
       {1, 9, -OU},
       {3, 6, HU},
       {4, 8, HU},
       {2, 6, KEI},
       {6, 6, KYOU},
       {3, 5, KAKU},
       {7, 4, HISHA}});
  run();
  struct Case {
    int fx, fy, tx, ty, placed;
  } cases[] = {
      {3, 6, 3, 7, TO},        // may promote: a pawn always does
      {4, 8, 4, 9, TO},        // must promote
      {2, 6, 1, 8, NARIKEI},   // a knight on row 8 must
      {2, 6, 3, 8, NARIKEI},
      {6, 6, 6, 9, NARIKYOU},  // a lance on row 9 must
      {3, 5, 5, 7, UMA},       // into the far rows: a bishop always promotes
      {3, 5, 4, 6, KAKU},      // outside them it cannot
      {7, 4, 7, 7, RYU},
      {7, 4, 7, 6, HISHA},
  };
  for (const Case& c : cases) {
    const Candidate* cand = find(c.fx, c.fy, c.tx, c.ty);
    ASSERT_NE(cand, nullptr) << c.fx << c.fy << "->" << c.tx << c.ty;
    EXPECT_EQ(cand->piece, c.placed) << c.fx << c.fy << "->" << c.tx << c.ty;
  }
  // A lance that may stay unpromoted is promoted only when that scores more.
  const Candidate* lance = find(6, 6, 6, 7);
  ASSERT_NE(lance, nullptr);
  const Score u = evaluate(6, 6, 6, 7, KYOU), p = evaluate(6, 6, 6, 7, NARIKYOU);
  EXPECT_EQ(lance->piece, p > u ? NARIKYOU : KYOU);
  EXPECT_EQ(lance->score, p > u ? p : u);
}

TEST_F(SearchTest, PawnPlacedPromotedKeepsTheBetterUnpromotedScore) {
  // The pawn takes a pawn where the human lance takes back; its origin is
  // watched by the computer's lance once: the pawn's terms give it 55.
  set({{5, 1, OU}, {5, 9, -OU}, {3, 1, KYOU}, {3, 6, HU}, {3, 7, -HU}, {3, 9, -KYOU}});
  const Score unpromoted = evaluate(3, 6, 3, 7, HU);
  const Score promoted = evaluate(3, 6, 3, 7, TO);
  ASSERT_GT(unpromoted, promoted);
  run();
  const Candidate* c = find(3, 6, 3, 7);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->piece, TO);
  EXPECT_EQ(c->score, unpromoted);
}

TEST_F(SearchTest, DropsOnlyWhenTheHandHeldPiecesAtTheStart) {
  const std::vector<Put> pieces = {{5, 1, OU}, {5, 9, -OU}};
  set(pieces);
  run();
  EXPECT_EQ(ticks, 9);
  EXPECT_TRUE(std::none_of(all.begin(), all.end(), [](const Candidate& c) { return c.fx < 0; }));

  set(pieces, {5});
  run();
  EXPECT_EQ(ticks, 16);
  EXPECT_TRUE(std::all_of(all.begin(), all.end(),
                          [](const Candidate& c) { return c.fx > 0 || (c.fy == 5 && c.piece == KIN); }));
  EXPECT_EQ(std::count_if(all.begin(), all.end(), [](const Candidate& c) { return c.fx < 0; }),
            81 - 2);  // every square but the two kings

  // The start-of-turn total decides, not the slots.
  set(pieces, {5});
  pos.HAND_COUNT_UE = 0;
  run();
  EXPECT_EQ(ticks, 9);
  EXPECT_TRUE(std::none_of(all.begin(), all.end(), [](const Candidate& c) { return c.fx < 0; }));
}

TEST_F(SearchTest, NoCandidateNoBestMove) {
  set({{5, 9, -OU}, {4, 9, -KIN}});
  EXPECT_FALSE(run());
  EXPECT_TRUE(all.empty());
}

TEST(SearchOverSuite, BestIsTheFirstTopScoreAndTheBoardIsLeftAsFound) {
  const auto lines = suite_lines();
  ASSERT_GE(lines.size(), 40u);
  for (size_t i = 0; i < 40; ++i) {
    Protocol p;
    ASSERT_EQ(p.handle(lines[i]), "");
    const Position before = p.position();
    const std::string out = p.handle("search " + std::to_string(1 + i % 3));

    for (int x = 0; x < 10; ++x)
      for (int y = 0; y < 10; ++y) ASSERT_EQ(p.position().Board[x][y], before.Board[x][y]) << i;
    for (int k = 0; k < 8; ++k) {
      ASSERT_EQ(p.position().HAND_UE[k], before.HAND_UE[k]) << i;
      ASSERT_EQ(p.position().HAND_SITA[k], before.HAND_SITA[k]) << i;
    }
    EXPECT_EQ(p.position().HAND_COUNT_UE, before.HAND_COUNT_UE);
    EXPECT_EQ(p.position().HAND_COUNT_SITA, before.HAND_COUNT_SITA);

    // Scores are printed in tenths; compare them as integers of tenths.
    std::istringstream is(out);
    std::string tag, first_top, best_line, line;
    long top = -999999;
    while (std::getline(is, line)) {
      std::istringstream ls(line);
      ls >> tag;
      if (tag != "cand") {
        if (tag == "best") best_line = line.substr(5);
        continue;
      }
      const std::string move = line.substr(5, line.rfind(' ') - 5);
      const std::string score = line.substr(line.rfind(' ') + 1);
      const long tenths = std::stol(score.substr(0, score.size() - 2)) * 10 +
                          (score[0] == '-' ? -1 : 1) * (score.back() - '0');
      if (tenths > top) {
        top = tenths;
        first_top = move + " " + score;
      }
    }
    ASSERT_FALSE(best_line.empty()) << out;
    EXPECT_EQ(best_line, first_top) << i;
  }
}

TEST(SearchProtocol, LinesOfTheAnswer) {
  Protocol p;
  ASSERT_EQ(p.handle("position startpos"), "");
  const std::string out = p.handle("search 3");
  EXPECT_EQ(out.rfind("cand 1 1 1 2 20 -0.8\n", 0), 0u) << out;
  EXPECT_NE(out.find("\nbest 7 3 7 4 10 10.0\nend\n"), std::string::npos) << out;
  EXPECT_EQ(out.substr(out.size() - 4), "end\n");

  for (const char* bad : {"search", "search 0", "search 4", "search x", "search 3 3"}) {
    const std::string answer = p.handle(bad);
    EXPECT_EQ(answer.rfind("error: ", 0), 0u) << bad;
  }

  // Nothing of the computer's on the board and nothing in hand.
  std::string empty = "position";
  for (int i = 0; i < 95; ++i) empty += i == 8 ? " -950" : " 0";
  ASSERT_EQ(p.handle(empty), "");
  EXPECT_EQ(p.handle("search 2"), "best none\nend\n");
}

TEST(SearchProtocol, DamagedPositionsAreAnsweredInFull) {
  // Codes that stand for no piece, missing kings and absurd hand counts, as
  // a damaged record could bring them; the answer must still be complete.
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> squares;  // index into the 81, code
    int hand_count;
  } cases[] = {
      {"no kings, odd codes", {{0, 12}, {10, 111}, {20, -111}, {30, 5}, {40, -7}}, 1},
      {"huge codes", {{4, 950}, {76, -950}, {13, 2147483647}, {50, -2147483647}}, 0},
      {"counts beyond any hand", {{4, 950}, {76, -950}, {22, 10}}, 2147483647},
  };
  for (const Case& c : cases) {
    int v[95] = {};
    for (const auto& [at, code] : c.squares) v[at] = code;
    for (int k = 81; k < 95; ++k) v[k] = c.hand_count;
    std::string line = "position";
    for (int n : v) line += " " + std::to_string(n);
    Protocol p;
    ASSERT_EQ(p.handle(line), "") << c.name;
    for (const char* level : {"search 1", "search 3"}) {
      const std::string out = p.handle(level);
      ASSERT_GE(out.size(), 4u) << c.name;
      EXPECT_EQ(out.substr(out.size() - 4), "end\n") << c.name;
      EXPECT_NE(out.find("best "), std::string::npos) << c.name;
    }
  }
}

TEST(SearchProtocol, LinesTheFuzzerFoundAnswerPlainly) {
  // Each of these once overflowed an int or walked a rank for ever.
  struct Case {
    const char* line;
    const char* answer;
  } cases[] = {
      {"legal -2147483648 5 6 5 950", "0\n"},
      {"legal 2147483647 5 1 5 900", "0\n"},
      {"legal -2147483647 5 9 5 -900", "0\n"},
      {"legal 5 2147483647 5 9 20", "0\n"},
      {"legal 12 5 5 5 800", "0\n"},
      {"legal -2 5 5 5 110", "0\n"},
      {"legal -1 1 5 5 10", "1\n"},  // a drop is still a drop
      {"legal 11 3 5 5 -10", "1\n"},
  };
  Protocol p;
  std::string empty = "position";
  for (int i = 0; i < 95; ++i) empty += " 0";
  ASSERT_EQ(p.handle(empty), "");
  for (const Case& c : cases) EXPECT_EQ(p.handle(c.line), c.answer) << c.line;
}

TEST(SearchProtocol, TheSmallestIntOnTheBoardIsJustNoPiece) {
  // Pins, maps and the search once negated it.
  std::string line = "position";
  for (int i = 0; i < 95; ++i)
    line += i == 4 ? " 950" : i == 76 ? " -950" : i == 40 ? " -2147483648" : " 0";
  Protocol p;
  ASSERT_EQ(p.handle(line), "");
  const std::string pins = p.handle("pins");
  EXPECT_EQ(pins.substr(pins.size() - 4), "end\n");
  const std::string out = p.handle("search 3");
  EXPECT_EQ(out.substr(out.size() - 4), "end\n");
}
