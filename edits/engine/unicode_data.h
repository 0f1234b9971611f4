#pragma once

// The Unicode character properties the edits use, from tables that the
// build generates out of the Unicode Character Database
// (make_unicode_tables.py; kUnicodeVersion names its version).

#include <cstdint>
#include <string_view>

namespace fenlow::edits::unicode {

enum Flag : std::uint8_t {
  kCased = 1,
  kCaseIgnorable = 2,
  kLetter = 4,          // general category L*
  kMark = 8,            // M*
  kDecimalDigit = 16,   // Nd
  kSpaceSeparator = 32,  // Zs
  kLowercase = 64,
  kUppercase = 128
};

// One code point's properties. The simple mappings are offsets from the code
// point; a full mapping of several code points (or of one that differs from
// the simple mapping) is an index into kExpansions, 0 when there is none.
struct CodePointRecord {
  std::int32_t upper;
  std::int32_t lower;
  std::int32_t title;
  std::int32_t fold;  // simple case folding, statuses C and S
  std::uint16_t fullUpper;
  std::uint16_t fullLower;
  std::uint16_t fullTitle;
  std::uint8_t flags;
};

extern const char kUnicodeVersion[];
extern const std::uint16_t kBlockOf[];
extern const std::uint16_t kRecordOf[];
extern const CodePointRecord kRecords[];
extern const char32_t kExpansions[][3];

inline constexpr char32_t kMaxCodePoint = 0x10FFFF;

// Any value beyond kMaxCodePoint reads as an unassigned code point.
[[nodiscard]] inline const CodePointRecord& RecordOf(char32_t c) {
  if (c > kMaxCodePoint) c = 0x10FFFF;
  return kRecords[kRecordOf[std::size_t{kBlockOf[c >> 7]} * 128 + (c & 127)]];
}

[[nodiscard]] inline bool Has(char32_t c, Flag flag) {
  return (RecordOf(c).flags & flag) != 0;
}

[[nodiscard]] inline char32_t SimpleFold(char32_t c) {
  return static_cast<char32_t>(static_cast<std::int32_t>(c) + RecordOf(c).fold);
}

enum class Mapping { Upper, Lower, Title };

// The full case mapping of `c` (one to three code points), without the
// conditional ones: final sigma is the caller's.
[[nodiscard]] inline std::u32string_view FullMapping(char32_t c, Mapping mapping,
                                                     char32_t& single) {
  const CodePointRecord& record = RecordOf(c);
  std::uint16_t expansion = 0;
  std::int32_t offset = 0;
  switch (mapping) {
    case Mapping::Upper:
      expansion = record.fullUpper, offset = record.upper;
      break;
    case Mapping::Lower:
      expansion = record.fullLower, offset = record.lower;
      break;
    case Mapping::Title:
      expansion = record.fullTitle, offset = record.title;
      break;
  }
  if (expansion != 0) {
    const char32_t* units = kExpansions[expansion];
    return {units, static_cast<std::size_t>(units[2] != 0 ? 3 : units[1] != 0 ? 2 : 1)};
  }
  single = static_cast<char32_t>(static_cast<std::int32_t>(c) + offset);
  return {&single, 1};
}

}  // namespace fenlow::edits::unicode
