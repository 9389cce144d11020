#include "qt/desktop_ports.h"

#include "qt/about_box.h"
#include "qt/canvas_widget.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QEventLoop>
#include <QTimer>
#include <QTime>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

namespace korvel::qt {

namespace {
QString fromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
}  // namespace

korvel::Dialogs::Answer MessageBoxDialogs::message(std::string_view text, std::string_view title,
                                                   Buttons buttons, Icon icon) {
  QString body = fromUtf8(text);
  // The game breaks lines with a bare CR.
  body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
  QMessageBox box(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, fromUtf8(title),
                  body, buttons == Buttons::Ok ? QMessageBox::Ok : QMessageBox::Yes | QMessageBox::No,
                  parent_);
  if (canvas_ != nullptr && canvas_->scale() > 1) {
    QFont font = box.font();
    font.setPointSizeF(font.pointSizeF() * canvas_->scale());
    box.setFont(font);
  }
  if (buttons == Buttons::YesNoDefaultNo) box.setDefaultButton(QMessageBox::No);
  const int answer = box.exec();
  if (buttons == Buttons::Ok) return Answer::Ok;
  return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

korvel::Dialogs::AboutAnswer MessageBoxDialogs::about_box(std::string_view picture_path) {
  AboutBox box(fromUtf8(picture_path), parent_);
  box.exec();
  return box.answer();
}

double SystemDayTimer::steadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

SystemDayTimer::SystemDayTimer(std::function<double()> steady)
    : SystemDayTimer(QTime::currentTime().msecsSinceStartOfDay() / 1000.0, std::move(steady)) {}

SystemDayTimer::SystemDayTimer(double start_of_day, std::function<double()> steady)
    : start_of_day_(start_of_day), steady_(std::move(steady)), since_(steady_()) {}

double SystemDayTimer::now() {
  // The time of day when the game started, moved on by a clock that only
  // goes forward: setting the computer's clock or a change to summer time
  // charges no player for it.
  return std::fmod(start_of_day_ + (steady_() - since_), 86400.0);
}

void SystemDayTimer::wait(double seconds) {
  if (seconds <= 0) return;
  // The window keeps painting while the game pauses; clicks and keys wait in
  // the queue until the handler that paused is over.
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(seconds * 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

Timer1Clock::Timer1Clock(QObject* owner, std::function<void()> tick) : timer_(new QTimer(owner)) {
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(50);
  QObject::connect(timer_, &QTimer::timeout, timer_, std::move(tick));
}

void Timer1Clock::start() {
  if (!timer_->isActive()) timer_->start();
}

void Timer1Clock::stop() { timer_->stop(); }

void ThreadWork::run(const std::function<void()>& job, const std::function<void()>& tick) {
  QEventLoop loop;
  QTimer clock;
  clock.setInterval(50);
  QObject::connect(&clock, &QTimer::timeout, &loop, [&tick] { tick(); });
  std::atomic<bool> done{false};
  std::thread worker([&] {
    job();
    done = true;
    QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
  });
  clock.start();
  // Painting and timers go on; clicks and keys wait for the handler to end.
  // An application on its way out stops the loop early: then only wait.
  while (!done && loop.exec(QEventLoop::ExcludeUserInputEvents) == 0) {
  }
  worker.join();
}

std::string DesktopClipboard::text() { return QGuiApplication::clipboard()->text().toStdString(); }

bool DesktopClipboard::set_text(std::string_view text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(fromUtf8(text));
  return clipboard->text() == fromUtf8(text);
}

bool DesktopBrowser::open(std::string_view address) {
  const QString where = fromUtf8(address);
  const QUrl url = QFileInfo::exists(where) ? QUrl::fromLocalFile(where) : QUrl::fromUserInput(where);
  return url.isValid() && QDesktopServices::openUrl(url);
}

}  // namespace korvel::qt
