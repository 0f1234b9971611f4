// The Recipes dialog: the recipes of the recipe file by name, the chosen
// recipe's steps with their parameters, its hotkey and the hotkey's mode, and
// a live preview of what the recipe makes of the clipboard's current text.
// OK hands the recipes to the caller, who writes the file; Cancel, Escape and
// the close box leave everything as it was (asking first when there are
// changes). A file that could not be read is shown as its message, with
// nothing that could overwrite it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edits/recipes/recipe.h"
#include "platform/platform.h"

namespace fenlow {

struct RecipesDialogContent {
  std::vector<recipes::Recipe> recipes;  // as the file holds them, in its order
  // What is wrong with the file and where (line and column), when it could
  // not be read: shown in place of the lists.
  std::optional<std::u16string> unreadable;
};

struct RecipesDialogServices {
  // Why `hotkey` (as HotkeyText writes it) cannot be the hotkey of the recipe
  // named `recipe`: it types a character, another program holds it, or
  // another of Fenlow's own keys has it (named as Fenlow's). Empty when it
  // can be used.
  std::function<std::u16string(std::u16string_view hotkey, std::string_view recipe)> hotkeyProblem;
  // The clipboard's text now, for the preview (empty when it holds none).
  std::function<platform::SharedText()> clipboardText;
  // Puts the recipes OK was pressed with to use: writes the file (asking
  // first when it changed on disk since it was read). False when the user
  // chose not to overwrite it; throws Failure when it cannot be written (the
  // dialog shows why and stays open).
  std::function<bool(const std::vector<recipes::Recipe>&)> accept;
  // Opens the folder the recipe file is in.
  std::function<void()> openFolder;
};

class RecipesDialog {
 public:
  RecipesDialog(platform::Platform& platform, RecipesDialogServices services);
  ~RecipesDialog();
  RecipesDialog(const RecipesDialog&) = delete;
  RecipesDialog& operator=(const RecipesDialog&) = delete;

  // Shows the dialog modally with `content`; returns once it is closed, true
  // when OK's recipes were accepted.
  bool ShowModal(const RecipesDialogContent& content);
  // Whether the dialog is open now.
  [[nodiscard]] bool IsOpen() const;
  // A new copy was made: the preview follows it.
  void ClipboardChanged();

 private:
  class Window;
  platform::Platform& platform_;
  RecipesDialogServices services_;
  std::unique_ptr<Window> window_;
};

}  // namespace fenlow
