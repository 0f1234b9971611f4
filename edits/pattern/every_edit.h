#pragma once

// Every edit there is, in the order they are listed: the engine's (the
// option list's 26, then its clean-up edits) and those of the layers above
// it (the pattern edits). fenlow-cli and the recipes see this one list.

#include <span>

#include "edits/engine/edit_definition.h"

namespace fenlow::edits {

[[nodiscard]] std::span<const EditDefinition* const> EveryEdit();

}  // namespace fenlow::edits
