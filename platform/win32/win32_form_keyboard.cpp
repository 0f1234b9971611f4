// A form's keyboard routing: the keys a dialog answers (Tab, Escape, Enter,
// Delete in a list box, arrows), given to the form that owns the message's window.
#include <algorithm>

#include "platform/win32/win32_form.h"

namespace fenlow::platform::win32 {

bool Win32Form::RouteKeyboard(MSG& message) {
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
    const auto cancel = std::find_if(controls_.begin(), controls_.end(), [this](const auto& c) {
      return !spec_.cancelControl.empty() && c->Name() == spec_.cancelControl;
    });
    // Without a cancel button Escape is not given to the dialog keys at all:
    // a multi-line edit would answer it by closing the form.
    if (cancel == controls_.end()) return false;
    ::SendMessageW((*cancel)->Window(), BM_CLICK, 0, 0);
    return true;
  }
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
    // Enter clicks the push button that has the focus, as Space does, once
    // per press: a held key's repeats would press the next window's button.
    // A plain window is no dialog, so the dialog keys would not do it.
    const Win32Control* focused = ControlByWindow(message.hwnd);
    if (focused && focused->Kind() == ControlKind::PushButton) {
      constexpr LPARAM kRepeat = 1 << 30;  // the key was down already
      if (!(message.lParam & kRepeat)) ::SendMessageW(message.hwnd, BM_CLICK, 0, 0);
      return true;
    }
  }
  if (message.message == WM_KEYDOWN && message.wParam == VK_DELETE) {
    const Win32Control* focused = ControlByWindow(message.hwnd);
    if (focused && focused->Kind() == ControlKind::ListBox) {
      RaiseCaught(focused->Name(), ControlEvent::DeleteKey);
      return true;
    }
  }
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
      !(::GetKeyState(VK_CONTROL) & 0x8000)) {
    // Also out of a multi-line text box, which would take Tab as a character.
    MoveFocus((::GetKeyState(VK_SHIFT) & 0x8000) != 0);
    return true;
  }
  return ::IsDialogMessageW(window_, &message) != FALSE;
}

void Win32Form::MoveFocus(bool backwards) {
  const HWND next = ::GetNextDlgTabItem(window_, ::GetFocus(), backwards);
  if (next) ::SetFocus(next);
}

}  // namespace fenlow::platform::win32
