#pragma once

// How the fuzz targets read their input bytes: parts separated by NUL bytes,
// and texts whose ASCII bytes stand for themselves while the other bytes pick
// the code units where edits and conversions differ (accented letters,
// no-break space, surrogate halves, non-ASCII digits, ...).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace fenlow::fuzz {

// Splits at NUL bytes into at most `parts` pieces; the last piece keeps any
// further NUL bytes.
inline std::vector<std::string_view> SplitAtNul(std::string_view bytes, std::size_t parts) {
  std::vector<std::string_view> pieces;
  while (pieces.size() + 1 < parts) {
    const std::size_t nul = bytes.find('\0');
    if (nul == std::string_view::npos) break;
    pieces.push_back(bytes.substr(0, nul));
    bytes.remove_prefix(nul + 1);
  }
  pieces.push_back(bytes);
  while (pieces.size() < parts) pieces.emplace_back();
  return pieces;
}

// Bytes to UTF-16 code units: 0x00-0x7F as they are; 0x80-0x8F one of the
// units below; 0xFF followed by two bytes the code unit they spell (little
// endian); any other byte b the unit 0x100 + b.
inline std::u16string FuzzText(std::string_view bytes) {
  constexpr char16_t kSpecial[16] = {0x00E9, 0x00C4, 0x00A0, 0xD83D, 0xDE00, 0xD800,
                                     0xDFFF, 0xFFFF, 0xFEFF, 0x2028, 0x0085, 0x3000,
                                     0x0660, 0xFF21, 0x0130, 0x00FF};
  std::u16string text;
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80) {
      text += static_cast<char16_t>(byte);
    } else if (byte < 0x90) {
      text += kSpecial[byte - 0x80];
    } else if (byte == 0xFF && at + 2 < bytes.size()) {
      const auto low = static_cast<unsigned char>(bytes[at + 1]);
      const auto high = static_cast<unsigned char>(bytes[at + 2]);
      text += static_cast<char16_t>(low | (high << 8));
      at += 2;
    } else {
      text += static_cast<char16_t>(0x100 + byte);
    }
  }
  return text;
}

// Stops the run with a message: libFuzzer then saves the input that did it.
[[noreturn]] inline void Finding(const char* what, const std::string& detail = {}) {
  std::fprintf(stderr, "FINDING: %s %s\n", what, detail.c_str());
  std::abort();
}

inline void Check(bool condition, const char* what, const std::string& detail = {}) {
  if (!condition) Finding(what, detail);
}

// Code units written as hex, for the messages of a finding.
inline std::string Shown(std::u16string_view text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size() && i < 200; ++i) {
    char unit[8];
    std::snprintf(unit, sizeof unit, "%04X ", static_cast<unsigned>(text[i]));
    shown += unit;
  }
  return shown;
}

}  // namespace fenlow::fuzz
