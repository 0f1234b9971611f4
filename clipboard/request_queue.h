// The one road of every request that changes the clipboard (a click on the
// start or the edit button, and whatever else asks for an edit or a save):
// a request runs at once when the clipboard monitor is idle, and otherwise
// waits and runs from the message loop, in the order the requests came, once
// the monitor is idle again. So a click that comes while a clipboard change
// or a write-back is handled is neither lost nor run inside it, and no
// request opens its dialog inside a yield of the monitor.
#pragma once

#include <deque>
#include <functional>
#include <memory>

#include "platform/ui.h"

namespace fenlow {

class RequestQueue {
 public:
  // `monitorIdle` tells whether the monitor handles no change and no write-back.
  RequestQueue(platform::Ui& ui, std::function<bool()> monitorIdle);
  RequestQueue(const RequestQueue&) = delete;
  RequestQueue& operator=(const RequestQueue&) = delete;

  // Runs `request` now when the monitor is idle and no earlier request waits
  // or runs; otherwise it waits its turn.
  void Run(std::function<void()> request);
  // Whether the request running now had to wait for its turn.
  [[nodiscard]] bool RunningRequestWaited() const { return runningWaited_; }

  // The monitor calls this at the end of every change it handled: the
  // message loop is asked to run the oldest waiting request.
  void MonitorIdleAgain() noexcept;

 private:
  [[nodiscard]] bool Idle() const { return !running_ && monitorIdle_(); }
  void RunNow(std::function<void()> request, bool waited);
  void RunOldestIfIdle();
  void PostRunOldest() noexcept;

  platform::Ui& ui_;
  std::function<bool()> monitorIdle_;
  std::deque<std::function<void()>> waiting_;
  bool running_ = false;
  bool runningWaited_ = false;
  // Posted tasks hold it weakly: a task that runs after the queue is gone
  // (the program failed and a last message box dispatches it) does nothing.
  std::shared_ptr<RequestQueue*> self_ = std::make_shared<RequestQueue*>(this);
};

}  // namespace fenlow
