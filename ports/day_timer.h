#pragma once
// The day's clock, and the blocking pause the blinking of a move uses.

namespace korvel {

struct DayTimer {
  virtual ~DayTimer() = default;
  // Seconds since local midnight, with a fraction; wraps to 0 at 86400.
  // Between two readings it moves on by the real time that passed, never
  // by a change to the computer's clock.
  virtual double now() = 0;
  // Blocks the window's thread for this many seconds without handling
  // input (drawing already asked for with Canvas::refresh stays visible).
  virtual void wait(double seconds) = 0;
  // The calendar's time, milliseconds since 1970 (UTC), to name what is
  // kept by when it began.
  virtual long long calendar_ms() = 0;
};

}  // namespace korvel
