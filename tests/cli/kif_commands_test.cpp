// korvel-cli's KIF commands: a record as KIF, and KIF written as a record.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/protocol.h"

namespace fs = std::filesystem;

TEST(KifCommands, RecordToKifAndBackAndNothingWrittenOnError) {
  korvel::Protocol p;
  const std::string record = KORVEL_SOURCE_DIR "/tests/game/short_game.棋譜";
  const std::string kif = p.handle("kif " + record);
  ASSERT_TRUE(kif.ends_with("   3 ２二角成(88)   ( 0:00/00:20:34)\nまで3手で中断\nend\n")) << kif;

  const fs::path dir = fs::temp_directory_path() / ("korvel-kif-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const auto write = [&](const std::string& name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
    return (dir / name).string();
  };
  const std::string good = write("good.kif", kif.substr(0, kif.size() - 4));
  const std::string out = (dir / "out.棋譜").string();
  EXPECT_EQ(p.handle("kif-record " + good + " " + out), "ok 3\n");
  EXPECT_EQ(p.handle("kif " + out), kif);

  // A bad move writes nothing: the record written before stays as it was.
  const std::string bad = write("bad.kif", "手合割：平手\r\n   1 ７六歩(77)\r\n   2 ７四歩(77)\r\n");
  EXPECT_EQ(p.handle("kif-record " + bad + " " + out), "error: 3行目「2 ７四歩(77)」：移動元に指す側の駒がありません\n");
  EXPECT_EQ(p.handle("kif " + out), kif);
  const std::string no_moves = write("ki2.kif", "▲７六歩　△３四歩\n");
  const std::string handicap = write("kyo.kif", "手合割：香落ち\n1 ３四歩(33)\n");
  const std::string fresh = (dir / "new.棋譜").string();
  EXPECT_EQ(p.handle("kif-record " + bad + " " + fresh).substr(0, 14), "error: 3行目");
  EXPECT_TRUE(p.handle("kif-record " + no_moves + " " + fresh).starts_with("error: 対局ではありません："));
  EXPECT_EQ(p.handle("kif-record " + handicap + " " + fresh),
            "error: 平手の初期局面から始まらない棋譜は棋譜ファイルに書けません\n");
  EXPECT_FALSE(fs::exists(dir / "new.棋譜"));

  EXPECT_EQ(p.handle("kif-record " + good), "error: kif-record takes KIF RECORD\n");
  EXPECT_EQ(p.handle("kif /no/such.棋譜"), "error: cannot read /no/such.棋譜: No such file or directory\n");
  fs::remove_all(dir);
}
