// The design of the main window: its size, font and controls, positions in
// twips as designed (the backend converts them by the window's DPI).
#pragma once

#include <string_view>

#include "platform/ui.h"

namespace fenlow {

// Captions of the edit button's two states; the caption alone holds the state.
inline constexpr std::u16string_view kEditIdleCaption = u"Edit/Retrieve Clipboard Text";
inline constexpr std::u16string_view kEditingCaption =
    u"Save Changes To Clipboard Text (Stop Editing)";

[[nodiscard]] platform::FormSpec Form1Spec();

}  // namespace fenlow
