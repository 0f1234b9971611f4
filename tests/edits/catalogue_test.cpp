// The option list and the selection of a bulk edit by its option text.

#include "edits/engine/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "edits/engine/edit_failure.h"
#include "edits/engine/utf.h"
#include "readable_text.h"
#include "tests/support/every_option.h"

namespace fenlow::edits {
namespace {

using fenlow::testing::kEveryOption;
using fenlow::testing::OptionListEntries;
using fenlow::testing::OptionRow;
using testing::Written;

TEST(OptionList, HasTwentySixEditsAndThreeSeparatorsInScreenOrder) {
  const std::vector<std::u16string_view> entries(kOptionListEntries.begin(),
                                                 kOptionListEntries.end());
  EXPECT_EQ(entries, OptionListEntries());
  EXPECT_EQ(std::count(entries.begin(), entries.end(), u"-"), 3);
  EXPECT_EQ(std::set(entries.begin(), entries.end()).size(), 27u);  // 26 edits and the separator.
  // The "with..." entries end in three full stops, not an ellipsis character.
  for (std::u16string_view entry : entries) {
    EXPECT_EQ(entry.find(u'\u2026'), std::u16string_view::npos) << Utf16ToUtf8(entry);
  }
}

TEST(ApplyOption, EveryEditIsReachableByItsOptionText) {
  for (const OptionRow& row : kEveryOption) {
    const EditOutcome outcome = ApplyOption(row.option, row.clipText, row.param1, row.param2);
    const std::string name = Utf16ToUtf8(row.option);
    ASSERT_EQ(outcome.kind, EditOutcome::Kind::Edited) << name;
    EXPECT_EQ(Written(outcome.result), Written(row.edited)) << name;
    // Only the two blank-line edits rewrite ClipText as well.
    const bool blankLineEdit = row.option.find(u"blank lines") != std::u16string_view::npos;
    EXPECT_EQ(outcome.rewritesClipText, blankLineEdit) << name;
  }
}

TEST(ApplyOption, TextsThatNameNoEdit) {
  const std::u16string_view notEdits[] = {
      u"-",
      u"",
      u"remove all spaces in clipboard",
      u"Remove all spaces in clipboard ",
      u" Remove all spaces in clipboard",
      u"Replace all spaces in clipboard with\u2026",
      u"Remove all spaces",
  };
  for (std::u16string_view text : notEdits) {
    const EditOutcome outcome = ApplyOption(text, u"a b", u"1", u"2");
    EXPECT_EQ(outcome.kind, EditOutcome::Kind::NoSuchOption) << Utf16ToUtf8(text);
    EXPECT_EQ(outcome.result, u"");
    EXPECT_FALSE(outcome.rewritesClipText);
  }
}

// Scripts name an edit by its option text or by its short name; a short name
// is never what ApplyOption itself takes, and no other text names an edit.
TEST(OptionTextFor, TakesOptionTextsAndShortNames) {
  EXPECT_EQ(OptionTextFor(u"remove-first"), u"Remove first x character(s) in clipboard");
  EXPECT_EQ(OptionTextFor(u"replace-before-delimiter"),
            u"Replace all text before user-defined character(s) in clipboard with...");
  EXPECT_EQ(OptionTextFor(u"Remove all tabs in clipboard"), u"Remove all tabs in clipboard");
  for (std::u16string_view text : {u"-", u"", u"Remove-First", u"remove-first ", u"remove"}) {
    EXPECT_EQ(OptionTextFor(text), std::nullopt) << Utf16ToUtf8(text);
  }
  EXPECT_EQ(ApplyOption(u"remove-all-spaces", u"a b", u"", u"").kind,
            EditOutcome::Kind::NoSuchOption);
  for (const EditDefinition& edit : OptionListEdits()) {
    EXPECT_EQ(OptionTextFor(Utf8ToUtf16(edit.name)), edit.optionText) << edit.name;
  }
  EXPECT_EQ(OptionTextFor(u"upper-case"), std::nullopt);  // not an option of the list
}

// Every edit has its own short name, lower case, and the edits beyond the
// option list a description in its place.
TEST(EngineEdits, NamesAreUniqueAndLowerCase) {
  std::set<std::string_view> names;
  for (const EditDefinition* edit : EngineEdits()) {
    names.insert(edit->name);
    EXPECT_EQ(edit->name.find_first_not_of("abcdefghijklmnopqrstuvwxyz-"), std::string::npos)
        << edit->name;
    EXPECT_NE(edit->optionText.empty(), edit->description.empty()) << edit->name;
    EXPECT_EQ(FindEdit(EngineEdits(), Utf8ToUtf16(edit->name)), edit) << edit->name;
  }
  EXPECT_EQ(names.size(), OptionListEdits().size() + CleanUpEdits().size());
  EXPECT_EQ(OptionListEdits().size(), 26u);
}

TEST(ApplyOption, ConvertsXFromTheFirstParameter) {
  EXPECT_EQ(ApplyOption(options::kRemoveFirstChars, u"abcdef", u"2.5", u"").result, u"cdef");
  EXPECT_EQ(ApplyOption(options::kRemoveFirstChars, u"abcdef", u"3.5", u"").result, u"ef");
  EXPECT_EQ(ApplyOption(options::kRemoveFirstChars, u"abcdef", u"3\r\n", u"").result, u"def");
  EXPECT_EQ(ApplyOption(options::kRemoveLastChars, u"abcdef", u"-2", u"").result, u"abcdef");
  EXPECT_EQ(ApplyOption(options::kRemoveTextAfterPosition, u"abcdef", u"-1", u"").result, u"");
  EXPECT_EQ(ApplyOption(options::kRemoveLastChars, u"abcdef", u"32767", u"").result, u"");
  EXPECT_EQ(ApplyOption(options::kRemoveTextAfterPosition, u"ab", u"32767", u"").result, u"ab");
  EXPECT_EQ(ApplyOption(options::kRemoveFirstChars, u"abcdef", u"32766", u"").result, u"");
}

TEST(ApplyOption, FailuresOfTheXEdits) {
  const std::u16string_view xEdits[] = {options::kRemoveFirstChars, options::kRemoveLastChars,
                                        options::kRemoveTextAfterPosition,
                                        options::kRemoveTextBeforePosition};
  for (std::u16string_view option : xEdits) {
    EXPECT_TRUE(NeedsWholeNumber(option));
    for (std::u16string_view badX : {u"", u"abc", u"32767.5", u"-32769", u"1e2"}) {
      EXPECT_THROW((void)ApplyOption(option, u"abc", badX, u""), EditFailure)
          << Utf16ToUtf8(option) << " x=" << Utf16ToUtf8(badX);
    }
    // x is converted even when the text is empty.
    EXPECT_THROW((void)ApplyOption(option, u"", u"abc", u""), EditFailure);
  }
  EXPECT_THROW((void)ApplyOption(options::kRemoveFirstChars, u"abc", u"32767", u""), EditFailure);
  EXPECT_THROW((void)ApplyOption(options::kRemoveTextBeforePosition, u"abc", u"32767", u""),
               EditFailure);
  EXPECT_FALSE(NeedsWholeNumber(options::kRemoveListItems));
  EXPECT_FALSE(NeedsWholeNumber(u"-"));
}

TEST(ApplyOption, ListEditsFailAtTheItemLimit) {
  std::u16string list = u"q";
  for (int item = 1; item < 32768; ++item) list += u"\r\nq";
  EXPECT_THROW((void)ApplyOption(options::kRemoveListItems, u"aqa", list, u""), EditFailure);
  EXPECT_THROW((void)ApplyOption(options::kReplaceListItems, u"aqa", list, u"r"), EditFailure);
  list.resize(list.size() - 3);  // 32767 items.
  EXPECT_EQ(ApplyOption(options::kRemoveListItems, u"aqa", list, u"").result, u"aa");
}

TEST(ApplyOption, ParametersAreReadOnlyByTheEditsThatUseThem) {
  // Option 13 is option 24 with an empty replacement list, whatever param2 holds.
  EXPECT_EQ(ApplyOption(options::kRemoveListItems, u"abc", u"b", u"X").result, u"ac");
  EXPECT_EQ(ApplyOption(options::kReplaceListItems, u"abc", u"b", u"X").result, u"aXc");
  EXPECT_EQ(ApplyOption(options::kReplaceListItems, u"abc", u"b", u"").result, u"ac");
  // Options that take no parameter ignore both.
  EXPECT_EQ(ApplyOption(options::kRemoveNumericChars, u"a1", u"9", u"9").result, u"a");
}

}  // namespace
}  // namespace fenlow::edits
