#pragma once

// The edits that cut the text at the first occurrence of a delimiter.

#include <cstddef>
#include <string>
#include <string_view>

#include "edits/engine/stage_runs.h"
#include "edits/engine/substring_finder.h"

namespace fenlow::edits::generic {

// Keeps the text up to and including the first occurrence of `delimiter`,
// then adds `replacement`; without an occurrence the text stays whole. An
// empty delimiter occurs at the start of a text that is not empty. Holds
// back an end of the input that may begin the delimiter; after the
// occurrence it consumes the rest of the text and adds nothing.
template <typename Char>
class CutAfterDelimiterStage {
 public:
  CutAfterDelimiterStage(View<Char> delimiter, View<Char> replacement)
      : finder_(delimiter), replacement_(replacement) {}

  std::size_t Edit(View<Char> input, bool last, String<Char>& output) {
    if (cut_ || input.empty()) return input.size();
    const Search found = finder_.size() == 0 ? Search{0, 0} : Find(finder_, input, 0, last);
    if (!found.Matched()) return AppendDecided(input, 0, found, output);
    output.append(input.substr(0, found.at + finder_.size())).append(replacement_);
    cut_ = true;
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return 1; }
  void Restart() { cut_ = false; }

 private:
  SubstringFinder<Char> finder_;
  String<Char> replacement_;
  bool cut_ = false;
};

// Needs the whole text, and works in place so that a large text is held
// once: puts `replacement` in place of the text before the first occurrence
// of `delimiter`; without an occurrence the text stays whole.
template <typename Char>
void ReplaceTextBeforeDelimiterInPlace(String<Char>& text, View<Char> delimiter,
                                       View<Char> replacement) {
  const std::size_t at = delimiter.empty() ? 0 : SubstringFinder<Char>(delimiter).FindFrom(text, 0);
  if (text.empty() || at == text.npos) return;
  text.replace(0, at, replacement);
}

}  // namespace fenlow::edits::generic
