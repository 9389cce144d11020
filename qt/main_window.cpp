#include "qt/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "qt/palette.h"
#include "text/text_file.h"
#include "ui/menu_tree.h"

namespace korvel::qt {
namespace {

constexpr int kWindowColor = 2;
// Where a window that was placed by hand keeps its place at start-up.
constexpr int kKeepPlaceTop = -60;
constexpr double kStartOuterWidth = 11000, kStartOuterHeight = 8700;

QString fromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

MainWindow::MainWindow(qreal devicePixelRatio, QWidget* parent)
    : QMainWindow(parent),
      canvas_(new CanvasWidget(devicePixelRatio, this)),
      dialogs_(this, canvas_),
      browser_(this, dialogs_),
      settings_(korvel::settings_path()) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Korvel"));
  // The client area is green; the menu bar keeps the desktop's colours.
  QPalette green = canvas_->palette();
  green.setColor(QPalette::Window, paletteColor(kWindowColor));
  canvas_->setPalette(green);
  setCentralWidget(canvas_);

  clock_ = std::make_unique<Timer1Clock>(this, [this] { onTick(); });
  record_panel_ = std::make_unique<RecordPanel>(canvas_);
  korvel::Ports ports{*canvas_,  dialogs_,  sound_,
                      day_timer_, *clock_,   *record_panel_,
                      record_files_, browser_,  settings_, static_cast<std::intptr_t>(winId()),
                      dataDir().toUtf8().toStdString()};
  ports.background = &background_;
  ports.kept_games_dir = prepareKeptGames();
  ports.clipboard = &clipboard_;
  review_window_ = new ReviewWindow(this, canvas_);
  ports.review_view = review_window_;
  form_ = std::make_unique<korvel::Form>(ports);
  record_panel_->setEvents([this](RecordPanel::Handler h) { run([&] { (form_.get()->*h)(); }); });

  connect(canvas_, &CanvasWidget::mouseDown, this, &MainWindow::onMouseDown);
  connect(review_window_, &ReviewWindow::poll, this, [this] {
    // As the clock: never inside another handler.
    if (busy_ > 0) return;
    run([this] {
      if (form_->検討_経過() == 0) review_window_->stopPolling();
    });
  });
  connect(review_window_, &ReviewWindow::plyChosen, this, [this](int ply) { run([&] { form_->検討_選択(ply); }); });
  connect(review_window_, &ReviewWindow::stopClicked, this, [this] { run([this] { form_->検討_中止(); }); });
  connect(review_window_, &ReviewWindow::retryClicked, this, [this] { run([this] { form_->悪手やり直し(); }); });
  connect(review_window_, &ReviewWindow::closedByUser, this, [this] { run([this] { form_->検討_中止(); }); });
  connect(canvas_, &CanvasWidget::placed, this,
          [this](qreal scale, QPoint origin) { record_panel_->setPlace(scale, origin); });
  buildMenus();
  // The design client area, 11325 x 8910 twips, below the menu bar.
  resize(canvas_->sizeHint() + QSize(0, menuBar()->sizeHint().height()));
}

MainWindow::~MainWindow() = default;

std::string MainWindow::prepareKeptGames() {
  const std::filesystem::path folder = korvel::kept_games_folder();
  if (folder.empty()) return {};
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  // Leftovers of a write that a crash or a power cut interrupted.
  korvel::remove_stale_temporaries(folder.string());
  return folder.string();
}

void MainWindow::afterShown() {
  run([this] { form_->Form_Activate(); });
}

QString MainWindow::dataDir() {
  const QDir share(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/korvel"));
  return share.exists(QStringLiteral("Korvel.htm")) ? share.canonicalPath() : QString();
}

void MainWindow::buildMenus() {
  QMenu* open[3] = {};
  for (const korvel::MenuEntry& e : korvel::menu_tree()) {
    const std::string name(e.name);
    QMenu* parentMenu = e.depth > 0 ? open[e.depth - 1] : nullptr;
    QAction* action;
    if (korvel::has_children(e.name)) {
      QMenu* menu = parentMenu ? parentMenu->addMenu(fromUtf8(e.caption)) : menuBar()->addMenu(fromUtf8(e.caption));
      menu->setObjectName(fromUtf8(e.name));
      // Opening the list is the entry's own click.
      connect(menu, &QMenu::aboutToShow, this, [this, name] { choose(name); });
      open[e.depth] = menu;
      action = menu->menuAction();
    } else {
      action = parentMenu ? parentMenu->addAction(fromUtf8(e.caption)) : menuBar()->addAction(fromUtf8(e.caption));
      connect(action, &QAction::triggered, this, [this, name] { choose(name); });
    }
    action->setObjectName(fromUtf8(e.name));
    action->setEnabled(true);
    actions_.emplace(name, action);
  }
  syncChecks();
}

QAction* MainWindow::menuAction(std::string_view name) const {
  const auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::syncChecks() {
  for (const auto& [name, action] : actions_) {
    const bool on = form_->checked(name) == 1;
    // Only a checked entry shows a mark; unchecked ones look like plain entries.
    action->setCheckable(on);
    action->setChecked(on);
  }
}

template <class F>
void MainWindow::run(F&& handler) {
  ++busy_;
  handler();
  --busy_;
  afterHandler();
}

void MainWindow::start() {
  run([this] { form_->Form_Load(); });
  placeAtStart();
}

void MainWindow::placeAtStart() {
  if (qRound(frameGeometry().top() * kTwipsPerPixel) == kKeepPlaceTop) return;
  move(0, 0);
  fitFrameAtCorner();
  // Asked by its frame, the window manager keeps the title bar on the screen.
  if (QWindow* w = windowHandle()) w->setFramePosition(QPoint(0, 0));
  start_size_ = size();
}

void MainWindow::fitFrameAtCorner() {
  // The frame as the window manager reports it: the widget's own frame
  // geometry can still be a placeholder of one pixel just after mapping,
  // which would make the window twice the screen.
  const QMargins m = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
  const auto part = [](int a, int b) { return std::clamp(a + b, 0, 200); };
  const QSize frame(part(m.left(), m.right()), part(m.top(), m.bottom()));
  resize(qRound(kStartOuterWidth / kTwipsPerPixel) - frame.width(),
         qRound(kStartOuterHeight / kTwipsPerPixel) - frame.height());
  // Moved only when the frame is elsewhere, and by the client's own place
  // with the frame known: a move made while the frame is still being learnt
  // can put the client at the corner, the title bar off the screen, and a
  // request for the frame's place is now and then not acted on once the
  // window is mapped.
  QWindow* w = windowHandle();
  if (w == nullptr)
    move(0, 0);
  else if (w->framePosition() != QPoint(0, 0))
    w->setPosition(m.left(), m.top());
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (start_size_.isEmpty()) return;
  // The window manager decorates the window some time after it is shown; the
  // outer size counts from then, unless the player has changed it meanwhile.
  // Where it puts the frame is learnt a little later still, so the place is
  // looked at for half a second more. Without a window manager there is no
  // frame to wait for.
  auto* poll = new QTimer(this);
  poll->setInterval(50);
  connect(poll, &QTimer::timeout, this, [this, poll, tries = 40, settle = 10]() mutable {
    const bool framed = windowHandle() != nullptr && !windowHandle()->frameMargins().isNull();
    if (framed && windowState() == Qt::WindowNoState && size() == start_size_) {
      fitFrameAtCorner();
      start_size_ = size();
    }
    if ((framed && --settle == 0) || --tries == 0) {
      start_size_ = QSize();
      poll->deleteLater();
    }
  });
  poll->start();
}

void MainWindow::choose(const std::string& name) {
  run([&] { form_->menu_click(name); });
}

void MainWindow::onMouseDown(int button, int, double x, double y) {
  run([&] { form_->Form_MouseDown(button, x, y); });
}

void MainWindow::onTick() {
  if (busy_ > 0) return;
  run([this] { form_->Timer1_Timer(); });
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Keys without a character step through the game. A field or list of the
  // record panel that has the focus takes them first.
  int code = 0;
  switch (event->key()) {
    case Qt::Key_Left: code = korvel::KEY_LEFT; break;
    case Qt::Key_Right: code = korvel::KEY_RIGHT; break;
    case Qt::Key_Home: code = korvel::KEY_HOME; break;
    case Qt::Key_End: code = korvel::KEY_END; break;
    default: break;
  }
  if (code != 0 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    run([&] { form_->Form_KeyDown(code); });
    return;
  }
  int key = 0;
  if (event->key() == Qt::Key_Escape) {
    key = korvel::KEY_ESCAPE;
  } else if (!event->text().isEmpty()) {
    key = event->text().at(0).unicode();
  }
  if (key == 0) {
    QMainWindow::keyPressEvent(event);
    return;
  }
  run([&] { form_->Form_KeyPress(key); });
}

void MainWindow::afterHandler() {
  syncChecks();
  if (form_->wants_quit() && !closing_) {
    closing_ = true;
    clock_->stop();
    close();
    QCoreApplication::quit();
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!closing_) {
    closing_ = true;
    clock_->stop();
    ++busy_;
    form_->Form_Unload();
    --busy_;
    QCoreApplication::quit();
  }
  event->accept();
}

}  // namespace korvel::qt
