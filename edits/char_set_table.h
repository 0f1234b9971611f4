#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace fenlow::edits {

// Membership of one UTF-16 code unit in a set, answered by one table lookup:
// a bit per possible code unit (8 KiB), so any set costs the same per test.
class CharSetTable {
 public:
  explicit CharSetTable(std::u16string_view members) {
    for (char16_t c : members) words_[c >> 6] |= std::uint64_t{1} << (c & 63);
  }

  [[nodiscard]] bool Contains(char16_t c) const { return (words_[c >> 6] >> (c & 63)) & 1; }

 private:
  std::array<std::uint64_t, 65536 / 64> words_{};
};

}  // namespace fenlow::edits
