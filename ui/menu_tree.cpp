#include "ui/menu_tree.h"

#include <array>

namespace korvel {

namespace {

constexpr std::array<MenuEntry, 55> MENU{{
    {"TAIKYOKU", "対局", 0, 0},
    {"MATCH_MAN", "対局(人間)", 1, 0},
    {"START", "スタート", 2, 0},
    {"START2", "対局(COM)", 1, 0},
    {"SENTE", "先手", 2, 0},
    {"GOTE", "後手", 2, 0},
    {"LEVEL", "COM対局ﾚﾍﾞﾙ", 1, 0},
    {"LEVEL1", "LEVEL1", 2, 0},
    {"LEVEL2", "LEVEL2", 2, 0},
    {"LEVEL3", "LEVEL3", 2, 1},
    {"LEVEL4", "LEVEL4", 2, 0},
    {"LEVEL5", "LEVEL5", 2, 0},
    {"LEVEL6", "LEVEL6", 2, 0},
    {"LEVEL7", "LEVEL7", 2, 0},
    {"LEVEL8", "LEVEL8", 2, 0},
    {"LEVEL9", "LEVEL9", 2, 0},
    {"LEVEL10", "LEVEL10", 2, 0},
    {"LEVEL11", "LEVEL11", 2, 0},
    {"LEVEL12", "LEVEL12", 2, 0},
    {"LEVEL13", "LEVEL13", 2, 0},
    {"LEVEL14", "LEVEL14", 2, 0},
    {"LEVEL15", "LEVEL15", 2, 0},
    {"LEVEL16", "LEVEL16", 2, 0},
    {"OWARI", "終わり", 1, 0},
    {"TOURYO", "投了", 1, 0},
    {"STOP", "局面", 0, 0},
    {"CANCEL", "最初", 1, 0},
    {"REVERSE", "反転", 1, 0},
    {"HINT", "ﾋﾝﾄ", 1, 0},
    {"KENTOU", "検討", 1, 0},
    {"REPLAY", "戻", 0, 0},
    {"AFTER", "進", 0, 0},
    {"LBEL_UP", "△", 0, 0},
    {"LEBEL_DOWN", "▽", 0, 0},
    {"KIFU", "棋譜", 0, 0},
    {"KIFU_READ", "読込", 1, 0},
    {"KIFU_WRITE", "書込", 1, 0},
    {"KIFU_LAST", "前回の対局", 1, 0},
    {"KIFU_COPY", "KIFｺﾋﾟｰ", 1, 0},
    {"KIFU_PASTE", "KIF貼付", 1, 0},
    {"OPTION", "ｵﾌﾟｼｮﾝ", 0, 0},
    {"HAIKEI_GA", "背景画", 1, 0},
    {"MIDORI", "筒", 2, 0},
    {"TATAMI", "畳", 2, 1},
    {"TAKE", "竹", 2, 0},
    {"UCHU", "宇宙", 2, 0},
    {"RENGA", "煉瓦", 2, 0},
    {"SIDOU", "移動指導", 1, 0},
    {"KEIKA", "経過時間", 1, 0},
    {"BGM", "BGM", 1, 0},
    {"OUTE_KEIKOKU", "王手警告", 1, 1},
    {"ATARI", "当たり表示", 1, 0},
    {"SONOTA", "その他", 0, 0},
    {"KAISETU", "解説", 1, 0},
    {"VER", "バージョン情報", 1, 0},
}};

}  // namespace

std::span<const MenuEntry> menu_tree() { return MENU; }

const MenuEntry* find_menu_entry(std::string_view name) {
  for (const MenuEntry& e : MENU)
    if (e.name == name) return &e;
  return nullptr;
}

int has_children(std::string_view name) {
  for (std::size_t i = 0; i < MENU.size(); ++i)
    if (MENU[i].name == name) return i + 1 < MENU.size() && MENU[i + 1].depth > MENU[i].depth ? 1 : 0;
  return 0;
}

}  // namespace korvel
