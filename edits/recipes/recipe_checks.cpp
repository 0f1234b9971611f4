#include "edits/recipes/recipe_checks.h"

#include <map>
#include <string_view>

namespace fenlow::recipes {
namespace {

// How a message points at another recipe: by its line when it came from a
// file, by its number otherwise.
std::string PlaceOf(const Recipe& recipe, std::size_t index) {
  return recipe.position.line > 0 ? "on line " + std::to_string(recipe.position.line)
                                  : "recipe " + std::to_string(index + 1);
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::optional<RecipeProblem> FindStepProblem(const Recipe& recipe, const StepCheck& check) {
  for (std::size_t index = 0; index < recipe.steps.size(); ++index) {
    const RecipeStep& step = recipe.steps[index];
    const std::string which =
        "recipe " + Quoted(recipe.name) + ", step " + std::to_string(index + 1) + ": ";
    if (IsBlank(step.edit)) return RecipeProblem{step.position, which + "the edit is empty"};
    if (std::optional<std::string> wrong = check(step)) {
      return RecipeProblem{step.position, which + *wrong};
    }
  }
  return std::nullopt;
}

}  // namespace

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  quoted += text;
  quoted += '"';
  return quoted;
}

// Appended piece by piece: GCC 12 takes a chain of string + for an overlap
// (a false -Wrestrict) in the Release build.
std::string Located(std::string_view source, FilePosition where, std::string_view message) {
  std::string located(source);
  for (const std::string& piece : {std::string(":"), std::to_string(where.line), std::string(":"),
                                   std::to_string(where.column), std::string(": ")}) {
    located += piece;
  }
  located += message;
  return located;
}

std::optional<RecipeProblem> FindProblem(const std::vector<Recipe>& recipes,
                                         const StepCheck& check) {
  std::map<std::string, std::size_t> firstOfName;
  for (std::size_t index = 0; index < recipes.size(); ++index) {
    const Recipe& recipe = recipes[index];
    if (IsBlank(recipe.name)) {
      return RecipeProblem{recipe.position,
                           "recipe " + std::to_string(index + 1) + ": the name is empty"};
    }
    const auto [first, isNew] = firstOfName.emplace(NameKey(recipe.name), index);
    if (!isNew) {
      const Recipe& earlier = recipes[first->second];
      return RecipeProblem{recipe.position, "a second recipe named " + Quoted(recipe.name) +
                                                ": the first, " + Quoted(earlier.name) + ", is " +
                                                PlaceOf(earlier, first->second) +
                                                " (names are compared regardless of case)"};
    }
    if (std::optional<RecipeProblem> problem = FindStepProblem(recipe, check)) return problem;
  }
  return std::nullopt;
}

}  // namespace fenlow::recipes
