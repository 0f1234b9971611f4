// How the program starts: as the one running instance for the user, and
// with Windows when the user signs in.
#pragma once

#include <functional>

namespace fenlow::platform {

class StartupServices {
 public:
  virtual ~StartupServices() = default;

  // Claims the single instance of the program for the user's session: false
  // when another instance holds it. A claim the system cannot make is taken
  // as granted, so that the program still starts. Held until released.
  virtual bool ClaimSingleInstance() = 0;
  virtual void ReleaseSingleInstance() noexcept = 0;
  // Asks the instance that holds the claim to bring its window to the front.
  virtual void ActivateRunningInstance() = 0;
  // Runs in the instance holding the claim when another start asked for it,
  // from the message loop. An empty handler stops the deliveries.
  virtual void OnActivateRequest(std::function<void()> handler) = 0;

  // Whether this run was started by the user's sign-in: the start-up
  // argument that the sign-in entry gives the program.
  virtual bool StartedWithWindows() = 0;
  // Whether the user's sign-in starts the program, and setting it: an entry
  // in the user's own list of programs run at sign-in. Throws Failure when
  // the entry cannot be written or removed.
  virtual bool StartsWithWindows() = 0;
  virtual void SetStartWithWindows(bool on) = 0;
};

}  // namespace fenlow::platform
