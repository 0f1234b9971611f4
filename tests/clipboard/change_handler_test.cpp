// OnClipboardChange: what each kind of clipboard content leads to.
#include "tests/clipboard/monitor_fixture.h"

namespace fenlow::testing {
namespace {

class ChangeHandlerTest : public MonitorTest {
 protected:
  ChangeHandlerTest() {
    desktop->OtherProgramSetsText(u"previous");
    StartMonitoring();
    desktop->ClearCalls();
  }

  bool DispatcherRan() const { return CountCalls("ChangeClipboardChain(" + Main() + ",0x0)") == 1; }

  void OtherProgramCopies(std::map<std::int32_t, std::u16string> formats) {
    desktop->OtherProgramSets(std::move(formats));
    desktop->Messaging().Yield();
  }
};

TEST_F(ChangeHandlerTest, PlainTextRefreshesAndRunsTheDispatcherWithoutWriting) {
  OtherProgramCopies({{format::kText, u"fresh"}});
  EXPECT_EQ(state.ClipText, u"fresh");
  EXPECT_EQ(window.text1, u"fresh");
  EXPECT_TRUE(DispatcherRan());
  EXPECT_EQ(CountCalls("EmptyClipboard"), 0);
  EXPECT_FALSE(state.IsBusy);
}

TEST_F(ChangeHandlerTest, TextWithADdeLinkChangesNothing) {
  OtherProgramCopies({{format::kText, u"linked"}, {format::kLink, u"app|topic"}});
  EXPECT_EQ(window.text1, u"previous");
  EXPECT_EQ(state.ClipText, u"previous");
  EXPECT_FALSE(DispatcherRan());
  EXPECT_FALSE(state.IsBusy);
}

TEST_F(ChangeHandlerTest, PicturesAndRichTextKeepThePreviousTextButRunTheDispatcher) {
  for (auto formats : std::vector<std::map<std::int32_t, std::u16string>>{
           {{format::kBitmap, u""}, {format::kDib, u""}},
           {{format::kDib, u""}},
           {{format::kRichText, u"{\\rtf1}"}}}) {
    desktop->ClearCalls();
    OtherProgramCopies(formats);
    EXPECT_EQ(state.ClipText, u"previous");
    EXPECT_EQ(window.text1, u"previous");
    EXPECT_TRUE(DispatcherRan());
  }
}

TEST_F(ChangeHandlerTest, EmptyOrUnknownContentDoesNothingEvenForTheButtons) {
  for (auto formats :
       std::vector<std::map<std::int32_t, std::u16string>>{{},
                                                           {{format::kEnhancedMetafile, u""}},
                                                           {{format::kMetafilePicture, u""}},
                                                           {{format::kPalette, u""}},
                                                           {{format::kFileList, u""}}}) {
    desktop->ClearCalls();
    OtherProgramCopies(formats);
    RunBulkEdit(u"Remove all spaces in clipboard");
    window.text1 = u"typed";
    RunManualSave();
    EXPECT_FALSE(DispatcherRan());
    EXPECT_EQ(CountCalls("Yield"), 1) << "only the desktop's own delivery yields";
    EXPECT_EQ(desktop->ClipboardFormats(), formats);
  }
}

TEST_F(ChangeHandlerTest, TheSaveStepDoesNotOverwriteTheUsersText) {
  window.text1 = u"edited by hand";
  RunManualSave();
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"edited by hand");
  EXPECT_EQ(window.text1, u"edited by hand");
  EXPECT_EQ(state.ClipText, u"previous");
}

TEST_F(ChangeHandlerTest, ANewCopyReplacesUnsavedTyping) {
  window.text1 = u"unsaved typing";
  OtherProgramCopies({{format::kText, u"copied meanwhile"}});
  EXPECT_EQ(window.text1, u"copied meanwhile");
}

TEST_F(ChangeHandlerTest, ACallWhileWritingBackHasNoEffect) {
  state.IsWritingBack = true;
  desktop->OtherProgramSetsText(u"ignored");
  monitor.OnClipboardChange();
  EXPECT_EQ(window.text1, u"previous");
  EXPECT_FALSE(state.IsBusy);
  EXPECT_TRUE(desktop->Calls().empty());
}

// Another program keeps the clipboard open for longer than the read's
// attempts last: the change is read again, one attempt at a time on a timer,
// until the clipboard is free, without a word to the user.
TEST_F(ChangeHandlerTest, AChangeHeldLongerThanTheReadIsReadOnceTheClipboardIsFree) {
  desktop->OtherProgramSetsText(u"held");
  desktop->FailNext(ClipboardOperation::GetText, ClipboardText::kMaxAttempts + 2);
  desktop->Messaging().Yield();
  EXPECT_EQ(window.text1, u"previous");
  EXPECT_FALSE(state.IsBusy);
  for (int timerTick = 1; timerTick <= 3; ++timerTick) {
    EXPECT_EQ(window.text1, u"previous") << "before timer tick " << timerTick;
    desktop->AdvanceClock(std::chrono::milliseconds(200));
    desktop->RunMessageLoop();
  }
  EXPECT_EQ(window.text1, u"held");
  EXPECT_EQ(state.ClipText, u"held");
  EXPECT_EQ(desktop->TimedTasksWaiting(), 0u);
  EXPECT_TRUE(desktop->MessageBoxes().empty());
}

// A failure of any kind in the step after the change is ignored, as every
// failure of the change handler is: it neither escapes nor ends monitoring.
TEST_F(ChangeHandlerTest, AFailureOfAnyKindAfterTheChangeLeavesMonitoringOn) {
  struct FailingStep final : BulkEditStep {
    void ApplyBulkEdit() override { throw 42; }  // no std::exception
    void UndoLastWrite() override {}
  } failing;
  monitor.SetBulkEditStep(failing);
  OtherProgramCopies({{format::kText, u"fresh"}});
  EXPECT_EQ(window.text1, u"fresh");
  EXPECT_FALSE(state.IsBusy);
  monitor.SetBulkEditStep(dispatcher);
  ExpectMonitoringGoesOn();
}

// A newer copy is handled on its own: the older, unread one is not read again over it.
TEST_F(ChangeHandlerTest, ANewerCopyEndsTheRereadOfAnUnreadOne) {
  desktop->OtherProgramSetsText(u"held");
  desktop->FailNext(ClipboardOperation::GetText, ClipboardText::kMaxAttempts);
  desktop->Messaging().Yield();
  desktop->OtherProgramSetsText(u"newer");
  desktop->Messaging().Yield();
  ASSERT_EQ(window.text1, u"newer");
  const int readsBefore = desktop->AttemptCount(ClipboardOperation::GetText);
  desktop->AdvanceClock(std::chrono::milliseconds(200));
  desktop->RunMessageLoop();
  EXPECT_EQ(desktop->AttemptCount(ClipboardOperation::GetText), readsBefore);
  EXPECT_EQ(desktop->TimedTasksWaiting(), 0u);
}

}  // namespace
}  // namespace fenlow::testing
