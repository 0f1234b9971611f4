// The Recipes dialog as the program opens it: made by a factory that Program
// is given, so that the program's tests can stand in for the dialog.
#pragma once

#include <functional>
#include <memory>

#include "dialogs/recipes_dialog.h"
#include "platform/platform.h"

namespace fenlow {

class RecipesWindow {
 public:
  virtual ~RecipesWindow() = default;
  // Shows it modally with `content`; true when OK's recipes were accepted.
  virtual bool ShowModal(const RecipesDialogContent& content) = 0;
  // A new copy was made: the preview follows it.
  virtual void ClipboardChanged() = 0;
};

using RecipesWindowFactory =
    std::function<std::unique_ptr<RecipesWindow>(platform::Platform&, RecipesDialogServices)>;

// The program's own: the Recipes dialog.
[[nodiscard]] std::unique_ptr<RecipesWindow> MakeRecipesDialog(platform::Platform& platform,
                                                               RecipesDialogServices services);

}  // namespace fenlow
