#pragma once
// Drawing on the window's cell grid. Everything is addressed by cell (c, r),
// whose top-left corner lies at x = 1300 + 615·c, y = 100 + 690·r twips; c and
// r may be negative or fractional. Board square (x, y) is cell (x, y).
//
// Screen holds the canvas and the two bits of drawing state the window keeps:
// the background picture and whether the font has turned bold. The game's
// other state is passed in by the window model.

#include <string>
#include <string_view>

#include "board/position.h"
#include "ports/canvas.h"
#include "ports/day_timer.h"

namespace korvel {

inline constexpr int BOARD_LEFT = 1300;
inline constexpr int BOARD_TOP = 100;
inline constexpr int SQUARE_W = 615;
inline constexpr int SQUARE_H = 690;

// Palette indices of the standard 16-colour console palette.
enum : int {
  COLOR_BLACK = 0,
  COLOR_GREEN = 2,  // window background, plain frames
  COLOR_HINT = 11,  // the move the hint proposes
  COLOR_RED = 12,   // selection, the computer's move, hand counts
  COLOR_DANGER = 13,  // a king the other side can take
  COLOR_YELLOW = 14,
  COLOR_HANGING = 14,  // a piece the other side can take for free
  COLOR_WHITE = 15,
};

// Caption code of "手目" for 描画_文字列.
inline constexpr int CAPTION_TEME = 99;

inline constexpr double cell_x(double c) { return BOARD_LEFT + SQUARE_W * c; }
inline constexpr double cell_y(double r) { return BOARD_TOP + SQUARE_H * r; }

// Text of a caption code: the handicap grades -10..10, 99 "手目", else empty.
std::string_view caption_text(int code);

// Kanji numeral "一".."九" for 1..9, empty otherwise.
std::string_view kanji_numeral(int value);

// Full-width digit "１".."９" for 1..9, empty otherwise.
std::string_view fullwidth_digit(int value);

// Name of the piece that moved, by the magnitude of the code it stands
// with after the move: a promoted piece by its own name ("と", "成香",
// "成桂", "成銀", "馬", "龍"), but a move that promotes names the piece it
// was with "成" ("角成"). Empty for a code that is no piece.
std::string_view piece_name(int code, int promotes = 0);

// Width in twips a text takes at size points, roughly: half a point-square
// for a narrow character (ASCII, half-width kana), a whole one otherwise.
double text_width(std::string_view utf8, int size);

// A number as the window prints it: a blank for the sign of a non-negative
// number, then the digits (" 5", "-5").
std::string number_text(int value);

// Clock texts.
std::string 変換_数字から文字(long long v);
std::string 調査_時間秒追加結果(double seconds);
double 調査_経過秒(double start, double now);

class Screen {
 public:
  explicit Screen(Canvas& canvas) : canvas_(canvas) {}

  Canvas& canvas() { return canvas_; }

  // Background PictureCode 2..6; 0 until the settings choose one.
  int HAIKEI_CODE = 0;
  // 1 once the coordinate labels have been drawn: every later text is bold.
  int BOLD = 0;
  // The headers of a record shown under the board, kept to be drawn again
  // over a new background; gone with the strip they stand in.
  std::string HEADER_TITLE, HEADER_UPPER, HEADER_LOWER;

  // Primitives.
  void 描画_絵(int code, double c, double r);
  void 描画_桝輪郭(int color, double c, double r);
  // numeral 0: the text as it is. Otherwise the kanji numeral of value.
  void 描画_数値(double c, double r, std::string_view text, int color, int numeral, int size);
  void 描画_数値(double c, double r, int value, int color, int numeral, int size);
  void 描画_移動駒種類(double c, double r, std::string_view text, int color);
  void 描画_文字列(double col, double row, int code, int color, int size);

  // Composite operations.
  void 描画_盤(const Position& pos);
  void 描画_将棋盤桝();
  void 描画_背景(int code);
  void 描画_桝_数値();
  // Repaints the strip under the board and the coordinate labels; the
  // headers of a record shown there are gone.
  void 描画_棋譜読込み部分消去();
  // A record's title and players' names, in the strip under the board where
  // they cover no piece, clock or label: the title in the middle, each name
  // under its player's hand. Kept for 描画_棋譜見出し_再描画.
  void 描画_棋譜見出し(std::string_view title, std::string_view upper, std::string_view lower);
  void 描画_棋譜見出し_再描画();
  void 描画_自持盤(const Position& pos);
  void 描画_敵持盤(const Position& pos);
  // Blinks a piece n times at (c, r) and leaves it standing; sidou_checked
  // adds the light-red frame. Blocks 0.4 s per blink.
  void 描画_駒点滅(int code, double c, double r, int n, int sidou_checked, DayTimer& timer);
  void 描画_ハンデレベル(int grade);
  // The computer's strength caption left of the file numbers.
  void 描画_レベル(int level);

  // Status texts and clocks.
  void 描画_手数(int n);
  // Draws nothing unless keika_checked; side is matched against the two
  // side values of pos.
  void 描画_所有時間(int side, double seconds, int keika_checked, const Position& pos);
  void 消去_所有時間(int side, const Position& pos);
  void 消去_思考中();
  void 消去_移動結果(int side, const Position& pos);
  // The last move as text in the mover's area: file counted from the right
  // edge ("１" for tx = 9), rank numeral, piece name.
  // promotes 1: the move promoted the piece, now standing as piece.
  void 描画_移動結果(int side, int tx, int ty, int piece, int color, const Position& pos, int promotes = 0);

 private:
  Canvas& canvas_;
};

// Lets the board's 駒移動 and 描画_移動可能桝色 draw onto the screen.
class ScreenMoveDrawing : public MoveDrawing {
 public:
  ScreenMoveDrawing(Screen& screen, const Position& pos) : screen_(screen), pos_(pos) {}
  void 描画_絵(int code, double c, double r) override { screen_.描画_絵(code, c, r); }
  void 描画_桝輪郭(int color, double c, double r) override { screen_.描画_桝輪郭(color, c, r); }
  void 描画_自持盤() override { screen_.描画_自持盤(pos_); }
  void 描画_敵持盤() override { screen_.描画_敵持盤(pos_); }

 private:
  Screen& screen_;
  const Position& pos_;
};

}  // namespace korvel
