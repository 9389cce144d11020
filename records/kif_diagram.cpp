#include "records/kif_diagram.h"

#include <algorithm>
#include <cstdlib>

#include "board/position.h"
#include "text/shift_jis.h"

namespace korvel::kif {
namespace {

namespace why {
constexpr std::string_view BAD_ROW = "盤面図の段が読めません";
constexpr std::string_view TOO_MANY_ROWS = "盤面図が９段を超えています";
constexpr std::string_view BAD_HAND = "持駒が読めません";
constexpr std::string_view SHORT_BOARD = "盤面図が９段そろっていません";
constexpr std::string_view KINGS = "先手と後手の玉が一枚ずつある局面ではありません";
constexpr std::string_view TOO_MANY = "一組の駒より多い駒があります";
constexpr std::string_view DEAD = "動けない駒が置かれています";
constexpr std::string_view NIFU = "二歩の局面です";
}  // namespace why

struct Handicap {
  std::string_view name;
  int removed[10];  // 後手's squares as file * 10 + rank, 0 ends
};
constexpr Handicap HANDICAPS[HANDICAP_COUNT] = {
    {"平手", {}},
    {"香落ち", {11}},
    {"右香落ち", {91}},
    {"角落ち", {22}},
    {"飛車落ち", {82}},
    {"飛香落ち", {82, 11}},
    {"二枚落ち", {82, 22}},
    {"三枚落ち", {82, 22, 11}},
    {"四枚落ち", {82, 22, 11, 91}},
    {"五枚落ち", {82, 22, 11, 91, 81}},
    {"左五枚落ち", {82, 22, 11, 91, 21}},
    {"六枚落ち", {82, 22, 11, 91, 81, 21}},
    {"左七枚落ち", {82, 22, 11, 91, 81, 21, 31}},
    {"右七枚落ち", {82, 22, 11, 91, 81, 21, 71}},
    {"八枚落ち", {82, 22, 11, 91, 81, 21, 31, 71}},
    {"十枚落ち", {82, 22, 11, 91, 81, 21, 31, 71, 41, 61}},
};

// One character per piece, as diagrams write them; the first of a kind is
// what the writer uses.
struct Glyph {
  char32_t c;
  int kind;
};
constexpr Glyph GLYPHS[] = {
    {U'歩', HU},  {U'香', KYOU}, {U'桂', KEI},      {U'銀', GIN},     {U'金', KIN},     {U'角', KAKU}, {U'飛', HISHA},
    {U'玉', OU},  {U'王', OU},   {U'と', TO},       {U'杏', NARIKYOU}, {U'圭', NARIKEI}, {U'全', NARIGIN},
    {U'馬', UMA}, {U'龍', RYU},  {U'竜', RYU},
};

int glyph_kind(char32_t c) {
  for (const Glyph& g : GLYPHS)
    if (g.c == c) return g.kind;
  return 0;
}

constexpr std::u32string_view KANJI_DIGITS = U"一二三四五六七八九";
constexpr std::string_view KANJI[10] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
constexpr std::string_view FULLWIDTH[10] = {"", "１", "２", "３", "４", "５", "６", "７", "８", "９"};

std::string glyph(int kind) {
  for (const Glyph& g : GLYPHS)
    if (g.kind == kind) return to_utf8(std::u32string_view(&g.c, 1));
  return "・";
}

// "角　歩二", strongest first; "なし" for none.
std::string hand_text(const int hand[8]) {
  std::string s;
  for (int slot = 7; slot >= 1; --slot) {
    const int n = hand[slot];
    if (n < 1) continue;
    if (!s.empty()) s += "　";
    s += glyph(HAND_PIECE[slot]);
    if (n >= 10) s += "十";
    if (n >= 2) s += KANJI[n % 10];
  }
  return s.empty() ? "なし" : s;
}

}  // namespace

RecordEntry initial_entry() {
  Position p;
  p.初期設定();
  RecordEntry e;
  std::copy(&p.Board[0][0], &p.Board[0][0] + 100, &e.board[0][0]);
  return e;
}

bool same_position(const RecordEntry& a, const RecordEntry& b) {
  return std::equal(&a.board[0][0], &a.board[0][0] + 100, &b.board[0][0]) &&
         std::equal(a.hand_sita, a.hand_sita + 8, b.hand_sita) && std::equal(a.hand_ue, a.hand_ue + 8, b.hand_ue);
}

std::string_view handicap_name(int index) { return HANDICAPS[index].name; }

int handicap_index(std::string_view name) {
  for (int i = 0; i < HANDICAP_COUNT; ++i)
    if (HANDICAPS[i].name == name) return i;
  return -1;
}

RecordEntry handicap_start(int index, bool turned) {
  RecordEntry e = initial_entry();
  for (const int sq : HANDICAPS[index].removed)
    if (sq != 0) e.board[board_x(sq / 10, turned)][board_y(sq % 10, turned)] = EMPTY;
  return e;
}

std::string diagram_text(const RecordEntry& e) {
  std::string s = "後手の持駒：" + hand_text(e.hand_ue) + "\n ";
  for (int file = 9; file >= 1; --file) s += " " + std::string(FULLWIDTH[file]);
  s += "\n+---------------------------+\n";
  for (int y = 1; y <= 9; ++y) {
    s += "|";
    for (int x = 1; x <= 9; ++x) {
      const int code = e.board[x][y];
      s += code > 0 ? "v" : " ";
      s += glyph(std::abs(code));
    }
    s += "|" + std::string(KANJI[y]) + "\n";
  }
  return s + "+---------------------------+\n先手の持駒：" + hand_text(e.hand_sita) + "\n";
}

std::string_view Diagram::row(std::u32string_view line) {
  if (rows == 9) return why::TOO_MANY_ROWS;
  if (line.size() < 20 || line[0] != U'|' || line[19] != U'|') return why::BAD_ROW;
  for (int col = 0; col < 9; ++col) {
    const char32_t side = line[1 + 2 * col], piece = line[2 + 2 * col];
    const bool gote = side == U'v' || side == U'V' || side == U'ｖ';
    if (!gote && side != U' ' && side != U'^') return why::BAD_ROW;
    const int kind = glyph_kind(piece);
    if (kind == 0 && piece != U'・' && piece != U'･') return why::BAD_ROW;
    if (kind == 0 && gote) return why::BAD_ROW;
    cells[9 - col][rows + 1] = gote ? kind : -kind;
  }
  ++rows;
  return {};
}

std::string_view Diagram::hand(std::u32string_view value, bool sente) {
  int* h = sente ? hand_sente : hand_gote;
  std::fill(h, h + 8, 0);
  if (value == U"なし") return {};
  for (size_t i = 0; i < value.size();) {
    if (value[i] == U' ') {
      ++i;
      continue;
    }
    const int kind = glyph_kind(value[i++]);
    const int slot = 手駒番号(kind);
    if (slot == 0 || HAND_PIECE[slot] != kind) return why::BAD_HAND;
    // A count in kanji, "十八", or in digits; none is one.
    const auto at = [&](size_t k) { return k < value.size() ? value[k] : U'\0'; };
    int n = 0;
    if (at(i) == U'十') n = 10, ++i;
    if (const size_t d = KANJI_DIGITS.find(at(i)); d != std::u32string_view::npos) {
      n += static_cast<int>(d) + 1;
      ++i;
    } else if (n == 0 && at(i) >= U'0' && at(i) <= U'9') {
      for (; at(i) >= U'0' && at(i) <= U'9'; ++i) n = std::min(n * 10 + static_cast<int>(at(i) - U'0'), 99);
      if (n == 0) return why::BAD_HAND;
    }
    h[slot] = std::min(h[slot] + std::max(n, 1), 99);
  }
  return {};
}

std::string_view Diagram::complete() const { return rows == 0 || rows == 9 ? std::string_view{} : why::SHORT_BOARD; }

RecordEntry Diagram::start(const RecordEntry& base, bool turned) const {
  RecordEntry e = base;
  if (rows > 0)
    for (int file = 1; file <= 9; ++file)
      for (int rank = 1; rank <= 9; ++rank)
        e.board[board_x(file, turned)][board_y(rank, turned)] = turned ? -cells[file][rank] : cells[file][rank];
  for (int slot = 1; slot <= 7; ++slot) {
    (turned ? e.hand_ue : e.hand_sita)[slot] = hand_sente[slot];
    (turned ? e.hand_sita : e.hand_ue)[slot] = hand_gote[slot];
  }
  return e;
}

std::string_view start_fault(const RecordEntry& e) {
  static constexpr int SET[8] = {0, 18, 4, 4, 4, 4, 2, 2};  // a set's pieces by hand slot
  int kings[2] = {0, 0}, count[8] = {};
  for (int x = 1; x <= 9; ++x) {
    int pawns[2] = {0, 0};
    for (int y = 1; y <= 9; ++y) {
      const int code = e.board[x][y];
      if (std::abs(code) == OU) ++kings[code > 0];
      if (std::abs(code) == HU) ++pawns[code > 0];
      ++count[手駒番号(code)];
      if (移動後チェック(y, code) == 0) return why::DEAD;
    }
    if (std::max(pawns[0], pawns[1]) > 1) return why::NIFU;
  }
  if (kings[0] != 1 || kings[1] != 1) return why::KINGS;
  for (int slot = 1; slot <= 7; ++slot)
    if (count[slot] + e.hand_sita[slot] + e.hand_ue[slot] > SET[slot]) return why::TOO_MANY;
  return {};
}

}  // namespace korvel::kif
