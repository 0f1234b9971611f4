// The keyboard and the other programs' windows on the simulated desktop.
// A test adds the program the user is in (its process, whether it runs as
// administrator or is a terminal, what is selected in it and how it reads
// the clipboard on Ctrl+V), holds keys down for a while, and reads what was
// sent and which keys are left down.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/desktop_input.h"
#include "platform/sim/call_log.h"
#include "platform/sim/fault_injector.h"
#include "platform/sim/simulated_clipboard.h"
#include "platform/sim/simulated_clock.h"
#include "platform/sim/simulated_messaging.h"
#include "platform/sim/simulated_ui.h"

namespace fenlow::platform::sim {

// How a program reads the clipboard when it gets Ctrl+V.
enum class Reading {
  AtOnce,        // at the next dispatch of messages
  Never,         // it ignores the keys
  ManagerFirst,  // a clipboard manager reads first, the program 50 ms later
  Late,          // 5 seconds later
};

struct SimulatedProgram {
  std::uint32_t process = 0;
  WindowHandle focus = 0;  // the control with the focus inside its window
  bool elevated = false;
  bool terminal = false;
  std::u16string selection{};  // what Ctrl+C copies; empty: nothing is selected
  Reading reading = Reading::AtOnce;
  std::u16string pasted{};  // what its pastes inserted, one after the other
};

class SimulatedInput final : public DesktopInput {
 public:
  // The process of a clipboard manager that reads every copy.
  static constexpr std::uint32_t kClipboardManager = 777;

  SimulatedInput(FaultInjector& faults, CallLog& log, SimulatedClock& clock,
                 SimulatedMessaging& messaging, SimulatedClipboard& clipboard, SimulatedUi& ui)
      : faults_(faults),
        log_(log),
        clock_(clock),
        messaging_(messaging),
        clipboard_(clipboard),
        ui_(ui) {}

  bool IsKeyDown(std::uint8_t virtualKey) override;
  std::size_t SendKeys(const std::vector<KeyStroke>& strokes) override;
  FocusedWindow Focused() override;
  std::uint32_t ProcessOf(WindowHandle window) override;
  bool RunsAboveUs(WindowHandle window) override;
  bool IsTerminal(WindowHandle window) override;

  // --- What a test arranges ------------------------------------------------------
  // Another program's window (made with the desktop's CreateWindow).
  SimulatedProgram& AddProgram(WindowHandle window, SimulatedProgram program);
  // The user holds `keys` down for `duration` of the clock from now.
  void HoldKeys(std::vector<std::uint8_t> keys, SimulatedClock::Clock::duration duration);
  // The system takes only the first `count` strokes of the next SendKeys.
  void TakeOnlyNext(std::size_t count) { takeOnly_ = count; }

  // --- What a test reads -----------------------------------------------------------
  // The keys that are down now: sent down and not up, or still held by the user.
  [[nodiscard]] std::vector<std::uint8_t> KeysDown() const;
  [[nodiscard]] const std::vector<KeyStroke>& Sent() const { return sent_; }

 private:
  void Press(const KeyStroke& stroke);
  void Copy(SimulatedProgram& program);
  void Paste(SimulatedProgram& program);
  SimulatedProgram* ProgramInFront();

  FaultInjector& faults_;
  CallLog& log_;
  SimulatedClock& clock_;
  SimulatedMessaging& messaging_;
  SimulatedClipboard& clipboard_;
  SimulatedUi& ui_;
  std::map<WindowHandle, SimulatedProgram> programs_;
  std::set<std::uint8_t> sentDown_;
  std::set<std::uint8_t> held_;
  SimulatedClock::Clock::time_point heldUntil_{};
  std::vector<KeyStroke> sent_;
  std::optional<std::size_t> takeOnly_;
};

}  // namespace fenlow::platform::sim
