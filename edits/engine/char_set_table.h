#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "edits/engine/simd.h"

namespace fenlow::edits {

// The code unit as an unsigned number, so that bytes of UTF-8 index tables.
template <typename Char>
constexpr std::uint32_t UnitValue(Char c) {
  return static_cast<std::make_unsigned_t<Char>>(c);
}

// Membership of one UTF-16 code unit in a set, answered by one table lookup:
// a bit per possible code unit (8 KiB), so any set costs the same per test.
// Bytes of UTF-8 can be tested against a set of ASCII members: a byte of 0x80
// or more is then never a member, as no unit of a non-ASCII character is.
// Such a set of a few ASCII ranges also answers for 16 bytes at once.
class CharSetTable {
 public:
  explicit CharSetTable(std::u16string_view members) {
    for (char16_t c : members) words_[c >> 6] |= std::uint64_t{1} << (c & 63);
    FindAsciiRanges();
  }

  template <typename Char>
  [[nodiscard]] bool Contains(Char c) const {
    const std::uint32_t unit = UnitValue(c);
    return (words_[unit >> 6] >> (unit & 63)) & 1;
  }

  // True when Members16 answers for bytes: no member is a byte of 0x80 or
  // more, and the members form at most kMaxRanges runs.
  [[nodiscard]] bool TestsBytesAtOnce() const { return FENLOW_SSE2 && rangeCount_ > 0; }

#if FENLOW_SSE2
  // 0xFF for each of the 16 bytes that is a member, 0 for the others.
  [[nodiscard]] __m128i Members16(__m128i bytes) const {
    __m128i members = _mm_setzero_si128();
    for (std::size_t r = 0; r < rangeCount_; ++r) {
      // Unsigned (byte - first) <= (last - first), as min(x, span) == x.
      const __m128i offset = _mm_sub_epi8(bytes, firsts_[r]);
      members = _mm_or_si128(members, _mm_cmpeq_epi8(_mm_min_epu8(offset, spans_[r]), offset));
    }
    return members;
  }
#endif

 private:
  static constexpr std::size_t kMaxRanges = 8;

  void FindAsciiRanges() {
    for (std::uint32_t byte = 0x80; byte < 0x100; ++byte) {
      if (Contains(byte)) return;
    }
    std::size_t count = 0;
    for (std::uint32_t byte = 0; byte < 0x80; ++byte) {
      if (!Contains(byte)) continue;
      if (count > 0 && std::uint32_t{first_[count - 1]} + span_[count - 1] + 1 == byte) {
        ++span_[count - 1];
        continue;
      }
      if (count == kMaxRanges) return;
      first_[count] = static_cast<std::uint8_t>(byte);
      span_[count] = 0;
      ++count;
    }
    rangeCount_ = count;
#if FENLOW_SSE2
    for (std::size_t r = 0; r < count; ++r) {
      firsts_[r] = _mm_set1_epi8(static_cast<char>(first_[r]));
      spans_[r] = _mm_set1_epi8(static_cast<char>(span_[r]));
    }
#endif
  }

  std::array<std::uint64_t, 65536 / 64> words_{};
  // The members below 0x80 as runs first_[r] .. first_[r] + span_[r].
  std::array<std::uint8_t, kMaxRanges> first_{};
  std::array<std::uint8_t, kMaxRanges> span_{};
  std::size_t rangeCount_ = 0;
#if FENLOW_SSE2
  __m128i firsts_[kMaxRanges] = {};
  __m128i spans_[kMaxRanges] = {};
#endif
};

// A set of one code unit, with the questions of CharSetTable, for one-unit
// searches: small enough for one in each of thousands of list items.
class OneUnitSet {
 public:
  explicit OneUnitSet(std::uint32_t unit) : unit_(unit) {}

  template <typename Char>
  [[nodiscard]] bool Contains(Char c) const {
    return UnitValue(c) == unit_;
  }

  [[nodiscard]] bool TestsBytesAtOnce() const { return FENLOW_SSE2 && unit_ < 0x100; }

#if FENLOW_SSE2
  [[nodiscard]] __m128i Members16(__m128i bytes) const {
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(unit_)));
  }
#endif

 private:
  std::uint32_t unit_;
};

}  // namespace fenlow::edits
