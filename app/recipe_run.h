// A recipe run on a text: its steps in turn, each on what the one before
// gave.
#pragma once

#include <string>

#include "clipboard/program_state.h"
#include "edits/recipes/recipe.h"

namespace fenlow {

// The recipe's result, or which of its steps failed and why: nothing is
// half done.
[[nodiscard]] TextEditOutcome RunRecipe(const recipes::Recipe& recipe, std::u16string_view text);

// The same, as the edit a request brings with it.
[[nodiscard]] TextEdit RecipeEdit(recipes::Recipe recipe);

}  // namespace fenlow
