#pragma once

#include <cstddef>
#include <string>

#include "cli/command_line.h"

namespace fenlow::cli {

// What an edit needs besides the text: the option text (OPTION may be a
// short name) and both parameters, read (from their files too) and decoded.
struct ApplyParameters {
  std::u16string optionText;
  std::u16string param1;
  std::u16string param2;
};
// Throws CliFailure when OPTION names no edit or a parameter cannot be read
// or decoded.
[[nodiscard]] ApplyParameters DecodeApplyParameters(const Command& command);

// Runs "apply": reads standard input, applies the edit, writes standard
// output. The edits that run in one pass read, edit and write block by block
// (`blockBytes` at a time; 0 lets the edit choose); the others read the whole
// text first. Throws CliFailure, EditFailure or EncodingError on a failure.
// A failure found before the first byte is written writes nothing. One found
// part way (input that is not valid UTF-8) leaves the output so far when
// standard output is a pipe; a regular file is cut back to its size before.
void RunApply(const Command& command, std::size_t blockBytes = 0);

}  // namespace fenlow::cli
