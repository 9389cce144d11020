#pragma once
// The window's menu bar as data. Entries are listed depth first in the order
// they appear; depth 0 is an entry of the menu bar itself, depth 1 an item of
// a top-level menu, depth 2 an item of a submenu. An entry followed by deeper
// entries opens a list. Every entry is enabled and visible at all times.
//
// The shell builds its menus from this table and sends every choice to
// Form::menu_click(name): a leaf when it is chosen, an entry with sub-entries
// when its list is opened (TAIKYOKU, STOP and OPTION close the record panel
// then). After every handler the shell re-reads Form::checked(name) for all
// entries, since handlers change check marks.

#include <span>
#include <string_view>

namespace korvel {

struct MenuEntry {
  std::string_view name;     // control name, also the handler's prefix: SENTE → SENTE_Click
  std::string_view caption;  // UTF-8, exactly as shown
  int depth;
  int checked;  // check mark in the design, before the settings file is applied
};

std::span<const MenuEntry> menu_tree();

// The entry of that name, nullptr if there is none.
const MenuEntry* find_menu_entry(std::string_view name);

// 1 if the entry is followed by deeper entries (it opens a list).
int has_children(std::string_view name);

}  // namespace korvel
