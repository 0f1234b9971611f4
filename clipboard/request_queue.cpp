#include "clipboard/request_queue.h"

namespace fenlow {

RequestQueue::RequestQueue(platform::Ui& ui, std::function<bool()> monitorIdle)
    : ui_(ui), monitorIdle_(std::move(monitorIdle)) {}

void RequestQueue::Run(std::function<void()> request) {
  if (waiting_.empty() && Idle()) {
    RunNow(std::move(request), false);
    return;
  }
  waiting_.push_back(std::move(request));
  PostRunOldest();
}

void RequestQueue::MonitorIdleAgain() noexcept {
  if (Idle()) PostRunOldest();  // a running request posts when it ends
}

void RequestQueue::RunNow(std::function<void()> request, bool waited) {
  running_ = true;
  runningWaited_ = waited;
  // However the request ends, the next one gets its turn.
  struct Finish {
    RequestQueue& queue;
    ~Finish() {
      queue.running_ = false;
      queue.runningWaited_ = false;
      queue.PostRunOldest();
    }
  } finish{*this};
  request();
}

// A posted turn may come while the monitor is busy again (a yield of the
// monitor dispatches it): it then does nothing, and the end of that busy
// period posts the next turn, so nothing spins.
void RequestQueue::RunOldestIfIdle() {
  if (waiting_.empty() || !Idle()) return;
  std::function<void()> request = std::move(waiting_.front());
  waiting_.pop_front();
  RunNow(std::move(request), true);
}

// A turn that cannot be posted (the thread's message queue is full) is
// posted again at the end of the next change handled or request run.
void RequestQueue::PostRunOldest() noexcept {
  if (waiting_.empty()) return;
  try {
    ui_.Post([self = std::weak_ptr<RequestQueue*>(self_)] {
      if (auto queue = self.lock()) (*queue)->RunOldestIfIdle();
    });
  } catch (...) {
  }
}

}  // namespace fenlow
