#pragma once
// Modal message boxes. The call returns when the user has answered.

#include <string_view>

namespace korvel {

struct Dialogs {
  enum class Buttons { Ok, YesNo };
  enum class Icon { None, Exclamation };
  enum class Answer { Ok, Yes, No };

  virtual ~Dialogs() = default;
  // text and title are UTF-8; text may hold "\r" line breaks (CR, as the
  // handicap refusals use), which the box shows as line breaks.
  virtual Answer message(std::string_view text, std::string_view title,
                         Buttons buttons = Buttons::Ok, Icon icon = Icon::None) = 0;
};

}  // namespace korvel
