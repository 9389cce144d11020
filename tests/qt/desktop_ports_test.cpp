// The help page when the desktop cannot show it, and message boxes that fit
// their titles.
#include "qt/desktop_ports.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMessageBox>
#include <QProcess>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "qt/canvas_widget.h"

namespace korvel::qt {
namespace {

const QString kHelpPage = QStringLiteral(KORVEL_ASSETS "/Korvel.htm");

struct SaidDialogs : korvel::Dialogs {
  std::vector<std::string> said;
  Answer message(std::string_view text, std::string_view title, Buttons, Icon) override {
    said.push_back(std::string(title) + ": " + std::string(text));
    return Answer::Ok;
  }
  AboutAnswer about_box(std::string_view) override { return AboutAnswer::Ok; }
  int choose(std::string_view, const std::vector<std::string>&) override { return -1; }
};

TEST(DesktopBrowser, APageTheDesktopCannotShowOpensInTheHelpWindowOrIsSaidToFail) {
  struct Row {
    const char* launcher;
    QString page;
    bool helpWindow;
    std::string said;
  };
  const std::vector<Row> rows = {
      {"true", kHelpPage, false, ""},                      // the desktop shows it
      {"false", kHelpPage, true, ""},                      // a launcher that finds no browser
      {"no-such-launcher-here", kHelpPage, true, ""},      // no launcher at all
      {"false", QStringLiteral("/no/such/Korvel.htm"), false, "解説: 「/no/such/Korvel.htm」を開けません。"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.launcher);
    QWidget window;
    SaidDialogs dialogs;
    DesktopBrowser browser(&window, dialogs, QString::fromLatin1(row.launcher));
    EXPECT_TRUE(browser.open(row.page.toStdString()));
    // The launcher answers in its own time.
    for (QDeadlineTimer wait(5000); !wait.hasExpired() && !window.findChildren<QProcess*>().isEmpty();) {
      QApplication::processEvents(QEventLoop::AllEvents, 20);
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(browser.helpWindow() != nullptr && browser.helpWindow()->isVisible(), row.helpWindow);
    EXPECT_EQ(dialogs.said, row.said.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.said});
  }
}

TEST(HelpWindow, ShowsThePageWithItsDiagramsAndEveryLinkWithinItLeadsSomewhere) {
  HelpWindow help;
  ASSERT_TRUE(help.showPage(kHelpPage));
  EXPECT_EQ(help.windowTitle(), QStringLiteral("Korvel 解説 — 円筒将棋"));
  const QTextDocument* page = help.document();
  // The diagrams' own words (file numbers, pieces) are drawn, not run into the text.
  EXPECT_FALSE(page->toPlainText().contains(QStringLiteral("987654321")));
  int figures = 0;
  std::set<QString> links, anchors;
  for (QTextBlock b = page->begin(); b != page->end(); b = b.next())
    for (auto f = b.begin(); !f.atEnd(); ++f) {
      const QTextCharFormat format = f.fragment().charFormat();
      for (const QString& name : format.anchorNames()) anchors.insert(name);
      if (format.isAnchor() && format.anchorHref().startsWith(QLatin1Char('#'))) links.insert(format.anchorHref().mid(1));
      if (format.isImageFormat()) {
        const QVariant image = page->resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
        EXPECT_FALSE(image.value<QImage>().isNull()) << format.toImageFormat().name().toStdString();
        ++figures;
      }
    }
  EXPECT_EQ(figures, 3);
  EXPECT_EQ(links.size(), 9u);
  for (const QString& link : links) EXPECT_TRUE(anchors.count(link)) << link.toStdString();
  // Following one scrolls the same page.
  help.setSource(QUrl(QStringLiteral("#records")));
  QApplication::processEvents();
  EXPECT_GT(help.verticalScrollBar()->value(), 0);
  EXPECT_EQ(help.windowTitle(), QStringLiteral("Korvel 解説 — 円筒将棋"));
  EXPECT_FALSE(help.showPage(QStringLiteral("/no/such/page.htm")));
}

TEST(MessageBoxDialogs, TheBoxIsWideEnoughForItsTitleAtEveryScaleAndAnEmptyTitleStaysEmpty) {
  struct Row {
    double scale;
    const char* title;
    const char* text;
  };
  const std::vector<Row> rows = {
      {0.5, "棋譜ファイルの読み込みができません", "OK"},
      {1.0, "駒落ち", "一手でも指した後は駒落ちを変えられません"},
      {2.0, "棋譜ファイルの読み込みができません", "OK"},
      {1.0, "", "   ** 王手 **"},
  };
  QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
  titleFont.setBold(true);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.scale);
    QWidget window;
    CanvasWidget canvas(1.0);
    canvas.show();
    // Below the design size it is the board and its texts that must fit.
    canvas.resize((row.scale < 1 ? CanvasWidget::contentSize() : CanvasWidget::designSize()) * row.scale);
    QApplication::processEvents();
    ASSERT_DOUBLE_EQ(canvas.scale(), row.scale);
    MessageBoxDialogs dialogs(&window, &canvas);
    QString title;
    int width = 0, textWidth = 0;
    QTimer::singleShot(50, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      title = box->windowTitle();
      width = box->width();
      textWidth = QFontMetrics(box->font()).horizontalAdvance(box->text());
      box->done(QMessageBox::Ok);
    });
    static_cast<korvel::Dialogs&>(dialogs).message(row.text, row.title);
    EXPECT_EQ(title, *row.title ? QString::fromUtf8(row.title) : QStringLiteral(" "));
    EXPECT_GT(width, QFontMetrics(titleFont).horizontalAdvance(title) + 100);
    EXPECT_GT(width, textWidth);
  }
}

}  // namespace
}  // namespace korvel::qt
