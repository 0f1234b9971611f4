// The simulated desktop's start-up services: one instance per user, the
// request of a second start to the first, and the sign-in entry. Tests start
// the program a second time or from the user's sign-in.
#pragma once

#include <functional>

#include "platform/sim/fault_injector.h"
#include "platform/sim/simulated_messaging.h"
#include "platform/startup_services.h"

namespace fenlow::platform::sim {

class SimulatedStartup final : public StartupServices {
 public:
  SimulatedStartup(FaultInjector& faults, SimulatedMessaging& messaging);

  bool ClaimSingleInstance() override;
  void ReleaseSingleInstance() noexcept override { claimed_ = false; }
  void ActivateRunningInstance() override;
  void OnActivateRequest(std::function<void()> handler) override { handler_ = std::move(handler); }
  bool StartedWithWindows() override { return startedWithWindows_; }
  bool StartsWithWindows() override;
  void SetStartWithWindows(bool on) override;

  // --- What a test arranges and reads --------------------------------------------
  // The next starts come from the user's sign-in.
  void StartAtSignIn(bool atSignIn) { startedWithWindows_ = atSignIn; }
  [[nodiscard]] bool InstanceClaimed() const { return claimed_; }
  [[nodiscard]] int ActivationRequests() const { return activationRequests_; }

 private:
  FaultInjector& faults_;
  SimulatedMessaging& messaging_;
  bool claimed_ = false;
  bool startedWithWindows_ = false;
  bool signInEntry_ = false;
  int activationRequests_ = 0;
  std::function<void()> handler_;
};

}  // namespace fenlow::platform::sim
