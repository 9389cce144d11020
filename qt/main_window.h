#pragma once
// The main window: a thin shell around the game's window model. Menu
// choices, presses on the board, keys, the clock tick and closing go to the
// model's handlers; the model's drawing, messages, sound and timer requests
// come back through the ports built here.

#include <QMainWindow>

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "game/form.h"
#include "qt/canvas_widget.h"
#include "qt/desktop_ports.h"
#include "qt/record_panel.h"
#include "qt/review_window.h"
#include "records/disk_record_files.h"
#include "settings/settings_file.h"
#include "soundlib/sdl_sound.h"

class QAction;
class QMenu;

namespace korvel::qt {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // devicePixelRatio as for CanvasWidget: 0 follows the screens.
  explicit MainWindow(qreal devicePixelRatio = 0, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Start-up: the model's Form_Load, then the window is placed.
  void start();
  // Once the window has been drawn: start-up's messages, over it.
  void afterShown();

  // The game's data folder: share/korvel beside the executable's folder
  // (installed, or in the build tree); empty (the current folder) when it
  // is not there.
  static QString dataDir();

  korvel::Form& form() { return *form_; }
  CanvasWidget* canvas() const { return canvas_; }
  RecordPanel& recordPanel() { return *record_panel_; }
  ReviewWindow& reviewWindow() { return *review_window_; }
  QTimer* timer1() const { return clock_->timer(); }

  // The action of a menu entry by its control name; nullptr if none.
  QAction* menuAction(std::string_view name) const;

  // Start-up placement: unless its top edge is at -60 twips the window goes
  // to the screen's top-left corner with an outer size of 11000 x 8700 twips.
  void placeAtStart();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private slots:
  void onMouseDown(int button, int shift, double x, double y);
  void onTick();

 private:
  void buildMenus();
  // The kept-games folder, made and tidied; empty for none.
  static std::string prepareKeptGames();
  void choose(const std::string& name);
  // Runs one handler of the model, then afterHandler.
  template <class F>
  void run(F&& handler);
  // After every handler: the check marks may have changed, and the model
  // may have asked to end the program.
  void afterHandler();
  void syncChecks();
  // The start size, the frame counted in, with the frame's corner at the screen's.
  void fitFrameAtCorner();

  CanvasWidget* canvas_;
  MessageBoxDialogs dialogs_;
  korvel::SdlSoundLibrary sound_;
  SystemDayTimer day_timer_;
  std::unique_ptr<Timer1Clock> clock_;
  std::unique_ptr<RecordPanel> record_panel_;
  ReviewWindow* review_window_;
  korvel::DiskRecordFiles record_files_;
  DesktopBrowser browser_;
  DesktopClipboard clipboard_;
  ThreadWork background_;
  korvel::IniSettingsFile settings_;
  std::unique_ptr<korvel::Form> form_;
  std::map<std::string, QAction*, std::less<>> actions_;
  bool closing_ = false;
  // The size given at start, before the frame was known: placed again once it is.
  QSize start_size_;
  // Handlers running: a handler may wait or show a message box, and the
  // clock tick must not run inside it (the computer's search ticks itself).
  int busy_ = 0;
};

}  // namespace korvel::qt
