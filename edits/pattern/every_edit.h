#pragma once

// Every edit there is, in the order they are listed: the engine's (the
// option list's 26, then its clean-up edits) and those of the layers above
// it (the pattern edits). fenlow-cli and the recipes see this one list.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "edits/engine/edit_definition.h"

namespace fenlow::edits {

[[nodiscard]] std::span<const EditDefinition* const> EveryEdit();

// What is wrong with a step that names `edit` (a short name or an option
// text) with these parameters (UTF-8), before any text: nullopt when the edit
// is one of EveryEdit() and the parameters suit it; otherwise a sentence,
// such as: unknown edit "unwrap-line". The check that readers of recipe
// files take from their caller.
[[nodiscard]] std::optional<std::string> StepProblem(std::string_view edit, std::string_view param1,
                                                     std::string_view param2);

}  // namespace fenlow::edits
