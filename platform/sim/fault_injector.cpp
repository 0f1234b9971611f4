#include "platform/sim/fault_injector.h"

#include "platform/types.h"

namespace fenlow::platform::sim {

namespace {

std::string NameWithSubject(std::string_view call, std::string_view subject) {
  std::string name(call);
  if (!subject.empty()) name += "(" + std::string(subject) + ")";
  return name;
}

}  // namespace

void FaultInjector::Fail(std::string call, int count) {
  if (count == 0) {
    failing_.erase(call);
  } else {
    failing_[std::move(call)] = count;
  }
}

void FaultInjector::DescribeFailure(std::string call, std::string description) {
  descriptions_[std::move(call)] = std::move(description);
}

int FaultInjector::AttemptCount(std::string_view call) const {
  const auto found = attempts_.find(call);
  return found == attempts_.end() ? 0 : found->second;
}

void FaultInjector::FailCall(int n) {
  counting_ = true;
  counted_ = 0;
  failAt_ = n;
  injected_.reset();
}

void FaultInjector::StopFailingCalls() {
  counting_ = false;
  failAt_ = 0;
}

std::string FaultInjector::InjectedFailureText(const std::string& name) {
  return name + " failed (simulated).";
}

void FaultInjector::Enter(std::string_view call, std::string_view subject) {
  Count(call, subject);
  ThrowIfMadeToFail(call, subject);
}

void FaultInjector::Count(std::string_view call, std::string_view subject) {
  if (!counting_ && !watcher_) return;
  CountedCall counted;
  counted.name = NameWithSubject(call, subject);
  counted.insideWindowProcedure = insideWindowProcedure_();
  if (counting_) counted.index = ++counted_;
  if (watcher_) watcher_(counted);
  if (!counting_ || counted.index != failAt_) return;
  injected_ = counted;
  throw Failure(InjectedFailureText(counted.name));
}

void FaultInjector::ThrowIfMadeToFail(std::string_view call, std::string_view subject) {
  CountAttempt(call);
  if (!TakeFailure(call, subject)) return;
  const auto described = descriptions_.find(call);
  throw Failure(described != descriptions_.end()
                    ? described->second
                    : InjectedFailureText(NameWithSubject(call, subject)));
}

void FaultInjector::CountAttempt(std::string_view call) {
  const auto attempted = attempts_.find(call);
  if (attempted == attempts_.end()) {
    attempts_.emplace(std::string(call), 1);
  } else {
    ++attempted->second;
  }
}

bool FaultInjector::TakeFailure(std::string_view call, std::string_view subject) {
  return (!subject.empty() && TakeFailure(NameWithSubject(call, subject))) || TakeFailure(call);
}

bool FaultInjector::TakeFailure(std::string_view name) {
  const auto found = failing_.find(name);
  if (found == failing_.end()) return false;
  if (found->second != kEveryCall && --found->second == 0) failing_.erase(found);
  return true;
}

}  // namespace fenlow::platform::sim
