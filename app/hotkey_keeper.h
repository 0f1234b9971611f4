// The program's global hotkeys: the three of the settings "Hotkey Apply",
// "Hotkey Undo" and "Hotkey Paste" (with the apply hotkey's mode, "Hotkey
// Apply Mode"), and one per recipe that has one. Each is checked against the
// user's keyboard layout and against Fenlow's other keys, registered while
// Fenlow runs, and what became of it is kept for Options, the Recipes dialog
// and the icon's tooltip. Nothing is said in a box: a hotkey that cannot be
// had is told there, once per run, and Fenlow goes on without it.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/hotkey_mode.h"
#include "platform/platform.h"

namespace fenlow {

enum class HotkeyCommand { Apply, Undo, Paste };
inline constexpr std::array<HotkeyCommand, 3> kHotkeyCommands = {
    HotkeyCommand::Apply, HotkeyCommand::Undo, HotkeyCommand::Paste};

struct HotkeyStatus {
  enum class Kind {
    Off,
    Registered,
    NotAHotkey,
    TypesCharacter,
    HeldElsewhere,
    HeldByFenlow,
    Failed
  };
  Kind kind = Kind::Off;
  std::u16string text;  // the hotkey as the setting holds it
  // The characters it types, which of Fenlow's keys has it, or the failure's
  // description.
  std::u16string detail;
};

// A recipe's hotkey, as the recipe file holds it.
struct RecipeKey {
  std::string recipe;
  std::u16string text;
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

  // Registers the hotkeys of the settings and the recipes' keys given since;
  // presses reach `pressed`, and a recipe's reach `recipePressed` with its name.
  void Start(std::function<void(HotkeyCommand)> pressed,
             std::function<void(const std::string& recipe)> recipePressed);
  // Registers these instead (an empty text: none), and the recipes' keys again.
  void Use(const std::u16string& apply, const std::u16string& undo, const std::u16string& paste);
  // The recipes' keys from now on, in place of those before; a key that one of
  // Fenlow's other keys has is not registered.
  void UseRecipeKeys(std::vector<RecipeKey> keys);
  // Registers again the keys in use before the last Suspend.
  void Resume();
  // Frees them all, keeping their texts, until the next Use; and for good at the end.
  void Suspend() noexcept;
  // Remembers the texts in use and the apply hotkey's mode for the next
  // start; throws Failure.
  void StoreInSettings();

  [[nodiscard]] const HotkeyStatus& Status(HotkeyCommand command) const;
  // What became of each recipe's key, in the order given.
  [[nodiscard]] const std::vector<std::pair<std::string, HotkeyStatus>>& RecipeStatuses() const {
    return recipeStatuses_;
  }
  // Which of Fenlow's keys other than the recipe `recipe`'s already is `text`
  // ("the hotkey of Fenlow's recipe "Sort lines""); empty when none is.
  // `recipe` empty: which recipe's key is `text`, for the keys of the settings.
  [[nodiscard]] std::u16string FenlowsKeyOwner(std::u16string_view text,
                                               std::string_view recipe) const;
  // ProblemText of `text` when FenlowsKeyOwner names one; empty otherwise.
  [[nodiscard]] std::u16string FenlowsKeyProblem(std::u16string_view text,
                                                 std::string_view recipe) const;
  // Why `text` cannot be the key of the recipe `recipe`, as ProblemText says
  // it, tried out while the keys are suspended; empty when it can be.
  [[nodiscard]] std::u16string RecipeKeyProblem(std::u16string_view text, std::string_view recipe);

  // What the apply hotkey does; the paste hotkey always pastes.
  [[nodiscard]] platform::HotkeyMode ApplyMode() const { return applyMode_; }
  void SetApplyMode(platform::HotkeyMode mode) { applyMode_ = mode; }

 private:
  HotkeyStatus Register(int id, const std::u16string& text, std::u16string_view heldByFenlow);
  void RegisterRecipeKeys();
  void ReadApplyMode();
  // FenlowsKeyOwner among the first `recipesBefore` recipes' keys.
  [[nodiscard]] std::u16string OwnerAmong(std::u16string_view spelled, std::string_view recipe,
                                          std::size_t recipesBefore) const;

  platform::Platform& platform_;
  bool started_ = false;  // only a started keeper has hotkeys and a handler to give back
  std::array<HotkeyStatus, kHotkeyCommands.size()> statuses_;
  platform::HotkeyMode applyMode_ = platform::HotkeyMode::Clipboard;
  std::vector<RecipeKey> recipeKeys_;
  std::vector<std::pair<std::string, HotkeyStatus>> recipeStatuses_;
};

}  // namespace fenlow
