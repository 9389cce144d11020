#pragma once
// The user's web browser, for the help page and the maker's page.

#include <string_view>

namespace korvel {

struct Browser {
  virtual ~Browser() = default;
  // Opens a file path or URL (UTF-8) in a new browser window and returns once
  // it is loading. false when no browser could be started; never throws.
  virtual bool open(std::string_view address) = 0;
};

}  // namespace korvel
