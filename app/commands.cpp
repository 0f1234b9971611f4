#include "app/commands.h"

#include "app/form1_layout.h"
#include "edits/engine/utf.h"

namespace fenlow {

ErrorTrap Commands::TrapFor(std::u16string_view procedure) {
  return ErrorTrap(platform_.Forms(), TrapLocation(form1::kName, procedure));
}

bool Commands::DialogBroughtToFront() {
  return platform_.Forms().BringModalToFront();
}

void Commands::ApplyChosenEdit() {
  if (hotkeys_.ApplyMode() != platform::HotkeyMode::Clipboard)
    return EditInPlace(hotkeys_.ApplyMode(), HotkeyCommand::Apply);
  RunEdit(u"Hotkey_Apply", platform_.Forms().ForegroundWindow(),
          [this] { form1_.PushButton2_Click(); });
}

// The pick raises the list's click, which remembers it as today.
void Commands::ApplyEdit(std::u16string option) {
  RunEdit(u"TrayMenu_Click", 0, [this, option = std::move(option)] {
    ErrorTrap trap = TrapFor(u"TrayMenu_Click");
    trap(100, [&] { form1_.Find(form1::kCombo1).SetText(option); });
    form1_.PushButton2_Click();
  });
}

// The edit waits its turn behind a change being handled, as a click does;
// once it runs, a dialog opened meanwhile still comes first.
void Commands::RunEdit(std::u16string_view procedure, platform::WindowHandle userWindow,
                       std::function<void()> edit) {
  if (!form1_.IsLoaded() || DialogBroughtToFront()) return;
  form1_.Monitor().Requests().Run(
      [this, procedure = std::u16string(procedure), userWindow, edit = std::move(edit)] {
        if (!form1_.IsLoaded() || DialogBroughtToFront()) return;
        edit();
        if (userWindow == 0) return;
        ErrorTrap trap = TrapFor(procedure);
        trap(100, [&] {
          if (platform_.Forms().ForegroundWindow() != userWindow)
            platform_.Forms().ActivateWindow(userWindow);
        });
      });
}

void Commands::ShowMainWindow() {
  if (!form1_.IsLoaded() || DialogBroughtToFront()) return;
  ErrorTrap trap = TrapFor(u"ShowMainWindow");
  trap(100, [&] { form1_.Window().BringToFront(); });
}

void Commands::Exit() {
  if (!form1_.IsLoaded() || DialogBroughtToFront()) return;
  ErrorTrap trap = TrapFor(u"Exit");
  trap(100, [&] { form1_.Window().Close(); });
}

void Commands::Undo() {
  if (!form1_.IsLoaded() || DialogBroughtToFront()) return;
  form1_.Undo();
}

// The hotkeys are free while the dialog is open, so that their boxes can
// take any combination; Cancel puts back the ones in use before.
void Commands::ShowOptions() {
  if (!form1_.IsLoaded() || DialogBroughtToFront()) return;
  ErrorTrap trap = TrapFor(u"ShowOptions");
  const HotkeyStatus& apply = hotkeys_.Status(HotkeyCommand::Apply);
  const HotkeyStatus& undo = hotkeys_.Status(HotkeyCommand::Undo);
  const HotkeyStatus& paste = hotkeys_.Status(HotkeyCommand::Paste);
  const std::u16string pasteInUse = paste.text;
  OptionsChoice current;
  current.applyHotkey = apply.text;
  current.undoHotkey = undo.text;
  trap(100, [&] { current.startWithWindows = platform_.Startup().StartsWithWindows(); });
  current.applyToEveryCopy = form1_.ApplyToEveryCopy();
  current.applyMode = hotkeys_.ApplyMode();
  trap(101, [&] { current.pasteHotkey = PasteHotkeyInOptions(); });
  current.everyCopyRecipe = edits::Utf8ToUtf16(AutomaticRecipeName());
  std::vector<std::u16string> recipeNames;
  trap(103, [&] {
    for (const recipes::Recipe& recipe : CurrentRecipes())
      recipeNames.push_back(edits::Utf8ToUtf16(recipe.name));
  });
  const HotkeyProblems known{ProblemText(apply), ProblemText(undo), ProblemText(paste)};
  hotkeys_.Suspend();
  std::optional<OptionsChoice> accepted;
  OptionsDialog dialog(platform_);
  trap(102, [&] {
    accepted = dialog.ShowModal(
        current, known, [this](const OptionsChoice& choice) { return Accept(choice); },
        recipeNames);
  });
  if (!accepted) {
    trap(104, [&] { hotkeys_.Use(current.applyHotkey, current.undoHotkey, pasteInUse); });
  }
  if (optionsClosed_) optionsClosed_();
}

// A hotkey that cannot be had, or that a recipe has, sends the user back to
// pick another, with both freed again for the boxes.
HotkeyProblems Commands::Accept(const OptionsChoice& choice) {
  const HotkeyProblems recipesKeys{hotkeys_.FenlowsKeyProblem(choice.applyHotkey, {}),
                                   hotkeys_.FenlowsKeyProblem(choice.undoHotkey, {}),
                                   hotkeys_.FenlowsKeyProblem(choice.pasteHotkey, {})};
  if (!recipesKeys.None()) return recipesKeys;
  hotkeys_.Use(choice.applyHotkey, choice.undoHotkey, choice.pasteHotkey);
  HotkeyProblems problems{ProblemText(hotkeys_.Status(HotkeyCommand::Apply)),
                          ProblemText(hotkeys_.Status(HotkeyCommand::Undo)),
                          ProblemText(hotkeys_.Status(HotkeyCommand::Paste))};
  if (!problems.None()) {
    hotkeys_.Suspend();
    return problems;
  }
  try {
    hotkeys_.SetApplyMode(choice.applyMode);
    hotkeys_.StoreInSettings();
    platform_.Startup().SetStartWithWindows(choice.startWithWindows);
    const std::string everyCopyRecipe = edits::Utf16ToUtf8(choice.everyCopyRecipe);
    if (everyCopyRecipe != AutomaticRecipeName()) SetAutomaticRecipeName(everyCopyRecipe);
    if (choice.applyToEveryCopy != form1_.ApplyToEveryCopy())
      form1_.SetApplyToEveryCopy(choice.applyToEveryCopy);
  } catch (...) {
    hotkeys_.Suspend();
    throw;
  }
  return problems;
}

}  // namespace fenlow
