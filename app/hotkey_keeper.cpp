#include "app/hotkey_keeper.h"

#include <optional>

#include "shell/error_trap.h"
#include "shell/settings_keys.h"

namespace fenlow {
namespace {

using Kind = HotkeyStatus::Kind;

struct HotkeySetting {
  std::u16string_view key;
  std::u16string_view byDefault;
};
// In the order of HotkeyCommand.
constexpr std::array<HotkeySetting, kHotkeyCommands.size()> kSettings = {{
    {settings::kHotkeyApply, u"Ctrl+Alt+Shift+B"},
    {settings::kHotkeyUndo, u"Ctrl+Alt+Shift+Z"},
    {settings::kHotkeyPaste, u""},
}};

std::size_t Index(HotkeyCommand command) {
  return static_cast<std::size_t>(command);
}

// The registration id of each hotkey: its command, counted from 1.
int IdOf(HotkeyCommand command) {
  return static_cast<int>(Index(command)) + 1;
}

// Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on u"\"" + string.
std::u16string Quoted(std::u16string_view text) {
  std::u16string quoted(1, u'"');
  quoted.append(text).push_back(u'"');
  return quoted;
}

}  // namespace

namespace {

// What keeps a hotkey from working, in full and in a few words.
struct ProblemWords {
  std::u16string full;
  std::u16string brief;
};

ProblemWords Problem(const HotkeyStatus& status) {
  switch (status.kind) {
    case Kind::Off:
    case Kind::Registered:
      return {};
    case Kind::NotAHotkey:
      return {Quoted(status.text) +
                  u" is not a hotkey.\r\nPick another: hold Ctrl or Alt (or both) and press a key.",
              Quoted(status.text) + u": not a hotkey"};
    case Kind::TypesCharacter:
      return {status.text + u" types " + Quoted(status.detail) +
                  u" on your keyboard layout.\r\nIt stays for typing: pick another hotkey.",
              status.text + u": types " + Quoted(status.detail)};
    case Kind::HeldElsewhere:
      return {u"Another program already uses " + status.text + u".\r\nPick another hotkey.",
              status.text + u": used by another program"};
    case Kind::Failed:
      return {status.text + u" could not be set up: " + status.detail + u"\r\nPick another hotkey.",
              status.text + u": not set up"};
  }
  return {};
}

}  // namespace

std::u16string ProblemText(const HotkeyStatus& status) {
  return Problem(status).full;
}

std::u16string ShortProblemText(const HotkeyStatus& status) {
  return Problem(status).brief;
}

HotkeyKeeper::~HotkeyKeeper() {
  if (!started_) return;
  Suspend();
  platform_.Hotkeys().OnPressed(nullptr);
}

void HotkeyKeeper::Start(std::function<void(HotkeyCommand)> pressed) {
  started_ = true;
  platform_.Hotkeys().OnPressed([pressed = std::move(pressed)](int id) {
    for (HotkeyCommand command : kHotkeyCommands) {
      if (IdOf(command) == id) pressed(command);
    }
  });
  std::array<std::u16string, kSettings.size()> texts;
  for (std::size_t i = 0; i < kSettings.size(); ++i) {
    texts[i] = platform_.Settings().Read(settings::kApplication, settings::kSection,
                                         kSettings[i].key, kSettings[i].byDefault);
  }
  ReadApplyMode();
  Use(texts[0], texts[1], texts[2]);
}

void HotkeyKeeper::ReadApplyMode() {
  applyMode_ = platform::ModeFromText(platform_.Settings().Read(
      settings::kApplication, settings::kSection, settings::kHotkeyApplyMode,
      platform::ModeText(platform::HotkeyMode::Clipboard)));
}

void HotkeyKeeper::Use(const std::u16string& apply, const std::u16string& undo,
                       const std::u16string& paste) {
  Suspend();
  statuses_[Index(HotkeyCommand::Apply)] = Register(HotkeyCommand::Apply, apply);
  statuses_[Index(HotkeyCommand::Undo)] = Register(HotkeyCommand::Undo, undo);
  statuses_[Index(HotkeyCommand::Paste)] = Register(HotkeyCommand::Paste, paste);
}

HotkeyStatus HotkeyKeeper::Register(HotkeyCommand command, const std::u16string& text) {
  HotkeyStatus status{Kind::Off, text, {}};
  if (text.empty()) return status;
  const std::optional<platform::Hotkey> hotkey = platform::ParseHotkey(text);
  if (!hotkey) {
    status.kind = Kind::NotAHotkey;
    return status;
  }
  status.text = platform::HotkeyText(*hotkey);  // spelled the one way
  try {
    status.detail = platform_.Hotkeys().CharactersTypedBy(*hotkey);
    if (!status.detail.empty()) {
      status.kind = Kind::TypesCharacter;
    } else if (platform_.Hotkeys().Register(IdOf(command), *hotkey) ==
               platform::HotkeyRegistration::HeldElsewhere) {
      status.kind = Kind::HeldElsewhere;
    } else {
      status.kind = Kind::Registered;
    }
  } catch (...) {
    status.kind = Kind::Failed;
    status.detail = CurrentFailureDescription();
  }
  return status;
}

void HotkeyKeeper::Suspend() noexcept {
  if (!started_) return;
  for (HotkeyCommand command : kHotkeyCommands) platform_.Hotkeys().Unregister(IdOf(command));
}

void HotkeyKeeper::StoreInSettings() {
  for (std::size_t i = 0; i < kSettings.size(); ++i) {
    platform_.Settings().Write(settings::kApplication, settings::kSection, kSettings[i].key,
                               statuses_[i].text);
  }
  platform_.Settings().Write(settings::kApplication, settings::kSection, settings::kHotkeyApplyMode,
                             platform::ModeText(applyMode_));
}

const HotkeyStatus& HotkeyKeeper::Status(HotkeyCommand command) const {
  return statuses_[Index(command)];
}

}  // namespace fenlow
