// The program's settings in the per-user store: where they live, their keys,
// and the two texts a yes-or-no setting is stored as.
#pragma once

#include <string_view>

namespace fenlow::settings {

// Application and section of every setting.
inline constexpr std::u16string_view kApplication = u"Kestrane";
inline constexpr std::u16string_view kSection = u"Fenlow";

// The chosen bulk edit, as its text in the option list.
inline constexpr std::u16string_view kChosenEdit = u"Combo1";
// The parameter dialogs' blank-line check box, yes or no.
inline constexpr std::u16string_view kBlankLine = u"Blank Line";
// "Apply the chosen edit to every copy", yes or no.
inline constexpr std::u16string_view kApplyToEveryCopy = u"Apply To Every Copy";
// The recipe automatic mode applies, by its name; empty: the chosen edit.
inline constexpr std::u16string_view kApplyToEveryCopyRecipe = u"Apply To Every Copy Recipe";
// The hotkeys that apply the chosen edit and that undo, as their names
// ("Ctrl+Alt+Shift+B"); empty for none.
inline constexpr std::u16string_view kHotkeyApply = u"Hotkey Apply";
inline constexpr std::u16string_view kHotkeyUndo = u"Hotkey Undo";
// The hotkey that pastes the chosen edit's result ("Paste edited"); empty for none.
inline constexpr std::u16string_view kHotkeyPaste = u"Hotkey Paste";
// What the apply hotkey does: "clipboard", "paste" or "selection".
inline constexpr std::u16string_view kHotkeyApplyMode = u"Hotkey Apply Mode";

inline constexpr std::u16string_view kTrue = u"True";
inline constexpr std::u16string_view kFalse = u"False";

}  // namespace fenlow::settings
