#pragma once
// A modal list to choose one row from, such as the kept games: Return, a
// double click or 読込 take the row chosen, Escape or 閉じる close it.

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;

namespace korvel::qt {

class CanvasWidget;

class ChoiceList : public QDialog {
  Q_OBJECT

 public:
  // canvas: its scale sets the text size, as message boxes follow it.
  ChoiceList(const QString& title, const std::vector<std::string>& rows, QWidget* parent,
             const CanvasWidget* canvas = nullptr);
  // The row chosen, 0 up; -1 when there is none.
  int chosen() const;
  QListWidget* list() const { return list_; }

 private:
  QListWidget* list_;
};

}  // namespace korvel::qt
