// A 20 MB clipboard text through the real fenlow.exe: it shows up in Text1,
// a bulk edit on it reaches the clipboard, and the window answers messages
// all the while. The lines have an ordinary length: the edit control lays
// out each line as a whole, and one unbroken line of megabytes is slow in any
// edit control, whatever the program around it does.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"
#include "tests/e2e/fenlow_driver.h"
#include "tests/win32/host_clipboard.h"

namespace fenlow::e2e {
namespace {

namespace probe = platform::win32::probe;
using tests::CopyInOtherProgram;
using tests::PasteInOtherProgram;

constexpr std::size_t kLineLength = 80;  // with its line break
constexpr std::size_t kLines = 20 * 1024 * 1024 / kLineLength;

// 20 MB as another program copies it on the X side: LF line breaks.
std::string HugeText() {
  std::string text;
  text.reserve(kLines * kLineLength);
  for (std::size_t i = 0; i < kLines; ++i) {
    std::string line = std::to_string(i) + " the quick brown fox jumps over the lazy dog";
    line.resize(kLineLength - 1, ' ');
    text += line;
    text += '\n';
  }
  return text;
}

std::string WithoutSpaces(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
  return text;
}

// Fenlow sees CR LF where the X side has LF.
std::u16string AsWindowsText(const std::string& xText) {
  std::u16string text;
  text.reserve(xText.size() + xText.size() / kLineLength);
  for (char c : xText) {
    if (c == '\n') text += u'\r';
    text += static_cast<char16_t>(c);
  }
  return text;
}

// Asks the main window for an answer over and over from a thread of its own,
// so that a window that stops taking messages is noticed while the test
// waits for something else.
class ResponsivenessWatch {
 public:
  explicit ResponsivenessWatch(FenlowDriver& fenlow)
      : thread_([this, &fenlow] {
          while (!stop_) {
            if (!fenlow.Responds(std::chrono::seconds(10))) ++unanswered_;
            ++asked_;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
          }
        }) {}
  ~ResponsivenessWatch() { Stop(); }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  int Asked() const { return asked_; }
  int Unanswered() const { return unanswered_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<int> asked_{0}, unanswered_{0};
  std::thread thread_;
};

TEST(HugeTextOnTheDesktop, TwentyMegabytesAreShownAndBulkEditedWhileTheWindowAnswers) {
  auto platform = platform::CreateWin32Platform();
  FenlowDriver fenlow{platform->Messaging()};
  CopyInOtherProgram("small");
  fenlow.Start();
  const std::u16string option = u"Remove all spaces in clipboard";
  fenlow.Pick(option);
  ASSERT_TRUE(fenlow.WaitForText(fenlow.Combo1(), option));
  ASSERT_TRUE(fenlow.WaitForText(fenlow.Text1(), u"small"));

  const std::string huge = HugeText();
  const std::string edited = WithoutSpaces(huge);
  const std::u16string hugeShown = AsWindowsText(huge), editedShown = AsWindowsText(edited);
  ResponsivenessWatch watch(fenlow);

  CopyInOtherProgram(huge);
  const auto copied = std::chrono::steady_clock::now();
  ASSERT_TRUE(probe::WaitUntil(
      [&] { return fenlow.TextLengthOf(fenlow.Text1()) == hugeShown.size(); }, 180s));
  const auto shown = std::chrono::steady_clock::now();
  EXPECT_TRUE(fenlow.TextOf(fenlow.Text1()) == hugeShown);

  fenlow.Click(fenlow.Control(u"Button", u"Start Applying Bulk Edits"));
  EXPECT_TRUE(probe::WaitUntil(
      [&] { return fenlow.TextLengthOf(fenlow.Text1()) == editedShown.size(); }, 120s));
  const auto editShown = std::chrono::steady_clock::now();
  EXPECT_TRUE(fenlow.TextOf(fenlow.Text1()) == editedShown);
  EXPECT_TRUE(PasteInOtherProgram() == edited);
  watch.Stop();
  auto seconds = [](auto duration) { return std::chrono::duration<double>(duration).count(); };
  std::printf(
      "[ figures  ] shown in Text1 %.1f s after the copy, edited %.1f s after that; "
      "%d questions to the window\n",
      seconds(shown - copied), seconds(editShown - shown), watch.Asked());

  EXPECT_GT(watch.Asked(), 0);
  EXPECT_EQ(watch.Unanswered(), 0) << "of " << watch.Asked() << " questions";
  EXPECT_TRUE(fenlow.CloseAndWaitForExit());
  // The next test's Fenlow would start by reading 20 MB.
  CopyInOtherProgram("small");
}

}  // namespace
}  // namespace fenlow::e2e
