#pragma once

#include "cli/command_line.h"

namespace fenlow::cli {

// Runs "apply --clipboard": edits the system clipboard's text in place, as
// the main window does. Throws CliFailure (kExitClipboardHeld while another
// program keeps the clipboard open) or EditFailure before anything is
// written.
void RunApplyToClipboard(const Command& command);

}  // namespace fenlow::cli
