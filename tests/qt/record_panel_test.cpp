// The record panel in the real window: writing a game into a folder, reading
// it back with a click in the file list, and a drive that cannot be read.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "qt/main_window.h"

namespace korvel::qt {
namespace {

struct RecordPanelTest : ::testing::Test {
  MainWindow window{1.0};
  RecordPanel& panel = window.recordPanel();
  QStringList answered;

  void SetUp() override {
    window.start();
    // Every message box is answered with OK, its text noted.
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        answered << box->text();
        box->done(QMessageBox::Ok);
      }
    });
    poll->start(5);
  }
};

TEST_F(RecordPanelTest, AGameWrittenIntoAFolderIsReadBackByAClickAndSteppedThrough) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("棋譜")));
  window.menuAction("START")->trigger();
  window.form().Form_MouseDown(1, 1300 + 615 * 3 + 300, 100 + 690 * 7 + 300);
  window.form().Form_MouseDown(1, 1300 + 615 * 3 + 300, 100 + 690 * 6 + 300);
  answered.clear();

  window.menuAction("KIFU_WRITE")->trigger();
  EXPECT_FALSE(panel.Dir1->isHidden());
  EXPECT_TRUE(panel.File1->isHidden());
  // Down into the new folder by a click in the folder list.
  ASSERT_TRUE(panel.showFolder(dir.path()));
  emit panel.Dir1->itemClicked(panel.Dir1->item(panel.Dir1->count() - 1));
  const QString folder = dir.path() + QStringLiteral("/棋譜");
  EXPECT_EQ(QString::fromStdString(panel.folder()), folder);
  for (QLineEdit* text : {panel.Text1, panel.Text2, panel.Text3, panel.Text4}) text->setText(QStringLiteral("対局"));
  panel.Command1->click();
  EXPECT_EQ(answered, QStringList{QStringLiteral("棋譜を書き込みました")});
  EXPECT_TRUE(panel.Text1->isHidden());
  EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/対局.棋譜")));

  window.menuAction("KIFU_READ")->trigger();
  ASSERT_EQ(panel.File1->count(), 1);
  emit panel.File1->itemClicked(panel.File1->item(0));
  EXPECT_TRUE(panel.File1->isHidden());
  EXPECT_EQ(answered.size(), 3);
  window.menuAction("AFTER")->trigger();
  EXPECT_EQ(window.form().KIFU_MODE, 1);
  EXPECT_EQ(window.form().pos.Board[3][6], -10);
}

TEST_F(RecordPanelTest, ReturnInTheFileNameWritesAndEscapeStaysInThePanel) {
  QTemporaryDir dir;
  window.show();
  window.menuAction("START")->trigger();
  window.form().Form_MouseDown(1, 1300 + 615 * 3 + 300, 100 + 690 * 7 + 300);
  window.form().Form_MouseDown(1, 1300 + 615 * 3 + 300, 100 + 690 * 6 + 300);
  window.menuAction("KIFU_WRITE")->trigger();
  ASSERT_TRUE(panel.showFolder(dir.path()));
  emit panel.Dir1->itemClicked(panel.Dir1->item(panel.Dir1->count() - 1));
  answered.clear();
  for (QWidget* control : {static_cast<QWidget*>(panel.Text1), static_cast<QWidget*>(panel.Dir1)}) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(control, &escape);
  }
  EXPECT_FALSE(window.form().wants_quit());
  EXPECT_FALSE(panel.Text1->isHidden());
  panel.Text1->setText(QStringLiteral("速記"));
  QKeyEvent ret(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QApplication::sendEvent(panel.Text1, &ret);
  EXPECT_EQ(answered, QStringList{QStringLiteral("棋譜を書き込みました")});
  EXPECT_TRUE(QFileInfo::exists(dir.path() + QStringLiteral("/速記.棋譜")));
}

TEST_F(RecordPanelTest, ADriveThatCannotBeReadLeavesTheFolderListWhereItWas) {
  EXPECT_EQ(panel.folderListPath(), QDir::currentPath());
  panel.Drive1->addItem(QStringLiteral("/no-such-volume"), QStringLiteral("/no-such-volume"));
  panel.Drive1->setCurrentIndex(panel.Drive1->count() - 1);
  emit panel.Drive1->activated(panel.Drive1->count() - 1);
  EXPECT_EQ(answered, QStringList{QStringLiteral("ﾃﾞﾊﾞｲｽが準備できていません")});
  EXPECT_EQ(panel.folderListPath(), QDir::currentPath());
  EXPECT_EQ(panel.Drive1->currentData().toString(), QStorageInfo(QDir::currentPath()).rootPath());
}

}  // namespace
}  // namespace korvel::qt
