#include "app/recipe_run.h"

#include <vector>

#include "edits/engine/catalogue.h"
#include "edits/engine/edit_chain.h"
#include "edits/engine/edit_failure.h"
#include "edits/engine/failure_text.h"
#include "edits/engine/utf.h"
#include "edits/pattern/every_edit.h"

namespace fenlow {
namespace {

// The steps are UTF-8 as the file holds them; every one was checked as the
// file was read, so an edit that is not found is a file changed since.
edits::EditStep Prepared(const recipes::RecipeStep& step) {
  const edits::EditDefinition* edit =
      edits::FindEdit(edits::EveryEdit(), edits::Utf8ToUtf16(step.edit));
  if (edit == nullptr) throw edits::EditFailure("there is no edit \"" + step.edit + "\".");
  edits::EditStep prepared{edit, edits::Utf8ToUtf16(step.param1.value_or("")),
                           edits::Utf8ToUtf16(step.param2.value_or("")), step.eachLine};
  edits::CheckStep(prepared);
  return prepared;
}

// "The recipe "Clean PDF text" failed at step 3 (unwrap-lines): <why>"
std::u16string StepFailure(const recipes::Recipe& recipe, std::size_t number,
                           const std::exception& why) {
  std::u16string text(u"The recipe \"");
  text.append(edits::Utf8ToUtf16(recipe.name)).append(u"\" failed at step ");
  text.append(edits::Utf8ToUtf16(std::to_string(number))).append(u" (");
  text.append(edits::Utf8ToUtf16(recipe.steps[number - 1].edit))
      .append(
          u"), so nothing was "
          u"written: ");
  text.append(FailureText(why));
  return text;
}

}  // namespace

TextEditOutcome RunRecipe(const recipes::Recipe& recipe, std::u16string_view text) {
  std::u16string result(text);
  for (std::size_t index = 0; index < recipe.steps.size(); ++index) {
    try {
      const edits::EditStep step = Prepared(recipe.steps[index]);
      result = edits::ApplyStepsToUtf16(std::span(&step, 1), std::move(result));
    } catch (const std::exception& failure) {
      return {std::nullopt, StepFailure(recipe, index + 1, failure)};
    }
  }
  return {std::move(result), {}};
}

TextEdit RecipeEdit(recipes::Recipe recipe) {
  return [recipe = std::move(recipe)](std::u16string_view text) { return RunRecipe(recipe, text); };
}

}  // namespace fenlow
