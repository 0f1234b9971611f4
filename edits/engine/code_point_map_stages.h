#pragma once

// The edits that put a plain text in place of single characters beyond
// ASCII: typographic punctuation and spaces, and invisible characters.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "edits/engine/code_points.h"
#include "edits/engine/stage_runs.h"
#include "edits/engine/unit_transforms.h"

namespace fenlow::edits::generic {

// Replaces each code point for which replacementOf gives an ASCII text (empty:
// removed); ASCII itself is never replaced and is copied in runs.
template <typename Char, typename ReplacementOf>
class CodePointMapStage {
 public:
  explicit CodePointMapStage(ReplacementOf replacementOf) : replacementOf_(replacementOf) {}

  std::size_t Edit(View<Char> input, bool, String<Char>& output) const {
    output.reserve(output.size() + input.size());
    std::size_t at = 0;
    while (at < input.size()) {
      std::size_t end = at;
      while (end < input.size() && UnitValue(input[end]) < 0x80) ++end;
      output.append(input.substr(at, end - at));
      if (end == input.size()) break;
      const CodePoint c = CodePointAt(input, end);
      if (const std::optional<std::string_view> replacement = replacementOf_(c.value)) {
        AppendAscii(output, *replacement);
      } else {
        output.append(input.substr(end, c.units));
      }
      at = end + c.units;
    }
    return input.size();
  }
  // "..." for one character (three bytes of UTF-8, one unit of UTF-16).
  [[nodiscard]] std::size_t Growth() const { return 3; }
  void Restart() {}

 private:
  ReplacementOf replacementOf_;
};

// ‘ ’ ‚ ‛ become ', “ ” „ ‟ become ", the hyphens and dashes U+2010 to U+2015
// and the minus sign become -, … becomes ..., and the no-break and other wide
// or narrow spaces become a space.
inline std::optional<std::string_view> PlainTypographyOf(char32_t c) {
  if (c >= 0x2018 && c <= 0x201B) return "'";
  if (c >= 0x201C && c <= 0x201F) return "\"";
  if ((c >= 0x2010 && c <= 0x2015) || c == 0x2212) return "-";
  if (c == 0x2026) return "...";
  if (c == 0x00A0 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000) {
    return " ";
  }
  return std::nullopt;
}

// The soft hyphen, the zero-width space, the word joiner and the byte order
// mark go; the joiners that change how a text reads (U+200C, U+200D) stay.
inline std::optional<std::string_view> InvisibleOf(char32_t c) {
  if (c == 0x00AD || c == 0x200B || c == 0x2060 || c == 0xFEFF) return "";
  return std::nullopt;
}

template <typename Char>
auto PlainTypographyStage() {
  return CodePointMapStage<Char, decltype(&PlainTypographyOf)>(&PlainTypographyOf);
}

template <typename Char>
auto RemoveInvisibleStage() {
  return CodePointMapStage<Char, decltype(&InvisibleOf)>(&InvisibleOf);
}

}  // namespace fenlow::edits::generic
