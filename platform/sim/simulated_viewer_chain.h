// The clipboard-viewer chain of the simulated desktop, kept as the system
// keeps it: the system knows only the head, and each viewer the one after it.
// Other programs' viewers join and leave here; a change of the clipboard is
// told to the head, at once when the program made it, at the next dispatch of
// messages when another program did.
#pragma once

#include "platform/sim/call_log.h"
#include "platform/sim/simulated_windows.h"
#include "platform/types.h"

namespace fenlow::platform::sim {

class SimulatedViewerChain {
 public:
  SimulatedViewerChain(SimulatedWindows& windows, CallLog& log) : windows_(windows), log_(log) {}

  WindowHandle Head() const { return head_; }
  // Another program's viewer joins the chain (it becomes the head).
  ForeignViewer& JoinForeignViewer(bool passesMessagesOn = true);
  // That viewer leaves the chain the way a well-behaved program does.
  void LeaveForeignViewer(ForeignViewer& viewer);

  // --- What the system does, uncounted ---------------------------------------
  // `window` becomes the head and hears of the clipboard at once; returns
  // the head before it.
  WindowHandle JoinAtHead(WindowHandle window);
  // `window` leaves, `next` taking its place.
  bool Leave(WindowHandle window, WindowHandle next);
  // The clipboard is closed after a change: the head hears of it now.
  void NotifyOfChange();
  // Another process changed the clipboard: the head hears of it at the next
  // dispatch of messages, once per change.
  void NotifyOfChangeLater() { ++pendingChanges_; }
  void DeliverPendingNotices();

 private:
  SimulatedWindows& windows_;
  CallLog& log_;
  WindowHandle head_ = 0;
  int pendingChanges_ = 0;
};

}  // namespace fenlow::platform::sim
