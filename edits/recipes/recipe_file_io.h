// Recipe files on the disk, through the platform's file services.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "edits/recipes/recipe_file.h"
#include "platform/file_system.h"

namespace fenlow::recipes {

// "<path>.bak": the file as it was before the last write.
std::u16string BackupPath(std::u16string_view path);

// Reads the recipe file `path`. Throws RecipeFileError (see
// RecipeFile::Parse) or platform::Failure when it cannot be read.
RecipeFile ReadRecipeFile(platform::FileSystem& files, std::u16string_view path,
                          const StepCheck& check);

// Writes `recipes` to `path` as `read.Render` makes them (`read`: the file as
// read before, or RecipeFile() for none). The file is replaced as a whole or
// not at all, and the file it replaces is kept as BackupPath(path) first.
// Throws RecipeError before anything is written (see Render), or
// platform::Failure with `path` as it was.
void WriteRecipeFile(platform::FileSystem& files, std::u16string_view path, const RecipeFile& read,
                     const std::vector<Recipe>& recipes, const StepCheck& check);

}  // namespace fenlow::recipes
