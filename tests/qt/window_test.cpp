#include "qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "qt/palette.h"

namespace korvel::qt {
namespace {

double cellX(double c) { return 1300 + 615 * c; }
double cellY(double r) { return 100 + 690 * r; }

const QColor kGreen(0, 128, 0);
const QColor kYellow(255, 255, 0);

struct MenuRow {
  const char* name;
  const char* caption;
  const char* parent;  // nullptr: on the menu bar
  bool checkedAtStart;
};

// The whole menu bar, in order. Marks at start are those of a first start
// with the default settings: 筒, 経過時間 and LEVEL3.
const std::vector<MenuRow> kMenus = {
    {"TAIKYOKU", "対局", nullptr, false},
    {"MATCH_MAN", "対局(人間)", "TAIKYOKU", false},
    {"START", "スタート", "MATCH_MAN", false},
    {"START2", "対局(COM)", "TAIKYOKU", false},
    {"SENTE", "先手", "START2", false},
    {"GOTE", "後手", "START2", false},
    {"LEVEL", "COM対局ﾚﾍﾞﾙ", "TAIKYOKU", false},
    {"LEVEL1", "LEVEL1", "LEVEL", false},
    {"LEVEL2", "LEVEL2", "LEVEL", false},
    {"LEVEL3", "LEVEL3", "LEVEL", true},
    {"LEVEL4", "LEVEL4", "LEVEL", false},
    {"LEVEL5", "LEVEL5", "LEVEL", false},
    {"LEVEL6", "LEVEL6", "LEVEL", false},
    {"LEVEL7", "LEVEL7", "LEVEL", false},
    {"LEVEL8", "LEVEL8", "LEVEL", false},
    {"LEVEL9", "LEVEL9", "LEVEL", false},
    {"LEVEL10", "LEVEL10", "LEVEL", false},
    {"LEVEL11", "LEVEL11", "LEVEL", false},
    {"LEVEL12", "LEVEL12", "LEVEL", false},
    {"LEVEL13", "LEVEL13", "LEVEL", false},
    {"LEVEL14", "LEVEL14", "LEVEL", false},
    {"LEVEL15", "LEVEL15", "LEVEL", false},
    {"LEVEL16", "LEVEL16", "LEVEL", false},
    {"OWARI", "終わり", "TAIKYOKU", false},
    {"TOURYO", "投了", "TAIKYOKU", false},
    {"STOP", "局面", nullptr, false},
    {"CANCEL", "最初", "STOP", false},
    {"REVERSE", "反転", "STOP", false},
    {"HINT", "ﾋﾝﾄ", "STOP", false},
    {"KENTOU", "検討", "STOP", false},
    {"REPLAY", "戻", nullptr, false},
    {"AFTER", "進", nullptr, false},
    {"LBEL_UP", "△", nullptr, false},
    {"LEBEL_DOWN", "▽", nullptr, false},
    {"KIFU", "棋譜", nullptr, false},
    {"KIFU_READ", "読込", "KIFU", false},
    {"KIFU_WRITE", "書込", "KIFU", false},
    {"KIFU_LAST", "前回の対局", "KIFU", false},
    {"KIFU_COPY", "KIFｺﾋﾟｰ", "KIFU", false},
    {"KIFU_PASTE", "KIF貼付", "KIFU", false},
    {"OPTION", "ｵﾌﾟｼｮﾝ", nullptr, false},
    {"HAIKEI_GA", "背景画", "OPTION", false},
    {"MIDORI", "筒", "HAIKEI_GA", true},
    {"TATAMI", "畳", "HAIKEI_GA", false},
    {"TAKE", "竹", "HAIKEI_GA", false},
    {"UCHU", "宇宙", "HAIKEI_GA", false},
    {"RENGA", "煉瓦", "HAIKEI_GA", false},
    {"SIDOU", "移動指導", "OPTION", false},
    {"KEIKA", "経過時間", "OPTION", true},
    {"BGM", "BGM", "OPTION", false},
    {"OUTE_KEIKOKU", "王手警告", "OPTION", true},
    {"ATARI", "当たり表示", "OPTION", false},
    {"SONOTA", "その他", nullptr, false},
    {"KAISETU", "解説", "SONOTA", false},
    {"VER", "バージョン情報", "SONOTA", false},
};

class WindowTest : public ::testing::TestWithParam<double> {
 protected:
  void SetUp() override {
    // Every test is a first start.
    std::filesystem::remove(korvel::settings_path());
    window = std::make_unique<MainWindow>(GetParam());
    window->start();
  }
  const QImage& image() const { return window->canvas()->image(); }
  QColor at(double x, double y) const { return image().pixelColor(window->canvas()->devicePoint(x, y)); }
  // The picture's pixels inside the frame of cell (c, r).
  void expectCellShows(int code, double c, double r) const {
    const QImage* art = window->canvas()->artwork().picture(code);
    ASSERT_NE(art, nullptr);
    const QPoint corner = window->canvas()->devicePoint(cellX(c), cellY(r));
    const int edge = qRound(GetParam());
    const QRect inside(edge, edge, art->width() - 2 * edge - 1, art->height() - 2 * edge - 1);
    EXPECT_EQ(image().copy(inside.translated(corner)), art->copy(inside).convertToFormat(image().format()))
        << "picture " << code << " at cell " << c << "," << r;
  }

  // Answers every message box the window shows with its default button,
  // noting its text.
  void answerBoxes() {
    auto* poll = new QTimer(window.get());
    QObject::connect(poll, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        answered.push_back(box->text());
        box->done(box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::Ok);
      }
    });
    poll->start(5);
  }

  std::unique_ptr<MainWindow> window;
  std::vector<QString> answered;
};

TEST_P(WindowTest, IsTitledKorvelAndPlacedAtTheTopLeftInItsStartSize) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Korvel"));
  EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(0, 0));
  // 11000 x 8700 twips outside.
  EXPECT_EQ(window->frameGeometry().size(), QSize(733, 580));
}

TEST_P(WindowTest, MenuTreeHasEveryEntryWithItsCaptionPlaceAndMark) {
  QList<QAction*> named;
  for (QAction* a : window->findChildren<QAction*>())
    if (!a->objectName().isEmpty()) named << a;
  EXPECT_EQ(named.size(), static_cast<qsizetype>(kMenus.size()));

  std::map<std::string, int> position;  // next expected index within each parent
  for (const MenuRow& row : kMenus) {
    SCOPED_TRACE(row.name);
    QAction* action = window->menuAction(row.name);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->objectName(), QString::fromLatin1(row.name));
    EXPECT_EQ(action->text(), QString::fromUtf8(row.caption));
    EXPECT_TRUE(action->isEnabled());
    EXPECT_TRUE(action->isVisible());
    EXPECT_EQ(action->isChecked(), row.checkedAtStart);

    const QList<QAction*> siblings =
        row.parent ? window->findChild<QMenu*>(QString::fromLatin1(row.parent))->actions()
                   : window->menuBar()->actions();
    const std::string parent = row.parent ? row.parent : "";
    ASSERT_LT(position[parent], siblings.size());
    EXPECT_EQ(siblings[position[parent]++], action);
  }
}

TEST_P(WindowTest, AMenuChoiceReachesTheModelAndItsMarksComeBack) {
  QAction* sidou = window->menuAction("SIDOU");
  sidou->trigger();
  EXPECT_TRUE(sidou->isChecked());
  EXPECT_EQ(window->form().SIDOU_ON, 1);
  sidou->trigger();
  EXPECT_FALSE(sidou->isChecked());

  window->menuAction("UCHU")->trigger();
  EXPECT_TRUE(window->menuAction("UCHU")->isChecked());
  EXPECT_FALSE(window->menuAction("MIDORI")->isChecked());
  expectCellShows(5, -2, 5);
}

TEST_P(WindowTest, OpeningAListIsTheEntrysOwnClick) {
  window->recordPanel().set_lists_visible(1, 1, 1);
  emit window->findChild<QMenu*>(QStringLiteral("OPTION"))->aboutToShow();
  EXPECT_TRUE(window->recordPanel().Drive1->isHidden());
  EXPECT_TRUE(window->recordPanel().File1->isHidden());
}

TEST_P(WindowTest, InitialPositionIsPaintedIntoThePersistentImage) {
  // A plain square frame is green.
  EXPECT_EQ(at(cellX(5), cellY(5)), kGreen);
  EXPECT_EQ(at(cellX(5) + 300, cellY(5)), kGreen);
  EXPECT_EQ(at(cellX(5), cellY(5) + 300), kGreen);
  // Pieces where the game starts them, empty squares between.
  expectCellShows(-950, 5, 9);
  expectCellShows(950, 5, 1);
  expectCellShows(-800, 2, 8);
  expectCellShows(-900, 8, 8);
  expectCellShows(900, 2, 2);
  expectCellShows(800, 8, 2);
  expectCellShows(-10, 7, 7);
  expectCellShows(0, 5, 5);
  expectCellShows(0, 11, 3);
  expectCellShows(2, -2, 5);
  expectCellShows(1, 10.8, 0);
}

TEST_P(WindowTest, FileNumbersAreYellow) {
  for (int i = 1; i <= 9; ++i) {
    SCOPED_TRACE(i);
    const QPoint from = window->canvas()->devicePoint(cellX(i), cellY(0));
    const QPoint to = window->canvas()->devicePoint(cellX(i + 1), cellY(1));
    int yellow = 0;
    for (int y = from.y(); y < to.y(); ++y)
      for (int x = from.x(); x < to.x(); ++x) yellow += image().pixelColor(x, y) == kYellow;
    EXPECT_GT(yellow, 4 * GetParam() * GetParam());
  }
}

TEST_P(WindowTest, ImageIsHeldAtTheDeviceRatio) {
  EXPECT_EQ(window->canvas()->imageDevicePixelRatio(), GetParam());
  EXPECT_GE(image().width(), qRound(755 * GetParam()));
  EXPECT_GE(image().height(), qRound(594 * GetParam()));
}

struct ControlRow {
  const char* name;
  int left, top, width, height;  // twips
};

TEST_P(WindowTest, RecordPanelControlsWaitHiddenAtTheirDesignPlaces) {
  const std::vector<ControlRow> controls = {
      {"Drive1", 240, 360, 2535, 300},  {"Dir1", 240, 600, 2535, 1710},  {"File1", 240, 2280, 2535, 930},
      {"Text2", 960, 2400, 2295, 270},  {"Text3", 960, 2640, 2295, 270}, {"Text4", 960, 2880, 2295, 270},
      {"Text1", 960, 3120, 2295, 270},  {"Command1", 3360, 3000, 855, 375},
  };
  for (const ControlRow& c : controls) {
    SCOPED_TRACE(c.name);
    QWidget* w = window->canvas()->findChild<QWidget*>(QString::fromLatin1(c.name));
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isHidden());
    EXPECT_EQ(w->geometry(), QRect(qRound(c.left / 15.0), qRound(c.top / 15.0), qRound(c.width / 15.0),
                                   qRound(c.height / 15.0)));
  }
  const char* labels[4] = {"ﾌｧｲﾙ名 ：", "後    手 ：", "先    手 ：", "対 局 名："};
  for (int i = 0; i < 4; ++i) {
    QLabel* l = window->recordPanel().Label1[i];
    EXPECT_EQ(l->objectName(), QStringLiteral("Label1"));
    EXPECT_EQ(l->text(), QString::fromUtf8(labels[i]));
    EXPECT_EQ(l->geometry(), QRect(8, qRound((3120 - 240 * i) / 15.0), 57, 17));
    EXPECT_TRUE(l->isHidden());
  }
  EXPECT_EQ(window->recordPanel().Command1->text(), QStringLiteral("RETURN"));
}

TEST_P(WindowTest, RecordPanelFieldsEmptyWhenHidden) {
  RecordPanel& panel = window->recordPanel();
  panel.set_fields_visible(1);
  EXPECT_FALSE(panel.Text1->isHidden());
  EXPECT_FALSE(panel.Command1->isHidden());
  panel.Text1->setText(QStringLiteral("対局"));
  panel.set_fields_visible(1);
  EXPECT_EQ(panel.Text1->text(), QStringLiteral("対局"));
  panel.set_fields_visible(0);
  EXPECT_TRUE(panel.Text1->text().isEmpty());
  EXPECT_TRUE(panel.Label1[3]->isHidden());
  panel.set_lists_visible(1, 1, 0);
  EXPECT_FALSE(panel.Drive1->isHidden());
  EXPECT_FALSE(panel.Dir1->isHidden());
  EXPECT_TRUE(panel.File1->isHidden());
}

TEST_P(WindowTest, Timer1TicksEvery50msWhileTheModelRunsIt) {
  QTimer* timer = window->timer1();
  EXPECT_EQ(timer->objectName(), QStringLiteral("Timer1"));
  EXPECT_EQ(timer->interval(), 50);
  window->menuAction("KEIKA")->trigger();  // clocks off stops the timer
  EXPECT_FALSE(timer->isActive());
  window->menuAction("KEIKA")->trigger();
  EXPECT_TRUE(timer->isActive());
}

TEST_P(WindowTest, APressOnTheBoardGoesToTheModel) {
  answerBoxes();
  RecordPanel& panel = window->recordPanel();
  panel.set_lists_visible(1, 1, 1);
  const QPointF at(cellX(5) / 15 + 10, cellY(5) / 15 + 10);
  QMouseEvent press(QEvent::MouseButtonPress, at, window->canvas()->mapToGlobal(at), Qt::RightButton,
                    Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(window->canvas(), &press);
  // Every click on the board first closes the record panel.
  EXPECT_TRUE(panel.Drive1->isHidden());
  EXPECT_TRUE(panel.Dir1->isHidden());
  EXPECT_TRUE(panel.File1->isHidden());
  // No game yet: the model says how to start one.
  EXPECT_EQ(answered, std::vector<QString>{QStringLiteral("「対局」で始めて下さい")});
}

TEST_P(WindowTest, ALargerWindowScalesTheDrawingAndTheRecordPanel) {
  window->show();
  window->resize(2 * 755, 2 * 594 + window->menuBar()->height());  // twice the drawing's room
  QApplication::processEvents();
  QApplication::processEvents();
  ASSERT_DOUBLE_EQ(window->canvas()->scale(), 2.0);
  // Drive1 stands at 240, 360 twips: 16, 24 design pixels.
  EXPECT_EQ(window->recordPanel().Drive1->geometry().topLeft(), QPoint(32, 48));
  EXPECT_DOUBLE_EQ(window->recordPanel().Text1->font().pointSizeF(), 18);
}

TEST_P(WindowTest, ShrinksToHalfTheDesignSizeAndNoFurther) {
  window->show();
  window->resize(100, 100);
  QApplication::processEvents();
  QApplication::processEvents();
  // Half of what must be seen: the board, hands, clocks and texts.
  EXPECT_EQ(window->canvas()->size(), QSize(351, 257));
  EXPECT_DOUBLE_EQ(window->canvas()->scale(), 0.5);
  // Drive1 stands at 240, 360 twips: 8, 12 pixels at half the design.
  EXPECT_EQ(window->recordPanel().Drive1->geometry().topLeft(), QPoint(8, 12));
}

TEST_P(WindowTest, EscapeEndsTheProgram) {
  window->show();
  // Keys reach the board surface first, which has the focus, and go up to the window.
  QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  QApplication::sendEvent(window->canvas(), &other);
  EXPECT_FALSE(window->form().wants_quit());
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
  QApplication::sendEvent(window->canvas(), &escape);
  EXPECT_TRUE(window->form().wants_quit());
  EXPECT_FALSE(window->isVisible());
}

TEST_P(WindowTest, ClosingTheWindowShutsDown) {
  window->show();
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(window->form().wants_quit());
}

INSTANTIATE_TEST_SUITE_P(Ratios, WindowTest, ::testing::Values(1.0, 2.0));

}  // namespace
}  // namespace korvel::qt

namespace korvel::qt {
namespace {

TEST(DayTimer, APauseKeepsTheWindowServedAndReturnsAfterItsTime) {
  bool served = false;
  QTimer::singleShot(0, [&] { served = true; });
  SystemDayTimer day;
  const auto start = std::chrono::steady_clock::now();
  day.wait(0.05);
  EXPECT_TRUE(served);  // timers and paints run during the pause
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
}

TEST(DayTimer, MovesOnByTheRealTimeAloneAndWrapsAtMidnight) {
  double steady = 1000;
  SystemDayTimer day(86399.5, [&steady] { return steady; });
  EXPECT_DOUBLE_EQ(day.now(), 86399.5);
  steady += 0.25;
  EXPECT_DOUBLE_EQ(day.now(), 86399.75);
  steady += 1;
  EXPECT_DOUBLE_EQ(day.now(), 0.75);  // past midnight, as the clocks expect
  // The system's own clock reads the same kind of seconds.
  SystemDayTimer real;
  const double a = real.now();
  EXPECT_GE(a, 0);
  EXPECT_LT(a, 86400);
}

}  // namespace
}  // namespace korvel::qt
