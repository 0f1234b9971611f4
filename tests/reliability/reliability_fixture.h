// The monitored main window of the spine tests, with the checks every
// reliability case ends with: the user's text is still somewhere the user can
// get it (the clipboard, Text1 or both) and monitoring goes on.
#pragma once

#include <string>
#include <vector>

#include "tests/clipboard/monitor_fixture.h"

namespace fenlow::testing {

using platform::sim::ForeignViewer;

class ReliabilityTest : public MonitorTest {
 protected:
  static constexpr const char16_t* kRemoveSpaces = u"Remove all spaces in clipboard";

  void Start(std::u16string clipboardText) {
    desktop->OtherProgramSetsText(std::move(clipboardText));
    StartMonitoring();
  }

  // Every text in `kept` is on the clipboard or in Text1.
  void ExpectNothingLost(const std::vector<std::u16string>& kept) {
    const std::u16string onClipboard = desktop->ClipboardTextOrEmpty();
    for (const std::u16string& text : kept) {
      EXPECT_TRUE(onClipboard == text || window.text1 == text)
          << "a text of " << text.size() << " units is neither on the clipboard ("
          << onClipboard.size() << " units) nor in Text1 (" << window.text1.size() << " units)";
    }
  }

  // The monitor is hooked, heads the chain, is idle, and a later copy by
  // another program shows up in Text1.
  void ExpectMonitoringGoesOn() {
    EXPECT_TRUE(IsHooked());
    EXPECT_EQ(desktop->ChainHead(), mainHandle);
    EXPECT_FALSE(state.IsBusy);
    EXPECT_FALSE(state.IsWritingBack);
    // The system's own sends to the chain head are counted too, so only
    // those made while the change is passed on here are looked at.
    const int blockingBefore = desktop->BlockingSendsToHungWindows();
    desktop->OtherProgramSetsText(u"copied later");
    desktop->Messaging().Yield();
    EXPECT_EQ(window.text1, u"copied later");
    EXPECT_EQ(state.ClipText, u"copied later");
    EXPECT_EQ(desktop->BlockingSendsToHungWindows(), blockingBefore);
    EXPECT_FALSE(desktop->MessageRecursionDetected());
  }
};

}  // namespace fenlow::testing
