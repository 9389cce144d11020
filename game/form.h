#pragma once
// The main window's model: all game state and every event handler, one
// concern to a file: form_startup (start-up, reset, shut-down), form_turns
// (対局 menu, the clock), form_mouse (clicks on the board and hands),
// form_history (戻, 進, 最初), form_handicap (△, ▽), form_computer (the
// computer's turn, levels), form_view (drawing, 反転), form_records (棋譜),
// form_settings (ｵﾌﾟｼｮﾝ, settings file, sound). The shell
// owns the real window and forwards to it; the model reaches the outside only
// through the ports it was built with.
//
// Contract with the shell:
//  - Build the ports, construct Form, call Form_Load() once, then show the
//    window. Placing the window (top-left corner, 11000 x 8700 twips unless
//    its top is at -60 twips) is the shell's part of start-up.
//  - Menus come from ui/menu_tree.h. Every choice goes to menu_click(name);
//    entries with sub-entries are sent when their list opens. Afterwards
//    re-read checked(name) for every entry: any handler may change marks.
//  - Mouse presses on the drawing go to Form_MouseDown with the button
//    (1 left, 2 right) and the position in twips from the client corner.
//  - Key presses go to Form_KeyPress with the character code (Escape 27).
//  - While the ClockTimer port is started, call Timer1_Timer every 50 ms,
//    but not while another handler is still running (it may be waiting or
//    showing a message box): the computer's search ticks the clock itself
//    (the look-ahead levels through BackgroundWork, which the shell gives as a port).
//  - DayTimer::wait keeps the window painted but holds clicks and keys
//    back; they are handled once the handler that waited is over.
//  - Closing the window calls Form_Unload. After any call, wants_quit()
//    true means the program ends now: close without asking and exit.
//  - All calls come from the window's thread; handlers run to completion and
//    may block (message boxes, the computer's move, blinking).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/position.h"
#include "engine/engine.h"
#include "lookahead/levels.h"
#include "lookahead/lookahead.h"
#include "lookahead/review.h"
#include "game/history.h"
#include "game/messages.h"
#include "ports/ports.h"
#include "records/record_file.h"
#include "records/record_panel.h"
#include "ui/screen.h"

namespace korvel {

inline constexpr int KIND_MAN = 0;
inline constexpr int KIND_COM = 1;
inline constexpr int KEY_ESCAPE = 27;
inline constexpr int KEY_END = 35;
inline constexpr int KEY_HOME = 36;
inline constexpr int KEY_LEFT = 37;
inline constexpr int KEY_RIGHT = 39;
inline constexpr int BUTTON_LEFT = 1;
inline constexpr int BUTTON_RIGHT = 2;

class Form {
 public:
  explicit Form(const Ports& ports);

  // Window events.
  void Form_Load();
  // Once the window is on the screen: what start-up has to say (no sound
  // device) is said over it.
  void Form_Activate();
  void Form_KeyPress(int key);
  // Keys without a character, by their key code (KEY_LEFT, …): the steps
  // through the history.
  void Form_KeyDown(int key_code);
  void Form_Unload();
  void Form_MouseDown(int button, double x_twips, double y_twips);
  void Timer1_Timer();

  // Calls NAME_Click for a menu entry of ui/menu_tree.h; returns 0 for a name
  // that is no menu entry (nothing happens then), else 1.
  int menu_click(std::string_view control_name);
  // Check mark of a menu entry, 1 or 0 (0 for an unknown name).
  int checked(std::string_view control_name) const;
  void set_checked(std::string_view control_name, int on);

  // True once shut-down has run: the program must end.
  bool wants_quit() const { return QUIT_REQUESTED == 1; }

  // Menu handlers, one per entry of the menu tree.
  void TAIKYOKU_Click();
  void MATCH_MAN_Click();
  void START_Click();
  void START2_Click();
  void SENTE_Click();
  void GOTE_Click();
  void LEVEL_Click();
  void LEVEL1_Click();
  void LEVEL2_Click();
  void LEVEL3_Click();
  // The look-ahead levels, LEVEL4 up to the top, have one handler; the
  // menu entry's name gives the level.
  void LEVEL_N_Click(int level);
  void OWARI_Click();
  void TOURYO_Click();
  void STOP_Click();
  void CANCEL_Click();
  void REVERSE_Click();
  void REPLAY_Click();
  void AFTER_Click();
  void LBEL_UP_Click();
  void LEBEL_DOWN_Click();
  void KIFU_Click();
  void KIFU_READ_Click();
  void KIFU_WRITE_Click();
  void KIFU_LAST_Click();
  void KIFU_COPY_Click();
  void KIFU_PASTE_Click();
  void OPTION_Click();
  void HAIKEI_GA_Click();
  void MIDORI_Click();
  void TATAMI_Click();
  void TAKE_Click();
  void UCHU_Click();
  void RENGA_Click();
  void SIDOU_Click();
  void KEIKA_Click();
  void BGM_Click();
  void OUTE_KEIKOKU_Click();
  void ATARI_Click();
  void HINT_Click();
  void KENTOU_Click();
  void SONOTA_Click();
  void KAISETU_Click();
  void VER_Click();

  // Procedures other parts of the game call.
  void 初期設定();
  // The computer's move for UE_SIDE; hands the turn back to the human.
  void com_ban();
  // Every board frame plain, but for the kings in danger.
  void 描画_将棋盤桝() {
    screen.描画_将棋盤桝();
    危険_描画();
  }
  // promotes 1: the move promoted the piece, now standing as piece.
  void 描画_移動結果(int side, int tx, int ty, int piece, int colour, int promotes = 0);
  // The side's newest move up to the position shown, in its text area; the
  // area empty when it has made none there.
  void 最終手_表示(int side);
  // The move number and both last moves, and a record's headers while it is
  // stepped through: texts a repaint of the whole window leaves out.
  void 文字_再描画();
  int 調査_持駒数(int side) const;
  void 描画_メッセージ(int reason);
  void 画面_再描画();
  void 描画_手数(int n, int unused_colour = COLOR_WHITE);
  void 描画_所有時間(int side, double seconds);
  void 消去_所有時間(int side);
  void 消去_思考中();
  void 消去_移動結果(int side);
  void 描画_駒点滅(int code, double c, double r, int n);
  void 描画_ハンデレベル(int grade);
  void レベル_設定(int level);
  void チェック設定(int code);
  void 読込_環境設定ファイル();
  void 書込_環境設定ファイル();
  void 待ち時間(double seconds);
  // Record panel: lists and fields shown or hidden; closing is both hidden.
  void 描画_可視(int drive, int folder, int files);
  void 描画_棋譜_IO(int hide);
  void 棋譜パネル_閉じる();
  // The clock timer, started (1) or stopped (0), through the port.
  void Timer1_Enabled(int on);
  // Sound layer over the sound library.
  void SOUND_INIT();
  // The no-sound message, queued at the first start without sound; the
  // settings file remembers it was said.
  void 音なし_通知();
  std::int32_t LOAD_WAVE(const std::string& file, std::int32_t flags);
  void 終了処理();

  // ---- Game records (form_records.cpp) -------------------------------------
  // The record panel's events.
  void Drive1_Change();
  void Dir1_Change();
  void File1_Click();
  void Command1_Click();
  // Writes the title, the two names (upper side first) and history entries
  // 1..HIST_LAST to folder/name.棋譜. 1 when written; otherwise 0 after a
  // message, and a record of that name that was there is left as it was.
  int WRITE_RECORD(const std::string& folder, const std::string& name, const std::string& title,
                   const std::string& name_sente, const std::string& name_gote);
  // Replaces the game by the record in folder/file, to be stepped through with
  // "進". A file that cannot be read is reported and the game stays.
  void READ_RECORD(const std::string& folder, const std::string& file);
  // A record read: it replaces the game, in replay mode at its first position
  // (the record's start position when it has one).
  void 棋譜_表示(const Record& r);
  // The stored line of the game (entries 1..HIST_LAST) under these headers.
  Record 棋譜_作成(const std::string& title, const std::string& name_upper, const std::string& name_lower) const;
  // The whole game as KIF and the kept game hold it: names (the computer's
  // and "あなた" where the game knows none), the position it started from
  // where that is not the initial one, and how it ended.
  Record 対局_記録() const;
  // The game into its own file in the kept-games folder, after every move:
  // a record file, or KIF where a record cannot hold it. Silent either way.
  void 対局_保存();
  // Why the game cannot be a record: 1 a turned board, 2 a handicap, 3 it
  // began from another position (a diagram read as KIF); else 0.
  int 棋譜_不可() const;
  // ---- End of game records -------------------------------------------------

  // ---- The review (form_review.cpp) ----------------------------------------------
  // What the graph window asks and tells: every tenth of a second while it
  // is open, what the review has done since (1 while it goes on, else 0);
  // the move the player chose; 中止; 悪手をやり直す; the window closed.
  int 検討_経過();
  void 検討_選択(int ply);
  void 検討_中止();
  void 悪手やり直し();
  void 検討_終了();
  // Positions the review searches, each; tests make it smaller.
  std::uint64_t REVIEW_BUDGET = REVIEW_NODES;
  // The move chosen in the graph, and the bad move being tried again.
  int REVIEW_PLY = 0;
  int RETRY_PLY = 0;
  // ---- End of the review ---------------------------------------------------------

  // ---- State -------------------------------------------------------------
  Position pos;
  Screen screen;  // holds HAIKEI_CODE, the background picture
  MoveDrawing& move_drawing() { return move_drawing_; }

  int SIDOU_ON = 0;
  int GUIDE_COLOR = COLOR_GREEN;
  int REVERSED = 0;

  int GAME_KIND = KIND_MAN;
  int COM_LEVEL = 3;
  // How long the top level may think in the window; tests make it shorter.
  LookaheadLimits TOP_WINDOW_LIMITS = TOP_LIMITS;
  int KIFU_MODE = 0;
  int RESUME_PENDING = 0;
  int MOVE_COUNT = 0;
  History hist;  // HIST_INDEX, HIST_LAST and the stored positions
  int HANDICAP_GRADE = 0;

  // The mouse selection: a board square, or a hand column (11 / -1) and the
  // screen row clicked; SEL_PIECE is the code the piece will have on the board.
  int CLICK_PHASE = 0;
  int SEL_X = 0, SEL_Y = 0, SEL_PIECE = 0;
  int TARGET_X = 0, TARGET_Y = 0;

  // The computer player's maps and start-of-turn copies.
  EngineState engine_state;
  int HANDICAP_SET = 0;

  // Clocks, in seconds; TURN_START is a day-timer reading.
  double TURN_START = 0;
  double THINK_TIME = 0;
  double TIME_SITA = 0;
  double TIME_UE = 0;
  long long CLOCK_SECOND = 0;
  int TIMER1_ENABLED = 0;

  std::int32_t SOUND_CONTEXT = 0;
  std::int32_t SND_SONOTA = 0;
  std::int32_t SND_KINSHI = 0;
  std::int32_t SND_KOMAUCHI = 0;
  std::int32_t SND_BGM = 0;
  // 1 while the settings file says the player was told there is no sound.
  int SILENT_NOTED = 0;

  // The players' names as the game knows them: from a record read or written.
  std::string NAME_UE, NAME_SITA;
  // The file the game is kept in, without its ending; empty until its first
  // move is kept. A new start, a record read and a turned board begin anew.
  std::string KEPT_NAME;
  // 1 when the game ended by 投了.
  int RESIGNED = 0;
  // Guidance marks of the selection are on the screen.
  int GUIDE_SHOWN = 0;
  // Kings the other side can take, framed until the position changes.
  int DANGER_COUNT = 0;
  int DANGER_X[2]{}, DANGER_Y[2]{};
  // Pieces of the side to move the other side can take for free (当たり表示).
  int ATARI_COUNT = 0;
  int ATARI_X[40]{}, ATARI_Y[40]{};
  // The hint's move, framed until the next click: origin cell and target.
  int HINT_SHOWN = 0;
  int HINT_C = 0, HINT_R = 0, HINT_X = 0, HINT_Y = 0;
  int HINT_SIDE = 0;  // whose move it is, in whose text area
  // How long the hint thinks, on every core; tests make it shorter.
  LookaheadLimits HINT_LIMITS{.time_ms = 1000, .threads = LOOKAHEAD_ALL_CORES};

  std::string APP_DIR;  // current directory at start-up: the help page is there
  int QUIT_REQUESTED = 0;

 private:
  int entry_index(std::string_view name) const;
  void 背景_選択(std::string_view entry, int code);

  // Message box with an OK button; a reason, when given, goes on a line of its own.
  void show(const MessageText& box, std::string_view reason = {});
  void play(std::int32_t buffer) { ports_.sound.dsPlay(buffer); }
  double now() { return ports_.day_timer.now(); }
  Engine engine() { return Engine(pos, engine_state); }

  // The look-ahead levels: their search, through the background port,
  // on a copy of the position; the clock ticks meanwhile.
  std::optional<Candidate> 先読み探索();
  std::unique_ptr<Lookahead> lookahead_;  // its table lives from move to move
  std::unique_ptr<Lookahead> hint_lookahead_;

  // Start of a game against the computer, shared by "先手" and "後手".
  void COM対局_準備();
  // What every start or resumption does first: a finished game gives way to
  // a new one, and a game played on from a replay is kept as a new game.
  void 再開準備();
  // The game shown is over: a king was taken, or it ended otherwise.
  bool 終局か() const;
  // Move entry, by the steps of a click.
  void 盤_初回クリック(int col, int row);
  void 盤_二回目クリック(int button, int col, int row);
  void 盤外_クリック(int col, int row);
  void 人間_着手(int button);
  int 手番の駒(int code) const;
  // After every move: the position reached becomes the newest entry, so
  // that "戻" then "進" comes back to it and a record holds the last move.
  // mover: the pieces to move there (MOVER_UE / MOVER_SITA).
  void 最新局面保存(double time_sita, double time_ue, int mover);
  // The time of the running turn, read off the day's clock when it is charged.
  void 経過秒_更新();
  // A history step's common part: board, hands, the clocks the game had
  // there, and pictures of entry n.
  void 局面_表示(int n);
  // Straight to entry n (Home, End), as that many steps of "戻" or "進"
  // would leave the window, with one sound.
  void 手順_移動(int n);
  // The side to move at entry n, as the history has it.
  void 手番_復元(int n);
  // The selection's guidance marks and its frame in colour; and their erasure.
  void 案内_表示(int colour);
  void 案内_消去();
  // The danger frames: worked out anew for the position (old ones erased),
  // or drawn again after other frames went over them.
  // side: whose pieces the hanging frames are for (the side to move by default).
  void 危険_更新(int side);
  void 危険_更新() { 危険_更新(pos.SIDE_TO_MOVE); }
  void 危険_描画();
  // 1 when the move selected would leave the mover's king to be taken and
  // the player, asked, does not want it.
  int 王手放置_確認(int button);
  void ヒント_消去();
  // A move framed in the hint's colour, its text in the mover's text area.
  void ヒント_表示(const Candidate& m, bool upper);
  // The cell a move starts from: a square, or a hand's cell for a drop.
  static std::pair<int, int> 元セル(const Candidate& m);
  // The review's parts: a move as KIF names it; ▲ or △ for a side; leaving
  // the second try; a move tried there.
  std::string 検討_指し手(int ply, const Candidate& m) const;
  static std::string_view 手番記号(int side);
  void やり直し_終了();
  // A move of the review on the board, its best move framed or kept back.
  void 検討_表示(int ply, bool best_shown);
  void やり直し_着手(int button);
  std::unique_ptr<GameReview> review_;
  std::unique_ptr<Lookahead> retry_lookahead_;
  int REVIEW_SHOWN_DONE = -1;
  std::vector<RecordEntry> review_entries_;  // the game as it was reviewed
  std::vector<std::string> review_moves_;    // its moves as KIF names them
  // The review still is of the game stored; if not, it is closed and said so.
  bool 検討_有効();
  bool 検討_同じ対局() const;
  // The review's marks as comments under the moves of a KIF.
  void 検討_注記(Record& r) const;
  int RETRY_GAME_OVER = 0;
  // The look-ahead on a copy of the position for one side, through the
  // background port; the clock ticks meanwhile.
  LookaheadResult 先読み(Lookahead& searcher, bool upper, const LookaheadLimits& limits);
  void ハンデ_変更(int up);
  void レベル_選択(int level);

  // ---- Game records (form_records.cpp) -------------------------------------
  // A record panel message box; a reason goes on a line of its own.
  // ---- End of game records -------------------------------------------------

  Ports ports_;
  ScreenMoveDrawing move_drawing_;
  std::vector<int> checks_;
  // Said once the window is shown (Form_Activate).
  std::vector<std::pair<std::string, std::string>> startup_messages_;  // text, title
  int sound_closed_ = 0;
};

}  // namespace korvel
