// The character-class, whitespace, line and list edits: the worked examples
// as a table, then the edge cases grouped per routine.

#include "edits/engine/text_edits.h"

#include <gtest/gtest.h>

#include <string>

#include "edits/engine/edit_failure.h"
#include "readable_text.h"

namespace fenlow::edits {
namespace {

using testing::Readable;
using testing::Written;

using TextEdit = std::u16string (*)(std::u16string_view);

// Binds the replacement text "#" that the worked examples use.
using ReplacingEdit = std::u16string (*)(std::u16string_view, std::u16string_view);

template <ReplacingEdit Edit>
std::u16string WithHash(std::u16string_view text) {
  return Edit(text, u"#");
}

struct WorkedExample {
  const char* routine;
  TextEdit edit;
  const char* input;
  const char* expected;
};

TEST(TextEdits, WorkedExamples) {
  const WorkedExample examples[] = {
      {"RemoveAllSpaces", RemoveAllSpaces, "·a·b·¶c", "ab¶c"},
      {"RemoveExtraSpacesAtBeginning", RemoveExtraSpacesAtBeginning, "··a·b··", "a·b··"},
      {"RemoveExtraSpacesAtBeginning", RemoveExtraSpacesAtBeginning, "⇥·a", "⇥·a"},
      {"RemoveExtraSpacesAtEnd", RemoveExtraSpacesAtEnd, "··a·b··", "··a·b"},
      {"RemoveExtraSpacesAtEnd", RemoveExtraSpacesAtEnd, "a··¶", "a··¶"},
      {"RemoveExtraSpacesAtEnd", RemoveExtraSpacesAtEnd, "···", ""},
      {"RemoveSpacesExceptSingle", RemoveSpacesExceptSingle, "a··b···c····d", "a·b··c··d"},
      {"RemoveBlankLines", RemoveBlankLines, "a¶¶¶b¶¶c¶", "a¶b¶c¶"},
      {"RemoveBlankLines", RemoveBlankLines, "¶¶a¶·¶b", "¶a¶·¶b"},
      {"RemoveAllTabs", RemoveAllTabs, "a⇥⇥b", "ab"},
      {"ReplaceAllSpaces", WithHash<ReplaceAllSpaces>, "a·b··c", "a#b##c"},
      {"ReplaceAllBlankLines", WithHash<ReplaceAllBlankLines>, "a¶¶b", "a####b"},
      {"RemoveAlphabetChars", RemoveAlphabetChars, "Ab1-é2", "1-é2"},
      {"RemoveNumericChars", RemoveNumericChars, "a1b22", "ab"},
      {"RemoveAlphanumericChars", RemoveAlphanumericChars, "a1·b-2", "·-"},
      {"RemoveNonAlphanumericChars", RemoveNonAlphanumericChars, "a,·b!¶c⇥é", "a·b¶c⇥"},
      {"ReplaceAlphabetChars", WithHash<ReplaceAlphabetChars>, "ab1", "##1"},
      {"ReplaceNumericChars", WithHash<ReplaceNumericChars>, "a12", "a##"},
      {"ReplaceAlphanumericChars", WithHash<ReplaceAlphanumericChars>, "a1·b", "##·#"},
      {"ReplaceNonAlphanumericChars", WithHash<ReplaceNonAlphanumericChars>, "a,·b¶c", "a#·b##c"},
  };
  for (const WorkedExample& example : examples) {
    EXPECT_EQ(Written(example.edit(Readable(example.input))), example.expected)
        << example.routine << " on " << example.input;
  }
}

TEST(TextEdits, EmptyTextStaysEmptyForEveryRoutine) {
  const TextEdit edits[] = {
      RemoveAllSpaces,
      RemoveExtraSpacesAtBeginning,
      RemoveExtraSpacesAtEnd,
      RemoveSpacesExceptSingle,
      RemoveBlankLines,
      RemoveAllTabs,
      WithHash<ReplaceAllSpaces>,
      WithHash<ReplaceAllBlankLines>,
      RemoveAlphabetChars,
      RemoveNumericChars,
      RemoveAlphanumericChars,
      RemoveNonAlphanumericChars,
      WithHash<ReplaceAlphabetChars>,
      WithHash<ReplaceNumericChars>,
      WithHash<ReplaceAlphanumericChars>,
      WithHash<ReplaceNonAlphanumericChars>,
      [](std::u16string_view text) { return ReplaceListItems(text, u"a\r\n", u"b\r\nc"); },
      [](std::u16string_view text) { return ReplaceAll(text, u"a", u"#"); },
  };
  for (const TextEdit& edit : edits) EXPECT_EQ(edit(u""), u"");
}

TEST(ReplaceAll, ScansOnceWithoutOverlapOrRescanning) {
  EXPECT_EQ(ReplaceAll(u"aaa", u"aa", u"b"), u"ba");
  EXPECT_EQ(ReplaceAll(u"aaaa", u"aa", u"a"), u"aa");      // Not repeated until none is left.
  EXPECT_EQ(ReplaceAll(u"ab", u"a", u"aa"), u"aab");       // Inserted text is not searched.
  EXPECT_EQ(ReplaceAll(u"abcabc", u"", u"#"), u"abcabc");  // Empty search changes nothing.
  EXPECT_EQ(ReplaceAll(u"abab", u"ab", u"xyz"), u"xyzxyz");
  EXPECT_EQ(ReplaceAll(u"aXbXXc", u"X", u""), u"abc");
  EXPECT_EQ(ReplaceAll(u"no match", u"zz", u"#"), u"no match");
  EXPECT_EQ(ReplaceAll(u"aabaabaaab", u"aaab", u"!"), u"aabaab!");  // Partial matches back off.
}

TEST(ReplaceListItems, SplitsAtCrLfAndAppliesItemsInOrder) {
  // An empty list changes nothing; one line without CR LF is a single replace-all.
  EXPECT_EQ(ReplaceListItems(u"abc", u"", u""), u"abc");
  EXPECT_EQ(ReplaceListItems(u"abcb", u"b", u"x"), u"axcx");
  // Item 1 has no replacement line, so it is skipped, not removed.
  EXPECT_EQ(ReplaceListItems(u"ab-ab", Readable("a¶b"), u"x"), u"xb-xb");
  // Items apply one after another, each to the result of the one before.
  EXPECT_EQ(ReplaceListItems(u"aab", Readable("ab¶b"), u""), u"a");
  EXPECT_EQ(ReplaceListItems(u"aab", Readable("b¶ab"), u""), u"aa");
  EXPECT_EQ(ReplaceListItems(u"abc", Readable("a¶b"), Readable("b¶c")), u"ccc");
  // Replacement lines beyond the find list are ignored.
  EXPECT_EQ(ReplaceListItems(u"abc", u"a", Readable("1¶2¶3")), u"1bc");
}

TEST(ReplaceListItems, EmptyItemsAndLoneLineBreakCharacters) {
  // A blank line and a trailing CR LF are empty items and change nothing.
  EXPECT_EQ(ReplaceListItems(u"a b", Readable("a¶¶b¶"), u""), u" ");
  EXPECT_EQ(ReplaceListItems(Readable("x¶y"), Readable("¶"), u""), Readable("x¶y"));
  // A lone CR or LF in an item matches only that exact sequence.
  EXPECT_EQ(ReplaceListItems(u"a\rb\r\nc\n", u"\r", u"#"), u"a#b#\nc\n");
  EXPECT_EQ(ReplaceListItems(u"a\nb\r\nc", u"\nb", u""), u"a\r\nc");
  // A whole line's content removed leaves the empty line behind.
  EXPECT_EQ(ReplaceListItems(Readable("a¶gone¶b"), u"gone", u""), Readable("a¶¶b"));
}

TEST(ReplaceListItems, IsCaseSensitive) {
  EXPECT_EQ(ReplaceListItems(u"aAaA", u"a", u""), u"AA");
  EXPECT_EQ(ReplaceListItems(u"Straße STRASSE", u"ß", u"ss"), u"Strasse STRASSE");
}

std::u16string ListOfItems(std::size_t count) {
  std::u16string list = u"z";
  for (std::size_t i = 1; i < count; ++i) list += u"\r\nz";
  return list;
}

TEST(ReplaceListItems, SixteenBitItemLimit) {
  EXPECT_EQ(ReplaceListItems(u"zaz", ListOfItems(32767), u""), u"a");
  EXPECT_THROW((void)ReplaceListItems(u"zaz", ListOfItems(32768), u""), EditFailure);
  // 32766 CR LF pairs and a trailing empty item: 32767 items, still accepted.
  EXPECT_EQ(ReplaceListItems(u"zaz", ListOfItems(32766) + u"\r\n", u""), u"a");
  try {
    (void)ReplaceListItems(u"text", ListOfItems(40000), u"r");
    FAIL() << "a list of 40000 items was applied";
  } catch (const EditFailure& failure) {
    EXPECT_STREQ(failure.what(),
                 "The list has 40000 lines, but at most 32767 lines can be applied.");
  }
  // The limit holds for an empty text too.
  EXPECT_THROW((void)ReplaceListItems(u"", ListOfItems(32768), u""), EditFailure);
}

TEST(CharacterSets, HoldExactlyTheirAsciiMembers) {
  EXPECT_EQ(AlphabetSet.size(), 52u);
  EXPECT_EQ(DigitSet.size(), 10u);
  EXPECT_EQ(AlphanumericSet.size(), 62u);
  EXPECT_EQ(AlphanumericSpaceSet.size(), 63u);
  EXPECT_EQ(AlphanumericSpaceSet.back(), u' ');
  // Non-ASCII letters and digits are in none of them.
  EXPECT_EQ(RemoveAlphanumericChars(u"éÄß٣５ｚ"), u"éÄß٣５ｚ");
}

TEST(FilterCharSet, KeepsOrDropsMembers) {
  EXPECT_EQ(FilterCharSet(u"a1b2", DigitSet, false), u"ab");
  EXPECT_EQ(FilterCharSet(u"a1b2", DigitSet, true), u"12");
  EXPECT_EQ(FilterCharSet(u"abc", u"", true), u"");
  EXPECT_EQ(FilterCharSet(u"abc", u"", false), u"abc");
  const std::u16string edgeUnits = {char16_t{0xFFFF}, char16_t{0x0001}};
  EXPECT_EQ(FilterCharSet(u"a" + edgeUnits + u"b", edgeUnits, false), u"ab");
}

TEST(SubstituteCharSet, EveryReplacedCharacterGetsItsOwnCopy) {
  EXPECT_EQ(SubstituteCharSet(u"a12", DigitSet, u"<>", false), u"a<><>");
  EXPECT_EQ(SubstituteCharSet(u"a12", DigitSet, u"<>", true), u"<>12");
  EXPECT_EQ(SubstituteCharSet(u"a12", DigitSet, u"", false),
            FilterCharSet(u"a12", DigitSet, false));
}

TEST(WhitespaceEdits, OnlyU0020IsASpaceAndOnlyU0009ATab) {
  const std::u16string others = u"\t\u00A0\u2003\u3000\v\f";
  EXPECT_EQ(RemoveExtraSpacesAtBeginning(others + u" "), others + u" ");
  EXPECT_EQ(RemoveExtraSpacesAtEnd(u" " + others), u" " + others);
  EXPECT_EQ(RemoveSpacesExceptSingle(u"\u00A0\u00A0"), u"\u00A0\u00A0");
  EXPECT_EQ(ReplaceAllSpaces(u"\u00A0\t ", u"#"), u"\u00A0\t#");
  EXPECT_EQ(RemoveAllTabs(u"\u00A0\t\v"), u"\u00A0\v");
}

TEST(WhitespaceEdits, LeadingAndTrailingSpaces) {
  EXPECT_EQ(RemoveExtraSpacesAtBeginning(u"   "), u"");
  EXPECT_EQ(RemoveExtraSpacesAtBeginning(Readable("a¶··b")), Readable("a¶··b"));
  EXPECT_EQ(RemoveExtraSpacesAtEnd(Readable("a··¶b··")), Readable("a··¶b"));
}

TEST(WhitespaceEdits, RunsOfSpacesHalveOnce) {
  EXPECT_EQ(RemoveSpacesExceptSingle(u"a   b"), u"a  b");
  EXPECT_EQ(RemoveSpacesExceptSingle(u"a    b"), u"a  b");
  EXPECT_EQ(RemoveSpacesExceptSingle(u"a     b"), u"a   b");
  EXPECT_EQ(RemoveSpacesExceptSingle(u"  a  "), u" a ");
  EXPECT_EQ(RemoveSpacesExceptSingle(u" "), u" ");
}

TEST(WhitespaceEdits, ReplacingSpacesWithNothingRemovesThem) {
  EXPECT_EQ(ReplaceAllSpaces(u" a b ", u""), RemoveAllSpaces(u" a b "));
  EXPECT_EQ(ReplaceAllSpaces(u"a b", u"  "), u"a  b");
}

TEST(RemoveBlankLines, RunsOfLineBreaksBecomeOne) {
  EXPECT_EQ(RemoveBlankLines(Readable("¶¶")), Readable("¶"));
  EXPECT_EQ(RemoveBlankLines(Readable("¶¶¶¶¶")), Readable("¶"));
  EXPECT_EQ(RemoveBlankLines(Readable("¶")), Readable("¶"));
  EXPECT_EQ(RemoveBlankLines(Readable("a¶⇥¶¶b¶")), Readable("a¶⇥¶b¶"));
  // Lone CR and lone LF are not line breaks.
  EXPECT_EQ(RemoveBlankLines(u"a\n\n\nb\r\r\rc"), u"a\n\n\nb\r\r\rc");
  EXPECT_EQ(RemoveBlankLines(u"\r\r\n\r\n\n"), u"\r\r\n\n");
  EXPECT_EQ(RemoveBlankLines(u"\r\n\n\r\n"), u"\r\n\n\r\n");
}

TEST(ReplaceAllBlankLines, EveryCrAndLfIsReplaced) {
  EXPECT_EQ(ReplaceAllBlankLines(u"a\rb\nc", u"#"), u"a#b#c");
  EXPECT_EQ(ReplaceAllBlankLines(Readable("a¶b¶¶c"), u""), u"abc");
  // CRs that the LF pass inserts are replaced in the CR pass; LFs stay.
  EXPECT_EQ(ReplaceAllBlankLines(u"a\nb", u"<\r>"), u"a<<\r>>b");
  EXPECT_EQ(ReplaceAllBlankLines(u"a\rb", u"<\r>"), u"a<\r>b");
  EXPECT_EQ(ReplaceAllBlankLines(u"a\r\nb", u"\n"), u"a\n\nb");
  EXPECT_EQ(ReplaceAllBlankLines(u"a\r\nb", u"\r\n"), u"a\r\n\r\n\nb");
}

TEST(CharacterClassEdits, LayoutCharactersAndNonAscii) {
  // The remove variant keeps CR, LF and tab; the replace variant does not.
  EXPECT_EQ(RemoveNonAlphanumericChars(Readable("a¶⇥\rb")), Readable("a¶⇥\rb"));
  EXPECT_EQ(ReplaceNonAlphanumericChars(Readable("a¶⇥b"), u"#"), u"a###b");
  EXPECT_EQ(ReplaceNonAlphanumericChars(Readable("a¶⇥b"), u""), u"ab");
  // A character outside the BMP is two code units, neither in any set.
  const std::u16string face = u"x\U0001F600y";
  EXPECT_EQ(RemoveNonAlphanumericChars(face), u"xy");
  EXPECT_EQ(ReplaceNonAlphanumericChars(face, u"#"), u"x##y");
  EXPECT_EQ(RemoveAlphabetChars(face), u"\U0001F600");
  EXPECT_EQ(RemoveNumericChars(face), face);
  EXPECT_EQ(ReplaceAlphanumericChars(face, u"#"), u"#\U0001F600#");
}

TEST(CharacterClassEdits, EmptyReplacementMatchesTheRemoveVariant) {
  const std::u16string text = Readable("Ab·1,é¶9⇥z");
  EXPECT_EQ(ReplaceAlphabetChars(text, u""), RemoveAlphabetChars(text));
  EXPECT_EQ(ReplaceNumericChars(text, u""), RemoveNumericChars(text));
  EXPECT_EQ(ReplaceAlphanumericChars(text, u""), RemoveAlphanumericChars(text));
  EXPECT_EQ(ReplaceNonAlphanumericChars(text, u""), Readable("Ab·19z"));
  EXPECT_EQ(RemoveNonAlphanumericChars(text), Readable("Ab·1¶9⇥z"));
}

TEST(CharacterClassEdits, ReplacementIsInsertedWhole) {
  EXPECT_EQ(ReplaceNumericChars(u"1a22", u"<n>"), u"<n>a<n><n>");
  EXPECT_EQ(ReplaceAlphabetChars(u"ab", u"xy"), u"xyxy");  // Inserted letters are not replaced.
}

}  // namespace
}  // namespace fenlow::edits
