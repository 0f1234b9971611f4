// The real fenlow.exe pasting into Wine's notepad: "Edit the selection"
// replaces notepad's selection with the edited text and "Paste edited"
// inserts the edited clipboard text at the caret; after each the clipboard
// holds what it held before (text and "HTML Format") and no modifier is
// left down. What happens after the hotkey's release, and when, is
// measured and printed, never asserted.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <optional>

#include "clipboard/clipboard_text.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"
#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"
#include "shell/settings_keys.h"
#include "tests/e2e/fenlow_driver.h"
#include "tests/e2e/recipe_file_in_place.h"

namespace fenlow::e2e {
namespace {

namespace probe = platform::win32::probe;
namespace options = edits::options;
namespace key = platform::key;
using platform::ClipboardFormatData;
using platform::WindowHandle;

constexpr std::u16string_view kHtmlFormat = u"HTML Format";
const std::string kHtml = "<b>kept</b>";

// The hotkeys the tests press: the apply hotkey in "selection" mode, the
// paste hotkey, and a recipe's hotkey in "selection" mode (its recipe file
// is in place before Fenlow starts).
struct HotkeyUnderTest {
  std::u16string_view setting;
  std::u16string_view text;
  const char* xdotoolKeys;
};
constexpr HotkeyUnderTest kSelectionHotkey{settings::kHotkeyApply, u"Ctrl+Alt+Shift+B",
                                           "ctrl+alt+shift+b"};
constexpr HotkeyUnderTest kPasteHotkey{settings::kHotkeyPaste, u"Ctrl+Alt+Shift+V",
                                       "ctrl+alt+shift+v"};
constexpr HotkeyUnderTest kRecipeHotkey{{}, u"Ctrl+Alt+Shift+U", "ctrl+alt+shift+u"};
constexpr std::string_view kRecipes = R"([[recipe]]
name = "Shout in place"
hotkey = "Ctrl+Alt+Shift+U"
mode = "selection"
[[recipe.step]]
edit = "upper-case"
)";

class FenlowInPlace : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSetting(settings::kHotkeyApplyMode, u"selection");
    WriteSetting(kSelectionHotkey.setting, kSelectionHotkey.text);
    WriteSetting(kPasteHotkey.setting, kPasteHotkey.text);
    CopyTextAndHtml(u"kept clipboard");
    fenlow.Start();
    fenlow.Pick(options::kRemoveAllSpaces);
    ASSERT_TRUE(fenlow.WaitForText(fenlow.Combo1(), options::kRemoveAllSpaces));
    ASSERT_TRUE(probe::WaitUntil([&] { return fenlow.DesktopMessageWindow() != 0; }));
  }

  // The other tests find the hotkeys as installed.
  void TearDown() override {
    (void)fenlow.CloseAndWaitForExit();
    WriteSetting(settings::kHotkeyApplyMode, u"clipboard");
    WriteSetting(kPasteHotkey.setting, u"");
  }

  void WriteSetting(std::u16string_view name, std::u16string_view value) {
    platform->Settings().Write(settings::kApplication, settings::kSection, name, value);
  }

  // A Windows program's copy of text with its HTML.
  void CopyTextAndHtml(std::u16string_view text) {
    ClipboardText clipboard(platform->Clipboard());
    ASSERT_TRUE(
        clipboard.ReplaceWithFormats({platform::UnicodeTextFormat(text),
                                      ClipboardFormatData{0, std::u16string(kHtmlFormat), kHtml}}));
  }

  // Notepad, started now, has the keyboard (as a new window does, so that
  // it has the X focus too); `typed` is typed into it.
  void NotepadWith(const std::string& typed) {
    notepad.emplace(u"notepad.exe");
    notepadWindow = notepad->WaitForWindow();
    ASSERT_NE(notepadWindow, 0u);
    ASSERT_TRUE(probe::WaitUntil([&] { return probe::Foreground() == notepadWindow; }));
    notepadEdit = probe::FindChild(notepadWindow, u"Edit", u"");
    ASSERT_NE(notepadEdit, 0u);
    Shell("xdotool search --sync --name 'Notepad' windowfocus --sync >/dev/null && xdotool type '" +
          typed + "'");
    ASSERT_TRUE(probe::WaitUntil(
        [&] { return fenlow.TextOf(notepadEdit) == std::u16string(typed.begin(), typed.end()); }));
  }

  void Shell(const std::string& script) {
    const auto ran = probe::RunHostShell(script);
    ASSERT_EQ(ran.exitCode, 0) << ran.output;
  }

  // Presses the hotkey; returns when xdotool has let go of its keys.
  std::chrono::steady_clock::time_point Press(const HotkeyUnderTest& hotkey) {
    Shell(std::string("xdotool key --clearmodifiers ") + hotkey.xdotoolKeys);
    return std::chrono::steady_clock::now();
  }

  bool ClipboardAsBefore() {
    ClipboardText clipboard(platform->Clipboard());
    std::optional<std::vector<ClipboardFormatData>> formats;
    if (!clipboard.TryReadMemoryFormats(std::size_t{1} << 20, formats) || !formats) return false;
    bool html = false;
    for (const ClipboardFormatData& data : *formats) {
      if (data.name == kHtmlFormat) html = data.bytes.substr(0, kHtml.size()) == kHtml;
    }
    return html && platform::UnicodeTextOf(*formats) == u"kept clipboard";
  }

  // Notepad shows `expected` and the clipboard is the user's again. What was
  // seen from here is printed with its time after the release: each change
  // of the clipboard (its sequence number alone: reading the offered text
  // would count as a reader), notepad's text, and the clipboard as before.
  // The clipboard is read only once notepad has pasted.
  void ExpectPastedAndRestored(std::u16string_view expected, const HotkeyUnderTest& hotkey) {
    std::uint32_t sequence = platform->Clipboard().SequenceNumber();
    std::u16string shown = fenlow.TextOf(notepadEdit);
    const auto released = Press(hotkey);
    std::string timeline;
    const auto note = [&](const std::string& what) {
      const auto at = std::chrono::duration_cast<std::chrono::milliseconds>(
          std::chrono::steady_clock::now() - released);
      timeline += " +" + std::to_string(at.count()) + " ms " + what + ";";
    };
    bool restored = false;
    EXPECT_TRUE(probe::WaitUntil([&] {
      if (const std::uint32_t now = platform->Clipboard().SequenceNumber(); now != sequence) {
        note("clipboard changed (" + std::to_string(now - sequence) + ")");
        sequence = now;
      }
      if (const std::u16string text = fenlow.TextOf(notepadEdit); text != shown) {
        note("notepad shows \"" + edits::Utf16ToUtf8(text) + "\"");
        shown = text;
      }
      if (shown == expected && (restored = ClipboardAsBefore())) note("clipboard as before");
      return restored;
    })) << "notepad shows: "
        << edits::Utf16ToUtf8(shown);
    std::cout << "[ measured ] after the release:" << timeline << "\n";
    for (std::uint8_t modifier : {key::kControl, key::kAlt, key::kShift})
      EXPECT_FALSE(platform->Input().IsKeyDown(modifier)) << "key " << int(modifier) << " is down";
  }

  RecipeFileInPlace recipes{kRecipes};
  std::unique_ptr<platform::Platform> platform = platform::CreateWin32Platform();
  FenlowDriver fenlow{platform->Messaging()};
  std::optional<probe::StartedProgram> notepad;
  WindowHandle notepadWindow = 0;
  WindowHandle notepadEdit = 0;
};

TEST_F(FenlowInPlace, EditTheSelectionReplacesNotepadsSelectionAndLeavesTheClipboardAsItWas) {
  NotepadWith("a b c");
  Shell("xdotool key ctrl+a");
  ExpectPastedAndRestored(u"abc", kSelectionHotkey);
}

TEST_F(FenlowInPlace, ARecipesEditTheSelectionHotkeyReplacesNotepadsSelection) {
  NotepadWith("a b c");
  Shell("xdotool key ctrl+a");
  ExpectPastedAndRestored(u"A B C", kRecipeHotkey);
}

TEST_F(FenlowInPlace, PasteEditedInsertsTheEditedClipboardTextAtTheCaret) {
  NotepadWith("start ");
  ExpectPastedAndRestored(u"start keptclipboard", kPasteHotkey);
}

}  // namespace
}  // namespace fenlow::e2e
