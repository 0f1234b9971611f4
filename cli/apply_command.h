#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "edits/engine/edit_chain.h"

namespace fenlow::cli {

// The chain's steps with their edits found, their parameters read (from
// their files too), decoded and checked, before any text is read. Throws
// CliFailure when an edit's name names none, a parameter cannot be read or
// decoded, or a parameter fails its edit; in a chain of several steps the
// message names the step by its number.
[[nodiscard]] std::vector<edits::EditStep> PrepareSteps(const Command& command);

// Runs "apply": reads standard input, applies the steps in turn, writes
// standard output. When every step runs in one pass, the text is read,
// edited and written block by block (`blockBytes` at a time; 0 lets the
// edits choose); otherwise the whole text is read first. Throws CliFailure,
// EditFailure or EncodingError on a failure. A failure found before the
// first byte is written writes nothing. One found part way (input that is
// not valid UTF-8) leaves the output so far when standard output is a pipe;
// a regular file is cut back to its size before.
void RunApply(const Command& command, std::size_t blockBytes = 0);

}  // namespace fenlow::cli
