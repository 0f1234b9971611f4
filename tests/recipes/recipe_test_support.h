// What the recipe tests share: a check of steps that knows a few edits, and
// recipes written out short for comparing.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edits/recipes/recipe.h"

namespace fenlow::recipes::testing {

// Knows four edits by short name and one by its option text; remove-first
// needs a param1.
inline std::optional<std::string> CheckStep(const RecipeStep& step) {
  constexpr std::array<std::string_view, 5> kKnown = {"remove-first", "remove-invisible",
                                                      "unwrap-lines", "replace-list",
                                                      "Remove all tabs in clipboard"};
  for (std::string_view known : kKnown) {
    if (step.edit != known) continue;
    if (known == "remove-first" && !step.param1) return "remove-first needs param1";
    return std::nullopt;
  }
  return "unknown edit \"" + step.edit + "\"";
}

// "name: edit, edit(param1|param2)*" with * for each-line; recipes joined by "; ".
inline std::string Short(const std::vector<Recipe>& recipes) {
  std::string text;
  for (const Recipe& recipe : recipes) {
    if (!text.empty()) text += "; ";
    text += recipe.name + ":";
    for (const RecipeStep& step : recipe.steps) {
      text += " " + step.edit;
      if (step.param1 || step.param2) {
        text += "(" + step.param1.value_or("-") + "|" + step.param2.value_or("-") + ")";
      }
      if (step.eachLine) text += "*";
    }
  }
  return text;
}

inline RecipeStep NewStep(std::string edit, std::optional<std::string> param1 = std::nullopt,
                          bool eachLine = false) {
  RecipeStep step;
  step.edit = std::move(edit);
  step.param1 = std::move(param1);
  step.eachLine = eachLine;
  return step;
}

inline Recipe NewRecipe(std::string name, std::vector<RecipeStep> steps) {
  Recipe recipe;
  recipe.name = std::move(name);
  recipe.steps = std::move(steps);
  return recipe;
}

}  // namespace fenlow::recipes::testing
