#pragma once

#include <string>

#include "cli/command_line.h"

namespace fenlow::cli {

// What an edit needs besides the text: the option text and both parameters,
// read (from their files too) and decoded.
struct ApplyParameters {
  std::u16string optionText;
  std::u16string param1;
  std::u16string param2;
};
// Throws CliFailure when a parameter cannot be read or decoded.
[[nodiscard]] ApplyParameters DecodeApplyParameters(const Command& command);

// The failure of an OPTION that names no bulk edit.
[[noreturn]] void FailNoSuchOption(const std::string& optionName);

// Runs "apply": reads standard input, applies the edit, writes standard
// output. Throws CliFailure, EditFailure or EncodingError on a failure,
// before anything is written.
void RunApply(const Command& command);

}  // namespace fenlow::cli
