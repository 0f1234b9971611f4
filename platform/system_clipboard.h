// The system clipboard for a program without windows (the command-line
// tool), where the build has one.
#pragma once

#include <memory>

#include "platform/clipboard_primitives.h"

namespace fenlow::platform {

// The system clipboard in the Windows build; nullptr in a build without one.
// Throws Failure when the system refuses it.
std::unique_ptr<ClipboardPrimitives> CreateSystemClipboard();

}  // namespace fenlow::platform
