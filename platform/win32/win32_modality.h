// Modality to the whole program, which the system gives only to the owner
// of a modal window: the program's other windows are disabled here.
#pragma once

#include <vector>

#include "platform/win32/win32_api.h"

namespace fenlow::platform::win32 {

// Every other visible, enabled top-level window of this thread, disabled for
// as long as a modal form is open; then enabled again and the window that
// was active before is active again.
class OtherWindowsDisabled {
 public:
  explicit OtherWindowsDisabled(HWND modal);
  ~OtherWindowsDisabled() { Restore(); }
  // The windows enabled again and the one that was active active again, once.
  void Restore();
  // Before the modal window goes: else the system, finding this program's
  // windows disabled, would pass the activation to another program's. When
  // the user was in another program, the activation is left to go back
  // there.
  void RestoreBeforeTheModalGoes() {
    if (active_) Restore();
  }
  OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
  OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

 private:
  // The program's active window when the program is the one in front;
  // opened while the user is in another program, the modal form gives the
  // focus back to no window of this program when it closes.
  static HWND ActiveInFront();

  // No exception may cross the system's enumeration: a window that cannot
  // be noted (no memory) ends it, and the windows noted so far are disabled.
  static BOOL CALLBACK Collect(HWND window, LPARAM self) noexcept;

  HWND modal_;
  HWND active_;
  std::vector<HWND> disabled_;
};

}  // namespace fenlow::platform::win32
