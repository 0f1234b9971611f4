// The windows of the simulated desktop: the program's, each with a window
// procedure the program may replace, and other programs' clipboard viewers.
// A message sent to a window is delivered at once to its current procedure,
// as the system delivers a message sent within one thread; a hung window
// never answers.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/sim/call_log.h"
#include "platform/types.h"

namespace fenlow::platform::sim {

// A viewer window of another program. It passes messages on to the window
// that follows it unless told not to, and records what it received.
struct ForeignViewer {
  WindowHandle handle = 0;
  WindowHandle next = 0;
  bool passesMessagesOn = true;
  bool hung = false;  // sends to it never return (a SendMessageTimeout gives up)
  int drawClipboardCount = 0;
  std::vector<std::pair<WParam, LParam>> chainChanges;
  // Runs once, when the viewer next receives a chain message, before it
  // passes that message on (another program acting meanwhile).
  std::function<void()> onNextMessage;
};

class SimulatedWindows {
 public:
  explicit SimulatedWindows(CallLog& log);
  ~SimulatedWindows();
  SimulatedWindows(const SimulatedWindows&) = delete;
  SimulatedWindows& operator=(const SimulatedWindows&) = delete;

  // A plain window of the program whose own procedure answers `result` to
  // every message and records it.
  WindowHandle CreateWindow(MessageResult result = 0);
  void DestroyWindow(WindowHandle window);
  bool IsWindow(WindowHandle window) const;
  WindowProc CurrentProc(WindowHandle window) const;
  // The messages a window created here received through its own procedure.
  const std::vector<MessageId>& MessagesSeenBy(WindowHandle window) const;
  // A window of another program that behaves as a clipboard viewer; it
  // joins no chain by being made.
  ForeignViewer& CreateForeignViewer(bool passesMessagesOn);

  // Blocking sends made to a hung window: each would have frozen the sender.
  int BlockingSendsToHungWindows() const { return blockingSendsToHung_; }
  // Sends nested deeper than any sane chain allows (a loop in the chain).
  bool MessageRecursionDetected() const { return recursionDetected_; }
  // Whether a message is being delivered to a window at the moment.
  bool InsideWindowProcedure() const { return sendDepth_ > 0; }

  // --- What the system does, uncounted ---------------------------------------
  // The window's procedure becomes `procedure`; returns the one it replaced
  // (nullptr when there is no such window).
  WindowProc ReplaceProc(WindowHandle window, WindowProc procedure);
  // Sends and waits for the answer, logged as "SendMessage(window,message)":
  // 0 from a window that is gone or hung.
  MessageResult SendNow(WindowHandle window, MessageId message, WParam wParam, LParam lParam);
  // Sends unless the window is gone or hung (nullopt then), as a send with a
  // timeout does.
  std::optional<MessageResult> SendUnlessHung(WindowHandle window, MessageId message, WParam wParam,
                                              LParam lParam);

 private:
  struct SimWindow {
    WindowProc proc = nullptr;
    MessageResult ownResult = 0;
    std::vector<MessageId> seen;
    std::unique_ptr<ForeignViewer> foreign;
  };

  static MessageResult FENLOW_WINDOW_PROC_CALL SimulatedWindowProc(WindowHandle window,
                                                                   MessageId message, WParam wParam,
                                                                   LParam lParam);
  std::optional<MessageResult> Deliver(WindowHandle window, MessageId message, WParam wParam,
                                       LParam lParam);
  MessageResult OwnBehaviour(WindowHandle window, MessageId message, WParam wParam, LParam lParam);
  MessageResult ForeignBehaviour(ForeignViewer& viewer, MessageId message, WParam wParam,
                                 LParam lParam);
  SimWindow* FindWindow(WindowHandle window);
  const SimWindow* FindWindow(WindowHandle window) const;
  WindowHandle NewHandle();

  CallLog& log_;
  std::map<WindowHandle, SimWindow> windows_;
  WindowHandle nextHandle_ = 0x1000;
  int blockingSendsToHung_ = 0;
  int sendDepth_ = 0;
  bool recursionDetected_ = false;
};

}  // namespace fenlow::platform::sim
