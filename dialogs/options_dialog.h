// The Options dialog: the global hotkeys (with why one does not work) and
// what the apply hotkey does, starting with Windows, and applying the chosen
// edit, or a recipe, to every copy. OK asks
// the caller to put the choice to use; a hotkey that cannot be used keeps
// the dialog open with the reason beside it, and its box gets the focus so
// that the user picks another.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/hotkey_mode.h"
#include "platform/platform.h"

namespace fenlow {

// The names of the dialog and its controls, by which the program finds them.
namespace options_form {
inline constexpr char kName[] = "Options";
inline constexpr char kApplyHotkey[] = "Hotkey1";
inline constexpr char kUndoHotkey[] = "Hotkey2";
inline constexpr char kApplyProblem[] = "Label3";  // why the apply hotkey does not work
inline constexpr char kUndoProblem[] = "Label4";
inline constexpr char kApplyMode[] = "Combo1";  // what the apply hotkey does
inline constexpr char kPasteHotkey[] = "Hotkey3";
inline constexpr char kPasteProblem[] = "Label7";
// The entries of kApplyMode, in the order of platform::HotkeyMode.
inline constexpr std::u16string_view kModeEntries[] = {u"Edit the clipboard", u"Paste edited",
                                                       u"Edit the selection"};
// What the paste hotkey's box offers while the setting was never made.
inline constexpr std::u16string_view kOfferedPasteHotkey = u"Ctrl+Alt+Shift+V";
inline constexpr char kStartWithWindows[] = "Check1";
inline constexpr char kApplyToEveryCopy[] = "Check2";
inline constexpr char kEveryCopyEdit[] = "Combo2";  // the chosen edit or one recipe
// The list's first entry; a recipe's entry is kRecipeEntryPrefix and its name.
inline constexpr std::u16string_view kChosenEditEntry = u"The chosen edit";
inline constexpr std::u16string_view kRecipeEntryPrefix = u"Recipe: ";
inline constexpr char kOk[] = "PushButton1";
inline constexpr char kCancel[] = "PushButton2";
}  // namespace options_form

struct OptionsChoice {
  std::u16string applyHotkey;  // as HotkeyText writes it; empty: none
  std::u16string undoHotkey;
  bool startWithWindows = false;
  bool applyToEveryCopy = false;
  std::u16string pasteHotkey{};
  platform::HotkeyMode applyMode = platform::HotkeyMode::Clipboard;
  // The recipe applied to every copy in place of the chosen edit; empty: the chosen edit.
  std::u16string everyCopyRecipe;
};

// Why each hotkey cannot be used, as a sentence; empty when it can.
struct HotkeyProblems {
  std::u16string apply;
  std::u16string undo;
  std::u16string paste;
  [[nodiscard]] bool None() const { return apply.empty() && undo.empty() && paste.empty(); }
};

class OptionsDialog {
 public:
  // Puts a choice to use and tells what is wrong with its hotkeys; throws
  // Failure when the choice cannot be kept (the user is told, the dialog
  // stays open).
  using Accept = std::function<HotkeyProblems(const OptionsChoice&)>;

  explicit OptionsDialog(platform::Platform& platform) : platform_(platform) {}

  // Shows the dialog modally with `current` and the problems known so far;
  // every copy may get one of `recipes` in place of the chosen edit. The
  // choice that OK had accepted, or nullopt after Cancel, Escape or the close
  // box.
  std::optional<OptionsChoice> ShowModal(const OptionsChoice& current, const HotkeyProblems& known,
                                         Accept accept,
                                         const std::vector<std::u16string>& recipes = {});

 private:
  [[nodiscard]] static platform::FormSpec Layout();
  void Fill(const OptionsChoice& current, const HotkeyProblems& known,
            const std::vector<std::u16string>& recipes);
  void Ok();
  void Cancel();
  [[nodiscard]] OptionsChoice Chosen();
  [[nodiscard]] static std::u16string RecipeEntry(std::u16string_view recipe);
  void ShowProblems(const HotkeyProblems& problems);
  void FillApplyMode(platform::HotkeyMode mode);
  [[nodiscard]] platform::HotkeyMode ChosenApplyMode();
  void FocusFirstProblem(const HotkeyProblems& problems);

  platform::Platform& platform_;
  std::unique_ptr<platform::Form> window_;
  Accept accept_;
  std::optional<OptionsChoice> accepted_;
};

}  // namespace fenlow
