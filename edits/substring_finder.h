#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace fenlow::edits {

// Finds a fixed, non-empty pattern in texts in linear time, whatever the
// pattern: a quick scan for the pattern's first unit, then Knuth-Morris-Pratt
// so that no text unit is ever looked at twice during one search.
class SubstringFinder {
 public:
  explicit SubstringFinder(std::u16string_view pattern);

  // The index of the first match that starts at or after `from`, or npos.
  [[nodiscard]] std::size_t FindFrom(std::u16string_view text, std::size_t from) const;

  static constexpr std::size_t npos = std::u16string_view::npos;

 private:
  std::u16string_view pattern_;
  // fallback_[q] is the length of the longest proper border of pattern_[0, q].
  std::vector<std::size_t> fallback_;
};

}  // namespace fenlow::edits
