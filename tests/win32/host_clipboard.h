// The host's clipboard as another program sees it: xclip, run through the
// host shell. Under Wine the X clipboard and the Windows clipboard are one.
#pragma once

#include <chrono>
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

// What another program pastes, byte for byte. xclip waits for ever for an
// answer, and a request that reaches the owner just as ownership changes
// hands (our own program writing back, the earlier xclip leaving) is never
// answered: such a paste is given up after a few seconds and asked again.
inline std::string PasteInOtherProgram() {
  using namespace std::chrono_literals;
  return platform::win32::probe::RunHostShell(
             "for attempt in 1 2 3 4; do\n"
             "  timeout 8 xclip -selection clipboard -o >paste 2>&1\n"
             "  status=$?\n"
             "  if [ $status -ne 124 ]; then cat paste; rm -f paste; exit $status; fi\n"
             "done\n"
             "rm -f paste; echo 'xclip got no answer'; exit 124\n",
             {}, 40s)
      .output;
}

}  // namespace fenlow::tests
