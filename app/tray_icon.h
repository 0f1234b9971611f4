// The program's icon in the notification area. Its tooltip is "Fenlow",
// followed by what keeps a hotkey from working; a click brings the main
// window to the front; its menu offers the 26 edits (the chosen one marked),
// Undo, Options... and Exit.
#pragma once

#include <vector>

#include "app/commands.h"
#include "app/hotkey_keeper.h"

namespace fenlow {

class TrayIcon {
 public:
  TrayIcon(platform::Platform& platform, Form1& form1, Commands& commands, HotkeyKeeper& hotkeys)
      : platform_(platform), form1_(form1), commands_(commands), hotkeys_(hotkeys) {}
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  void Show();
  // The tooltip again, after the hotkeys changed.
  void UpdateTip();

 private:
  [[nodiscard]] std::u16string Tip() const;
  [[nodiscard]] std::vector<platform::MenuItem> Menu();
  void OnEvent(platform::IconEvent event);
  void OpenMenu();

  platform::Platform& platform_;
  Form1& form1_;
  Commands& commands_;
  HotkeyKeeper& hotkeys_;
  bool shown_ = false;
};

}  // namespace fenlow
