#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <type_traits>

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
class CharSetTable {
 public:
  explicit CharSetTable(std::u16string_view members) {
    for (char16_t c : members) words_[c >> 6] |= std::uint64_t{1} << (c & 63);
  }

  template <typename Char>
  [[nodiscard]] bool Contains(Char c) const {
    const std::uint32_t unit = UnitValue(c);
    return (words_[unit >> 6] >> (unit & 63)) & 1;
  }

 private:
  std::array<std::uint64_t, 65536 / 64> words_{};
};

}  // namespace fenlow::edits
