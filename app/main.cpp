// The process entry of fenlow.exe: the program on the real Windows desktop.
// Nothing may escape from here; a failure that ends the program is told
// before the process exits.
#include <cstdio>
#include <memory>

#include "app/program.h"
#include "edits/engine/utf.h"
#include "platform/win32/win32_platform.h"
#include "shell/error_trap.h"
#include "shell/program_config.h"

namespace {

void WriteToStandardError(const std::u16string& description) {
  try {
    std::fprintf(stderr, "fenlow: %s\n", fenlow::edits::Utf16ToUtf8(description).c_str());
  } catch (...) {
    std::fputs("fenlow: the program failed with an unreadable description\n", stderr);
  }
}

void TellFatalFailure(fenlow::platform::Platform* platform, const std::u16string& description) {
  WriteToStandardError(description);
  if (platform == nullptr) return;  // no window can be shown without the desktop
  try {
    platform->Forms().ShowMessage(description, fenlow::platform::kMessageBoxExclamation,
                                  fenlow::config::kProductName);
  } catch (...) {
    // Already written to standard error above.
  }
}

}  // namespace

int main() {
  std::unique_ptr<fenlow::platform::Platform> platform;
  try {
    platform = fenlow::platform::CreateWin32Platform();
    fenlow::Program program(*platform);
    program.Run();
    return 0;
  } catch (...) {
    TellFatalFailure(platform.get(), fenlow::CurrentFailureDescription());
  }
  return 1;
}
