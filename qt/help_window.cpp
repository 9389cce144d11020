#include "qt/help_window.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QUrl>

namespace korvel::qt {
namespace {

const QString kFigureScheme = QStringLiteral("korvel-figure");
constexpr QSize kWindowSize(760, 680);

// The page's own style is written for browsers; the rich-text view reads a
// subset of it, and reads some of that differently (line heights stretch the
// lines that hold a diagram). It gets this one instead, in the page's colours.
constexpr const char* kStyle =
    "body { font-family: 'IPAPMincho', serif; color: #2b1a10; background-color: #fbf4e4; }"
    "h1, h2, h3 { color: #5a3418; }"
    "h2 { margin-top: 18px; }"
    "table { border-collapse: collapse; margin-top: 6px; margin-bottom: 6px; }"
    "th, td { border: 1px solid #b89870; padding: 3px 8px; }"
    "th { background-color: #ecdcbc; }"
    ".note { background-color: #f3e6c8; }";

QString attribute(const QString& tag, const QString& name) {
  const QRegularExpression value(QStringLiteral("\\b%1\\s*=\\s*\"([^\"]*)\"").arg(name));
  return value.match(tag).captured(1);
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowFlag(Qt::Window);
  // Addresses on the web go to the desktop, if it can open them at all.
  setOpenExternalLinks(true);
  resize(kWindowSize);
  document()->setDefaultStyleSheet(QString::fromLatin1(kStyle));
  document()->setDocumentMargin(16);
  connect(this, &QTextBrowser::sourceChanged, this, [this] { setWindowTitle(documentTitle()); });
}

bool HelpWindow::showPage(const QString& path) {
  const QFileInfo file(path);
  if (!file.isFile() || !file.isReadable()) return false;
  setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
  show();
  raise();
  activateWindow();
  return true;
}

QVariant HelpWindow::loadResource(int type, const QUrl& name) {
  if (type == QTextDocument::HtmlResource && name.isLocalFile()) {
    QFile page(name.toLocalFile());
    if (!page.open(QIODevice::ReadOnly)) return {};
    return forRichText(QString::fromUtf8(page.readAll()));
  }
  if (type == QTextDocument::ImageResource && name.scheme() == kFigureScheme) {
    bool ok = false;
    const qsizetype index = name.path().toLongLong(&ok);
    if (ok && index >= 0 && index < figures_.size()) return drawFigure(index);
    return {};
  }
  return QTextBrowser::loadResource(type, name);
}

QString HelpWindow::forRichText(QString html) {
  static const QRegularExpression style(QStringLiteral("<style\\b.*?</style>"),
                                        QRegularExpression::DotMatchesEverythingOption |
                                            QRegularExpression::CaseInsensitiveOption);
  // Blocks of HTML5 that the rich-text view does not know would run into the
  // paragraph before them.
  static const QRegularExpression blocks(
      QStringLiteral("<(/?)(?:figure|figcaption|nav|section|article|header|footer|aside|main)\\b"),
      QRegularExpression::CaseInsensitiveOption);
  html.remove(style);
  html.replace(blocks, QStringLiteral("<\\1div"));
  static const QRegularExpression svg(QStringLiteral("<svg\\b([^>]*)>.*?</svg>"),
                                      QRegularExpression::DotMatchesEverythingOption |
                                          QRegularExpression::CaseInsensitiveOption);
  QString out;
  qsizetype done = 0;
  for (auto it = svg.globalMatch(html); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    const QString tag = m.captured(1);
    QByteArray figure = m.captured(0).toUtf8();
    // Inside HTML the drawing leaves out the namespace a drawing of its own needs.
    if (!tag.contains(QStringLiteral("xmlns"))) figure.insert(4, " xmlns=\"http://www.w3.org/2000/svg\"");
    // Each drawing keeps its own address, so a page seen again draws afresh.
    figures_.append(figure);
    out += html.mid(done, m.capturedStart() - done);
    out += QStringLiteral("<img src=\"%1:%2\" width=\"%3\" height=\"%4\" alt=\"%5\">")
               .arg(kFigureScheme)
               .arg(figures_.size() - 1)
               .arg(attribute(tag, QStringLiteral("width")), attribute(tag, QStringLiteral("height")),
                    attribute(tag, QStringLiteral("aria-label")).toHtmlEscaped());
    done = m.capturedEnd();
  }
  return out + html.mid(done);
}

QImage HelpWindow::drawFigure(qsizetype index) const {
  QSvgRenderer renderer(figures_[index]);
  if (!renderer.isValid()) return {};
  const QSize size = renderer.defaultSize();
  // Drawn at the screen's pixel ratio, so a 2x screen shows it sharp.
  const qreal ratio = devicePixelRatioF();
  QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  QPainter p(&image);
  renderer.render(&p, QRectF(QPointF(), size));
  return image;
}

}  // namespace korvel::qt
