// Game records: the "棋譜" menu, the record panel's events, and writing and
// reading record files.
#include <algorithm>
#include <string>

#include "game/form.h"
#include "records/disk_record_files.h"
#include "records/kept_games.h"
#include "records/kif.h"
#include "records/record_file.h"

namespace korvel {

namespace {

bool 初期局面か(const RecordEntry& e) {
  Position p;
  p.初期設定();
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (e.board[x][y] != p.Board[x][y]) return false;
  for (int k = 1; k <= 7; ++k)
    if (e.hand_sita[k] != 0 || e.hand_ue[k] != 0) return false;
  return true;
}

}  // namespace

void Form::描画_可視(int drive, int folder, int files) {
  ports_.record_panel.set_lists_visible(drive, folder, files);
}

void Form::描画_棋譜_IO(int hide) { ports_.record_panel.set_fields_visible(hide == 0 ? 1 : 0); }

void Form::棋譜パネル_閉じる() {
  描画_可視(0, 0, 0);
  描画_棋譜_IO(1);
}

void Form::KIFU_Click() {}

void Form::KIFU_READ_Click() {
  描画_可視(1, 1, 1);
  描画_棋譜_IO(1);
}

int Form::棋譜_不可() const {
  // A record file is replayed from the initial position: a game that began
  // elsewhere goes to KIF, which names its start.
  if (REVERSED == 1) return 1;
  if (HANDICAP_SET == 1) return 2;
  return hist.HIST_LAST >= 1 && !初期局面か(hist.棋譜行(0)) ? 3 : 0;
}

void Form::KIFU_WRITE_Click() {
  if (const int why = 棋譜_不可(); why != 0) {
    show(why == 1 ? record_msg::AFTER_REVERSE : why == 2 ? record_msg::AFTER_HANDICAP : record_msg::OTHER_START);
    return;
  }
  描画_可視(1, 1, 0);
  描画_棋譜_IO(0);
}

void Form::Drive1_Change() {
  if (ports_.record_panel.folder_list_to_drive() == 0) {
    show(record_msg::DEVICE_NOT_READY);
    return;
  }
  Dir1_Change();
}

void Form::Dir1_Change() { ports_.record_panel.file_list_to_folder(); }

void Form::File1_Click() {
  const std::string file = ports_.record_panel.chosen_file();
  if (!file.empty()) READ_RECORD(ports_.record_panel.folder(), file);
}

void Form::Command1_Click() {
  RecordPanelView& panel = ports_.record_panel;
  const std::string name = panel.text(1);
  if (name.empty()) {
    show(record_msg::NO_NAME);
    return;
  }
  if (hist.HIST_LAST < 1) {
    show(record_msg::NOTHING_TO_SAVE);
    return;
  }
  if (ファイル名_可(name) == 0) {
    show(record_msg::BAD_NAME);
    return;
  }
  if (name.front() == '.') {
    // A hidden file: the file list would never show it again.
    show(record_msg::DOT_NAME);
    return;
  }
  if (WRITE_RECORD(panel.folder(), name, panel.text(2), panel.text(3), panel.text(4)) == 0) return;
  棋譜パネル_閉じる();
  panel.refresh_files();
  show(record_msg::WRITTEN);
}

Record Form::棋譜_作成(const std::string& title, const std::string& name_upper,
                      const std::string& name_lower) const {
  Record r;
  r.title = title;
  r.upper = name_upper;
  r.lower = name_lower;
  const int last = History::上限(hist.HIST_LAST);
  for (int n = 1; n <= last; ++n) r.entries.push_back(hist.棋譜行(n));
  return r;
}

int Form::WRITE_RECORD(const std::string& folder, const std::string& name, const std::string& title,
                       const std::string& name_sente, const std::string& name_gote) {
  const bool sente_below = pos.SITA_SIDE == SIDE_SENTE;
  const std::string& upper = sente_below ? name_gote : name_sente;
  const std::string& lower = sente_below ? name_sente : name_gote;
  std::string bytes;
  if (!棋譜ファイル作成(棋譜_作成(title, upper, lower), bytes)) {
    show(record_msg::NOT_CP932);
    return 0;
  }
  const std::string reason = ports_.record_files.replace(棋譜パス(folder, name + ".棋譜"), bytes);
  if (!reason.empty()) {
    show(record_msg::CANNOT_WRITE, reason);
    return 0;
  }
  // The game goes on under these names, in the copy kept after each move too.
  NAME_UE = upper;
  NAME_SITA = lower;
  return 1;
}

Record Form::対局_記録() const {
  const bool com = GAME_KIND == KIND_COM;
  const std::string com_name = std::string(msg::COM_NAME) + std::to_string(COM_LEVEL);
  Record r = 棋譜_作成("", NAME_UE.empty() && com ? com_name : NAME_UE,
                      NAME_SITA.empty() && com ? std::string(msg::MAN_NAME) : NAME_SITA);
  if (棋譜_不可() != 0) {
    r.start = hist.棋譜行(0);
    r.first_mover = hist.HIST_MOVER[0];
  }
  if (pos.GAME_OVER != 0) r.winner = pos.GAME_OVER == pos.UE_SIDE ? RECORD_UPPER : RECORD_LOWER;
  r.resigned = RESIGNED;
  const std::string_view result = pos.GAME_OVER == 0 ? "中断"
                                  : pos.GAME_OVER == SIDE_SENTE ? "先手の勝ち"
                                                                : "後手の勝ち";
  r.title = 保存対局_表題(com ? com_name : std::string(msg::TWO_PLAYERS), result);
  return r;
}

void Form::対局_保存() {
  const std::string& folder = ports_.kept_games_dir;
  if (folder.empty() || hist.HIST_LAST < 1) return;
  const Record r = 対局_記録();
  std::string bytes;
  const bool as_kif = 棋譜_不可() != 0;
  if (as_kif ? !KIF作成(r, bytes).empty() : !棋譜ファイル作成(r, bytes, true)) return;
  if (KEPT_NAME.empty()) {
    // Named by when its first move was kept, never the name of another
    // window's game.
    const std::vector<std::string> there = ports_.record_files.list(folder);
    for (long long ms = ports_.day_timer.calendar_ms();; ++ms) {
      KEPT_NAME = 保存名(ms);
      if (std::none_of(there.begin(), there.end(), [&](const std::string& f) { return f.starts_with(KEPT_NAME); }))
        break;
    }
  }
  const std::string file = KEPT_NAME + std::string(as_kif ? KEPT_KIF_EXT : KEPT_RECORD_EXT);
  // Silent: a failed write leaves the copy before as it was.
  if (ports_.record_files.replace(棋譜パス(folder, file), bytes, true).empty())
    保存対局_整理(ports_.record_files, folder, file);
}

void Form::KIFU_LAST_Click() {
  棋譜パネル_閉じる();
  const std::string& folder = ports_.kept_games_dir;
  const std::vector<KeptGame> games = folder.empty() ? std::vector<KeptGame>() : 保存対局_一覧(ports_.record_files, folder);
  if (games.empty()) {
    show(record_msg::NO_LAST_GAME);
    return;
  }
  std::vector<std::string> rows;
  for (const KeptGame& g : games) rows.push_back(g.row);
  const int chosen = ports_.dialogs.choose(record_msg::KEPT_LIST_TITLE, rows);
  if (chosen < 0 || chosen >= static_cast<int>(games.size())) return;
  Record r;
  const std::string reason = 保存対局_読込(ports_.record_files, folder, games[static_cast<size_t>(chosen)].file, r);
  if (!reason.empty()) {
    show(record_msg::CANNOT_READ, reason);
    return;
  }
  棋譜_表示(r);
}

// ---- KIF through the clipboard -------------------------------------------------------

void Form::KIFU_COPY_Click() {
  棋譜パネル_閉じる();
  if (hist.HIST_LAST < 1) {
    show(kif_msg::NOTHING_TO_COPY);
    return;
  }
  std::string kif;
  Record r = 対局_記録();
  検討_注記(r);
  const std::string reason = KIF作成(r, kif);
  if (!reason.empty()) {
    show(kif_msg::CANNOT_COPY, reason);
    return;
  }
  if (ports_.clipboard == nullptr || !ports_.clipboard->set_text(kif)) {
    show(kif_msg::CANNOT_COPY, kif_msg::NO_CLIPBOARD);
    return;
  }
  show(kif_msg::COPIED);
}

void Form::KIFU_PASTE_Click() {
  棋譜パネル_閉じる();
  const std::string text = ports_.clipboard != nullptr ? ports_.clipboard->text() : std::string();
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
    show(kif_msg::EMPTY_CLIPBOARD);
    return;
  }
  // Read whole before anything changes: a faulty line leaves the game shown.
  Record r;
  const std::string reason = KIF解析(text, r);
  if (!reason.empty()) {
    show(kif_msg::CANNOT_PASTE, reason);
    return;
  }
  棋譜_表示(r);
}

void Form::READ_RECORD(const std::string& folder, const std::string& file) {
  // Read before anything changes: a file that cannot be read leaves the game
  // and the open lists as they are.
  std::string bytes;
  const std::string reason = ports_.record_files.read(棋譜パス(folder, file), bytes);
  if (!reason.empty()) {
    show(record_msg::CANNOT_READ, reason);
    return;
  }
  棋譜_表示(棋譜ファイル解析(bytes));
}

void Form::棋譜_表示(const Record& r) {
  描画_可視(0, 0, 0);
  初期設定();
  KIFU_MODE = 1;
  NAME_UE = r.upper;
  NAME_SITA = r.lower;

  screen.描画_棋譜見出し(r.title, r.upper, r.lower);

  // Entry 0 is the position the game began from, so that the first step
  // finds the first move and stepping back to the start shows the pieces
  // again.
  hist.手順保存(pos, 0, 0, 0, 0);
  if (r.start) {
    hist.棋譜行_格納(0, *r.start);
    局面_表示(0);
  }
  const int m = std::min(static_cast<int>(r.entries.size()), HIST_MAX);
  for (int n = 1; n <= m; ++n) hist.棋譜行_格納(n, r.entries[static_cast<size_t>(n - 1)]);
  hist.HIST_INDEX = 0;
  MOVE_COUNT = 0;
  hist.HIST_LAST = m;
  hist.手番_推定(m);
  if (m == 0) {
    show(record_msg::NO_DATA_IN_FILE);
    return;
  }
  show(record_msg::READ);
  if (r.left_out > 0) show(record_msg::LEFT_OUT);
  show(msg::KIFU_STEP);
  // 先手 is whoever made the first move, so that resuming with "先手",
  // "後手" or "スタート" finds the side to move where the record left it.
  const bool upper_first = hist.HIST_MOVER[0] == MOVER_UE;
  pos.UE_SIDE = upper_first ? SIDE_SENTE : SIDE_GOTE;
  pos.SITA_SIDE = -pos.UE_SIDE;
  pos.SIDE_TO_MOVE = SIDE_SENTE;
}

}  // namespace korvel
