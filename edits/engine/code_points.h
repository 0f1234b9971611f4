#pragma once

// Code points in the engine's two encodings, for the edits that work on
// characters rather than code units: valid UTF-8, and UTF-16 in which a lone
// surrogate is one unit of its own (no edit cases or splits it).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fenlow::edits::generic {

struct CodePoint {
  char32_t value;
  std::size_t units;  // how many code units it takes
};

// The code point that starts at text[at]. UTF-8 must be valid and whole; a
// lone surrogate of UTF-16 is its own value, one unit long.
template <typename Char>
CodePoint CodePointAt(std::basic_string_view<Char> text, std::size_t at) {
  const std::uint32_t first = static_cast<std::make_unsigned_t<Char>>(text[at]);
  if constexpr (sizeof(Char) == 1) {
    const auto unit = [&](std::size_t k) {
      return static_cast<std::uint32_t>(static_cast<unsigned char>(text[at + k]) & 0x3F);
    };
    if (first < 0x80) return {first, 1};
    if (first < 0xE0) return {((first & 0x1F) << 6) | unit(1), 2};
    if (first < 0xF0) return {((first & 0x0F) << 12) | (unit(1) << 6) | unit(2), 3};
    return {((first & 0x07) << 18) | (unit(1) << 12) | (unit(2) << 6) | unit(3), 4};
  } else {
    if (first >= 0xD800 && first < 0xDC00 && at + 1 < text.size()) {
      const std::uint32_t second = text[at + 1];
      if (second >= 0xDC00 && second < 0xE000) {
        return {0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00), 2};
      }
    }
    return {first, 1};
  }
}

// How many units the code point that starts with `first` takes, when it is
// whole; for UTF-16 the most it can take.
template <typename Char>
std::size_t UnitsOfCodePointLedBy(Char first) {
  const std::uint32_t value = static_cast<std::make_unsigned_t<Char>>(first);
  if constexpr (sizeof(Char) == 1) {
    return value < 0x80 ? 1 : value < 0xE0 ? 2 : value < 0xF0 ? 3 : 4;
  } else {
    return value >= 0xD800 && value < 0xDC00 ? 2 : 1;
  }
}

// Appends a code point; for UTF-16 a surrogate value is appended as the lone
// unit it was.
template <typename Char>
void AppendCodePoint(std::basic_string<Char>& output, char32_t c) {
  if constexpr (sizeof(Char) == 1) {
    if (c < 0x80) {
      output.push_back(static_cast<Char>(c));
    } else if (c < 0x800) {
      const Char units[] = {static_cast<Char>(0xC0 | (c >> 6)),
                            static_cast<Char>(0x80 | (c & 0x3F))};
      output.append(units, 2);
    } else if (c < 0x10000) {
      const Char units[] = {static_cast<Char>(0xE0 | (c >> 12)),
                            static_cast<Char>(0x80 | ((c >> 6) & 0x3F)),
                            static_cast<Char>(0x80 | (c & 0x3F))};
      output.append(units, 3);
    } else {
      const Char units[] = {
          static_cast<Char>(0xF0 | (c >> 18)), static_cast<Char>(0x80 | ((c >> 12) & 0x3F)),
          static_cast<Char>(0x80 | ((c >> 6) & 0x3F)), static_cast<Char>(0x80 | (c & 0x3F))};
      output.append(units, 4);
    }
  } else {
    if (c < 0x10000) {
      output.push_back(static_cast<Char>(c));
    } else {
      const Char units[] = {static_cast<Char>(0xD800 + ((c - 0x10000) >> 10)),
                            static_cast<Char>(0xDC00 + ((c - 0x10000) & 0x3FF))};
      output.append(units, 2);
    }
  }
}

// Appends an ASCII text to a text of any code unit type.
template <typename Char>
void AppendAscii(std::basic_string<Char>& output, std::string_view ascii) {
  for (char c : ascii) output.push_back(static_cast<Char>(c));
}

}  // namespace fenlow::edits::generic
