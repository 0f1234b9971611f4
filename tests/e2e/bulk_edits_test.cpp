// Every bulk edit through the real fenlow.exe: the option picked in the list,
// the parameters typed into the real dialog, the start button clicked, and
// the result pasted by another program.
#include <gtest/gtest.h>

#include <optional>

#include "dialogs/form3.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"
#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"
#include "tests/e2e/fenlow_driver.h"
#include "tests/win32/host_clipboard.h"

namespace fenlow::e2e {
namespace {

namespace probe = platform::win32::probe;
namespace options = edits::options;
using platform::WindowHandle;
using tests::CopyInOtherProgram;
using tests::PasteInOtherProgram;

constexpr platform::MessageId kSetText = 0x000C;  // WM_SETTEXT
constexpr std::u16string_view kStartCaption = u"Start Applying Bulk Edits";
constexpr std::u16string_view kApplicationTitle = u"Fenlow";
// A text that every one of the 26 edits changes.
constexpr std::u16string_view kInput = u"  Ab 12\t=x=y\r\n\r\n\r\nc-d  ";

struct Use {
  std::u16string_view option;
  std::optional<std::u16string_view> caption;  // the dialog it asks in, if any
  std::u16string_view findOrOnly = u"";
  std::optional<std::u16string_view> replace;  // Form3 only
};

Use NoDialog(std::u16string_view option) {
  return {option, std::nullopt, u"", std::nullopt};
}
Use Asks(std::u16string_view option, std::u16string_view caption, std::u16string_view typed,
         std::optional<std::u16string_view> replace = std::nullopt) {
  return {option, caption, typed, replace};
}

const std::vector<Use>& EveryOption() {
  static const std::vector<Use> uses = {
      NoDialog(options::kRemoveAllSpaces),
      NoDialog(options::kRemoveExtraSpacesAtBeginning),
      NoDialog(options::kRemoveExtraSpacesAtEnd),
      NoDialog(options::kRemoveSpacesExceptSingle),
      NoDialog(options::kRemoveBlankLines),
      NoDialog(options::kRemoveAllTabs),
      Asks(options::kReplaceAllSpaces, u"Replace all spaces with...", u"_"),
      Asks(options::kReplaceAllBlankLines, u"Replace all blank lines (enters) with...", u"|"),
      NoDialog(options::kRemoveAlphabetChars),
      NoDialog(options::kRemoveNumericChars),
      NoDialog(options::kRemoveAlphanumericChars),
      NoDialog(options::kRemoveNonAlphanumericChars),
      Asks(options::kRemoveListItems, u"Remove x (user-specified) character(s)", u"Ab\r\n=x"),
      Asks(options::kRemoveTextAfterDelimiter, u"Remove all text after user-defined character(s)",
           u"="),
      Asks(options::kRemoveTextBeforeDelimiter, u"Remove all text before user-defined character(s)",
           u"="),
      Asks(options::kRemoveFirstChars, u"Remove First x character(s)", u"3"),
      Asks(options::kRemoveLastChars, u"Remove Last x character(s)", u"3"),
      Asks(options::kRemoveTextAfterPosition, u"Remove all text after x position", u"4"),
      Asks(options::kRemoveTextBeforePosition, u"Remove all text before x position", u"4"),
      Asks(options::kReplaceAlphabetChars, u"Replace alphabet character(s) with...", u"#"),
      Asks(options::kReplaceNumericChars, u"Replace numeric character(s) with...", u"#"),
      Asks(options::kReplaceAlphanumericChars, u"Replace alphanumeric character(s) with...", u"#"),
      Asks(options::kReplaceNonAlphanumericChars, u"Replace non-alphanumeric character(s) with...",
           u"#"),
      Asks(options::kReplaceListItems, u"Replace x (user-specified) with...", u"Ab\r\n12",
           u"X\r\n9"),
      Asks(options::kReplaceTextAfterDelimiter, u"Replace all text after user-defined with...",
           u"=", u"END"),
      Asks(options::kReplaceTextBeforeDelimiter, u"Replace all text before user-defined with...",
           u"=", u"START"),
  };
  return uses;
}

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

  // Seeing the list show a new choice tells that the pick has been handled.
  void Choose(std::u16string_view option) {
    fenlow.Pick(edits::options::kSeparator);
    ASSERT_TRUE(fenlow.WaitForText(fenlow.Combo1(), edits::options::kSeparator));
    fenlow.Pick(option);
    ASSERT_TRUE(fenlow.WaitForText(fenlow.Combo1(), option));
  }

  // One click opens the dialog, also while Fenlow still handles a copy.
  WindowHandle OpenDialog(std::u16string_view caption) {
    WindowHandle dialog = 0;
    fenlow.Click(start);
    probe::WaitUntil([&] { return (dialog = probe::FindChild(0, u"FenlowForm", caption)) != 0; });
    return dialog;
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
  void Type(WindowHandle box, std::u16string_view text) {
    std::u16string terminated(text);
    platform->Messaging().SendMessage(box, kSetText, 0,
                                      reinterpret_cast<platform::LParam>(terminated.c_str()));
  }
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
  for (const Use& use : EveryOption()) {
    SCOPED_TRACE(Utf8(use.option));
    CopyAndWaitForIt(kInput);
    Choose(use.option);
    const std::u16string expected =
        edits::ApplyOption(use.option, kInput, use.findOrOnly, use.replace.value_or(u"")).result;
    ASSERT_NE(expected, kInput) << "the input must show the edit";

    if (!use.caption) fenlow.Click(start);
    if (use.caption) {
      const WindowHandle dialog = OpenDialog(*use.caption);
      ASSERT_NE(dialog, 0u);
      Type(TextBox(dialog, 0), use.findOrOnly);
      if (use.replace) Type(TextBox(dialog, 1), *use.replace);
      Press(dialog, u"OK");
      ASSERT_TRUE(WaitUntilGone(*use.caption));
    }

    EXPECT_TRUE(WaitForPaste(expected)) << PasteInOtherProgram();
    EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), expected));
  }
}

TEST_F(BulkEditsOnTheDesktop, CancelAppliesTheEditWithEmptyParameters) {
  CopyAndWaitForIt(u"a1b22c");
  Choose(options::kReplaceNumericChars);
  const WindowHandle dialog = OpenDialog(u"Replace numeric character(s) with...");
  ASSERT_NE(dialog, 0u);
  Type(TextBox(dialog, 0), u"#");
  Press(dialog, u"Cancel");
  EXPECT_TRUE(WaitForPaste(u"abc")) << PasteInOtherProgram();
}

TEST_F(BulkEditsOnTheDesktop, BothFindAndReplaceMessagesKeepTheDialogOpen) {
  constexpr std::u16string_view caption = u"Replace x (user-specified) with...";
  CopyAndWaitForIt(u"abc");
  Choose(options::kReplaceListItems);
  const WindowHandle dialog = OpenDialog(caption);
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

  Type(TextBox(dialog, 0), u"b");
  Press(dialog, u"OK");
  ASSERT_TRUE(WaitUntilGone(caption));
  EXPECT_TRUE(WaitForPaste(u"axc")) << PasteInOtherProgram();
}

TEST_F(BulkEditsOnTheDesktop, AnXThatIsNoNumberLeavesTheClipboardAndMonitoringGoesOn) {
  CopyAndWaitForIt(u"keep me");
  Choose(options::kRemoveFirstChars);
  const WindowHandle dialog = OpenDialog(u"Remove First x character(s)");
  ASSERT_NE(dialog, 0u);
  Type(TextBox(dialog, 0), u"abc");
  auto told = probe::AnswerMessageBox(std::u16string(kApplicationTitle), fenlow.MainWindow());
  Press(dialog, u"OK");
  EXPECT_FALSE(told.get().text.empty());

  EXPECT_EQ(PasteInOtherProgram(), "keep me");
  CopyInOtherProgram("copied afterwards");
  EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"copied afterwards"));
}

}  // namespace
}  // namespace fenlow::e2e
