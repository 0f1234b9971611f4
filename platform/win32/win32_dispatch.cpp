#include "platform/win32/win32_dispatch.h"

#include "platform/win32/win32_form.h"

namespace fenlow::platform::win32 {

void DispatchWindowMessage(MSG& message) {
  const HWND root = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  Win32Form* form = root ? Win32Form::FromWindow(root) : nullptr;
  if (form && form->RouteKeyboard(message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

bool DispatchPendingMessages() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
      return true;
    }
    DispatchWindowMessage(message);
  }
  return false;
}

}  // namespace fenlow::platform::win32
