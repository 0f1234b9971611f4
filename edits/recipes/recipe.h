// A recipe: a named chain of edits, as a recipe file holds it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fenlow::recipes {

// Where something stands in a recipe file, counted from 1; 0 for what no file
// holds yet (a recipe made in a dialog).
struct FilePosition {
  int line = 0;
  int column = 0;
  friend bool operator==(const FilePosition&, const FilePosition&) = default;
};

struct RecipeStep {
  std::string edit;                   // a short name or an option text
  std::optional<std::string> param1;  // as on the command line; nullopt when not given
  std::optional<std::string> param2;
  bool eachLine = false;
  FilePosition position;  // of the step's table
  // Which step of its recipe's file origin it was read as; keep it when
  // editing, so that a write keeps the keys the file gave that step besides.
  std::optional<std::size_t> origin;
};

struct Recipe {
  std::string name;
  std::optional<std::string> hotkey;  // written as the setting "Hotkey Apply" is
  std::optional<std::string> mode;
  std::vector<RecipeStep> steps;
  FilePosition position;  // of the recipe's table
  // Which recipe of the file it was read as (see RecipeStep::origin); a copy
  // keeps it too, and so the other keys the file gave the recipe.
  std::optional<std::size_t> origin;
};

// What a recipe holds, without where it came from.
bool SameContent(const RecipeStep& a, const RecipeStep& b);
bool SameContent(const Recipe& a, const Recipe& b);

// Whether two recipe names are the same regardless of case (of ASCII
// letters), and the name as it is compared.
bool SameName(std::string_view a, std::string_view b);
std::string NameKey(std::string_view name);

// The caller's check of a step, from one who knows the edits: nullopt when
// its edit exists and its parameters suit it, otherwise what is wrong, for
// instance "unknown edit \"unwrap-line\"".
using StepCheck = std::function<std::optional<std::string>(const RecipeStep&)>;

}  // namespace fenlow::recipes
