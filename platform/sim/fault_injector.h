// The simulated desktop's one way of making the program's platform calls
// fail, as the real system's can. Every counted call passes through Enter,
// which fails it when a test asked for that: by the call's name, for the next
// calls of it (another program holding the clipboard, a settings store that
// cannot be written), or by its place, the nth counted call from now on (the
// sweep that fails every call in turn).
//
// Counted are the program's calls through the platform interfaces that the
// real backend can fail: the clipboard primitives, every messaging call,
// settings reads and writes, the file services, creating forms, the message
// box and application title, the form and control operations that change or
// look up a window (Handle, Find, SetCaption, SetIconToProgramIcon,
// SetBackColour, SetPointer, LoadCustomPointer, Show, ShowModal, Unload;
// SetText, AddItem, SetChecked, SetBackColour, SetFocus), and the hotkey,
// notification-area and start-up services. Not counted: reading a property a
// form or control holds (Text, Checked, Caption, Pointer, Controls, ...),
// installing handlers, the clipboard's sequence number, the clock and the
// pause between clipboard attempts, posting a task, the message loop, and
// what the system or a user does (the chain's own messages, typing,
// clicking, the close box).
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace fenlow::platform::sim {

// A platform call as the fault injector counts it: "SetText(Combo1)",
// "HasFormat", "Yield", ...
struct CountedCall {
  int index = 0;  // 1 for the first call counted since FailCall
  std::string name;
  // Made while the system delivered a message to a window, that is from a
  // window procedure rather than from the handler that started it.
  bool insideWindowProcedure = false;
};

class FaultInjector {
 public:
  // A count for Fail: every call, until Fail(call, 0).
  static constexpr int kEveryCall = -1;

  // `insideWindowProcedure` tells whether the system is delivering a message
  // to a window at the moment.
  explicit FaultInjector(std::function<bool()> insideWindowProcedure)
      : insideWindowProcedure_(std::move(insideWindowProcedure)) {}

  // --- Failing a call by its name --------------------------------------------
  // The next `count` calls of `call` fail (0: none from now on). `call` is
  // the name calls are counted by: without a subject for every call of that
  // name ("GetText", "WriteSetting" for every setting, "SetBackColour" for
  // forms and controls), or with one for the calls on that subject alone
  // ("ReplaceWholeFile(C:\\...\\recipes.toml.bak)").
  void Fail(std::string call, int count);
  // What a call of `call` made to fail says: the description the real
  // failure carries. Without one it says InjectedFailureText.
  void DescribeFailure(std::string call, std::string description);
  // The calls of `call` that the sweep let through, the failed ones included.
  [[nodiscard]] int AttemptCount(std::string_view call) const;

  // --- Failing a call by its place: the sweep ---------------------------------
  // Fails the `n`th counted call from now on (1: the next one) with a Failure
  // naming the call, once; calls are counted until StopFailingCalls.
  void FailCall(int n);
  void StopFailingCalls();
  // The description of the failure FailCall throws for the call `name`.
  static std::string InjectedFailureText(const std::string& name);
  // The call that failed, once FailCall's failure was thrown.
  const std::optional<CountedCall>& InjectedFailure() const { return injected_; }
  // Called for every counted call, just before it may fail (also when no
  // failure is armed).
  void WatchCalls(std::function<void(const CountedCall&)> watcher) {
    watcher_ = std::move(watcher);
  }

  // --- The choke point -----------------------------------------------------------
  // Counts the call and fails it when asked to, by place or by name.
  // `subject` is the control, form or setting concerned.
  void Enter(std::string_view call, std::string_view subject = {});
  // Enter in its two steps, for a call that goes into the call log before it
  // can fail by name (a settings write refused by the store).
  void Count(std::string_view call, std::string_view subject = {});
  void ThrowIfMadeToFail(std::string_view call, std::string_view subject = {});

 private:
  void CountAttempt(std::string_view call);
  // Whether `call` on `subject` is to fail now; uses up one of its failures.
  bool TakeFailure(std::string_view call, std::string_view subject);
  bool TakeFailure(std::string_view name);

  std::function<bool()> insideWindowProcedure_;
  std::map<std::string, int, std::less<>> failing_;  // by name: calls still to fail
  std::map<std::string, std::string, std::less<>> descriptions_;
  std::map<std::string, int, std::less<>> attempts_;
  bool counting_ = false;
  int counted_ = 0;
  int failAt_ = 0;
  std::optional<CountedCall> injected_;
  std::function<void(const CountedCall&)> watcher_;
};

}  // namespace fenlow::platform::sim
