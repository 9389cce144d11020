#pragma once
// The record-file panel over the left of the board: drive, folder and file
// lists, four labelled text boxes and the RETURN button, all hidden at
// start. The drive list holds the mounted volumes, the folder list the way
// down to the shown folder and its subfolders, the file list the "*.棋譜"
// files of its folder; all three start at the current folder.

#include <QHash>
#include <QList>
#include <QPoint>
#include <QString>

#include <functional>
#include <string>

#include "ports/record_panel_view.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace korvel {
class Form;
}

namespace korvel::qt {

class RecordPanel : public korvel::RecordPanelView {
 public:
  using Handler = void (korvel::Form::*)();

  // Builds the controls as children of `surface`, at their design places.
  explicit RecordPanel(QWidget* surface);

  // Where the panel's events go: Drive1_Change, Dir1_Change, File1_Click
  // and Command1_Click of the window model, run as the shell runs handlers.
  void setEvents(std::function<void(Handler)> run) { run_ = std::move(run); }

  // Places and type sizes follow the drawing: its scale (1 at the design
  // size) and its top-left corner on the surface.
  void setPlace(qreal scale, QPoint origin);

  void set_lists_visible(int drive, int folder, int files) override;
  void set_fields_visible(int visible) override;
  std::string text(int box) override;
  std::string folder() override;
  std::string chosen_file() override;
  int folder_list_to_drive() override;
  void file_list_to_folder() override;
  void refresh_files() override;

  // The folder list's folder, and moving it (as a click in the list does);
  // false, nothing changed, when the folder cannot be listed.
  QString folderListPath() const { return dir_path_; }
  bool showFolder(const QString& path);

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
  QList<QWidget*> controls() const;
  void event(Handler h);
  void selectDriveOf(const QString& path);

  std::function<void(Handler)> run_;
  QString dir_path_;    // the folder list's folder
  QString files_path_;  // the file list's folder
  QString chosen_;
  QHash<QString, QString> last_folder_;  // by volume root: where that drive was left
};

}  // namespace korvel::qt
