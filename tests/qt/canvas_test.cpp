#include "qt/canvas_widget.h"

#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <vector>

#include "qt/palette.h"

namespace korvel::qt {
namespace {

double cellX(double c) { return 1300 + 615 * c; }
double cellY(double r) { return 100 + 690 * r; }

const QColor kGreen(0, 128, 0);

// Box of the pixels of exactly this colour inside `area`, empty if none.
QRect inkBox(const QImage& img, const QRect& area, QColor colour) {
  QRect box;
  const QRect a = area.intersected(img.rect());
  for (int y = a.top(); y <= a.bottom(); ++y)
    for (int x = a.left(); x <= a.right(); ++x)
      if (img.pixelColor(x, y) == colour) box |= QRect(x, y, 1, 1);
  return box;
}

// Box of everything drawn over the window colour.
QRect touchedBox(const QImage& img) {
  QRect box;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixelColor(x, y) != kGreen) box |= QRect(x, y, 1, 1);
  return box;
}

class CanvasTest : public ::testing::TestWithParam<double> {};

TEST_P(CanvasTest, StartsInTheWindowColour) {
  CanvasWidget canvas(GetParam());
  EXPECT_EQ(canvas.image().pixelColor(0, 0), kGreen);
  EXPECT_EQ(canvas.image().pixelColor(canvas.image().width() - 1, canvas.image().height() - 1), kGreen);
  // Big enough for the last background cells, column 20 and row 13.
  EXPECT_TRUE(canvas.image().rect().contains(canvas.devicePoint(cellX(21) - 1, cellY(14) - 1)));
}

TEST_P(CanvasTest, PicturesLandOnTheCellCornerAtTheirNaturalSize) {
  const double dpr = GetParam();
  CanvasWidget canvas(dpr);
  for (int code : {0, -950, 901, 1, 3}) {
    SCOPED_TRACE(code);
    canvas.picture(code, cellX(4), cellY(5));
    const QImage* art = canvas.artwork().picture(code);
    const QPoint at = canvas.devicePoint(cellX(4), cellY(5));
    EXPECT_EQ(at, QPoint(qRound(cellX(4) / 15 * dpr), qRound(cellY(5) / 15 * dpr)));
    EXPECT_EQ(canvas.image().copy(QRect(at, art->size())), art->convertToFormat(canvas.image().format()));
    EXPECT_EQ(canvas.image().pixelColor(at - QPoint(1, 1)), kGreen);
  }
}

TEST_P(CanvasTest, UnknownCodesLeaveTheImageAsItWas) {
  CanvasWidget canvas(GetParam());
  canvas.picture(0, cellX(2), cellY(2));
  const QImage before = canvas.image();
  for (int code : {111, -111, 7, 951}) canvas.picture(code, cellX(2), cellY(2));
  EXPECT_EQ(canvas.image(), before);
}

TEST_P(CanvasTest, OutlineIsAOneDesignPixelFrameAroundAnUntouchedInside) {
  const double dpr = GetParam();
  CanvasWidget canvas(dpr);
  canvas.picture(0, cellX(3), cellY(3));
  canvas.outline(12, cellX(3), cellY(3), cellX(3) + 615, cellY(3) + 690);
  const QImage& img = canvas.image();
  const QColor red = paletteColor(12);
  const QRect frame = inkBox(img, img.rect(), red);
  const QPoint tl = canvas.devicePoint(cellX(3), cellY(3));
  const QPoint br = canvas.devicePoint(cellX(4), cellY(4));
  const int w = qRound(dpr);
  EXPECT_EQ(frame, QRect(tl, br + QPoint(w - 1, w - 1)));
  // The frame covers the picture's last column and row, as in the design.
  EXPECT_EQ(frame.width(), qRound(42 * dpr));
  EXPECT_EQ(img.pixelColor(tl + QPoint(w, w)), canvas.artwork().picture(0)->pixelColor(w, w));
  EXPECT_NE(img.pixelColor(tl + QPoint(w, w)), red);
  EXPECT_EQ(img.pixelColor(tl.x() + 10, br.y()), red);
  EXPECT_EQ(img.pixelColor(br.x(), tl.y() + 10), red);
}

TEST_P(CanvasTest, TextStartsAtItsTopLeftInTheWindowFont) {
  const double dpr = GetParam();
  CanvasWidget canvas(dpr);
  const QColor yellow = paletteColor(14);
  canvas.text(cellX(2), cellY(0.4), "九", 14, 16, true);
  const QPoint at = canvas.devicePoint(cellX(2), cellY(0.4));
  const QRect ink = inkBox(canvas.image(), canvas.image().rect(), yellow);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_GE(ink.left(), at.x());
  EXPECT_GE(ink.top(), at.y());
  // 16 points are 21 design pixels: the glyph fits in one em below the corner.
  EXPECT_LE(ink.bottom(), at.y() + 22 * dpr);
  EXPECT_GT(ink.height(), 12 * dpr);
}

INSTANTIATE_TEST_SUITE_P(Ratios, CanvasTest, ::testing::Values(1.0, 2.0));

// On a 2x screen the writing is laid out at twice the pixels.
TEST(Canvas, TextIsDrawnAtTheDeviceRatio) {
  CanvasWidget one(1.0), two(2.0);
  one.text(cellX(1), cellY(1), "三", 15, 12, true);
  two.text(cellX(1), cellY(1), "三", 15, 12, true);
  const QRect a = touchedBox(one.image());
  const QRect b = touchedBox(two.image());
  ASSERT_FALSE(a.isEmpty());
  EXPECT_NEAR(b.width(), 2 * a.width(), 3);
  EXPECT_NEAR(b.height(), 2 * a.height(), 3);
}

TEST(Palette, ConsoleColoursByIndex) {
  struct Case { int index; QColor colour; };
  for (Case c : {Case{0, QColor(0, 0, 0)}, {2, QColor(0, 128, 0)}, {5, QColor(128, 0, 128)},
                 {6, QColor(128, 128, 0)}, {12, QColor(255, 0, 0)}, {14, QColor(255, 255, 0)},
                 {15, QColor(255, 255, 255)}, {16, QColor(0, 0, 0)}, {-1, QColor(0, 0, 0)}}) {
    EXPECT_EQ(paletteColor(c.index), c.colour) << c.index;
  }
}

TEST(Canvas, ButtonsAndShiftAreNumberedAsTheWindowEventsExpect) {
  EXPECT_EQ(CanvasWidget::buttonCode(Qt::LeftButton), 1);
  EXPECT_EQ(CanvasWidget::buttonCode(Qt::RightButton), 2);
  EXPECT_EQ(CanvasWidget::buttonCode(Qt::MiddleButton), 4);
  EXPECT_EQ(CanvasWidget::buttonCode(Qt::BackButton), 0);
  EXPECT_EQ(CanvasWidget::shiftCode(Qt::NoModifier), 0);
  EXPECT_EQ(CanvasWidget::shiftCode(Qt::ShiftModifier | Qt::AltModifier), 5);
  EXPECT_EQ(CanvasWidget::shiftCode(Qt::ControlModifier), 2);
}

}  // namespace
}  // namespace korvel::qt

namespace korvel::qt {
namespace {

TEST(CanvasScale, ALargerWindowDrawsEverythingAgainSharpAndMapsClicksBack) {
  CanvasWidget canvas(1.0);
  canvas.resize(755, 594);
  canvas.show();
  for (int round = 0; round < 3; ++round)  // the same cells painted over and over
    for (int c = 1; c <= 9; ++c) {
      canvas.picture(0, cellX(c), cellY(2));
      canvas.outline(2, cellX(c), cellY(2), cellX(c) + 615, cellY(2) + 690);
    }
  canvas.picture(-950, cellX(5), cellY(9));
  canvas.text(cellX(12), cellY(3), "手目", 15, 12, true);
  EXPECT_EQ(canvas.keptOperations(), 20u);  // what is painted over is not kept

  canvas.resize(2 * 755 + 40, 2 * 594);  // wider than the proportions: the height decides
  QCoreApplication::processEvents();
  ASSERT_DOUBLE_EQ(canvas.scale(), 2.0);
  // The king is painted anew at twice the pixels, not stretched.
  const CanvasWidget reference(2.0);
  const QImage* king = reference.artwork().picture(-950);
  const QPoint at = canvas.devicePoint(cellX(5), cellY(9));
  EXPECT_EQ(at, QPoint(qRound(cellX(5) / 15 * 2), qRound(cellY(9) / 15 * 2)));
  // Glyph edges may round a shade apart between two paintings of the same text.
  const QImage shown = canvas.image().copy(QRect(at, king->size()));
  const QImage art = king->convertToFormat(shown.format());
  ASSERT_EQ(shown.size(), art.size());
  int off = 0;
  for (int y = 0; y < art.height(); ++y)
    for (int x = 0; x < art.width(); ++x) {
      const QColor a = shown.pixelColor(x, y), b = art.pixelColor(x, y);
      off += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) > 24;
    }
  EXPECT_EQ(off, 0);

  double got_x = 0, got_y = 0;
  QObject::connect(&canvas, &CanvasWidget::mouseDown, [&](int, int, double x, double y) { got_x = x, got_y = y; });
  // The drawing is centred: the 40 pixels to spare go half to each side.
  ASSERT_EQ(canvas.origin(), QPoint(20, 0));
  const QPointF press(20 + 2 * (cellX(5) / 15 + 10), 2 * (cellY(9) / 15 + 10));
  QMouseEvent event(QEvent::MouseButtonPress, press, press, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&canvas, &event);
  EXPECT_DOUBLE_EQ(got_x, cellX(5) + 150);
  EXPECT_DOUBLE_EQ(got_y, cellY(9) + 150);

  canvas.resize(600, 400);  // too small for what matters: shrunk, its height decides
  QCoreApplication::processEvents();
  EXPECT_DOUBLE_EQ(canvas.scale(), 400 / 513.0);
}

TEST(CanvasScale, FitsDownToHalfTheDesignCentredWithTheBackgroundAround) {
  struct Row {
    QSize size;
    double scale;
    QPoint origin;
  };
  // Below the design size the drawing keeps it, cropped at the right and
  // bottom, until the board, hands, clocks and texts (702 x 513) no longer fit.
  const std::vector<Row> rows = {
      {{755, 594}, 1.0, {0, 0}},      {{725, 530}, 1.0, {0, 0}},     {{1000, 520}, 1.0, {122, 0}},
      {{600, 540}, 600 / 702.0, {0, 16}}, {{378, 297}, 378 / 702.0, {0, 0}}, {{200, 150}, 0.5, {0, 0}},
      {{955, 594}, 1.0, {100, 0}},    {{755, 794}, 1.0, {0, 100}},   {{1920, 1040}, 1040 / 594.0, {299, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.size.width());
    CanvasWidget canvas(1.0);
    canvas.show();
    canvas.resize(row.size);
    // Never smaller than half of what must be seen.
    EXPECT_GE(canvas.width(), 351);
    EXPECT_GE(canvas.height(), 257);
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(canvas.scale(), row.scale);
    EXPECT_EQ(canvas.origin(), row.origin);
    for (int r = 1; r <= 9; ++r) canvas.picture(5, cellX(-2), cellY(r));  // the 宇宙 background
    canvas.picture(-950, cellX(5), cellY(9));

    // At half size the king is painted at half the pixels, not squeezed.
    const CanvasWidget reference(row.scale);
    const QImage* king = reference.artwork().picture(-950);
    EXPECT_EQ(canvas.image().copy(QRect(canvas.devicePoint(cellX(5), cellY(9)), king->size())),
              king->convertToFormat(canvas.image().format()));

    double got_x = 0, got_y = 0;
    QObject::connect(&canvas, &CanvasWidget::mouseDown, [&](int, int, double x, double y) { got_x = x, got_y = y; });
    const QPointF press = QPointF(row.origin) + QPointF(cellX(5) + 300, cellY(9) + 300) / 15 * row.scale;
    QMouseEvent event(QEvent::MouseButtonPress, press, press, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&canvas, &event);
    EXPECT_NEAR(got_x, cellX(5) + 300, 1e-6);
    EXPECT_NEAR(got_y, cellY(9) + 300, 1e-6);

    // A margin shows whole tiles of the background, on the drawing's grid
    // (their last row and column may lie under the next tile).
    if (row.origin.x() >= 100) {
      const QImage shown = canvas.grab().toImage();
      const QImage* tile = canvas.artwork().picture(5);
      const QRect inside(QPoint(0, 0), tile->size() - QSize(1, 1));
      const QPoint corner = row.origin + canvas.devicePoint(cellX(-4), cellY(2));
      EXPECT_EQ(shown.copy(inside.translated(corner)).convertToFormat(QImage::Format_RGB32),
                tile->copy(inside).convertToFormat(QImage::Format_RGB32));
    }
  }
}

TEST(CanvasScale, BackgroundTilesMeetWithoutASeamAtAnyScale) {
  const QColor green(0, 128, 0);
  for (const double width : {755.0 * 1.66, 755.0 * 1.75, 378.0, 755.0 * 2}) {
    SCOPED_TRACE(width);
    CanvasWidget canvas(1.0);
    canvas.show();
    canvas.resize(qRound(width), 1200);
    QCoreApplication::processEvents();
    for (int c = 12; c <= 15; ++c)
      for (int r = 10; r <= 12; ++r) canvas.picture(5, cellX(c), cellY(r));  // 宇宙
    const auto seams = [&](const QImage& image, QRect area) {
      int n = 0;
      for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += image.pixelColor(x, y) == green;
      return n;
    };
    EXPECT_EQ(seams(canvas.image(), QRect(canvas.devicePoint(cellX(12), cellY(10)),
                                          canvas.devicePoint(cellX(16), cellY(13)) - QPoint(1, 1))),
              0);
    // The margin above the drawing too.
    EXPECT_EQ(seams(canvas.grab().toImage(), QRect(0, 0, canvas.width(), canvas.origin().y())), 0);
  }
}

}  // namespace
}  // namespace korvel::qt
