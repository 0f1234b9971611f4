#include "platform/sim/simulated_hotkeys.h"

#include <algorithm>

namespace fenlow::platform::sim {

HotkeyRegistration SimulatedHotkeys::Register(int id, const Hotkey& hotkey) {
  faults_.Enter("RegisterHotkey");
  log_.Record("RegisterHotkey(" + std::to_string(id) + ")");
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
  faults_.Enter("CharactersTypedBy");
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
    messaging_.PostTask([this, id = id] {
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

}  // namespace fenlow::platform::sim
