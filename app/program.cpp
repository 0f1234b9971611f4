#include "app/program.h"

namespace fenlow {

Program::Program(platform::Platform& platform, RecipesWindowFactory recipesWindow)
    : platform_(platform),
      form1_(platform, state_, monitor_),
      monitor_(platform, state_, form1_),
      dispatcher_(monitor_),
      commands_(platform_, form1_, hotkeys_, inPlace_, recipes_, recipesWindow),
      trayIcon_(platform_, form1_, commands_, hotkeys_, static_cast<bool>(recipesWindow)) {
  monitor_.SetBulkEditStep(dispatcher_);
  commands_.OnOptionsClosed([this] { trayIcon_.UpdateTip(); });
  form1_.OnOptionsChosen([this] { commands_.ShowOptions(); });
  if (recipesWindow) form1_.OnRecipesChosen([this] { commands_.ShowRecipes(); });
  form1_.OnClipboardTextShown([this] { commands_.ClipboardShown(); });
  form1_.OnAutomaticRecipe([this] { return commands_.AutomaticRecipe(); });
}

Program::~Program() {
  if (!onlyInstance_) return;
  platform_.Startup().OnActivateRequest(nullptr);
  platform_.Startup().ReleaseSingleInstance();
}

// A second start ends before it makes a window or joins the viewer chain.
// Started by the sign-in, it leaves the running one where it is.
void Program::Run() {
  platform::StartupServices& startup = platform_.Startup();
  if (!startup.ClaimSingleInstance()) {
    if (!startup.StartedWithWindows()) startup.ActivateRunningInstance();
    return;
  }
  onlyInstance_ = true;
  startup.OnActivateRequest([this] { commands_.ShowMainWindow(); });
  form1_.Load();
  if (startup.StartedWithWindows()) {
    form1_.Window().ShowMinimized();
  } else {
    form1_.Show();
  }
  hotkeys_.Start([this](HotkeyCommand command) { OnHotkey(command); },
                 [this](const std::string& recipe) { commands_.RecipeHotkeyPressed(recipe); });
  trayIcon_.Show();
  commands_.StartRecipes();
  platform_.Forms().RunUntilUnloaded(form1_.Window());
}

void Program::OnHotkey(HotkeyCommand command) {
  switch (command) {
    case HotkeyCommand::Apply:
      return commands_.ApplyChosenEdit();
    case HotkeyCommand::Undo:
      return commands_.Undo();
    case HotkeyCommand::Paste:
      return commands_.PasteChosenEdit();
  }
}

}  // namespace fenlow
