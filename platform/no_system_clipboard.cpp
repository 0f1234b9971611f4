// Builds without a system clipboard (the native build).
#include "platform/system_clipboard.h"

namespace fenlow::platform {

std::unique_ptr<ClipboardPrimitives> CreateSystemClipboard() {
  return nullptr;
}

}  // namespace fenlow::platform
