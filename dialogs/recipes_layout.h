// The Recipes dialog's two faces: the recipes with their steps, hotkey and
// preview; and, for a recipe file that cannot be read, its message alone.
#pragma once

#include <string_view>

#include "platform/ui.h"

namespace fenlow {

// The names of the dialog and its controls, by which the program and the
// tests find them.
namespace recipes_form {
inline constexpr char kName[] = "Recipes";
inline constexpr char kRecipeList[] = "List1";
inline constexpr char kNewRecipe[] = "PushButton1";
inline constexpr char kDuplicateRecipe[] = "PushButton2";
inline constexpr char kDeleteRecipe[] = "PushButton3";
inline constexpr char kRecipeUp[] = "PushButton4";
inline constexpr char kRecipeDown[] = "PushButton5";
inline constexpr char kRecipeName[] = "Text1";  // the chosen recipe's name
inline constexpr char kNameProblem[] = "Label10";
inline constexpr char kHotkey[] = "Hotkey1";
inline constexpr char kMode[] = "Combo1";
inline constexpr char kHotkeyProblem[] = "Label11";
inline constexpr char kStepList[] = "List2";
inline constexpr char kEditToAdd[] = "Combo2";
inline constexpr char kAddStep[] = "PushButton6";
inline constexpr char kRemoveStep[] = "PushButton7";
inline constexpr char kStepUp[] = "PushButton8";
inline constexpr char kStepDown[] = "PushButton9";
inline constexpr char kParam1Label[] = "Label6";
inline constexpr char kParam1[] = "Text2";
inline constexpr char kParam2Label[] = "Label7";
inline constexpr char kParam2[] = "Text3";
inline constexpr char kEachLine[] = "Check1";
inline constexpr char kStepProblem[] = "Label12";
inline constexpr char kBefore[] = "RichText1";  // the clipboard's text
inline constexpr char kAfter[] = "RichText2";   // what the recipe makes of it
inline constexpr char kSummary[] = "Label13";
inline constexpr char kOpenFolder[] = "PushButton10";
inline constexpr char kOk[] = "PushButton11";
inline constexpr char kCancel[] = "PushButton12";
// The face of a file that cannot be read.
inline constexpr char kUnreadable[] = "Label14";
inline constexpr char kClose[] = "PushButton13";
}  // namespace recipes_form

// The texts of the hotkey's mode, in the chooser's order, and what
// Recipe::mode holds for each.
struct ModeChoice {
  std::u16string_view text;
  std::string_view stored;
};
inline constexpr ModeChoice kModeChoices[] = {
    {u"Edit the clipboard", "clipboard"},
    {u"Paste edited", "paste"},
    {u"Edit the selection", "selection"},
};

[[nodiscard]] platform::FormSpec RecipesLayout();
[[nodiscard]] platform::FormSpec UnreadableRecipesLayout();

}  // namespace fenlow
