// Undo of Fenlow's writes, and automatic mode ("Apply the chosen edit to
// every copy"), as the main window offers them.
#include "app/form1.h"
#include "app/form1_layout.h"
#include "shell/settings_keys.h"

namespace fenlow {

namespace {

constexpr std::u16string_view kReplaceNewerCopyQuestion =
    u"Another program has copied to the clipboard since Fenlow last changed it.\r\n"
    u"Undo would replace that newer copy with what the clipboard held before Fenlow's change. "
    u"Replace it?";

}  // namespace

void Form1::Undo() {
  monitor_.Requests().Run([this] { UndoLastWrite(); });
}

// A question that cannot be asked counts as No: the newer copy stays.
void Form1::UndoLastWrite() {
  ErrorTrap trap = TrapFor(u"Undo");
  const UndoHistory& steps = state_.UndoSteps;
  if (trap.Test(100, [&] {
        return !steps.Empty() &&
               monitor_.Clipboard().SequenceNumber() != steps.Latest().sequenceAfterWrite;
      })) {
    bool replace = false;
    trap(102,
         [&] { replace = platform_.Forms().AskYesNo(kReplaceNewerCopyQuestion, std::nullopt); });
    if (!replace) return;
  }
  trap(104, [&] { monitor_.UndoLastWrite(); });
}

void Form1::AddUndoToSystemMenu() {
  Window().AddSystemMenuItem(kUndoCommand, u"&Undo", [this] { Undo(); });
}

void Form1::AddOptionsToSystemMenu() {
  Window().AddSystemMenuItem(kOptionsCommand, u"&Options...", showOptions_);
}

void Form1::AddRecipesToSystemMenu() {
  Window().AddSystemMenuItem(kRecipesCommand, u"&Recipes...", showRecipes_);
}

// A fresh start for the guards; which changes were edited or written by the
// program stays known.
void Form1::SetApplyToEveryCopy(bool on) {
  state_.ApplyToEveryCopy = on;
  state_.AutomaticEdits.recentWrites.clear();
  state_.AutomaticEdits.failureTold = false;
  platform_.Settings().Write(settings::kApplication, settings::kSection,
                             settings::kApplyToEveryCopy, on ? settings::kTrue : settings::kFalse);
}

bool Form1::ApplyToEveryCopy() const {
  return state_.ApplyToEveryCopy;
}

void Form1::RestoreApplyToEveryCopy() {
  state_.ApplyToEveryCopy =
      platform_.Settings().Read(settings::kApplication, settings::kSection,
                                settings::kApplyToEveryCopy, settings::kFalse) == settings::kTrue;
}

std::optional<EditParameters> Form1::AutomaticParameters() {
  return ParametersWithoutAsking(Combo1Text());
}

void Form1::TurnOffApplyToEveryCopy() {
  SetApplyToEveryCopy(false);
}

}  // namespace fenlow
