#include "qt/record_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>

#include <algorithm>

#include "game/form.h"
#include "qt/artwork.h"
#include "qt/canvas_widget.h"

namespace korvel::qt {
namespace {

constexpr const char* kDesignPlace = "designPlace";
constexpr qreal kFontPoints = 9;

void applyScale(QWidget* w, qreal scale, QPoint origin = {}) {
  const QRectF t = w->property(kDesignPlace).toRect();
  const qreal px = scale / kTwipsPerPixel;
  w->setGeometry(origin.x() + qRound(t.left() * px), origin.y() + qRound(t.top() * px), qRound(t.width() * px),
                 qRound(t.height() * px));
  QFont font(kWindowFontFamily);
  font.setPointSizeF(kFontPoints * scale);
  w->setFont(font);
}

// Design places are in twips.
template <typename W>
W* place(W* w, const char* name, int left, int top, int width, int height) {
  w->setObjectName(QString::fromLatin1(name));
  w->setProperty(kDesignPlace, QRect(left, top, width, height));
  applyScale(w, 1);
  // Controls in the desktop's colours over the green surface, labels included.
  w->setPalette(QApplication::palette());
  w->setAutoFillBackground(true);
  w->hide();
  return w;
}

constexpr auto kPathRole = Qt::UserRole;

// Escape pressed while typing a name or choosing a folder stays with that
// control; only on the board itself does it end the game.
class KeepEscape : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject*, QEvent* event) override {
    return event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
  }
};

std::string local(const QString& s) { return QFile::encodeName(s).toStdString(); }

}  // namespace

RecordPanel::RecordPanel(QWidget* surface) {
  Drive1 = place(new QComboBox(surface), "Drive1", 240, 360, 2535, 300);
  QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
  std::sort(volumes.begin(), volumes.end(),
            [](const QStorageInfo& a, const QStorageInfo& b) { return a.rootPath() < b.rootPath(); });
  for (const QStorageInfo& v : volumes) Drive1->addItem(v.rootPath(), v.rootPath());

  Dir1 = place(new QListWidget(surface), "Dir1", 240, 600, 2535, 1710);
  File1 = place(new QListWidget(surface), "File1", 240, 2280, 2535, 930);
  showFolder(QDir::currentPath());
  file_list_to_folder();

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

  QObject::connect(Drive1, &QComboBox::activated, Drive1, [this] { event(&korvel::Form::Drive1_Change); });
  QObject::connect(Dir1, &QListWidget::itemClicked, Dir1, [this](QListWidgetItem* item) {
    if (showFolder(item->data(kPathRole).toString())) event(&korvel::Form::Dir1_Change);
  });
  QObject::connect(File1, &QListWidget::itemClicked, File1, [this](QListWidgetItem* item) {
    chosen_ = item->text();
    event(&korvel::Form::File1_Click);
  });
  QObject::connect(Command1, &QPushButton::clicked, Command1, [this] { event(&korvel::Form::Command1_Click); });
  // Return after the file name writes, as the button does.
  QObject::connect(Text1, &QLineEdit::returnPressed, Text1, [this] { event(&korvel::Form::Command1_Click); });
  auto* keepEscape = new KeepEscape(surface);
  for (QWidget* w : controls()) w->installEventFilter(keepEscape);
}

void RecordPanel::setPlace(qreal scale, QPoint origin) {
  for (QWidget* w : controls()) applyScale(w, scale, origin);
}

QList<QWidget*> RecordPanel::controls() const { return QList<QWidget*>{Drive1, Dir1, File1} + fields(); }

void RecordPanel::event(Handler h) {
  if (run_) run_(h);
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

std::string RecordPanel::text(int box) {
  QLineEdit* boxes[5] = {nullptr, Text1, Text2, Text3, Text4};
  return box >= 1 && box <= 4 ? boxes[box]->text().toStdString() : std::string();
}

std::string RecordPanel::folder() { return local(files_path_); }

std::string RecordPanel::chosen_file() { return local(chosen_); }

void RecordPanel::selectDriveOf(const QString& path) {
  const int i = Drive1->findData(QStorageInfo(path).rootPath());
  if (i >= 0) Drive1->setCurrentIndex(i);
}

bool RecordPanel::showFolder(const QString& path) {
  QDir here(path);
  if (!here.exists() || !here.isReadable()) return false;
  dir_path_ = here.absolutePath();
  last_folder_[QStorageInfo(dir_path_).rootPath()] = dir_path_;
  Dir1->clear();
  // The way down from the root, each folder one step further in, then the
  // subfolders of the shown one.
  QStringList way;
  for (QDir d = here;;) {
    way.prepend(d.absolutePath());
    if (!d.cdUp()) break;
  }
  int depth = 0;
  for (const QString& p : way) {
    auto* item = new QListWidgetItem(QString(2 * depth++, QLatin1Char(' ')) +
                                     (QDir(p).isRoot() ? p : QDir(p).dirName()));
    item->setData(kPathRole, p);
    Dir1->addItem(item);
  }
  Dir1->setCurrentRow(Dir1->count() - 1);
  for (const QString& sub : here.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
    auto* item = new QListWidgetItem(QString(2 * depth, QLatin1Char(' ')) + sub);
    item->setData(kPathRole, here.absoluteFilePath(sub));
    Dir1->addItem(item);
  }
  selectDriveOf(dir_path_);
  return true;
}

int RecordPanel::folder_list_to_drive() {
  const QString root = Drive1->currentData().toString();
  const QStorageInfo volume(root);
  // The folder the drive was left at, else its root.
  if (volume.isValid() && volume.isReady() && (showFolder(last_folder_.value(root, root)) || showFolder(root)))
    return 1;
  selectDriveOf(dir_path_);
  return 0;
}

void RecordPanel::file_list_to_folder() {
  files_path_ = dir_path_;
  refresh_files();
}

void RecordPanel::refresh_files() {
  File1->clear();
  File1->addItems(QDir(files_path_).entryList({QStringLiteral("*.棋譜")}, QDir::Files, QDir::Name));
}

}  // namespace korvel::qt
