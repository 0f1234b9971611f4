// The Recipes dialog's preview: what a recipe makes of the clipboard's text,
// with the changed parts marked and a one-line summary. A pure function of
// the text and the steps, run off the window's thread (preview_worker.h).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/text_marks.h"
#include "edits/engine/edit_chain.h"
#include "edits/recipes/recipe.h"

namespace fenlow {

// The preview takes at most this much of the clipboard's text (in code
// units), cut after a line break where one is near, and says so.
inline constexpr std::size_t kPreviewLength = 20'000;

struct Preview {
  std::u16string before;  // the part of the clipboard's text previewed
  std::u16string after;   // what the recipe makes of it, or the failure's message
  TextMarks marks;        // none when a step failed
  std::u16string summary;
  bool failed = false;
};

// A recipe step as the edits run it; nullopt with `problem` set when its
// edit is unknown or its parameters cannot be used.
struct RunnableStep {
  std::optional<edits::EditStep> step;
  std::u16string problem;
};
[[nodiscard]] RunnableStep ToRunnable(const recipes::RecipeStep& step);

// `cancelled` is asked between the pieces of work (each step, each stretch
// the marking compares): true gives up, and the result is of no use.
[[nodiscard]] Preview MakePreview(std::u16string_view clipboard,
                                  std::span<const recipes::RecipeStep> steps,
                                  const std::function<bool()>& cancelled);

// "1,204" for 1204.
[[nodiscard]] std::u16string WithThousands(std::size_t number);

}  // namespace fenlow
