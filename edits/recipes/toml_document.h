// The parsed TOML behind a RecipeFile, kept so that a write gives back what
// the file held besides the recipes. Only this layer's sources include it.
#pragma once

#include <toml++/toml.h>

#include <string>
#include <vector>

#include "edits/recipes/recipe_file.h"

namespace fenlow::recipes {

struct RecipeDocument {
  std::string source;
  toml::table root;
  // The file once more without its recipes, as it is written back before them
  // (parsed anew: a copy of a toml++ table loses its numbers' formats).
  toml::table rest;
  std::vector<Recipe> recipes;  // as read; each one's origin is its index
  // Each recipe's table in `root`, and its steps' tables.
  std::vector<const toml::table*> recipeTables;
  std::vector<std::vector<const toml::table*>> stepTables;
  std::vector<RecipeWarning> warnings;
};

// The keys of a recipe and of a step, in the order they are written.
inline constexpr std::string_view kNameKey = "name";
inline constexpr std::string_view kHotkeyKey = "hotkey";
inline constexpr std::string_view kModeKey = "mode";
inline constexpr std::string_view kStepKey = "step";
inline constexpr std::string_view kEditKey = "edit";
inline constexpr std::string_view kParam1Key = "param1";
inline constexpr std::string_view kParam2Key = "param2";
inline constexpr std::string_view kEachLineKey = "each-line";
inline constexpr std::string_view kRecipeKey = "recipe";

// A position in the file as toml++ gives it.
inline FilePosition PositionOf(const toml::source_region& region) {
  return {static_cast<int>(region.begin.line), static_cast<int>(region.begin.column)};
}

}  // namespace fenlow::recipes
