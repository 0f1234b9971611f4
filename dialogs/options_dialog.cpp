#include "dialogs/options_dialog.h"

#include <iterator>

#include "dialogs/parameter_dialog.h"
#include "shell/error_trap.h"

namespace fenlow {

using namespace options_form;
using platform::ControlKind;

platform::FormSpec OptionsDialog::Layout() {
  using dialog_layout::Captioned;
  platform::FormSpec spec;
  spec.name = kName;
  spec.caption = u"Fenlow Options";
  spec.clientWidthTwips = 7200;
  spec.clientHeightTwips = 5850;
  spec.background = platform::kButtonFace;
  spec.font = platform::FontSpec{u"Segoe UI", 9.0, false};
  spec.cancelControl = kCancel;
  // Each caption comes just before its box in the tab order, so that its
  // underlined letter with Alt moves into the box.
  spec.controls = {
      Captioned("Frame1", ControlKind::Frame, "", u"Hotkeys", {120, 120, 6960, 3675}, 0),
      Captioned("Label1", ControlKind::Label, "Frame1", u"&Apply the chosen edit:",
                {240, 330, 2895, 255}, 1),
      Captioned(kApplyHotkey, ControlKind::HotkeyBox, "Frame1", u"", {3240, 300, 1800, 315}, 2),
      Captioned(kApplyMode, ControlKind::ComboList, "Frame1", u"", {5160, 285, 1560, 345}, 3),
      Captioned(kApplyProblem, ControlKind::Label, "Frame1", u"", {240, 690, 6480, 450}, 4),
      Captioned("Label2", ControlKind::Label, "Frame1", u"&Undo Fenlow's last write:",
                {240, 1230, 2895, 255}, 5),
      Captioned(kUndoHotkey, ControlKind::HotkeyBox, "Frame1", u"", {3240, 1200, 3480, 315}, 6),
      Captioned(kUndoProblem, ControlKind::Label, "Frame1", u"", {240, 1590, 6480, 450}, 7),
      Captioned("Label6", ControlKind::Label, "Frame1", u"&Paste the chosen edit:",
                {240, 2130, 2895, 255}, 8),
      Captioned(kPasteHotkey, ControlKind::HotkeyBox, "Frame1", u"", {3240, 2100, 3480, 315}, 9),
      Captioned(kPasteProblem, ControlKind::Label, "Frame1", u"", {240, 2490, 6480, 450}, 10),
      Captioned("Label5", ControlKind::Label, "Frame1",
                u"Click a box and press the keys.\r\nBackspace leaves a box without a hotkey.",
                {240, 3060, 6480, 450}, 11),
      Captioned(kStartWithWindows, ControlKind::CheckBox, "", u"&Start with Windows",
                {240, 3900, 6840, 300}, 12),
      Captioned(kApplyToEveryCopy, ControlKind::CheckBox, "",
                u"Apply the chosen edit to every &copy", {240, 4260, 6840, 300}, 13),
      Captioned("Label8", ControlKind::Label, "", u"&Edit applied to every copy:",
                {480, 4665, 2655, 255}, 14),
      Captioned(kEveryCopyEdit, ControlKind::ComboList, "", u"", {3240, 4620, 3840, 345}, 15),
      Captioned(kOk, ControlKind::PushButton, "", u"OK", {3240, 5310, 1800, 405}, 16),
      Captioned(kCancel, ControlKind::PushButton, "", u"Cancel", {5160, 5310, 1800, 405}, 17),
  };
  return spec;
}

std::optional<OptionsChoice> OptionsDialog::ShowModal(const OptionsChoice& current,
                                                      const HotkeyProblems& known, Accept accept,
                                                      const std::vector<std::u16string>& recipes) {
  accept_ = std::move(accept);
  accepted_.reset();
  window_ = platform_.Forms().CreateForm(Layout());
  window_->SetIconToProgramIcon();
  window_->On(kOk, platform::ControlEvent::Click, [this] { Ok(); });
  window_->On(kCancel, platform::ControlEvent::Click, [this] { Cancel(); });
  Fill(current, known, recipes);
  window_->ShowModal();
  window_.reset();
  return accepted_;
}

// A hotkey the box cannot show (a setting that names none) leaves it empty;
// its problem says what the setting held.
void OptionsDialog::Fill(const OptionsChoice& current, const HotkeyProblems& known,
                         const std::vector<std::u16string>& recipes) {
  RunIgnoringFailure([&] { window_->Find(kApplyHotkey).SetText(current.applyHotkey); });
  RunIgnoringFailure([&] { window_->Find(kUndoHotkey).SetText(current.undoHotkey); });
  RunIgnoringFailure([&] { window_->Find(kPasteHotkey).SetText(current.pasteHotkey); });
  FillApplyMode(current.applyMode);
  window_->Find(kStartWithWindows).SetChecked(current.startWithWindows);
  window_->Find(kApplyToEveryCopy).SetChecked(current.applyToEveryCopy);
  platform::Control& everyCopyEdit = window_->Find(kEveryCopyEdit);
  everyCopyEdit.AddItem(kChosenEditEntry);
  bool listed = current.everyCopyRecipe.empty();
  for (const std::u16string& recipe : recipes) {
    everyCopyEdit.AddItem(RecipeEntry(recipe));
    listed = listed || recipe == current.everyCopyRecipe;
  }
  // A recipe that is not in the file stays the choice until another is made.
  if (!listed) everyCopyEdit.AddItem(RecipeEntry(current.everyCopyRecipe));
  everyCopyEdit.SetText(current.everyCopyRecipe.empty() ? std::u16string(kChosenEditEntry)
                                                        : RecipeEntry(current.everyCopyRecipe));
  ShowProblems(known);
}

std::u16string OptionsDialog::RecipeEntry(std::u16string_view recipe) {
  std::u16string entry(kRecipeEntryPrefix);
  entry.append(recipe);
  return entry;
}

OptionsChoice OptionsDialog::Chosen() {
  std::u16string everyCopyRecipe = window_->Find(kEveryCopyEdit).Text();
  if (everyCopyRecipe.starts_with(kRecipeEntryPrefix)) {
    everyCopyRecipe.erase(0, kRecipeEntryPrefix.size());
  } else {
    everyCopyRecipe.clear();
  }
  OptionsChoice chosen;
  chosen.applyHotkey = window_->Find(kApplyHotkey).Text();
  chosen.undoHotkey = window_->Find(kUndoHotkey).Text();
  chosen.startWithWindows = window_->Find(kStartWithWindows).Checked();
  chosen.applyToEveryCopy = window_->Find(kApplyToEveryCopy).Checked();
  chosen.pasteHotkey = window_->Find(kPasteHotkey).Text();
  chosen.applyMode = ChosenApplyMode();
  chosen.everyCopyRecipe = std::move(everyCopyRecipe);
  return chosen;
}

void OptionsDialog::FillApplyMode(platform::HotkeyMode mode) {
  platform::Control& modes = window_->Find(kApplyMode);
  for (std::u16string_view entry : kModeEntries) modes.AddItem(entry);
  modes.SetText(kModeEntries[static_cast<std::size_t>(mode)]);
}

platform::HotkeyMode OptionsDialog::ChosenApplyMode() {
  const std::u16string chosen = window_->Find(kApplyMode).Text();
  for (std::size_t i = 0; i < std::size(kModeEntries); ++i) {
    if (kModeEntries[i] == chosen) return static_cast<platform::HotkeyMode>(i);
  }
  return platform::HotkeyMode::Clipboard;
}

void OptionsDialog::FocusFirstProblem(const HotkeyProblems& problems) {
  const char* box = !problems.apply.empty()  ? kApplyHotkey
                    : !problems.undo.empty() ? kUndoHotkey
                                             : kPasteHotkey;
  window_->Find(box).SetFocus();
}

void OptionsDialog::Ok() {
  ErrorTrap trap(platform_.Forms(), TrapLocation(std::string_view(kName), u"PushButton1_Click"));
  std::optional<OptionsChoice> choice;
  trap(100, [&] { choice = Chosen(); });
  if (!choice) return;
  std::optional<HotkeyProblems> problems;
  try {
    problems = accept_(*choice);
  } catch (...) {
    trap(102, [&] {
      platform_.Forms().ShowMessage(
          u"The options could not all be kept.\r\n" + CurrentFailureDescription(),
          platform::kMessageBoxPlain, std::nullopt);
    });
    return;
  }
  trap(104, [&] { ShowProblems(*problems); });
  if (!problems->None()) {
    trap(106, [&] { FocusFirstProblem(*problems); });
    return;
  }
  accepted_ = *choice;
  trap(108, [&] { window_->Unload(); });
}

void OptionsDialog::Cancel() {
  ErrorTrap trap(platform_.Forms(), TrapLocation(std::string_view(kName), u"PushButton2_Click"));
  trap(100, [&] { window_->Unload(); });
}

void OptionsDialog::ShowProblems(const HotkeyProblems& problems) {
  window_->Find(kApplyProblem).SetText(problems.apply);
  window_->Find(kUndoProblem).SetText(problems.undo);
  window_->Find(kPasteProblem).SetText(problems.paste);
}

}  // namespace fenlow
