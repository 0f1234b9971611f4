#include "app/hotkey_keeper.h"

#include <optional>

#include "edits/engine/utf.h"
#include "edits/recipes/recipe.h"
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

// The registration id of each hotkey: its command, counted from 1; the
// recipes' keys by their place, from kFirstRecipeId.
int IdOf(HotkeyCommand command) {
  return static_cast<int>(Index(command)) + 1;
}
constexpr int kFirstRecipeId = 100;
constexpr int kTrialId = 99;  // a key tried out, and freed at once

// The one spelling of a hotkey text; empty for none or for no hotkey.
std::u16string Spelled(std::u16string_view text) {
  const std::optional<platform::Hotkey> hotkey = platform::ParseHotkey(text);
  return hotkey ? platform::HotkeyText(*hotkey) : std::u16string();
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
    case Kind::HeldByFenlow:
      return {status.text + u" is already " + status.detail + u".\r\nPick another hotkey.",
              status.text + u": " + status.detail};
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

void HotkeyKeeper::Start(std::function<void(HotkeyCommand)> pressed,
                         std::function<void(const std::string& recipe)> recipePressed) {
  started_ = true;
  platform_.Hotkeys().OnPressed(
      [this, pressed = std::move(pressed), recipePressed = std::move(recipePressed)](int id) {
        for (HotkeyCommand command : kHotkeyCommands) {
          if (IdOf(command) == id) pressed(command);
        }
        const auto place = static_cast<std::size_t>(id - kFirstRecipeId);
        if (id >= kFirstRecipeId && place < recipeStatuses_.size()) {
          const std::string recipe = recipeStatuses_[place].first;  // the handler may change them
          recipePressed(recipe);
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
  statuses_[Index(HotkeyCommand::Apply)] = Register(IdOf(HotkeyCommand::Apply), apply, {});
  statuses_[Index(HotkeyCommand::Undo)] = Register(IdOf(HotkeyCommand::Undo), undo, {});
  statuses_[Index(HotkeyCommand::Paste)] = Register(IdOf(HotkeyCommand::Paste), paste, {});
  RegisterRecipeKeys();
}

void HotkeyKeeper::Resume() {
  Use(std::u16string(statuses_[Index(HotkeyCommand::Apply)].text),
      std::u16string(statuses_[Index(HotkeyCommand::Undo)].text),
      std::u16string(statuses_[Index(HotkeyCommand::Paste)].text));
}

void HotkeyKeeper::UseRecipeKeys(std::vector<RecipeKey> keys) {
  for (std::size_t place = 0; place < recipeStatuses_.size(); ++place)
    if (started_) platform_.Hotkeys().Unregister(kFirstRecipeId + static_cast<int>(place));
  recipeKeys_ = std::move(keys);
  RegisterRecipeKeys();
}

// A key that an earlier one has stays off: the first has it.
void HotkeyKeeper::RegisterRecipeKeys() {
  recipeStatuses_.clear();
  for (std::size_t place = 0; place < recipeKeys_.size(); ++place) {
    const RecipeKey& key = recipeKeys_[place];
    const std::u16string owner = OwnerAmong(Spelled(key.text), key.recipe, place);
    recipeStatuses_.emplace_back(
        key.recipe, started_ ? Register(kFirstRecipeId + static_cast<int>(place), key.text, owner)
                             : HotkeyStatus{Kind::Off, key.text, {}});
  }
}

HotkeyStatus HotkeyKeeper::Register(int id, const std::u16string& text,
                                    std::u16string_view heldByFenlow) {
  HotkeyStatus status{Kind::Off, text, {}};
  if (text.empty()) return status;
  const std::optional<platform::Hotkey> hotkey = platform::ParseHotkey(text);
  if (!hotkey) {
    status.kind = Kind::NotAHotkey;
    return status;
  }
  status.text = platform::HotkeyText(*hotkey);  // spelled the one way
  if (!heldByFenlow.empty()) {
    status.kind = Kind::HeldByFenlow;
    status.detail = heldByFenlow;
    return status;
  }
  try {
    status.detail = platform_.Hotkeys().CharactersTypedBy(*hotkey);
    if (!status.detail.empty()) {
      status.kind = Kind::TypesCharacter;
    } else if (platform_.Hotkeys().Register(id, *hotkey) ==
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

std::u16string HotkeyKeeper::FenlowsKeyOwner(std::u16string_view text,
                                             std::string_view recipe) const {
  return OwnerAmong(Spelled(text), recipe, recipeKeys_.size());
}

std::u16string HotkeyKeeper::OwnerAmong(std::u16string_view spelled, std::string_view recipe,
                                        std::size_t recipesBefore) const {
  if (spelled.empty()) return {};
  if (!recipe.empty()) {
    if (Spelled(statuses_[Index(HotkeyCommand::Apply)].text) == spelled)
      return u"Fenlow's hotkey that applies the chosen edit";
    if (Spelled(statuses_[Index(HotkeyCommand::Undo)].text) == spelled)
      return u"Fenlow's hotkey that undoes its last write";
    if (Spelled(statuses_[Index(HotkeyCommand::Paste)].text) == spelled)
      return u"Fenlow's hotkey that pastes the chosen edit";
  }
  for (std::size_t place = 0; place < recipesBefore; ++place) {
    const RecipeKey& key = recipeKeys_[place];
    if (recipes::SameName(key.recipe, recipe) || Spelled(key.text) != spelled) continue;
    std::u16string owner(u"the hotkey of Fenlow's recipe ");
    owner.append(Quoted(edits::Utf8ToUtf16(key.recipe)));
    return owner;
  }
  return {};
}

std::u16string HotkeyKeeper::FenlowsKeyProblem(std::u16string_view text,
                                               std::string_view recipe) const {
  const std::u16string owner = FenlowsKeyOwner(text, recipe);
  if (owner.empty()) return {};
  return ProblemText(HotkeyStatus{Kind::HeldByFenlow, Spelled(text), owner});
}

std::u16string HotkeyKeeper::RecipeKeyProblem(std::u16string_view text, std::string_view recipe) {
  const HotkeyStatus tried =
      Register(kTrialId, std::u16string(text), FenlowsKeyOwner(text, recipe));
  if (tried.kind == Kind::Registered) platform_.Hotkeys().Unregister(kTrialId);
  return ProblemText(tried);
}

void HotkeyKeeper::Suspend() noexcept {
  if (!started_) return;
  for (HotkeyCommand command : kHotkeyCommands) platform_.Hotkeys().Unregister(IdOf(command));
  for (std::size_t place = 0; place < recipeStatuses_.size(); ++place)
    platform_.Hotkeys().Unregister(kFirstRecipeId + static_cast<int>(place));
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
