#pragma once
// The ports the window model reaches the desktop through: message boxes, the
// day's clock, the 50 ms clock timer and the web browser.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

#include "ports/background_work.h"
#include "ports/browser.h"
#include "ports/clipboard.h"
#include "ports/clock_timer.h"
#include "ports/day_timer.h"
#include "ports/dialogs.h"
#include "qt/help_window.h"

class QWidget;

namespace korvel::qt {

class CanvasWidget;

// Message boxes over the window, their text as large as the drawing's scale
// (never smaller than the desktop's), and wide enough that the window
// manager need not cut the title short.
class MessageBoxDialogs : public korvel::Dialogs {
 public:
  MessageBoxDialogs(QWidget* parent, const CanvasWidget* canvas) : parent_(parent), canvas_(canvas) {}
  Answer message(std::string_view text, std::string_view title, Buttons buttons, Icon icon) override;
  AboutAnswer about_box(std::string_view picture_path) override;
  int choose(std::string_view title, const std::vector<std::string>& rows) override;

 private:
  QWidget* parent_;
  const CanvasWidget* canvas_;
};

// The day's clock: seconds since midnight as the game started, advanced by a
// monotonic clock.
class SystemDayTimer : public korvel::DayTimer {
 public:
  // steady: seconds of a clock that never goes back (tests give their own).
  explicit SystemDayTimer(std::function<double()> steady = steadySeconds);
  SystemDayTimer(double start_of_day, std::function<double()> steady);
  double now() override;
  void wait(double seconds) override;
  long long calendar_ms() override;
  static double steadySeconds();

 private:
  double start_of_day_;
  std::function<double()> steady_;
  double since_;
};

// Timer1: ticks every 50 ms while started.
class Timer1Clock : public korvel::ClockTimer {
 public:
  Timer1Clock(QObject* owner, std::function<void()> tick);
  void start() override;
  void stop() override;
  QTimer* timer() const { return timer_; }

 private:
  QTimer* timer_;
};

// The look-ahead levels' search on a thread of its own, while the
// window's thread keeps painting and ticking the clock.
class ThreadWork : public korvel::BackgroundWork {
 public:
  void run(const std::function<void()>& job, const std::function<void()>& tick) override;
};

class DesktopClipboard : public korvel::Clipboard {
 public:
  std::string text() override;
  bool set_text(std::string_view text) override;
};

// The desktop's browser, reached through a launcher program. A page of the
// game's own that the desktop cannot show (no launcher, or one that finds no
// browser) opens in the help window; what neither can show is said in a
// message box. open() answers before the launcher has, so it is true unless
// the address is unusable; a failure is never silent.
class DesktopBrowser : public korvel::Browser {
 public:
  DesktopBrowser(QWidget* window, korvel::Dialogs& dialogs, QString launcher = QStringLiteral("xdg-open"));
  bool open(std::string_view address) override;
  // The help window, once one has been needed.
  HelpWindow* helpWindow() const { return help_; }

 private:
  void fallBack(const QString& address);

  QWidget* window_;
  korvel::Dialogs& dialogs_;
  QString launcher_;
  QPointer<HelpWindow> help_;
};

}  // namespace korvel::qt
