// The program's icon in the notification area. Its tooltip is "Fenlow",
// followed by what keeps a hotkey from working; a click brings the main
// window to the front; its menu offers the 26 edits (the chosen one marked),
// the recipes in a submenu, Undo, Options..., Recipes... and Exit.
#pragma once

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/hotkey_keeper.h"

namespace fenlow {

class TrayIcon {
 public:
  // `offersRecipesDialog`: the menu has "Recipes...".
  TrayIcon(platform::Platform& platform, Form1& form1, Commands& commands, HotkeyKeeper& hotkeys,
           bool offersRecipesDialog)
      : platform_(platform),
        form1_(form1),
        commands_(commands),
        hotkeys_(hotkeys),
        offersRecipesDialog_(offersRecipesDialog) {}
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  void Show();
  // The tooltip again, after the hotkeys changed.
  void UpdateTip();

 private:
  [[nodiscard]] std::u16string Tip() const;
  [[nodiscard]] std::vector<platform::MenuItem> Menu();
  [[nodiscard]] platform::MenuItem RecipesSubmenu();
  void OnEvent(platform::IconEvent event);
  void OpenMenu();

  platform::Platform& platform_;
  Form1& form1_;
  Commands& commands_;
  HotkeyKeeper& hotkeys_;
  bool offersRecipesDialog_;
  bool shown_ = false;
  // The recipes of the menu last opened, by their place in its submenu.
  std::vector<std::string> menuRecipes_;
};

}  // namespace fenlow
