// Two processes in one folder, as two windows of the game would be: one
// replaces a file over and over while the other tidies the folder's
// leftovers without pause. No write may fail, and none may be left behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "text/text_file.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

TEST(WritersSideBySide, TidyingNeverTakesTheFileOfAWriteInProgress) {
  // In memory where there is such a folder: thousands of flushes to a real
  // disk would take minutes and prove nothing more.
  const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  const fs::path dir = base / ("korvel_side_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  // A killed write's leftover, minutes old: the tidier does take that one.
  std::ofstream(dir / ".korvel-old001") << "half";
  fs::last_write_time(dir / ".korvel-old001", fs::file_time_type::clock::now() - std::chrono::minutes(5));

  const pid_t tidier = ::fork();
  ASSERT_GE(tidier, 0);
  if (tidier == 0) {
    for (;;) remove_stale_temporaries(dir.string());
  }
  constexpr int WRITES = 20000;
  int failed = 0;
  std::string last;
  for (int i = 0; i < WRITES; ++i) {
    last = "game " + std::to_string(i);
    if (replace_whole_file((dir / "game.棋譜").string(), last) != 0) ++failed;
  }
  ::kill(tidier, SIGKILL);
  ::waitpid(tidier, nullptr, 0);

  EXPECT_EQ(failed, 0);
  std::string bytes;
  EXPECT_EQ(read_whole_file((dir / "game.棋譜").string(), bytes, 100), 0);
  EXPECT_EQ(bytes, last);
  int files = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++files;
  EXPECT_EQ(files, 1);  // the old leftover gone, and no temporary left behind
  fs::remove_all(dir);
}

}  // namespace
}  // namespace korvel
