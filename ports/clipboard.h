#pragma once
// The desktop's clipboard, for passing games around as text.

#include <string>
#include <string_view>

namespace korvel {

struct Clipboard {
  virtual ~Clipboard() = default;
  // The text on the clipboard (UTF-8); empty when it holds none.
  virtual std::string text() = 0;
  // Puts text (UTF-8) on the clipboard; false when that was not possible.
  virtual bool set_text(std::string_view text) = 0;
};

}  // namespace korvel
