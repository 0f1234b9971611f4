// The recipes as the Recipes dialog edits them, before OK: the list, the
// chosen recipe and step, the edits of both, and what keeps them from being
// kept (a name that is empty or another's regardless of case, a step that
// cannot be used, a hotkey another of the recipes has).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edits/recipes/recipe.h"

namespace fenlow {

// What keeps a recipe from being kept, and where: the step's index when it
// is a step's, nullopt when it is the name's or the hotkey's.
struct DraftProblem {
  enum class Part { Name, Hotkey, Step };
  std::size_t recipe = 0;
  Part part = Part::Name;
  std::optional<std::size_t> step;
  std::u16string message;
};

// Why a hotkey cannot be the hotkey of the recipe so named (empty: it can).
using HotkeyCheck =
    std::function<std::u16string(std::u16string_view hotkey, std::string_view recipe)>;

class RecipesDraft {
 public:
  explicit RecipesDraft(std::vector<recipes::Recipe> recipes);

  [[nodiscard]] const std::vector<recipes::Recipe>& Recipes() const { return recipes_; }
  // Whether anything differs from what the dialog was opened with.
  [[nodiscard]] bool Changed() const;

  [[nodiscard]] std::optional<std::size_t> Chosen() const { return chosen_; }
  void Choose(std::optional<std::size_t> recipe);
  [[nodiscard]] recipes::Recipe* ChosenRecipe();
  [[nodiscard]] std::optional<std::size_t> ChosenStep() const { return chosenStep_; }
  void ChooseStep(std::optional<std::size_t> step);
  [[nodiscard]] recipes::RecipeStep* ChosenRecipeStep();

  // A recipe with a name no other has ("New recipe", "New recipe 2", ...),
  // chosen.
  void AddRecipe();
  // A copy of the chosen recipe just below it, named "<name> copy" (or with
  // a number after it), chosen.
  void DuplicateChosen();
  void DeleteChosen();
  // Moves the chosen recipe one place up (-1) or down (+1), when it can.
  void MoveChosen(int by);

  // A step of `edit` (a short name) after the chosen step, or at the end.
  void AddStep(std::string_view edit);
  void RemoveChosenStep();
  void MoveChosenStep(int by);

  // The name's problem, the hotkey's (among the recipes of the draft; the
  // rest is `check`'s) and the step's, each empty when there is none.
  [[nodiscard]] std::u16string NameProblem(std::size_t recipe) const;
  [[nodiscard]] std::u16string HotkeyProblem(std::size_t recipe, const HotkeyCheck& check) const;
  [[nodiscard]] static std::u16string StepProblem(const recipes::RecipeStep& step);
  // The first of every recipe's problems: the chosen recipe's, then the
  // others' in the list's order.
  [[nodiscard]] std::optional<DraftProblem> FirstProblem(const HotkeyCheck& check) const;

  // The recipes as OK keeps them: every edit by its short name.
  [[nodiscard]] std::vector<recipes::Recipe> ToKeep() const;

 private:
  [[nodiscard]] bool NameTaken(std::string_view name) const;
  [[nodiscard]] std::string UnusedName(std::string_view base) const;

  std::vector<recipes::Recipe> original_;
  std::vector<recipes::Recipe> recipes_;
  std::optional<std::size_t> chosen_;
  std::optional<std::size_t> chosenStep_;
};

// "Step 2 (remove-first)", as messages name a step.
[[nodiscard]] std::u16string StepTitle(std::size_t index, const recipes::RecipeStep& step);

}  // namespace fenlow
