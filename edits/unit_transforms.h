#pragma once

// Building blocks for the edits that look at one code unit at a time. Each
// runs in time linear in the text and allocates the result once, at its exact
// size (or at the input size when it can only shrink).

#include <cstddef>
#include <string>
#include <string_view>

namespace fenlow::edits {

// The code units for which keep(c) holds, in order.
template <typename KeepPredicate>
[[nodiscard]] std::u16string KeepUnits(std::u16string_view text, KeepPredicate keep) {
  std::u16string result(text.size(), u'\0');
  char16_t* out = result.data();
  std::size_t kept = 0;
  // Branch-free: every unit is written, and the cursor only moves past kept
  // ones, so mixed texts do not pay for mispredicted branches.
  for (char16_t c : text) {
    out[kept] = c;
    kept += keep(c) ? 1 : 0;
  }
  result.resize(kept);
  return result;
}

// Each code unit c for which replacementOf(c) gives a non-null view is
// replaced by that view; the others are copied.
template <typename ReplacementOf>
[[nodiscard]] std::u16string SubstituteUnits(std::u16string_view text,
                                             ReplacementOf replacementOf) {
  std::size_t size = 0;
  for (char16_t c : text) {
    const std::u16string_view* replacement = replacementOf(c);
    size += replacement != nullptr ? replacement->size() : 1;
  }
  std::u16string result(size, u'\0');
  char16_t* out = result.data();
  for (char16_t c : text) {
    if (const std::u16string_view* replacement = replacementOf(c); replacement != nullptr) {
      out = replacement->copy(out, replacement->size()) + out;
    } else {
      *out++ = c;
    }
  }
  return result;
}

}  // namespace fenlow::edits
