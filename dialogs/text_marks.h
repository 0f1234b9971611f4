// What changed between a text and what an edit made of it, as marked ranges
// of each: the parts removed from the first, the parts put into the second.
//
// The bound: both texts lose their common beginning and end first. What is
// left is compared character by character (dtl, O((M+N)P) with P at most
// min(M, N)) when each side is at most kCharacterDiffLimit long; otherwise
// line by line, and then each changed stretch of lines again character by
// character (a stretch with as many lines on each side, as an edit of each
// line gives, line against line). Every comparison first takes its worst
// cost, (M+N) x min(M, N), from one budget of kDiffBudget steps; one that
// would overdraw it is not made, and its stretch is marked as a whole. So a
// preview's marking takes at most kDiffBudget steps of the O(NP) loop.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/ui.h"

namespace fenlow {

inline constexpr std::size_t kCharacterDiffLimit = 2000;
inline constexpr std::size_t kDiffBudget = 10'000'000;

struct TextMarks {
  std::vector<platform::MarkedRange> removed;  // ranges of the first text
  std::vector<platform::MarkedRange> added;    // ranges of the second
};

inline constexpr platform::Colour kRemovedColour = 0x00C0C0FF;  // light red
inline constexpr platform::Colour kAddedColour = 0x00B0F0B0;    // light green

// `cancelled` is asked before each stretch: true gives up, with the marks
// found so far.
[[nodiscard]] TextMarks MarkChanges(std::u16string_view before, std::u16string_view after,
                                    const std::function<bool()>& cancelled = {});

}  // namespace fenlow
