#include "platform/win32/win32_modality.h"

#include <utility>

namespace fenlow::platform::win32 {

OtherWindowsDisabled::OtherWindowsDisabled(HWND modal) : modal_(modal), active_(ActiveInFront()) {
  ::EnumThreadWindows(::GetCurrentThreadId(), &OtherWindowsDisabled::Collect,
                      reinterpret_cast<LPARAM>(this));
  for (HWND window : disabled_) ::EnableWindow(window, FALSE);
}

void OtherWindowsDisabled::Restore() {
  for (HWND window : std::exchange(disabled_, {})) {
    if (::IsWindow(window)) ::EnableWindow(window, TRUE);
  }
  const HWND active = std::exchange(active_, nullptr);
  if (active && ::IsWindow(active)) ::SetActiveWindow(active);
}

HWND OtherWindowsDisabled::ActiveInFront() {
  const HWND foreground = ::GetForegroundWindow();
  const bool ours =
      foreground && ::GetWindowThreadProcessId(foreground, nullptr) == ::GetCurrentThreadId();
  return ours ? ::GetActiveWindow() : nullptr;
}

BOOL CALLBACK OtherWindowsDisabled::Collect(HWND window, LPARAM self) noexcept {
  auto* scope = reinterpret_cast<OtherWindowsDisabled*>(self);
  if (window == scope->modal_ || !::IsWindowVisible(window) || !::IsWindowEnabled(window)) {
    return TRUE;
  }
  try {
    scope->disabled_.push_back(window);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

}  // namespace fenlow::platform::win32
