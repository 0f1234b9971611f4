// Drives the real fenlow.exe from outside, as a user and another program
// would: starts it under Wine, finds its windows by caption and its controls
// by class and caption, types into Text1, picks list entries with the
// keyboard (so the list sends the notifications of a user's pick), posts
// clicks, reads texts back, and waits by polling, never by sleeping.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace fenlow::e2e {

using namespace std::chrono_literals;

class FenlowDriver {
 public:
  // `messaging` sends the driver's messages to Fenlow's windows.
  explicit FenlowDriver(platform::WindowMessaging& messaging) : messaging_(messaging) {}
  ~FenlowDriver();  // ends a program it started and left running
  FenlowDriver(const FenlowDriver&) = delete;
  FenlowDriver& operator=(const FenlowDriver&) = delete;

  // Starts fenlow.exe and waits until its main window is there.
  void Start();
  // Closes the main window as the close box does and waits for the process to end.
  [[nodiscard]] bool CloseAndWaitForExit(std::chrono::milliseconds timeout = 20s);
  [[nodiscard]] bool IsRunning();

  platform::WindowHandle MainWindow() const { return main_; }
  // Another of Fenlow's windows, by its caption, once it is shown (its
  // controls are laid out by then); 0 when it is not within `timeout`.
  platform::WindowHandle WaitForShownWindow(std::u16string_view caption,
                                            std::chrono::milliseconds timeout = 10s);
  // A child of the main window by class and exact caption; 0 when absent.
  platform::WindowHandle Control(std::u16string_view className, std::u16string_view caption);
  platform::WindowHandle Text1();
  platform::WindowHandle Combo1();
  // The edit button, whichever of its two captions it shows.
  platform::WindowHandle EditButton();

  std::u16string TextOf(platform::WindowHandle window);
  // The length of that text in UTF-16 code units, without copying it.
  std::size_t TextLengthOf(platform::WindowHandle window);
  // Whether the main window answers a message within `timeout` and is not
  // hung by the system's own measure (no message taken for five seconds).
  [[nodiscard]] bool Responds(std::chrono::milliseconds timeout);
  // Replaces the text of a text box (of any of Fenlow's windows) as typing
  // over all of it would.
  void SetText(platform::WindowHandle textBox, std::u16string_view text);
  void SetText1(std::u16string_view text) { SetText(Text1(), text); }
  // Selects `entry` with Home and Down keys, one notification per step.
  void Pick(std::u16string_view entry);
  // Picks a separator, then `option`, and waits until the list shows it:
  // a new choice shown tells that the pick has been handled.
  [[nodiscard]] bool Choose(std::u16string_view option);
  void Click(platform::WindowHandle button);
  // The window of Fenlow's that has the keyboard focus (0: none), and a key
  // pressed there.
  platform::WindowHandle Focus();
  void PressKey(int virtualKey);

  // The program's hidden window, which its hotkeys and its notification
  // icon report to; 0 when absent.
  platform::WindowHandle ShellWindow();
  // Asks for the icon's menu as the notification area does (right button,
  // menu key) and returns the menu once it is on the screen, or 0.
  platform::WindowHandle OpenIconMenu();

  // Polls until `window`'s text is `expected`.
  [[nodiscard]] bool WaitForText(platform::WindowHandle window, std::u16string_view expected,
                                 std::chrono::milliseconds timeout = 10s);

 private:
  platform::WindowMessaging& messaging_;
  platform::WindowHandle main_ = 0;
  std::string hostPid_;  // of the program this driver started
};

}  // namespace fenlow::e2e
