#include "qt/review_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "qt/canvas_widget.h"

namespace korvel::qt {

namespace {

QString fromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// One colour a mark: 緩手, 疑問手, 悪手, 大悪手.
const QColor kMarkColors[5] = {QColor(), QColor(0xd4, 0xb1, 0x06), QColor(0xf0, 0x80, 0x10), QColor(0xe0, 0x20, 0x20),
                               QColor(0x90, 0x10, 0xb0)};

}  // namespace

ReviewGraph::ReviewGraph(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(320, 180);
}

QRectF ReviewGraph::plotArea() const {
  const QFontMetricsF m(font());
  const qreal left = m.horizontalAdvance(QStringLiteral("100%")) + m.height() / 2;
  return QRectF(left, m.height(), width() - left - m.height(), height() - 2.5 * m.height());
}

int ReviewGraph::plyAt(int x) const {
  const QRectF area = plotArea();
  const double ply = (x - area.left()) / area.width() * std::max(1, plies_);
  return std::clamp(static_cast<int>(std::lround(ply)), 1, std::max(1, plies_));
}

void ReviewGraph::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), palette().base());
  const QRectF area = plotArea();
  const int n = std::max(1, plies_);
  const auto at = [&](double ply, double chance) {
    return QPointF(area.left() + area.width() * ply / n, area.bottom() - area.height() * chance / 100);
  };
  // The lower side's half in a tint of its own, 50 % marked.
  p.fillRect(QRectF(at(0, 50), at(n, 0)), QColor(0xe8, 0xf0, 0xff));
  p.setPen(QPen(palette().text().color(), 1));
  p.drawRect(area);
  p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
  p.drawLine(at(0, 50), at(n, 50));
  p.setPen(palette().text().color());
  const QFontMetricsF m(font());
  for (int chance : {0, 50, 100}) {
    const QString label = QString::number(chance) + QLatin1Char('%');
    p.drawText(QPointF(area.left() - m.horizontalAdvance(label) - m.height() / 4, at(0, chance).y() + m.ascent() / 2.5),
               label);
  }
  // Move numbers along the bottom, at a round step that leaves room for them.
  int step = 1;
  for (int s : {1, 2, 5, 10, 20, 50, 100, 200, 500}) {
    step = s;
    if (n / s * 2 * m.horizontalAdvance(QStringLiteral("000")) <= area.width()) break;
  }
  for (int ply = 0; ply <= n; ply += step) {
    const QString label = QString::number(ply);
    p.drawText(QPointF(at(ply, 0).x() - m.horizontalAdvance(label) / 2, area.bottom() + m.height()), label);
  }
  if (!rows_.empty()) {
    QPainterPath line(at(0, rows_.front().lower_before));
    for (const korvel::ReviewRow& r : rows_) line.lineTo(at(r.ply, r.lower_after));
    p.setPen(QPen(QColor(0x20, 0x40, 0x90), 2));
    p.drawPath(line);
    const qreal dot = std::max(3.0, m.height() / 4);
    for (const korvel::ReviewRow& r : rows_) {
      if (r.mark <= 0 || r.mark > 4) continue;
      p.setPen(Qt::NoPen);
      p.setBrush(kMarkColors[r.mark]);
      p.drawEllipse(at(r.ply, r.lower_after), dot, dot);
    }
  }
  // What the dots' colours say, in the top corner.
  qreal x = area.right() - m.height() / 2;
  for (int mark = 4; mark >= 1; --mark) {
    static const char* const kNames[5] = {"", "緩手", "疑問手", "悪手", "大悪手"};
    const QString name = QString::fromUtf8(kNames[mark]);
    x -= m.horizontalAdvance(name);
    p.setPen(palette().text().color());
    p.drawText(QPointF(x, area.top() + m.height()), name);
    x -= m.height() * 0.8;
    p.setPen(Qt::NoPen);
    p.setBrush(kMarkColors[mark]);
    p.drawEllipse(QPointF(x + m.height() * 0.35, area.top() + m.height() * 0.7), m.height() / 4, m.height() / 4);
    x -= m.height() / 2;
  }
  if (cursor_ > 0) {
    p.setPen(QPen(QColor(0, 0xa0, 0xa0), 2));
    p.drawLine(at(cursor_, 0), at(cursor_, 100));
  }
}

void ReviewGraph::mousePressEvent(QMouseEvent* event) {
  setFocus();
  emit plyChosen(plyAt(qRound(event->position().x())));
}

void ReviewGraph::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
    const int next = std::clamp(cursor_ + (event->key() == Qt::Key_Left ? -1 : 1), 1, std::max(1, plies_));
    emit plyChosen(next);
    return;
  }
  QWidget::keyPressEvent(event);
}

ReviewWindow::ReviewWindow(QWidget* parent, const CanvasWidget* canvas)
    : QWidget(parent, Qt::Window),
      canvas_(canvas),
      graph_(new ReviewGraph(this)),
      list_(new QListWidget(this)),
      caption_(new QLabel(this)),
      counts_(new QLabel(this)),
      progress_(new QProgressBar(this)),
      stop_(new QPushButton(QStringLiteral("中止"), this)),
      retry_(new QPushButton(QStringLiteral("悪手をやり直す"), this)),
      base_font_(font()) {
  setObjectName(QStringLiteral("ReviewWindow"));
  setWindowTitle(QStringLiteral("形勢グラフ"));
  caption_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* top = new QHBoxLayout;
  top->addWidget(progress_, 1);
  top->addWidget(stop_);
  top->addWidget(retry_);
  auto* middle = new QHBoxLayout;
  middle->addWidget(graph_, 3);
  middle->addWidget(list_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(caption_);
  layout->addLayout(middle, 1);
  layout->addWidget(counts_);
  connect(graph_, &ReviewGraph::plyChosen, this, &ReviewWindow::plyChosen);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) emit plyChosen(row + 1);
  });
  connect(stop_, &QPushButton::clicked, this, &ReviewWindow::stopClicked);
  connect(retry_, &QPushButton::clicked, this, &ReviewWindow::retryClicked);
  poll_.setInterval(100);
  connect(&poll_, &QTimer::timeout, this, &ReviewWindow::poll);
}

void ReviewWindow::open(int plies) {
  // As large as the drawing is drawn, on a large window.
  QFont f = base_font_;
  if (canvas_ != nullptr && canvas_->scale() > 1) f.setPointSizeF(f.pointSizeF() * canvas_->scale());
  setFont(f);
  graph_->setGame(plies);
  list_->clear();
  caption_->clear();
  counts_->clear();
  progress_->setRange(0, plies + 1);
  progress_->setValue(0);
  stop_->setEnabled(true);
  if (!isVisible()) place();
  show();
  raise();
  activateWindow();
  graph_->setFocus();
  poll_.start();
}

void ReviewWindow::place() {
  const qreal scale = canvas_ ? std::max<qreal>(1, canvas_->scale()) : 1;
  QSize size = QSize(800, 400) * scale;
  // Beside the board rather than over it: below the game's window, or to its
  // right, where the screen has room; else where the desktop puts it.
  const QWidget* game = parentWidget() ? parentWidget()->window() : nullptr;
  const QScreen* screen = game ? game->screen() : nullptr;
  resize(size);
  if (game == nullptr || screen == nullptr) return;
  const QRect room = screen->availableGeometry();
  const QRect frame = game->frameGeometry();
  if (room.bottom() - frame.bottom() >= size.height() / 2) {
    size.setHeight(std::min(size.height(), room.bottom() - frame.bottom() - 40));
    resize(size);
    move(frame.left(), frame.bottom() + 1);
  } else if (room.right() - frame.right() >= size.width() / 2) {
    resize(std::min(size.width(), room.right() - frame.right() - 10), size.height());
    move(frame.right() + 1, frame.top());
  }
}

void ReviewWindow::show_rows(const std::vector<korvel::ReviewRow>& rows, int done, int total) {
  graph_->setRows(rows);
  const QSignalBlocker quiet(list_);
  for (int i = list_->count(); i < static_cast<int>(rows.size()); ++i)
    list_->addItem(QString::fromStdString(rows[static_cast<size_t>(i)].text));
  progress_->setRange(0, total);
  progress_->setValue(done);
  if (done >= total) {
    stop_->setEnabled(false);
    poll_.stop();
  }
}

void ReviewWindow::show_counts(std::string_view counts) { counts_->setText(fromUtf8(counts)); }

void ReviewWindow::show_choice(int ply, std::string_view caption) {
  graph_->setCursor(ply);
  const QSignalBlocker quiet(list_);
  if (ply - 1 < list_->count()) list_->setCurrentRow(ply - 1);
  caption_->setText(fromUtf8(caption));
}

void ReviewWindow::close() {
  poll_.stop();
  hide();
}

void ReviewWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    QWidget::close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void ReviewWindow::closeEvent(QCloseEvent* event) {
  poll_.stop();
  emit closedByUser();
  event->accept();
}

}  // namespace korvel::qt
