#include "text/text_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {
std::vector<std::string> file_calls;
}  // namespace

extern "C" {
int __real_fsync(int fd);
int __real_rename(const char* from, const char* to);
int __wrap_fsync(int fd) {
  file_calls.push_back("fsync");
  return __real_fsync(fd);
}
int __wrap_rename(const char* from, const char* to) {
  file_calls.push_back(std::string("rename ") + std::filesystem::path(from).filename().string().substr(0, 8));
  return __real_rename(from, to);
}
}

namespace korvel {
namespace {

namespace fs = std::filesystem;

struct TextFileTest : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("korvel_text_" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }
  std::set<std::string> names() const {
    std::set<std::string> out;
    for (const auto& e : fs::directory_iterator(dir)) out.insert(e.path().filename().string());
    return out;
  }
  // A leftover as a write killed minutes ago left it; a fresh one, as a
  // write that has just made its file.
  void touch(const std::string& name, bool fresh = false) {
    std::ofstream(dir / name) << "half a record";
    if (!fresh) fs::last_write_time(dir / name, fs::file_time_type::clock::now() - std::chrono::minutes(2));
  }
};

TEST_F(TextFileTest, TheNewFileIsOnTheDiskBeforeItTakesTheOldName) {
  touch("game.棋譜");
  file_calls.clear();
  ASSERT_EQ(replace_whole_file((dir / "game.棋譜").string(), "new"), 0);
  EXPECT_EQ(file_calls, (std::vector<std::string>{"fsync", "rename .korvel-"}));
  std::string bytes;
  ASSERT_EQ(read_whole_file((dir / "game.棋譜").string(), bytes, 100), 0);
  EXPECT_EQ(bytes, "new");
}

TEST_F(TextFileTest, LeftoversOfKilledWritesGoButAWriteInProgressStays) {
  touch(".korvel-Ab12cd");  // killed: nobody holds it
  touch(".korvel-held01");  // still being written
  touch(".korvel-toolong");
  touch(".korvel-ab");
  touch(".korvel-new001", true);  // made, not yet locked
  touch("notes.txt");
  const int held = ::open((dir / ".korvel-held01").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);

  ASSERT_EQ(replace_whole_file((dir / "Korvel.ini").string(), "x"), 0);
  EXPECT_EQ(names(), (std::set<std::string>{".korvel-held01", ".korvel-toolong", ".korvel-ab", ".korvel-new001",
                                            "notes.txt", "Korvel.ini"}));

  ::close(held);  // its writer was killed after all
  EXPECT_EQ(remove_stale_temporaries(dir.string()), 1);
  EXPECT_EQ(names(), (std::set<std::string>{".korvel-toolong", ".korvel-ab", ".korvel-new001", "notes.txt",
                                            "Korvel.ini"}));
}

// Two processes in one folder, as two windows of the game: one replaces a
// file over and over, the other tidies the folder without pause.
TEST_F(TextFileTest, TidyingInAnotherProcessNeverTakesTheFileOfAWriteInProgress) {
  // In memory where it can be: 20 000 flushes to a disk would take minutes.
  const fs::path side = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") / dir.filename() : dir / "side";
  fs::create_directories(side);
  touch((side / ".korvel-old001").string());  // a killed write's leftover, minutes old
  const pid_t tidier = ::fork();
  ASSERT_GE(tidier, 0);
  if (tidier == 0)
    for (;;) remove_stale_temporaries(side.string());
  int failed = 0;
  for (int i = 0; i < 20000; ++i) failed += replace_whole_file((side / "game.棋譜").string(), std::to_string(i)) != 0;
  ::kill(tidier, SIGKILL);
  ::waitpid(tidier, nullptr, 0);
  EXPECT_EQ(failed, 0);
  std::string bytes;
  EXPECT_EQ(read_whole_file((side / "game.棋譜").string(), bytes, 100), 0);
  EXPECT_EQ(bytes, "19999");
  EXPECT_EQ(std::distance(fs::directory_iterator(side), fs::directory_iterator()), 1);  // nothing left over
  fs::remove_all(side);
}

}  // namespace
}  // namespace korvel
