#include "platform/sim/simulated_clock.h"

namespace fenlow::platform::sim {

void SimulatedClock::PauseUntil(Clock::time_point until) {
  ++pauses_;
  if (until <= now_) return;
  const auto ticks = (until - now_ + kTimerTick - Clock::duration(1)) / kTimerTick;
  now_ += ticks * kTimerTick;
}

}  // namespace fenlow::platform::sim
