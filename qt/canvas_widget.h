#pragma once
// The window's drawing surface. Every primitive draws into one persistent
// image held at the device pixel ratio; painting only copies that image to
// the screen, so nothing is redrawn from the game on an expose.

#include <QImage>
#include <QWidget>

#include "ports/canvas.h"
#include "qt/artwork.h"

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

  const Artwork& artwork() const { return artwork_; }

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

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int toDevice(double twips) const;

  qreal dpr_;
  Artwork artwork_;
  QImage image_;
  bool painted_ = false;
};

}  // namespace korvel::qt
