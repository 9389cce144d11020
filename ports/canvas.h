#pragma once
// The surface the game draws on: the window's persistent image. Positions are
// in twips from the client area's top-left corner (15 twips to a pixel at
// 100 %); the implementation scales them to its device pixels.

#include <string_view>

namespace korvel {

struct Canvas {
  virtual ~Canvas() = default;
  // The picture of a PictureCode with its top-left corner at (x, y), at its
  // natural size; a code without a picture paints nothing.
  virtual void picture(int code, double x, double y) = 0;
  // Outline (not filled) of the rectangle (x1, y1)-(x2, y2) in a palette colour.
  virtual void outline(int color, double x1, double y1, double x2, double y2) = 0;
  // Text (UTF-8) whose top-left corner is at (x, y), in the window font at
  // size_pt points, palette colour, bold or not.
  virtual void text(double x, double y, std::string_view utf8, int color, int size_pt, bool bold) = 0;
  // Show what has been drawn so far now, before the handler returns.
  virtual void refresh() = 0;
};

}  // namespace korvel
