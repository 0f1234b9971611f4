#include "edits/recipes/recipe_file_io.h"

#include "edits/engine/utf.h"

namespace fenlow::recipes {
namespace {

// The path as messages show it; a lone surrogate, which UTF-8 cannot carry,
// as U+FFFD.
std::string ShownPath(std::u16string_view path) {
  std::u16string shown(path);
  for (std::size_t index = 0; index < shown.size(); ++index) {
    try {
      return edits::Utf16ToUtf8(shown);
    } catch (const edits::EncodingError& error) {
      shown[error.offset()] = u'\uFFFD';
    }
  }
  return edits::Utf16ToUtf8(shown);
}

}  // namespace

std::u16string BackupPath(std::u16string_view path) {
  return std::u16string(path) + u".bak";
}

RecipeFile ReadRecipeFile(platform::FileSystem& files, std::u16string_view path,
                          const StepCheck& check) {
  return RecipeFile::Parse(files.ReadWholeFile(path), ShownPath(path), check);
}

void WriteRecipeFile(platform::FileSystem& files, std::u16string_view path, const RecipeFile& read,
                     const std::vector<Recipe>& recipes, const StepCheck& check) {
  const std::string text = read.Render(recipes, check);
  if (!files.IsAbsent(path)) {
    files.ReplaceWholeFile(BackupPath(path), files.ReadWholeFile(path));
  }
  files.ReplaceWholeFile(path, text);
}

}  // namespace fenlow::recipes
