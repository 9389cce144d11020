// The window model's hub: construction, the menu routes and the check marks.
// The handlers live by concern in form_<concern>.cpp.
#include "game/form.h"

#include <string>

#include "ui/menu_tree.h"

namespace korvel {

Form::Form(const Ports& ports)
    : screen(ports.canvas), ports_(ports), move_drawing_(screen, pos) {
  const auto tree = menu_tree();
  checks_.reserve(tree.size());
  for (const MenuEntry& e : tree) checks_.push_back(e.checked);
}

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

void Form::show(const MessageText& box, std::string_view reason) {
  if (reason.empty()) {
    ports_.dialogs.message(box.text, box.title);
    return;
  }
  std::string text(box.text);
  text += '\r';
  text += reason;
  ports_.dialogs.message(text, box.title);
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
      {"OWARI", &Form::OWARI_Click},         {"TOURYO", &Form::TOURYO_Click},
      {"STOP", &Form::STOP_Click},
      {"CANCEL", &Form::CANCEL_Click},       {"REVERSE", &Form::REVERSE_Click},
      {"REPLAY", &Form::REPLAY_Click},       {"AFTER", &Form::AFTER_Click},
      {"LBEL_UP", &Form::LBEL_UP_Click},     {"LEBEL_DOWN", &Form::LEBEL_DOWN_Click},
      {"KIFU", &Form::KIFU_Click},           {"KIFU_READ", &Form::KIFU_READ_Click},
      {"KIFU_WRITE", &Form::KIFU_WRITE_Click}, {"KIFU_LAST", &Form::KIFU_LAST_Click},
      {"KIFU_COPY", &Form::KIFU_COPY_Click}, {"KIFU_PASTE", &Form::KIFU_PASTE_Click},
      {"OPTION", &Form::OPTION_Click},
      {"HAIKEI_GA", &Form::HAIKEI_GA_Click}, {"MIDORI", &Form::MIDORI_Click},
      {"TATAMI", &Form::TATAMI_Click},       {"TAKE", &Form::TAKE_Click},
      {"UCHU", &Form::UCHU_Click},           {"RENGA", &Form::RENGA_Click},
      {"SIDOU", &Form::SIDOU_Click},         {"KEIKA", &Form::KEIKA_Click},
      {"BGM", &Form::BGM_Click},             {"OUTE_KEIKOKU", &Form::OUTE_KEIKOKU_Click},
      {"HINT", &Form::HINT_Click},           {"KENTOU", &Form::KENTOU_Click},
      {"ATARI", &Form::ATARI_Click},             {"SONOTA", &Form::SONOTA_Click},
      {"KAISETU", &Form::KAISETU_Click},     {"VER", &Form::VER_Click},
  };
  for (const Route& r : ROUTES)
    if (r.name == name) {
      (this->*r.handler)();
      return 1;
    }
  for (int level = FIRST_LOOKAHEAD_LEVEL; level <= TOP_LEVEL; ++level)
    if (name == "LEVEL" + std::to_string(level)) {
      LEVEL_N_Click(level);
      return 1;
    }
  return 0;
}

}  // namespace korvel
