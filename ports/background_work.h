#pragma once
// Work too long for the window's thread: the look-ahead of levels 4 to 6.

#include <functional>

namespace korvel {

struct BackgroundWork {
  virtual ~BackgroundWork() = default;
  // Runs job away from the window's thread and returns once it is done.
  // Meanwhile the window stays painted, clicks and keys wait as during any
  // computer move, and tick is called on the window's thread every 50 ms.
  // job must not touch what the window's thread uses.
  virtual void run(const std::function<void()>& job, const std::function<void()>& tick) = 0;
};

}  // namespace korvel
