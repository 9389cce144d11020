#include "qt/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <cstdint>

#include "ui/pictures.h"

namespace korvel::qt {
namespace {

constexpr QSize kSquare(42, 47);
constexpr QSize kTile(41, 46);
constexpr QSize kLogo(171, 39);

// Hash noise in [0, 1): the pictures come out the same on every start.
double noise(std::uint32_t seed, std::uint32_t i) {
  std::uint32_t h = seed * 0x9E3779B1u ^ (i + 1) * 0x85EBCA77u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return (h & 0xFFFFFFu) / 16777216.0;
}

QImage blank(QSize logical, qreal dpr) {
  QImage img(qRound(logical.width() * dpr), qRound(logical.height() * dpr), QImage::Format_RGB32);
  img.fill(Qt::black);
  return img;
}

void prepare(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont mincho(qreal pixelSize, bool bold) {
  QFont f(kWindowFontFamily);
  f.setPixelSize(qMax(1, qRound(pixelSize)));
  f.setBold(bold);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

// Glyph outline of text, its ink centred on `centre`.
QPainterPath centredText(const QString& text, const QFont& font, QPointF centre) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF ink = path.boundingRect();
  return path.translated(centre - ink.center());
}

// Kaya: warm golden board wood with a fine, slightly wavy vertical grain.
void paintBoardWood(QPainter& p, const QRectF& r) {
  p.fillRect(r, QColor(226, 184, 104));
  for (std::uint32_t i = 0; i < 16; ++i) {
    const double x = r.left() + noise(7, i) * r.width();
    const double sway = (noise(10, i) - 0.5) * 3.0;
    QPainterPath grain;
    grain.moveTo(x, r.top());
    grain.cubicTo(x + sway, r.top() + r.height() / 3, x - sway, r.top() + 2 * r.height() / 3,
                  x + sway / 2, r.bottom());
    QColor c = noise(8, i) < 0.7 ? QColor(176, 124, 52) : QColor(240, 204, 132);
    c.setAlpha(30 + int(noise(9, i) * 45));
    p.strokePath(grain, QPen(c, 0.35 + noise(11, i) * 0.9));
  }
}

struct KomaFace {
  const char* kanji;
  double scale;  // real koma grow with the rank of the piece
};

KomaFace komaFace(int code) {
  switch (code < 0 ? -code : code) {
    case 10: return {"歩", 0.82};
    case 11: return {"と", 0.82};
    case 20: return {"香", 0.86};
    case 21: return {"杏", 0.86};
    case 30: return {"桂", 0.89};
    case 31: return {"圭", 0.89};
    case 100: return {"銀", 0.93};
    case 101: return {"全", 0.93};
    case 110: return {"金", 0.93};
    case 800: return {"角", 0.97};
    case 801: return {"馬", 0.97};
    case 900: return {"飛", 0.97};
    case 901: return {"龍", 0.97};
    case 950: return {code > 0 ? "王" : "玉", 1.0};
    default: return {nullptr, 0};
  }
}

bool isPieceCode(int code) { return komaFace(code).kanji != nullptr; }

bool isPromoted(int code) {
  const int m = code < 0 ? -code : code;
  return m == 11 || m == 21 || m == 31 || m == 101 || m == 801 || m == 901;
}

// A pentagonal koma on its square; the upper side's piece points down the
// board, toward the player at the bottom. The light falls from the top-left
// for both sides, so only the outline and the writing are turned.
void paintKoma(QPainter& p, int code) {
  paintBoardWood(p, QRectF(QPointF(0, 0), kSquare));
  const KomaFace face = komaFace(code);
  const bool upper = code > 0;
  const QPointF centre(20.5, 23.5);
  const double w = 34.0 * face.scale;
  const double h = 41.0 * face.scale;

  const QPointF shape[5] = {
      {0, -h / 2}, {w * 0.41, -h / 2 + h * 0.24}, {w / 2, h / 2}, {-w / 2, h / 2}, {-w * 0.41, -h / 2 + h * 0.24}};
  QPolygonF koma;
  for (const QPointF& pt : shape) koma << centre + (upper ? -pt : pt);

  // Thickness: the wood's side shows below and right of the face.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(96, 60, 22, 150));
  p.drawPolygon(koma.translated(1.3, 1.6));
  p.setBrush(QColor(170, 118, 56));
  p.drawPolygon(koma.translated(0.6, 0.8));

  const QRectF box = koma.boundingRect();
  QLinearGradient sheen(box.topLeft(), box.bottomRight());
  sheen.setColorAt(0.0, QColor(252, 234, 184));
  sheen.setColorAt(0.55, QColor(240, 212, 150));
  sheen.setColorAt(1.0, QColor(222, 184, 112));
  p.setBrush(sheen);
  p.drawPolygon(koma);

  // Boxwood grain, very faint, running along the piece.
  p.save();
  QPainterPath clip;
  clip.addPolygon(koma);
  p.setClipPath(clip);
  for (std::uint32_t i = 0; i < 6; ++i) {
    const double x = box.left() + noise(20 + std::abs(code) % 97, i) * box.width();
    QPainterPath grain;
    grain.moveTo(x, box.top());
    grain.quadTo(x + (noise(21, i) - 0.5) * 4, box.center().y(), x + (noise(22, i) - 0.5) * 2, box.bottom());
    p.strokePath(grain, QPen(QColor(190, 140, 70, 40), 0.5));
  }
  p.restore();

  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(128, 84, 36), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolygon(koma);

  // The writing sits a little below the middle, where the piece is widest.
  p.save();
  p.translate(centre);
  if (upper) p.rotate(180);
  const QFont font = mincho(w * 0.62, true);
  const QPainterPath glyph = centredText(QString::fromUtf8(face.kanji), font, QPointF(0, h * 0.08));
  p.setPen(Qt::NoPen);
  p.setBrush(isPromoted(code) ? QColor(200, 16, 16) : QColor(24, 16, 10));
  p.drawPath(glyph);
  p.restore();
}

// 筒: glazed green tiles.
void paintMidori(QPainter& p) {
  const QRectF r(QPointF(0, 0), kSquare);
  QLinearGradient glaze(r.topLeft(), r.bottomRight());
  glaze.setColorAt(0, QColor(40, 150, 70));
  glaze.setColorAt(1, QColor(14, 104, 44));
  p.fillRect(r, glaze);
  for (std::uint32_t i = 0; i < 40; ++i) {
    QColor c = noise(31, i) < 0.5 ? QColor(255, 255, 255, 22) : QColor(0, 40, 0, 30);
    p.fillRect(QRectF(noise(32, i) * 42, noise(33, i) * 47, 1, 1), c);
  }
  p.fillRect(QRectF(0, 0, 42, 1), QColor(110, 200, 130));
  p.fillRect(QRectF(0, 0, 1, 47), QColor(110, 200, 130));
  p.fillRect(QRectF(40, 0, 2, 47), QColor(0, 70, 24));
  p.fillRect(QRectF(0, 45, 42, 2), QColor(0, 70, 24));
}

// 畳: rush woven across, held by the long warp threads.
void paintTatami(QPainter& p) {
  const QRectF r(QPointF(0, 0), kTile);
  p.fillRect(r, QColor(170, 168, 100));
  const double strand = 46.0 / 26;
  for (int i = 0; i < 26; ++i) {
    const double t = noise(41, i);
    const QColor c(int(156 + t * 30), int(158 + t * 26), int(88 + t * 30));
    p.fillRect(QRectF(0, i * strand, 41, strand), c);
    p.fillRect(QRectF(0, (i + 1) * strand - 0.35, 41, 0.35), QColor(140, 134, 70, 150));
  }
  for (double x : {6.5, 16.5, 26.5, 36.5}) p.fillRect(QRectF(x, 0, 0.6, 46), QColor(150, 140, 80, 110));
}

// 竹: two stalks with their nodes at different heights.
void paintTake(QPainter& p) {
  const QRectF r(QPointF(0, 0), kTile);
  p.fillRect(r, QColor(24, 58, 26));
  struct Stalk { double left, width, node; };
  for (const Stalk& s : {Stalk{1.5, 17.5, 14}, Stalk{21.5, 18, 34}}) {
    QLinearGradient round(s.left, 0, s.left + s.width, 0);
    round.setColorAt(0.0, QColor(52, 100, 34));
    round.setColorAt(0.35, QColor(150, 196, 92));
    round.setColorAt(0.6, QColor(118, 168, 70));
    round.setColorAt(1.0, QColor(44, 88, 30));
    p.fillRect(QRectF(s.left, 0, s.width, 46), round);
    p.fillRect(QRectF(s.left - 0.5, s.node, s.width + 1, 1.6), QColor(40, 78, 26));
    p.fillRect(QRectF(s.left, s.node + 1.6, s.width, 0.8), QColor(196, 226, 140));
  }
}

// 宇宙: a starry night sky. The stars are few and faint enough that the
// repeat of the tile does not show as a grid.
void paintUchu(QPainter& p) {
  const QRectF r(QPointF(0, 0), kTile);
  p.fillRect(r, QColor(8, 10, 36));
  p.setPen(Qt::NoPen);
  for (std::uint32_t i = 0; i < 9; ++i) {
    const QPointF at(noise(51, i) * 41, noise(52, i) * 46);
    const double size = 0.25 + noise(53, i) * noise(53, i) * 0.8;
    const double tint = noise(54, i);
    QColor c = tint < 0.6 ? QColor(255, 255, 255) : tint < 0.8 ? QColor(200, 220, 255) : QColor(255, 236, 170);
    c.setAlpha(110 + int(noise(55, i) * 145));
    p.setBrush(c);
    p.drawEllipse(at, size, size);
  }
}

// 煉瓦: red bricks in running bond; each course is offset by half a brick.
void paintRenga(QPainter& p) {
  const QRectF r(QPointF(0, 0), kTile);
  p.fillRect(r, QColor(196, 188, 170));
  const double rows[5] = {0, 11.5, 23, 34.5, 46};
  for (int row = 0; row < 4; ++row) {
    const double offset = row % 2 ? 10.25 : 0;
    for (int b = -1; b < 2; ++b) {
      const double x = offset + b * 20.5;
      const QRectF brick(x + 0.7, rows[row] + 0.7, 20.5 - 1.4, rows[row + 1] - rows[row] - 1.4);
      const double t = noise(61, row * 3 + b + 1);
      const QColor c(int(150 + t * 40), int(56 + t * 22), int(38 + t * 14));
      QLinearGradient face(brick.topLeft(), brick.bottomLeft());
      face.setColorAt(0, c.lighter(112));
      face.setColorAt(1, c.darker(112));
      p.fillRect(brick.intersected(r), face);
    }
  }
}

// The title plate: gold letters on black lacquer, a koma at either end.
void paintLogo(QPainter& p) {
  const QRectF r(QPointF(0, 0), kLogo);
  QLinearGradient lacquer(r.topLeft(), r.bottomLeft());
  lacquer.setColorAt(0, QColor(70, 16, 14));
  lacquer.setColorAt(1, QColor(24, 4, 4));
  p.fillRect(r, lacquer);
  p.setPen(QPen(QColor(214, 170, 70), 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);

  for (double cx : {14.0, 157.0}) {
    QPolygonF koma;
    koma << QPointF(cx, 9) << QPointF(cx + 5.5, 13) << QPointF(cx + 7, 30) << QPointF(cx - 7, 30)
         << QPointF(cx - 5.5, 13);
    QLinearGradient wood(koma.boundingRect().topLeft(), koma.boundingRect().bottomRight());
    wood.setColorAt(0, QColor(252, 232, 180));
    wood.setColorAt(1, QColor(220, 180, 108));
    p.setBrush(wood);
    p.setPen(QPen(QColor(128, 84, 36), 0.8));
    p.drawPolygon(koma);
  }

  QFont font = mincho(24, true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
  const QPainterPath word = centredText(QStringLiteral("KORVEL"), font, QPointF(85.5, 20));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 180));
  p.drawPath(word.translated(1, 1.2));
  QLinearGradient gold(0, 8, 0, 32);
  gold.setColorAt(0, QColor(255, 236, 150));
  gold.setColorAt(0.5, QColor(230, 182, 70));
  gold.setColorAt(1, QColor(176, 122, 32));
  p.setBrush(gold);
  p.drawPath(word);
}

}  // namespace

QSize Artwork::naturalSize(int code) {
  const korvel::PictureInfo* info = korvel::find_picture(code);
  return info ? QSize(info->width_px, info->height_px) : QSize();
}

Artwork::Artwork(qreal devicePixelRatio) : dpr_(devicePixelRatio) {}

const QImage* Artwork::picture(int code) const {
  const auto it = pictures_.find(code);
  if (it != pictures_.end()) return &it->second;
  const korvel::PictureInfo* info = korvel::find_picture(code);
  if (info == nullptr) return nullptr;
  QImage img = blank(QSize(info->width_px, info->height_px), dpr_);
  QPainter p(&img);
  // Scaled by hand: a painter follows an image's own pixel ratio only from 1 up,
  // and a small window draws below it.
  p.scale(dpr_, dpr_);
  prepare(p);
  if (code == korvel::PIC_KARA_MASU) {
    paintBoardWood(p, QRectF(0, 0, info->width_px, info->height_px));
  } else if (isPieceCode(code)) {
    paintKoma(p, code);
  } else if (code == korvel::PIC_KORVEL) {
    paintLogo(p);
  } else if (code == korvel::HAIKEI_MIDORI) {
    paintMidori(p);
  } else if (code == korvel::HAIKEI_TATAMI) {
    paintTatami(p);
  } else if (code == korvel::HAIKEI_TAKE) {
    paintTake(p);
  } else if (code == korvel::HAIKEI_UCHU) {
    paintUchu(p);
  } else if (code == korvel::HAIKEI_RENGA) {
    paintRenga(p);
  }
  p.end();
  img.setDevicePixelRatio(dpr_);
  return &pictures_.emplace(code, std::move(img)).first->second;
}

}  // namespace korvel::qt
