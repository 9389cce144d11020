// The look-ahead's search runs on a thread of its own while the window's thread
// goes on: the clock ticks and queued drawing happens.
#include <gtest/gtest.h>

#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

#include "qt/desktop_ports.h"

TEST(ThreadWork, RunsTheJobElsewhereWhileTheWindowThreadTicksAndPaints) {
  korvel::qt::ThreadWork work;
  std::atomic<int> ticks{0};
  std::thread::id job_thread;
  bool queued_ran = false;
  QTimer::singleShot(0, [&] { queued_ran = true; });
  work.run(
      [&] {
        job_thread = std::this_thread::get_id();
        // Long enough for a few ticks, however slow the machine.
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (ticks < 3 && std::chrono::steady_clock::now() < give_up)
          std::this_thread::sleep_for(std::chrono::milliseconds(5));
      },
      [&] { ++ticks; });
  EXPECT_NE(job_thread, std::this_thread::get_id());
  EXPECT_GE(ticks, 3);
  EXPECT_TRUE(queued_ran);
}
