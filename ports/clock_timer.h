#pragma once
// Timer1: the 50 ms tick that drives the clocks. While started, the shell
// calls Form::Timer1_Timer every 50 ms on the window's thread.

namespace korvel {

struct ClockTimer {
  virtual ~ClockTimer() = default;
  virtual void start() = 0;  // starting a running timer keeps it running
  virtual void stop() = 0;
};

}  // namespace korvel
