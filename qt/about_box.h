#pragma once
// "バージョン情報": a small modal box whose face is one picture, with the
// buttons "ホームページ" and "O K" over its lower edge.

#include <QDialog>

#include "ports/dialogs.h"

class QPushButton;

namespace korvel::qt {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  // picturePath: the about picture (drawn at twice the design size for
  // sharp 2x screens); a missing picture leaves the face plain.
  AboutBox(const QString& picturePath, QWidget* parent = nullptr);

  korvel::Dialogs::AboutAnswer answer() const { return answer_; }

  QPushButton* Command1 = nullptr;  // ホームページ
  QPushButton* Command2 = nullptr;  // O K

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
  korvel::Dialogs::AboutAnswer answer_ = korvel::Dialogs::AboutAnswer::Ok;
};

}  // namespace korvel::qt
