// A text of megabytes in a real text box: it goes in whole and exactly, the
// window keeps answering other programs meanwhile, and a newer text set
// while it goes in wins.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"
#include "tests/win32/probe_form.h"

namespace fenlow::tests {
namespace {

using platform::WindowHandle;
namespace probe = platform::win32::probe;
using Clock = std::chrono::steady_clock;

constexpr platform::MessageId kNull = 0x0000, kGetSelection = 0x00B0, kSetSelection = 0x00B1,
                              kGetFirstVisibleLine = 0x00CE, kGetModify = 0x00B8, kCanUndo = 0x00C6,
                              kNewerText = 0x8001;  // WM_APP + 1

// Ordinary lines, one surrogate pair, and no line break at the end. (A line
// of hundreds of thousands of characters takes Wine's edit control minutes
// to lay out, with or without pieces.)
std::u16string LongText(std::size_t lines) {
  std::u16string text;
  for (std::size_t i = 0; i < lines; ++i) {
    text += u"line " + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) +
            u" of an ordinary length, as most clipboard texts have them\r\n";
    if (i == lines / 2) text += u"\U0001F600\r\n";
  }
  text += u"the end";
  return text;
}

class LongTextBox : public ::testing::Test {
 protected:
  ~LongTextBox() override {
    for (platform::Form* loaded : platform->Forms().LoadedForms()) loaded->Unload();
  }
  WindowHandle Edit() { return probe::FindChild(form->Handle(), u"Edit", u""); }
  platform::MessageResult Ask(platform::MessageId message, platform::WParam w = 0,
                              platform::LParam l = 0) {
    return platform->Messaging().SendMessage(Edit(), message, w, l);
  }

  std::unique_ptr<platform::Platform> platform = platform::CreateWin32Platform();
  std::unique_ptr<platform::Form> form = platform->Forms().CreateForm(ProbeFormSpec());
  platform::Control& text1 = form->Find(probe_form::kText1);
};

TEST_F(LongTextBox, GoesInWholeAndShowsItsStartAsAShortTextDoes) {
  const std::u16string text = LongText(30'000);
  text1.SetText(text);

  EXPECT_TRUE(text1.Text() == text)
      << "read back " << text1.Text().size() << " of " << text.size() << " code units";
  EXPECT_EQ(Ask(kGetSelection), 0) << "the caret is at the start";
  EXPECT_EQ(Ask(kGetFirstVisibleLine), 0);
  EXPECT_EQ(Ask(kGetModify), 0);
  EXPECT_EQ(Ask(kCanUndo), 0) << "setting a text is not an edit to undo";
}

TEST_F(LongTextBox, TheSameTextAgainLeavesTheReaderWhereTheyAre) {
  const std::u16string text = LongText(2'000);
  text1.SetText(text);
  Ask(kSetSelection, 5000, 5000);
  text1.SetText(text);
  EXPECT_EQ(Ask(kGetSelection), (5000 << 16) | 5000);
  text1.SetText(u"short");
  EXPECT_EQ(text1.Text(), u"short");
}

TEST_F(LongTextBox, MessagesFromOtherThreadsAreAnsweredWhileItGoesIn) {
  std::atomic<bool> done{false}, finished{false};
  std::mutex mutex;
  std::vector<Clock::time_point> answers;
  const WindowHandle window = form->Handle();
  std::thread other([&] {
    while (!done) {
      if (platform->Messaging().SendMessageTimeout(window, kNull, 0, 0, std::chrono::seconds(30))) {
        const std::lock_guard<std::mutex> lock(mutex);
        answers.push_back(Clock::now());
      }
    }
    finished = true;
  });
  ASSERT_TRUE(probe::WaitUntil([&] {
    const std::lock_guard<std::mutex> lock(mutex);
    return !answers.empty();
  }));

  const auto started = Clock::now();
  text1.SetText(LongText(60'000));
  const auto ended = Clock::now();
  done = true;
  EXPECT_TRUE(probe::WaitUntil([&] { return finished.load(); }));  // its last question is answered
  other.join();

  int answeredMeanwhile = 0;
  for (auto at : answers) answeredMeanwhile += at > started && at < ended;
  EXPECT_GT(answeredMeanwhile, 0);
}

// The newer text comes from a message sent while the long one goes in, as a
// clipboard notification from another program would bring it.
platform::Control* boxToSet = nullptr;
platform::WindowProc formProc = nullptr;
platform::WindowMessaging* messaging = nullptr;
int newerTextsSet = 0;

platform::MessageResult FENLOW_WINDOW_PROC_CALL SetsNewerText(WindowHandle window,
                                                              platform::MessageId message,
                                                              platform::WParam w,
                                                              platform::LParam l) {
  if (message != kNewerText) return messaging->CallWindowProc(formProc, window, message, w, l);
  boxToSet->SetText(u"the newer text");
  ++newerTextsSet;
  return 1;
}

TEST_F(LongTextBox, ANewerTextSetWhileItGoesInWins) {
  boxToSet = &text1;
  messaging = &platform->Messaging();
  newerTextsSet = 0;
  formProc = messaging->ReplaceWindowProc(form->Handle(), &SetsNewerText);
  auto sent = probe::SendFromAnotherThread(form->Handle(), kNewerText);
  while (!probe::SentMessageWaiting()) std::this_thread::sleep_for(std::chrono::milliseconds(1));

  text1.SetText(LongText(30'000));

  EXPECT_EQ(newerTextsSet, 1) << "answered while the long text went in";
  EXPECT_EQ(text1.Text(), u"the newer text");
  ASSERT_TRUE(probe::WaitUntil(
      [&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
  EXPECT_EQ(sent.get(), 1);
  messaging->ReplaceWindowProc(form->Handle(), formProc);
}

}  // namespace
}  // namespace fenlow::tests
