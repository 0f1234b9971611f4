// OnClipboardChange: what each kind of clipboard content leads to.
#include "tests/clipboard/monitor_fixture.h"

namespace fenlow::testing {
namespace {

class ChangeHandlerTest : public MonitorTest {
 protected:
  ChangeHandlerTest() {
    desktop->SimClipboard().OtherProgramSetsText(u"previous");
    StartMonitoring();
    desktop->Log().Clear();
  }

  bool DispatcherRan() const { return CountCalls("ChangeClipboardChain(" + Main() + ",0x0)") == 1; }

  void OtherProgramCopies(std::map<std::int32_t, std::u16string> formats) {
    desktop->SimClipboard().OtherProgramSets(std::move(formats));
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
    desktop->Log().Clear();
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
    desktop->Log().Clear();
    OtherProgramCopies(formats);
    RunBulkEdit(u"Remove all spaces in clipboard");
    window.text1 = u"typed";
    RunManualSave();
    EXPECT_FALSE(DispatcherRan());
    EXPECT_EQ(CountCalls("Yield"), 1) << "only the desktop's own delivery yields";
    EXPECT_EQ(desktop->SimClipboard().Formats(), formats);
  }
}

TEST_F(ChangeHandlerTest, TheSaveStepDoesNotOverwriteTheUsersText) {
  window.text1 = u"edited by hand";
  RunManualSave();
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"edited by hand");
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
  desktop->SimClipboard().OtherProgramSetsText(u"ignored");
  monitor.OnClipboardChange();
  EXPECT_EQ(window.text1, u"previous");
  EXPECT_FALSE(state.IsBusy);
  EXPECT_TRUE(desktop->Log().Calls().empty());
}

TEST_F(ChangeHandlerTest, AClipboardHeldByAnotherProgramIsSkippedSilently) {
  desktop->SimClipboard().OtherProgramSetsText(u"held");
  desktop->Faults().Fail("HasFormat", 1);
  desktop->Messaging().Yield();  // the first query fails: taken as a DDE link, nothing happens
  EXPECT_EQ(window.text1, u"previous");
  EXPECT_FALSE(state.IsBusy);
  desktop->SimClipboard().OtherProgramSetsText(u"free again");
  desktop->Messaging().Yield();
  EXPECT_EQ(window.text1, u"free again") << "monitoring goes on";
}

}  // namespace
}  // namespace fenlow::testing
