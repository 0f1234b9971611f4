#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

namespace fenlow::edits {

// Finds a fixed, non-empty pattern in texts in linear time, whatever the
// pattern: a quick scan for the pattern's first unit, then Knuth-Morris-Pratt
// so that no text unit is ever looked at twice during one search.
template <typename Char>
class SubstringFinder {
 public:
  using View = std::basic_string_view<Char>;
  static constexpr std::size_t npos = View::npos;

  explicit SubstringFinder(View pattern) : pattern_(pattern), fallback_(pattern.size() + 1, 0) {
    std::size_t border = 0;
    for (std::size_t q = 1; q < pattern_.size(); ++q) {
      while (border > 0 && pattern_[q] != pattern_[border]) border = fallback_[border];
      if (pattern_[q] == pattern_[border]) ++border;
      fallback_[q + 1] = border;
    }
  }

  // The index of the first match that starts at or after `from`, or npos.
  [[nodiscard]] std::size_t FindFrom(View text, std::size_t from) const {
    const Char* const end = text.data() + text.size();
    std::size_t matched = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
      if (matched == 0) {
        const Char* hit = std::find(text.data() + i, end, pattern_[0]);
        if (hit == end) return npos;
        i = static_cast<std::size_t>(hit - text.data());
        matched = 1;
      } else {
        while (matched > 0 && text[i] != pattern_[matched]) matched = fallback_[matched];
        if (text[i] == pattern_[matched]) ++matched;
      }
      if (matched == pattern_.size()) return i + 1 - pattern_.size();
    }
    return npos;
  }

 private:
  View pattern_;
  // fallback_[q] is the length of the longest proper border of pattern_[0, q).
  std::vector<std::size_t> fallback_;
};

}  // namespace fenlow::edits
