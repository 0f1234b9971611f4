// The names the settings are stored under: the other tests read them from
// shell/settings_keys.h, so this one holds them to the names the store has
// always used. A key renamed in the code would lose every user's setting.
#include "shell/settings_keys.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>

namespace fenlow::testing {
namespace {

TEST(SettingsKeys, AreTheNamesTheStoreHasAlwaysUsed) {
  const std::pair<std::u16string_view, std::u16string_view> names[] = {
      {settings::kApplication, u"Kestrane"},
      {settings::kSection, u"Fenlow"},
      {settings::kChosenEdit, u"Combo1"},
      {settings::kBlankLine, u"Blank Line"},
      {settings::kApplyToEveryCopy, u"Apply To Every Copy"},
      {settings::kHotkeyApply, u"Hotkey Apply"},
      {settings::kHotkeyUndo, u"Hotkey Undo"},
      {settings::kTrue, u"True"},
      {settings::kFalse, u"False"},
  };
  for (const auto& [inCode, stored] : names) EXPECT_EQ(inCode, stored);
}

}  // namespace
}  // namespace fenlow::testing
