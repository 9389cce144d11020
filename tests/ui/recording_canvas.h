#pragma once
// A canvas that writes down every call as a line of text, so that tests can
// compare what was drawn, in order. Positions are written in whole twips.

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ports/canvas.h"
#include "ui/screen.h"

namespace korvel::testing {

inline std::string at(double x, double y) {
  return "(" + std::to_string(std::lround(x)) + "," + std::to_string(std::lround(y)) + ")";
}

// Expected lines, written in cells like the drawing code.
inline std::string Pic(int code, double c, double r) {
  return "pic " + std::to_string(code) + " " + at(cell_x(c), cell_y(r));
}
inline std::string Box(int color, double c, double r) {
  return "box " + std::to_string(color) + " " + at(cell_x(c), cell_y(r));
}
inline std::string Txt(int color, double c, double r, const std::string& text, int size) {
  return "text " + std::to_string(color) + " " + at(cell_x(c), cell_y(r)) + " '" + text + "' " +
         std::to_string(size);
}
// A caption of 描画_文字列: 120 twips right and 160 below the cell corner.
inline std::string Cap(int color, double c, double r, const std::string& text, int size) {
  return "text " + std::to_string(color) + " " + at(cell_x(c) + 120, cell_y(r) + 160) + " '" +
         text + "' " + std::to_string(size);
}

struct RecordingCanvas : Canvas {
  std::vector<std::string> calls;
  std::vector<int> bold;  // bold flag of each text call, in order
  // Colour of the last outline drawn with that top-left corner.
  std::map<std::pair<long, long>, int> last_outline;
  // Code of the last picture painted with that top-left corner.
  std::map<std::pair<long, long>, int> last_picture;

  void picture(int code, double x, double y) override {
    calls.push_back("pic " + std::to_string(code) + " " + at(x, y));
    last_picture[{std::lround(x), std::lround(y)}] = code;
  }
  void outline(int color, double x1, double y1, double x2, double y2) override {
    // Every frame of the game is exactly one cell.
    if (std::lround(x2 - x1) != SQUARE_W || std::lround(y2 - y1) != SQUARE_H)
      calls.push_back("odd outline");
    calls.push_back("box " + std::to_string(color) + " " + at(x1, y1));
    last_outline[{std::lround(x1), std::lround(y1)}] = color;
  }
  void text(double x, double y, std::string_view utf8, int color, int size_pt, bool b) override {
    calls.push_back("text " + std::to_string(color) + " " + at(x, y) + " '" + std::string(utf8) +
                    "' " + std::to_string(size_pt));
    bold.push_back(b ? 1 : 0);
  }
  void refresh() override { calls.push_back("refresh"); }

  void clear() {
    calls.clear();
    bold.clear();
  }
};

}  // namespace korvel::testing
