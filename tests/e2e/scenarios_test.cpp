// The real fenlow.exe on the Wine desktop, with xclip as the other program.
#include <gtest/gtest.h>

#include <string>

#include "app/form1_layout.h"
#include "clipboard/clipboard_monitor.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"
#include "platform/clipboard_retry.h"
#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"
#include "tests/e2e/fenlow_driver.h"
#include "tests/win32/host_clipboard.h"

namespace fenlow::e2e {
namespace {

namespace probe = platform::win32::probe;
namespace format = platform::format;
using platform::WindowHandle;
using tests::CopyInOtherProgram;
using tests::PasteInOtherProgram;

constexpr std::u16string_view kStartCaption = u"Start Applying Bulk Edits";

class FenlowOnTheDesktop : public ::testing::Test {
 protected:
  std::string Shown(platform::WindowHandle window) {
    return "shown: \"" + edits::Utf16ToUtf8(fenlow.TextOf(window)) + "\"";
  }

  // Picks `option` and waits until the list shows it.
  void Choose(std::u16string_view option) {
    fenlow.Pick(option);
    ASSERT_TRUE(fenlow.WaitForText(fenlow.Combo1(), option)) << Shown(fenlow.Combo1());
  }

  std::unique_ptr<platform::Platform> platform = platform::CreateWin32Platform();
  FenlowDriver fenlow{platform->Messaging()};
};

TEST_F(FenlowOnTheDesktop, OpensWithTheClipboardTextAndInTheEditingState) {
  CopyInOtherProgram("copied before Fenlow started");
  fenlow.Start();
  EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"copied before Fenlow started"));
  EXPECT_NE(fenlow.Control(u"Button", kEditingCaption), 0u);
}

TEST_F(FenlowOnTheDesktop, LaterCopyAppearsInText1) {
  CopyInOtherProgram("first");
  fenlow.Start();
  ASSERT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"first"));
  CopyInOtherProgram("copied while Fenlow runs");
  EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"copied while Fenlow runs"));
}

// A clipboard history reads every copy the moment it is made, keeping the
// clipboard open meanwhile: the copy still shows, also when it is held for
// longer than Fenlow's reads wait (about a second).
TEST_F(FenlowOnTheDesktop, ACopyThatAnotherProgramHoldsAtOnceStillShowsInText1) {
  CopyInOtherProgram("before");
  fenlow.Start();
  ASSERT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"before"));
  for (const auto hold : {300ms, 2500ms}) {
    const std::u16string copied =
        u"copied, then held for " + edits::Utf8ToUtf16(std::to_string(hold.count())) + u" ms";
    probe::CopyThenHoldClipboard(copied, hold).get();
    EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), copied)) << Shown(fenlow.Text1());
  }
}

TEST_F(FenlowOnTheDesktop, SavedHandEditComesBackExactlyAndTheButtonReturnsToIdle) {
  CopyInOtherProgram("before the edit");
  fenlow.Start();
  ASSERT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"before the edit"));
  const std::u16string edited = u"caf\u00e9 \u4e2d \U0001F600\tedited by hand";
  fenlow.SetText1(edited);

  fenlow.Click(fenlow.Control(u"Button", kEditingCaption));

  EXPECT_TRUE(probe::WaitUntil([&] { return fenlow.Control(u"Button", kEditIdleCaption) != 0; }));
  EXPECT_TRUE(probe::WaitUntil([&] { return PasteInOtherProgram() == edits::Utf16ToUtf8(edited); }))
      << PasteInOtherProgram();
  EXPECT_EQ(fenlow.TextOf(fenlow.Text1()), edited);
}

TEST_F(FenlowOnTheDesktop, ChosenEntryIsShownAgainAfterARestart) {
  fenlow.Start();
  std::u16string choice = u"Remove first x character(s) in clipboard";
  if (fenlow.TextOf(fenlow.Combo1()) == choice) choice = u"Remove last x character(s) in clipboard";
  fenlow.Pick(choice);
  ASSERT_TRUE(fenlow.WaitForText(fenlow.Combo1(), choice)) << Shown(fenlow.Combo1());
  ASSERT_TRUE(fenlow.CloseAndWaitForExit());

  fenlow.Start();
  EXPECT_EQ(fenlow.TextOf(fenlow.Combo1()), choice) << Shown(fenlow.Combo1());
}

TEST_F(FenlowOnTheDesktop, StartButtonRemovesAllSpacesFromTheClipboardText) {
  CopyInOtherProgram("a b  c d");
  fenlow.Start();
  Choose(edits::options::kRemoveAllSpaces);
  ASSERT_EQ(fenlow.TextOf(fenlow.Text1()), u"a b  c d");

  fenlow.Click(fenlow.Control(u"Button", kStartCaption));

  EXPECT_TRUE(probe::WaitUntil([] { return PasteInOtherProgram() == "abcd"; }))
      << PasteInOtherProgram();
  EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"abcd")) << Shown(fenlow.Text1());
}

// A viewer of the driver's own, joined before Fenlow: Fenlow joins at the
// head and must pass every change on to it, and leave it in the chain.
class SecondViewer final : public MainWindowAccess {
 public:
  explicit SecondViewer(platform::Platform& platform)
      : window_(platform.Forms().CreateForm(Design())), monitor_(platform, state_, *this) {
    state_.MonitorEnabled = true;
    monitor_.HookWindow();
    monitor_.JoinChain();
  }
  ~SecondViewer() override {
    monitor_.LeaveChain();
    monitor_.UnhookWindow();
  }

  platform::WindowHandle MainWindowHandle() override { return window_->Handle(); }
  std::u16string Text1() override { return seen_; }
  void SetText1(const platform::SharedText& text) override { seen_ = text.View(); }
  std::u16string Combo1Text() override { return u""; }

 private:
  static platform::FormSpec Design() {
    platform::FormSpec spec;
    spec.name = "SecondViewer";
    spec.caption = u"Second viewer";
    return spec;
  }

  std::unique_ptr<platform::Form> window_;
  ProgramState state_;
  ClipboardMonitor monitor_;
  std::u16string seen_;
};

TEST_F(FenlowOnTheDesktop, ClosingEndsTheProcessAndLeavesTheChainWhole) {
  SecondViewer other(*platform);
  fenlow.Start();
  CopyInOtherProgram("while both watch");
  ASSERT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"while both watch"));
  EXPECT_TRUE(probe::WaitUntil([&] { return other.Text1() == u"while both watch"; }));

  ASSERT_TRUE(fenlow.CloseAndWaitForExit());

  EXPECT_EQ(probe::FindChild(0, u"FenlowForm", u"Fenlow"), 0u);
  CopyInOtherProgram("after Fenlow closed");
  EXPECT_TRUE(probe::WaitUntil([&] { return other.Text1() == u"after Fenlow closed"; }));
}

// This test program copies as any Windows program does and clicks at once:
// the click comes while Fenlow still handles the copy, and is carried out
// right after it, on that copy, every time.
TEST_F(FenlowOnTheDesktop, AStartClickRightAfterACopyEditsThatCopy) {
  fenlow.Start();
  Choose(edits::options::kRemoveAllSpaces);
  const WindowHandle start = fenlow.Control(u"Button", kStartCaption);
  ClipboardText clipboard(platform->Clipboard());
  for (int round = 1; round <= 6; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const std::u16string digit(1, static_cast<char16_t>(u'0' + round));
    ASSERT_TRUE(clipboard.SetClipboardText(u"copy " + digit + u" with spaces"));
    fenlow.Click(start);
    // Text1 first: reading the clipboard while the click is carried out
    // would hold it for a moment, and a click that meets a held clipboard is
    // told so instead of editing.
    const std::u16string edited = u"copy" + digit + u"withspaces";
    EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), edited)) << Shown(fenlow.Text1());
    EXPECT_TRUE(
        probe::WaitUntil([&] { return clipboard.TryGetClipboardText(format::kText) == edited; }));
  }
}

// A bulk edit that cannot run tells why in a message box. While it is open,
// Fenlow still follows the clipboard: a copy shows in Text1 and reaches the
// viewer after Fenlow in the chain.
TEST_F(FenlowOnTheDesktop, ACopyMadeWhileANoticeIsOpenIsShownAndPassedOn) {
  SecondViewer other(*platform);
  CopyInOtherProgram("abcdef");
  fenlow.Start();
  ASSERT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"abcdef"));
  Choose(edits::options::kRemoveFirstChars);

  fenlow.Click(fenlow.Control(u"Button", kStartCaption));
  WindowHandle dialog = 0;
  ASSERT_TRUE(probe::WaitUntil([&] {
    return (dialog = probe::FindChild(0, u"FenlowForm", u"Remove First x character(s)")) != 0;
  }));
  fenlow.SetText(probe::FindChild(dialog, u"Edit", u""), u"abc");
  probe::PostClick(probe::FindChild(dialog, u"Button", u"OK"));  // x is no number
  WindowHandle notice = 0;
  ASSERT_TRUE(
      probe::WaitUntil([&] { return (notice = probe::FindChild(0, u"#32770", u"Fenlow")) != 0; }));

  CopyInOtherProgram("copied while the notice is open");
  EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"copied while the notice is open"))
      << Shown(fenlow.Text1());
  EXPECT_TRUE(
      probe::WaitUntil([&] { return other.Text1() == u"copied while the notice is open"; }));

  probe::PostClick(probe::FindChild(notice, u"Button", u"OK"));
  EXPECT_TRUE(probe::WaitUntil([&] { return probe::FindChild(0, u"#32770", u"Fenlow") == 0; }));
}

// Undo from the window's system menu puts back the text and the HTML that
// another program had copied together, as a Windows program reads them.
TEST_F(FenlowOnTheDesktop, UndoFromTheSystemMenuPutsBackTheTextAndItsHtml) {
  fenlow.Start();
  Choose(edits::options::kRemoveAllSpaces);
  ClipboardText clipboard(platform->Clipboard());
  const std::vector<platform::ClipboardFormatData> copied = {
      platform::UnicodeTextFormat(u"a b c"), {0, u"HTML Format", "<p>a <b>b</b> c</p>"}};
  ASSERT_TRUE(clipboard.ReplaceWithFormats(copied));
  ASSERT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"a b c")) << Shown(fenlow.Text1());
  fenlow.Click(fenlow.Control(u"Button", kStartCaption));
  ASSERT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"abc")) << Shown(fenlow.Text1());
  ASSERT_EQ(PasteInOtherProgram(), "abc");

  probe::PostSystemCommand(fenlow.MainWindow(), kUndoCommand);

  std::optional<std::vector<platform::ClipboardFormatData>> formats;
  EXPECT_TRUE(probe::WaitUntil([&] {
    return clipboard.TryReadMemoryFormats(std::size_t{1} << 20, formats) && formats == copied;
  })) << (formats ? formats->size() : 0)
      << " formats";
  EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"a b c")) << Shown(fenlow.Text1());
}

// fenlow-cli.exe edits the clipboard in place, and a running Fenlow sees the
// result as any copy; without text, or while the clipboard stays held, it
// writes nothing and says so by its exit code.
TEST_F(FenlowOnTheDesktop, FenlowCliEditsTheClipboardInPlace) {
  const std::string program = FENLOW_CLI_HOST_PATH;
  const auto removeSpaces = [&] {
    return probe::RunHostShell("cd '" + program.substr(0, program.rfind('/')) +
                                   "' && wine ./fenlow-cli.exe apply "
                                   "'Remove all spaces in clipboard' --clipboard 2>&1",
                               {}, 60s);
  };
  CopyInOtherProgram("caf\xc3\xa9 a b");
  fenlow.Start();
  ASSERT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"caf\u00e9 a b"));

  probe::CommandResult edited = removeSpaces();
  EXPECT_EQ(edited.exitCode, 0) << edited.output;
  EXPECT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"caf\u00e9ab")) << Shown(fenlow.Text1());
  EXPECT_EQ(PasteInOtherProgram(),
            "caf\xc3\xa9"
            "ab");

  {
    const probe::ClipboardHeldElsewhere held;
    probe::CommandResult whileHeld = removeSpaces();
    EXPECT_EQ(whileHeld.exitCode, 3) << whileHeld.output;
  }
  EXPECT_EQ(PasteInOtherProgram(),
            "caf\xc3\xa9"
            "ab")
      << "nothing was written while held";

  platform::ClipboardPrimitives& clipboard = platform->Clipboard();
  ASSERT_TRUE(platform::RetryWhileHeld(
      clipboard, [&] { clipboard.Empty(); }, ClipboardText::kMaxAttempts,
      ClipboardText::kAttemptSpacing));
  probe::CommandResult noText = removeSpaces();
  EXPECT_EQ(noText.exitCode, 1) << noText.output;
  EXPECT_NE(noText.output.find("no text"), std::string::npos) << noText.output;
  EXPECT_FALSE(platform->Clipboard().HasFormat(format::kText));
}

}  // namespace
}  // namespace fenlow::e2e
