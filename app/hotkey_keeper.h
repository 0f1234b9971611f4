// The program's two global hotkeys, from the settings "Hotkey Apply" and
// "Hotkey Undo": checked against the user's keyboard layout, registered
// while Fenlow runs, and what became of each, for Options and the icon's
// tooltip. Nothing is said in a box: a hotkey that cannot be had is told
// there, once per run, and Fenlow goes on without it.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "platform/platform.h"

namespace fenlow {

enum class HotkeyCommand { Apply, Undo };

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
  // Registers these two instead (an empty text: none).
  void Use(const std::u16string& apply, const std::u16string& undo);
  // Frees both, keeping their texts, until the next Use; and for good at the end.
  void Suspend() noexcept;
  // Remembers the two texts in use for the next start; throws Failure.
  void StoreInSettings();

  [[nodiscard]] const HotkeyStatus& Status(HotkeyCommand command) const;

 private:
  HotkeyStatus Register(HotkeyCommand command, const std::u16string& text);

  platform::Platform& platform_;
  bool started_ = false;  // only a started keeper has hotkeys and a handler to give back
  std::array<HotkeyStatus, 2> statuses_;
};

}  // namespace fenlow
