// The program's global hotkeys, from the settings "Hotkey Apply", "Hotkey
// Undo" and "Hotkey Paste" (with the apply hotkey's mode, "Hotkey Apply
// Mode"): checked against the user's keyboard layout, registered
// while Fenlow runs, and what became of each, for Options and the icon's
// tooltip. Nothing is said in a box: a hotkey that cannot be had is told
// there, once per run, and Fenlow goes on without it.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "platform/hotkey_mode.h"
#include "platform/platform.h"

namespace fenlow {

enum class HotkeyCommand { Apply, Undo, Paste };
inline constexpr std::array<HotkeyCommand, 3> kHotkeyCommands = {
    HotkeyCommand::Apply, HotkeyCommand::Undo, HotkeyCommand::Paste};

struct HotkeyStatus {
  enum class Kind { Off, Registered, NotAHotkey, TypesCharacter, HeldElsewhere, Failed };
  Kind kind = Kind::Off;
  std::u16string text;    // the hotkey as the setting holds it
  std::u16string detail;  // the characters it types, or the failure's description
};

// Why a hotkey does not work and what to do, on two lines for Options;
// empty when it works or is off.
[[nodiscard]] std::u16string ProblemText(const HotkeyStatus& status);
// The same in a few words, for the icon's tooltip.
[[nodiscard]] std::u16string ShortProblemText(const HotkeyStatus& status);

class HotkeyKeeper {
 public:
  explicit HotkeyKeeper(platform::Platform& platform) : platform_(platform) {}
  ~HotkeyKeeper();
  HotkeyKeeper(const HotkeyKeeper&) = delete;
  HotkeyKeeper& operator=(const HotkeyKeeper&) = delete;

  // Registers the hotkeys of the settings; presses reach `pressed`.
  void Start(std::function<void(HotkeyCommand)> pressed);
  // Registers these instead (an empty text: none).
  void Use(const std::u16string& apply, const std::u16string& undo, const std::u16string& paste);
  // Frees them all, keeping their texts, until the next Use; and for good at the end.
  void Suspend() noexcept;
  // Remembers the texts in use and the apply hotkey's mode for the next
  // start; throws Failure.
  void StoreInSettings();

  [[nodiscard]] const HotkeyStatus& Status(HotkeyCommand command) const;

  // What the apply hotkey does; the paste hotkey always pastes.
  [[nodiscard]] platform::HotkeyMode ApplyMode() const { return applyMode_; }
  void SetApplyMode(platform::HotkeyMode mode) { applyMode_ = mode; }

 private:
  HotkeyStatus Register(HotkeyCommand command, const std::u16string& text);
  void ReadApplyMode();

  platform::Platform& platform_;
  bool started_ = false;  // only a started keeper has hotkeys and a handler to give back
  std::array<HotkeyStatus, kHotkeyCommands.size()> statuses_;
  platform::HotkeyMode applyMode_ = platform::HotkeyMode::Clipboard;
};

}  // namespace fenlow
