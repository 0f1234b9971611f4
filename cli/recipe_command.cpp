#include "cli/recipe_command.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "cli/cli_failure.h"
#include "edits/engine/utf.h"
#include "edits/pattern/every_edit.h"
#include "edits/recipes/recipe_file.h"
#include "edits/recipes/recipe_file_io.h"
#include "platform/system_file_system.h"
#include "platform/types.h"
#include "platform/user_folders.h"

namespace fenlow::cli {
namespace {

// The file to read: the one --recipes names, else the program's own.
std::u16string RecipesPath(const Command& command) {
  if (command.recipesFile) {
    try {
      return edits::Utf8ToUtf16(*command.recipesFile);
    } catch (const edits::EncodingError& error) {
      throw CliFailure(std::string("--recipes: ") + error.what(), kExitFailed);
    }
  }
  const std::optional<std::u16string> folder = platform::RoamingAppDataFolder();
  if (!folder) {
    throw CliFailure("--recipe needs --recipes FILE: this build has no recipe file of its own",
                     kExitBadUsage);
  }
  return *folder + u"\\Kestrane\\Fenlow\\recipes.toml";
}

recipes::RecipeFile ReadFile(std::u16string_view path) {
  const std::unique_ptr<platform::FileSystem> files = platform::CreateSystemFileSystem();
  const recipes::StepCheck check = [](const recipes::RecipeStep& step) {
    return edits::StepProblem(step.edit, step.param1.value_or(""), step.param2.value_or(""));
  };
  try {
    return recipes::ReadRecipeFile(*files, path, check);
  } catch (const recipes::RecipeError& error) {
    throw CliFailure(error.what(), kExitFailed);
  } catch (const platform::Failure& error) {
    throw CliFailure(
        "the recipe file '" + edits::Utf16ToUtf8(path) + "' cannot be read: " + error.what(),
        kExitFailed);
  }
}

}  // namespace

std::vector<RecipeStepText> ReadRecipeSteps(const Command& command) {
  const std::u16string path = RecipesPath(command);
  const recipes::RecipeFile file = ReadFile(path);
  for (const std::string& warning : file.WarningTexts()) {
    std::fprintf(stderr, "fenlow-cli: warning: %s\n", warning.c_str());
  }
  const recipes::Recipe* recipe = file.Find(*command.recipe);
  if (recipe == nullptr) {
    throw CliFailure("the recipe file '" + edits::Utf16ToUtf8(path) + "' has no recipe named \"" +
                         *command.recipe + "\"",
                     kExitFailed);
  }
  std::vector<RecipeStepText> steps;
  for (const recipes::RecipeStep& step : recipe->steps) {
    steps.push_back({step.edit, step.param1.value_or(""), step.param2.value_or(""), step.eachLine});
  }
  return steps;
}

}  // namespace fenlow::cli
