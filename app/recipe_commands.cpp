// The commands of the recipes: running one on the clipboard, the Recipes
// dialog with the services it asks for, and the recipe of automatic mode.
#include <chrono>
#include <memory>

#include "app/commands.h"
#include "app/recipe_run.h"
#include "edits/engine/failure_text.h"
#include "edits/engine/utf.h"
#include "shell/settings_keys.h"

namespace fenlow {
namespace {

constexpr std::u16string_view kNotificationTitle = u"Fenlow";
constexpr std::chrono::seconds kRecipeFileCheck{2};

constexpr std::u16string_view kChangedOnDiskQuestion =
    u"The recipe file has been changed by another program since the Recipes dialog read it.\r\n"
    u"Replace it with the recipes of this dialog? The changes made to the file meanwhile "
    u"would be lost (the file as it is now is kept as recipes.toml.bak).";

constexpr int kShowWindow = 5;  // the folder's window as the shell chooses to open it

constexpr std::u16string_view kFolderNotOpened =
    u"The folder of the recipe file could not be opened: ";

std::u16string Quoted(const std::string& name) {
  std::u16string quoted(1, u'"');
  quoted.append(edits::Utf8ToUtf16(name)).push_back(u'"');
  return quoted;
}

std::u16string NoSuchRecipe(const std::string& name) {
  std::u16string text(u"The recipe file has no recipe named ");
  text.append(Quoted(name)).append(u" any more: nothing was written.");
  return text;
}

std::u16string AutomaticRecipeGone(const std::string& name) {
  std::u16string text(u"\"Apply the chosen edit to every copy\" applies the chosen edit again: ");
  text.append(u"the recipe file has no recipe named ").append(Quoted(name)).append(u" any more.");
  return text;
}

std::vector<RecipeKey> KeysOf(const std::vector<recipes::Recipe>& recipes) {
  std::vector<RecipeKey> keys;
  for (const recipes::Recipe& recipe : recipes) {
    if (recipe.hotkey && !recipe.hotkey->empty())
      keys.push_back({recipe.name, edits::Utf8ToUtf16(*recipe.hotkey)});
  }
  return keys;
}

// The recipe that stands where `name` stood in the file before, by the
// place it was read from; nullptr when it was deleted.
const recipes::Recipe* Successor(const std::vector<recipes::Recipe>& before,
                                 const std::vector<recipes::Recipe>& after,
                                 const std::string& name) {
  for (const recipes::Recipe& old : before) {
    if (!recipes::SameName(old.name, name) || !old.origin) continue;
    for (const recipes::Recipe& recipe : after)
      if (recipe.origin == old.origin) return &recipe;
    return nullptr;
  }
  for (const recipes::Recipe& recipe : after)
    if (recipes::SameName(recipe.name, name)) return &recipe;
  return nullptr;
}

}  // namespace

void Commands::Tell(const std::u16string& text) {
  ErrorTrap trap = TrapFor(u"Tell");
  bool notified = false;
  trap(100, [&] { notified = platform_.Tray().Notify(kNotificationTitle, text); });
  if (!notified)
    trap(102,
         [&] { platform_.Forms().ShowMessage(text, platform::kMessageBoxPlain, std::nullopt); });
}

// A box now would run the message loop while the monitor is out of the chain.
void Commands::TellDuringWrite(const std::u16string& text) {
  bool notified = false;
  try {
    notified = platform_.Tray().Notify(kNotificationTitle, text);
  } catch (const std::exception&) {
    // told in a box once the write is over
  }
  if (!notified) form1_.Monitor().TellAfterChange(text);
}

void Commands::StartRecipes() {
  ErrorTrap trap = TrapFor(u"StartRecipes");
  trap(100, [&] {
    automaticRecipe_ = edits::Utf16ToUtf8(platform_.Settings().Read(
        settings::kApplication, settings::kSection, settings::kApplyToEveryCopyRecipe, u""));
  });
  std::optional<std::u16string> problem;
  trap(102, [&] { problem = recipes_.Start(); });
  if (problem) Tell(*problem);
  trap(104, [&] { UseRecipeKeys(); });
  WatchRecipeFile();
}

// A file changed by hand brings its hotkeys without waiting for a run. The
// check outlives no program: it ends with the Commands that started it.
void Commands::WatchRecipeFile() {
  platform_.Forms().PostAfter(kRecipeFileCheck, [this, alive = std::weak_ptr<bool>(alive_)] {
    if (alive.expired() || !form1_.IsLoaded()) return;
    ErrorTrap trap = TrapFor(u"WatchRecipeFile");
    trap(100, [&] { RefreshRecipes(); });
    WatchRecipeFile();
  });
}

// While the Recipes dialog is open the file stays as the dialog read it:
// its OK must see a change made meanwhile, and its recipes point into that
// reading of the file.
void Commands::RefreshRecipes() {
  if (openRecipes_) return;
  const std::size_t reads = recipes_.Reads();
  if (const std::optional<std::u16string> problem = recipes_.Refresh()) Tell(*problem);
  if (recipes_.Reads() != reads) UseRecipeKeys();
}

void Commands::UseRecipeKeys() {
  hotkeys_.UseRecipeKeys(KeysOf(recipes_.Recipes()));
  if (optionsClosed_) optionsClosed_();  // the tooltip names the keys that do not work
}

const std::vector<recipes::Recipe>& Commands::CurrentRecipes() {
  ErrorTrap trap = TrapFor(u"CurrentRecipes");
  trap(100, [&] { RefreshRecipes(); });
  return recipes_.Recipes();
}

// The file is read as the run starts: a recipe run uses the file as it is now.
void Commands::RunRecipe(std::string name, platform::WindowHandle userWindow) {
  RunEdit(u"Recipe_Run", userWindow, [this, name = std::move(name)] {
    ErrorTrap trap = TrapFor(u"Recipe_Run");
    trap(100, [&] { RefreshRecipes(); });
    const recipes::Recipe* recipe = recipes_.Find(name);
    if (recipe == nullptr) {
      Tell(recipes_.Problem() ? *recipes_.Problem() : NoSuchRecipe(name));
      return;
    }
    ProgramState& state = form1_.State();
    trap(102, [&] { state.RequestedEdit = RecipeEdit(*recipe); });
    trap(104, [&] { state.BulkEditRequested = true; });
    trap(106, [&] { state.ManualSaveRequested = false; });
    trap(108, [&] { form1_.Monitor().OnClipboardChange(); });
    // Nothing of the request outlives it, also after a failure above.
    state.RequestedEdit = {};
    state.BulkEditRequested = false;
  });
}

std::string Commands::AutomaticRecipeName() const {
  return automaticRecipe_;
}

void Commands::SetAutomaticRecipeName(std::string name) {
  automaticRecipe_ = std::move(name);
  platform_.Settings().Write(settings::kApplication, settings::kSection,
                             settings::kApplyToEveryCopyRecipe,
                             edits::Utf8ToUtf16(automaticRecipe_));
}

// Runs while the clipboard is written: what is told waits for the write. A
// file that cannot be read keeps the choice, and writes nothing meanwhile.
TextEdit Commands::AutomaticRecipe() {
  if (automaticRecipe_.empty()) return {};
  try {
    const std::size_t reads = recipes_.Reads();
    if (!openRecipes_) {
      if (const std::optional<std::u16string> problem = recipes_.Refresh())
        TellDuringWrite(*problem);
    }
    if (recipes_.Reads() != reads) {
      platform_.Forms().Post([this, alive = std::weak_ptr<bool>(alive_)] {
        if (!alive.expired()) UseRecipeKeys();
      });
    }
    if (const recipes::Recipe* recipe = recipes_.Find(automaticRecipe_)) return RecipeEdit(*recipe);
    if (const std::optional<std::u16string> problem = recipes_.Problem()) {
      return [problem = *problem](std::u16string_view) {
        return TextEditOutcome{std::nullopt, problem};
      };
    }
    const std::string gone = automaticRecipe_;
    SetAutomaticRecipeName({});
    TellDuringWrite(AutomaticRecipeGone(gone));
  } catch (const std::exception& failure) {
    return [why = FailureText(failure)](std::u16string_view) {
      return TextEditOutcome{std::nullopt, why};
    };
  }
  return {};
}

// The keys are free while the dialog is open, so that its hotkey box can
// take any combination; they are registered again as it closes.
void Commands::ShowRecipes() {
  if (!form1_.IsLoaded() || DialogBroughtToFront()) return;
  ErrorTrap trap = TrapFor(u"ShowRecipes");
  trap(100, [&] { RefreshRecipes(); });
  RecipesDialogContent content{recipes_.Recipes(), recipes_.Problem()};
  hotkeys_.Suspend();
  trap(102, [&] { openRecipes_ = recipesWindow_(platform_, RecipesServices()); });
  if (openRecipes_) trap(104, [&] { openRecipes_->ShowModal(content); });
  openRecipes_.reset();
  trap(106, [&] { hotkeys_.Resume(); });
  if (optionsClosed_) optionsClosed_();
}

void Commands::ClipboardShown() {
  if (openRecipes_) openRecipes_->ClipboardChanged();
}

RecipesDialogServices Commands::RecipesServices() {
  RecipesDialogServices services;
  services.hotkeyProblem = [this](std::u16string_view hotkey, std::string_view recipe) {
    return hotkeys_.RecipeKeyProblem(hotkey, recipe);
  };
  services.clipboardText = [this]() -> platform::SharedText {
    ProgramState& state = form1_.State();
    ClipboardText& clipboard = form1_.Monitor().Clipboard();
    if (state.ClipTextSequence == clipboard.SequenceNumber()) return state.ClipText;
    if (clipboard.GetClipboardKind() != platform::format::kText) return {};
    return clipboard.TryGetClipboardText(platform::format::kText).value_or(u"");
  };
  services.accept = [this](const std::vector<recipes::Recipe>& chosen) {
    return AcceptRecipes(chosen);
  };
  services.openFolder = [this] { OpenRecipeFolder(); };
  return services;
}

void Commands::OpenRecipeFolder() {
  const std::optional<std::u16string> folder = recipes_.Folder();
  std::u16string text(kFolderNotOpened);
  text.append(folder.value_or(u"%APPDATA% is not set."));
  try {
    if (folder && platform_.Messaging().ShellOpen(0, *folder, u"", kShowWindow)) return;
  } catch (const std::exception& failure) {
    text.append(u": ").append(FailureText(failure));
  }
  Tell(text);
}

// A file changed behind the dialog's back is written over only when the
// user says so. Renaming the recipe of automatic mode renames it there too;
// deleting it sends automatic mode back to the chosen edit, told once.
bool Commands::AcceptRecipes(const std::vector<recipes::Recipe>& chosen) {
  if (recipes_.ChangedOnDisk() &&
      !platform_.Forms().AskYesNo(kChangedOnDiskQuestion, std::nullopt)) {
    return false;
  }
  const std::vector<recipes::Recipe> before = recipes_.Recipes();
  recipes_.Write(chosen);
  if (!automaticRecipe_.empty()) {
    const recipes::Recipe* successor = Successor(before, chosen, automaticRecipe_);
    if (successor == nullptr) {
      const std::string gone = automaticRecipe_;
      SetAutomaticRecipeName({});
      Tell(AutomaticRecipeGone(gone));
    } else if (successor->name != automaticRecipe_) {
      SetAutomaticRecipeName(successor->name);
    }
  }
  hotkeys_.UseRecipeKeys(KeysOf(recipes_.Recipes()));
  hotkeys_.Suspend();  // until the dialog closes
  return true;
}

}  // namespace fenlow
