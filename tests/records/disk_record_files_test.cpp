// Record files on disk: a record is replaced whole or not at all, and what is
// no record is refused without hanging or filling the memory.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "records/disk_record_files.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

struct DiskRecordFilesTest : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("korvel-records-" + std::to_string(::getpid()));
  DiskRecordFiles files;
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }
  std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  int entries() { return static_cast<int>(std::distance(fs::directory_iterator(dir), fs::directory_iterator())); }
};

TEST_F(DiskRecordFilesTest, ReplacesWholeOrLeavesTheOldRecord) {
  const std::string path = 棋譜パス(dir.string() + "/", "対局.棋譜");
  EXPECT_EQ(path, (dir / "対局.棋譜").string());
  ASSERT_EQ(files.replace(path, "old\r\n"), "");
  ::chmod(path.c_str(), 0640);
  ASSERT_EQ(files.replace(path, "new\r\n"), "");
  EXPECT_EQ(slurp(path), "new\r\n");
  struct stat st {};
  ::stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // the old record's permissions stay

  // A disk that fills up halfway through: the old record stays, no temporary file is left.
  rlimit old_limit{};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old_limit;
  small.rlim_cur = 1000;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const std::string reason = files.replace(path, std::string(5000, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(reason, "ﾌｧｲﾙが大きすぎます");
  EXPECT_EQ(slurp(path), "new\r\n");
  EXPECT_EQ(entries(), 1);

  fs::create_directory(dir / "folder.棋譜");
  EXPECT_EQ(files.replace((dir / "folder.棋譜").string(), "x"), "同じ名前のﾌｫﾙﾀﾞがあります");
  EXPECT_EQ(files.replace((dir / "gone" / "a.棋譜").string(), "x"), "ﾌｧｲﾙかﾌｫﾙﾀﾞが見つかりません");
  EXPECT_EQ(files.replace((dir / (std::string(300, 'a') + ".棋譜")).string(), "x"), "ﾌｧｲﾙ名が長すぎます");
  EXPECT_EQ(entries(), 2);
}

TEST_F(DiskRecordFilesTest, ReadsOnlyRegularFilesOfARecordsSize) {
  std::string bytes;
  const std::string path = (dir / "a.棋譜").string();
  ASSERT_EQ(files.replace(path, "t\r\nu\r\nl\r\n"), "");
  EXPECT_EQ(files.read(path, bytes), "");
  EXPECT_EQ(bytes, "t\r\nu\r\nl\r\n");

  const std::string fifo = (dir / "pipe.棋譜").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(files.read(fifo, bytes), "棋譜ﾌｧｲﾙではありません");  // and does not wait for a writer
  EXPECT_EQ(files.read("/dev/zero", bytes), "棋譜ﾌｧｲﾙではありません");
  EXPECT_EQ(files.read(dir.string(), bytes), "同じ名前のﾌｫﾙﾀﾞがあります");
  EXPECT_EQ(files.read((dir / "none.棋譜").string(), bytes), "ﾌｧｲﾙかﾌｫﾙﾀﾞが見つかりません");
  fs::resize_file(path, RECORD_FILE_MAX_BYTES + 1);
  EXPECT_EQ(files.read(path, bytes), "ﾌｧｲﾙが大きすぎます");
}

}  // namespace
}  // namespace korvel
