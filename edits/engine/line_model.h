#pragma once

// The line model of the edits beyond the option list and of the edits
// applied to each line: a line break is CR LF, a lone LF or a lone CR; the
// text is split at every break; the lines are the pieces between, before the
// first and after the last break, except that the empty piece after a final
// break is not a line.

#include <cstddef>
#include <string>
#include <string_view>

namespace fenlow::edits::generic {

template <typename Char>
constexpr bool IsLineBreakUnit(Char c) {
  return c == Char('\r') || c == Char('\n');
}

template <typename Char>
constexpr bool IsSpaceOrTab(Char c) {
  return c == Char(' ') || c == Char('\t');
}

// The length of the line break at text[at], or 0 when none starts there.
template <typename Char>
std::size_t LineBreakAt(std::basic_string_view<Char> text, std::size_t at) {
  if (at >= text.size()) return 0;
  if (text[at] == Char('\r')) return at + 1 < text.size() && text[at + 1] == Char('\n') ? 2 : 1;
  return text[at] == Char('\n') ? 1 : 0;
}

// Calls onLine(line, lineBreak) for every line in order; lineBreak is empty
// for a last line that no break ends.
template <typename Char, typename OnLine>
void ForEachLine(std::basic_string_view<Char> text, OnLine&& onLine) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && !IsLineBreakUnit(text[end])) ++end;
    const std::size_t breakUnits = LineBreakAt(text, end);
    onLine(text.substr(start, end - start), text.substr(end, breakUnits));
    start = end + breakUnits;
  }
}

// Applies editLine to every line on its own; the breaks stay as they were.
template <typename Char, typename EditLine>
std::basic_string<Char> EditEachLine(std::basic_string_view<Char> text, EditLine&& editLine) {
  std::basic_string<Char> result;
  result.reserve(text.size());
  ForEachLine(text, [&](std::basic_string_view<Char> line, std::basic_string_view<Char> lineBreak) {
    result.append(line.empty() ? std::basic_string<Char>() : editLine(line));
    result.append(lineBreak);
  });
  return result;
}

}  // namespace fenlow::edits::generic
