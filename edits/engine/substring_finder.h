#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "edits/engine/simd.h"

namespace fenlow::edits {

// Finds a fixed, non-empty pattern (it keeps its own copy) in texts in linear time, whatever the
// pattern: a quick scan for where the pattern's first two units occur, then
// Knuth-Morris-Pratt so that no text unit is ever looked at twice during one
// search.
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

  [[nodiscard]] std::size_t size() const { return pattern_.size(); }

  // The index of the first match that starts at or after `from`, or npos.
  // The pattern must not be empty.
  // Without a match, *partial (when given) is the length of the longest end
  // of text[from, size) that begins the pattern: a match may start there once
  // more text follows.
  [[nodiscard]] std::size_t FindFrom(View text, std::size_t from,
                                     std::size_t* partial = nullptr) const {
    std::size_t matched = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
      if (matched == 0) {
        // No match can start before the next place where it could begin.
        i = NextCandidate(text, i);
        if (i == text.size()) break;
      }
      while (matched > 0 && text[i] != pattern_[matched]) matched = fallback_[matched];
      if (text[i] == pattern_[matched]) ++matched;
      if (matched == pattern_.size()) return i + 1 - pattern_.size();
    }
    if (partial != nullptr) *partial = matched;
    return npos;
  }

 private:
  // The first index at or after `at` that holds the pattern's first unit and,
  // unless it is the text's last unit, the second unit after it; or the size.
  [[nodiscard]] std::size_t NextCandidate(View text, std::size_t at) const {
    const Char first = pattern_[0];
    if (pattern_.size() == 1) {
      return static_cast<std::size_t>(
          std::find(text.begin() + static_cast<std::ptrdiff_t>(at), text.end(), first) -
          text.begin());
    }
    const Char second = pattern_[1];
#if FENLOW_SSE2
    if constexpr (sizeof(Char) == 1) {
      const __m128i firsts = _mm_set1_epi8(static_cast<char>(first));
      const __m128i seconds = _mm_set1_epi8(static_cast<char>(second));
      for (; text.size() - at >= 17; at += 16) {
        const char* here = text.data() + at;
        const __m128i pairs = _mm_and_si128(
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(here)), firsts),
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(here + 1)), seconds));
        if (const int found = _mm_movemask_epi8(pairs); found != 0) {
          return at + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(found)));
        }
      }
    }
#endif
    for (; at < text.size(); ++at) {
      at = static_cast<std::size_t>(
          std::find(text.begin() + static_cast<std::ptrdiff_t>(at), text.end(), first) -
          text.begin());
      if (at + 1 >= text.size() || text[at + 1] == second) return std::min(at, text.size());
    }
    return text.size();
  }

  std::basic_string<Char> pattern_;
  // fallback_[q] is the length of the longest proper border of pattern_[0, q).
  std::vector<std::size_t> fallback_;
};

}  // namespace fenlow::edits
