#pragma once

// The x edits, which count UTF-16 code units as the window's engine does: a
// character beyond the Basic Multilingual Plane is two. On UTF-8 a cut
// between the two halves of such a character leaves a lone surrogate, which
// UTF-8 cannot carry: the edit throws LoneSurrogateError before it gives any
// output.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "edits/engine/edit_failure.h"
#include "edits/engine/stage_runs.h"
#include "edits/engine/utf.h"

namespace fenlow::edits::generic {

template <typename Char>
bool IsContinuationUnit(Char c) {
  return sizeof(Char) == 1 && (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The UTF-16 code units of the character that starts with `c`: on UTF-8, two
// beyond the Basic Multilingual Plane and none for a continuation byte.
template <typename Char>
std::uint32_t UnitsLedBy(Char c) {
  if constexpr (sizeof(Char) == 1) {
    if (static_cast<unsigned char>(c) >= 0xF0) return 2;
    return IsContinuationUnit(c) ? 0 : 1;
  } else {
    return 1;
  }
}

// Counts whole characters of a piece until they make `units` UTF-16 units.
class UnitCounter {
 public:
  explicit UnitCounter(std::int16_t x) : units_(static_cast<std::uint32_t>(std::max<int>(x, 0))) {}

  // Walks on from `at` in the piece; returns where the counted characters end,
  // or piece.size() when they do not reach the count yet. Throws
  // LoneSurrogateError when the count ends inside a surrogate pair, naming
  // `surrogateIndex` in the result.
  template <typename Char>
  std::size_t Walk(View<Char> piece, std::size_t at, std::size_t surrogateIndex) {
    while (counted_ < units_ && at < piece.size()) counted_ += UnitsLedBy(piece[at++]);
    if (counted_ > units_) throw LoneSurrogateError(surrogateIndex);
    while (at < piece.size() && IsContinuationUnit(piece[at])) ++at;
    return at;
  }
  [[nodiscard]] bool Reached() const { return counted_ == units_; }
  [[nodiscard]] std::uint32_t Units() const { return units_; }
  void Restart() { counted_ = 0; }

 private:
  std::uint32_t units_;
  std::uint32_t counted_ = 0;
};

// Drops the first x units (none for x <= 0). Throws EditFailure for
// x = 32767 once the text turns out not to be empty: the start position
// x + 1 does not fit in 16 bits.
template <typename Char>
class DropFirstUnitsStage {
 public:
  explicit DropFirstUnitsStage(std::int16_t x) : failsOnText_(x == INT16_MAX), counter_(x) {}

  std::size_t Edit(View<Char> input, bool, String<Char>& output) {
    if (input.empty()) return 0;
    if (failsOnText_) throw StartPositionOverflow();
    // The result starts with the low half of a split pair.
    const std::size_t keptFrom = counter_.Reached() ? 0 : counter_.Walk(input, 0, 0);
    output.append(input.substr(keptFrom));
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return 1; }
  void Restart() { counter_.Restart(); }

 private:
  bool failsOnText_;
  UnitCounter counter_;
};

// Keeps the first x units (none for x <= 0) and consumes the rest.
template <typename Char>
class KeepFirstUnitsStage {
 public:
  explicit KeepFirstUnitsStage(std::int16_t x) : counter_(x) {}

  std::size_t Edit(View<Char> input, bool last, String<Char>& output) {
    if (counter_.Reached()) return input.size();
    // The input comes back whole until the count is reached, so counting
    // resumes where it stopped. The result ends with the high half of a
    // split pair.
    walked_ = counter_.Walk(input, walked_, counter_.Units() - 1);
    if (!counter_.Reached() && !last) return 0;
    output.append(input.substr(0, walked_));
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return 1; }
  void Restart() {
    counter_.Restart();
    walked_ = 0;
  }

 private:
  UnitCounter counter_;
  std::size_t walked_ = 0;
};

// Needs the whole text: removes the last x units; a negative x keeps the
// whole text. On UTF-8 only the window at the end, where the cut falls, is
// converted and cut: x counts at most 32768 units, and a unit takes at most
// three bytes (four for two units), so that many bytes hold more than |x|.
template <typename Char>
void RemoveLastUnitsInPlace(String<Char>& text, std::int16_t x) {
  if constexpr (sizeof(Char) == 1) {
    std::size_t window = std::min(3 * static_cast<std::size_t>(std::abs(x)) + 4, text.size());
    while (window < text.size() && IsContinuationUnit(text[text.size() - window])) ++window;
    std::u16string end = Utf8ToUtf16(View<Char>(text).substr(text.size() - window));
    RemoveLastUnitsInPlace(end, x);
    text.resize(text.size() - window);
    text.append(Utf16ToUtf8(end));
  } else {
    const auto kept = static_cast<std::int64_t>(text.size()) - x;
    text.resize(kept <= 0 ? 0 : std::min(static_cast<std::size_t>(kept), text.size()));
  }
}

}  // namespace fenlow::edits::generic
