#pragma once

// The replace-all rule and the edits built from it: the lists of texts to
// find and replace, and the space and tab edits that are lists of one item.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edits/engine/char_set_stages.h"
#include "edits/engine/edit_failure.h"
#include "edits/engine/stage_runs.h"
#include "edits/engine/substring_finder.h"

namespace fenlow::edits::generic {

template <typename Char>
inline constexpr Char kLineBreakUnits[] = {Char('\r'), Char('\n')};
template <typename Char>
inline constexpr Char kDoubleSpaceUnits[] = {Char(' '), Char(' ')};
template <typename Char>
inline constexpr Char kTabUnits[] = {Char('\t')};

// The line break of the 26 edits: CR LF.
template <typename Char>
constexpr View<Char> LineBreak() {
  return {kLineBreakUnits<Char>, 2};
}

template <typename Char>
constexpr View<Char> Space() {
  return {kDoubleSpaceUnits<Char>, 1};
}

// The list's item index is a signed 16-bit number, so no more items than this
// can be applied.
inline constexpr std::size_t kMaxListItems = 32767;

// The replace-all rule: each match of `search` becomes `replacement`, and the
// scan goes on after it. Holds back an end of the input that may begin a
// match. An empty search changes nothing.
template <typename Char>
class ReplaceAllStage {
 public:
  ReplaceAllStage(View<Char> search, View<Char> replacement)
      : finder_(search), replacement_(replacement) {
    // A search of one unit is a character set of one member.
    if (search.size() == 1) oneUnit_.emplace(OneUnitSet(UnitValue(search[0])), replacement, false);
  }

  std::size_t Edit(View<Char> input, bool last, String<Char>& output) const {
    if (oneUnit_) return oneUnit_->Edit(input, last, output);
    if (finder_.size() == 0) {
      output.append(input);
      return input.size();
    }
    std::size_t copied = 0;
    while (true) {
      const Search found = Find(finder_, input, copied, last);
      if (!found.Matched()) return AppendDecided(input, copied, found, output);
      output.append(input.substr(copied, found.at - copied)).append(replacement_);
      copied = found.at + finder_.size();
    }
  }
  [[nodiscard]] std::size_t Growth() const {
    return GrowthOf(replacement_.size(), std::max<std::size_t>(finder_.size(), 1));
  }
  void Restart() {}

 private:
  SubstringFinder<Char> finder_;
  String<Char> replacement_;
  std::optional<CharSetStage<Char, OneUnitSet>> oneUnit_;
};

// The lines of a list: split at every CR LF; a trailing CR LF gives a final
// empty line. An empty list has no lines.
template <typename Char>
std::vector<View<Char>> SplitListLines(View<Char> list) {
  std::vector<View<Char>> lines;
  if (list.empty()) return lines;
  const SubstringFinder<Char> finder(LineBreak<Char>());
  std::size_t start = 0;
  for (std::size_t at = finder.FindFrom(list, 0); at != finder.npos;
       at = finder.FindFrom(list, start)) {
    lines.push_back(list.substr(start, at - start));
    start = at + 2;
  }
  lines.push_back(list.substr(start));
  return lines;
}

// Throws EditFailure for a find list of 32768 or more items, before anything
// is applied: a list this long would fail after its last item anyway.
template <typename Char>
void CheckListLength(std::size_t items) {
  if (items > kMaxListItems) {
    throw EditFailure("The list has " + std::to_string(items) +
                      " lines, but at most 32767 lines can be applied.");
  }
}

// One replace-all stage for each item of the find list that changes
// something, in list order: item i is replaced by line i of `replaceList`, or
// removed when `replaceList` is empty; an item without a replacement line and
// an empty item are left out.
template <typename Char>
std::vector<ReplaceAllStage<Char>> ListStages(View<Char> findList, View<Char> replaceList) {
  const std::vector<View<Char>> findItems = SplitListLines(findList);
  CheckListLength<Char>(findItems.size());
  const std::vector<View<Char>> replaceItems = SplitListLines(replaceList);
  std::vector<ReplaceAllStage<Char>> stages;
  for (std::size_t item = 0; item < findItems.size(); ++item) {
    if (findItems[item].empty() || (!replaceItems.empty() && item >= replaceItems.size())) {
      continue;
    }
    stages.emplace_back(findItems[item], replaceItems.empty() ? View<Char>() : replaceItems[item]);
  }
  return stages;
}

template <typename Char>
std::vector<ReplaceAllStage<Char>> RemoveAllSpacesStages() {
  return ListStages(Space<Char>(), View<Char>());
}

template <typename Char>
std::vector<ReplaceAllStage<Char>> RemoveSpacesExceptSingleStages() {
  return ListStages(View<Char>(kDoubleSpaceUnits<Char>, 2), Space<Char>());
}

template <typename Char>
std::vector<ReplaceAllStage<Char>> RemoveAllTabsStages() {
  return ListStages(View<Char>(kTabUnits<Char>, 1), View<Char>());
}

template <typename Char>
ReplaceAllStage<Char> ReplaceAllSpacesStage(View<Char> replacement) {
  return ReplaceAllStage<Char>(Space<Char>(), replacement);
}

}  // namespace fenlow::edits::generic
