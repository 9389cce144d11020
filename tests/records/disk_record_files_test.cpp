// Record files on disk: a record is replaced whole or not at all, and what is
// no record is refused without hanging or filling the memory.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "records/disk_record_files.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

TEST(DiskRecordFiles, ReplacesWholeOrLeavesTheOldRecordAndReadsOnlyRecords) {
  const fs::path dir = fs::temp_directory_path() / ("korvel-records-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  DiskRecordFiles files;
  std::string bytes;
  const std::string path = 棋譜パス(dir.string() + "/", "対局.棋譜");
  ASSERT_EQ(files.replace(path, "old"), "");
  ::chmod(path.c_str(), 0640);
  ASSERT_EQ(files.replace(path, "new"), "");
  struct stat st {};
  ::stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // the old record's permissions stay
  // A kept game takes the user's own permissions, whatever the old file had.
  ::chmod(path.c_str(), 0400);
  ASSERT_EQ(files.replace(path, "kept", true), "");
  ::stat(path.c_str(), &st);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(st.st_mode & 0777, 0666u & ~mask);
  ASSERT_EQ(files.replace(path, "new"), "");

  // The disk fills up halfway: the old record stays and no temporary file is left.
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = limit;
  small.rlim_cur = 1000;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const std::string full = files.replace(path, std::string(5000, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, handler);
  EXPECT_EQ(full, "ﾌｧｲﾙが大きすぎます");
  EXPECT_EQ(files.read(path, bytes), "");
  EXPECT_EQ(bytes, "new");

  fs::create_directory(dir / "d.棋譜");
  ASSERT_EQ(::mkfifo((dir / "p.棋譜").c_str(), 0600), 0);
  EXPECT_EQ(files.replace((dir / "d.棋譜").string(), "x"), "同じ名前のﾌｫﾙﾀﾞがあります");
  EXPECT_EQ(files.replace((dir / "gone" / "a.棋譜").string(), "x"), "ﾌｧｲﾙかﾌｫﾙﾀﾞが見つかりません");
  EXPECT_EQ(files.replace((dir / (std::string(300, 'a') + ".棋譜")).string(), "x"), "ﾌｧｲﾙ名が長すぎます");
  EXPECT_EQ(files.read((dir / "p.棋譜").string(), bytes), "棋譜ﾌｧｲﾙではありません");  // no wait for a writer
  EXPECT_EQ(files.read("/dev/zero", bytes), "棋譜ﾌｧｲﾙではありません");
  fs::resize_file(path, RECORD_FILE_MAX_BYTES + 1);
  EXPECT_EQ(files.read(path, bytes), "ﾌｧｲﾙが大きすぎます");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
  EXPECT_EQ(files.list(dir.string()), std::vector<std::string>{"対局.棋譜"});  // regular files only
  EXPECT_EQ(files.remove(path), "");
  EXPECT_EQ(files.remove(path), "ﾌｧｲﾙかﾌｫﾙﾀﾞが見つかりません");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace korvel
