// Every bulk edit through the real fenlow.exe: the option picked in the list,
// the parameters typed into the real dialog, the start button clicked, and
// the result pasted by another program.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "dialogs/form3.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"
#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"
#include "tests/e2e/fenlow_driver.h"
#include "tests/support/every_option.h"
#include "tests/win32/host_clipboard.h"

namespace fenlow::e2e {
namespace {

namespace probe = platform::win32::probe;
namespace options = edits::options;
using fenlow::testing::AsksIn;
using fenlow::testing::kEveryOption;
using fenlow::testing::OptionRow;
using fenlow::testing::RowOf;
using platform::WindowHandle;
using tests::CopyInOtherProgram;
using tests::PasteInOtherProgram;

constexpr std::u16string_view kStartCaption = u"Start Applying Bulk Edits";
constexpr std::u16string_view kApplicationTitle = u"Fenlow";
std::string Utf8(std::u16string_view text) {
  return edits::Utf16ToUtf8(text);
}

class BulkEditsOnTheDesktop : public ::testing::Test {
 protected:
  void SetUp() override {
    fenlow.Start();
    // The main window appears before its load has finished.
    ASSERT_TRUE(
        probe::WaitUntil([&] { return (start = fenlow.Control(u"Button", kStartCaption)); }));
  }

  // Copies `text` elsewhere and waits until Fenlow shows it.
  void CopyAndWaitForIt(std::u16string_view text) {
    CopyInOtherProgram(Utf8(text));
    ASSERT_TRUE(fenlow.WaitForText(fenlow.Text1(), text));
  }

  void Choose(std::u16string_view option) { ASSERT_TRUE(fenlow.Choose(option)); }

  // One click, or Enter on Start when it has the focus, opens the dialog,
  // also while Fenlow still handles a copy.
  WindowHandle OpenDialog(std::u16string_view caption, bool byEnter = false) {
    WindowHandle dialog = 0;
    if (byEnter) {
      fenlow.PressKey(probe::kKeyEnter);
    } else {
      fenlow.Click(start);
    }
    probe::WaitUntil([&] { return (dialog = probe::FindChild(0, u"FenlowForm", caption)) != 0; });
    return dialog;
  }
  // Copies `text`, chooses `option` and opens its dialog; 0 when it did not open.
  WindowHandle AskFor(std::u16string_view option, std::u16string_view text) {
    CopyAndWaitForIt(text);
    Choose(RowOf(option).option);
    return OpenDialog(RowOf(option).caption);
  }
  // An answered message box takes a moment to go; the next one is told apart only then.
  static bool MessageBoxClosed() {
    return probe::WaitUntil([] { return probe::FindChild(0, u"#32770", kApplicationTitle) == 0; });
  }
  bool WaitUntilGone(std::u16string_view caption) {
    return probe::WaitUntil([&] { return probe::FindChild(0, u"FenlowForm", caption) == 0; });
  }

  // The dialog's text boxes, in their order (Text1, then Form3's Text2).
  static WindowHandle TextBox(WindowHandle dialog, int index) {
    WindowHandle box = probe::FindChild(dialog, u"Edit", u"");
    for (int i = 0; i < index && box != 0; ++i)
      box = probe::FindChildAfter(dialog, box, u"Edit", u"");
    return box;
  }
  void Type(WindowHandle box, std::u16string_view text) { fenlow.SetText(box, text); }
  static void Press(WindowHandle dialog, std::u16string_view button) {
    probe::PostClick(probe::FindChild(dialog, u"Button", button));
  }

  // The X side of the clipboard has LF line ends where Windows has CR LF.
  static std::string AsPasted(std::u16string_view text) {
    std::string pasted;
    for (char c : Utf8(text)) {
      if (c != '\r') pasted += c;
    }
    return pasted;
  }
  bool WaitForPaste(std::u16string_view expected) {
    return probe::WaitUntil([&] { return PasteInOtherProgram() == AsPasted(expected); });
  }

  std::unique_ptr<platform::Platform> platform = platform::CreateWin32Platform();
  FenlowDriver fenlow{platform->Messaging()};
  WindowHandle start = 0;
};

TEST_F(BulkEditsOnTheDesktop, EveryOptionEditsTheClipboardWithWhatWasTypedInItsDialog) {
  for (const OptionRow& row : kEveryOption) {
    SCOPED_TRACE(Utf8(row.option));
    ASSERT_NE(row.edited, row.clipText) << "the example must show the edit";
    CopyAndWaitForIt(row.clipText);
    Choose(row.option);

    if (row.dialog == AsksIn::NoDialog) {
      fenlow.Click(start);
    } else {
      const WindowHandle dialog = OpenDialog(row.caption);
      ASSERT_NE(dialog, 0u);
      Type(TextBox(dialog, 0), row.param1);
      if (row.dialog == AsksIn::Form3) Type(TextBox(dialog, 1), row.param2);
      Press(dialog, u"OK");
      ASSERT_TRUE(WaitUntilGone(row.caption));
    }

    EXPECT_TRUE(WaitForPaste(row.edited)) << PasteInOtherProgram();
    EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), row.edited));
  }
}

// Each way out of the dialog leaves the clipboard and Text1 (with typing not
// yet saved) as they were. That is seen once the next dialog has opened: the
// next click's dialog opens only after the click before it has ended, and a
// click that went on would have refreshed Text1 first.
TEST_F(BulkEditsOnTheDesktop, CancelEscapeAndTheCloseBoxApplyNothing) {
  struct Way {
    const char* name;
    std::u16string_view option;
    std::function<void(WindowHandle)> leave;
  };
  const std::vector<Way> ways = {
      {"Cancel", options::kReplaceNumericChars,
       [](WindowHandle dialog) { Press(dialog, u"Cancel"); }},
      {"Escape", options::kReplaceAlphabetChars,
       [&](WindowHandle) { fenlow.PressKey(probe::kKeyEscape); }},
      {"close box", options::kReplaceListItems,
       [](WindowHandle dialog) { probe::PostClose(dialog); }},
      {"Cancel, once more to see the close box's outcome", options::kReplaceNumericChars,
       [](WindowHandle dialog) { Press(dialog, u"Cancel"); }},
  };
  const std::u16string_view text = u"order 66 of 2024";
  const std::u16string_view typed = u"typed, not saved";
  CopyAndWaitForIt(text);
  fenlow.SetText1(typed);
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    Choose(way.option);
    const WindowHandle dialog = OpenDialog(RowOf(way.option).caption);
    ASSERT_NE(dialog, 0u);
    EXPECT_EQ(fenlow.TextOf(fenlow.Text1()), typed) << "after the way out before this one";
    EXPECT_EQ(PasteInOtherProgram(), Utf8(text)) << "after the way out before this one";
    Type(TextBox(dialog, 0), u"6");
    if (RowOf(way.option).dialog == AsksIn::Form3) Type(TextBox(dialog, 1), u"#");
    way.leave(dialog);
    ASSERT_TRUE(WaitUntilGone(RowOf(way.option).caption));
  }
}

TEST_F(BulkEditsOnTheDesktop, EnterOnTheFocusedStartAndOnOkAppliesTheEdit) {
  CopyAndWaitForIt(u"order 66 of 2024");
  Choose(options::kReplaceNumericChars);
  for (int tab = 0; tab < 8 && fenlow.Focus() != start; ++tab) {
    const WindowHandle before = fenlow.Focus();
    fenlow.PressKey(probe::kKeyTab);
    probe::WaitUntil([&] { return fenlow.Focus() != before; });
  }
  ASSERT_EQ(fenlow.Focus(), start);

  const std::u16string_view caption = RowOf(options::kReplaceNumericChars).caption;
  const WindowHandle dialog = OpenDialog(caption, true);
  ASSERT_NE(dialog, 0u);
  Type(TextBox(dialog, 0), u"#");
  ASSERT_EQ(fenlow.Focus(), probe::FindChild(dialog, u"Button", u"OK"));
  fenlow.PressKey(probe::kKeyEnter);
  ASSERT_TRUE(WaitUntilGone(caption));
  EXPECT_TRUE(WaitForPaste(u"order ## of ####")) << PasteInOtherProgram();
}

TEST_F(BulkEditsOnTheDesktop, BothFindAndReplaceMessagesKeepTheDialogOpen) {
  const std::u16string_view caption = RowOf(options::kReplaceListItems).caption;
  const WindowHandle dialog = AskFor(options::kReplaceListItems, u"abc");
  ASSERT_NE(dialog, 0u);

  auto forgot = probe::AnswerMessageBox(std::u16string(kApplicationTitle), dialog);
  Press(dialog, u"OK");  // both empty
  EXPECT_EQ(forgot.get().text, kFindWhatMissingMessage);
  ASSERT_TRUE(MessageBoxClosed());
  EXPECT_NE(probe::FindChild(0, u"FenlowForm", caption), 0u);

  Type(TextBox(dialog, 1), u"x");  // empty find, one-line replacement
  auto lineCounts = probe::AnswerMessageBox(std::u16string(kApplicationTitle), dialog);
  Press(dialog, u"OK");
  const probe::MessageBoxSeen seen = lineCounts.get();
  EXPECT_EQ(seen.text, kLineCountsDifferMessage);
  EXPECT_TRUE(seen.watchedWindowDisabled);
  EXPECT_NE(probe::FindChild(0, u"FenlowForm", caption), 0u);
  EXPECT_TRUE(probe::WaitUntil([&] {
    return probe::Foreground() == dialog &&
           fenlow.Focus() == probe::FindChild(dialog, u"Button", u"OK");
  })) << "the dialog is active again, with the focus on OK";

  Type(TextBox(dialog, 0), u"b");
  Press(dialog, u"OK");
  ASSERT_TRUE(WaitUntilGone(caption));
  EXPECT_TRUE(WaitForPaste(u"axc")) << PasteInOtherProgram();
}

TEST_F(BulkEditsOnTheDesktop, AnXThatIsNoNumberLeavesTheClipboardAndMonitoringGoesOn) {
  const WindowHandle dialog = AskFor(options::kRemoveFirstChars, u"keep me");
  ASSERT_NE(dialog, 0u);
  Type(TextBox(dialog, 0), u"abc");
  auto told = probe::AnswerMessageBox(std::u16string(kApplicationTitle), fenlow.MainWindow());
  Press(dialog, u"OK");
  EXPECT_FALSE(told.get().text.empty());
  EXPECT_TRUE(probe::WaitUntil([&] {
    return probe::Foreground() == fenlow.MainWindow() && fenlow.Focus() == start;
  })) << "the main window is active again, with the focus on Start";

  EXPECT_EQ(PasteInOtherProgram(), "keep me");
  CopyInOtherProgram("copied afterwards");
  EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"copied afterwards"));
}

}  // namespace
}  // namespace fenlow::e2e
