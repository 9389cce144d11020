#include "ui/screen.h"

#include <cmath>
#include <utility>

#include "ui/pictures.h"

namespace korvel {

namespace {

constexpr std::string_view HANDICAP_CAPTIONS[21] = {
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級",
};

constexpr std::string_view KANJI[10] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};

}  // namespace

std::string_view caption_text(int code) {
  if (code >= -10 && code <= 10) return HANDICAP_CAPTIONS[code + 10];
  if (code == CAPTION_TEME) return "手目";
  return {};
}

std::string_view kanji_numeral(int value) {
  if (value < 1 || value > 9) return {};
  return KANJI[value];
}

std::string_view fullwidth_digit(int value) {
  static constexpr std::string_view DIGITS[10] = {"", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
  if (value < 1 || value > 9) return {};
  return DIGITS[value];
}

std::string_view piece_name(int code, int promotes) {
  const bool p = promotes == 1;
  switch (code < 0 ? -code : code) {
    case HU: return "歩";
    case TO: return p ? "歩成" : "と";
    case KYOU: return "香";
    case NARIKYOU: return p ? "香成" : "成香";
    case KEI: return "桂";
    case NARIKEI: return p ? "桂成" : "成桂";
    case GIN: return "銀";
    case NARIGIN: return p ? "銀成" : "成銀";
    case KIN: return "金";
    case KAKU: return "角";
    case UMA: return p ? "角成" : "馬";
    case HISHA: return "飛";
    case RYU: return p ? "飛成" : "龍";
    case OU: return "王";
    default: return {};
  }
}

double text_width(std::string_view utf8, int size) {
  double halves = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto byte = [&](std::size_t k) { return i + k < utf8.size() ? static_cast<unsigned char>(utf8[i + k]) : 0; };
    const std::size_t n = byte(0) < 0x80 ? 1 : byte(0) < 0xE0 ? 2 : byte(0) < 0xF0 ? 3 : 4;
    // Half-width katakana are U+FF61..U+FF9F: EF BD A1 .. EF BE 9F.
    const bool kana = byte(0) == 0xEF && ((byte(1) == 0xBD && byte(2) >= 0xA1) || byte(1) == 0xBE);
    halves += n == 1 || kana ? 1 : 2;
    i += n;
  }
  // A point is 20 twips.
  return halves * size * 10.0;
}

std::string number_text(int value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string 変換_数字から文字(long long v) {
  std::string s = std::to_string(v);
  if (s.size() == 1) return "0" + s;
  if (s.size() == 2) return s;
  return {};
}

std::string 調査_時間秒追加結果(double s) {
  long long h = 0;
  double r = s;
  if (s >= 3600) {
    h = static_cast<long long>(std::floor(s / 3600));
    r = s - 3600.0 * static_cast<double>(h);
  }
  const long long m = static_cast<long long>(std::floor(r / 60));
  const double q = r - 60.0 * static_cast<double>(m);
  return 変換_数字から文字(h) + ":" + 変換_数字から文字(m) + ":" +
         変換_数字から文字(static_cast<long long>(std::floor(q)));
}

double 調査_経過秒(double start, double now) {
  if (start <= now) return now - start;
  return 86400 - start + now;
}

// ---- Primitives ------------------------------------------------------------

void Screen::描画_絵(int code, double c, double r) {
  if (find_picture(code) == nullptr) return;
  canvas_.picture(code, cell_x(c), cell_y(r));
}

void Screen::描画_桝輪郭(int color, double c, double r) {
  canvas_.outline(color, cell_x(c), cell_y(r), cell_x(c) + SQUARE_W, cell_y(r) + SQUARE_H);
}

void Screen::描画_数値(double c, double r, std::string_view text, int color, int numeral, int size) {
  if (numeral != 0) return;  // a text has no numeral form
  canvas_.text(cell_x(c), cell_y(r), text, color, size, BOLD == 1);
}

void Screen::描画_数値(double c, double r, int value, int color, int numeral, int size) {
  if (numeral == 0) {
    canvas_.text(cell_x(c), cell_y(r), number_text(value), color, size, BOLD == 1);
    return;
  }
  const std::string_view k = kanji_numeral(value);
  if (!k.empty()) canvas_.text(cell_x(c), cell_y(r), k, color, size, BOLD == 1);
}

void Screen::描画_移動駒種類(double c, double r, std::string_view text, int color) {
  描画_数値(c, r, text, color, 0, 12);
}

void Screen::描画_文字列(double col, double row, int code, int color, int size) {
  const std::string_view text = caption_text(code);
  if (text.empty()) return;
  canvas_.text(cell_x(col) + 120, cell_y(row) + 160, text, color, size, BOLD == 1);
}

// ---- Composite operations ----------------------------------------------------

void Screen::描画_盤(const Position& pos) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      描画_絵(pos.Board[x][y], x, y);
      描画_桝輪郭(COLOR_GREEN, x, y);
    }
}

void Screen::描画_将棋盤桝() {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) 描画_桝輪郭(COLOR_GREEN, x, y);
}

void Screen::描画_背景(int code) {
  for (int c = -3; c <= 20; ++c)
    for (int r = -2; r <= 13; ++r) {
      const bool on_board = c >= 1 && c <= 9 && r >= 1 && r <= 9;
      if (!on_board) 描画_絵(code, c, r);
    }
}

void Screen::描画_桝_数値() {
  BOLD = 1;
  for (int i = 1; i <= 9; ++i) {
    描画_絵(HAIKEI_CODE, i, 0);
    描画_数値(i + 0.2, 0.5, 10 - i, COLOR_BLACK, 0, 16);
    描画_数値(i + 0.1, 0.4, 10 - i, COLOR_YELLOW, 0, 16);
    描画_絵(HAIKEI_CODE, 10, i);
    描画_数値(10.2, i + 0.4, i, COLOR_BLACK, 1, 12);
    描画_数値(10.1, i + 0.3, i, COLOR_YELLOW, 1, 12);
    描画_桝輪郭(COLOR_GREEN, 9, i);
  }
}

void Screen::描画_棋譜読込み部分消去() {
  描画_桝_数値();
  描画_絵(HAIKEI_CODE, -1, 10);
  描画_絵(HAIKEI_CODE, 0, 10);
  for (int i = 1; i <= 9; ++i) {
    描画_絵(HAIKEI_CODE, i, 10);
    描画_桝輪郭(COLOR_GREEN, i, 9);
  }
  // The rest of the strip, where a record's names stand.
  for (int c : {-2, 10, 11, 12, 13, 14, 15, 16}) 描画_絵(HAIKEI_CODE, c, 10);
  描画_桝輪郭(COLOR_GREEN, 11, 9);
  HEADER_TITLE.clear();
  HEADER_UPPER.clear();
  HEADER_LOWER.clear();
}

namespace {

constexpr int HEADER_SIZE = 12;
// Two lines in the strip under the board (row 10): the title, then the names.
constexpr double HEADER_TITLE_Y = 10 + 40.0 / SQUARE_H, HEADER_NAMES_Y = 10 + 310.0 / SQUARE_H;
constexpr double HEADER_UPPER_C = -1.6, HEADER_LOWER_C = 11;

}  // namespace

void Screen::描画_棋譜見出し(std::string_view title, std::string_view upper, std::string_view lower) {
  HEADER_TITLE = title;
  HEADER_UPPER = upper;
  HEADER_LOWER = lower;
  描画_棋譜見出し_再描画();
}

void Screen::描画_棋譜見出し_再描画() {
  const bool bold = BOLD == 1;
  // Centred under the board, light red and without a shadow.
  if (!HEADER_TITLE.empty())
    canvas_.text(cell_x(5.5) - text_width(HEADER_TITLE, HEADER_SIZE) / 2, cell_y(HEADER_TITLE_Y), HEADER_TITLE,
                 COLOR_RED, HEADER_SIZE, bold);
  for (const auto& [name, c] : {std::pair{&HEADER_UPPER, HEADER_UPPER_C}, std::pair{&HEADER_LOWER, HEADER_LOWER_C}}) {
    if (name->empty()) continue;
    描画_数値(c + 0.1, HEADER_NAMES_Y + 0.1, *name, COLOR_BLACK, 0, HEADER_SIZE);
    描画_数値(c, HEADER_NAMES_Y, *name, COLOR_WHITE, 0, HEADER_SIZE);
  }
}

void Screen::描画_自持盤(const Position& pos) {
  for (int k = 1; k <= 7; ++k) {
    const int r = k + 2;
    描画_絵(PIC_KARA_MASU, 11, r);
    描画_絵(HAIKEI_CODE, 12, r);
    描画_桝輪郭(COLOR_GREEN, 11, r);
    if (pos.HAND_SITA[k] > 0) {
      描画_絵(-HAND_PIECE[k], 11, r);
      描画_桝輪郭(COLOR_GREEN, 11, r);
      描画_数値(12.1, r + 0.3, pos.HAND_SITA[k], COLOR_BLACK, 0, 14);
      描画_数値(12.0, r + 0.2, pos.HAND_SITA[k], COLOR_RED, 0, 14);
    }
  }
}

void Screen::描画_敵持盤(const Position& pos) {
  for (int r = 1; r <= 7; ++r) {
    const int k = 8 - r;
    描画_絵(PIC_KARA_MASU, -1, r);
    描画_絵(HAIKEI_CODE, 0, r);
    描画_桝輪郭(COLOR_GREEN, -1, r);
    if (pos.HAND_UE[k] > 0) {
      描画_絵(HAND_PIECE[k], -1, r);
      描画_桝輪郭(COLOR_GREEN, -1, r);
      描画_数値(0.1, r + 0.3, pos.HAND_UE[k], COLOR_BLACK, 0, 14);
      描画_数値(0, r + 0.2, pos.HAND_UE[k], COLOR_RED, 0, 14);
    }
    // The count cell touches square (1, r); its picture covers that frame.
    描画_桝輪郭(COLOR_GREEN, 1, r);
  }
}

void Screen::描画_駒点滅(int code, double c, double r, int n, int sidou_checked, DayTimer& timer) {
  for (int i = 0; i < n; ++i) {
    描画_絵(PIC_KARA_MASU, c, r);
    描画_桝輪郭(COLOR_GREEN, c, r);
    if (sidou_checked == 1) 描画_桝輪郭(COLOR_RED, c, r);
    canvas_.refresh();
    timer.wait(0.2);
    描画_絵(code, c, r);
    描画_桝輪郭(COLOR_GREEN, c, r);
    if (sidou_checked == 1) 描画_桝輪郭(COLOR_RED, c, r);
    canvas_.refresh();
    timer.wait(0.2);
  }
}

void Screen::描画_ハンデレベル(int grade) {
  for (int c = 11; c <= 14; ++c) 描画_絵(HAIKEI_CODE, c, 1);
  描画_文字列(11.1, 1.1, grade, COLOR_BLACK, 10);
  描画_文字列(11, 1, grade, COLOR_WHITE, 10);
}

void Screen::描画_レベル(int level) {
  描画_数値(-1.4, 0.2, "LEVEL", COLOR_BLACK, 0, 10);
  描画_数値(-1.5, 0.1, "LEVEL", COLOR_WHITE, 0, 10);
  描画_数値(0.1, 0.1, level, COLOR_BLACK, 0, 12);
  描画_数値(0, 0, level, COLOR_WHITE, 0, 12);
}

// ---- Status texts and clocks ---------------------------------------------------

void Screen::描画_手数(int n) {
  描画_絵(HAIKEI_CODE, 13, 3);
  描画_絵(HAIKEI_CODE, 14, 3);
  描画_桝輪郭(COLOR_GREEN, 11, 3);
  // Right-aligned by hand: one tenth of a cell further left per digit.
  const double shift = n < 10 ? 0.2 : n < 100 ? 0.1 : 0.0;
  描画_数値(13.1 + shift, 3.4, n, COLOR_BLACK, 0, 12);
  描画_数値(13.0 + shift, 3.3, n, COLOR_WHITE, 0, 12);
  描画_文字列(13.9, 3.2, CAPTION_TEME, COLOR_BLACK, 10);
  描画_文字列(13.8, 3.1, CAPTION_TEME, COLOR_WHITE, 10);
}

void Screen::描画_所有時間(int side, double seconds, int keika_checked, const Position& pos) {
  if (keika_checked != 1) return;
  const std::string text = 調査_時間秒追加結果(seconds);
  消去_所有時間(side, pos);
  if (side == pos.SITA_SIDE) {
    描画_数値(13.1, 9.3, text, COLOR_BLACK, 0, 12);
    描画_数値(13.0, 9.2, text, COLOR_WHITE, 0, 12);
  } else if (side == pos.UE_SIDE) {
    描画_数値(-1.5, 9.3, text, COLOR_BLACK, 0, 12);
    描画_数値(-1.6, 9.2, text, COLOR_WHITE, 0, 12);
    描画_桝輪郭(COLOR_GREEN, 1, 9);
  }
}

void Screen::消去_所有時間(int side, const Position& pos) {
  if (side == pos.SITA_SIDE) {
    for (int c = 13; c <= 15; ++c) 描画_絵(HAIKEI_CODE, c, 9);
  } else if (side == pos.UE_SIDE) {
    for (int c = -2; c <= 0; ++c) 描画_絵(HAIKEI_CODE, c, 9);
  }
}

void Screen::消去_思考中() {
  for (int c = -2; c <= 0; ++c) 描画_絵(HAIKEI_CODE, c, 8);
  描画_桝輪郭(COLOR_GREEN, -1, 7);
}

void Screen::消去_移動結果(int side, const Position& pos) {
  if (side == pos.UE_SIDE) {
    // The file numeral starts half a cell into (-2, 8); the old one must go too.
    描画_絵(HAIKEI_CODE, -2, 8);
    描画_絵(HAIKEI_CODE, -1, 8);
    描画_絵(HAIKEI_CODE, 0, 8);
    描画_桝輪郭(COLOR_GREEN, -1, 7);
    描画_桝輪郭(COLOR_GREEN, 1, 8);
  } else if (side == pos.SITA_SIDE) {
    for (int c = 12; c <= 14; ++c) 描画_絵(HAIKEI_CODE, c, 2);
  }
}

void Screen::描画_移動結果(int side, int tx, int ty, int piece, int color, const Position& pos, int promotes) {
  消去_移動結果(side, pos);
  const bool upper = side == pos.UE_SIDE;
  if (!upper && side != pos.SITA_SIDE) return;
  const double row = upper ? 8.5 : 2.5;
  const struct {
    double c;
    std::string_view text;
  } parts[3] = {
      {upper ? -1.5 : 12.5, fullwidth_digit(10 - tx)},
      {upper ? -1.1 : 12.9, kanji_numeral(ty)},
      {upper ? -0.5 : 13.5, piece_name(piece, promotes)},
  };
  for (const auto& part : parts) {
    if (part.text.empty()) continue;
    描画_移動駒種類(part.c, row, part.text, COLOR_BLACK);
    描画_移動駒種類(part.c - 0.1, row - 0.1, part.text, color);
  }
  if (upper) 描画_桝輪郭(COLOR_GREEN, 1, 8);
}

}  // namespace korvel
