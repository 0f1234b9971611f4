// The host's clipboard as another program sees it: xclip, run through the
// host shell. Under Wine the X clipboard and the Windows clipboard are one.
#pragma once

#include <string>
#include <string_view>

#include "platform/win32/testing/desktop_probe.h"

namespace fenlow::tests {

// Places `bytes` on the clipboard as another program would (xclip keeps
// serving them in the background until something else is copied).
inline void CopyInOtherProgram(std::string_view bytes, std::string_view target = "UTF8_STRING") {
  platform::win32::probe::RunHostShell(
      "xclip -selection clipboard -t " + std::string(target) + " -i >/dev/null 2>&1", bytes);
}

// What another program pastes, byte for byte.
inline std::string PasteInOtherProgram() {
  return platform::win32::probe::RunHostShell("xclip -selection clipboard -o").output;
}

}  // namespace fenlow::tests
