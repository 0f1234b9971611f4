// The user32 and shell32 calls of the clipboard monitor and the main window.
#pragma once

#include "platform/window_messaging.h"

namespace fenlow::platform::win32 {

class Win32WindowMessaging final : public WindowMessaging {
 public:
  std::optional<WindowHandle> SetClipboardViewer(WindowHandle window) override;
  bool ChangeClipboardChain(WindowHandle window, WindowHandle next) override;
  WindowProc ReplaceWindowProc(WindowHandle window, WindowProc procedure) override;
  MessageResult CallWindowProc(WindowProc procedure, WindowHandle window, MessageId message,
                               WParam wParam, LParam lParam) override;
  MessageResult SendMessage(WindowHandle window, MessageId message, WParam wParam,
                            LParam lParam) override;
  std::optional<MessageResult> SendMessageTimeout(WindowHandle window, MessageId message,
                                                  WParam wParam, LParam lParam,
                                                  std::chrono::milliseconds timeout) override;
  void Yield() override;
  bool ShellOpen(WindowHandle owner, std::u16string_view file, std::u16string_view directory,
                 int showCommand) override;
};

}  // namespace fenlow::platform::win32
