#include "qt/about_box.h"

#include <QPainter>
#include <QPushButton>

#include "qt/canvas_widget.h"

namespace korvel::qt {
namespace {

QRect twips(int left, int top, int width, int height) {
  const auto px = [](int t) { return qRound(t / kTwipsPerPixel); };
  return {px(left), px(top), px(width), px(height)};
}

}  // namespace

AboutBox::AboutBox(const QString& picturePath, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("バージョン情報"));
  setModal(true);
  setFixedSize(twips(0, 0, 4995, 1530).size());
  if (picture_.load(picturePath)) picture_.setDevicePixelRatio(2.0);

  Command1 = new QPushButton(QStringLiteral("ホームページ"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setGeometry(twips(720, 1080, 1575, 375));
  Command2 = new QPushButton(QStringLiteral("O K"), this);
  Command2->setObjectName(QStringLiteral("Command2"));
  Command2->setGeometry(twips(3000, 1080, 1575, 375));
  Command2->setDefault(true);
  connect(Command1, &QPushButton::clicked, this, [this] {
    answer_ = korvel::Dialogs::AboutAnswer::Homepage;
    accept();
  });
  connect(Command2, &QPushButton::clicked, this, [this] {
    answer_ = korvel::Dialogs::AboutAnswer::Ok;
    accept();
  });
}

void AboutBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(40, 12, 8));
  if (!picture_.isNull()) p.drawPixmap(0, 0, picture_);
}

}  // namespace korvel::qt
