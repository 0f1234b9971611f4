// The user32 and shell32 calls that the clipboard monitor and the main window
// make directly: the viewer chain, window-procedure replacement, messages,
// message dispatch and opening a web page.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

#include "platform/types.h"

namespace fenlow::platform {

class WindowMessaging {
 public:
  virtual ~WindowMessaging() = default;

  // Joins the clipboard-viewer chain at its head; the system sends the window
  // WM_DRAWCLIPBOARD before this returns. Returns the next viewer (0: none),
  // or nullopt when the system refused the join.
  virtual std::optional<WindowHandle> SetClipboardViewer(WindowHandle window) = 0;
  // Removes `window` from the chain; the head receives WM_CHANGECBCHAIN first.
  // The result is what the windows of the chain answered to that message,
  // which tells nothing of success: most viewers answer 0.
  virtual bool ChangeClipboardChain(WindowHandle window, WindowHandle next) = 0;

  // Replaces the window procedure and returns the one it replaced (nullptr on failure).
  virtual WindowProc ReplaceWindowProc(WindowHandle window, WindowProc procedure) = 0;
  virtual MessageResult CallWindowProc(WindowProc procedure, WindowHandle window, MessageId message,
                                       WParam wParam, LParam lParam) = 0;

  // Sends a message and waits for its result (0 when `window` is not a window).
  virtual MessageResult SendMessage(WindowHandle window, MessageId message, WParam wParam,
                                    LParam lParam) = 0;
  // Sends a message but gives up on a window that does not answer in time or
  // is hung; nullopt when the send failed or timed out.
  virtual std::optional<MessageResult> SendMessageTimeout(WindowHandle window, MessageId message,
                                                          WParam wParam, LParam lParam,
                                                          std::chrono::milliseconds timeout) = 0;

  // Dispatches every pending window message of this thread, then returns.
  virtual void Yield() = 0;

  // Opens `file` (here: a quoted URL) with the shell's default action. The
  // result is the shell's; callers may ignore it.
  virtual bool ShellOpen(WindowHandle owner, std::u16string_view file,
                         std::u16string_view directory, int showCommand) = 0;
};

}  // namespace fenlow::platform
