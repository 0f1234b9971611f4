#include "platform/sim/simulated_windows.h"

namespace fenlow::platform::sim {

namespace {

// The window procedures handed out here are plain functions, which carry no
// object, so they reach their windows through this pointer: one desktop, and
// so one set of windows, exists at a time, as one desktop hosts the real
// program.
SimulatedWindows* activeWindows = nullptr;

// Deep enough for any real chain; a chain that loops back recurses past it.
constexpr int kMaxSendDepth = 200;

}  // namespace

SimulatedWindows::SimulatedWindows(CallLog& log) : log_(log) {
  activeWindows = this;
}

SimulatedWindows::~SimulatedWindows() {
  if (activeWindows == this) activeWindows = nullptr;
}

WindowHandle SimulatedWindows::NewHandle() {
  WindowHandle handle = nextHandle_;
  nextHandle_ += 0x10;
  return handle;
}

WindowHandle SimulatedWindows::CreateWindow(MessageResult result) {
  WindowHandle handle = NewHandle();
  SimWindow& window = windows_[handle];
  window.proc = &SimulatedWindows::SimulatedWindowProc;
  window.ownResult = result;
  return handle;
}

void SimulatedWindows::DestroyWindow(WindowHandle window) {
  windows_.erase(window);
}

bool SimulatedWindows::IsWindow(WindowHandle window) const {
  return FindWindow(window) != nullptr;
}

SimulatedWindows::SimWindow* SimulatedWindows::FindWindow(WindowHandle window) {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

const SimulatedWindows::SimWindow* SimulatedWindows::FindWindow(WindowHandle window) const {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

WindowProc SimulatedWindows::CurrentProc(WindowHandle window) const {
  const SimWindow* found = FindWindow(window);
  return found ? found->proc : nullptr;
}

const std::vector<MessageId>& SimulatedWindows::MessagesSeenBy(WindowHandle window) const {
  static const std::vector<MessageId> none;
  const SimWindow* found = FindWindow(window);
  return found ? found->seen : none;
}

ForeignViewer& SimulatedWindows::CreateForeignViewer(bool passesMessagesOn) {
  WindowHandle handle = CreateWindow();
  SimWindow& window = windows_[handle];
  window.foreign = std::make_unique<ForeignViewer>();
  ForeignViewer& viewer = *window.foreign;
  viewer.handle = handle;
  viewer.passesMessagesOn = passesMessagesOn;
  return viewer;
}

MessageResult FENLOW_WINDOW_PROC_CALL SimulatedWindows::SimulatedWindowProc(WindowHandle window,
                                                                            MessageId message,
                                                                            WParam wParam,
                                                                            LParam lParam) {
  if (activeWindows == nullptr) return 0;
  return activeWindows->OwnBehaviour(window, message, wParam, lParam);
}

MessageResult SimulatedWindows::OwnBehaviour(WindowHandle window, MessageId message, WParam wParam,
                                             LParam lParam) {
  SimWindow* found = FindWindow(window);
  if (found == nullptr) return 0;
  found->seen.push_back(message);
  if (found->foreign) return ForeignBehaviour(*found->foreign, message, wParam, lParam);
  return found->ownResult;
}

// A viewer written the usual way: it passes both chain messages on to the
// window that follows it, and takes over the follower of a leaving next.
MessageResult SimulatedWindows::ForeignBehaviour(ForeignViewer& viewer, MessageId message,
                                                 WParam wParam, LParam lParam) {
  const bool chainMessage =
      message == kDrawClipboardMessage || message == kChangeClipboardChainMessage;
  if (chainMessage && viewer.onNextMessage) std::exchange(viewer.onNextMessage, nullptr)();
  if (message == kDrawClipboardMessage) {
    ++viewer.drawClipboardCount;
    if (viewer.passesMessagesOn && viewer.next != 0) SendNow(viewer.next, message, wParam, lParam);
  } else if (message == kChangeClipboardChainMessage) {
    viewer.chainChanges.emplace_back(wParam, lParam);
    if (wParam == viewer.next) {
      viewer.next = static_cast<WindowHandle>(lParam);
    } else if (viewer.passesMessagesOn && viewer.next != 0) {
      SendNow(viewer.next, message, wParam, lParam);
    }
  }
  return 0;
}

WindowProc SimulatedWindows::ReplaceProc(WindowHandle window, WindowProc procedure) {
  SimWindow* found = FindWindow(window);
  if (found == nullptr) return nullptr;
  WindowProc previous = found->proc;
  found->proc = procedure;
  return previous;
}

MessageResult SimulatedWindows::SendNow(WindowHandle window, MessageId message, WParam wParam,
                                        LParam lParam) {
  log_.Record("SendMessage(" + CallLog::Hex(window) + "," + CallLog::MessageName(message) + ")");
  SimWindow* found = FindWindow(window);
  if (found == nullptr) return 0;
  if (found->foreign && found->foreign->hung) {
    ++blockingSendsToHung_;  // the real call would never return
    return 0;
  }
  return Deliver(window, message, wParam, lParam).value_or(0);
}

std::optional<MessageResult> SimulatedWindows::SendUnlessHung(WindowHandle window,
                                                              MessageId message, WParam wParam,
                                                              LParam lParam) {
  SimWindow* found = FindWindow(window);
  if (found == nullptr || (found->foreign && found->foreign->hung)) return std::nullopt;
  return Deliver(window, message, wParam, lParam);
}

std::optional<MessageResult> SimulatedWindows::Deliver(WindowHandle window, MessageId message,
                                                       WParam wParam, LParam lParam) {
  if (sendDepth_ >= kMaxSendDepth) {
    recursionDetected_ = true;
    return std::nullopt;
  }
  ++sendDepth_;
  MessageResult result = FindWindow(window)->proc(window, message, wParam, lParam);
  --sendDepth_;
  return result;
}

}  // namespace fenlow::platform::sim
