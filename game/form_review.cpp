// The review of the game stored (局面 → 検討): the look-ahead searches its
// positions in the background while the graph window fills in; a move chosen
// there is shown on the board as the history's steps show it, its best move
// framed as the hint frames one; and a second try at the bad moves.
#include <cmath>

#include "game/form.h"
#include "records/kif.h"

namespace korvel {

namespace {

// A move tried again within this many points of the best is a good one.
constexpr double RETRY_GOOD_POINTS = 5;

}  // namespace

std::pair<int, int> Form::元セル(const Candidate& m) {
  // A drop starts from the hand's cell: the upper hand is drawn top down.
  return {m.fx, m.fx == HAND_X_UE ? 8 - m.fy : m.fy};
}

void Form::KENTOU_Click() {
  棋譜パネル_閉じる();
  const int last = History::上限(hist.HIST_LAST);
  if (REVERSED == 1 || last < 1 || ports_.review_view == nullptr) {
    play(SND_KINSHI);
    return;
  }
  検討_終了();
  std::vector<Position> positions;
  std::vector<int> movers;
  for (int n = 0; n <= last; ++n) {
    Position p = pos;
    hist.復元(n, p);
    p.持駒数再計算();
    positions.push_back(p);
    movers.push_back(hist.HIST_MOVER[n]);
  }
  review_entries_.clear();
  review_moves_.clear();
  for (int n = 0; n <= last; ++n) review_entries_.push_back(hist.棋譜行(n));
  review_ = std::make_unique<GameReview>(std::move(positions), std::move(movers), REVIEW_BUDGET);
  review_->start();
  REVIEW_SHOWN_DONE = -1;
  REVIEW_PLY = 0;
  ports_.review_view->open(last);
  検討_経過();
}

void Form::検討_終了() {
  やり直し_終了();
  if (!review_) return;
  review_->stop();
  review_.reset();
}

int Form::検討_経過() {
  if (!review_) return 0;
  const ReviewProgress p = review_->progress();
  if (p.done == REVIEW_SHOWN_DONE) return p.done < p.total ? 1 : 0;
  REVIEW_SHOWN_DONE = p.done;
  std::vector<ReviewRow> rows;
  int counts[2][5]{};  // 先手, 後手; by mark
  for (const ReviewedPly& r : p.plies) {
    const bool lower = r.mover == REVIEW_LOWER;
    const double before = review_chance(r.before), after = review_chance(r.after);
    ReviewRow row{r.ply, lower ? before : 100 - before, lower ? after : 100 - after, r.mark, {}};
    // Each move named once: the window asks again and again as the work goes on.
    if (review_moves_.size() < static_cast<size_t>(r.ply)) review_moves_.resize(static_cast<size_t>(r.ply));
    std::string& move = review_moves_[static_cast<size_t>(r.ply - 1)];
    if (move.empty()) move = 検討_指し手(r.ply, r.played);
    char number[8];
    std::snprintf(number, sizeof number, "%4d ", r.ply);
    row.text = number + move;
    if (r.mark != MARK_NONE) row.text += "　" + std::string(MARK_TEXT[r.mark]);
    rows.push_back(std::move(row));
    const int side = (lower ? pos.SITA_SIDE : pos.UE_SIDE) == SIDE_SENTE ? 0 : 1;
    ++counts[side][r.mark];
  }
  ports_.review_view->show_rows(rows, p.done, p.total);
  std::string text;
  for (int side = 0; side < 2; ++side) {
    text += side == 0 ? "先手" : "\n後手";
    for (int mark = MARK_大悪手; mark >= MARK_緩手; --mark)
      text += "　" + std::string(MARK_TEXT[mark]) + " " + std::to_string(counts[side][mark]);
  }
  ports_.review_view->show_counts(text);
  return p.done < p.total ? 1 : 0;
}

void Form::検討_中止() {
  if (review_) review_->stop();
}

std::string Form::検討_指し手(int ply, const Candidate& m) const {
  // Named as KIF names it, 同 after a move to the same square.
  const RecordEntry before = hist.棋譜行(ply - 1);
  Position after = pos;
  hist.復元(ply - 1, after);
  after.駒移動(m.fx, m.fy, m.tx, m.ty, m.piece);
  RecordEntry e = before;
  std::copy(&after.Board[0][0], &after.Board[0][0] + 100, &e.board[0][0]);
  std::copy(after.HAND_SITA, after.HAND_SITA + 8, e.hand_sita);
  std::copy(after.HAND_UE, after.HAND_UE + 8, e.hand_ue);
  const MoveResult prev = ply >= 2 ? hist.調査_移動結果(ply - 1) : MoveResult{};
  const bool upper_is_sente = hist.HIST_MOVER[0] == MOVER_UE;
  return KIF指し手(before, m.stood > 0 ? RECORD_UPPER : RECORD_LOWER, e, prev.x, prev.y, upper_is_sente);
}

bool Form::検討_同じ対局() const {
  if (!review_) return false;
  // A move played since, after a step back, changed the game reviewed.
  for (int n = 0; n < static_cast<int>(review_entries_.size()); ++n) {
    const RecordEntry now = hist.棋譜行(n);
    if (n > History::上限(hist.HIST_LAST) ||
        !std::equal(&now.board[0][0], &now.board[0][0] + 100, &review_entries_[static_cast<size_t>(n)].board[0][0]))
      return false;
  }
  return true;
}

bool Form::検討_有効() {
  if (!review_) return false;
  if (検討_同じ対局()) return true;
  ports_.review_view->close();
  検討_終了();
  show(msg::REVIEW_STALE);
  return false;
}

void Form::検討_注記(Record& r) const {
  if (!検討_同じ対局()) return;
  const ReviewProgress p = review_->progress();
  r.notes.resize(r.entries.size());
  for (const ReviewedPly& ply : p.plies) {
    if (ply.mark == MARK_NONE || ply.ply > static_cast<int>(r.notes.size())) continue;
    std::string note = "【" + std::string(MARK_TEXT[ply.mark]) + "】 評価値 " + std::to_string(ply.after);
    if (ply.best) note += " 最善 " + 検討_指し手(ply.ply, *ply.best);
    r.notes[static_cast<size_t>(ply.ply - 1)] = note;
  }
}

void Form::検討_選択(int ply) { 検討_表示(ply, true); }

void Form::検討_表示(int ply, bool best_shown) {
  if (!検討_有効()) return;
  const ReviewProgress p = review_->progress();
  const int last = static_cast<int>(p.positions.size()) - 1;
  ply = std::clamp(ply, 1, std::max(1, last));
  if (RETRY_PLY != 0) やり直し_終了();
  REVIEW_PLY = ply;
  // The position the move was played from, in replay mode as after a record is read.
  const int n = ply - 1;
  棋譜パネル_閉じる();
  ヒント_消去();
  Timer1_Enabled(0);
  CLICK_PHASE = 0;
  案内_消去();
  描画_将棋盤桝();
  消去_思考中();
  KIFU_MODE = 1;
  RESUME_PENDING = 1;
  MOVE_COUNT += n - hist.HIST_INDEX;
  hist.HIST_INDEX = n;
  局面_表示(n);
  手番_復元(n);
  消去_移動結果(pos.UE_SIDE);
  消去_移動結果(pos.SITA_SIDE);
  if (const MoveResult last_move = hist.調査_移動結果(n); n > 0 && last_move.piece != 0)
    描画_移動結果(last_move.piece > 0 ? pos.UE_SIDE : pos.SITA_SIDE, last_move.x, last_move.y, last_move.piece,
                  COLOR_WHITE);
  描画_手数(MOVE_COUNT, COLOR_WHITE);
  危険_更新();

  std::string caption = std::to_string(ply) + "手目";
  const auto ply_it = std::find_if(p.plies.begin(), p.plies.end(), [&](const ReviewedPly& r) { return r.ply == ply; });
  if (ply_it != p.plies.end()) {
    caption += "　" + std::string(ply_it->mover == REVIEW_UPPER ? 手番記号(pos.UE_SIDE) : 手番記号(pos.SITA_SIDE)) +
               検討_指し手(ply, ply_it->played);
    if (ply_it->mark != MARK_NONE) caption += "　" + std::string(MARK_TEXT[ply_it->mark]);
  }
  const auto& searched = p.positions[static_cast<size_t>(n)];
  if (!best_shown) {
    caption += "　もっと良い手を指してください";
  } else if (searched && searched->best) {
    const Candidate& b = *searched->best;
    const std::string best = 検討_指し手(ply, b);
    caption += "　最善 " + best;
    ヒント_表示(b, b.stood > 0);
  }
  ports_.review_view->show_choice(ply, caption);
  screen.canvas().refresh();
}

std::string_view Form::手番記号(int side) { return side == SIDE_SENTE ? "▲" : "△"; }

// ---- A second try at the bad moves ---------------------------------------------------

void Form::悪手やり直し() {
  if (!検討_有効()) return;
  const ReviewProgress p = review_->progress();
  const int after = RETRY_PLY;
  if (RETRY_PLY != 0) やり直し_終了();
  for (const ReviewedPly& r : p.plies) {
    if (r.ply <= after || r.mark < MARK_悪手) continue;
    // Against the computer only the player's own moves.
    if (GAME_KIND == KIND_COM && r.mover != REVIEW_LOWER) continue;
    // The best move stays hidden until the player has tried.
    検討_表示(r.ply, false);
    RETRY_PLY = r.ply;
    RETRY_GAME_OVER = pos.GAME_OVER;
    pos.GAME_OVER = 0;
    KIFU_MODE = 0;
    RESUME_PENDING = 0;
    pos.SIDE_TO_MOVE = r.mover == REVIEW_UPPER ? pos.UE_SIDE : pos.SITA_SIDE;
    return;
  }
  show(msg::NO_BAD_MOVE_LEFT);
}

void Form::やり直し_終了() {
  if (RETRY_PLY == 0) return;
  RETRY_PLY = 0;
  pos.GAME_OVER = RETRY_GAME_OVER;
  KIFU_MODE = 1;
  RESUME_PENDING = 1;
}

void Form::やり直し_着手(int button) {
  const ReviewProgress p = review_->progress();
  const int n = RETRY_PLY - 1;
  const auto& before = p.positions[static_cast<size_t>(n)];
  Position after = pos;
  int piece = SEL_PIECE;
  if (button == BUTTON_RIGHT && after.調査_駒成(SEL_X, SEL_Y, TARGET_X, TARGET_Y, piece) == 1)
    piece = after.PROMOTED_CODE;
  const bool upper = piece >= 10;
  after.駒移動(SEL_X, SEL_X < 0 ? 8 - SEL_Y : SEL_Y, TARGET_X, TARGET_Y, piece);
  CLICK_PHASE = 0;
  案内_消去();
  screen.描画_盤(after);
  screen.描画_自持盤(after);
  screen.描画_敵持盤(after);
  screen.canvas().refresh();
  // The move tried is judged as the review judged the one played.
  if (!retry_lookahead_) retry_lookahead_ = std::make_unique<Lookahead>(REVIEW_TABLE_BITS);
  ReviewedPosition reply;
  const auto job = [&] { reply = review_position(after, !upper, review_->nodes(), *retry_lookahead_); };
  if (ports_.background)
    ports_.background->run(job, [] {});
  else
    job();
  const double lost = review_chance(before ? before->score : 0) - review_chance(-reply.score);
  if (lost <= RETRY_GOOD_POINTS) {
    show(msg::GOOD_MOVE);
  } else if (before && before->best) {
    screen.描画_盤(pos);
    screen.描画_自持盤(pos);
    screen.描画_敵持盤(pos);
    ヒント_表示(*before->best, upper);
    const std::string best = 検討_指し手(RETRY_PLY, *before->best);
    show(msg::BEST_WAS, best);
  }
  悪手やり直し();
}

}  // namespace korvel
