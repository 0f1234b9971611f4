// The check that ends every case where something went wrong on the simulated
// desktop: the clipboard monitor still follows the clipboard.
#pragma once

#include <gtest/gtest.h>

#include "clipboard/clipboard_monitor.h"
#include "clipboard/main_window_access.h"
#include "clipboard/program_state.h"
#include "platform/sim/simulated_desktop.h"

namespace fenlow::testing {

// The main window is hooked, heads the viewer chain, the monitor is idle, and
// a later copy by another program shows up in Text1 and ClipText, without a
// blocking send to a hung viewer or a message handled inside another.
inline void ExpectMonitorFollowsTheClipboard(platform::sim::SimulatedDesktop& desktop,
                                             const ProgramState& state, MainWindowAccess& window) {
  if (state.IsWritingBack) {
    ADD_FAILURE() << "IsWritingBack is left set: every later clipboard change is ignored";
    return;
  }
  const platform::WindowHandle main = window.MainWindowHandle();
  EXPECT_EQ(desktop.SimWindows().CurrentProc(main), &ClipboardMonitor::ViewerWndProc)
      << "the main window is no longer hooked";
  EXPECT_EQ(desktop.SimChain().Head(), main) << "the main window left the viewer chain";
  EXPECT_FALSE(state.IsBusy);
  EXPECT_TRUE(state.MonitorEnabled);
  // The system's own sends to the chain head are counted too, so only those
  // made while the change is passed on here are looked at.
  const int blockingBefore = desktop.SimWindows().BlockingSendsToHungWindows();
  desktop.SimClipboard().OtherProgramSetsText(u"copied later");
  desktop.Messaging().Yield();
  EXPECT_EQ(window.Text1(), u"copied later") << "a later copy is not shown";
  EXPECT_EQ(state.ClipText, u"copied later");
  EXPECT_EQ(desktop.SimWindows().BlockingSendsToHungWindows(), blockingBefore);
  EXPECT_FALSE(desktop.SimWindows().MessageRecursionDetected());
}

}  // namespace fenlow::testing
