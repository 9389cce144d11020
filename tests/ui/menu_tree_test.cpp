#include "ui/menu_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvel {
namespace {

TEST(MenuTree, NamesCaptionsAndNestingInOrder) {
  struct Row {
    const char* name;
    const char* caption;
    int depth;
  };
  const Row rows[] = {
      {"TAIKYOKU", "対局", 0},       {"MATCH_MAN", "対局(人間)", 1}, {"START", "スタート", 2},
      {"START2", "対局(COM)", 1},    {"SENTE", "先手", 2},           {"GOTE", "後手", 2},
      {"LEVEL", "COM対局ﾚﾍﾞﾙ", 1},   {"LEVEL1", "LEVEL1", 2},        {"LEVEL2", "LEVEL2", 2},
      {"LEVEL3", "LEVEL3", 2},
      {"LEVEL4", "LEVEL4", 2}, {"LEVEL5", "LEVEL5", 2}, {"LEVEL6", "LEVEL6", 2},
      {"LEVEL7", "LEVEL7", 2}, {"LEVEL8", "LEVEL8", 2}, {"LEVEL9", "LEVEL9", 2},
      {"LEVEL10", "LEVEL10", 2}, {"LEVEL11", "LEVEL11", 2}, {"LEVEL12", "LEVEL12", 2},
      {"LEVEL13", "LEVEL13", 2}, {"LEVEL14", "LEVEL14", 2}, {"LEVEL15", "LEVEL15", 2},
      {"LEVEL16", "LEVEL16", 2},
      {"OWARI", "終わり", 1},        {"TOURYO", "投了", 1},
      {"STOP", "局面", 0},
      {"CANCEL", "最初", 1},         {"REVERSE", "反転", 1},         {"HINT", "ﾋﾝﾄ", 1},            {"KENTOU", "検討", 1},
      {"REPLAY", "戻", 0},
      {"AFTER", "進", 0},            {"LBEL_UP", "△", 0},            {"LEBEL_DOWN", "▽", 0},
      {"KIFU", "棋譜", 0},           {"KIFU_READ", "読込", 1},       {"KIFU_WRITE", "書込", 1},
      {"KIFU_LAST", "前回の対局", 1},    {"KIFU_COPY", "KIFｺﾋﾟｰ", 1},    {"KIFU_PASTE", "KIF貼付", 1},
      {"OPTION", "ｵﾌﾟｼｮﾝ", 0},       {"HAIKEI_GA", "背景画", 1},     {"MIDORI", "筒", 2},
      {"TATAMI", "畳", 2},           {"TAKE", "竹", 2},              {"UCHU", "宇宙", 2},
      {"RENGA", "煉瓦", 2},          {"SIDOU", "移動指導", 1},       {"KEIKA", "経過時間", 1},
      {"BGM", "BGM", 1},             {"OUTE_KEIKOKU", "王手警告", 1}, {"ATARI", "当たり表示", 1},
      {"SONOTA", "その他", 0},        {"KAISETU", "解説", 1},
      {"VER", "バージョン情報", 1},
  };
  const auto tree = menu_tree();
  ASSERT_EQ(tree.size(), std::size(rows));
  for (std::size_t i = 0; i < tree.size(); ++i) {
    SCOPED_TRACE(rows[i].name);
    EXPECT_EQ(tree[i].name, rows[i].name);
    EXPECT_EQ(tree[i].caption, rows[i].caption);
    EXPECT_EQ(tree[i].depth, rows[i].depth);
  }
}

TEST(MenuTree, OnlyLevelThreeTatamiAndTheWarningCheckedInTheDesign) {
  std::vector<std::string> marked;
  for (const MenuEntry& e : menu_tree())
    if (e.checked == 1) marked.emplace_back(e.name);
  EXPECT_EQ(marked, (std::vector<std::string>{"LEVEL3", "TATAMI", "OUTE_KEIKOKU"}));
}

TEST(MenuTree, ListsAndLeaves) {
  for (const char* name : {"TAIKYOKU", "MATCH_MAN", "START2", "LEVEL", "STOP", "KIFU", "OPTION",
                           "HAIKEI_GA", "SONOTA"})
    EXPECT_EQ(has_children(name), 1) << name;
  for (const char* name : {"START", "OWARI", "REVERSE", "REPLAY", "AFTER", "LBEL_UP", "LEBEL_DOWN",
                           "LEVEL6", "RENGA", "BGM", "VER", "NOPE"})
    EXPECT_EQ(has_children(name), 0) << name;
  ASSERT_NE(find_menu_entry("KEIKA"), nullptr);
  EXPECT_EQ(find_menu_entry("KEIKA")->caption, "経過時間");
  EXPECT_EQ(find_menu_entry("Keika"), nullptr);
}

}  // namespace
}  // namespace korvel
