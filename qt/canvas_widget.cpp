#include "qt/canvas_widget.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "qt/palette.h"

namespace korvel::qt {
namespace {

// The image covers every cell the game ever draws into (background cells run
// to column 20 and row 13), so a larger window shows no unpainted edge.
constexpr int kImageWidth = 960;
constexpr int kImageHeight = 660;

// The design client area: 11325 x 8910 twips.
constexpr int kDesignWidth = 755;
constexpr int kDesignHeight = 594;

constexpr int kWindowColor = 2;

}  // namespace

CanvasWidget::CanvasWidget(qreal devicePixelRatio, QWidget* parent)
    : QWidget(parent),
      dpr_(devicePixelRatio > 0 ? devicePixelRatio : qGuiApp->devicePixelRatio()),
      artwork_(dpr_),
      image_(qRound(kImageWidth * dpr_), qRound(kImageHeight * dpr_), QImage::Format_RGB32) {
  image_.fill(paletteColor(kWindowColor));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

QSize CanvasWidget::sizeHint() const { return {kDesignWidth, kDesignHeight}; }

int CanvasWidget::toDevice(double twips) const {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel * dpr_));
}

QPoint CanvasWidget::devicePoint(double x, double y) const { return {toDevice(x), toDevice(y)}; }

void CanvasWidget::picture(int code, double x, double y) {
  const QImage* art = artwork_.picture(code);
  if (!art) return;
  const QRect target(devicePoint(x, y), art->size());
  QPainter p(&image_);
  p.drawImage(target, *art);
  p.end();
  update(QRectF(target.topLeft() / dpr_, target.size() / dpr_).toAlignedRect().adjusted(-1, -1, 1, 1));
}

void CanvasWidget::outline(int color, double x1, double y1, double x2, double y2) {
  const int left = toDevice(std::min(x1, x2)), right = toDevice(std::max(x1, x2));
  const int top = toDevice(std::min(y1, y2)), bottom = toDevice(std::max(y1, y2));
  // One design pixel thick, whatever the ratio; both corners are inside the line.
  const int w = std::max(1, static_cast<int>(std::lround(dpr_)));
  const QColor c = paletteColor(color);
  QPainter p(&image_);
  p.fillRect(left, top, right - left + w, w, c);
  p.fillRect(left, bottom, right - left + w, w, c);
  p.fillRect(left, top, w, bottom - top + w, c);
  p.fillRect(right, top, w, bottom - top + w, c);
  p.end();
  const QRect device(left, top, right - left + w, bottom - top + w);
  update(QRectF(device.topLeft() / dpr_, device.size() / dpr_).toAlignedRect().adjusted(-1, -1, 1, 1));
}

void CanvasWidget::text(double x, double y, std::string_view utf8, int color, int size_pt, bool bold) {
  const QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  if (s.isEmpty()) return;
  QFont font(kWindowFontFamily);
  // A point is 20 twips: 4/3 of a design pixel.
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(size_pt * 20.0 / kTwipsPerPixel * dpr_))));
  font.setBold(bold);
  const QFontMetricsF metrics(font, &image_);
  const QPointF topLeft(x / kTwipsPerPixel * dpr_, y / kTwipsPerPixel * dpr_);
  QPainter p(&image_);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setFont(font);
  p.setPen(paletteColor(color));
  p.drawText(topLeft + QPointF(0, metrics.ascent()), s);
  p.end();
  const QRectF device(topLeft, QSizeF(metrics.horizontalAdvance(s), metrics.height()));
  update(QRectF(device.topLeft() / dpr_, device.size() / dpr_).toAlignedRect().adjusted(-2, -2, 2, 2));
}

void CanvasWidget::refresh() {
  repaint();
  // A long handler (the computer thinking) still answers exposes; input
  // stays queued until it is over.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRect area = event->rect();
  p.fillRect(area, paletteColor(kWindowColor));
  const QRectF source(area.x() * dpr_, area.y() * dpr_, area.width() * dpr_, area.height() * dpr_);
  // Source in image pixels, target in widget pixels: one to one on the screen
  // the image was made for.
  p.drawImage(QRectF(area), image_, source);
  if (!painted_) {
    painted_ = true;
    emit firstPainted();
  }
}

int CanvasWidget::buttonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

int CanvasWidget::shiftCode(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
  const int button = buttonCode(event->button());
  if (button == 0) return;
  const QPointF at = event->position();
  emit mouseDown(button, shiftCode(event->modifiers()), at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel);
}

}  // namespace korvel::qt
