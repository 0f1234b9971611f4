// Recipe files from fuzzed text: each is read or refused with a RecipeFileError
// that says where; one that is read writes back (nothing it held is refused),
// reads back as the same recipes, and is written the same way again.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "edits/recipes/recipe_file.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/recipes/recipe_test_support.h"

namespace {

using fenlow::fuzz::Check;
using fenlow::fuzz::Finding;
using fenlow::recipes::RecipeFile;
using fenlow::recipes::RecipeFileError;
using fenlow::recipes::testing::CheckStep;
using fenlow::recipes::testing::Short;

void CheckRefusal(const RecipeFileError& error, std::string_view text) {
  const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  Check(error.where().line >= 1 && error.where().line <= lines, "refused on no line of the file",
        error.what());
  Check(error.where().column >= 1, "refused at no column", error.what());
  Check(!error.problem().empty(), "refused without saying what is wrong");
}

void CheckWrittenBack(const RecipeFile& file) {
  std::string written;
  try {
    written = file.Render(file.Recipes(), CheckStep);
  } catch (const std::exception& error) {
    Finding("recipes read cannot be written back", error.what());
  }
  try {
    const RecipeFile reread = RecipeFile::Parse(written, "written.toml", CheckStep);
    Check(Short(reread.Recipes()) == Short(file.Recipes()), "written back as other recipes",
          written);
    Check(reread.Render(reread.Recipes(), CheckStep) == written,
          "written back differently the second time", written);
  } catch (const RecipeFileError& error) {
    Finding("what was written cannot be read", std::string(error.what()) + "\n" + written);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    CheckWrittenBack(RecipeFile::Parse(text, "fuzzed.toml", CheckStep));
  } catch (const RecipeFileError& error) {
    CheckRefusal(error, text);
  }
  return 0;
}
