// Every candidate and score of `search 3` over sixty suite positions, as the
// first straightforward engine printed them (make_golden_search3.sh). A faster
// engine must not change a single byte.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/protocol.h"

namespace {

struct Exchange {
  std::string command;
  std::string answer;
};

std::vector<Exchange> read_transcript(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<Exchange> out;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("# ", 0) == 0) continue;
    if (line.rfind("> ", 0) == 0)
      out.push_back({line.substr(2), ""});
    else if (!out.empty())
      out.back().answer += line + "\n";
  }
  return out;
}

}  // namespace

TEST(GoldenSearch, Level3OverTheSuiteIsByteIdentical) {
  const auto transcript =
      read_transcript(std::string(KORVEL_SOURCE_DIR) + "/tests/engine/golden_search3.txt");
  size_t searches = 0;
  for (const auto& e : transcript) searches += e.command == "search 3";
  ASSERT_GE(searches, 50u);

  korvel::Protocol p;
  for (size_t i = 0; i < transcript.size(); ++i) {
    const std::string answer = p.handle(transcript[i].command);
    if (answer == transcript[i].answer) continue;
    // Point at the first line that differs rather than print two long blocks.
    std::istringstream got(answer), want(transcript[i].answer);
    std::string g, w;
    int line = 1;
    while (std::getline(want, w) && std::getline(got, g) && g == w) ++line;
    FAIL() << "answer to '" << transcript[i].command.substr(0, 40) << "' (command " << i
           << "), line " << line << ":\n  got:      " << g << "\n  expected: " << w;
  }
}
