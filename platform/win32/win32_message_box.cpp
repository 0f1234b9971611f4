#include "platform/win32/win32_message_box.h"

#include "platform/win32/win32_modality.h"

namespace fenlow::platform::win32 {

int ShowMessageBoxOverActiveWindow(const std::wstring& text, const std::wstring& title,
                                   UINT style) {
  // The active window of the program: the foreground window, when it is one
  // of this thread's. Owned by it, the box gives it back the activation, and
  // with it the keyboard focus, when it closes.
  HWND owner = ::GetForegroundWindow();
  if (owner && ::GetWindowThreadProcessId(owner, nullptr) != ::GetCurrentThreadId()) {
    owner = nullptr;
  }
  // An owned box disables only its owner; the program's other windows are
  // disabled here, so that the box is modal to the whole program either way.
  const OtherWindowsDisabled others(owner);
  const UINT modality = owner ? MB_APPLMODAL : MB_TASKMODAL;
  return ::MessageBoxW(owner, text.c_str(), title.c_str(), style | modality | MB_SETFOREGROUND);
}

}  // namespace fenlow::platform::win32
