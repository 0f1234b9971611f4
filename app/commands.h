// What reaches Fenlow from outside its window: the global hotkeys, the
// notification icon's click and menu, and a second start of the program.
// A command that changes the clipboard takes the road of the start button's
// click, with its dialogs. While a dialog or message of Fenlow is open,
// every command only brings that one to the front.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/form1.h"
#include "app/hotkey_keeper.h"
#include "app/in_place_edit.h"
#include "app/recipe_store.h"
#include "app/recipes_window.h"
#include "dialogs/options_dialog.h"

namespace fenlow {

class Commands {
 public:
  Commands(platform::Platform& platform, Form1& form1, HotkeyKeeper& hotkeys, InPlaceEdit& inPlace,
           RecipeStore& recipes, RecipesWindowFactory recipesWindow)
      : platform_(platform),
        form1_(form1),
        hotkeys_(hotkeys),
        inPlace_(inPlace),
        recipes_(recipes),
        recipesWindow_(std::move(recipesWindow)) {}

  // Applies the chosen edit as "Start Applying Bulk Edits" does. A dialog it
  // opens comes to the front; afterwards the program the user was in has
  // the focus again.
  void ApplyChosenEdit();
  // The paste hotkey: the chosen edit's result pasted into the program the
  // user is in, the clipboard left as it was.
  void PasteChosenEdit();
  // Chooses `option` in Combo1, remembered as the user's pick is, and applies it.
  void ApplyEdit(std::u16string option);
  // Undoes Fenlow's last write, as the system menu's Undo does.
  void Undo();
  // The main window in front, restored when minimised.
  void ShowMainWindow();
  // The Options dialog; what OnOptionsClosed gave runs once it is closed.
  void ShowOptions();
  void OnOptionsClosed(std::function<void()> closed) { optionsClosed_ = std::move(closed); }
  // Closes the main window as its close box does.
  void Exit();

  // recipe_commands.cpp
  // Reads the recipe file at start-up (writing the first one when there is
  // none) and registers the recipes' hotkeys.
  void StartRecipes();
  // Runs the recipe `name` of the recipe file as it is now on the clipboard's
  // text, on the road of the edits: one write, one undo step. `userWindow`
  // gets the focus back afterwards (0: none).
  void RunRecipe(std::string name, platform::WindowHandle userWindow);
  // A recipe's hotkey was pressed: the recipe runs in its hotkey's mode (the
  // recipe's key `mode`), on the clipboard or in the program the user is in.
  void RecipeHotkeyPressed(const std::string& name);
  // The recipes of the file as it is now.
  const std::vector<recipes::Recipe>& CurrentRecipes();
  [[nodiscard]] bool RecipesUnreadable() const { return recipes_.Problem().has_value(); }
  // The Recipes dialog; what OnOptionsClosed gave runs once it is closed.
  void ShowRecipes();
  // Text1 shows a new text of the clipboard: an open Recipes dialog previews it.
  void ClipboardShown();
  // The recipe that automatic mode applies in place of the chosen edit: the
  // setting "Apply To Every Copy Recipe"; empty for the chosen edit.
  [[nodiscard]] std::string AutomaticRecipeName() const;
  void SetAutomaticRecipeName(std::string name);
  // The chosen recipe's edit for automatic mode; empty for the chosen edit.
  // A recipe that is gone sends automatic mode back to the chosen edit, and
  // says so once.
  TextEdit AutomaticRecipe();

  // When a dialog or message of Fenlow is open, brings it to the front and
  // returns true: the command is then not carried out.
  bool DialogBroughtToFront();

 private:
  // Runs `edit` on the road of every request that changes the clipboard.
  void RunEdit(std::u16string_view procedure, platform::WindowHandle userWindow,
               std::function<void()> edit);
  // "Paste edited" or "Edit the selection" with the chosen edit, for the
  // hotkey of `command`.
  void EditInPlace(platform::HotkeyMode mode, HotkeyCommand command);
  // The in-place run, waiting its turn behind a change being handled, as a click does.
  void StartInPlace(InPlaceRequest request);
  // The chosen edit as a function of the text, with the parameters it last
  // ran with; it fails when it needs one never typed.
  HotkeyEdit ChosenEdit();
  static HotkeyEdit RecipeHotkeyEdit(const recipes::Recipe& recipe);
  // What the paste hotkey's box shows: the hotkey in use, or the one offered
  // while the setting was never made.
  std::u16string PasteHotkeyInOptions();
  HotkeyProblems Accept(const OptionsChoice& choice);
  ErrorTrap TrapFor(std::u16string_view procedure);

  // recipe_commands.cpp
  // The file read again when it changed; the recipes' keys follow it.
  void RefreshRecipes();
  void WatchRecipeFile();
  void UseRecipeKeys();
  RecipesDialogServices RecipesServices();
  bool AcceptRecipes(const std::vector<recipes::Recipe>& chosen);
  void OpenRecipeFolder();
  // Tells the user by a notification from the icon, else in a box.
  void Tell(const std::u16string& text);
  // The same while the clipboard is being written: a box waits until it is done.
  void TellDuringWrite(const std::u16string& text);

  platform::Platform& platform_;
  Form1& form1_;
  HotkeyKeeper& hotkeys_;
  InPlaceEdit& inPlace_;
  RecipeStore& recipes_;
  RecipesWindowFactory recipesWindow_;
  std::function<void()> optionsClosed_;
  std::unique_ptr<RecipesWindow> openRecipes_;  // while the dialog is open
  std::string automaticRecipe_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // for the posted file checks
};

}  // namespace fenlow
