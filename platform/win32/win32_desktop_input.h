// Keystrokes by SendInput, and what the system tells of the window in front:
// its focus, its process, its integrity level and whether it is a terminal.
#pragma once

#include "platform/desktop_input.h"

namespace fenlow::platform::win32 {

class Win32DesktopInput final : public DesktopInput {
 public:
  bool IsKeyDown(std::uint8_t virtualKey) override;
  std::size_t SendKeys(const std::vector<KeyStroke>& strokes) override;
  FocusedWindow Focused() override;
  std::uint32_t ProcessOf(WindowHandle window) override;
  bool RunsAboveUs(WindowHandle window) override;
  bool IsTerminal(WindowHandle window) override;
};

}  // namespace fenlow::platform::win32
