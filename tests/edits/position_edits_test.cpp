// The position and delimiter edits: worked examples, the 16-bit limits of x,
// and the edge cases grouped per routine.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "edits/engine/edit_failure.h"
#include "edits/engine/text_edits.h"
#include "readable_text.h"

namespace fenlow::edits {
namespace {

using testing::Readable;

using PositionEdit = std::function<std::u16string(std::u16string_view, std::int16_t)>;

struct PositionExample {
  const char* routine;
  PositionEdit edit;
  std::int16_t x;
  const char16_t* expected;
};

TEST(PositionEdits, WorkedExamplesOnAbcdef) {
  const PositionExample examples[] = {
      {"RemoveFirstChars", RemoveFirstChars, 0, u"abcdef"},
      {"RemoveFirstChars", RemoveFirstChars, 2, u"cdef"},
      {"RemoveFirstChars", RemoveFirstChars, 6, u""},
      {"RemoveFirstChars", RemoveFirstChars, 9, u""},
      {"RemoveTextBeforePosition", RemoveTextBeforePosition, 2, u"cdef"},
      {"RemoveLastChars", RemoveLastChars, 0, u"abcdef"},
      {"RemoveLastChars", RemoveLastChars, 2, u"abcd"},
      {"RemoveLastChars", RemoveLastChars, 6, u""},
      {"RemoveLastChars", RemoveLastChars, 9, u""},
      {"RemoveLastChars", RemoveLastChars, -2, u"abcdef"},
      {"RemoveTextAfterPosition", RemoveTextAfterPosition, 0, u""},
      {"RemoveTextAfterPosition", RemoveTextAfterPosition, 2, u"ab"},
      {"RemoveTextAfterPosition", RemoveTextAfterPosition, 9, u"abcdef"},
  };
  for (const PositionExample& example : examples) {
    EXPECT_EQ(example.edit(u"abcdef", example.x), example.expected)
        << example.routine << " with x = " << example.x;
  }
}

TEST(PositionEdits, NegativeXCountsAsZero) {
  for (std::int16_t x : {std::int16_t{-1}, std::int16_t{-2}, std::int16_t{INT16_MIN}}) {
    EXPECT_EQ(RemoveFirstChars(u"abcdef", x), u"abcdef");
    EXPECT_EQ(RemoveTextBeforePosition(u"abcdef", x), u"abcdef");
    EXPECT_EQ(RemoveTextAfterPosition(u"abcdef", x), u"");
    EXPECT_EQ(RemoveLastChars(u"abcdef", x), u"abcdef");
  }
}

TEST(PositionEdits, SixteenBitLimitsOfX) {
  const std::u16string longText(40000, u'a');
  EXPECT_EQ(RemoveFirstChars(longText, 32766), std::u16string(40000 - 32766, u'a'));
  EXPECT_THROW((void)RemoveFirstChars(longText, 32767), EditFailure);
  EXPECT_THROW((void)RemoveTextBeforePosition(u"abc", 32767), EditFailure);
  // The overflow comes after the empty-text check.
  EXPECT_EQ(RemoveFirstChars(u"", 32767), u"");
  EXPECT_EQ(RemoveTextBeforePosition(u"", 32767), u"");
  // The other two take x = 32767 and x = -32768 like any other value.
  EXPECT_EQ(RemoveLastChars(longText, 32767), std::u16string(40000 - 32767, u'a'));
  EXPECT_EQ(RemoveTextAfterPosition(longText, 32767), std::u16string(32767, u'a'));
  EXPECT_EQ(RemoveLastChars(longText, INT16_MIN), longText);
  try {
    (void)RemoveFirstChars(u"abc", 32767);
    FAIL() << "x = 32767 was accepted";
  } catch (const EditFailure& failure) {
    EXPECT_NE(std::string(failure.what()).find("32766"), std::string::npos) << failure.what();
  }
}

TEST(PositionEdits, CountCodeUnitsNotLinesOrCharacters) {
  EXPECT_EQ(RemoveFirstChars(Readable("¶ab"), 1), u"\nab");
  EXPECT_EQ(RemoveLastChars(Readable("ab¶"), 1), u"ab\r");
  EXPECT_EQ(RemoveTextAfterPosition(u"\U0001F600z", 1), u"\xD83D");
  EXPECT_EQ(RemoveTextBeforePosition(u"\U0001F600z", 1), u"\xDE00z");
}

TEST(PositionEdits, FirstCharsAndBeforePositionAgreeForEveryX) {
  const std::u16string text = u"abcdef";
  for (int x = INT16_MIN; x < INT16_MAX; x += 97) {
    const auto x16 = static_cast<std::int16_t>(x);
    EXPECT_EQ(RemoveFirstChars(text, x16), RemoveTextBeforePosition(text, x16)) << x;
  }
}

TEST(PositionEdits, EmptyTextStaysEmpty) {
  for (std::int16_t x : {std::int16_t{INT16_MIN}, std::int16_t{-1}, std::int16_t{0},
                         std::int16_t{1}, std::int16_t{32766}}) {
    EXPECT_EQ(RemoveFirstChars(u"", x), u"");
    EXPECT_EQ(RemoveLastChars(u"", x), u"");
    EXPECT_EQ(RemoveTextAfterPosition(u"", x), u"");
    EXPECT_EQ(RemoveTextBeforePosition(u"", x), u"");
  }
}

using DelimiterEdit = std::function<std::u16string(std::u16string_view, std::u16string_view)>;

using RemovingDelimiterEdit = std::u16string (*)(std::u16string_view, std::u16string_view);
// The UTF-16 forms of the two removing edits, picked out of their overloads.
const RemovingDelimiterEdit kRemoveTextAfterDelimiter = RemoveTextAfterDelimiter;
const RemovingDelimiterEdit kRemoveTextBeforeDelimiter = RemoveTextBeforeDelimiter;

using ReplacingDelimiterEdit = std::u16string (*)(std::u16string_view, std::u16string_view,
                                                  std::u16string_view);

DelimiterEdit WithHash(ReplacingDelimiterEdit edit) {
  return [edit](std::u16string_view text, std::u16string_view delimiter) {
    return edit(text, delimiter, u"#");
  };
}

struct DelimiterExample {
  const char* routine;
  DelimiterEdit edit;
  const char16_t* delimiter;
  const char16_t* expected;
};

TEST(DelimiterEdits, WorkedExamplesOnAEqualsBEqualsC) {
  const DelimiterExample examples[] = {
      {"RemoveTextBeforeDelimiter", kRemoveTextBeforeDelimiter, u"=", u"=b=c"},
      {"RemoveTextAfterDelimiter", kRemoveTextAfterDelimiter, u"=", u"a="},
      {"RemoveTextAfterDelimiter", kRemoveTextAfterDelimiter, u"b=c", u"a=b=c"},
      {"ReplaceTextBeforeDelimiter", WithHash(ReplaceTextBeforeDelimiter), u"=", u"#=b=c"},
      {"ReplaceTextAfterDelimiter", WithHash(ReplaceTextAfterDelimiter), u"=", u"a=#"},
      {"RemoveTextBeforeDelimiter", kRemoveTextBeforeDelimiter, u"", u"a=b=c"},
      {"RemoveTextAfterDelimiter", kRemoveTextAfterDelimiter, u"", u""},
      {"ReplaceTextBeforeDelimiter", WithHash(ReplaceTextBeforeDelimiter), u"", u"#a=b=c"},
      {"ReplaceTextAfterDelimiter", WithHash(ReplaceTextAfterDelimiter), u"", u"#"},
  };
  for (const DelimiterExample& example : examples) {
    EXPECT_EQ(example.edit(u"a=b=c", example.delimiter), example.expected) << example.routine;
  }
}

const DelimiterEdit kAllDelimiterEdits[] = {
    kRemoveTextAfterDelimiter,
    kRemoveTextBeforeDelimiter,
    WithHash(ReplaceTextAfterDelimiter),
    WithHash(ReplaceTextBeforeDelimiter),
};

TEST(DelimiterEdits, AbsentDelimiterLeavesTheTextUnchanged) {
  for (const DelimiterEdit& edit : kAllDelimiterEdits) {
    EXPECT_EQ(edit(u"a=b=c", u"q"), u"a=b=c");
    EXPECT_EQ(edit(u"a=b=c", u"B"), u"a=b=c");
    EXPECT_EQ(edit(u"a=b=c", u"a=b=c="), u"a=b=c");
  }
}

TEST(DelimiterEdits, EmptyTextStaysEmptyEvenWithEmptyDelimiter) {
  for (const DelimiterEdit& edit : kAllDelimiterEdits) {
    EXPECT_EQ(edit(u"", u""), u"");
    EXPECT_EQ(edit(u"", u"="), u"");
  }
}

TEST(DelimiterEdits, OnlyTheFirstOccurrenceCounts) {
  EXPECT_EQ(RemoveTextAfterDelimiter(u"x--y--z", u"--"), u"x--");
  EXPECT_EQ(RemoveTextBeforeDelimiter(u"x--y--z", u"--"), u"--y--z");
  EXPECT_EQ(ReplaceTextAfterDelimiter(u"x--y--z", u"--", u"#"), u"x--#");
  EXPECT_EQ(ReplaceTextBeforeDelimiter(u"x--y--z", u"--", u"#"), u"#--y--z");
  // Overlapping candidates: the lowest position wins.
  EXPECT_EQ(RemoveTextBeforeDelimiter(u"aaab", u"aab"), u"aab");
}

TEST(DelimiterEdits, DelimiterAtTheStartOrTheEnd) {
  EXPECT_EQ(RemoveTextBeforeDelimiter(u"=ab", u"="), u"=ab");
  EXPECT_EQ(ReplaceTextBeforeDelimiter(u"=ab", u"=", u"#"), u"#=ab");
  EXPECT_EQ(RemoveTextAfterDelimiter(u"ab=", u"="), u"ab=");
  EXPECT_EQ(ReplaceTextAfterDelimiter(u"ab=", u"=", u"#"), u"ab=#");
  EXPECT_EQ(ReplaceTextAfterDelimiter(u"ab", u"ab", u"#"), u"ab#");
}

TEST(DelimiterEdits, DelimiterSpanningLinesIsOneSearchString) {
  const std::u16string text = Readable("one¶two¶three");
  EXPECT_EQ(RemoveTextAfterDelimiter(text, Readable("o¶t")), Readable("one¶two¶t"));
  EXPECT_EQ(RemoveTextBeforeDelimiter(text, Readable("o¶t")), Readable("o¶three"));
  EXPECT_EQ(RemoveTextAfterDelimiter(text, Readable("e¶t")), Readable("one¶t"));
  EXPECT_EQ(RemoveTextAfterDelimiter(text, Readable("x¶t")), text);
}

TEST(DelimiterEdits, ReplacementIsInsertedWhole) {
  EXPECT_EQ(ReplaceTextAfterDelimiter(u"a=b", u"=", Readable("x¶y")), Readable("a=x¶y"));
  EXPECT_EQ(ReplaceTextBeforeDelimiter(u"a=b", u"=", u""), RemoveTextBeforeDelimiter(u"a=b", u"="));
}

}  // namespace
}  // namespace fenlow::edits
