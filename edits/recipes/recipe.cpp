#include "edits/recipes/recipe.h"

#include <algorithm>

namespace fenlow::recipes {
namespace {

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SameContent(const RecipeStep& a, const RecipeStep& b) {
  return a.edit == b.edit && a.param1 == b.param1 && a.param2 == b.param2 &&
         a.eachLine == b.eachLine;
}

bool SameContent(const Recipe& a, const Recipe& b) {
  return a.name == b.name && a.hotkey == b.hotkey && a.mode == b.mode &&
         std::equal(a.steps.begin(), a.steps.end(), b.steps.begin(), b.steps.end(),
                    [](const RecipeStep& x, const RecipeStep& y) { return SameContent(x, y); });
}

std::string NameKey(std::string_view name) {
  std::string key(name);
  std::transform(key.begin(), key.end(), key.begin(), LowerAscii);
  return key;
}

bool SameName(std::string_view a, std::string_view b) {
  return NameKey(a) == NameKey(b);
}

}  // namespace fenlow::recipes
