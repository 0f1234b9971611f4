// Keystrokes sent to the program the user is in, and what Fenlow must know
// of that program before it sends them: which window has the focus, which
// process it belongs to (to tell its reading of the clipboard from other
// programs'), whether it runs above Fenlow (as administrator)
// and whether it is a console or terminal, where Ctrl+C interrupts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace fenlow::platform {

// Virtual-key codes of the keys Fenlow sends or watches.
namespace key {
constexpr std::uint8_t kShift = 0x10;
constexpr std::uint8_t kControl = 0x11;
constexpr std::uint8_t kAlt = 0x12;
constexpr std::uint8_t kLeftWindows = 0x5B;
constexpr std::uint8_t kRightWindows = 0x5C;
constexpr std::uint8_t kC = 'C';
constexpr std::uint8_t kV = 'V';
// A code no key has: tapped before Alt's release, it keeps that release
// from opening the target's menu bar.
constexpr std::uint8_t kNeutral = 0xE8;
}  // namespace key

struct KeyStroke {
  std::uint8_t key = 0;
  bool up = false;
  friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// The window in front and the one inside it with the keyboard focus.
struct FocusedWindow {
  WindowHandle window = 0;  // 0: no window has the user's input
  WindowHandle focus = 0;   // 0: none, or not known
  friend bool operator==(const FocusedWindow&, const FocusedWindow&) = default;
};

class DesktopInput {
 public:
  virtual ~DesktopInput() = default;

  // Whether `virtualKey` is down now, as the user holds it or as sent keys left it.
  virtual bool IsKeyDown(std::uint8_t virtualKey) = 0;
  // Sends `strokes` in order, as one input that no other input interleaves;
  // returns how many the system took (fewer when something blocked them).
  virtual std::size_t SendKeys(const std::vector<KeyStroke>& strokes) = 0;
  virtual FocusedWindow Focused() = 0;
  // The process of `window`; 0 when it is gone.
  virtual std::uint32_t ProcessOf(WindowHandle window) = 0;
  // Whether the process of `window` runs at a higher integrity level than
  // Fenlow, so that the system drops the keys Fenlow sends it. A process
  // whose token cannot be read counts as higher.
  virtual bool RunsAboveUs(WindowHandle window) = 0;
  // Whether `window` is a console or terminal window.
  virtual bool IsTerminal(WindowHandle window) = 0;
};

}  // namespace fenlow::platform
