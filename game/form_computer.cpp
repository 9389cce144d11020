// The computer's turn in the window, around the engine's search, and the
// strength levels.
#include "game/form.h"

namespace korvel {

void Form::com_ban() {
  if (pos.GAME_OVER != 0) return;
  TURN_START = now();
  if (checked("KEIKA") == 1) Timer1_Enabled(1);
  消去_思考中();
  screen.描画_数値(-1.5, 8.5, msg::THINKING, COLOR_BLACK, 0, 12);
  screen.描画_数値(-1.6, 8.4, msg::THINKING, COLOR_WHITE, 0, 12);
  screen.描画_桝輪郭(COLOR_GREEN, 1, 8);
  screen.canvas().refresh();

  // A position the look-ahead cannot read (a damaged record) gets level 3.
  const bool look_ahead = COM_LEVEL >= FIRST_LOOKAHEAD_LEVEL && Lookahead::can_search(pos);
  engine_state.COM_LEVEL = COM_LEVEL > 3 ? 3 : COM_LEVEL;
  Engine eng = engine();
  std::optional<Candidate> best;
  if (look_ahead) {
    // The maps and start-of-turn copies are left as the levels below leave them.
    eng.com_ban_準備();
    best = 先読み探索();
  } else {
    best = eng.com_ban_探索([this] { Timer1_Timer(); });
  }
  経過秒_更新();

  if (!best) {
    // Nothing legal to play: say so and give the turn back untouched.
    Timer1_Enabled(0);
    消去_思考中();
    show(msg::COM_NO_MOVE);
    TIME_UE += THINK_TIME;
    TURN_START = now();
    pos.SIDE_TO_MOVE = pos.SITA_SIDE;
    危険_更新();
    // The position stays, but now it is the human's: stepping back to it
    // later must say so, with the time the pass took.
    if (hist.HIST_INDEX == hist.HIST_LAST) {
      最新局面保存(TIME_SITA, TIME_UE, MOVER_SITA);
      対局_保存();
    }
    if (checked("KEIKA") == 1) Timer1_Enabled(1);
    return;
  }
  const Candidate& m = *best;
  const bool drop = m.fx == HAND_X_UE;

  hist.手順保存(pos, TIME_SITA, TIME_SITA, TIME_UE, TIME_UE + THINK_TIME);
  MOVE_COUNT += 1;
  描画_手数(MOVE_COUNT, COLOR_WHITE);

  // A drop's origin is the hand cell of its slot.
  const int origin_c = m.fx;
  const int origin_r = drop ? 8 - m.fy : m.fy;
  if (checked("SIDOU") == 1) {
    描画_移動可能桝色(pos, SIDOU_ON, move_drawing_, m.fx, m.fy, GUIDE_COLOR, m.stood);
    screen.描画_桝輪郭(COLOR_RED, origin_c, origin_r);
    screen.canvas().refresh();
    待ち時間(1);
  }
  描画_駒点滅(m.stood, origin_c, origin_r, 2);
  描画_将棋盤桝();

  pos.駒移動(m.fx, m.fy, m.tx, m.ty, m.piece, &move_drawing_);
  待ち時間(0.5);
  play(SND_KOMAUCHI);
  hist.HIST_INDEX += 1;
  Timer1_Enabled(0);
  最新局面保存(TIME_SITA, TIME_UE + THINK_TIME, MOVER_SITA);
  eng.勢力調査();
  危険_更新(pos.SITA_SIDE);  // the player moves next
  対局_保存();  // a king taken is the result it is kept with

  if (eng.詰めかMAN() == 1) {
    show(msg::COM_MATES);
  } else if (pos.GAME_OVER == pos.UE_SIDE) {
    // The player sees what took the king before hearing the result.
    消去_思考中();
    描画_移動結果(pos.UE_SIDE, m.tx, m.ty, m.piece, COLOR_WHITE, m.piece != m.stood ? 1 : 0);
    screen.描画_桝輪郭(COLOR_WHITE, m.tx, m.ty);
    screen.canvas().refresh();
    TIME_UE += THINK_TIME;
    show(msg::COM_WINS);
    pos.SIDE_TO_MOVE = pos.SITA_SIDE;
    return;
  } else if (engine_state.KIKI_UE[pos.KING_SITA_X][pos.KING_SITA_Y] > 0) {
    show(msg::CHECK);
  }

  消去_思考中();
  描画_移動結果(pos.UE_SIDE, m.tx, m.ty, m.piece, COLOR_WHITE, m.piece != m.stood ? 1 : 0);
  screen.描画_桝輪郭(COLOR_WHITE, m.tx, m.ty);
  危険_描画();

  TIME_UE += THINK_TIME;
  TURN_START = now();
  pos.SIDE_TO_MOVE = pos.SITA_SIDE;
  if (checked("KEIKA") == 1) Timer1_Enabled(1);
}

void Form::LEVEL_Click() {}

// Each level command clears the caption cells first; レベル_設定 writes the
// new caption in a game against the computer. The choice is kept for the
// next start.
void Form::LEVEL1_Click() { レベル_選択(1); }
void Form::LEVEL2_Click() { レベル_選択(2); }
void Form::LEVEL3_Click() { レベル_選択(3); }
void Form::LEVEL_N_Click(int level) { レベル_選択(level); }

void Form::レベル_選択(int level) {
  for (int c = -2; c <= 0; ++c) screen.描画_絵(screen.HAIKEI_CODE, c, 0);
  レベル_設定(level);
  書込_環境設定ファイル();
}

void Form::レベル_設定(int level) {
  for (int n = 1; n <= TOP_LEVEL; ++n) set_checked("LEVEL" + std::to_string(n), level == n ? 1 : 0);
  COM_LEVEL = level;
  if (GAME_KIND == KIND_COM) screen.描画_レベル(COM_LEVEL);
}

std::optional<Candidate> Form::先読み探索() {
  if (!lookahead_) lookahead_ = std::make_unique<Lookahead>();
  const LookaheadLimits limits = COM_LEVEL >= TOP_LEVEL ? TOP_WINDOW_LIMITS : level_limits(COM_LEVEL);
  return 先読み(*lookahead_, true, limits).best;
}

LookaheadResult Form::先読み(Lookahead& searcher, bool upper, const LookaheadLimits& limits) {
  // The search reads its own copy: the clock drawn meanwhile reads pos.
  const Position root = pos;
  LookaheadResult result;
  const auto job = [&] { result = searcher.think(root, upper, limits); };
  const auto tick = [this] { Timer1_Timer(); };
  if (ports_.background) {
    ports_.background->run(job, tick);
  } else {
    job();
    tick();
  }
  return result;
}

}  // namespace korvel
