// Global hotkeys registered on the desktop message window, and the keyboard
// layouts they are checked against.
#pragma once

#include "platform/global_hotkeys.h"
#include "platform/win32/win32_desktop_message_window.h"

namespace fenlow::platform::win32 {

class Win32Hotkeys final : public GlobalHotkeys {
 public:
  explicit Win32Hotkeys(DesktopMessageWindow& messageWindow) : messageWindow_(messageWindow) {}
  ~Win32Hotkeys() override;

  HotkeyRegistration Register(int id, const Hotkey& hotkey) override;
  void Unregister(int id) noexcept override;
  void OnPressed(std::function<void(int id)> handler) override;
  // Asked of the layout of the program the user is in, and then of every
  // other layout the user has installed: a hotkey that types on any of them
  // would take that character away when the user switches to it.
  std::u16string CharactersTypedBy(const Hotkey& hotkey) override;

 private:
  DesktopMessageWindow& messageWindow_;
  std::vector<int> registered_;
};

}  // namespace fenlow::platform::win32
