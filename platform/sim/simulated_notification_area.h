// The simulated desktop's notification area: the program's icon, its tip and
// its menu. Tests act as the user does: click the icon, pick in its menu.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/notification_area.h"
#include "platform/sim/fault_injector.h"
#include "platform/sim/simulated_messaging.h"

namespace fenlow::platform::sim {

class SimulatedTray final : public NotificationArea {
 public:
  SimulatedTray(FaultInjector& faults, SimulatedMessaging& messaging)
      : faults_(faults), messaging_(messaging) {}

  void ShowIcon(std::u16string_view tip) override;
  void SetTip(std::u16string_view tip) override;
  void RemoveIcon() noexcept override { shown_ = false; }
  void OnIconEvent(std::function<void(IconEvent)> handler) override {
    handler_ = std::move(handler);
  }
  int ShowMenu(const std::vector<MenuItem>& items) override;
  bool Notify(std::u16string_view title, std::u16string_view text) override;

  // --- What the user does --------------------------------------------------------
  // A click on the icon or a request for its menu, posted as the system does.
  void Click() { Post(IconEvent::Click); }
  void RequestMenu() { Post(IconEvent::MenuRequest); }
  // What the user does in the next menus opened, in turn: the script gets the
  // items and returns the id picked (0: Escape). Without one the menu is
  // closed with Escape.
  void WhenMenuShown(std::function<int(const std::vector<MenuItem>&)> script);

  // --- What a test reads -----------------------------------------------------------
  [[nodiscard]] bool IconShown() const { return shown_; }
  [[nodiscard]] const std::u16string& Tip() const { return tip_; }
  [[nodiscard]] int MenusShown() const { return menusShown_; }
  struct Notification {
    std::u16string title;
    std::u16string text;
  };
  // The notifications shown, oldest first.
  [[nodiscard]] const std::vector<Notification>& Notifications() const { return notifications_; }

 private:
  void Post(IconEvent event);

  FaultInjector& faults_;
  SimulatedMessaging& messaging_;
  bool shown_ = false;
  std::u16string tip_;
  int menusShown_ = 0;
  std::vector<Notification> notifications_;
  std::vector<std::function<int(const std::vector<MenuItem>&)>> menuScripts_;
  std::function<void(IconEvent)> handler_;
};

}  // namespace fenlow::platform::sim
