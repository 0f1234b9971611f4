// The simulated desktop's clock, the one the clipboard retries read. It moves
// only while the program pauses between attempts, and each pause lasts whole
// ticks of the system timer, as Sleep does on a stock system; a test moves it
// for the time that passes while the program waits for the user or another
// program.
#pragma once

#include <chrono>

#include "platform/clipboard_primitives.h"

namespace fenlow::platform::sim {

class SimulatedClock {
 public:
  using Clock = ClipboardPrimitives::Clock;
  static constexpr std::chrono::microseconds kTimerTick{15625};

  Clock::time_point Now() const { return now_; }
  // A pause until `until`, rounded up to whole timer ticks.
  void PauseUntil(Clock::time_point until);

  int PausesTaken() const { return pauses_; }
  Clock::duration TimePaused() const { return now_ - kStartOfTime; }
  // Time passing while the program waits for the user or another program.
  void Advance(Clock::duration elapsed) { now_ += elapsed; }

 private:
  static constexpr Clock::time_point kStartOfTime{std::chrono::hours(1)};
  Clock::time_point now_ = kStartOfTime;
  int pauses_ = 0;
};

}  // namespace fenlow::platform::sim
