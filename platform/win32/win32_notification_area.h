// The program's notification icon, owned by the desktop message window, and
// its popup menu.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "platform/notification_area.h"
#include "platform/win32/win32_desktop_message_window.h"

namespace fenlow::platform::win32 {

struct IconDeleter {
  void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

class Win32NotificationArea final : public NotificationArea {
 public:
  // The message the icon sends the desktop message window; tests send it too.
  static constexpr UINT kIconMessage = WM_APP + 2;

  explicit Win32NotificationArea(DesktopMessageWindow& messageWindow)
      : messageWindow_(messageWindow) {}
  ~Win32NotificationArea() override { RemoveIcon(); }

  void ShowIcon(std::u16string_view tip) override;
  void SetTip(std::u16string_view tip) override;
  void RemoveIcon() noexcept override;
  void OnIconEvent(std::function<void(IconEvent)> handler) override;
  int ShowMenu(const std::vector<MenuItem>& items) override;
  bool Notify(std::u16string_view title, std::u16string_view text) override;

 private:
  NOTIFYICONDATAW Data(UINT flags) const;
  // Adds the icon to the taskbar; without a taskbar (not started yet, or
  // restarting) it waits for the taskbar's broadcast that it is there.
  void Add();
  LRESULT OnIcon(WPARAM wParam, LPARAM lParam);

  DesktopMessageWindow& messageWindow_;
  bool wanted_ = false;
  bool added_ = false;
  bool version4_ = false;  // events in the form of NOTIFYICON_VERSION_4
  std::u16string tip_;
  // Where the menu asked for opens: the icon, whether the mouse or the
  // keyboard asked; without one given, where the pointer is.
  std::optional<POINT> menuAnchor_;
  UniqueIcon icon_;
  std::function<void(IconEvent)> handler_;
};

}  // namespace fenlow::platform::win32
