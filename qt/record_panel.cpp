#include "qt/record_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>

#include "qt/artwork.h"
#include "qt/canvas_widget.h"

namespace korvel::qt {
namespace {

// Design places are in twips.
template <typename W>
W* place(W* w, const char* name, int left, int top, int width, int height) {
  w->setObjectName(QString::fromLatin1(name));
  w->setGeometry(qRound(left / kTwipsPerPixel), qRound(top / kTwipsPerPixel), qRound(width / kTwipsPerPixel),
                 qRound(height / kTwipsPerPixel));
  w->setFont(QFont(kWindowFontFamily, 9));
  // Controls in the desktop's colours over the green surface, labels included.
  w->setPalette(QApplication::palette());
  w->setAutoFillBackground(true);
  w->hide();
  return w;
}

}  // namespace

RecordPanel::RecordPanel(QWidget* surface) {
  const QDir here = QDir::current();

  Drive1 = place(new QComboBox(surface), "Drive1", 240, 360, 2535, 300);
  for (const QFileInfo& drive : QDir::drives()) Drive1->addItem(drive.absoluteFilePath());
  Drive1->setCurrentText(QStorageInfo(here).rootPath());

  // The folder list shows the way down to the current folder, then what is in it.
  Dir1 = place(new QListWidget(surface), "Dir1", 240, 600, 2535, 1710);
  QStringList way;
  for (QDir d = here; ; ) {
    way.prepend(d.isRoot() ? d.absolutePath() : d.dirName());
    if (!d.cdUp()) break;
  }
  Dir1->addItems(way);
  Dir1->setCurrentRow(static_cast<int>(way.size()) - 1);
  for (const QString& sub : here.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
    Dir1->addItem(QStringLiteral("    ") + sub);

  File1 = place(new QListWidget(surface), "File1", 240, 2280, 2535, 930);
  File1->addItems(here.entryList({QStringLiteral("*.棋譜")}, QDir::Files, QDir::Name));

  const char* captions[4] = {"ﾌｧｲﾙ名 ：", "後    手 ：", "先    手 ：", "対 局 名："};
  for (int i = 0; i < 4; ++i) {
    Label1[i] = place(new QLabel(QString::fromUtf8(captions[i]), surface), "Label1", 120, 3120 - 240 * i, 855, 255);
    Label1[i]->setProperty("index", i);
  }
  Text2 = place(new QLineEdit(surface), "Text2", 960, 2400, 2295, 270);
  Text3 = place(new QLineEdit(surface), "Text3", 960, 2640, 2295, 270);
  Text4 = place(new QLineEdit(surface), "Text4", 960, 2880, 2295, 270);
  Text1 = place(new QLineEdit(surface), "Text1", 960, 3120, 2295, 270);
  Command1 = place(new QPushButton(QStringLiteral("RETURN"), surface), "Command1", 3360, 3000, 855, 375);
}

QList<QWidget*> RecordPanel::fields() const {
  return {Label1[0], Label1[1], Label1[2], Label1[3], Text1, Text2, Text3, Text4, Command1};
}

void RecordPanel::set_lists_visible(int drive, int folder, int files) {
  Drive1->setVisible(drive != 0);
  Dir1->setVisible(folder != 0);
  File1->setVisible(files != 0);
}

void RecordPanel::set_fields_visible(int visible) {
  if (visible == 0) {
    for (QLineEdit* t : {Text1, Text2, Text3, Text4}) t->clear();
  }
  for (QWidget* w : fields()) w->setVisible(visible != 0);
}

}  // namespace korvel::qt
