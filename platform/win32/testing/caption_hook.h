// What the caption hook and the desktop probe agree on. The hook is a DLL
// that a test puts into another program's window thread: a font handle means
// something only in the process that made it, so a control's caption is
// measured there, in the control's own font, and the answer comes back as
// the reply to the asking message.
#pragma once

#include <cstdint>

namespace fenlow::platform::win32::caption_hook {

// The registered message that asks a control to measure its caption, and
// the name the hook procedure is exported by.
inline constexpr wchar_t kMeasureMessage[] = L"Fenlow.MeasureCaption";
inline constexpr char kProcedureName[] = "MeasureCaptionHook";

struct Measured {
  int captionWidth = 0;  // the widest line, as drawn: a lone "&" marks a mnemonic
  int clientWidth = 0;
  int dpi = 0;           // of the control's own device context
  bool ownFont = false;  // false: the control draws in the system font
};

// The reply packs the four into one 64-bit result, 16 bits each but the
// flags; a reply of 0 means no hook answered.
inline constexpr std::uint64_t kAnswered = std::uint64_t{1} << 63;
inline constexpr std::uint64_t kOwnFont = std::uint64_t{1} << 48;

constexpr std::uint64_t Pack(const Measured& measured) {
  auto field = [](int value, int shift) {
    return (static_cast<std::uint64_t>(value) & 0xFFFF) << shift;
  };
  return kAnswered | field(measured.captionWidth, 0) | field(measured.clientWidth, 16) |
         field(measured.dpi, 32) | (measured.ownFont ? kOwnFont : 0);
}

constexpr Measured Unpack(std::uint64_t reply) {
  auto field = [reply](int shift) { return static_cast<int>((reply >> shift) & 0xFFFF); };
  return {field(0), field(16), field(32), (reply & kOwnFont) != 0};
}

}  // namespace fenlow::platform::win32::caption_hook
