#include "platform/hotkey_mode.h"

#include <array>
#include <utility>

namespace fenlow::platform {
namespace {

constexpr std::array<std::pair<HotkeyMode, std::u16string_view>, 3> kModeTexts = {{
    {HotkeyMode::Clipboard, u"clipboard"},
    {HotkeyMode::Paste, u"paste"},
    {HotkeyMode::Selection, u"selection"},
}};

}  // namespace

std::u16string_view ModeText(HotkeyMode mode) {
  for (const auto& [known, text] : kModeTexts) {
    if (known == mode) return text;
  }
  return kModeTexts[0].second;
}

HotkeyMode ModeFromText(std::u16string_view text) {
  for (const auto& [mode, known] : kModeTexts) {
    if (known == text) return mode;
  }
  return HotkeyMode::Clipboard;
}

}  // namespace fenlow::platform
