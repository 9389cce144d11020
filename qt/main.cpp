#include <QApplication>

#include "qt/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korvel"));
  korvel::qt::MainWindow window;
  window.start();
  if (window.form().wants_quit()) return 0;
  window.show();
  return QApplication::exec();
}
