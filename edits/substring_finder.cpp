#include "edits/substring_finder.h"

#include <algorithm>

namespace fenlow::edits {

SubstringFinder::SubstringFinder(std::u16string_view pattern)
    : pattern_(pattern), fallback_(pattern.size() + 1, 0) {
  std::size_t border = 0;
  for (std::size_t q = 1; q < pattern_.size(); ++q) {
    while (border > 0 && pattern_[q] != pattern_[border]) border = fallback_[border];
    if (pattern_[q] == pattern_[border]) ++border;
    fallback_[q + 1] = border;
  }
}

std::size_t SubstringFinder::FindFrom(std::u16string_view text, std::size_t from) const {
  const std::size_t length = pattern_.size();
  const char16_t first = pattern_[0];
  std::size_t matched = 0;
  for (std::size_t i = from; i < text.size(); ++i) {
    if (matched == 0) {
      const auto* hit = std::find(text.data() + i, text.data() + text.size(), first);
      if (hit == text.data() + text.size()) return npos;
      i = static_cast<std::size_t>(hit - text.data());
      matched = 1;
    } else {
      while (matched > 0 && text[i] != pattern_[matched]) matched = fallback_[matched];
      if (text[i] == pattern_[matched]) ++matched;
    }
    if (matched == length) return i + 1 - length;
  }
  return npos;
}

}  // namespace fenlow::edits
