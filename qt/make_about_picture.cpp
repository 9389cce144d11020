// Paints the about box's face at build time: the logo, the game's name and
// its version, at twice the design size so that it is sharp on 2x screens.
// Usage: korvel_make_about_picture OUT.png VERSION
#include <QApplication>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>

#include "qt/artwork.h"
#include "ui/pictures.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s OUT.png VERSION\n", argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
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
             QStringLiteral("バージョン %1").arg(QString::fromLatin1(argv[2])));
  p.setPen(QColor(214, 170, 120));
  font.setPixelSize(11);
  p.setFont(font);
  p.drawText(QRectF(10, 52, 320, 16), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("九筋と一筋がつながった盤で指す将棋"));
  p.end();
  return face.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
