// Hotkeys that reach the program whichever program has the keyboard, and
// the user's keyboard layout they are checked against.
#pragma once

#include <functional>
#include <string>

#include "platform/hotkey.h"

namespace fenlow::platform {

enum class HotkeyRegistration { Registered, HeldElsewhere };

class GlobalHotkeys {
 public:
  virtual ~GlobalHotkeys() = default;

  // Registers `hotkey` under `id` (replacing what `id` held), without
  // auto-repeat: holding the keys down presses it once. HeldElsewhere when
  // another program holds the combination; throws Failure on any other
  // refusal.
  virtual HotkeyRegistration Register(int id, const Hotkey& hotkey) = 0;
  // Frees `id`; nothing happens when it holds no hotkey.
  virtual void Unregister(int id) noexcept = 0;
  // Runs with the id of each registered hotkey the user presses, from the
  // message loop that dispatches it (the main loop, a modal one, a yield).
  // An empty handler stops the deliveries.
  virtual void OnPressed(std::function<void(int id)> handler) = 0;

  // What pressing `hotkey` types on the user's keyboard layout: Ctrl+Alt is
  // AltGr on many layouts (on the Polish one, Ctrl+Alt+Shift+Z types "Ż").
  // Empty when it types nothing there.
  virtual std::u16string CharactersTypedBy(const Hotkey& hotkey) = 0;
};

}  // namespace fenlow::platform
