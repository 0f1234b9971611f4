// The real fenlow.exe reached from outside its window: its hotkey pressed
// while another Windows program (Wine's notepad) has the keyboard, its
// icon's menu, and a second start. Wine delivers a registered hotkey while
// one of its own windows has the X focus; xdotool gives notepad that focus
// and presses the keys.
#include <gtest/gtest.h>

#include <optional>

#include "clipboard/clipboard_text.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"
#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"
#include "tests/e2e/clipboard_expectations.h"
#include "tests/e2e/fenlow_driver.h"
#include "tests/win32/host_clipboard.h"

namespace fenlow::e2e {
namespace {

namespace probe = platform::win32::probe;
namespace options = edits::options;
using platform::WindowHandle;
using tests::CopyInOtherProgram;

constexpr platform::MessageId kSetText = 0x000C;  // WM_SETTEXT

class FenlowFromAnywhere : public ::testing::Test {
 protected:
  // Fenlow started with `text` on the clipboard and `option` chosen.
  void StartWith(std::string_view text, std::u16string_view option) {
    CopyInOtherProgram(text);
    fenlow.Start();
    fenlow.Pick(option);
    ASSERT_TRUE(fenlow.WaitForText(fenlow.Combo1(), option));
    ASSERT_TRUE(probe::WaitUntil([&] { return fenlow.DesktopMessageWindow() != 0; }));
  }

  // Notepad, started now, takes the keyboard as a new window does, and the
  // user presses Ctrl+Alt+Shift+B there. (Made the window in front by
  // another program instead, notepad would take the X focus only later and
  // might miss the keys.)
  void PressApplyHotkeyInNotepad() {
    notepad.emplace(u"notepad.exe");
    notepadWindow = notepad->WaitForWindow();
    ASSERT_NE(notepadWindow, 0u);
    ASSERT_TRUE(probe::WaitUntil([&] { return probe::Foreground() == notepadWindow; }));
    const auto pressed = probe::RunHostShell(
        "xdotool search --sync --name 'Notepad' windowfocus --sync >/dev/null &&"
        " xdotool key --clearmodifiers ctrl+alt+shift+b");
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

TEST_F(FenlowFromAnywhere, TheApplyHotkeyEditsTheClipboardWhileAnotherProgramHasTheKeyboard) {
  StartWith("a b  c", options::kRemoveAllSpaces);
  PressApplyHotkeyInNotepad();
  ExpectOnTheClipboard(u"abc");
  EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"abc"));
}

// The dialog comes to the front with its OK button focused; once the edit is
// done, notepad has the keyboard again.
TEST_F(FenlowFromAnywhere, TheApplyHotkeysDialogComesToTheFrontAndTheFocusGoesBack) {
  StartWith("abcdef", options::kRemoveFirstChars);
  PressApplyHotkeyInNotepad();
  WindowHandle dialog = 0;
  ASSERT_TRUE(probe::WaitUntil([&] {
    return (dialog = probe::FindChild(0, u"FenlowForm", u"Remove First x character(s)")) != 0;
  }));
  const WindowHandle ok = probe::FindChild(dialog, u"Button", u"OK");
  // Polled as one: the dialog is the foreground window before its own thread
  // has handled the activation that puts the focus on OK.
  EXPECT_TRUE(probe::WaitUntil([&] {
    return probe::Foreground() == dialog && probe::FocusInThreadOf(dialog) == ok;
  })) << "the dialog is in front with the focus on OK";

  std::u16string two = u"2";
  platform->Messaging().SendMessage(probe::FindChild(dialog, u"Edit", u""), kSetText, 0,
                                    reinterpret_cast<platform::LParam>(two.c_str()));
  probe::PostClick(ok);

  ExpectOnTheClipboard(u"cdef");
  EXPECT_TRUE(probe::WaitUntil([&] { return probe::Foreground() == notepadWindow; }));
}

TEST_F(FenlowFromAnywhere, ASecondStartEndsByItselfAndTheFirstGoesOnFollowingTheClipboard) {
  StartWith("before", options::kRemoveAllSpaces);
  const auto second = probe::RunHostShell("cd \"$(dirname '" FENLOW_PROGRAM_HOST_PATH
                                          "')\" && wine ./fenlow.exe >/dev/null 2>&1",
                                          {}, std::chrono::seconds(30));
  EXPECT_EQ(second.exitCode, 0) << "the second start did not end by itself";
  EXPECT_TRUE(probe::WaitUntil([&] { return probe::Foreground() == fenlow.MainWindow(); }));

  CopyInOtherProgram("copied after the second start");
  EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"copied after the second start"));
  EXPECT_EQ(probe::FindChildAfter(0, fenlow.MainWindow(), u"FenlowForm", u"Fenlow"), 0u)
      << "a second main window";
}

// The menu opens at the icon's message; the keys move in it as a user's do.
TEST_F(FenlowFromAnywhere, TheIconsMenuAppliesThePickedEditAndItsExitEndsFenlow) {
  StartWith("a\tb c", options::kRemoveAllSpaces);
  WindowHandle menu = fenlow.OpenIconMenu();
  ASSERT_NE(menu, 0u);
  for (int down = 0; down < 6; ++down) probe::PostKey(menu, probe::kKeyDown);
  probe::PostKey(menu, probe::kKeyEnter);  // the sixth entry: remove all tabs

  EXPECT_TRUE(fenlow.WaitForText(fenlow.Combo1(), options::kRemoveAllTabs));
  ExpectOnTheClipboard(u"ab c");

  menu = fenlow.OpenIconMenu();
  ASSERT_NE(menu, 0u);
  probe::PostKey(menu, probe::kKeyEnd);
  probe::PostKey(menu, probe::kKeyEnter);  // the last item: Exit
  EXPECT_TRUE(probe::WaitUntil([&] { return !fenlow.IsRunning(); }, std::chrono::seconds(20)));
}

}  // namespace
}  // namespace fenlow::e2e
