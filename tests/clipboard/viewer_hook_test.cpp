// The hooked window procedure and the join and leave sequences.
#include "tests/clipboard/monitor_fixture.h"

namespace fenlow::testing {
namespace {

using ::testing::ElementsAre;

class ViewerHookTest : public MonitorTest {};

TEST_F(ViewerHookTest, StartUpJoinDeliversTheCurrentClipboardText) {
  desktop->OtherProgramSetsText(u"hello");
  desktop->Messaging().Yield();  // nobody listens yet
  desktop->ClearCalls();

  StartMonitoring();

  EXPECT_EQ(state.ClipText, u"hello");
  EXPECT_EQ(window.text1, u"hello");
  EXPECT_TRUE(IsHooked());
  EXPECT_EQ(desktop->ChainHead(), mainHandle);
  const auto& calls = desktop->Calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[0], "ReplaceWindowProc(" + Main() + ")");
  EXPECT_EQ(calls[1], "SetClipboardViewer(" + Main() + ")");
  EXPECT_EQ(calls[2], "SendMessage(" + Main() + ",WM_DRAWCLIPBOARD)");
}

TEST_F(ViewerHookTest, ChainChangeNamingTheNextViewerTakesItsFollower) {
  auto& leaving = desktop->JoinForeignViewer();
  auto& after = desktop->JoinForeignViewer();
  StartMonitoring();
  ASSERT_EQ(state.NextViewerHwnd, after.handle);
  (void)leaving;

  Deliver(platform::kChangeClipboardChainMessage, after.handle,
          static_cast<platform::LParam>(leaving.handle));

  EXPECT_EQ(state.NextViewerHwnd, leaving.handle);
  EXPECT_THAT(leaving.chainChanges,
              ElementsAre(std::pair{after.handle, static_cast<platform::LParam>(leaving.handle)}))
      << "the message still goes on, to the new next window";
}

TEST_F(ViewerHookTest, ChainChangeNamingAnotherWindowIsPassedOnUnchanged) {
  auto& next = desktop->JoinForeignViewer();
  StartMonitoring();

  Deliver(platform::kChangeClipboardChainMessage, 0x7770, 0x7780);

  EXPECT_EQ(state.NextViewerHwnd, next.handle);
  EXPECT_THAT(next.chainChanges,
              ElementsAre(std::pair{platform::WParam{0x7770}, platform::LParam{0x7780}}));
}

// Another viewer leaves while a chain change is passed on: its news is not
// taken for the message coming back round, so the viewers after it stay in
// the chain.
TEST_F(ViewerHookTest, AViewerLeavingWhileAChainChangeIsPassedOnIsPassedOnToo) {
  auto& last = desktop->JoinForeignViewer();
  auto& leaving = desktop->JoinForeignViewer();
  auto& next = desktop->JoinForeignViewer();
  StartMonitoring();  // main window -> next -> leaving -> last
  next.onNextMessage = [&] { desktop->LeaveForeignViewer(leaving); };

  Deliver(platform::kChangeClipboardChainMessage, 0x7770, 0x7780);

  EXPECT_EQ(next.next, last.handle);
  const int before = last.drawClipboardCount;
  desktop->OtherProgramSetsText(u"after the leave");
  desktop->Messaging().Yield();
  EXPECT_EQ(last.drawClipboardCount, before + 1);
}

// A new change that comes while ours is passed on is handled once the
// pass-on has returned, never inside it, and passed on in its turn.
TEST_F(ViewerHookTest, AChangeWhileAnUpdateIsPassedOnIsHandledRightAfterIt) {
  auto& next = desktop->JoinForeignViewer();
  StartMonitoring();
  const int before = next.drawClipboardCount;
  std::u16string shownInsideThePassOn;
  next.onNextMessage = [&] {
    desktop->OtherProgramSetsText(u"second");
    desktop->RunMessageLoop();  // the system tells the head of the chain at once
    shownInsideThePassOn = window.text1;
  };

  desktop->OtherProgramSetsText(u"first");
  desktop->Messaging().Yield();

  EXPECT_EQ(shownInsideThePassOn, u"first");
  EXPECT_EQ(window.text1, u"second");
  EXPECT_EQ(next.drawClipboardCount, before + 2);
}

TEST_F(ViewerHookTest, UpdatesWhileBusyOrDisabledAreNeitherHandledNorPassedOn) {
  auto& next = desktop->JoinForeignViewer();
  StartMonitoring();
  int seenBefore = next.drawClipboardCount;
  desktop->OtherProgramSetsText(u"new");

  state.IsBusy = true;
  EXPECT_EQ(Deliver(platform::kDrawClipboardMessage), kOwnResult);
  state.IsBusy = false;
  state.MonitorEnabled = false;
  EXPECT_EQ(Deliver(platform::kDrawClipboardMessage), kOwnResult);

  EXPECT_NE(window.text1, u"new");
  EXPECT_EQ(next.drawClipboardCount, seenBefore);
  const auto& seen = desktop->MessagesSeenBy(mainHandle);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), platform::kDrawClipboardMessage), 3)
      << "the window's own procedure sees every update: the join's and both deliveries";
}

TEST_F(ViewerHookTest, LastInChainStillSendsToHandleZero) {
  StartMonitoring();
  ASSERT_EQ(state.NextViewerHwnd, 0u);
  desktop->ClearCalls();
  desktop->OtherProgramSetsText(u"t");

  EXPECT_EQ(Deliver(platform::kDrawClipboardMessage), kOwnResult);
  EXPECT_EQ(CountCalls("SendMessageTimeout(0x0,WM_DRAWCLIPBOARD)"), 1);
  EXPECT_EQ(Deliver(platform::kChangeClipboardChainMessage, 0x5550, 0), kOwnResult);
  EXPECT_EQ(CountCalls("SendMessageTimeout(0x0,WM_CHANGECBCHAIN)"), 1);
}

TEST_F(ViewerHookTest, EveryMessageReturnsTheOwnProceduresResult) {
  StartMonitoring();
  for (platform::MessageId message : {platform::MessageId{0x0001}, platform::kDrawClipboardMessage,
                                      platform::kChangeClipboardChainMessage}) {
    EXPECT_EQ(Deliver(message), kOwnResult) << message;
  }
}

TEST_F(ViewerHookTest, UnhookPutsTheOwnProcedureBackAndKeepsIt) {
  platform::WindowProc own = desktop->CurrentProc(mainHandle);
  monitor.HookWindow();
  EXPECT_EQ(state.PrevWndProc, own);
  monitor.UnhookWindow();
  EXPECT_EQ(desktop->CurrentProc(mainHandle), own);
  EXPECT_EQ(state.PrevWndProc, own);
}

// A window whose procedure cannot be replaced (here: one that is gone) gives
// no procedure back: nothing is saved, and unhooking installs no null one.
TEST_F(ViewerHookTest, AFailedHookSavesNothingAndUnhookingInstallsNoNullProcedure) {
  FakeMainWindow gone(0x9990);
  ProgramState otherState;
  ClipboardMonitor other(*desktop, otherState, gone);
  desktop->ClearCalls();
  other.HookWindow();
  other.UnhookWindow();
  EXPECT_EQ(otherState.PrevWndProc, nullptr);
  EXPECT_THAT(desktop->Calls(), ElementsAre("ReplaceWindowProc(0x9990)"))
      << "only the hook's own attempt";
}

// A join the system refuses leaves the window out of the chain: the next
// join tries again instead of taking the window for a member.
TEST_F(ViewerHookTest, ARefusedJoinIsTriedAgainByTheNextJoin) {
  FakeMainWindow gone(0x9990);
  ProgramState otherState;
  otherState.NextViewerHwnd = 0x7770;
  ClipboardMonitor other(*desktop, otherState, gone);
  desktop->ClearCalls();
  other.JoinChain();
  other.JoinChain();
  EXPECT_EQ(otherState.NextViewerHwnd, 0x7770u) << "a refused join names no next viewer";
  EXPECT_THAT(desktop->Calls(),
              ElementsAre("SetClipboardViewer(0x9990)", "SetClipboardViewer(0x9990)"));
}

TEST_F(ViewerHookTest, AnotherProgramsCopyReachesUsAndTheViewerAfterUs) {
  auto& after = desktop->JoinForeignViewer();
  StartMonitoring();
  int before = after.drawClipboardCount;

  desktop->OtherProgramSetsText(u"copied elsewhere");
  desktop->Messaging().Yield();

  EXPECT_EQ(state.ClipText, u"copied elsewhere");
  EXPECT_EQ(window.text1, u"copied elsewhere");
  EXPECT_EQ(after.drawClipboardCount, before + 1);
  EXPECT_EQ(desktop->ChainHead(), mainHandle) << "the dispatcher's rejoin puts us back at the head";
}

TEST_F(ViewerHookTest, AViewerJoiningAfterUsStillLetsUsSeeChanges) {
  StartMonitoring();
  auto& later = desktop->JoinForeignViewer();
  ASSERT_EQ(later.next, mainHandle);

  desktop->OtherProgramSetsText(u"via the later viewer");
  desktop->Messaging().Yield();
  EXPECT_EQ(window.text1, u"via the later viewer");
}

TEST_F(ViewerHookTest, DispatcherLeavesAndRejoinsInOrder) {
  auto& next = desktop->JoinForeignViewer();
  StartMonitoring();
  desktop->ClearCalls();

  dispatcher.ApplyBulkEdit();

  const std::string nextHex = SimulatedDesktop::Hex(next.handle);
  std::vector<std::string> expected = {
      "ChangeClipboardChain(" + Main() + "," + nextHex + ")",
      "ReplaceWindowProc(" + Main() + ")",
      "Yield",
      "ReplaceWindowProc(" + Main() + ")",
      "SetClipboardViewer(" + Main() + ")",
  };
  const auto& calls = desktop->Calls();
  ASSERT_GE(calls.size(), expected.size() + 1);
  EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 5), expected);
  EXPECT_EQ(calls.back(), "Yield");
  EXPECT_TRUE(IsHooked());
  EXPECT_FALSE(state.IsWritingBack);
  EXPECT_EQ(state.NextViewerHwnd, next.handle);
}

TEST_F(ViewerHookTest, TheRejoinUpdateIsIgnoredWhileBusy) {
  auto& next = desktop->JoinForeignViewer();
  StartMonitoring();
  int before = next.drawClipboardCount;
  desktop->OtherProgramSetsText(u"changed behind our back");  // not yet delivered

  state.IsBusy = true;
  dispatcher.ApplyBulkEdit();

  EXPECT_NE(window.text1, u"changed behind our back");
  EXPECT_EQ(next.drawClipboardCount, before + 1)
      << "only the pending change reaches the next viewer; the rejoin update is not passed on";
}

TEST_F(ViewerHookTest, ShutdownLeavesTheChainSoOthersStillReceiveChanges) {
  auto& other = desktop->JoinForeignViewer();
  StartMonitoring();
  desktop->ClearCalls();

  state.MonitorEnabled = false;
  monitor.LeaveChain();
  monitor.UnhookWindow();
  monitor.Yield();
  monitor.Yield();

  EXPECT_EQ(desktop->ChainHead(), other.handle);
  EXPECT_FALSE(IsHooked());
  int before = other.drawClipboardCount;
  desktop->OtherProgramSetsText(u"after we left");
  desktop->Messaging().Yield();
  EXPECT_EQ(other.drawClipboardCount, before + 1);
  EXPECT_NE(window.text1, u"after we left");
}

TEST_F(ViewerHookTest, AHungNextViewerDoesNotFreezeUsAndIsGivenUpOn) {
  auto& hung = desktop->JoinForeignViewer();
  StartMonitoring();
  hung.hung = true;

  desktop->OtherProgramSetsText(u"still seen");
  desktop->Messaging().Yield();
  Deliver(platform::kChangeClipboardChainMessage, 0x7770, 0x7780);

  EXPECT_EQ(window.text1, u"still seen");
  EXPECT_EQ(desktop->BlockingSendsToHungWindows(), 0);
}

TEST_F(ViewerHookTest, AChainThatLoopsBackToUsIsNotFollowed) {
  StartMonitoring();
  state.NextViewerHwnd = mainHandle;  // a confused viewer named us as our own follower
  desktop->OtherProgramSetsText(u"loop");
  desktop->Messaging().Yield();
  Deliver(platform::kChangeClipboardChainMessage, 0x7770, 0x7780);

  EXPECT_EQ(window.text1, u"loop");
  EXPECT_FALSE(desktop->MessageRecursionDetected());
  EXPECT_EQ(CountCalls("SendMessageTimeout(" + Main() + ",WM_CHANGECBCHAIN)"), 0);
}

TEST_F(ViewerHookTest, ALoopThroughAnotherViewerEndsAtOurWindow) {
  auto& other = desktop->JoinForeignViewer();
  StartMonitoring();
  other.next = mainHandle;  // the other viewer passes everything back to us

  Deliver(platform::kChangeClipboardChainMessage, 0x7770, 0x7780);
  desktop->OtherProgramSetsText(u"round the loop");
  desktop->Messaging().Yield();

  EXPECT_FALSE(desktop->MessageRecursionDetected());
  EXPECT_EQ(window.text1, u"round the loop");
  EXPECT_EQ(other.chainChanges.size(), 1u);
}

}  // namespace
}  // namespace fenlow::testing
