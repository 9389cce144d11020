#pragma once
// The game's own pictures, painted in code: the koma of both sides, the
// empty square, the five background tiles and the logo. Each is painted the
// first time it is asked for (a game shows one background of five), at the
// screen's device pixel ratio so that a 2x display gets twice the pixels
// instead of a blown-up copy.

#include <QImage>
#include <QSize>

#include <map>

namespace korvel::qt {

// The window font, standing in for the proportional Mincho face the board
// texts were designed for.
inline constexpr const char* kWindowFontFamily = "IPAPMincho";

class Artwork {
 public:
  explicit Artwork(qreal devicePixelRatio);

  // The picture of a PictureCode at device resolution, or nullptr when the
  // code has none (111, -111 and every code outside the table).
  const QImage* picture(int code) const;

  // Natural size in design pixels (15 twips each); empty for codes without
  // a picture.
  static QSize naturalSize(int code);

  qreal devicePixelRatio() const { return dpr_; }

 private:
  qreal dpr_;
  mutable std::map<int, QImage> pictures_;
};

}  // namespace korvel::qt
