#include "platform/win32/win32_desktop_message_window.h"

#include "platform/win32/win32_ui.h"

namespace fenlow::platform::win32 {

HWND DesktopMessageWindow::Handle() {
  if (window_) return window_.get();
  RegisterWindowClass(kClassName, &DesktopMessageWindow::Procedure);
  // A tool window has no taskbar button, should it ever be shown.
  window_.reset(::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Fenlow shell", WS_POPUP, 0, 0, 0,
                                  0, nullptr, nullptr, ::GetModuleHandleW(nullptr), this));
  if (!window_) ThrowLastError("Cannot create the program's shell window");
  return window_.get();
}

void DesktopMessageWindow::OnMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler) {
  if (handler) {
    handlers_[message] = std::move(handler);
  } else {
    handlers_.erase(message);
  }
}

LRESULT CALLBACK DesktopMessageWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
  }
  auto* self = reinterpret_cast<DesktopMessageWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  const auto found = self->handlers_.find(message);
  if (found == self->handlers_.end()) return ::DefWindowProcW(window, message, wParam, lParam);
  const auto handler = found->second;  // the handler may replace itself
  try {
    return handler(wParam, lParam);
  } catch (...) {
    self->ui_.KeepFailure(std::current_exception());  // no exception may cross a window procedure
    return 0;
  }
}

}  // namespace fenlow::platform::win32
