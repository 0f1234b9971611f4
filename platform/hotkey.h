// A global hotkey: one key with modifiers, spelled in the settings as
// "Ctrl+Alt+Shift+B" and registered with the system as a virtual-key code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fenlow::platform {

struct Hotkey {
  bool control = false;
  bool alt = false;
  bool shift = false;
  std::uint8_t key = 0;  // the virtual-key code of the key pressed with the modifiers

  friend bool operator==(const Hotkey&, const Hotkey&) = default;
};

// The modifiers in the order Ctrl, Alt, Shift, then the key's name: "B", "7",
// "F5", "Space", "PageUp", "Num0", ... A key without a name of its own is
// written by its code, "VK_BA".
[[nodiscard]] std::u16string HotkeyText(const Hotkey& hotkey);

// The hotkey a text names, or nullopt when it names none. Case and the
// blanks around the parts do not matter, nor the order of the modifiers;
// Ctrl or Alt must be among them, so that no hotkey takes a key from plain
// typing.
[[nodiscard]] std::optional<Hotkey> ParseHotkey(std::u16string_view text);

}  // namespace fenlow::platform
