#include "qt/canvas_widget.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QtMath>

#include <algorithm>
#include <cmath>

#include "qt/palette.h"
#include "ui/pictures.h"
#include "ui/screen.h"

namespace korvel::qt {
namespace {

// The image covers every cell the game ever draws into (background cells run
// to column 20 and row 13), so a larger window shows no unpainted edge.
constexpr int kImageWidth = 960;
constexpr int kImageHeight = 660;

// The design client area: 11325 x 8910 twips.
constexpr int kDesignWidth = 755;
constexpr int kDesignHeight = 594;
// What must be seen of it: up to the lower side's clock and texts (column
// 14) and the strip under the board (row 10). Beyond lie background tiles
// that a smaller window crops, as the start size does.
constexpr int kContentWidth = (korvel::BOARD_LEFT + korvel::SQUARE_W * 15 + 14) / 15;  // 702
constexpr int kContentHeight = (korvel::BOARD_TOP + korvel::SQUARE_H * 11 + 14) / 15;  // 513

constexpr int kWindowColor = 2;
// The window may shrink until what must be seen is at half the design size.
constexpr qreal kMinScale = 0.5;

bool isBackground(int code) { return code >= korvel::HAIKEI_MIDORI && code <= korvel::HAIKEI_RENGA; }

QFont textFont(int size_pt, bool bold, qreal ratio) {
  QFont font(kWindowFontFamily);
  // A point is 20 twips: 4/3 of a design pixel.
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(size_pt * 20.0 / kTwipsPerPixel * ratio))));
  font.setBold(bold);
  return font;
}

}  // namespace

CanvasWidget::CanvasWidget(qreal devicePixelRatio, QWidget* parent)
    : QWidget(parent),
      dpr_(devicePixelRatio > 0 ? devicePixelRatio : qGuiApp->devicePixelRatio()),
      artwork_(dpr_),
      image_(qRound(kImageWidth * dpr_), qRound(kImageHeight * dpr_), QImage::Format_RGB32) {
  image_.fill(paletteColor(kWindowColor));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(qCeil(kContentWidth * kMinScale), qCeil(kContentHeight * kMinScale));
}

QSize CanvasWidget::designSize() { return {kDesignWidth, kDesignHeight}; }

QSize CanvasWidget::sizeHint() const { return designSize(); }

qreal CanvasWidget::scaleFor(QSize size) {
  const qreal whole = std::min(size.width() / qreal(kDesignWidth), size.height() / qreal(kDesignHeight));
  if (whole >= 1) return whole;
  // Smaller than the design: the design size while what matters fits.
  const qreal content = std::min(size.width() / qreal(kContentWidth), size.height() / qreal(kContentHeight));
  return std::max(kMinScale, std::min<qreal>(1, content));
}

QSize CanvasWidget::contentSize() { return {kContentWidth, kContentHeight}; }

QPoint CanvasWidget::originFor(QSize size, qreal scale) {
  return {std::max(0, static_cast<int>((size.width() - kDesignWidth * scale) / 2)),
          std::max(0, static_cast<int>((size.height() - kDesignHeight * scale) / 2))};
}

int CanvasWidget::toDevice(double twips) const {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel * ratio()));
}

QPoint CanvasWidget::devicePoint(double x, double y) const { return {toDevice(x), toDevice(y)}; }

void CanvasWidget::picture(int code, double x, double y) {
  if (!artwork_.picture(code)) return;
  if (isBackground(code) && code != background_) {
    background_ = code;
    update();  // the margins show the new tiles too
  }
  const QSize natural = Artwork::naturalSize(code);
  keep({Op::Picture, code, QRectF(x, y, natural.width() * kTwipsPerPixel, natural.height() * kTwipsPerPixel)});
}

void CanvasWidget::outline(int color, double x1, double y1, double x2, double y2) {
  keep({Op::Outline, color, QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)),
                                   QPointF(std::max(x1, x2), std::max(y1, y2)))});
}

void CanvasWidget::text(double x, double y, std::string_view utf8, int color, int size_pt, bool bold) {
  const QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  if (s.isEmpty()) return;
  const QFontMetricsF metrics(textFont(size_pt, bold, 1), &image_);
  keep({Op::Text, color,
        QRectF(x, y, metrics.horizontalAdvance(s) * kTwipsPerPixel, metrics.height() * kTwipsPerPixel), s,
        size_pt, bold});
}

void CanvasWidget::keep(Op op) {
  if (op.kind == Op::Picture) {
    // Pictures are opaque: whatever lies wholly under this one is gone.
    const QRectF cover = op.twips;
    std::erase_if(ops_, [&](const Op& old) {
      const QRectF inked = old.kind == Op::Outline ? old.twips.adjusted(0, 0, kTwipsPerPixel, kTwipsPerPixel)
                                                   : old.twips;
      return cover.contains(inked);
    });
  }
  draw(op);
  ops_.push_back(std::move(op));
}

void CanvasWidget::draw(const Op& op) {
  QRect device;
  QPainter p(&image_);
  if (op.kind == Op::Picture) {
    const QImage* art = artwork_.picture(op.code);
    const QPoint from = devicePoint(op.twips.left(), op.twips.top());
    device = QRect(from, art->size());
    if (isBackground(op.code)) {
      // A tile reaches the next cell's corner as rounded at this ratio, so
      // that neighbouring tiles meet without a seam of green at any scale.
      // Pieces are a pixel larger than their cell and need no such care.
      const QPoint to = devicePoint(op.twips.left() + korvel::SQUARE_W, op.twips.top() + korvel::SQUARE_H);
      device.setBottomRight(to - QPoint(1, 1));
      device = device.united(QRect(from, art->size()));
      p.setRenderHint(QPainter::SmoothPixmapTransform);
    }
    p.drawImage(device, *art);
  } else if (op.kind == Op::Outline) {
    const int left = toDevice(op.twips.left()), right = toDevice(op.twips.right());
    const int top = toDevice(op.twips.top()), bottom = toDevice(op.twips.bottom());
    // One design pixel thick, whatever the ratio; both corners are inside the line.
    const int w = std::max(1, static_cast<int>(std::lround(ratio())));
    const QColor c = paletteColor(op.code);
    p.fillRect(left, top, right - left + w, w, c);
    p.fillRect(left, bottom, right - left + w, w, c);
    p.fillRect(left, top, w, bottom - top + w, c);
    p.fillRect(right, top, w, bottom - top + w, c);
    device = QRect(left, top, right - left + w, bottom - top + w);
  } else {
    const QFont font = textFont(op.size_pt, op.bold, ratio());
    const QFontMetricsF metrics(font, &image_);
    const QPointF topLeft(op.twips.x() / kTwipsPerPixel * ratio(), op.twips.y() / kTwipsPerPixel * ratio());
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(paletteColor(op.code));
    p.drawText(topLeft + QPointF(0, metrics.ascent()), op.text);
    device = QRectF(topLeft, QSizeF(metrics.horizontalAdvance(op.text), metrics.height())).toAlignedRect();
  }
  p.end();
  update(QRectF(device.topLeft() / dpr_, device.size() / dpr_).translated(origin_).toAlignedRect().adjusted(-2, -2, 2, 2));
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (std::abs(scaleFor(size()) - scale_) >= 1e-3) {
    if (rescale_pending_) return;
    // A drag sends many sizes; draw again once they have settled.
    rescale_pending_ = true;
    QTimer::singleShot(0, this, [this] { rescale(); });
    return;
  }
  const QPoint at = originFor(size(), scale_);
  if (at == origin_) return;
  origin_ = at;
  update();
  emit placed(scale_, origin_);
}

void CanvasWidget::rescale() {
  rescale_pending_ = false;
  const qreal wanted = scaleFor(size());
  const QPoint at = originFor(size(), wanted);
  const bool sameScale = std::abs(wanted - scale_) < 1e-3;
  if (sameScale && at == origin_) return;
  origin_ = at;
  if (!sameScale) {
    scale_ = wanted;
    artwork_ = Artwork(ratio());
    image_ = QImage(qRound(kImageWidth * ratio()), qRound(kImageHeight * ratio()), QImage::Format_RGB32);
    image_.fill(paletteColor(kWindowColor));
    for (const Op& op : ops_) draw(op);
  }
  update();
  emit placed(scale_, origin_);
}

void CanvasWidget::refresh() {
  repaint();
  // A long handler (the computer thinking) still answers exposes; input
  // stays queued until it is over.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CanvasWidget::paintMargins(QPainter& p, const QRect& area, qreal scale, QPoint origin) const {
  p.fillRect(area, paletteColor(kWindowColor));
  const QImage* tile = background_ != 0 ? artwork_.picture(background_) : nullptr;
  if (tile == nullptr) return;
  // The tiles continue the drawing's cell grid, placed as the image places
  // them, each reaching at least the next cell's corner so that no seam of
  // the window's green shows between them.
  const qreal device = dpr_ * scale;  // device pixels per design pixel
  const auto twips = [&](int widget, int from) { return (widget - from) / scale * kTwipsPerPixel; };
  const int c0 = static_cast<int>(std::floor((twips(area.left(), origin.x()) - korvel::BOARD_LEFT) / korvel::SQUARE_W)) - 1;
  const int c1 = static_cast<int>(std::floor((twips(area.right() + 1, origin.x()) - korvel::BOARD_LEFT) / korvel::SQUARE_W));
  const int r0 = static_cast<int>(std::floor((twips(area.top(), origin.y()) - korvel::BOARD_TOP) / korvel::SQUARE_H)) - 1;
  const int r1 = static_cast<int>(std::floor((twips(area.bottom() + 1, origin.y()) - korvel::BOARD_TOP) / korvel::SQUARE_H));
  const auto corner = [&](int c, int r) {
    return QPointF(origin.x() + std::lround(korvel::cell_x(c) / kTwipsPerPixel * device) / dpr_,
                   origin.y() + std::lround(korvel::cell_y(r) / kTwipsPerPixel * device) / dpr_);
  };
  // Until a new size has been drawn again the tile is stretched to fit.
  const QSizeF natural = QSizeF(tile->size()) / dpr_ * (scale / scale_);
  for (int c = c0; c <= c1; ++c)
    for (int r = r0; r <= r1; ++r) {
      const QRectF cell(corner(c, r), corner(c + 1, r + 1));
      p.drawImage(QRectF(cell.topLeft(), cell.size().expandedTo(natural)), *tile);
    }
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRect area = event->rect();
  const qreal wanted = scaleFor(size());
  const QPoint at = originFor(size(), wanted);
  const QRect drawing(at, QSize(qCeil(kDesignWidth * wanted), qCeil(kDesignHeight * wanted)));
  if (!drawing.contains(area)) paintMargins(p, area, wanted, at);
  // The image is one widget pixel to dpr_ image pixels at its scale; until a
  // new size has been drawn again, the old picture is stretched to fit.
  const qreal stretch = wanted / scale_;
  const QRect shown = drawing.intersected(area);
  if (!shown.isEmpty()) {
    const QRectF source((shown.x() - at.x()) * dpr_ / stretch, (shown.y() - at.y()) * dpr_ / stretch,
                        shown.width() * dpr_ / stretch, shown.height() * dpr_ / stretch);
    p.drawImage(QRectF(shown), image_, source);
  }
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
  const QPointF at = (event->position() - origin_) / scale_;
  emit mouseDown(button, shiftCode(event->modifiers()), at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel);
}

}  // namespace korvel::qt
