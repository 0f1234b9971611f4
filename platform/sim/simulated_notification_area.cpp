#include "platform/sim/simulated_notification_area.h"

namespace fenlow::platform::sim {

void SimulatedTray::ShowIcon(std::u16string_view tip) {
  faults_.Enter("ShowIcon");
  shown_ = true;
  tip_ = tip;
}

void SimulatedTray::SetTip(std::u16string_view tip) {
  faults_.Enter("SetTip");
  tip_ = tip;
}

int SimulatedTray::ShowMenu(const std::vector<MenuItem>& items) {
  faults_.Enter("ShowMenu");
  ++menusShown_;
  if (menuScripts_.empty()) return 0;
  auto script = std::move(menuScripts_.front());
  menuScripts_.erase(menuScripts_.begin());
  return script(items);
}

bool SimulatedTray::Notify(std::u16string_view title, std::u16string_view text) {
  faults_.Enter("Notify");
  if (!shown_) return false;
  notifications_.push_back({std::u16string(title), std::u16string(text)});
  return true;
}

void SimulatedTray::WhenMenuShown(std::function<int(const std::vector<MenuItem>&)> script) {
  menuScripts_.push_back(std::move(script));
}

void SimulatedTray::Post(IconEvent event) {
  if (!shown_) return;
  messaging_.PostTask([this, event] {
    if (handler_) handler_(event);
  });
}

}  // namespace fenlow::platform::sim
