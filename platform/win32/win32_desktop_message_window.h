// The program's hidden window for what the desktop tells it outside its
// forms: hotkey presses, the notification icon's events, the taskbar's
// restart, another start's request to come to the front. A top-level window
// (message-only windows miss the taskbar's broadcast), never shown, made on
// first use so that a process that uses none of this has none.
#pragma once

#include <functional>
#include <map>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_support.h"

namespace fenlow::platform::win32 {

class Win32Ui;

class DesktopMessageWindow {
 public:
  // Its class: how another start of the program finds it. The name stays as
  // it was, so that a start of a newer version finds a running older one.
  static constexpr wchar_t kClassName[] = L"FenlowShell";

  explicit DesktopMessageWindow(Win32Ui& ui) : ui_(ui) {}

  // The window, made on the first call; throws Failure when it cannot be.
  HWND Handle();
  // Sets the one handler of `message` (empty: none). A handler's failure is
  // kept for the message loop to throw, as the forms' are.
  void OnMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  Win32Ui& ui_;
  std::map<UINT, std::function<LRESULT(WPARAM, LPARAM)>> handlers_;
  UniqueWindow window_;
};

}  // namespace fenlow::platform::win32
