#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "qt/main_window.h"

namespace {

void usage() {
  std::printf(
      "使い方: korvel [オプション]\n"
      "円筒の盤で指す将棋 Korvel を起動します。\n\n"
      "  --help          この説明を表示して終わります\n"
      "  --version       版を表示して終わります\n"
      "  --startup-time  起動から最初に盤を描くまでの秒数を表示して終わります\n");
}

// Seconds since this process was started, from the kernel's own record of
// its start, so that loading the libraries counts too.
double seconds_since_process_start() {
  std::ifstream stat("/proc/self/stat");
  std::string line;
  std::getline(stat, line);
  // Field 22 (starttime, in clock ticks since boot) follows the command name,
  // which is in parentheses and may hold blanks.
  std::istringstream rest(line.substr(line.rfind(')') + 2));
  std::string field;
  for (int i = 3; i < 22 && rest >> field;) ++i;
  unsigned long long start_ticks = 0;
  rest >> start_ticks;
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9 -
         static_cast<double>(start_ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace

int main(int argc, char** argv) {
  bool startup_time = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      usage();
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("korvel %s\n", KORVEL_VERSION);
      return 0;
    }
    if (std::strcmp(argv[i], "--startup-time") == 0) {
      startup_time = true;
      continue;
    }
    std::fprintf(stderr, "korvel: 知らないオプションです: %s\n", argv[i]);
    usage();
    return 2;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korvel"));
  korvel::qt::MainWindow window;
  window.start();
  if (window.form().wants_quit()) return 0;
  if (startup_time) {
    QObject::connect(window.canvas(), &korvel::qt::CanvasWidget::firstPainted, &app, [] {
      std::printf("%.3f\n", seconds_since_process_start());
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    });
  } else {
    // Start-up's messages (no sound device) come over the drawn window.
    QObject::connect(window.canvas(), &korvel::qt::CanvasWidget::firstPainted, &window,
                     [&window] { QTimer::singleShot(0, &window, [&window] { window.afterShown(); }); });
  }
  window.show();
  return QApplication::exec();
}
