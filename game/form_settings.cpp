// The option menu's settings, the settings file, and the sound layer over
// the sound library.
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "game/form.h"
#include "records/disk_record_files.h"
#include "ui/pictures.h"

namespace korvel {

namespace {

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
  if (v.oute != SettingsValues::NOT_SET) set_checked("OUTE_KEIKOKU", v.oute == 1 ? 1 : 0);
  if (v.atari != SettingsValues::NOT_SET) set_checked("ATARI", v.atari == 1 ? 1 : 0);
  if (v.bgm != SettingsValues::NOT_SET) {
    set_checked("BGM", v.bgm == 1 ? 1 : 0);
    if (v.bgm == 1) ports_.sound.dsPlayLooping(SND_BGM);
  }
  // A level the ladder has not (any more) leaves LEVEL3.
  if (const int level = level_from_settings(v.level, v.levels); level != 0) レベル_設定(level);
  SILENT_NOTED = v.silent == 1 ? 1 : 0;
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
  v.oute = checked("OUTE_KEIKOKU");
  v.atari = checked("ATARI");
  v.level = COM_LEVEL;
  v.silent = SILENT_NOTED;
  v.levels = TOP_LEVEL;
  ports_.settings.write(v);
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

void Form::背景_選択(std::string_view entry, int code) {
  if (checked(entry) == 0) {
    チェック設定(code);
    screen.HAIKEI_CODE = code;
  }
  書込_環境設定ファイル();
  画面_再描画();
  // Unlike the first painting of a game, the window already had its texts.
  文字_再描画();
}

void Form::MIDORI_Click() { 背景_選択("MIDORI", HAIKEI_MIDORI); }
void Form::TATAMI_Click() { 背景_選択("TATAMI", HAIKEI_TATAMI); }
void Form::TAKE_Click() { 背景_選択("TAKE", HAIKEI_TAKE); }
void Form::UCHU_Click() { 背景_選択("UCHU", HAIKEI_UCHU); }
void Form::RENGA_Click() { 背景_選択("RENGA", HAIKEI_RENGA); }

void Form::OPTION_Click() { 棋譜パネル_閉じる(); }

void Form::OUTE_KEIKOKU_Click() {
  set_checked("OUTE_KEIKOKU", checked("OUTE_KEIKOKU") == 1 ? 0 : 1);
  書込_環境設定ファイル();
}

void Form::ATARI_Click() {
  set_checked("ATARI", checked("ATARI") == 1 ? 0 : 1);
  危険_更新();
  screen.canvas().refresh();
  書込_環境設定ファイル();
}
void Form::HAIKEI_GA_Click() {}
void Form::SONOTA_Click() {}

void Form::BGM_Click() {
  if (checked("BGM") == 1) {
    set_checked("BGM", 0);
    ports_.sound.dsStop(SND_BGM);
  } else {
    set_checked("BGM", 1);
    ports_.sound.dsPlayLooping(SND_BGM);
  }
  書込_環境設定ファイル();
}

// ---- Help page and about box ----------------------------------------------------

namespace {

// Files of the data folder besides the sounds.
constexpr std::string_view HELP_PAGE = "Korvel.htm";
constexpr std::string_view ABOUT_PICTURE = "about.png";
// The project's page on the web; empty while it has none.
constexpr std::string_view HOMEPAGE = "";

std::string in_app_dir(const std::string& app_dir, std::string_view file) {
  return app_dir.empty() || app_dir.back() == '/' ? app_dir + std::string(file)
                                                  : app_dir + "/" + std::string(file);
}

}  // namespace

void Form::KAISETU_Click() {
  // Without a browser there is nothing to show and nothing to say.
  ports_.browser.open(in_app_dir(APP_DIR, HELP_PAGE));
}

void Form::VER_Click() {
  棋譜パネル_閉じる();
  play(SND_SONOTA);
  if (ports_.dialogs.about_box(in_app_dir(APP_DIR, ABOUT_PICTURE)) == Dialogs::AboutAnswer::Homepage) {
    // Until the project has a page of its own on the web, its page is the
    // help that comes with it.
    ports_.browser.open(HOMEPAGE.empty() ? in_app_dir(APP_DIR, HELP_PAGE) : std::string(HOMEPAGE));
  }
}

// ---- Sound layer ------------------------------------------------------------------

void Form::SOUND_INIT() { SOUND_CONTEXT = ports_.sound.dsInitialize(ports_.window); }

void Form::音なし_通知() {
  // Said at the first start without sound, not at every one after it; a
  // start with sound again forgets it.
  const int silent = SOUND_CONTEXT == 0 ? 1 : 0;
  if (silent == SILENT_NOTED) return;
  if (silent == 1)
    startup_messages_.emplace(startup_messages_.begin(), msg::SOUND_FAILED.text, msg::SOUND_FAILED.title);
  SILENT_NOTED = silent;
  書込_環境設定ファイル();
}

void Form::Form_Activate() {
  // Each said once, over the window that is already drawn.
  const auto messages = std::move(startup_messages_);
  startup_messages_.clear();
  for (const auto& [text, title] : messages)
    ports_.dialogs.message(text, title, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
}

std::int32_t Form::LOAD_WAVE(const std::string& file, std::int32_t flags) {
  if (SOUND_CONTEXT == 0) return 0;
  std::error_code ec;
  const std::filesystem::path name(std::u8string(file.begin(), file.end()));
  const std::filesystem::path path = name.is_absolute() ? name : std::filesystem::path(
      std::u8string(APP_DIR.begin(), APP_DIR.end())) / name;
  if (!std::filesystem::is_regular_file(path, ec)) return 0;
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> image;
  if (in) image.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (!in.is_open() || in.bad()) {
    const int err = errno != 0 ? errno : EIO;
    startup_messages_.emplace_back(std::string(msg::WAVE_FAILED.text) + "\r" + file + "\r" + 失敗理由(err),
                                   msg::WAVE_FAILED.title);
    return 0;
  }
  return ports_.sound.dsCreateDSB(SOUND_CONTEXT, image.data(), image.size(), flags);
}

}  // namespace korvel
