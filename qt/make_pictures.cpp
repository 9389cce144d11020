// Paints the pictures the build installs beside the game:
//   korvel_make_pictures about OUT.png VERSION
//     the about box's face: the logo, the game's name and its version, at
//     twice the design size so that it is sharp on 2x screens;
//   korvel_make_pictures icon OUT.png SIZE
//     the desktop icon, the same drawing as desktop/korvel.svg.
#include <QApplication>
#include <QPainterPath>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "qt/artwork.h"
#include "ui/pictures.h"

namespace {

// In the 256-unit square of the SVG icon.
QImage icon(int size) {
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 256.0, size / 256.0);
  QPolygonF koma;
  koma << QPointF(128, 16) << QPointF(196, 44) << QPointF(220, 240) << QPointF(36, 240) << QPointF(60, 44);
  QLinearGradient wood(0, 0, 256, 256);
  wood.setColorAt(0, QColor(0xfc, 0xe8, 0xb4));
  wood.setColorAt(1, QColor(0xdc, 0xb4, 0x6c));
  p.setBrush(wood);
  p.setPen(QPen(QColor(0x80, 0x54, 0x2a), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolygon(koma);

  QPainterPath body;
  body.moveTo(76, 100);
  body.lineTo(76, 190);
  body.arcTo(QRectF(76, 174, 104, 32), 180, 180);
  body.lineTo(180, 100);
  QLinearGradient lacquer(76, 0, 180, 0);
  lacquer.setColorAt(0, QColor(0x5c, 0x18, 0x10));
  lacquer.setColorAt(0.45, QColor(0xb8, 0x40, 0x2c));
  lacquer.setColorAt(1, QColor(0x4a, 0x10, 0x08));
  p.setPen(Qt::NoPen);
  p.setBrush(lacquer);
  p.drawPath(body);
  p.setBrush(QColor(0xe8, 0xb0, 0x60));
  p.setPen(QPen(QColor(0x4a, 0x10, 0x08), 3));
  p.drawEllipse(QPointF(128, 100), 52, 16);
  p.setPen(QPen(QColor(0xf5, 0xd0, 0x8a), 3));
  const qreal files[5][3] = {{93, 112, 201}, {111, 115, 205}, {128, 116, 206}, {145, 115, 205}, {163, 112, 201}};
  for (const auto& f : files) p.drawLine(QPointF(f[0], f[1]), QPointF(f[0], f[2]));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0x4a, 0x10, 0x08), 3));
  p.drawPath(body);
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  const bool about = argc == 4 && std::strcmp(argv[1], "about") == 0;
  const bool icons = argc == 4 && std::strcmp(argv[1], "icon") == 0;
  if (!about && !icons) {
    std::fprintf(stderr, "usage: %s about OUT.png VERSION | icon OUT.png SIZE\n", argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  if (icons) return icon(std::atoi(argv[3])).save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
  constexpr qreal kScale = 2;
  // 4995 x 1530 twips; the buttons cover the lower part from 1080 twips.
  QImage face(qRound(333 * kScale), qRound(102 * kScale), QImage::Format_RGB32);
  face.setDevicePixelRatio(kScale);
  QPainter p(&face);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient lacquer(0, 0, 0, 102);
  lacquer.setColorAt(0, QColor(92, 24, 16));
  lacquer.setColorAt(1, QColor(30, 6, 4));
  p.fillRect(QRectF(0, 0, 333, 102), lacquer);
  p.setPen(QPen(QColor(214, 170, 70), 1));
  p.drawRect(QRectF(2.5, 2.5, 328, 97));

  const korvel::qt::Artwork art(kScale);
  p.drawImage(QPointF(8, 8), *art.picture(korvel::PIC_KORVEL));

  QFont font(QString::fromLatin1(korvel::qt::kWindowFontFamily));
  font.setPixelSize(14);
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(255, 236, 170));
  p.drawText(QRectF(186, 10, 140, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("円筒将棋"));
  font.setPixelSize(12);
  font.setBold(false);
  p.setFont(font);
  p.drawText(QRectF(186, 32, 140, 18), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("バージョン %1").arg(QString::fromLatin1(argv[3])));
  p.setPen(QColor(214, 170, 120));
  font.setPixelSize(11);
  p.setFont(font);
  p.drawText(QRectF(10, 52, 320, 16), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("九筋と一筋がつながった盤で指す将棋"));
  p.end();
  return face.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
