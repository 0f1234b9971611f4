#include "dialogs/options_dialog.h"

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
  spec.clientHeightTwips = 4890;
  spec.background = platform::kButtonFace;
  spec.font = platform::FontSpec{u"Segoe UI", 9.0, false};
  spec.cancelControl = kCancel;
  // Each caption comes just before its box in the tab order, so that its
  // underlined letter with Alt moves into the box.
  spec.controls = {
      Captioned("Frame1", ControlKind::Frame, "", u"Hotkeys", {120, 120, 6960, 2775}, 0),
      Captioned("Label1", ControlKind::Label, "Frame1", u"&Apply the chosen edit:",
                {240, 330, 2895, 255}, 1),
      Captioned(kApplyHotkey, ControlKind::HotkeyBox, "Frame1", u"", {3240, 300, 3480, 315}, 2),
      Captioned(kApplyProblem, ControlKind::Label, "Frame1", u"", {240, 690, 6480, 450}, 3),
      Captioned("Label2", ControlKind::Label, "Frame1", u"&Undo Fenlow's last write:",
                {240, 1230, 2895, 255}, 4),
      Captioned(kUndoHotkey, ControlKind::HotkeyBox, "Frame1", u"", {3240, 1200, 3480, 315}, 5),
      Captioned(kUndoProblem, ControlKind::Label, "Frame1", u"", {240, 1590, 6480, 450}, 6),
      Captioned("Label5", ControlKind::Label, "Frame1",
                u"Click a box and press the keys.\r\nBackspace leaves a box without a hotkey.",
                {240, 2160, 6480, 450}, 7),
      Captioned(kStartWithWindows, ControlKind::CheckBox, "", u"&Start with Windows",
                {240, 3000, 6840, 300}, 8),
      Captioned(kApplyToEveryCopy, ControlKind::CheckBox, "",
                u"Apply the chosen edit to every &copy", {240, 3360, 6840, 300}, 9),
      Captioned("Label6", ControlKind::Label, "", u"&Edit applied to every copy:",
                {480, 3765, 2655, 255}, 10),
      Captioned(kEveryCopyEdit, ControlKind::ComboList, "", u"", {3240, 3720, 3840, 345}, 11),
      Captioned(kOk, ControlKind::PushButton, "", u"OK", {3240, 4350, 1800, 405}, 12),
      Captioned(kCancel, ControlKind::PushButton, "", u"Cancel", {5160, 4350, 1800, 405}, 13),
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
  return {window_->Find(kApplyHotkey).Text(), window_->Find(kUndoHotkey).Text(),
          window_->Find(kStartWithWindows).Checked(), window_->Find(kApplyToEveryCopy).Checked(),
          std::move(everyCopyRecipe)};
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
    trap(106,
         [&] { window_->Find(problems->apply.empty() ? kUndoHotkey : kApplyHotkey).SetFocus(); });
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
}

}  // namespace fenlow
