// The simulated desktop's global hotkeys. Tests act as the user and the
// other programs do: press a hotkey, hold one in another program, type on a
// keyboard layout.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/global_hotkeys.h"
#include "platform/sim/call_log.h"
#include "platform/sim/fault_injector.h"
#include "platform/sim/simulated_messaging.h"

namespace fenlow::platform::sim {

class SimulatedHotkeys final : public GlobalHotkeys {
 public:
  SimulatedHotkeys(FaultInjector& faults, CallLog& log, SimulatedMessaging& messaging)
      : faults_(faults), log_(log), messaging_(messaging) {}

  HotkeyRegistration Register(int id, const Hotkey& hotkey) override;
  void Unregister(int id) noexcept override;
  void OnPressed(std::function<void(int id)> handler) override { handler_ = std::move(handler); }
  std::u16string CharactersTypedBy(const Hotkey& hotkey) override;

  // --- What other programs and the user do -----------------------------------
  void HeldByOtherProgram(const Hotkey& hotkey) { heldElsewhere_.push_back(hotkey); }
  // On the user's keyboard layout, `hotkey` types `characters`.
  void LayoutTypes(const Hotkey& hotkey, std::u16string characters);
  // The user presses the keys: when the program registered them, the system
  // posts the press to it, handled at the next turn of the message loop.
  // Returns whether it was registered.
  bool Press(const Hotkey& hotkey);

  // --- What a test reads -------------------------------------------------------
  [[nodiscard]] std::vector<Hotkey> Registered() const;

 private:
  FaultInjector& faults_;
  CallLog& log_;
  SimulatedMessaging& messaging_;
  std::map<int, Hotkey> registered_;
  std::vector<Hotkey> heldElsewhere_;
  std::vector<std::pair<Hotkey, std::u16string>> layout_;
  std::function<void(int)> handler_;
};

}  // namespace fenlow::platform::sim
