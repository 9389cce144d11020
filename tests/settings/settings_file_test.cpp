#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "lookahead/levels.h"
#include "text/shift_jis.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

std::string sjis(const std::string& utf8) {
  std::string out;
  to_cp932(utf8, out);
  return out;
}

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct SettingsFileTest : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("korvel_settings_" + std::to_string(::getpid()));
  fs::path file = dir / "Korvel" / "Korvel.ini";
  void TearDown() override { fs::remove_all(dir); }
};

TEST_F(SettingsFileTest, FirstStartWritesAndGivesTheDefaults) {
  IniSettingsFile settings(file);
  const SettingsValues v = settings.read();
  EXPECT_EQ(v.background, 2);
  EXPECT_EQ(v.sidou, 0);
  EXPECT_EQ(v.keika, 1);
  EXPECT_EQ(v.bgm, 0);
  EXPECT_EQ(slurp(file), sjis("背景画=筒\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=OFF\r\n王手警告=ON\r\n当たり表示=OFF\r\n"));

  settings.write({5, 1, 0, 1, 0});
  EXPECT_EQ(slurp(file), sjis("背景画=宇宙\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=ON\r\n王手警告=OFF\r\n当たり表示=OFF\r\n"));
  settings.write({0, 0, 1, 0, 1});  // no background checked: no line for it
  EXPECT_EQ(slurp(file), sjis("移動指導=OFF\r\n経過時間=ON\r\nBGM=OFF\r\n王手警告=ON\r\n当たり表示=OFF\r\n"));
  settings.write(parse_settings(sjis("背景画=竹\r\n")));  // a file without the warning's line, written back
  EXPECT_EQ(slurp(file), sjis("背景画=竹\r\n移動指導=OFF\r\n経過時間=OFF\r\nBGM=OFF\r\n王手警告=ON\r\n当たり表示=OFF\r\n"));
  EXPECT_EQ(fs::directory_iterator(file.parent_path())->path(), file);  // no temporary left over
}

TEST(SettingsParse, LinesAreComparedExactlyAndTheLastOneWins) {
  struct Case {
    std::string bytes;
    int background, sidou, keika, bgm, oute = SettingsValues::NOT_SET;
  };
  constexpr int N = SettingsValues::NOT_SET;
  const Case cases[] = {
      {sjis("背景画=畳\r\n"), 3, N, N, N},
      {sjis("BGM=on\r\n移動指導=ON\r\n"), N, 1, N, 0},
      {sjis("移動指導=ON=OFF\r\n背景画=竹=\r\n"), N, 0, N, N},  // split at the first "="
      {sjis("背景画=煉瓦\r\n背景画=森\r\n経過時間=ON\r\n経過時間=OFF"), 6, N, 0, N},
      // An empty line, binary junk and lines without "=" are passed over.
      {"\r\n\xff\xfe\x81junk=1\r\n" + sjis("BGM\r\n経過時間=ON\n"), N, N, 1, N},
      {sjis("ＢＧＭ=ON\r\n背景画 =筒\r\n"), N, N, N, N},
      {sjis("王手警告=OFF\r\n"), N, N, N, N, 0},
      {sjis("王手警告=ON\r\n王手警告=off\r\n"), N, N, N, N, 0},
  };
  for (const Case& c : cases) {
    const SettingsValues v = parse_settings(c.bytes);
    EXPECT_EQ(v.background, c.background) << c.bytes;
    EXPECT_EQ(v.sidou, c.sidou) << c.bytes;
    EXPECT_EQ(v.keika, c.keika) << c.bytes;
    EXPECT_EQ(v.bgm, c.bgm) << c.bytes;
    EXPECT_EQ(v.oute, c.oute) << c.bytes;
  }
}

TEST_F(SettingsFileTest, TheLevelLineFollowsTheOthersAndIsReadBack) {
  IniSettingsFile settings(file);
  settings.write({2, 0, 1, 0, 1, 5});
  // "レベル" in CP932, spelt out so that a converter's fault shows too.
  EXPECT_EQ(slurp(file), sjis("背景画=筒\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=OFF\r\n王手警告=ON\r\n当たり表示=OFF\r\n") +
                             "\x83\x8c\x83\x78\x83\x8b=5\r\n");
  EXPECT_EQ(settings.read().level, 5);
  SettingsValues with_atari{2, 0, 1, 0, 1, 5};
  with_atari.atari = 1;
  settings.write(with_atari);
  EXPECT_EQ(settings.read().atari, 1);
  for (int level = 1; level <= TOP_LEVEL; ++level) {
    settings.write({2, 0, 1, 0, 1, level});
    EXPECT_NE(slurp(file).find(sjis("レベル=" + std::to_string(level) + "\r\n")), std::string::npos) << level;
    EXPECT_EQ(settings.read().level, level);
  }
  EXPECT_EQ(parse_settings(sjis("レベル=6\r\nレベル=x\r\n")).level, 6);
  // No line, or no level at all: the game keeps its own. (Which numbers
  // name a level the game has is the game's to say.)
  for (const char* text : {"BGM=ON\r\n", "レベル=100\r\n", "レベル=0\r\n", "レベル=５\r\n", "レベル= 4\r\n",
                           "レベル=07\r\n", "レベル=-1\r\n", "レベル数=9\r\n"})
    EXPECT_EQ(parse_settings(sjis(text)).level, SettingsValues::NOT_SET) << text;

  // The height of the ladder goes with the level, and only with it: a file
  // without it was written when there were six levels.
  SettingsValues v{2, 0, 1, 0, 1, 12};
  v.levels = 15;
  settings.write(v);
  EXPECT_EQ(slurp(file), sjis("背景画=筒\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=OFF\r\n王手警告=ON\r\n当たり表示=OFF\r\nレベル=12\r\nレベル数=15\r\n"));
  EXPECT_EQ(settings.read().levels, 15);
  v.level = SettingsValues::NOT_SET;
  EXPECT_EQ(format_settings(v).find(sjis("レベル")), std::string::npos);
  EXPECT_EQ(parse_settings(sjis("レベル=6\r\n")).levels, SettingsValues::NOT_SET);
  EXPECT_EQ(parse_settings(sjis("レベル数=15\r\nレベル数=x\r\n")).levels, 15);
}

TEST(SettingsParse, ThatTheLastStartHadNoSoundIsKeptOnlyWhileItIsSo) {
  SettingsValues v{2, 0, 1, 0, 1, 5};
  v.silent = 1;
  EXPECT_TRUE(format_settings(v).ends_with(sjis("レベル=5\r\n音なし=ON\r\n")));
  v.silent = 0;
  EXPECT_EQ(parse_settings(format_settings(v)).silent, SettingsValues::NOT_SET);  // no line at all
}

TEST_F(SettingsFileTest, AFailedWriteLeavesWhatWasThere) {
  // The settings name is taken by a folder: the new file cannot replace it.
  fs::create_directories(file / "kept");
  IniSettingsFile settings(file);
  settings.write({3, 0, 1, 0});
  EXPECT_TRUE(fs::is_directory(file / "kept"));
  EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
  // A folder that cannot be made at all: nothing happens, nothing is thrown.
  std::ofstream(dir / "plain") << "x";
  IniSettingsFile(dir / "plain" / "Korvel.ini").write({3, 0, 1, 0});
  EXPECT_EQ(slurp(dir / "plain"), "x");
}

TEST_F(SettingsFileTest, AFileThatCannotBeReadIsNeverWrittenOver) {
  // Too large to be ours, or (for a user the permissions bind) unreadable.
  const std::string big(70000, 'x');
  for (const bool locked : {false, true}) {
    if (locked && ::geteuid() == 0) continue;  // root reads it all the same
    fs::create_directories(file.parent_path());
    std::ofstream(file) << (locked ? sjis("背景画=畳\r\n") : big);
    if (locked) fs::permissions(file, fs::perms::none);
    IniSettingsFile settings(file);
    const SettingsValues v = settings.read();
    EXPECT_EQ(v.background, DEFAULT_SETTINGS.background);
    settings.write({5, 1, 1, 1});
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(slurp(file), locked ? sjis("背景画=畳\r\n") : big);
  }
}

TEST(SettingsPath, FollowsTheConfigurationFolderConvention) {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = xdg ? xdg : "";
  ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(settings_path(), fs::path("/cfg/Korvel/Korvel.ini"));
  ::setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(settings_path(), fs::path(std::getenv("HOME")) / ".config/Korvel/Korvel.ini");
  if (xdg) ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1); else ::unsetenv("XDG_CONFIG_HOME");
}

TEST(SettingsPath, GamesAreKeptInTheDataFolder) {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const std::string saved = xdg ? xdg : "";
  ::setenv("XDG_DATA_HOME", "/data", 1);
  EXPECT_EQ(kept_games_folder(), fs::path("/data/Korvel"));
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(kept_games_folder(), fs::path(std::getenv("HOME")) / ".local/share/Korvel");
  if (xdg) ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
}

}  // namespace
}  // namespace korvel
