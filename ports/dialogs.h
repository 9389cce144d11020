#pragma once
// Modal message boxes and the about box. A call returns when the user has
// answered.

#include <string>
#include <string_view>
#include <vector>

namespace korvel {

// A message box's text with its title, as the game's message tables list them.
struct MessageText {
  std::string_view text;
  std::string_view title;
};

struct Dialogs {
  // YesNoDefaultNo: Return answers No, for a question whose Yes is risky.
  enum class Buttons { Ok, YesNo, YesNoDefaultNo };
  enum class Icon { None, Exclamation };
  enum class Answer { Ok, Yes, No };

  virtual ~Dialogs() = default;
  // text and title are UTF-8; text may hold "\r" line breaks (CR, as the
  // handicap refusals use), which the box shows as line breaks.
  virtual Answer message(std::string_view text, std::string_view title,
                         Buttons buttons = Buttons::Ok, Icon icon = Icon::None) = 0;

  // The modal about box, its face the picture file at picture_path (UTF-8).
  // Returns which of its two buttons closed it; closing it by the window's
  // frame counts as "O K".
  enum class AboutAnswer { Ok, Homepage };
  virtual AboutAnswer about_box(std::string_view picture_path) = 0;

  // A modal list titled title, its rows in order, the first one chosen.
  // Return or a double click answers the row chosen (0 up), Escape or
  // closing the list -1.
  virtual int choose(std::string_view title, const std::vector<std::string>& rows) = 0;
};

}  // namespace korvel
