#pragma once

// How the engine's stages run. A stage edits a text that arrives in pieces,
// in one pass, and is written once for any code unit type:
//   std::size_t Edit(View<Char> input, bool last, String<Char>& output)
// edits the front of `input` and appends the result that is decided to
// `output`; it returns how many units of `input` it consumed. The units it
// leaves (never more than its look-ahead) come again at the front of the next
// call's input. With `last` the input ends the text and is consumed whole.
//   std::size_t Growth() const
// is the most output units one input unit can give (for sizing pieces).
//   void Restart()
// makes the stage start a new text (for the edits applied to each line).
// Pieces hold whole characters only. With char16_t a stage edits the
// engine's UTF-16 text, with char valid UTF-8; the whole-text form of a stage
// runs it once over the whole text.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "edits/engine/substring_finder.h"

namespace fenlow::edits::generic {

template <typename Char>
using String = std::basic_string<Char>;
template <typename Char>
using View = std::basic_string_view<Char>;

// Runs a stage over a whole text at once.
template <typename Char, typename Stage>
String<Char> EditWhole(Stage&& stage, View<Char> text) {
  String<Char> result;
  result.reserve(text.size());
  stage.Edit(text, true, result);
  return result;
}

// Runs stages over a whole text, one after another.
template <typename Char, typename Stage>
String<Char> EditWholeInTurn(std::vector<Stage>& stages, View<Char> text) {
  if (stages.empty()) return String<Char>(text);
  String<Char> result = EditWhole<Char>(stages.front(), text);
  for (std::size_t next = 1; next < stages.size(); ++next) {
    result = EditWhole<Char>(stages[next], View<Char>(result));
  }
  return result;
}

template <typename T>
struct IsStageList : std::false_type {};
template <typename Stage>
struct IsStageList<std::vector<Stage>> : std::true_type {};

// Runs what a stage maker made (a stage, or stages in turn) over a text.
template <typename Char, typename Made>
String<Char> RunWhole(Made made, View<Char> text) {
  if constexpr (IsStageList<Made>::value) {
    return EditWholeInTurn<Char>(made, text);
  } else {
    return EditWhole<Char>(made, text);
  }
}

// Output units for input units, rounded up; at least 1.
inline std::size_t GrowthOf(std::size_t outputUnits, std::size_t inputUnits) {
  return std::max<std::size_t>(1, (outputUnits + inputUnits - 1) / inputUnits);
}

// A search in a piece: where the next match starts, or npos and how much of
// the piece is decided without one: all of it when it ends the text, else
// all but an end that may begin a match.
struct Search {
  std::size_t at;
  std::size_t decided;
  [[nodiscard]] bool Matched() const { return at != std::string_view::npos; }
};

template <typename Char>
Search Find(const SubstringFinder<Char>& finder, View<Char> input, std::size_t from, bool last) {
  std::size_t partial = 0;
  const std::size_t at = finder.FindFrom(input, from, &partial);
  return {at, last ? input.size() : input.size() - partial};
}

// Appends the decided input from `from` on, when there is no match; returns
// the units consumed.
template <typename Char>
std::size_t AppendDecided(View<Char> input, std::size_t from, const Search& search,
                          String<Char>& output) {
  output.append(input.substr(from, search.decided - from));
  return search.decided;
}

}  // namespace fenlow::edits::generic
