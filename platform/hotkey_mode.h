// What a hotkey does with its edit: edit the clipboard, paste the edited
// clipboard text into the program the user is in, or edit that program's
// selection in place. Stored as "clipboard", "paste" or "selection".
#pragma once

#include <string_view>

namespace fenlow::platform {

enum class HotkeyMode { Clipboard, Paste, Selection };

[[nodiscard]] std::u16string_view ModeText(HotkeyMode mode);
// The mode a stored text names; Clipboard when it is absent or names none.
[[nodiscard]] HotkeyMode ModeFromText(std::u16string_view text);

}  // namespace fenlow::platform
