// The design of the main window: its size, font and controls, positions in
// twips as designed (the backend converts them by the window's DPI).
#pragma once

#include <string_view>

#include "platform/ui.h"

namespace fenlow {

// The names of the main window and its controls, by which the program finds them.
namespace form1 {
inline constexpr char kName[] = "Form1";
inline constexpr char kFrame1[] = "Frame1";
inline constexpr char kText1[] = "Text1";              // the clipboard's text
inline constexpr char kPushButton3[] = "PushButton3";  // the edit button
inline constexpr char kFrame2[] = "Frame2";
inline constexpr char kCombo1[] = "Combo1";            // the option list
inline constexpr char kPushButton2[] = "PushButton2";  // the start button
inline constexpr char kFrame3[] = "Frame3";
inline constexpr char kPushButton1[] = "PushButton1";  // the link button
}  // namespace form1

// Captions of the edit button's two states; the caption alone holds the state.
inline constexpr std::u16string_view kEditIdleCaption = u"Edit/Retrieve Clipboard Text";
inline constexpr std::u16string_view kEditingCaption =
    u"Save Changes To Clipboard Text (Stop Editing)";

// The main window's own items of its system menu (the next ones take the
// following multiples of 16).
inline constexpr platform::SystemCommand kUndoCommand = 0x0100;
inline constexpr platform::SystemCommand kOptionsCommand = 0x0110;
inline constexpr platform::SystemCommand kRecipesCommand = 0x0120;

[[nodiscard]] platform::FormSpec Form1Spec();

}  // namespace fenlow
