#include "game/form.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "ui/menu_tree.h"
#include "ui/pictures.h"

namespace korvel {

namespace {

constexpr std::string_view SOUND_TITLE = "Korvel.dll";

// The background entries in the order the settings file names the first
// checked one.
struct BackgroundEntry {
  std::string_view name;
  int code;
};
constexpr BackgroundEntry BACKGROUND_ENTRIES[5] = {
    {"MIDORI", HAIKEI_MIDORI}, {"TAKE", HAIKEI_TAKE},   {"TATAMI", HAIKEI_TATAMI},
    {"UCHU", HAIKEI_UCHU},     {"RENGA", HAIKEI_RENGA},
};

}  // namespace

Form::Form(const Ports& ports)
    : screen(ports.canvas), ports_(ports), move_drawing_(screen, pos) {
  const auto tree = menu_tree();
  checks_.reserve(tree.size());
  for (const MenuEntry& e : tree) checks_.push_back(e.checked);
}

// ---- Menu dispatch and check marks --------------------------------------------

int Form::entry_index(std::string_view name) const {
  const auto tree = menu_tree();
  for (std::size_t i = 0; i < tree.size(); ++i)
    if (tree[i].name == name) return static_cast<int>(i);
  return -1;
}

int Form::checked(std::string_view name) const {
  const int i = entry_index(name);
  return i < 0 ? 0 : checks_[static_cast<std::size_t>(i)];
}

void Form::set_checked(std::string_view name, int on) {
  const int i = entry_index(name);
  if (i >= 0) checks_[static_cast<std::size_t>(i)] = on != 0 ? 1 : 0;
}

int Form::menu_click(std::string_view name) {
  using Handler = void (Form::*)();
  struct Route {
    std::string_view name;
    Handler handler;
  };
  static constexpr Route ROUTES[] = {
      {"TAIKYOKU", &Form::TAIKYOKU_Click},   {"MATCH_MAN", &Form::MATCH_MAN_Click},
      {"START", &Form::START_Click},         {"START2", &Form::START2_Click},
      {"SENTE", &Form::SENTE_Click},         {"GOTE", &Form::GOTE_Click},
      {"LEVEL", &Form::LEVEL_Click},         {"LEVEL1", &Form::LEVEL1_Click},
      {"LEVEL2", &Form::LEVEL2_Click},       {"LEVEL3", &Form::LEVEL3_Click},
      {"OWARI", &Form::OWARI_Click},         {"STOP", &Form::STOP_Click},
      {"CANCEL", &Form::CANCEL_Click},       {"REVERSE", &Form::REVERSE_Click},
      {"REPLAY", &Form::REPLAY_Click},       {"AFTER", &Form::AFTER_Click},
      {"LBEL_UP", &Form::LBEL_UP_Click},     {"LEBEL_DOWN", &Form::LEBEL_DOWN_Click},
      {"KIFU", &Form::KIFU_Click},           {"KIFU_READ", &Form::KIFU_READ_Click},
      {"KIFU_WRITE", &Form::KIFU_WRITE_Click}, {"OPTION", &Form::OPTION_Click},
      {"HAIKEI_GA", &Form::HAIKEI_GA_Click}, {"MIDORI", &Form::MIDORI_Click},
      {"TATAMI", &Form::TATAMI_Click},       {"TAKE", &Form::TAKE_Click},
      {"UCHU", &Form::UCHU_Click},           {"RENGA", &Form::RENGA_Click},
      {"SIDOU", &Form::SIDOU_Click},         {"KEIKA", &Form::KEIKA_Click},
      {"BGM", &Form::BGM_Click},             {"SONOTA", &Form::SONOTA_Click},
      {"KAISETU", &Form::KAISETU_Click},     {"VER", &Form::VER_Click},
  };
  for (const Route& r : ROUTES)
    if (r.name == name) {
      (this->*r.handler)();
      return 1;
    }
  return 0;
}

// ---- Start-up and shut-down ----------------------------------------------------

void Form::Form_Load() {
  SOUND_INIT();
  SND_SONOTA = LOAD_WAVE("その他.wav", 3);
  SND_KINSHI = LOAD_WAVE("禁止.wav", 3);
  SND_KOMAUCHI = LOAD_WAVE("駒打音.wav", 3);
  SND_BGM = LOAD_WAVE("BGM.wav", 1);

  std::error_code ec;
  APP_DIR = std::filesystem::current_path(ec).string();
  KIFU_MODE = 0;
  SIDOU_ON = 0;
  HIST_LAST = 0;
  COM_LEVEL = 3;
  set_checked("LEVEL3", 1);
  GUIDE_COLOR = COLOR_GREEN;
  pos.UE_SIDE = SIDE_SENTE;
  pos.SITA_SIDE = SIDE_GOTE;
  // The window's green background colour is the shell's to set.

  読込_環境設定ファイル();
  初期設定();
}

void Form::Form_KeyPress(int key) {
  if (key == KEY_ESCAPE) 終了処理();
}

void Form::Form_Unload() { 終了処理(); }

void Form::OWARI_Click() { 終了処理(); }

void Form::終了処理() {
  // Closing the window after "終わり" or Escape unloads it a second time;
  // the buffers must be freed only once.
  if (sound_closed_ == 0) {
    sound_closed_ = 1;
    ports_.sound.dsFree(SND_SONOTA);
    ports_.sound.dsFree(SND_KINSHI);
    ports_.sound.dsFree(SND_KOMAUCHI);
    ports_.sound.dsFree(SND_BGM);
    if (SOUND_CONTEXT != 0) ports_.sound.dsTerminate(SOUND_CONTEXT);
  }
  QUIT_REQUESTED = 1;
}

void Form::SOUND_INIT() {
  SOUND_CONTEXT = ports_.sound.dsInitialize(ports_.window);
  if (SOUND_CONTEXT == 0)
    ports_.dialogs.message("Direct Soundインターフェースが作成できません。", SOUND_TITLE,
                           Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
}

std::int32_t Form::LOAD_WAVE(const std::string& file, std::int32_t flags) {
  if (SOUND_CONTEXT == 0) return 0;
  std::error_code ec;
  const std::filesystem::path path(std::u8string(file.begin(), file.end()));
  if (!std::filesystem::is_regular_file(path, ec)) return 0;
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> image;
  if (in) image.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) {
    ports_.dialogs.message(std::error_code(errno, std::generic_category()).message(), SOUND_TITLE,
                           Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
    return 0;
  }
  return ports_.sound.dsCreateDSB(SOUND_CONTEXT, image.data(), image.size(), flags);
}

void Form::初期設定() {
  HANDICAP_GRADE = 0;
  HANDICAP_SET = 0;
  GAME_KIND = KIND_MAN;
  HIST_INDEX = 0;
  MOVE_COUNT = 0;
  REVERSED = 0;
  Timer1_Enabled(0);
  TIME_UE = 0;
  TIME_SITA = 0;
  RESUME_PENDING = 0;
  KIFU_MODE = 0;
  CLOCK_SECOND = 0;
  CLICK_PHASE = 0;
  pos.初期設定();  // no winner, nobody to move, empty hands, the forty pieces
  画面_再描画();
}

// ---- Settings ---------------------------------------------------------------------

void Form::チェック設定(int code) {
  for (const BackgroundEntry& e : BACKGROUND_ENTRIES) set_checked(e.name, e.code == code ? 1 : 0);
}

void Form::読込_環境設定ファイル() {
  const SettingsValues v = ports_.settings.read();
  if (v.background >= HAIKEI_MIDORI && v.background <= HAIKEI_RENGA) {
    チェック設定(v.background);
    screen.描画_背景(v.background);
    screen.HAIKEI_CODE = v.background;
  }
  if (v.sidou != SettingsValues::NOT_SET) {
    SIDOU_ON = v.sidou == 1 ? 1 : 0;
    set_checked("SIDOU", SIDOU_ON);
    GUIDE_COLOR = SIDOU_ON == 1 ? COLOR_WHITE : COLOR_GREEN;
  }
  if (v.keika != SettingsValues::NOT_SET) set_checked("KEIKA", v.keika == 1 ? 1 : 0);
  if (v.bgm != SettingsValues::NOT_SET) {
    set_checked("BGM", v.bgm == 1 ? 1 : 0);
    if (v.bgm == 1) ports_.sound.dsPlayLooping(SND_BGM);
  }
}

void Form::書込_環境設定ファイル() {
  SettingsValues v;
  v.background = 0;
  for (const BackgroundEntry& e : BACKGROUND_ENTRIES)
    if (checked(e.name) == 1) {
      v.background = e.code;
      break;
    }
  v.sidou = checked("SIDOU");
  v.keika = checked("KEIKA");
  v.bgm = checked("BGM");
  ports_.settings.write(v);
}

// ---- Drawing through the window's state ----------------------------------------

void Form::画面_再描画() {
  screen.描画_背景(screen.HAIKEI_CODE);
  screen.描画_桝_数値();
  screen.描画_自持盤(pos);
  screen.描画_敵持盤(pos);
  screen.描画_盤(pos);
  描画_所有時間(pos.UE_SIDE, TIME_UE);
  描画_所有時間(pos.SITA_SIDE, TIME_SITA);
  if (GAME_KIND == KIND_COM) screen.描画_レベル(COM_LEVEL);
  if (HANDICAP_SET == 1) screen.描画_ハンデレベル(HANDICAP_GRADE);
  screen.描画_絵(PIC_KORVEL, 10.8, 0);
}

void Form::描画_手数(int n, int /*unused_colour*/) { screen.描画_手数(n); }

void Form::描画_所有時間(int side, double seconds) {
  screen.描画_所有時間(side, seconds, checked("KEIKA"), pos);
}

void Form::消去_所有時間(int side) { screen.消去_所有時間(side, pos); }

void Form::消去_思考中() { screen.消去_思考中(); }

void Form::消去_移動結果(int side) { screen.消去_移動結果(side, pos); }

void Form::描画_駒点滅(int code, double c, double r, int n) {
  screen.描画_駒点滅(code, c, r, n, checked("SIDOU"), ports_.day_timer);
}

void Form::描画_ハンデレベル(int grade) { screen.描画_ハンデレベル(grade); }

void Form::待ち時間(double seconds) { ports_.day_timer.wait(seconds); }

// ---- Record panel and timer --------------------------------------------------------

void Form::描画_可視(int drive, int folder, int files) {
  ports_.record_panel.set_lists_visible(drive, folder, files);
}

void Form::描画_棋譜_IO(int hide) { ports_.record_panel.set_fields_visible(hide == 0 ? 1 : 0); }

void Form::棋譜パネル_閉じる() {
  描画_可視(0, 0, 0);
  描画_棋譜_IO(1);
}

void Form::Timer1_Enabled(int on) {
  TIMER1_ENABLED = on != 0 ? 1 : 0;
  if (TIMER1_ENABLED == 1)
    ports_.clock_timer.start();
  else
    ports_.clock_timer.stop();
}

void Form::Timer1_Timer() {
  if (TIMER1_ENABLED != 1 || pos.GAME_OVER != 0) return;
  THINK_TIME = 調査_経過秒(TURN_START, ports_.day_timer.now());
  const long long whole = static_cast<long long>(std::floor(THINK_TIME));
  if (whole == CLOCK_SECOND) return;
  CLOCK_SECOND = whole;
  if (pos.SIDE_TO_MOVE == pos.UE_SIDE)
    描画_所有時間(pos.UE_SIDE, TIME_UE + THINK_TIME);
  else if (pos.SIDE_TO_MOVE == pos.SITA_SIDE)
    描画_所有時間(pos.SITA_SIDE, TIME_SITA + THINK_TIME);
  screen.canvas().refresh();
}

// ---- Mouse -----------------------------------------------------------------------

void Form::Form_MouseDown(int /*button*/, double /*x_twips*/, double /*y_twips*/) {
  棋譜パネル_閉じる();
  // Selecting and moving pieces lands with move entry by mouse.
}

// ---- Menu handlers ------------------------------------------------------------------

void Form::TAIKYOKU_Click() { 棋譜パネル_閉じる(); }
void Form::MATCH_MAN_Click() {}
void Form::START2_Click() {}
void Form::LEVEL_Click() {}
void Form::STOP_Click() { 棋譜パネル_閉じる(); }
void Form::KIFU_Click() {}
void Form::OPTION_Click() { 棋譜パネル_閉じる(); }
void Form::HAIKEI_GA_Click() {}
void Form::SONOTA_Click() {}

void Form::START_Click() {
  // Starting a game between two people lands with games and turns.
}
void Form::SENTE_Click() {
  // Starting a game against the computer lands with games and turns.
}
void Form::GOTE_Click() {
  // Starting a game against the computer lands with games and turns.
}
void Form::REPLAY_Click() {
  // Stepping back through the history lands with the move history.
}
void Form::AFTER_Click() {
  // Stepping forward through the history lands with the move history.
}
void Form::LBEL_UP_Click() {
  // The handicap grades land with the handicap.
}
void Form::LEBEL_DOWN_Click() {
  // The handicap grades land with the handicap.
}
void Form::KIFU_READ_Click() {
  // Opening the record panel lands with game records.
}
void Form::KIFU_WRITE_Click() {
  // Opening the record panel lands with game records.
}
void Form::BGM_Click() {
  // Switching the music lands with settings and sound.
}
void Form::KAISETU_Click() {
  // The help page lands with help and the about box.
}
void Form::VER_Click() {
  // The about box lands with help and the about box.
}

void Form::LEVEL1_Click() {
  for (int c = -2; c <= 0; ++c) screen.描画_絵(screen.HAIKEI_CODE, c, 0);
  レベル_設定(1);
}
void Form::LEVEL2_Click() {
  for (int c = -2; c <= 0; ++c) screen.描画_絵(screen.HAIKEI_CODE, c, 0);
  レベル_設定(2);
}
void Form::LEVEL3_Click() {
  for (int c = -2; c <= 0; ++c) screen.描画_絵(screen.HAIKEI_CODE, c, 0);
  レベル_設定(3);
}

void Form::レベル_設定(int level) {
  set_checked("LEVEL1", level == 1 ? 1 : 0);
  set_checked("LEVEL2", level == 2 ? 1 : 0);
  set_checked("LEVEL3", level == 3 ? 1 : 0);
  COM_LEVEL = level;
  if (GAME_KIND == KIND_COM) screen.描画_レベル(COM_LEVEL);
}

void Form::CANCEL_Click() {
  初期設定();
  ports_.sound.dsPlay(SND_KOMAUCHI);
}

void Form::REVERSE_Click() {
  if (KIFU_MODE == 1) {
    ports_.sound.dsPlay(SND_KINSHI);
    ports_.dialogs.message("棋譜ﾓｰﾄﾞではできません", "反転");
    return;
  }
  REVERSED = 1;
  CLICK_PHASE = 0;
  int copy[10][10];
  for (int x = 0; x <= 9; ++x)
    for (int y = 0; y <= 9; ++y) copy[x][y] = pos.Board[x][y];
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      // Every piece changes owner as well as place.
      const int code = copy[x][y];
      pos.Board[10 - x][10 - y] = code <= -10 || code >= 10 ? -code : 0;
    }
  for (int k = 1; k <= 7; ++k) std::swap(pos.HAND_SITA[k], pos.HAND_UE[k]);
  // The totals follow the hands, or the computer would judge its hand empty.
  std::swap(pos.HAND_COUNT_SITA, pos.HAND_COUNT_UE);
  画面_再描画();
  描画_手数(MOVE_COUNT);
  if (HANDICAP_SET == 1) {
    HANDICAP_GRADE = -HANDICAP_GRADE;
    描画_ハンデレベル(HANDICAP_GRADE);
  }
  ports_.sound.dsPlay(SND_KOMAUCHI);
  pos.SIDE_TO_MOVE = -pos.SIDE_TO_MOVE;
  HIST_INDEX = 0;
  HIST_LAST = 0;
}

void Form::SIDOU_Click() {
  if (checked("SIDOU") == 1) {
    screen.描画_将棋盤桝();
    for (int r = 1; r <= 7; ++r) {
      screen.描画_桝輪郭(COLOR_GREEN, -1, r);
      screen.描画_桝輪郭(COLOR_GREEN, 11, r + 2);
    }
    set_checked("SIDOU", 0);
    SIDOU_ON = 0;
    GUIDE_COLOR = COLOR_GREEN;
  } else {
    set_checked("SIDOU", 1);
    SIDOU_ON = 1;
    GUIDE_COLOR = COLOR_WHITE;
  }
  書込_環境設定ファイル();
}

void Form::KEIKA_Click() {
  if (checked("KEIKA") == 1) {
    set_checked("KEIKA", 0);
    Timer1_Enabled(0);
    消去_所有時間(pos.SITA_SIDE);
    消去_所有時間(pos.UE_SIDE);
  } else {
    set_checked("KEIKA", 1);
    Timer1_Enabled(1);
    描画_所有時間(pos.UE_SIDE, TIME_UE);
    描画_所有時間(pos.SITA_SIDE, TIME_SITA);
  }
  書込_環境設定ファイル();
}

void Form::背景_選択(std::string_view entry, int code) {
  if (checked(entry) == 0) {
    チェック設定(code);
    screen.HAIKEI_CODE = code;
  }
  書込_環境設定ファイル();
  画面_再描画();
}

void Form::MIDORI_Click() { 背景_選択("MIDORI", HAIKEI_MIDORI); }
void Form::TATAMI_Click() { 背景_選択("TATAMI", HAIKEI_TATAMI); }
void Form::TAKE_Click() { 背景_選択("TAKE", HAIKEI_TAKE); }
void Form::UCHU_Click() { 背景_選択("UCHU", HAIKEI_UCHU); }
void Form::RENGA_Click() { 背景_選択("RENGA", HAIKEI_RENGA); }

}  // namespace korvel
