// The viewer chain, window-procedure replacement and messages on real windows.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"
#include "tests/win32/host_clipboard.h"
#include "tests/win32/probe_form.h"

namespace fenlow::tests {
namespace {

using platform::LParam;
using platform::MessageId;
using platform::MessageResult;
using platform::WindowHandle;
using platform::WindowProc;
using platform::WParam;
namespace probe = platform::win32::probe;

constexpr MessageId kSetText = 0x000C;
constexpr MessageId kGetTextLength = 0x000E;

struct Seen {
  WindowHandle window;
  MessageId message;
  WParam wParam;
  LParam lParam;
};

// What the recording procedures saw, and what they pass messages on to.
struct Recorder {
  std::vector<Seen> seen;
  platform::WindowMessaging* messaging = nullptr;
  WindowHandle first = 0, second = 0;
  WindowProc firstOriginal = nullptr, secondOriginal = nullptr;
  WindowHandle firstNext = 0;  // the viewer after `first`, kept up to date as a viewer must
} recorder;

bool IsChainMessage(MessageId message) {
  return message == platform::kDrawClipboardMessage ||
         message == platform::kChangeClipboardChainMessage;
}

MessageResult FENLOW_WINDOW_PROC_CALL RecordSecond(WindowHandle window, MessageId message,
                                                   WParam wParam, LParam lParam) {
  if (IsChainMessage(message) || message == kSetText) {
    recorder.seen.push_back({window, message, wParam, lParam});
  }
  return recorder.messaging->CallWindowProc(recorder.secondOriginal, window, message, wParam,
                                            lParam);
}

// The head of the chain: records and passes chain messages on, as a viewer must.
MessageResult FENLOW_WINDOW_PROC_CALL RecordFirstAndPassOn(WindowHandle window, MessageId message,
                                                           WParam wParam, LParam lParam) {
  const MessageResult result =
      recorder.messaging->CallWindowProc(recorder.firstOriginal, window, message, wParam, lParam);
  if (!IsChainMessage(message)) return result;
  recorder.seen.push_back({window, message, wParam, lParam});
  if (message == platform::kChangeClipboardChainMessage &&
      static_cast<WindowHandle>(wParam) == recorder.firstNext) {
    recorder.firstNext = static_cast<WindowHandle>(lParam);
  }
  recorder.messaging->SendMessage(recorder.firstNext, message, wParam, lParam);
  return result;
}

class RealMessaging : public ::testing::Test {
 protected:
  RealMessaging() {
    recorder = Recorder{};
    recorder.messaging = &messaging;
    recorder.first = first->Handle();
    recorder.second = second->Handle();
  }
  ~RealMessaging() override {
    // Leave the chain and restore the procedures whatever the test did.
    if (inChainFirst) messaging.ChangeClipboardChain(recorder.first, recorder.firstNext);
    if (inChainSecond) messaging.ChangeClipboardChain(recorder.second, secondNext);
    if (recorder.firstOriginal) messaging.ReplaceWindowProc(recorder.first, recorder.firstOriginal);
    if (recorder.secondOriginal) {
      messaging.ReplaceWindowProc(recorder.second, recorder.secondOriginal);
    }
  }

  std::size_t Count(WindowHandle window, MessageId message) const {
    std::size_t count = 0;
    for (const Seen& seen : recorder.seen)
      count += seen.window == window && seen.message == message;
    return count;
  }

  std::unique_ptr<platform::Platform> platform = platform::CreateWin32Platform();
  platform::WindowMessaging& messaging = platform->Messaging();
  std::unique_ptr<platform::Form> first = platform->Forms().CreateForm(ProbeFormSpec("First"));
  std::unique_ptr<platform::Form> second = platform->Forms().CreateForm(ProbeFormSpec("Second"));
  bool inChainFirst = false, inChainSecond = false;
  WindowHandle secondNext = 0;
};

TEST_F(RealMessaging, ViewerChainDeliversChangesToEveryViewerAndLeavingIsAnnounced) {
  recorder.secondOriginal = messaging.ReplaceWindowProc(recorder.second, RecordSecond);
  ASSERT_NE(recorder.secondOriginal, nullptr);
  EXPECT_EQ(messaging.SetClipboardViewer(0xDEAD0), std::nullopt) << "no window: refused";
  secondNext = messaging.SetClipboardViewer(recorder.second).value();
  inChainSecond = true;
  EXPECT_EQ(Count(recorder.second, platform::kDrawClipboardMessage), 1u)
      << "joining sends WM_DRAWCLIPBOARD before SetClipboardViewer returns";

  recorder.firstOriginal = messaging.ReplaceWindowProc(recorder.first, RecordFirstAndPassOn);
  recorder.firstNext = messaging.SetClipboardViewer(recorder.first).value();
  inChainFirst = true;
  EXPECT_EQ(recorder.firstNext, recorder.second) << "the earlier viewer follows the new head";

  recorder.seen.clear();
  CopyInOtherProgram("chain test");
  EXPECT_TRUE(probe::WaitUntil([&] {
    return Count(recorder.first, platform::kDrawClipboardMessage) >= 1 &&
           Count(recorder.second, platform::kDrawClipboardMessage) >= 1;
  })) << "a change made by another program reaches the head and, passed on, the next viewer";

  recorder.seen.clear();
  EXPECT_TRUE(messaging.ChangeClipboardChain(recorder.second, secondNext));
  inChainSecond = false;
  ASSERT_EQ(Count(recorder.first, platform::kChangeClipboardChainMessage), 1u);
  const Seen& announced = recorder.seen.front();
  EXPECT_EQ(announced.wParam, recorder.second) << "names the window that leaves";
  EXPECT_EQ(static_cast<WindowHandle>(announced.lParam), secondNext) << "and its successor";
  EXPECT_EQ(recorder.firstNext, secondNext);
}

TEST_F(RealMessaging, ReplacedProcedureSeesMessagesAndTheOriginalStillDoesItsWork) {
  recorder.secondOriginal = messaging.ReplaceWindowProc(recorder.second, RecordSecond);
  second->SetCaption(u"hooked caption");
  EXPECT_EQ(Count(recorder.second, kSetText), 1u);
  EXPECT_EQ(second->Caption(), u"hooked caption");
  EXPECT_EQ(messaging.SendMessage(recorder.second, kGetTextLength, 0, 0), 14)
      << "the result is the original procedure's";

  bool clicked = false;
  second->On(probe_form::kPushButton1, platform::ControlEvent::Click, [&] { clicked = true; });
  probe::PostClick(probe::FindChild(recorder.second, u"Button", u"OK"));
  EXPECT_TRUE(probe::WaitUntil([&] { return clicked; })) << "events work while hooked";

  EXPECT_EQ(messaging.ReplaceWindowProc(recorder.second, recorder.secondOriginal), RecordSecond);
  recorder.secondOriginal = nullptr;
  second->SetCaption(u"unhooked");
  EXPECT_EQ(Count(recorder.second, kSetText), 1u);
}

TEST_F(RealMessaging, SendsToMissingWindowsFailQuietly) {
  EXPECT_EQ(messaging.SendMessage(0, platform::kDrawClipboardMessage, 0, 0), 0);
  EXPECT_EQ(messaging.SendMessageTimeout(recorder.first, kGetTextLength, 0, 0,
                                         std::chrono::milliseconds(500)),
            std::optional<MessageResult>(12));
  EXPECT_EQ(
      messaging.SendMessageTimeout(0x7654321, kGetTextLength, 0, 0, std::chrono::milliseconds(500)),
      std::nullopt);
  EXPECT_EQ(messaging.ReplaceWindowProc(0x7654321, RecordSecond), nullptr);
}

}  // namespace
}  // namespace fenlow::tests
