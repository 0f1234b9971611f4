#pragma once

#include <string>
#include <vector>

#include "cli/command_line.h"

namespace fenlow::cli {

// A step of a recipe as its file gives it.
struct RecipeStepText {
  std::string edit;
  std::string param1;
  std::string param2;
  bool eachLine = false;
};

// The steps of the recipe that --recipe names, read from the file --recipes
// gives or, on Windows, from the program's own: recipes.toml in
// %APPDATA%, folder Kestrane, Fenlow. Every step of the file is checked
// against the edits as it is read. The file's warnings (keys the reader does
// not know) go to standard error. Throws CliFailure: a file that cannot be
// read, is not of the recipes' shape (with its line and column) or names an
// unknown edit, and a recipe the file does not have, exit 1; no file to
// read, exit 2.
[[nodiscard]] std::vector<RecipeStepText> ReadRecipeSteps(const Command& command);

}  // namespace fenlow::cli
