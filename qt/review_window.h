#pragma once
// 形勢グラフ: the review's window. The lower side's winning chance over the
// moves, the marked moves as dots, the moves as KIF beside it, a progress
// bar with 中止, and 悪手をやり直す. A click on the graph, ← → in it, or a move
// chosen in the list (↑ ↓ Home End) asks the game to show that move.

#include <QTimer>
#include <QWidget>

#include <vector>

#include "ports/review_view.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace korvel::qt {

class CanvasWidget;

class ReviewGraph : public QWidget {
  Q_OBJECT

 public:
  explicit ReviewGraph(QWidget* parent = nullptr);
  void setGame(int plies) { plies_ = plies; rows_.clear(); cursor_ = 0; update(); }
  void setRows(std::vector<korvel::ReviewRow> rows) { rows_ = std::move(rows); update(); }
  void setCursor(int ply) { cursor_ = ply; update(); }
  int cursor() const { return cursor_; }
  // The move whose x is nearest to a point in the widget.
  int plyAt(int x) const;
  QSize sizeHint() const override { return {560, 300}; }

 signals:
  void plyChosen(int ply);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QRectF plotArea() const;
  int plies_ = 1;
  int cursor_ = 0;
  std::vector<korvel::ReviewRow> rows_;
};

class ReviewWindow : public QWidget, public korvel::ReviewView {
  Q_OBJECT

 public:
  ReviewWindow(QWidget* parent, const CanvasWidget* canvas);

  void open(int plies) override;
  void show_rows(const std::vector<korvel::ReviewRow>& rows, int done, int total) override;
  void show_counts(std::string_view counts) override;
  void show_choice(int ply, std::string_view caption) override;
  void close() override;
  // Asked no more once the review is done.
  void stopPolling() { poll_.stop(); }

  ReviewGraph* graph() const { return graph_; }
  QListWidget* list() const { return list_; }
  QLabel* caption() const { return caption_; }
  QLabel* counts() const { return counts_; }
  QProgressBar* progress() const { return progress_; }
  QPushButton* stopButton() const { return stop_; }
  QPushButton* retryButton() const { return retry_; }

 signals:
  void plyChosen(int ply);
  void stopClicked();
  void retryClicked();
  void closedByUser();
  // Every tenth of a second while the review goes on.
  void poll();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Its size and place when it opens.
  void place();
  const CanvasWidget* canvas_;
  ReviewGraph* graph_;
  QListWidget* list_;
  QLabel* caption_;
  QLabel* counts_;
  QProgressBar* progress_;
  QPushButton* stop_;
  QPushButton* retry_;
  QTimer poll_;
  QFont base_font_;
};

}  // namespace korvel::qt
