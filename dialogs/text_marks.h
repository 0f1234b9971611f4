// What changed between a text and what an edit made of it, as marked ranges
// of each: the parts removed from the first, the parts put into the second.
//
// The bound: both texts lose their common beginning and end first. What is
// left is compared character by character (dtl, O((M+N)P)) when each side is
// at most kCharacterDiffLimit long; otherwise line by line when each side has
// at most kLineDiffLimit lines, and then each changed stretch of lines again
// character by character when both sides of it are within the character limit
// (a stretch with as many lines on each side, as an edit of each line gives,
// line against line). A stretch beyond the limits is marked as a whole. So
// the comparison by lines takes at most (2 x 4,000) x 4,000 steps, and those
// by characters together at most 4,000 steps per character of the two texts.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/ui.h"

namespace fenlow {

inline constexpr std::size_t kCharacterDiffLimit = 4000;
inline constexpr std::size_t kLineDiffLimit = 4000;

struct TextMarks {
  std::vector<platform::MarkedRange> removed;  // ranges of the first text
  std::vector<platform::MarkedRange> added;    // ranges of the second
};

inline constexpr platform::Colour kRemovedColour = 0x00C0C0FF;  // light red
inline constexpr platform::Colour kAddedColour = 0x00B0F0B0;    // light green

[[nodiscard]] TextMarks MarkChanges(std::u16string_view before, std::u16string_view after);

}  // namespace fenlow
