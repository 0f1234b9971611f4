#include "platform/sim/simulated_messaging.h"

namespace fenlow::platform::sim {

void SimulatedMessaging::DuringNextYield(std::function<void()> action) {
  duringYield_.push_back(std::move(action));
}

std::optional<WindowHandle> SimulatedMessaging::SetClipboardViewer(WindowHandle window) {
  faults_.Enter("SetClipboardViewer");
  if (!windows_.IsWindow(window)) {
    log_.Record("SetClipboardViewer(" + CallLog::Hex(window) + ")");
    return std::nullopt;  // as the system refuses a handle that is no window
  }
  return chain_.JoinAtHead(window);
}

bool SimulatedMessaging::ChangeClipboardChain(WindowHandle window, WindowHandle next) {
  faults_.Enter("ChangeClipboardChain");
  return chain_.Leave(window, next);
}

WindowProc SimulatedMessaging::ReplaceWindowProc(WindowHandle window, WindowProc procedure) {
  faults_.Enter("ReplaceWindowProc");
  log_.Record("ReplaceWindowProc(" + CallLog::Hex(window) + ")");
  return windows_.ReplaceProc(window, procedure);
}

MessageResult SimulatedMessaging::CallWindowProc(WindowProc procedure, WindowHandle window,
                                                 MessageId message, WParam wParam, LParam lParam) {
  faults_.Enter("CallWindowProc");
  if (procedure == nullptr) return 0;
  return procedure(window, message, wParam, lParam);
}

MessageResult SimulatedMessaging::SendMessage(WindowHandle window, MessageId message, WParam wParam,
                                              LParam lParam) {
  faults_.Enter("SendMessage");
  return windows_.SendNow(window, message, wParam, lParam);
}

std::optional<MessageResult> SimulatedMessaging::SendMessageTimeout(WindowHandle window,
                                                                    MessageId message,
                                                                    WParam wParam, LParam lParam,
                                                                    std::chrono::milliseconds) {
  faults_.Enter("SendMessageTimeout");
  log_.Record("SendMessageTimeout(" + CallLog::Hex(window) + "," + CallLog::MessageName(message) +
              ")");
  return windows_.SendUnlessHung(window, message, wParam, lParam);
}

void SimulatedMessaging::Yield() {
  faults_.Enter("Yield");
  RunMessageLoop();
}

void SimulatedMessaging::RunMessageLoop() {
  log_.Record("Yield");
  chain_.DeliverPendingNotices();
  std::deque<std::function<void()>> actions;
  actions.swap(duringYield_);
  for (auto& action : actions) action();
  TakeTasksFromThreads();
  // Posted while this dispatch runs, a task still runs in it, as a message
  // posted to the queue being emptied would.
  while (!posted_.empty()) {
    std::function<void()> task = std::move(posted_.front());
    posted_.pop_front();
    task();
  }
  while (!timed_.empty() && timed_.begin()->first <= clock_.Now()) {
    std::function<void()> task = std::move(timed_.begin()->second);
    timed_.erase(timed_.begin());
    task();
  }
}

void SimulatedMessaging::PostTaskFromAnyThread(std::function<void()> task) {
  {
    const std::lock_guard lock(fromThreadsLock_);
    fromThreads_.push_back(std::move(task));
  }
  fromThreadsArrived_.notify_all();
}

void SimulatedMessaging::TakeTasksFromThreads() {
  const std::lock_guard lock(fromThreadsLock_);
  for (auto& task : fromThreads_) posted_.push_back(std::move(task));
  fromThreads_.clear();
}

bool SimulatedMessaging::DispatchUntil(const std::function<bool()>& done,
                                       std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  RunMessageLoop();
  while (!done()) {
    std::unique_lock lock(fromThreadsLock_);
    if (!fromThreadsArrived_.wait_until(lock, end, [this] { return !fromThreads_.empty(); }))
      return false;
    lock.unlock();
    RunMessageLoop();
  }
  return true;
}

bool SimulatedMessaging::ShellOpen(WindowHandle owner, std::u16string_view file,
                                   std::u16string_view directory, int showCommand) {
  faults_.Enter("ShellOpen");
  log_.Record("ShellOpen(" + CallLog::Narrow(file) + ")");
  shellOpenCalls_.push_back({owner, std::u16string(file), std::u16string(directory), showCommand});
  return true;
}

}  // namespace fenlow::platform::sim
