// The edit button's two states and its save step, and the minimal start
// button, on a running main window.
#include "app_fixture.h"

namespace fenlow::testing {
namespace {

using ::testing::IsEmpty;

class EditButtonTest : public AppTest {
 protected:
  SimulatedForm& StartWithText(std::u16string text) {
    desktop->SimClipboard().OtherProgramSetsText(std::move(text));
    desktop->Messaging().Yield();
    return Start();
  }
};

TEST_F(EditButtonTest, ClickWhileIdleOnlyChangesTheCaption) {
  SimulatedForm& main = StartWithText(u"on the clipboard");
  main.Click(form1::kPushButton3);  // saves: back to idle
  main.Type(form1::kText1, u"typed, not saved");
  desktop->Log().Clear();

  main.Click(form1::kPushButton3);

  EXPECT_EQ(TextOf(form1::kPushButton3), kEditingCaption);
  EXPECT_EQ(TextOf(form1::kText1), u"typed, not saved");
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"on the clipboard");
  EXPECT_FALSE(State().ManualSaveRequested);
  EXPECT_FALSE(State().BulkEditRequested);
  EXPECT_THAT(desktop->Log().Calls(), IsEmpty());
}

TEST_F(EditButtonTest, SaveStoresText1ExactlyAndReturnsToIdle) {
  SimulatedForm& main = StartWithText(u"before");
  const std::u16string edited = u"caf\u00e9 \U0001F600\r\nsecond line ";
  main.Type(form1::kText1, edited);

  main.Click(form1::kPushButton3);

  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), edited);
  EXPECT_EQ(TextOf(form1::kText1), edited);
  EXPECT_EQ(TextOf(form1::kPushButton3), kEditIdleCaption);
  EXPECT_FALSE(State().ManualSaveRequested);
  EXPECT_FALSE(State().BulkEditRequested);
  // Its own write is not taken for a change of another program.
  desktop->Messaging().Yield();
  EXPECT_EQ(TextOf(form1::kText1), edited);
}

TEST_F(EditButtonTest, SaveWithEmptyClipboardWritesNothingAndStillReturnsToIdle) {
  SimulatedForm& main = Start();
  main.Type(form1::kText1, u"nowhere to go");
  desktop->Log().Clear();

  main.Click(form1::kPushButton3);

  EXPECT_TRUE(desktop->SimClipboard().Formats().empty());
  EXPECT_EQ(
      std::count(desktop->Log().Calls().begin(), desktop->Log().Calls().end(), "EmptyClipboard"),
      0);
  EXPECT_EQ(TextOf(form1::kPushButton3), kEditIdleCaption);
  EXPECT_EQ(TextOf(form1::kText1), u"nowhere to go");
}

TEST_F(EditButtonTest, SaveOverAPictureReplacesItWithTheText) {
  SimulatedForm& main = Start();
  desktop->SimClipboard().OtherProgramSets({{format::kBitmap, u""}});
  desktop->Messaging().Yield();
  main.Type(form1::kText1, u"instead of the picture");

  main.Click(form1::kPushButton3);

  EXPECT_EQ(desktop->SimClipboard().Formats().count(format::kBitmap), 0u);
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"instead of the picture");
  EXPECT_EQ(TextOf(form1::kPushButton3), kEditIdleCaption);
}

TEST_F(EditButtonTest, SaveOfEmptyText1EmptiesTheClipboard) {
  SimulatedForm& main = StartWithText(u"to be wiped");
  main.Type(form1::kText1, u"");
  desktop->Log().Clear();

  main.Click(form1::kPushButton3);

  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"");
  EXPECT_THAT(desktop->Log().Calls(), ::testing::Contains("EmptyClipboard"));
  EXPECT_EQ(TextOf(form1::kPushButton3), kEditIdleCaption);
}

// A save clicked while a write-back is under way waits for it to end, and
// then stores Text1 as it stands.
TEST_F(EditButtonTest, SaveDuringAWriteBackIsCarriedOutRightAfter) {
  SimulatedForm& main = StartWithText(u"kept");
  main.Type(form1::kText1, u"written after");
  State().IsWritingBack = true;  // the dispatcher is in the middle of its run

  main.Click(form1::kPushButton3);
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"kept");
  EXPECT_EQ(TextOf(form1::kPushButton3), kEditingCaption);

  State().IsWritingBack = false;
  desktop->SimMessaging().RunMessageLoop();
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"written after");
  EXPECT_EQ(TextOf(form1::kPushButton3), kEditIdleCaption);
  EXPECT_FALSE(State().ManualSaveRequested);
}

// The click came while another program's copy was handled: the copy replaced
// the typing in Text1, so the save finds the clipboard's own text there and
// writes nothing, leaving the copy's other formats alone.
TEST_F(EditButtonTest, ASaveThatWaitedForACopyLeavesTheCopyWhole) {
  SimulatedForm& main = StartWithText(u"first");
  main.Type(form1::kText1, u"unsaved typing");
  const std::map<std::int32_t, std::u16string> copy = {{format::kText, u"their copy"},
                                                       {format::kRichText, u"{\\rtf1 their copy}"}};
  desktop->SimClipboard().OtherProgramSets(copy);
  desktop->SimMessaging().DuringNextYield(
      [&] { main.Click(form1::kPushButton3); });  // while it is handled
  desktop->SimMessaging().RunMessageLoop();

  EXPECT_EQ(TextOf(form1::kPushButton3), kEditIdleCaption);
  EXPECT_EQ(TextOf(form1::kText1), u"their copy");
  EXPECT_EQ(desktop->SimClipboard().Formats(), copy);
}

TEST_F(EditButtonTest, CopyInAnotherProgramWhileEditingReplacesUnsavedTyping) {
  SimulatedForm& main = StartWithText(u"first");
  main.Type(form1::kText1, u"unsaved typing");
  desktop->SimClipboard().OtherProgramSetsText(u"copied elsewhere");
  desktop->Messaging().Yield();
  EXPECT_EQ(TextOf(form1::kText1), u"copied elsewhere");
  EXPECT_EQ(TextOf(form1::kPushButton3), kEditingCaption);
}

TEST_F(EditButtonTest, StartButtonAppliesTheChosenEditOnceAndLowersBothFlags) {
  SimulatedForm& main = StartWithText(u"a b  c");
  main.Pick(form1::kCombo1, u"Remove all spaces in clipboard");

  main.Click(form1::kPushButton2);

  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"abc");
  EXPECT_EQ(TextOf(form1::kText1), u"abc");
  EXPECT_FALSE(State().BulkEditRequested);
  EXPECT_FALSE(State().ManualSaveRequested);
  // A later copy is only shown, not edited.
  desktop->SimClipboard().OtherProgramSetsText(u"x y");
  desktop->Messaging().Yield();
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"x y");
  EXPECT_EQ(TextOf(form1::kText1), u"x y");
}

}  // namespace
}  // namespace fenlow::testing
