#pragma once

// The edits that reorder or drop whole lines (line model of line_model.h).
// They need the whole text. The result's lines are joined with the first
// line break found in the text, and the result ends with that break exactly
// when the text ended with a break; a text without a break is unchanged.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "edits/engine/line_model.h"

namespace fenlow::edits::generic {

// Code point order: bytes of UTF-8 compare as unsigned, which is that order;
// UTF-16 units do not, as the surrogates (U+10000 on) sort below U+E000.
template <typename Char>
bool CodePointLess(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
  if constexpr (sizeof(Char) == 1) {
    return a < b;
  } else {
    const auto key = [](char16_t unit) -> std::uint32_t {
      if (unit >= 0xD800 && unit < 0xE000) return unit + 0x2000u;
      return unit >= 0xE000 ? unit - 0x800u : unit;
    };
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t k = 0; k < common; ++k) {
      if (a[k] != b[k]) return key(a[k]) < key(b[k]);
    }
    return a.size() < b.size();
  }
}

// Splits the text into its lines and rejoins `select(lines)`; see above.
template <typename Char, typename Select>
void RejoinLinesInPlace(std::basic_string<Char>& text, Select&& select) {
  using View = std::basic_string_view<Char>;
  std::vector<View> lines;
  View joiner;
  bool endsWithBreak = false;
  ForEachLine(View(text), [&](View line, View lineBreak) {
    lines.push_back(line);
    if (joiner.empty()) joiner = lineBreak;
    endsWithBreak = !lineBreak.empty();
  });
  if (joiner.empty()) return;
  select(lines);
  std::basic_string<Char> result;
  result.reserve(text.size());
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (k > 0) result.append(joiner);
    result.append(lines[k]);
  }
  if (endsWithBreak) result.append(joiner);
  text = std::move(result);
}

template <typename Char>
void SortLinesInPlace(std::basic_string<Char>& text) {
  RejoinLinesInPlace(text, [](std::vector<std::basic_string_view<Char>>& lines) {
    std::stable_sort(lines.begin(), lines.end(), CodePointLess<Char>);
  });
}

// Keeps the first of equal lines (exact comparison).
template <typename Char>
void RemoveDuplicateLinesInPlace(std::basic_string<Char>& text) {
  RejoinLinesInPlace(text, [](std::vector<std::basic_string_view<Char>>& lines) {
    std::unordered_set<std::basic_string_view<Char>> seen;
    seen.reserve(lines.size());
    std::erase_if(lines,
                  [&seen](std::basic_string_view<Char> line) { return !seen.insert(line).second; });
  });
}

}  // namespace fenlow::edits::generic
