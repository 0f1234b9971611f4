#pragma once

// The stages of the 26 edits that look at spaces at the ends of the text and
// at the CR LF line breaks.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "edits/engine/char_set_table.h"
#include "edits/engine/replace_stages.h"
#include "edits/engine/stage_runs.h"
#include "edits/engine/unit_transforms.h"

namespace fenlow::edits::generic {

// Every run of two or more consecutive CR LF pairs becomes one CR LF.
// Repeating "replace CR LF CR LF by CR LF" until none is left does exactly
// this and nothing else: a pair can only start with CR, so runs never merge.
template <typename Char>
class BlankLinesStage {
 public:
  std::size_t Edit(View<Char> input, bool last, String<Char>& output) {
    const View<Char> lineBreak = LineBreak<Char>();
    std::size_t copied = 0;
    while (true) {
      if (afterLineBreak_) {
        while (input.substr(copied, 2) == lineBreak) copied += 2;
        // A CR at the end may begin one more pair.
        if (!last && input.size() - copied == 1 && input[copied] == Char('\r')) return copied;
        if (copied == input.size() && !last) return copied;
        afterLineBreak_ = false;
      }
      const Search found = Find(finder_, input, copied, last);
      if (!found.Matched()) return AppendDecided(input, copied, found, output);
      output.append(input.substr(copied, found.at + 2 - copied));
      copied = found.at + 2;
      afterLineBreak_ = true;
    }
  }
  [[nodiscard]] std::size_t Growth() const { return 1; }
  void Restart() { afterLineBreak_ = false; }

 private:
  SubstringFinder<Char> finder_{LineBreak<Char>()};
  bool afterLineBreak_ = false;
};

// Drops the spaces at the start of the text.
template <typename Char>
class LeadingSpacesStage {
 public:
  std::size_t Edit(View<Char> input, bool, String<Char>& output) {
    std::size_t first = 0;
    if (!pastSpaces_) {
      first = std::min(input.find_first_not_of(Char(' ')), input.size());
      pastSpaces_ = first < input.size();
    }
    output.append(input.substr(first));
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return 1; }
  void Restart() { pastSpaces_ = false; }

 private:
  bool pastSpaces_ = false;
};

// Drops the spaces at the end of the text. A run of spaces is only counted
// until something follows it, so it takes no memory however long it is.
template <typename Char>
class TrailingSpacesStage {
 public:
  std::size_t Edit(View<Char> input, bool, String<Char>& output) {
    const std::size_t lastOther = input.find_last_not_of(Char(' '));
    if (lastOther == input.npos) {
      pendingSpaces_ += input.size();
      return input.size();
    }
    output.append(pendingSpaces_, Char(' ')).append(input.substr(0, lastOther + 1));
    pendingSpaces_ = input.size() - lastOther - 1;
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return 1; }
  void Restart() { pendingSpaces_ = 0; }

 private:
  std::size_t pendingSpaces_ = 0;
};

// Replaces every LF and every CR. Replacing LF first and CR second is one
// pass in which a CR becomes the replacement and an LF becomes the
// replacement with its own CRs replaced.
template <typename Char>
class LineBreakUnitsStage {
 public:
  explicit LineBreakUnitsStage(View<Char> replacement)
      : forCarriageReturn_(replacement),
        forLineFeed_(EditWhole<Char>(
            ReplaceAllStage<Char>(View<Char>(kLineBreakUnits<Char>, 1), replacement),
            replacement)) {}

  std::size_t Edit(View<Char> input, bool, String<Char>& output) const {
    const View<Char> forCarriageReturn = forCarriageReturn_;
    const View<Char> forLineFeed = forLineFeed_;
    AppendSubstitutedUnits(
        input, lineBreakUnits_, false,
        [forCarriageReturn, forLineFeed](Char c) {
          return c == Char('\r') ? forCarriageReturn : forLineFeed;
        },
        output);
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return GrowthOf(forLineFeed_.size(), 1); }
  void Restart() {}

 private:
  CharSetTable lineBreakUnits_{u"\r\n"};
  String<Char> forCarriageReturn_;
  String<Char> forLineFeed_;
};

}  // namespace fenlow::edits::generic
