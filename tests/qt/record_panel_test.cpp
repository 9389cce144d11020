// The record panel in the real window: writing a game into a folder, reading
// it back with a click in the file list, and a drive that cannot be read.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "qt/main_window.h"

namespace korvel::qt {
namespace {

struct RecordPanelTest : ::testing::Test {
  std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(1.0);
  RecordPanel& panel = window->recordPanel();
  std::vector<QString> answered;

  void SetUp() override {
    window->start();
    // Every message box is answered with its default button, its text noted.
    auto* poll = new QTimer(window.get());
    QObject::connect(poll, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        answered.push_back(box->text());
        box->done(box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::Ok);
      }
    });
    poll->start(5);
  }
  void press(int c, int r) { window->form().Form_MouseDown(1, 1300 + 615 * c + 300, 100 + 690 * r + 300); }
  QListWidgetItem* item(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchEndsWith);
    return found.isEmpty() ? nullptr : found.front();
  }
};

TEST_F(RecordPanelTest, AGameWrittenIntoAFolderIsReadBackByAClickAndSteppedThrough) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("棋譜")));
  window->menuAction("START")->trigger();
  press(3, 7);
  press(3, 6);

  window->menuAction("KIFU_WRITE")->trigger();
  EXPECT_FALSE(panel.Drive1->isHidden());
  EXPECT_FALSE(panel.Dir1->isHidden());
  EXPECT_TRUE(panel.File1->isHidden());
  EXPECT_FALSE(panel.Text1->isHidden());
  // Down into the new folder by a click in the folder list.
  ASSERT_TRUE(panel.showFolder(dir.path()));
  QListWidgetItem* sub = item(panel.Dir1, QStringLiteral("棋譜"));
  ASSERT_NE(sub, nullptr);
  emit panel.Dir1->itemClicked(sub);
  const QString folder = dir.path() + QStringLiteral("/棋譜");
  EXPECT_EQ(panel.folderListPath(), folder);
  EXPECT_EQ(QString::fromStdString(panel.folder()), folder);
  panel.Text2->setText(QStringLiteral("第一局"));
  panel.Text3->setText(QStringLiteral("先手"));
  panel.Text4->setText(QStringLiteral("後手"));
  panel.Text1->setText(QStringLiteral("対局"));
  panel.Command1->click();
  EXPECT_EQ(answered.back(), QStringLiteral("棋譜を書き込みました"));
  EXPECT_TRUE(panel.Text1->isHidden());
  EXPECT_TRUE(panel.Text1->text().isEmpty());
  QFile written(folder + QStringLiteral("/対局.棋譜"));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll().count('\n'), 4);

  window->menuAction("KIFU_READ")->trigger();
  EXPECT_FALSE(panel.File1->isHidden());
  ASSERT_EQ(panel.File1->count(), 1);  // only the record files
  emit panel.File1->itemClicked(panel.File1->item(0));
  EXPECT_TRUE(panel.File1->isHidden());
  EXPECT_EQ(window->form().KIFU_MODE, 1);
  EXPECT_EQ(window->form().pos.Board[3][6], 0);
  window->menuAction("AFTER")->trigger();
  EXPECT_EQ(window->form().pos.Board[3][6], -10);
}

TEST_F(RecordPanelTest, ADriveThatCannotBeReadLeavesTheFolderListWhereItWas) {
  window->menuAction("KIFU_READ")->trigger();
  const QString before = panel.folderListPath();
  EXPECT_EQ(before, QDir::currentPath());
  panel.Drive1->addItem(QStringLiteral("/no-such-volume"), QStringLiteral("/no-such-volume"));
  panel.Drive1->setCurrentIndex(panel.Drive1->count() - 1);
  emit panel.Drive1->activated(panel.Drive1->count() - 1);
  EXPECT_EQ(answered, std::vector<QString>{QStringLiteral("ﾃﾞﾊﾞｲｽが準備できていません")});
  EXPECT_EQ(panel.folderListPath(), before);
  EXPECT_EQ(panel.Drive1->currentData().toString(), QStorageInfo(before).rootPath());
}

}  // namespace
}  // namespace korvel::qt
