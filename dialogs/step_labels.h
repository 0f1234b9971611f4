// The words the Recipes dialog shows for edits and steps: an edit in the
// chooser, a step in the list, and what each of a step's parameters means
// for its edit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "edits/engine/edit_definition.h"
#include "edits/recipes/recipe.h"

namespace fenlow {

struct StepLabels {
  std::u16string param1 = u"(&1)";
  std::u16string param2 = u"(&2)";
  bool uses1 = false;
  bool uses2 = false;
};

// The labels for a step of `edit` (a short name or an option text); an edit
// that is not known uses neither parameter.
[[nodiscard]] StepLabels LabelsOf(std::string_view edit);

// "remove-first: Remove first x character(s) in clipboard".
[[nodiscard]] std::u16string EditChoiceText(const edits::EditDefinition& edit);

// "2. remove-first  x = 4, each line".
[[nodiscard]] std::u16string StepListText(std::size_t index, const recipes::RecipeStep& step);

}  // namespace fenlow
