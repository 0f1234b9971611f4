#pragma once

// Runs steps of edits in every form the engine has: on UTF-16, on a whole
// UTF-8 text, and streamed as UTF-8 in blocks of every size from 1 past the
// text's length, so that a block ends at every place. The UTF-8 forms must
// give the UTF-8 of what the UTF-16 form gives.

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "edits/engine/edit_chain.h"
#include "edits/engine/stream_edits.h"
#include "edits/engine/utf.h"
#include "readable_text.h"

namespace fenlow::edits::testing {

inline std::string Streamed(std::span<const EditStep> steps, std::string_view text,
                            std::size_t block) {
  StreamEditor editor(StagesOfSteps(steps));
  std::string output;
  for (std::size_t at = 0; at < text.size(); at += block) {
    const std::string_view piece = text.substr(at, block);
    const std::span<char> room = editor.NextBlock(piece.size());
    std::copy(piece.begin(), piece.end(), room.begin());
    editor.Edit(piece.size(), output);
  }
  editor.Finish(output);
  return output;
}

// The lone surrogates of `text`, in order.
inline std::u16string LoneSurrogatesOf(std::u16string_view text) {
  std::u16string lone;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const bool high = text[at] >= 0xD800 && text[at] < 0xDC00;
    if (high && at + 1 < text.size() && text[at + 1] >= 0xDC00 && text[at + 1] < 0xE000) {
      ++at;
    } else if (text[at] >= 0xD800 && text[at] < 0xE000) {
      lone += text[at];
    }
  }
  return lone;
}

// The UTF-16 form's result, after checking that the other forms agree.
inline std::u16string InEveryForm(std::span<const EditStep> steps, std::u16string_view text) {
  const std::u16string result = ApplyStepsToUtf16(steps, std::u16string(text));
  if (!LoneSurrogatesOf(text).empty()) return result;  // a lone surrogate has no UTF-8
  const std::string bytes = Utf16ToUtf8(text);
  // An x edit that splits a pair leaves a lone surrogate, at the end or on
  // the way, which UTF-8 cannot carry: the UTF-8 forms refuse it.
  std::u16string between(text);
  for (const EditStep& step : steps) {
    between = ApplyStepsToUtf16(std::span<const EditStep>(&step, 1), between);
    if (LoneSurrogatesOf(between).empty()) continue;
    EXPECT_THROW((void)ApplyStepsToUtf8(steps, bytes), LoneSurrogateError) << Written(text);
    if (StepsStream(steps)) {
      EXPECT_THROW((void)Streamed(steps, bytes, 1), LoneSurrogateError) << Written(text);
    }
    return result;
  }
  const std::string expected = Utf16ToUtf8(result);
  EXPECT_EQ(ApplyStepsToUtf8(steps, bytes), expected) << "whole UTF-8 of " << Written(text);
  if (StepsStream(steps)) {
    for (std::size_t block = 1; block <= bytes.size() + 1; ++block) {
      EXPECT_EQ(Streamed(steps, bytes, block), expected)
          << "in blocks of " << block << " of " << Written(text);
    }
  }
  return result;
}

inline std::u16string InEveryForm(const EditStep& step, std::u16string_view text) {
  return InEveryForm(std::span<const EditStep>(&step, 1), text);
}

}  // namespace fenlow::edits::testing
