// Remembering the chosen edit, the product page link and the shutdown.
#include "app_fixture.h"
#include "dialogs/form2.h"
#include "dialogs/form3.h"

namespace fenlow::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PersistenceTest : public AppTest {};

TEST_F(PersistenceTest, ChosenEditIsShownAgainAfterARestart) {
  Start().Pick(form1::kCombo1, u"Remove first x character(s) in clipboard");
  Main().CloseBox();
  Start();
  EXPECT_EQ(TextOf(form1::kCombo1), u"Remove first x character(s) in clipboard");
}

TEST_F(PersistenceTest, PickedSeparatorIsStoredAndRestored) {
  Start().Pick(form1::kCombo1, u"-");
  EXPECT_EQ(desktop->SimSettings().Stored()[kChosenEditSetting], u"-");
  Main().CloseBox();
  Start();
  EXPECT_EQ(TextOf(form1::kCombo1), u"-");
}

TEST_F(PersistenceTest, ChangeEventStoresTheTextToo) {
  SimulatedForm& main = Start();
  main.Sim(form1::kCombo1).SetText(u"Remove all tabs in clipboard");
  desktop->SimSettings().Stored().clear();
  main.Raise(form1::kCombo1, platform::ControlEvent::Change);
  EXPECT_EQ(desktop->SimSettings().Stored()[kChosenEditSetting], u"Remove all tabs in clipboard");
}

TEST_F(PersistenceTest, FailedSettingsWriteIsToldOnceAndTheChoiceStays) {
  desktop->Faults().Fail("WriteSetting", platform::sim::FaultInjector::kEveryCall);
  SimulatedForm& main = Start();  // start-up's restore already writes once
  main.Pick(form1::kCombo1, u"Remove all tabs in clipboard");
  main.Pick(form1::kCombo1, u"Remove numeric character(s) in clipboard");

  ASSERT_EQ(desktop->SimForms().Messages().size(), 1u);
  const auto& told = desktop->SimForms().Messages()[0];
  EXPECT_EQ(told.style, 0);
  EXPECT_EQ(told.title, u"Fenlow");
  EXPECT_EQ(told.text,
            u"The chosen bulk edit could not be remembered for the next start.\r\n"
            u"The settings store cannot be written.");
  EXPECT_EQ(TextOf(form1::kCombo1), u"Remove numeric character(s) in clipboard");
  EXPECT_EQ(desktop->SimChain().Head(), main.Handle());
}

TEST_F(PersistenceTest, WriteFailingAgainAfterASuccessIsToldAgain) {
  SimulatedForm& main = Start();
  desktop->Faults().Fail("WriteSetting", platform::sim::FaultInjector::kEveryCall);
  main.Pick(form1::kCombo1, u"Remove all tabs in clipboard");
  desktop->Faults().Fail("WriteSetting", 0);
  main.Pick(form1::kCombo1, u"Remove numeric character(s) in clipboard");
  EXPECT_EQ(desktop->SimSettings().Stored()[kChosenEditSetting],
            u"Remove numeric character(s) in clipboard");
  desktop->Faults().Fail("WriteSetting", platform::sim::FaultInjector::kEveryCall);
  main.Pick(form1::kCombo1, u"-");
  EXPECT_EQ(desktop->SimForms().Messages().size(), 2u);
}

TEST_F(PersistenceTest, OtherSoftwareOpensTheQuotedProductPage) {
  SimulatedForm& main = Start();
  main.Click(form1::kPushButton1);
  ASSERT_EQ(desktop->SimMessaging().ShellOpenCalls().size(), 1u);
  const auto& open = desktop->SimMessaging().ShellOpenCalls()[0];
  EXPECT_EQ(open.owner, main.Handle());
  EXPECT_EQ(open.file, u"\"http://www.fenlow.example/wendlebox/\"");
  EXPECT_EQ(open.directory, u"C:\\");
  EXPECT_EQ(open.showCommand, 5);
  EXPECT_THAT(Messages(), IsEmpty());
}

class ShutdownTest : public AppTest {};

TEST_F(ShutdownTest, LeavesFlagChainHookThenUnloadsEveryOtherWindow) {
  platform::sim::ForeignViewer& other = desktop->SimChain().JoinForeignViewer();
  SimulatedForm& main = Start();
  std::string window = Hex(main.Handle());
  auto hidden = desktop->Forms().CreateForm(BareForm(form2::kName));
  auto another = desktop->Forms().CreateForm(BareForm(form3::kName));
  desktop->Log().Clear();

  main.CloseBox();

  EXPECT_FALSE(State().MonitorEnabled);
  EXPECT_FALSE(hidden->IsLoaded());
  EXPECT_FALSE(another->IsLoaded());
  EXPECT_FALSE(main.IsLoaded());
  std::vector<std::string> calls = desktop->Log().Calls();
  calls.erase(
      std::remove_if(calls.begin(), calls.end(),
                     [](const std::string& call) { return call.starts_with("SendMessage"); }),
      calls.end());
  EXPECT_THAT(calls,
              ElementsAre("ChangeClipboardChain(" + window + "," + Hex(other.handle) + ")",
                          "ReplaceWindowProc(" + window + ")", "Yield", "Yield", "Unload(Form2)",
                          "Unload(Form3)", "Yield", "Yield", "Unload(Form1)"));
  EXPECT_EQ(desktop->SimChain().Head(), other.handle);
}

// Also when a failure ends the program past its shutdown: the program is
// unwound with its window still in the chain and hooked.
TEST_F(ShutdownTest, SecondViewerStillReceivesChangesAfterTheWindowClosedOrTheProgramFailed) {
  for (bool failed : {false, true}) {
    SCOPED_TRACE(failed ? "ended by a failure" : "closed");
    platform::sim::ForeignViewer& other = desktop->SimChain().JoinForeignViewer();
    SimulatedForm& main = Start();
    if (failed) {
      program.reset();
    } else {
      main.CloseBox();
    }
    EXPECT_EQ(desktop->SimChain().Head(), other.handle);
    int seenBefore = other.drawClipboardCount;
    desktop->SimClipboard().OtherProgramSetsText(u"after the close");
    desktop->Messaging().Yield();
    EXPECT_EQ(other.drawClipboardCount, seenBefore + 1);
  }
}

TEST_F(ShutdownTest, LastViewerInTheChainLeavesWithNoNextWindow) {
  SimulatedForm& main = Start();
  std::string window = Hex(main.Handle());
  desktop->Log().Clear();
  main.CloseBox();
  EXPECT_EQ(desktop->Log().Calls().front(), "ChangeClipboardChain(" + window + ",0x0)");
  EXPECT_EQ(desktop->SimChain().Head(), 0u);
  EXPECT_THAT(Messages(), IsEmpty());
}

}  // namespace
}  // namespace fenlow::testing
