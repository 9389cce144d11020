#include "qt/desktop_ports.h"

#include "qt/about_box.h"
#include "qt/canvas_widget.h"
#include "qt/choice_list.h"
#include "qt/help_window.h"

#include <QClipboard>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QProcess>
#include <QSpacerItem>
#include <QTime>
#include <QTimer>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

namespace korvel::qt {

namespace {

QString fromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Said when neither the desktop nor the help window can show a page.
constexpr const char* kCannotOpen = "「%1」を開けません。";
constexpr const char* kHelpTitle = "解説";
constexpr const char* kHomepageTitle = "ホームページ";

// A launcher that finds no browser gives up at once; one that ends later
// was waiting for the browser it started, however that ended.
constexpr int kLauncherAnswersWithinMs = 5000;

// Room in a title bar besides the title: the window manager's icon and
// buttons, in title-font heights.
constexpr int kTitleBarRoomInHeights = 6;

}  // namespace

korvel::Dialogs::Answer MessageBoxDialogs::message(std::string_view text, std::string_view title,
                                                   Buttons buttons, Icon icon) {
  QString body = fromUtf8(text);
  // The game breaks lines with a bare CR.
  body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
  // An empty title would show the program's name instead; a blank shows nothing.
  const QString caption = title.empty() ? QStringLiteral(" ") : fromUtf8(title);
  QMessageBox box(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, caption, body,
                  buttons == Buttons::Ok ? QMessageBox::Ok : QMessageBox::Yes | QMessageBox::No, parent_);
  if (canvas_ != nullptr && canvas_->scale() > 1) {
    QFont font = box.font();
    font.setPointSizeF(font.pointSizeF() * canvas_->scale());
    box.setFont(font);
  }
  if (buttons == Buttons::YesNoDefaultNo) box.setDefaultButton(QMessageBox::No);
  // The title bar's font is the desktop's whatever the scale; in bold, with
  // the frame's buttons beside it.
  QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
  titleFont.setBold(true);
  const QFontMetrics titleMetrics(titleFont);
  const int titleWidth = titleMetrics.horizontalAdvance(caption) + kTitleBarRoomInHeights * titleMetrics.height();
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
  const int answer = box.exec();
  if (buttons == Buttons::Ok) return Answer::Ok;
  return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

korvel::Dialogs::AboutAnswer MessageBoxDialogs::about_box(std::string_view picture_path) {
  AboutBox box(fromUtf8(picture_path), parent_);
  box.exec();
  return box.answer();
}

int MessageBoxDialogs::choose(std::string_view title, const std::vector<std::string>& rows) {
  ChoiceList list(fromUtf8(title), rows, parent_, canvas_);
  return list.exec() == QDialog::Accepted ? list.chosen() : -1;
}

long long SystemDayTimer::calendar_ms() { return QDateTime::currentMSecsSinceEpoch(); }

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

DesktopBrowser::DesktopBrowser(QWidget* window, korvel::Dialogs& dialogs, QString launcher)
    : window_(window), dialogs_(dialogs), launcher_(std::move(launcher)) {}

bool DesktopBrowser::open(std::string_view address) {
  const QString where = fromUtf8(address);
  const QUrl url = QFileInfo::exists(where) ? QUrl::fromLocalFile(where) : QUrl::fromUserInput(where);
  if (!url.isValid()) {
    fallBack(where);
    return false;
  }
  auto* launch = new QProcess(window_);
  launch->setProgram(launcher_);
  launch->setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString()});
  launch->setStandardOutputFile(QProcess::nullDevice());
  const QDeadlineTimer answering(kLauncherAnswersWithinMs);
  QObject::connect(launch, &QProcess::finished, launch, [=, this](int code, QProcess::ExitStatus status) {
    if ((code != 0 || status != QProcess::NormalExit) && !answering.hasExpired()) fallBack(where);
    launch->deleteLater();
  });
  QObject::connect(launch, &QProcess::errorOccurred, launch, [=, this](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;
    fallBack(where);
    launch->deleteLater();
  });
  launch->start();
  return true;
}

void DesktopBrowser::fallBack(const QString& address) {
  const bool web = address.contains(QStringLiteral("://"));
  if (!web && QFileInfo(address).isFile()) {
    if (help_ == nullptr) help_ = new HelpWindow(window_);
    if (help_->showPage(address)) return;
  }
  const std::string text = QString::fromUtf8(kCannotOpen).arg(address).toStdString();
  dialogs_.message(text, web ? kHomepageTitle : kHelpTitle, korvel::Dialogs::Buttons::Ok,
                   korvel::Dialogs::Icon::Exclamation);
}

}  // namespace korvel::qt
