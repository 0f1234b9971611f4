#include "platform/sim/simulated_startup.h"

namespace fenlow::platform::sim {

SimulatedStartup::SimulatedStartup(FaultInjector& faults, SimulatedMessaging& messaging)
    : faults_(faults), messaging_(messaging) {
  faults_.DescribeFailure("WriteSignInEntry", "The sign-in entry cannot be written.");
}

bool SimulatedStartup::ClaimSingleInstance() {
  faults_.Enter("ClaimSingleInstance");
  if (claimed_) return false;
  claimed_ = true;
  return true;
}

void SimulatedStartup::ActivateRunningInstance() {
  faults_.Enter("ActivateRunningInstance");
  ++activationRequests_;
  messaging_.PostTask([this] {
    if (handler_) handler_();
  });
}

bool SimulatedStartup::StartsWithWindows() {
  faults_.Enter("ReadSignInEntry");
  return signInEntry_;
}

void SimulatedStartup::SetStartWithWindows(bool on) {
  faults_.Enter("WriteSignInEntry");
  signInEntry_ = on;
}

}  // namespace fenlow::platform::sim
