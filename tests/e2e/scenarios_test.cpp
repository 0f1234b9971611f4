// The real fenlow.exe on the Wine desktop, with xclip as the other program.
#include <gtest/gtest.h>

#include "app/form1_layout.h"
#include "clipboard/clipboard_monitor.h"
#include "edits/engine/utf.h"
#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"
#include "tests/e2e/fenlow_driver.h"
#include "tests/win32/host_clipboard.h"

namespace fenlow::e2e {
namespace {

namespace probe = platform::win32::probe;
using tests::CopyInOtherProgram;
using tests::PasteInOtherProgram;

class FenlowOnTheDesktop : public ::testing::Test {
 protected:
  std::string Shown(platform::WindowHandle window) {
    return "shown: \"" + edits::Utf16ToUtf8(fenlow.TextOf(window)) + "\"";
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

// The text is copied before the start: a click that arrived while Fenlow
// still handles a fresh copy (its write-back step runs for a moment after
// Text1 shows the text) would rightly be dropped.
TEST_F(FenlowOnTheDesktop, StartButtonRemovesAllSpacesFromTheClipboardText) {
  CopyInOtherProgram("a b  c d");
  fenlow.Start();
  fenlow.Pick(u"Remove all spaces in clipboard");
  ASSERT_TRUE(fenlow.WaitForText(fenlow.Combo1(), u"Remove all spaces in clipboard"));
  ASSERT_EQ(fenlow.TextOf(fenlow.Text1()), u"a b  c d");

  fenlow.Click(fenlow.Control(u"Button", u"Start Applying Bulk Edits"));

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
  void SetText1(std::u16string_view text) override { seen_ = text; }
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

}  // namespace
}  // namespace fenlow::e2e
