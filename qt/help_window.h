#pragma once
// The help page in a window of the game's own, for a desktop that has no
// browser to show it. The page's inline SVG diagrams, which the rich-text
// view cannot draw, are drawn as pictures in their place; links within the
// page and to files beside it are followed in the same window.

#include <QByteArray>
#include <QList>
#include <QTextBrowser>

namespace korvel::qt {

class HelpWindow : public QTextBrowser {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows the page at path and brings the window to the front; false, and
  // nothing shown, when the file cannot be read.
  bool showPage(const QString& path);

 protected:
  QVariant loadResource(int type, const QUrl& name) override;

 private:
  QString forRichText(QString html);
  QImage drawFigure(qsizetype index) const;

  QList<QByteArray> figures_;
};

}  // namespace korvel::qt
