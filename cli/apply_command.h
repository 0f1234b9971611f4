#pragma once

#include "cli/command_line.h"

namespace fenlow::cli {

// Runs "apply": reads standard input, applies the edit, writes standard
// output. Throws CliFailure, EditFailure or EncodingError on a failure,
// before anything is written.
void RunApply(const Command& command);

}  // namespace fenlow::cli
