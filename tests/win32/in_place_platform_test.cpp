// What "Paste edited" needs of the Win32 backend, on the real clipboard: the
// offered text is rendered only when a program asks for it, telling whose
// window had the clipboard open; the marks are there at once; another
// program's copy is a takeover and the program's own write after Withdraw is
// not. And the window in front as the keystrokes see it.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "clipboard/clipboard_text.h"
#include "platform/system_clipboard.h"
#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"
#include "tests/win32/host_clipboard.h"

namespace fenlow::tests {
namespace {

namespace probe = platform::win32::probe;
using platform::ClipboardFormatData;

const std::vector<ClipboardFormatData> kMarks = {
    {0, u"ExcludeClipboardContentFromMonitorProcessing", std::string(4, '\0')},
    {0, u"CanIncludeInClipboardHistory", std::string(4, '\0')}};

class ClipboardOfferOnWindows : public ::testing::Test {
 protected:
  void Offer(std::u16string text) {
    platform->Offer().Offer(kMarks, std::move(text), [this](std::uint32_t readerProcess) {
      readers.push_back(readerProcess);
    });
  }

  std::unique_ptr<platform::Platform> platform = platform::CreateWin32Platform();
  // Another window's reads, as another program's would be, but in this process.
  std::unique_ptr<platform::ClipboardPrimitives> reader = platform::CreateSystemClipboard();
  std::vector<std::uint32_t> readers;
};

TEST_F(ClipboardOfferOnWindows, TheTextIsRenderedOnceAskedForAndTheReadersProcessIsTold) {
  Offer(u"edited text");
  EXPECT_TRUE(reader->HasNamedFormat(kMarks[0].name));
  EXPECT_TRUE(reader->HasNamedFormat(kMarks[1].name));
  EXPECT_TRUE(reader->HasFormat(platform::format::kUnicodeText));
  EXPECT_TRUE(readers.empty()) << "rendered before anyone asked";

  std::optional<ClipboardFormatData> block;
  ASSERT_TRUE(ClipboardText(*reader).TryReadTextBlock(block));
  ASSERT_TRUE(block.has_value());
  EXPECT_EQ(platform::UnicodeTextOf({*block}), u"edited text");
  EXPECT_EQ(readers, std::vector<std::uint32_t>{probe::CurrentProcess()});
  EXPECT_FALSE(platform->Offer().TakenOver());
  platform->Offer().Withdraw();
}

TEST_F(ClipboardOfferOnWindows, AnotherProgramsCopyIsATakeoverAndAWriteAfterWithdrawIsNot) {
  Offer(u"edited text");
  CopyInOtherProgram("the user's copy");
  EXPECT_TRUE(probe::WaitUntil([&] { return platform->Offer().TakenOver(); }));

  Offer(u"edited again");
  platform->Offer().Withdraw();
  ASSERT_TRUE(ClipboardText(platform->Clipboard())
                  .ReplaceWithFormats({platform::UnicodeTextFormat(u"restored")}));
  probe::WaitUntil([] { return false; }, std::chrono::milliseconds(200));
  EXPECT_FALSE(platform->Offer().TakenOver());
  EXPECT_TRUE(readers.empty());
}

// Notepad runs as Fenlow does and is no terminal: keys may be sent to it.
TEST(DesktopInputOnWindows, NotepadInFrontTakesKeysAndAKeySentDownAndUpIsUpAgain) {
  std::unique_ptr<platform::Platform> platform = platform::CreateWin32Platform();
  probe::StartedProgram notepad(u"notepad.exe");
  const platform::WindowHandle window = notepad.WaitForWindow();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(probe::WaitUntil([&] { return platform->Input().Focused().window == window; }));
  platform::DesktopInput& input = platform->Input();
  EXPECT_NE(input.Focused().focus, 0u);
  EXPECT_EQ(input.ProcessOf(window), probe::ProcessOf(window));
  EXPECT_FALSE(input.RunsAboveUs(window));
  EXPECT_FALSE(input.IsTerminal(window));

  const std::vector<platform::KeyStroke> shift = {{platform::key::kShift, false},
                                                  {platform::key::kShift, true}};
  EXPECT_EQ(input.SendKeys(shift), shift.size());
  EXPECT_FALSE(input.IsKeyDown(platform::key::kShift));
  probe::PostClose(window);
}

}  // namespace
}  // namespace fenlow::tests
