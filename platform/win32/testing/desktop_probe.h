// What the Windows tests need to see and do on the real desktop beyond the
// platform boundary: run a program of the host system (under Wine, xclip
// plays "another program" on the clipboard), look at real windows, answer a
// message box, read the registry. No <windows.h> here, so the tests stay
// free of it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "platform/win32/testing/caption_hook.h"

namespace fenlow::platform::win32::probe {

struct CommandResult {
  int exitCode = -1;
  std::string output;  // standard output and standard error
};

// Runs `script` with the host's /bin/sh, `input` on its standard input, and
// waits for it. Works under Wine, which starts host programs directly;
// throws Failure when the shell cannot be started or does not finish in time.
CommandResult RunHostShell(std::string_view script, std::string_view input = {},
                           std::chrono::milliseconds timeout = std::chrono::seconds(20));

// Polls `condition`, dispatching window messages in between, until it holds
// or `timeout` has passed; the result is the last answer.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Real windows, found and looked at.
WindowHandle FindChild(WindowHandle parent, std::u16string_view className,
                       std::u16string_view caption);  // 0 when absent
// The next such child after `after` in the parent's order (0: from the first).
WindowHandle FindChildAfter(WindowHandle parent, WindowHandle after, std::u16string_view className,
                            std::u16string_view caption);
std::u16string ClassName(WindowHandle window);
std::uint32_t Style(WindowHandle window);
struct Size {
  int width = 0;
  int height = 0;
};
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
Size ClientSize(WindowHandle window);
Rect ScreenRect(WindowHandle window);
// The client area, in screen coordinates.
Rect ClientScreenRect(WindowHandle window);
// The window's direct children, in their order.
std::vector<WindowHandle> Children(WindowHandle parent);
Rect WorkArea();  // of the primary monitor
bool IsEnabled(WindowHandle window);
WindowHandle Focus();
// The keyboard focus in the thread of `window`, which may be another program's.
WindowHandle FocusInThreadOf(WindowHandle window);
WindowHandle Foreground();
// The caption of `control`, a control of another program, measured inside
// that program (by the caption hook) in the control's own font; throws
// Failure when it has not answered within `timeout`.
caption_hook::Measured MeasureCaptionInItsProgram(
    WindowHandle control, std::chrono::milliseconds timeout = std::chrono::seconds(5));
WindowHandle Parent(WindowHandle window);
std::uint32_t ProcessOf(WindowHandle window);
std::uint32_t CurrentProcess();
std::u16string WindowText(WindowHandle window);
std::uintptr_t Font(WindowHandle window);
int FontHeightPixels(std::uintptr_t font);
int Dpi(WindowHandle window);

// What a user's click and key do, posted so that a modal loop can run them.
void PostClick(WindowHandle button);
void PostKey(WindowHandle window, int virtualKey);  // key down and up
constexpr int kKeyEscape = 0x1B;
constexpr int kKeyTab = 0x09;
constexpr int kKeyEnter = 0x0D;
void PostClose(WindowHandle window);
void PostMessageTo(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                   std::intptr_t lParam);
constexpr int kKeyDown = 0x28;
constexpr int kKeyEnd = 0x23;
// Picks the item `command` of the window's system menu.
void PostSystemCommand(WindowHandle window, std::uint32_t command);
// The captions of the items of a window of this process's system menu, in
// order; separators read as empty captions.
std::vector<std::u16string> SystemMenuCaptions(WindowHandle window);
// Closes the window the way another program or the system may: a WM_CLOSE
// sent (not posted) from another thread after `delay`.
std::future<void> SendCloseFromAnotherThread(WindowHandle window, std::chrono::milliseconds delay);
// Sends `message` to `window` from another thread at once; the future holds
// the answer, which comes when this thread handles sent messages.
std::future<std::intptr_t> SendFromAnotherThread(WindowHandle window, std::uint32_t message);
// Whether a message sent by another thread waits for this thread's answer.
bool SentMessageWaiting();

// A message box seen on the screen: its title, its text and whether the
// watched window was disabled while it was open.
struct MessageBoxSeen {
  std::u16string title;
  std::u16string text;
  bool watchedWindowDisabled = false;
};
enum class BoxAnswer { Ok, Yes, No };
// On a helper thread: waits for a message box titled `title`, notes what it
// shows and presses `answer`.
std::future<MessageBoxSeen> AnswerMessageBox(std::u16string title, WindowHandle watched,
                                             BoxAnswer answer = BoxAnswer::Ok);

// The current user's registry value HKEY_CURRENT_USER\<key>\<name>; empty when absent.
std::u16string ReadUserRegistryString(std::u16string_view key, std::u16string_view name);

// Keeps the clipboard open on a thread of its own for its lifetime, as
// another program holding it would.
class ClipboardHeldElsewhere {
 public:
  ClipboardHeldElsewhere();
  ~ClipboardHeldElsewhere();
  ClipboardHeldElsewhere(const ClipboardHeldElsewhere&) = delete;
  ClipboardHeldElsewhere& operator=(const ClipboardHeldElsewhere&) = delete;

 private:
  std::promise<void> release_;
  std::future<void> holder_;
};

// On a thread of its own: copies `text` as another program does and at once
// keeps the clipboard open for `hold`, as a clipboard history that reads
// every copy the moment it is made does. Ready once the clipboard is free.
std::future<void> CopyThenHoldClipboard(std::u16string text, std::chrono::milliseconds hold);

// A WM_QUIT for this thread, as a program ending its loops posts it, and
// taking a pending one off the queue again (true when there was one).
void PostQuit();
bool TakeQuit();

// A Windows program started for a test (by its command line), ended when
// this goes.
class StartedProgram {
 public:
  explicit StartedProgram(std::u16string commandLine);
  ~StartedProgram();
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  // Its first visible top-level window, waited for; 0 when none came.
  WindowHandle WaitForWindow(std::chrono::milliseconds timeout = std::chrono::seconds(20));

 private:
  std::uintptr_t process_ = 0;
  std::uint32_t processId_ = 0;
};

// File attributes the tests need to set.
void MarkHidden(std::u16string_view path);
void MarkSystem(std::u16string_view path);

}  // namespace fenlow::platform::win32::probe
