#pragma once
// The record-file panel over the left of the board: drive, folder and file
// lists, four labelled text boxes and the RETURN button, all hidden at
// start. Only showing and hiding works yet; choosing, typing and writing
// arrive with the record panel itself.

#include <QList>

#include "ports/record_panel_view.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace korvel::qt {

class RecordPanel : public korvel::RecordPanelView {
 public:
  // Builds the controls as children of `surface`, at their design places.
  explicit RecordPanel(QWidget* surface);

  void set_lists_visible(int drive, int folder, int files) override;
  void set_fields_visible(int visible) override;

  QComboBox* Drive1 = nullptr;
  QListWidget* Dir1 = nullptr;
  QListWidget* File1 = nullptr;
  QLabel* Label1[4] = {};
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QLineEdit* Text3 = nullptr;
  QLineEdit* Text4 = nullptr;
  QPushButton* Command1 = nullptr;

 private:
  QList<QWidget*> fields() const;
};

}  // namespace korvel::qt
