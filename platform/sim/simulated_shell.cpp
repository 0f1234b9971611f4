#include "platform/sim/simulated_shell.h"

#include <algorithm>

#include "platform/sim/simulated_desktop.h"

namespace fenlow::platform::sim {

// --- Hotkeys ---------------------------------------------------------------------------

HotkeyRegistration SimulatedHotkeys::Register(int id, const Hotkey& hotkey) {
  desktop_.Faults().Enter("RegisterHotkey");
  desktop_.Log().Record("RegisterHotkey(" + std::to_string(id) + ")");
  registered_.erase(id);
  const bool held =
      std::find(heldElsewhere_.begin(), heldElsewhere_.end(), hotkey) != heldElsewhere_.end();
  if (held) return HotkeyRegistration::HeldElsewhere;
  registered_[id] = hotkey;
  return HotkeyRegistration::Registered;
}

void SimulatedHotkeys::Unregister(int id) noexcept {
  registered_.erase(id);
}

std::u16string SimulatedHotkeys::CharactersTypedBy(const Hotkey& hotkey) {
  desktop_.Faults().Enter("CharactersTypedBy");
  for (const auto& [typing, characters] : layout_) {
    if (typing == hotkey) return characters;
  }
  return {};
}

void SimulatedHotkeys::LayoutTypes(const Hotkey& hotkey, std::u16string characters) {
  layout_.emplace_back(hotkey, std::move(characters));
}

bool SimulatedHotkeys::Press(const Hotkey& hotkey) {
  for (const auto& [id, registered] : registered_) {
    if (registered != hotkey) continue;
    desktop_.SimMessaging().PostTask([this, id = id] {
      if (handler_) handler_(id);
    });
    return true;
  }
  return false;
}

std::vector<Hotkey> SimulatedHotkeys::Registered() const {
  std::vector<Hotkey> hotkeys;
  for (const auto& entry : registered_) hotkeys.push_back(entry.second);
  return hotkeys;
}

// --- Notification area ---------------------------------------------------------------------

void SimulatedTray::ShowIcon(std::u16string_view tip) {
  desktop_.Faults().Enter("ShowIcon");
  shown_ = true;
  tip_ = tip;
}

void SimulatedTray::SetTip(std::u16string_view tip) {
  desktop_.Faults().Enter("SetTip");
  tip_ = tip;
}

int SimulatedTray::ShowMenu(const std::vector<MenuItem>& items) {
  desktop_.Faults().Enter("ShowMenu");
  ++menusShown_;
  if (menuScripts_.empty()) return 0;
  auto script = std::move(menuScripts_.front());
  menuScripts_.erase(menuScripts_.begin());
  return script(items);
}

void SimulatedTray::WhenMenuShown(std::function<int(const std::vector<MenuItem>&)> script) {
  menuScripts_.push_back(std::move(script));
}

void SimulatedTray::Post(IconEvent event) {
  if (!shown_) return;
  desktop_.SimMessaging().PostTask([this, event] {
    if (handler_) handler_(event);
  });
}

// --- Start-up -----------------------------------------------------------------------------

SimulatedStartup::SimulatedStartup(SimulatedDesktop& desktop) : desktop_(desktop) {
  desktop_.Faults().DescribeFailure("WriteSignInEntry", "The sign-in entry cannot be written.");
}

bool SimulatedStartup::ClaimSingleInstance() {
  desktop_.Faults().Enter("ClaimSingleInstance");
  if (claimed_) return false;
  claimed_ = true;
  return true;
}

void SimulatedStartup::ActivateRunningInstance() {
  desktop_.Faults().Enter("ActivateRunningInstance");
  ++activationRequests_;
  desktop_.SimMessaging().PostTask([this] {
    if (handler_) handler_();
  });
}

bool SimulatedStartup::StartsWithWindows() {
  desktop_.Faults().Enter("ReadSignInEntry");
  return signInEntry_;
}

void SimulatedStartup::SetStartWithWindows(bool on) {
  desktop_.Faults().Enter("WriteSignInEntry");
  signInEntry_ = on;
}

}  // namespace fenlow::platform::sim
