// The program's messaging calls on the simulated desktop (the viewer chain,
// window procedures, sends, yields, opening a page) and its thread's message
// queue: the tasks the program posts, what a test has happen inside the next
// Yield, and the clipboard changes of other programs, all dispatched at a
// Yield or a turn of the message loop.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/call_log.h"
#include "platform/sim/fault_injector.h"
#include "platform/sim/simulated_clock.h"
#include "platform/sim/simulated_viewer_chain.h"
#include "platform/sim/simulated_windows.h"
#include "platform/window_messaging.h"

namespace fenlow::platform::sim {

struct ShellOpenCall {
  WindowHandle owner = 0;
  std::u16string file;
  std::u16string directory;
  int showCommand = 0;
};

class SimulatedMessaging final : public WindowMessaging {
 public:
  SimulatedMessaging(FaultInjector& faults, CallLog& log, SimulatedWindows& windows,
                     SimulatedViewerChain& chain, SimulatedClock& clock)
      : faults_(faults), log_(log), windows_(windows), chain_(chain), clock_(clock) {}

  // Tasks posted by the program (Ui::Post) run, in order, whenever pending
  // messages are dispatched: at a Yield or a turn of the message loop.
  void PostTask(std::function<void()> task) { posted_.push_back(std::move(task)); }
  // A task posted to run once the clock has moved on by `delay`: it runs in
  // the first dispatch after that (SimulatedClock::Advance moves the clock).
  void PostTaskAfter(SimulatedClock::Clock::duration delay, std::function<void()> task) {
    timed_.emplace(clock_.Now() + delay, std::move(task));
  }
  std::size_t TimedTasksWaiting() const { return timed_.size(); }
  // A task posted from any thread (Ui::PostFromAnyThread): it joins the
  // queue at the next dispatch, in the order posted.
  void PostTaskFromAnyThread(std::function<void()> task);
  // The test's wait for work of other threads: dispatches pending messages
  // whenever a task comes from another thread, until `done` holds (true) or
  // `deadline` has passed (false; the simulated clock is not used).
  bool DispatchUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline);
  // Runs `action` inside the next Yield (a click, a change, anything).
  void DuringNextYield(std::function<void()> action);
  // A turn of the program's message loop: every pending message is dispatched.
  void RunMessageLoop();

  const std::vector<ShellOpenCall>& ShellOpenCalls() const { return shellOpenCalls_; }

 private:
  std::optional<WindowHandle> SetClipboardViewer(WindowHandle window) override;
  bool ChangeClipboardChain(WindowHandle window, WindowHandle next) override;
  WindowProc ReplaceWindowProc(WindowHandle window, WindowProc procedure) override;
  MessageResult CallWindowProc(WindowProc procedure, WindowHandle window, MessageId message,
                               WParam wParam, LParam lParam) override;
  MessageResult SendMessage(WindowHandle window, MessageId message, WParam wParam,
                            LParam lParam) override;
  std::optional<MessageResult> SendMessageTimeout(WindowHandle window, MessageId message,
                                                  WParam wParam, LParam lParam,
                                                  std::chrono::milliseconds timeout) override;
  void Yield() override;
  bool ShellOpen(WindowHandle owner, std::u16string_view file, std::u16string_view directory,
                 int showCommand) override;

  FaultInjector& faults_;
  CallLog& log_;
  SimulatedWindows& windows_;
  SimulatedViewerChain& chain_;
  SimulatedClock& clock_;
  // Moves the tasks other threads posted to the end of posted_.
  void TakeTasksFromThreads();

  std::deque<std::function<void()>> posted_;
  std::mutex fromThreadsLock_;
  std::condition_variable fromThreadsArrived_;
  std::deque<std::function<void()>> fromThreads_;  // guarded by fromThreadsLock_
  std::multimap<SimulatedClock::Clock::time_point, std::function<void()>> timed_;
  std::deque<std::function<void()>> duringYield_;
  std::vector<ShellOpenCall> shellOpenCalls_;
};

}  // namespace fenlow::platform::sim
