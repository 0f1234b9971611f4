#include "platform/win32/win32_messaging.h"

#include "platform/win32/win32_dispatch.h"
#include "platform/win32/win32_support.h"

namespace fenlow::platform::win32 {
namespace {

// Window procedures cross the boundary as pointer-sized integers; on x86_64
// the boundary's procedure type and WNDPROC share one calling convention.
LONG_PTR ToLongPtr(WindowProc procedure) {
  return reinterpret_cast<LONG_PTR>(procedure);
}
WindowProc ToWindowProc(LONG_PTR value) {
  return reinterpret_cast<WindowProc>(value);
}
WNDPROC ToWndProc(WindowProc procedure) {
  return reinterpret_cast<WNDPROC>(ToLongPtr(procedure));
}

}  // namespace

// No next viewer and a failure both give NULL; only the last error tells them apart.
std::optional<WindowHandle> Win32WindowMessaging::SetClipboardViewer(WindowHandle window) {
  ::SetLastError(ERROR_SUCCESS);
  const HWND next = ::SetClipboardViewer(ToHwnd(window));
  if (!next && ::GetLastError() != ERROR_SUCCESS) return std::nullopt;
  return ToHandle(next);
}

bool Win32WindowMessaging::ChangeClipboardChain(WindowHandle window, WindowHandle next) {
  return ::ChangeClipboardChain(ToHwnd(window), ToHwnd(next)) != FALSE;
}

WindowProc Win32WindowMessaging::ReplaceWindowProc(WindowHandle window, WindowProc procedure) {
  return ToWindowProc(::SetWindowLongPtrW(ToHwnd(window), GWLP_WNDPROC, ToLongPtr(procedure)));
}

MessageResult Win32WindowMessaging::CallWindowProc(WindowProc procedure, WindowHandle window,
                                                   MessageId message, WParam wParam,
                                                   LParam lParam) {
  // CallWindowProcW, not a direct call: the saved value may be a system thunk.
  return ::CallWindowProcW(ToWndProc(procedure), ToHwnd(window), message, wParam, lParam);
}

MessageResult Win32WindowMessaging::SendMessage(WindowHandle window, MessageId message,
                                                WParam wParam, LParam lParam) {
  return ::SendMessageW(ToHwnd(window), message, wParam, lParam);
}

std::optional<MessageResult> Win32WindowMessaging::SendMessageTimeout(
    WindowHandle window, MessageId message, WParam wParam, LParam lParam,
    std::chrono::milliseconds timeout) {
  // SMTO_ABORTIFHUNG gives up at once on a hung receiver. SMTO_BLOCK is left
  // out on purpose: while we wait, messages sent to us (a viewer down the
  // chain answering into it, for one) must still be handled, or both sides
  // would wait for each other until the timeout.
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(ToHwnd(window), message, wParam, lParam, SMTO_ABORTIFHUNG,
                             static_cast<UINT>(timeout.count()), &result)) {
    return std::nullopt;
  }
  return static_cast<MessageResult>(result);
}

void Win32WindowMessaging::Yield() {
  DispatchPendingMessages();
}

bool Win32WindowMessaging::ShellOpen(WindowHandle owner, std::u16string_view file,
                                     std::u16string_view directory, int showCommand) {
  const std::wstring wideFile = ToWide(file);
  const std::wstring wideDirectory = ToWide(directory);
  const HINSTANCE result =
      ::ShellExecuteW(ToHwnd(owner), L"open", wideFile.c_str(), nullptr,
                      directory.empty() ? nullptr : wideDirectory.c_str(), showCommand);
  // Values above 32 mean success; anything else is an error code.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace fenlow::platform::win32
