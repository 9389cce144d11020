#pragma once
// The window's drawing surface. Every primitive draws into one persistent
// image held at the device pixel ratio; painting only copies that image to
// the screen, so nothing is redrawn from the game on an expose.
//
// A window larger than the design shows the drawing scaled up, whole and in
// proportion, in the middle of the surface; the room left over on either
// side shows the current background's tiles, continuing the cell grid. A
// smaller one keeps the design size and crops the tiles at the right and
// bottom edges for as long as board, hands, clocks and texts fit, and only
// then scales down, to half the design size at most. The primitives are
// kept (those wholly painted over are dropped) and drawn again at a new
// scale, so the picture stays sharp. At the design size the scale is 1, 15
// twips to a pixel.

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <vector>

#include "ports/canvas.h"
#include "qt/artwork.h"

class QPainter;

namespace korvel::qt {

inline constexpr double kTwipsPerPixel = 15.0;

class CanvasWidget : public QWidget, public korvel::Canvas {
  Q_OBJECT

 public:
  // devicePixelRatio 0 takes the highest ratio of the screens, so the board
  // is sharp on whichever screen the window ends up.
  explicit CanvasWidget(qreal devicePixelRatio = 0, QWidget* parent = nullptr);

  void picture(int code, double x, double y) override;
  void outline(int color, double x1, double y1, double x2, double y2) override;
  void text(double x, double y, std::string_view utf8, int color, int size_pt, bool bold) override;
  void refresh() override;

  // The persistent image in device pixels.
  const QImage& image() const { return image_; }
  qreal imageDevicePixelRatio() const { return dpr_; }
  // The device pixel of the image under a point given in twips.
  QPoint devicePoint(double x, double y) const;
  // Widget pixels per design pixel: 1 at the design size, from 0.5 up.
  qreal scale() const { return scale_; }
  // Where the drawing's top-left corner lies on the surface, in widget pixels.
  QPoint origin() const { return origin_; }
  // The scale and the drawing's corner that the widget's size asks for.
  static qreal scaleFor(QSize widgetSize);
  static QPoint originFor(QSize widgetSize, qreal scale);
  static QSize designSize();
  // The part of the design that a window smaller than it still shows whole
  // (board, hands, clocks, texts), cropping the tiles beyond; at the start
  // size it is shown at the design size. The smallest surface is half of it.
  static QSize contentSize();

  const Artwork& artwork() const { return artwork_; }
  // How many drawing operations are kept for drawing again at a new scale.
  std::size_t keptOperations() const { return ops_.size(); }

  // Mouse buttons and shift state as the window events number them:
  // buttons 1 left, 2 right, 4 middle; shift 1, ctrl 2, alt 4.
  static int buttonCode(Qt::MouseButton button);
  static int shiftCode(Qt::KeyboardModifiers modifiers);

  QSize sizeHint() const override;

 signals:
  // A press on the surface, position in twips.
  void mouseDown(int button, int shift, double x, double y);
  // The first time the surface has been painted on the screen.
  void firstPainted();
  // The drawing has been drawn again at a new scale, or has moved.
  void placed(qreal scale, QPoint origin);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Op {
    enum Kind { Picture, Outline, Text } kind;
    int code;  // picture code or palette colour
    QRectF twips;  // the rectangle drawn, or the text's box
    QString text = {};
    int size_pt = 0;
    bool bold = false;
  };
  int toDevice(double twips) const;
  qreal ratio() const { return dpr_ * scale_; }
  void keep(Op op);
  void draw(const Op& op);
  void rescale();
  void paintMargins(QPainter& p, const QRect& area, qreal scale, QPoint origin) const;

  qreal dpr_;
  qreal scale_ = 1;
  QPoint origin_;
  // The background picture last painted, which the margins repeat; 0 none yet.
  int background_ = 0;
  Artwork artwork_;
  QImage image_;
  std::vector<Op> ops_;
  bool rescale_pending_ = false;
  bool painted_ = false;
};

}  // namespace korvel::qt
