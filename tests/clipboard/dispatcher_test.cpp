// ApplyBulkEdit on the simulated desktop: what reaches the clipboard, Text1
// and ClipText, and that monitoring survives every failure.
#include "tests/clipboard/monitor_fixture.h"

namespace fenlow::testing {
namespace {

class DispatcherTest : public MonitorTest {};

TEST_F(DispatcherTest, RemovingTabsLeavesClipTextAsItWas) {
  Start(u"a\tb\t\tc");
  RunBulkEdit(u"Remove all tabs in clipboard");
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"abc");
  EXPECT_EQ(window.text1, u"abc");
  EXPECT_EQ(state.ClipText, u"a\tb\t\tc");
}

TEST_F(DispatcherTest, BlankLineEditsRewriteClipTextToo) {
  Start(u"a\r\n\r\n\r\nb");
  RunBulkEdit(u"Remove all blank lines (enters) in clipboard");
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"a\r\nb");
  EXPECT_EQ(state.ClipText, u"a\r\nb");

  RunBulkEdit(u"Replace all blank lines (enters) in clipboard with...", u"#");
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"a##b");
  EXPECT_EQ(window.text1, u"a##b");
  EXPECT_EQ(state.ClipText, u"a##b");
}

TEST_F(DispatcherTest, XIsRoundedHalfToEven) {
  struct Case {
    std::u16string typed;
    std::u16string expected;
  };
  for (const Case& c :
       {Case{u"3", u"def"}, Case{u"2.5", u"cdef"}, Case{u"3.5", u"ef"}, Case{u"3\r\n", u"def"}}) {
    desktop->OtherProgramSetsText(u"abcdef");
    desktop->Messaging().Yield();
    RunBulkEdit(u"Remove first x character(s) in clipboard", c.typed);
    EXPECT_EQ(desktop->ClipboardTextOrEmpty(), c.expected) << "x typed as " << c.typed.size();
  }
}

TEST_F(DispatcherTest, APictureIsReplacedByThePreviousTextEdited) {
  Start(u"a b");
  desktop->OtherProgramSets({{format::kBitmap, u""}, {format::kDib, u""}});
  desktop->Messaging().Yield();
  RunBulkEdit(u"Remove all spaces in clipboard");
  EXPECT_EQ(desktop->ClipboardFormats(),
            (std::map<std::int32_t, std::u16string>{{format::kText, u"ab"}}));
}

TEST_F(DispatcherTest, TheSaveStepStoresText1AloneAsText) {
  Start(u"old");
  desktop->OtherProgramSets({{format::kText, u"old"}, {format::kRichText, u"{\\rtf1 old}"}});
  desktop->Messaging().Yield();
  window.text1 = u"caf\u00e9 \U0001F600";
  RunManualSave();
  EXPECT_EQ(desktop->ClipboardFormats(),
            (std::map<std::int32_t, std::u16string>{{format::kText, u"caf\u00e9 \U0001F600"}}));
}

TEST_F(DispatcherTest, SavingAnEmptyText1PlacesEmptyText) {
  Start(u"old");
  window.text1.clear();
  RunManualSave();
  EXPECT_EQ(desktop->ClipboardFormats(),
            (std::map<std::int32_t, std::u16string>{{format::kText, u""}}));
}

TEST_F(DispatcherTest, AResultEqualToItsInputIsWrittenAllTheSame) {
  auto& other = desktop->JoinForeignViewer();
  Start(u"no tabs");
  int before = other.drawClipboardCount;
  RunBulkEdit(u"Remove all tabs in clipboard");
  EXPECT_EQ(CountCalls("EmptyClipboard"), 1);
  EXPECT_EQ(other.drawClipboardCount, before + 1)
      << "emptied and written in one opening: the other viewers see one change";
  EXPECT_EQ(window.text1, u"no tabs");
}

TEST_F(DispatcherTest, OurOwnWriteDoesNotComeBackAsAChange) {
  Start(u"a b");
  desktop->ClearCalls();
  RunBulkEdit(u"Remove all spaces in clipboard");
  EXPECT_EQ(CountCalls("SendMessage(" + Main() + ",WM_DRAWCLIPBOARD)"), 1)
      << "only the rejoin's update, which is ignored";
  EXPECT_EQ(state.ClipText, u"a b");
}

TEST_F(DispatcherTest, WithoutARequestNothingIsWrittenAndWeEndAtTheHead) {
  auto& other = desktop->JoinForeignViewer();
  Start(u"text");
  auto& later = desktop->JoinForeignViewer();
  ASSERT_EQ(desktop->ChainHead(), later.handle);
  (void)other;

  desktop->OtherProgramSetsText(u"copied");
  desktop->Messaging().Yield();

  EXPECT_EQ(CountCalls("EmptyClipboard"), 0);
  EXPECT_EQ(desktop->ChainHead(), mainHandle);
  EXPECT_EQ(state.NextViewerHwnd, later.handle);
}

TEST_F(DispatcherTest, ACaseVariantOrASeparatorWritesNothing) {
  Start(u"keep me");
  for (std::u16string option : {u"-", u"remove all spaces in clipboard", u"typed text"}) {
    desktop->ClearCalls();
    RunBulkEdit(option);
    EXPECT_EQ(CountCalls("EmptyClipboard"), 0);
    EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"keep me");
    EXPECT_EQ(window.text1, u"keep me");
    EXPECT_TRUE(desktop->MessageBoxes().empty());
  }
  ExpectMonitoringGoesOn();
}

TEST_F(DispatcherTest, AnInvalidXIsToldAndChangesNothing) {
  Start(u"abcdef");
  desktop->SimForms().SetApplicationTitle(u"Fenlow");
  for (std::u16string typed : {u"abc", u"", u"32767.5", u"-40000"}) {
    RunBulkEdit(u"Remove last x character(s) in clipboard", typed);
    EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"abcdef");
  }
  RunBulkEdit(u"Remove first x character(s) in clipboard", u"32767");
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"abcdef");
  ASSERT_EQ(desktop->MessageBoxes().size(), 5u);
  for (const auto& box : desktop->MessageBoxes()) {
    EXPECT_EQ(box.style, platform::kMessageBoxPlain);
    EXPECT_EQ(box.title, u"Fenlow");
    EXPECT_FALSE(box.text.empty());
  }
  ExpectMonitoringGoesOn();
}

// The message is shown once monitoring is fully back: a copy made while it
// is open shows in Text1 and reaches the viewer after us.
TEST_F(DispatcherTest, ACopyMadeWhileTheMessageIsOpenIsShownAndPassedOn) {
  auto& next = desktop->JoinForeignViewer();
  Start(u"abc");
  int seenBefore = 0;
  desktop->SimForms().WhileMessageShown([&](const auto&) {
    seenBefore = next.drawClipboardCount;
    desktop->OtherProgramSetsText(u"copied meanwhile");
    desktop->Messaging().Yield();  // the message box's own loop
  });
  RunBulkEdit(u"Remove first x character(s) in clipboard", u"x");
  EXPECT_EQ(desktop->MessageBoxes().size(), 1u);
  EXPECT_EQ(window.text1, u"copied meanwhile");
  EXPECT_EQ(next.drawClipboardCount, seenBefore + 1);
}

// Another program holds the clipboard for a moment while the write-back
// yields: that is no change, so the edit goes through; and the text, read
// when it was copied, is not read again, to compare or to edit it.
TEST_F(DispatcherTest, ABriefHoldDuringTheWriteBackDoesNotCancelIt) {
  Start(u"a b");
  const int readsBefore = desktop->AttemptCount(ClipboardOperation::GetText);
  desktop->DuringNextYield([&] { desktop->FailNext(ClipboardOperation::ReadFormats, 1); });
  RunBulkEdit(u"Remove all spaces in clipboard");
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"ab");
  EXPECT_TRUE(desktop->MessageBoxes().empty());
  EXPECT_EQ(desktop->AttemptCount(ClipboardOperation::GetText), readsBefore);
}

TEST_F(DispatcherTest, AListOf32768ItemsIsToldAndChangesNothing) {
  Start(u"abc");
  std::u16string list;
  for (int i = 0; i < 32767; ++i) list += u"\r\n";
  RunBulkEdit(u"Remove x (user-specified) character(s) in clipboard", list);
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"abc");
  EXPECT_EQ(desktop->MessageBoxes().size(), 1u);
  ExpectMonitoringGoesOn();
}

TEST_F(DispatcherTest, AWriteThatGivesUpIsToldAndTheTextStaysInText1) {
  Start(u"a b");
  desktop->FailNext(ClipboardOperation::PutText, 1000);
  RunBulkEdit(u"Remove all spaces in clipboard");
  EXPECT_EQ(window.text1, u"ab");
  ASSERT_EQ(desktop->MessageBoxes().size(), 1u);
  EXPECT_EQ(desktop->MessageBoxes()[0].style, platform::kMessageBoxPlain);
  ExpectMonitoringGoesOn();
}

TEST_F(DispatcherTest, ASaveThatGivesUpIsToldToo) {
  Start(u"old");
  window.text1 = u"typed by hand";
  desktop->FailNext(ClipboardOperation::PutText, 1000);
  RunManualSave();
  EXPECT_EQ(window.text1, u"typed by hand");
  EXPECT_EQ(desktop->MessageBoxes().size(), 1u);
}

TEST_F(DispatcherTest, TwoBulkEditsApplyTwice) {
  Start(u"a    b");
  RunBulkEdit(u"Remove all spaces except for single space between words in clipboard");
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"a  b");
  desktop->Messaging().Yield();
  RunBulkEdit(u"Remove all spaces except for single space between words in clipboard");
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"a b");
}

TEST_F(DispatcherTest, AClickDuringTheWriteBacksYieldHasNoEffect) {
  Start(u"a b");
  desktop->DuringNextYield([&] {
    window.text1 = u"clicked meanwhile";
    RunManualSave();
  });
  RunBulkEdit(u"Remove all spaces in clipboard");
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"ab");
  EXPECT_EQ(window.text1, u"ab");
}

}  // namespace
}  // namespace fenlow::testing
