#pragma once

// Steps of edits run in a row, each on what the one before gave, and the
// edits applied to each line on its own (line model of line_model.h: the
// edit sees the line without its break, and the breaks stay as they were).

#include <span>
#include <string>
#include <string_view>

#include "edits/engine/edit_definition.h"
#include "edits/engine/stream_edits.h"

namespace fenlow::edits {

struct EditStep {
  const EditDefinition* edit = nullptr;
  std::u16string param1;
  std::u16string param2;
  bool eachLine = false;
};

// Checks the step's parameters without a text: throws EditFailure for a
// parameter that fails the edit on any text (a bad x, a list too long, a
// pattern that does not compile).
void CheckStep(const EditStep& step);

// The steps in turn on the engine's UTF-16 text.
[[nodiscard]] std::u16string ApplyStepsToUtf16(std::span<const EditStep> steps,
                                               std::u16string text);

// The steps in turn on valid UTF-8; the parameters must be UTF-8-encodable
// (no lone surrogate). Throws EditFailure, and LoneSurrogateError for a
// result that UTF-8 cannot carry.
[[nodiscard]] std::string ApplyStepsToUtf8(std::span<const EditStep> steps, std::string text);

// True when every step runs in one pass; a step on each line always does,
// holding at most one line of an edit that needs the whole text.
[[nodiscard]] bool StepsStream(std::span<const EditStep> steps);

// The stages of steps that stream, in turn, for a StreamEditor.
[[nodiscard]] StreamStages StagesOfSteps(std::span<const EditStep> steps);

}  // namespace fenlow::edits
