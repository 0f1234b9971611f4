#include "platform/sim/simulated_viewer_chain.h"

namespace fenlow::platform::sim {

ForeignViewer& SimulatedViewerChain::JoinForeignViewer(bool passesMessagesOn) {
  ForeignViewer& viewer = windows_.CreateForeignViewer(passesMessagesOn);
  viewer.next = JoinAtHead(viewer.handle);
  return viewer;
}

void SimulatedViewerChain::LeaveForeignViewer(ForeignViewer& viewer) {
  WindowHandle handle = viewer.handle;
  Leave(handle, viewer.next);
  windows_.DestroyWindow(handle);
}

WindowHandle SimulatedViewerChain::JoinAtHead(WindowHandle window) {
  log_.Record("SetClipboardViewer(" + CallLog::Hex(window) + ")");
  if (!windows_.IsWindow(window)) return 0;
  WindowHandle previous = head_;
  head_ = window;
  windows_.SendNow(window, kDrawClipboardMessage, 0, 0);
  return previous;
}

// As the system does it: a head that leaves is replaced at once; any other
// leaving window is announced to the head, which passes the news down.
bool SimulatedViewerChain::Leave(WindowHandle window, WindowHandle next) {
  log_.Record("ChangeClipboardChain(" + CallLog::Hex(window) + "," + CallLog::Hex(next) + ")");
  if (window == 0) return false;
  if (window == head_) {
    head_ = next;
    return true;
  }
  if (head_ != 0) {
    windows_.SendNow(head_, kChangeClipboardChainMessage, window, static_cast<LParam>(next));
  }
  return true;
}

void SimulatedViewerChain::NotifyOfChange() {
  if (head_ != 0) windows_.SendNow(head_, kDrawClipboardMessage, 0, 0);
}

void SimulatedViewerChain::DeliverPendingNotices() {
  while (pendingChanges_ > 0) {
    --pendingChanges_;
    NotifyOfChange();
  }
}

}  // namespace fenlow::platform::sim
