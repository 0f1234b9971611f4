// Recipes in the real fenlow.exe: a recipe file put into the user's
// %APPDATA% before start-up, its recipe's hotkey pressed while Wine's notepad
// has the keyboard, and Undo.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "app/form1_layout.h"
#include "clipboard/clipboard_text.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"
#include "platform/system_file_system.h"
#include "platform/user_folders.h"
#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"
#include "tests/e2e/clipboard_expectations.h"
#include "tests/e2e/fenlow_driver.h"
#include "tests/e2e/recipe_file_in_place.h"
#include "tests/win32/host_clipboard.h"

namespace fenlow::e2e {
namespace {

namespace probe = platform::win32::probe;
using platform::WindowHandle;
using tests::CopyInOtherProgram;

constexpr std::uint32_t kSelectString = 0x014D;  // CB_SELECTSTRING

constexpr std::string_view kRecipes = R"([[recipe]]
name = "Shout squeezed"
hotkey = "Ctrl+Alt+Shift+R"
[[recipe.step]]
edit = "collapse-spaces"
[[recipe.step]]
edit = "upper-case"
)";

class RecipesOfTheRealProgram : public ::testing::Test {
 protected:
  void StartWith(std::string_view text) {
    CopyInOtherProgram(text);
    fenlow.Start();
    ASSERT_TRUE(probe::WaitUntil([&] { return fenlow.DesktopMessageWindow() != 0; }));
    ASSERT_TRUE(fenlow.WaitForText(fenlow.Text1(), edits::Utf8ToUtf16(text)));
  }

  // Notepad, started now, has the keyboard; the user presses `keys` there.
  void PressInNotepad(const std::string& keys) {
    if (!notepad) {
      notepad.emplace(u"notepad.exe");
      notepadWindow = notepad->WaitForWindow();
      ASSERT_NE(notepadWindow, 0u);
    }
    ASSERT_TRUE(probe::WaitUntil([&] { return probe::Foreground() == notepadWindow; }));
    const auto pressed = probe::RunHostShell(
        "xdotool search --sync --name 'Notepad' windowactivate --sync >/dev/null 2>&1;"
        " xdotool search --sync --name 'Notepad' windowfocus --sync >/dev/null &&"
        " xdotool key --clearmodifiers " +
        keys);
    ASSERT_EQ(pressed.exitCode, 0) << pressed.output;
  }

  void ExpectOnTheClipboard(const std::u16string& text) {
    e2e::ExpectOnTheClipboard(*platform, text);
  }

  std::unique_ptr<platform::Platform> platform = platform::CreateWin32Platform();
  FenlowDriver fenlow{platform->Messaging()};
  std::optional<probe::StartedProgram> notepad;
  WindowHandle notepadWindow = 0;
};

TEST_F(RecipesOfTheRealProgram, ARecipesHotkeyEditsTheClipboardFromNotepadAndUndoTakesItBack) {
  RecipeFileInPlace file(kRecipes);
  StartWith("tea   for  two");
  PressInNotepad("ctrl+alt+shift+r");
  ExpectOnTheClipboard(u"TEA FOR TWO");
  EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"TEA FOR TWO"));

  PressInNotepad("ctrl+alt+shift+z");
  ExpectOnTheClipboard(u"tea   for  two");
  EXPECT_EQ(file.Content(), kRecipes) << "a run writes nothing to the file";
}

// The icon's menu: up from Exit past Recipes..., Options... and Undo to the
// Recipes submenu, opened with the right arrow on its first recipe, which
// Enter runs.
TEST_F(RecipesOfTheRealProgram, ARecipePickedInTheIconsSubmenuEditsTheClipboard) {
  constexpr int kKeyUp = 0x26;
  constexpr int kKeyRight = 0x27;
  RecipeFileInPlace file(kRecipes);
  StartWith("tea   for  two");
  const WindowHandle menu = fenlow.OpenIconMenu();
  ASSERT_NE(menu, 0u);
  probe::PostKey(menu, probe::kKeyEnd);
  for (int up = 0; up < 4; ++up) probe::PostKey(menu, kKeyUp);
  probe::PostKey(menu, kKeyRight);  // the menu's loop takes the keys for the open submenu
  probe::PostKey(menu, probe::kKeyEnter);
  ExpectOnTheClipboard(u"TEA FOR TWO");
  EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"TEA FOR TWO"));
}

// A one-step recipe; the dialog adds a step, its preview shows what the two
// make of the clipboard, and OK writes the file with the step.
constexpr std::string_view kOneStep = R"([[recipe]]
name = "Squeeze"
[[recipe.step]]
edit = "trim-lines"
)";

constexpr std::string_view kTwoSteps = R"([[recipe]]
name = "Squeeze"
[[recipe.step]]
edit = "trim-lines"
[[recipe.step]]
edit = "collapse-spaces"
)";

TEST_F(RecipesOfTheRealProgram, TheRecipesDialogPreviewsAnAddedStepAndItsOkWritesTheFile) {
  RecipeFileInPlace file(kOneStep);
  StartWith("  a   b  ");
  probe::PostSystemCommand(fenlow.MainWindow(), kRecipesCommand);
  const WindowHandle dialog = fenlow.WaitForShownWindow(u"Fenlow Recipes");
  ASSERT_NE(dialog, 0u);
  // The preview's boxes in their order: the clipboard now, what the recipe gives.
  const WindowHandle before = probe::FindChild(dialog, u"RichEdit20W", u"");
  const WindowHandle after = probe::FindChildAfter(dialog, before, u"RichEdit20W", u"");
  ASSERT_NE(after, 0u);
  EXPECT_TRUE(fenlow.WaitForText(before, u"  a   b  "));
  EXPECT_TRUE(fenlow.WaitForText(after, u"a   b")) << "the first recipe is chosen";

  const WindowHandle chooser = probe::FindChild(dialog, u"ComboBox", u"");
  WindowHandle editToAdd = probe::FindChildAfter(dialog, chooser, u"ComboBox", u"");
  const std::u16string edit = u"collapse-spaces:";
  ASSERT_GE(static_cast<std::intptr_t>(platform->Messaging().SendMessage(
                editToAdd, kSelectString, static_cast<platform::WParam>(-1),
                reinterpret_cast<platform::LParam>(edit.c_str()))),
            0);
  fenlow.Click(probe::FindChild(dialog, u"Button", u"&Add"));
  EXPECT_TRUE(fenlow.WaitForText(after, u"a b")) << "the added step shows in the preview";
  if (const char* shot = std::getenv("FENLOW_RECIPES_SCREENSHOT")) {
    const probe::Rect rect = probe::ScreenRect(dialog);
    probe::RunHostShell("import -window root -crop " + std::to_string(rect.right - rect.left) +
                        "x" + std::to_string(rect.bottom - rect.top) + "+" +
                        std::to_string(rect.left) + "+" + std::to_string(rect.top) + " +repage " +
                        shot);
  }

  fenlow.Click(probe::FindChild(dialog, u"Button", u"OK"));
  const bool written = probe::WaitUntil([&] { return file.Content() != kOneStep; });
  if (!written) probe::RunHostShell("import -window root /tmp/fenlow-recipes-ok.png");
  EXPECT_TRUE(written) << "screen: /tmp/fenlow-recipes-ok.png";
  EXPECT_EQ(file.Content(), kTwoSteps);
  EXPECT_EQ(file.Backup(), kOneStep);
  EXPECT_EQ(fenlow.TextOf(fenlow.Text1()), u"  a   b  ") << "OK runs nothing";
}

}  // namespace
}  // namespace fenlow::e2e
