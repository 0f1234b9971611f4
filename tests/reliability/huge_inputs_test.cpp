// Inputs at the limits, through the dispatcher on the simulated desktop:
// lists of 32767 and 32768 lines, x at 32766, 32767 and -32768, and
// parameters of 1 MB. Each result is compared with the plain reference of
// the engine tests; an edit that fails is told and changes nothing.
#include "tests/clipboard/monitor_fixture.h"
#include "tests/edits/plain_reference.h"

namespace fenlow::testing {
namespace {

namespace options = edits::options;
using edits::reference::ReferenceOption;
using edits::reference::ReferenceOutcome;

class HugeInputsTest : public MonitorTest {
 protected:
  // Runs the edit on `text` and checks clipboard, Text1 and the message
  // against the reference.
  void ExpectAsReference(std::u16string_view option, const std::u16string& text,
                         const std::u16string& param1, const std::u16string& param2 = u"") {
    desktop->SimClipboard().OtherProgramSetsText(text);
    desktop->Messaging().Yield();
    const std::size_t messagesBefore = desktop->SimForms().Messages().size();
    RunBulkEdit(std::u16string(option), param1, param2);
    const ReferenceOutcome expected = ReferenceOption(option, text, param1, param2);
    if (expected.kind == ReferenceOutcome::Kind::Edited) {
      EXPECT_TRUE(desktop->SimClipboard().TextOrEmpty() == expected.result)
          << "clipboard: " << desktop->SimClipboard().TextOrEmpty().size() << " units, expected "
          << expected.result.size();
      EXPECT_TRUE(window.text1 == expected.result);
      EXPECT_EQ(desktop->SimForms().Messages().size(), messagesBefore);
    } else {
      EXPECT_TRUE(desktop->SimClipboard().TextOrEmpty() == text)
          << "a failed edit changed the clipboard";
      EXPECT_TRUE(window.text1 == text);
      EXPECT_EQ(desktop->SimForms().Messages().size(), messagesBefore + 1) << "the failure is told";
    }
    EXPECT_FALSE(state.IsBusy);
    EXPECT_FALSE(state.IsWritingBack);
    EXPECT_TRUE(IsHooked());
  }
};

// A list of `lines` lines: "w0" to "w<lines-2>" (absent from the text) and
// `last` as the last line, so that the last item shows whether it was applied.
std::u16string ListOf(int lines, std::u16string_view last) {
  std::u16string list;
  for (int i = 0; i + 1 < lines; ++i) {
    list += u"w";
    for (char c : std::to_string(i)) list += static_cast<char16_t>(c);
    list += u"\r\n";
  }
  list += last;
  return list;
}

TEST_F(HugeInputsTest, ListsOf32767And32768Lines) {
  StartMonitoring();
  const std::u16string text = u"keep, drop, keep";
  for (int lines : {32767, 32768}) {
    ExpectAsReference(options::kRemoveListItems, text, ListOf(lines, u"drop"));
    ExpectAsReference(options::kReplaceListItems, text, ListOf(lines, u"drop"),
                      ListOf(lines, u"DROPPED"));
  }
  // 32767 lines are edited, 32768 are refused: the reference agrees on both.
  EXPECT_EQ(desktop->SimForms().Messages().size(), 2u);
  ExpectMonitoringGoesOn();
}

TEST_F(HugeInputsTest, XAtTheEdgesOfSixteenBits) {
  StartMonitoring();
  std::u16string text;
  for (int i = 0; text.size() < 40000; ++i) text += static_cast<char16_t>(u'a' + i % 26);
  for (std::u16string_view option :
       {options::kRemoveFirstChars, options::kRemoveLastChars, options::kRemoveTextAfterPosition,
        options::kRemoveTextBeforePosition}) {
    for (std::u16string x : {u"32766", u"32767", u"-32768", u"32766.5", u"-32768.5", u"32768"}) {
      ExpectAsReference(option, text, x);
      ExpectAsReference(option, u"short", x);
    }
  }
  ExpectMonitoringGoesOn();
}

TEST_F(HugeInputsTest, ParametersOfOneMegabyte) {
  StartMonitoring();
  const std::u16string mega(std::size_t{1} << 20, u'p');
  const std::u16string text = u"a b\r\nc=d 1";
  ExpectAsReference(options::kReplaceAllSpaces, text, mega);
  ExpectAsReference(options::kReplaceAllBlankLines, text, mega);
  ExpectAsReference(options::kReplaceNonAlphanumericChars, text, mega);
  ExpectAsReference(options::kReplaceTextAfterDelimiter, text, u"=", mega);
  ExpectAsReference(options::kReplaceTextBeforeDelimiter, text, u"=", mega);
  // A 1 MB delimiter or list item, absent and present.
  ExpectAsReference(options::kRemoveTextAfterDelimiter, text, mega);
  ExpectAsReference(options::kRemoveTextBeforeDelimiter, u"x" + mega + u"y", mega);
  ExpectAsReference(options::kRemoveListItems, u"x" + mega + u"y", mega);
  ExpectAsReference(options::kReplaceListItems, u"x" + mega + u"y", mega, mega + mega);
  // x typed with a megabyte of leading zeros, or of blanks around it.
  ExpectAsReference(options::kRemoveFirstChars, text, std::u16string(1 << 20, u'0') + u"3");
  ExpectAsReference(options::kRemoveLastChars, text,
                    std::u16string(1 << 19, u' ') + u"2" + std::u16string(1 << 19, u'\n'));
  ExpectMonitoringGoesOn();
}

}  // namespace
}  // namespace fenlow::testing
