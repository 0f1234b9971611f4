// What other programs do while the dispatcher is out of the viewer chain
// (during its first yield): another viewer joins, leaves or hangs, or the
// clipboard changes; and clipboard changes arriving during each later yield
// of a bulk edit or a save. The write-back is not lost, an other program's
// copy is not lost or edited, and monitoring goes on.
#include <functional>

#include "tests/clipboard/monitor_fixture.h"

namespace fenlow::testing {
namespace {

class RequestTest : public MonitorTest {
 protected:
  // The save step of a typed text, or the bulk edit that removes spaces.
  void RunRequest(bool save) {
    if (save) {
      window.text1 = u"saved text";
      RunManualSave();
    } else {
      RunBulkEdit(kRemoveSpaces);
    }
  }

  // Runs `action` in the n-th yield from now (1 = the next one).
  void DuringYield(int n, std::function<void()> action) {
    if (n == 1) {
      desktop->DuringNextYield(std::move(action));
      return;
    }
    desktop->DuringNextYield([this, n, action] { DuringYield(n - 1, action); });
  }
};

class DetachedEventsTest : public RequestTest, public ::testing::WithParamInterface<bool> {
 protected:
  bool IsSave() const { return GetParam(); }

  // Chain: main window -> first -> second, text "a b" on the clipboard.
  void SetUpChain() {
    second = &desktop->JoinForeignViewer();
    first = &desktop->JoinForeignViewer();
    Start(u"a b");
    ASSERT_EQ(state.NextViewerHwnd, first->handle);
  }

  // The request, with `duringDetach` run in the dispatcher's first yield.
  void RunRequest(std::function<void()> duringDetach) {
    bool ranDetached = false;
    desktop->DuringNextYield([&] {
      ranDetached = !IsHooked() && state.IsWritingBack;
      duringDetach();
    });
    RequestTest::RunRequest(IsSave());
    EXPECT_TRUE(ranDetached);
  }

  std::u16string Wanted() const { return IsSave() ? u"saved text" : u"ab"; }

  void ExpectWrittenBack() {
    EXPECT_EQ(desktop->ClipboardTextOrEmpty(), Wanted());
    EXPECT_EQ(window.text1, Wanted());
  }

  ForeignViewer* first = nullptr;
  ForeignViewer* second = nullptr;
};

TEST_P(DetachedEventsTest, AViewerJoins) {
  SetUpChain();
  ForeignViewer* joined = nullptr;
  RunRequest([&] { joined = &desktop->JoinForeignViewer(); });
  ExpectWrittenBack();
  EXPECT_EQ(state.NextViewerHwnd, joined->handle);
  const int before = second->drawClipboardCount;
  ExpectMonitoringGoesOn();
  EXPECT_GT(joined->drawClipboardCount, 0);
  EXPECT_GT(second->drawClipboardCount, before) << "the whole chain still hears of changes";
}

TEST_P(DetachedEventsTest, AViewerThatPassesNothingOnJoins) {
  SetUpChain();
  ForeignViewer* joined = nullptr;
  RunRequest([&] { joined = &desktop->JoinForeignViewer(/*passesMessagesOn=*/false); });
  ExpectWrittenBack();
  ExpectMonitoringGoesOn();
  EXPECT_EQ(state.NextViewerHwnd, joined->handle);
}

TEST_P(DetachedEventsTest, TheNextViewerLeaves) {
  SetUpChain();
  const platform::WindowHandle secondHandle = second->handle;
  RunRequest([&] { desktop->LeaveForeignViewer(*first); });
  ExpectWrittenBack();
  EXPECT_EQ(state.NextViewerHwnd, secondHandle);
  const int before = second->drawClipboardCount;
  ExpectMonitoringGoesOn();
  EXPECT_GT(second->drawClipboardCount, before);
}

TEST_P(DetachedEventsTest, AViewerFurtherDownLeaves) {
  ForeignViewer& third = desktop->JoinForeignViewer();
  SetUpChain();
  RunRequest([&] { desktop->LeaveForeignViewer(*second); });
  ExpectWrittenBack();
  EXPECT_EQ(first->next, third.handle);
  const int before = third.drawClipboardCount;
  ExpectMonitoringGoesOn();
  EXPECT_GT(third.drawClipboardCount, before);
}

TEST_P(DetachedEventsTest, EveryOtherViewerLeaves) {
  SetUpChain();
  RunRequest([&] {
    desktop->LeaveForeignViewer(*first);
    desktop->LeaveForeignViewer(*second);
  });
  ExpectWrittenBack();
  EXPECT_EQ(state.NextViewerHwnd, 0u);
  ExpectMonitoringGoesOn();
}

TEST_P(DetachedEventsTest, TheNextViewerHangs) {
  SetUpChain();
  RunRequest([&] { first->hung = true; });
  ExpectWrittenBack();
  ExpectMonitoringGoesOn();  // passing the message on gives up on the hung viewer
}

TEST_P(DetachedEventsTest, AViewerJoinsAndHangs) {
  SetUpChain();
  RunRequest([&] { desktop->JoinForeignViewer().hung = true; });
  ExpectWrittenBack();
  ExpectMonitoringGoesOn();
}

std::string RequestName(const ::testing::TestParamInfo<bool>& request) {
  return request.param ? "Save" : "BulkEdit";
}

INSTANTIATE_TEST_SUITE_P(BulkEditAndSave, DetachedEventsTest, ::testing::Bool(), RequestName);

// Clipboard changes by another program during the yields of a request: the
// dispatcher's two (out of the chain, then back in it) and the change
// handler's last one.
class ChangeDuringYieldTest : public RequestTest,
                              public ::testing::WithParamInterface<std::tuple<bool, int>> {
 protected:
  bool IsSave() const { return std::get<0>(GetParam()); }
  int WhichYield() const { return std::get<1>(GetParam()); }
};

TEST_P(ChangeDuringYieldTest, TheOtherProgramsCopyIsNeitherLostNorEdited) {
  Start(u"a b");
  bool copied = false;
  DuringYield(WhichYield(), [&] {
    desktop->OtherProgramSetsText(u"their copy, with spaces");
    copied = true;
  });
  RunRequest(IsSave());
  ASSERT_TRUE(copied);
  desktop->Messaging().Yield();  // whatever is still pending arrives

  // The other program's copy is what the clipboard holds, unedited: a copy
  // made after the write-back replaced it, and one made while out of the
  // chain is not written over. Text1 shows it, except that a text typed for
  // the save step stays there when it could not be stored. The request was
  // carried out at most once.
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"their copy, with spaces");
  const bool notWritten = WhichYield() == 1;
  EXPECT_EQ(window.text1, IsSave() && notWritten ? u"saved text" : u"their copy, with spaces");
  EXPECT_EQ(desktop->MessageBoxes().size(), notWritten ? 1u : 0u);
  EXPECT_EQ(CountCalls("EmptyClipboard"), notWritten ? 0 : 1);
  ExpectMonitoringGoesOn();
}

std::string YieldCaseName(const ::testing::TestParamInfo<std::tuple<bool, int>>& yieldCase) {
  return std::string(std::get<0>(yieldCase.param) ? "Save" : "BulkEdit") + "_Yield" +
         std::to_string(std::get<1>(yieldCase.param));
}

INSTANTIATE_TEST_SUITE_P(EveryYield, ChangeDuringYieldTest,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(1, 2, 3)),
                         YieldCaseName);

// The dispatcher leaves the chain after every change, also when nothing is
// to be written: a copy made meanwhile brings no notice, and the one the
// rejoin brings comes while busy. The copy still shows in Text1.
TEST_F(RequestTest, ACopyMadeWhileTheDispatcherIsOutOfTheChainStillShows) {
  Start(u"first");
  DuringYield(1, [&] { desktop->OtherProgramSetsText(u"copied while out of the chain"); });
  desktop->OtherProgramSetsText(u"second");
  desktop->Messaging().Yield();
  desktop->AdvanceClock(std::chrono::milliseconds(200));
  desktop->RunMessageLoop();
  EXPECT_EQ(window.text1, u"copied while out of the chain");
  EXPECT_EQ(state.ClipText, u"copied while out of the chain");
  ExpectMonitoringGoesOn();
}

// A click on either button during a yield of the other's request.
TEST_F(RequestTest, AClickDuringEachYieldOfABulkEditHasNoEffectOnIt) {
  Start(u"a b");
  for (int yield = 1; yield <= 3; ++yield) {
    desktop->OtherProgramSetsText(u"a b");
    desktop->Messaging().Yield();
    DuringYield(yield, [&] {
      window.text1 = u"clicked";
      RunManualSave();
    });
    RunBulkEdit(kRemoveSpaces);
    ExpectNothingLost({yield == 3 ? u"clicked" : u"ab"});
    ExpectMonitoringGoesOn();
  }
}

}  // namespace
}  // namespace fenlow::testing
