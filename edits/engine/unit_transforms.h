#pragma once

// Building blocks for the edits that look at one code unit at a time. Each
// runs in time linear in the text and allocates the result once, at its exact
// size (or at the input size when it can only shrink).

#include <cstddef>
#include <string>
#include <string_view>

namespace fenlow::edits {

// Texts are transformed through a small buffer that stays in the cache, so
// that the result is written once, straight to its final place.
inline constexpr std::size_t kBlockUnits = 4096;

// The code units for which keep(c) holds, in order.
template <typename Char, typename KeepPredicate>
[[nodiscard]] std::basic_string<Char> KeepUnits(std::basic_string_view<Char> text,
                                                KeepPredicate keep) {
  std::basic_string<Char> result;
  result.reserve(text.size());
  Char block[kBlockUnits];
  for (std::size_t start = 0; start < text.size(); start += kBlockUnits) {
    const std::basic_string_view<Char> part = text.substr(start, kBlockUnits);
    std::size_t kept = 0;
    // Branch-free: every unit is written, and the cursor only moves past kept
    // ones, so mixed texts do not pay for mispredicted branches.
    for (Char c : part) {
      block[kept] = c;
      kept += keep(c) ? 1 : 0;
    }
    result.append(block, kept);
  }
  return result;
}

// Each code unit c for which replaced(c) holds becomes `replacement`.
template <typename Char, typename ReplacedPredicate>
[[nodiscard]] std::basic_string<Char> MapUnits(std::basic_string_view<Char> text,
                                               ReplacedPredicate replaced, Char replacement) {
  std::basic_string<Char> result;
  result.reserve(text.size());
  Char block[kBlockUnits];
  for (std::size_t start = 0; start < text.size(); start += kBlockUnits) {
    const std::basic_string_view<Char> part = text.substr(start, kBlockUnits);
    for (std::size_t i = 0; i < part.size(); ++i)
      block[i] = replaced(part[i]) ? replacement : part[i];
    result.append(block, part.size());
  }
  return result;
}

// Each code unit c for which replacementOf(c) gives a non-null view is
// replaced by that view; the others are copied.
template <typename Char, typename ReplacementOf>
[[nodiscard]] std::basic_string<Char> SubstituteUnits(std::basic_string_view<Char> text,
                                                      ReplacementOf replacementOf) {
  std::size_t size = 0;
  for (Char c : text) {
    const std::basic_string_view<Char>* replacement = replacementOf(c);
    size += replacement != nullptr ? replacement->size() : 1;
  }
  std::basic_string<Char> result(size, Char{});
  Char* out = result.data();
  for (Char c : text) {
    if (const std::basic_string_view<Char>* replacement = replacementOf(c);
        replacement != nullptr) {
      out = replacement->copy(out, replacement->size()) + out;
    } else {
      *out++ = c;
    }
  }
  return result;
}

}  // namespace fenlow::edits
