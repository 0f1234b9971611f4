#include "platform/hotkey.h"

#include <array>
#include <cstdio>
#include <vector>

namespace fenlow::platform {
namespace {

struct KeyName {
  std::u16string_view name;
  std::uint8_t key;
};

// Named keys besides letters, digits and F1 to F24; the first name of a key
// is the one written.
constexpr std::array<KeyName, 26> kNamedKeys = {{
    {u"Space", 0x20},       {u"Enter", 0x0D},     {u"Return", 0x0D},      {u"Tab", 0x09},
    {u"Backspace", 0x08},   {u"Escape", 0x1B},    {u"Esc", 0x1B},         {u"Pause", 0x13},
    {u"PageUp", 0x21},      {u"PgUp", 0x21},      {u"PageDown", 0x22},    {u"PgDn", 0x22},
    {u"End", 0x23},         {u"Home", 0x24},      {u"Left", 0x25},        {u"Up", 0x26},
    {u"Right", 0x27},       {u"Down", 0x28},      {u"Insert", 0x2D},      {u"Ins", 0x2D},
    {u"Delete", 0x2E},      {u"Del", 0x2E},       {u"NumMultiply", 0x6A}, {u"NumAdd", 0x6B},
    {u"NumSubtract", 0x6D}, {u"NumDivide", 0x6F},
}};

constexpr std::uint8_t kFirstFunctionKey = 0x70;  // F1
constexpr int kFunctionKeys = 24;
constexpr std::uint8_t kFirstNumpadDigit = 0x60;  // Num0

// The modifier keys themselves and the mouse buttons are no hotkey's key.
bool UsableKey(unsigned key) {
  const bool mouse = key <= 0x06 && key != 0x03;
  const bool modifier = (key >= 0x10 && key <= 0x12) || (key >= 0xA0 && key <= 0xA5) ||
                        key == 0x5B || key == 0x5C || key == 0x14;
  return key != 0 && key < 0xFF && !mouse && !modifier;
}

char16_t Upper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool SameIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  return text;
}

std::u16string Ascii(const char* text) {
  std::u16string wide;
  for (; *text != '\0'; ++text) wide.push_back(static_cast<char16_t>(*text));
  return wide;
}

std::u16string KeyText(std::uint8_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::u16string(1, key);
  for (const KeyName& named : kNamedKeys) {
    if (named.key == key) return std::u16string(named.name);
  }
  // Formatted into a buffer: GCC 12 warns falsely (-Wrestrict) on "F" + string.
  char text[8];
  if (key >= kFirstFunctionKey && key < kFirstFunctionKey + kFunctionKeys)
    std::snprintf(text, sizeof text, "F%d", key - kFirstFunctionKey + 1);
  else if (key >= kFirstNumpadDigit && key <= kFirstNumpadDigit + 9)
    std::snprintf(text, sizeof text, "Num%d", key - kFirstNumpadDigit);
  else
    std::snprintf(text, sizeof text, "VK_%02X", key);
  return Ascii(text);
}

// A number of decimal or hexadecimal digits, or nullopt.
std::optional<unsigned> Number(std::u16string_view digits, unsigned base) {
  if (digits.empty() || digits.size() > 3) return std::nullopt;
  unsigned value = 0;
  for (char16_t c : digits) {
    const char16_t u = Upper(c);
    unsigned digit = 0;
    if (u >= u'0' && u <= u'9') {
      digit = u - u'0';
    } else if (base == 16 && u >= u'A' && u <= u'F') {
      digit = u - u'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value * base + digit;
  }
  return value;
}

std::optional<std::uint8_t> KeyNamed(std::u16string_view name) {
  if (name.empty()) return std::nullopt;
  if (name.size() == 1) {
    const char16_t c = Upper(name[0]);
    if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) return static_cast<std::uint8_t>(c);
    return std::nullopt;
  }
  for (const KeyName& named : kNamedKeys) {
    if (SameIgnoringCase(name, named.name)) return named.key;
  }
  std::optional<unsigned> key;
  if (Upper(name[0]) == u'F') {
    if (auto n = Number(name.substr(1), 10); n && *n >= 1 && *n <= kFunctionKeys)
      key = kFirstFunctionKey + *n - 1;
  } else if (SameIgnoringCase(name.substr(0, 3), u"Num")) {
    if (auto n = Number(name.substr(3), 10); n && *n <= 9) key = kFirstNumpadDigit + *n;
  } else if (SameIgnoringCase(name.substr(0, 3), u"VK_")) {
    key = Number(name.substr(3), 16);
  }
  if (!key || !UsableKey(*key)) return std::nullopt;
  return static_cast<std::uint8_t>(*key);
}

}  // namespace

std::u16string HotkeyText(const Hotkey& hotkey) {
  std::u16string text;
  if (hotkey.control) text += u"Ctrl+";
  if (hotkey.alt) text += u"Alt+";
  if (hotkey.shift) text += u"Shift+";
  return text + KeyText(hotkey.key);
}

std::optional<Hotkey> ParseHotkey(std::u16string_view text) {
  std::vector<std::u16string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t plus = text.find(u'+', start);
    parts.push_back(Trimmed(text.substr(start, plus - start)));
    if (plus == std::u16string_view::npos) break;
    start = plus + 1;
  }
  Hotkey hotkey;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    bool* modifier = nullptr;
    if (SameIgnoringCase(parts[i], u"Ctrl") || SameIgnoringCase(parts[i], u"Control")) {
      modifier = &hotkey.control;
    } else if (SameIgnoringCase(parts[i], u"Alt")) {
      modifier = &hotkey.alt;
    } else if (SameIgnoringCase(parts[i], u"Shift")) {
      modifier = &hotkey.shift;
    }
    if (modifier == nullptr || *modifier) return std::nullopt;  // unknown or twice
    *modifier = true;
  }
  const std::optional<std::uint8_t> key = KeyNamed(parts.back());
  if (!key || !(hotkey.control || hotkey.alt)) return std::nullopt;
  hotkey.key = *key;
  return hotkey;
}

}  // namespace fenlow::platform
