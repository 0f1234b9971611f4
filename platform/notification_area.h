// The program's icon in the notification area of the taskbar, and the popup
// menu it opens.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fenlow::platform {

enum class IconEvent {
  Click,        // the left button, or Enter or Space on the icon
  MenuRequest,  // the right button, or the menu key or Shift+F10 on the icon
};

struct MenuItem {
  MenuItem() = default;
  MenuItem(int itemId, std::u16string itemText, bool isChecked = false, bool isEnabled = true)
      : id(itemId), text(std::move(itemText)), checked(isChecked), enabled(isEnabled) {}

  int id = 0;  // 0: a separator line; otherwise what ShowMenu returns when picked
  std::u16string text;
  bool checked = false;  // drawn with a bullet: the current choice of a group
  bool enabled = true;
  // Items of a submenu that opens from this one; its own id is never picked.
  std::vector<MenuItem> submenu;
};

class NotificationArea {
 public:
  virtual ~NotificationArea() = default;

  // Shows the program's icon, sized for the screen's DPI, with `tip` as its
  // tooltip (cut to what the system shows). When the taskbar is not there
  // yet, or restarts, the icon comes with it.
  virtual void ShowIcon(std::u16string_view tip) = 0;
  virtual void SetTip(std::u16string_view tip) = 0;
  // Nothing happens when the icon is not shown.
  virtual void RemoveIcon() noexcept = 0;
  // Runs for each event on the icon, from the message loop that dispatches
  // it. An empty handler stops the deliveries.
  virtual void OnIconEvent(std::function<void(IconEvent)> handler) = 0;

  // Opens a popup menu beside the icon and returns once it is closed: the id
  // of the item picked, 0 when it was closed without a pick (Escape, a click
  // elsewhere). The keyboard works in it as in every menu.
  virtual int ShowMenu(const std::vector<MenuItem>& items) = 0;

  // Shows a notification from the icon: a title and a text that come and go
  // by themselves and take no focus from the program the user is in. False
  // when it cannot be shown (no icon, or the system refused it); the caller
  // then tells the user another way.
  virtual bool Notify(std::u16string_view title, std::u16string_view text) = 0;
};

}  // namespace fenlow::platform
