#include "clipboard/clipboard_monitor.h"

#include <exception>
#include <map>
#include <optional>
#include <string_view>

namespace fenlow {

namespace {

// ViewerWndProc is a plain window procedure, so it finds its monitor by the
// window it was installed on.
std::map<platform::WindowHandle, ClipboardMonitor*>& HookedMonitors() {
  static std::map<platform::WindowHandle, ClipboardMonitor*> monitors;
  return monitors;
}

// Runs one step of a procedure whose failures are ignored: a failing step is
// skipped and the next one runs.
template <typename Step>
void IgnoringFailure(Step step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

constexpr std::u16string_view kClipboardHeldMessage =
    u"The clipboard could not be read: another program keeps it open.\r\n"
    u"Nothing was changed. Press the button again once the other program lets the "
    u"clipboard go.";

}  // namespace

ClipboardMonitor::ClipboardMonitor(platform::Platform& platform, ProgramState& state,
                                   MainWindowAccess& mainWindow)
    : platform_(platform),
      state_(state),
      mainWindow_(mainWindow),
      clipboard_(platform.Clipboard()) {}

ClipboardMonitor::~ClipboardMonitor() {
  auto& monitors = HookedMonitors();
  for (auto entry = monitors.begin(); entry != monitors.end();) {
    entry = entry->second == this ? monitors.erase(entry) : std::next(entry);
  }
}

void ClipboardMonitor::HookWindow() {
  if (hooked_) return;
  hookedWindow_ = mainWindow_.MainWindowHandle();
  HookedMonitors()[hookedWindow_] = this;
  state_.PrevWndProc =
      platform_.Messaging().ReplaceWindowProc(hookedWindow_, &ClipboardMonitor::ViewerWndProc);
  hooked_ = true;
}

void ClipboardMonitor::UnhookWindow() {
  platform_.Messaging().ReplaceWindowProc(mainWindow_.MainWindowHandle(), state_.PrevWndProc);
  hooked_ = false;
}

void ClipboardMonitor::JoinChain() {
  if (inChain_) return;
  state_.NextViewerHwnd = platform_.Messaging().SetClipboardViewer(mainWindow_.MainWindowHandle());
  inChain_ = true;
}

void ClipboardMonitor::LeaveChain() {
  platform_.Messaging().ChangeClipboardChain(mainWindow_.MainWindowHandle(), state_.NextViewerHwnd);
  inChain_ = false;
}

void ClipboardMonitor::Yield() {
  platform_.Messaging().Yield();
}

platform::MessageResult FENLOW_WINDOW_PROC_CALL
ClipboardMonitor::ViewerWndProc(platform::WindowHandle hWnd, platform::MessageId uMsg,
                                platform::WParam wParam, platform::LParam lParam) {
  auto& monitors = HookedMonitors();
  auto found = monitors.find(hWnd);
  if (found == monitors.end()) return 0;
  try {
    return found->second->HandleMessage(hWnd, uMsg, wParam, lParam);
  } catch (...) {
    return 0;  // nothing may unwind into the system's message dispatch
  }
}

platform::MessageResult ClipboardMonitor::HandleMessage(platform::WindowHandle hWnd,
                                                        platform::MessageId uMsg,
                                                        platform::WParam wParam,
                                                        platform::LParam lParam) {
  platform::MessageResult result =
      platform_.Messaging().CallWindowProc(state_.PrevWndProc, hWnd, uMsg, wParam, lParam);
  if (IsPassingOn(uMsg)) return result;  // it came round a chain that loops back to us
  if (uMsg == platform::kChangeClipboardChainMessage) {
    if (static_cast<platform::WindowHandle>(wParam) == state_.NextViewerHwnd)
      state_.NextViewerHwnd = static_cast<platform::WindowHandle>(lParam);
    PassOn(hWnd, uMsg, wParam, lParam);
  } else if (uMsg == platform::kDrawClipboardMessage && !state_.IsBusy && state_.MonitorEnabled) {
    OnClipboardChange();
    PassOn(hWnd, uMsg, wParam, lParam);  // NextViewerHwnd may have changed meanwhile
  }
  return result;
}

// Passing a message on must neither freeze on a hung viewer nor loop: a
// chain that leads back to our own window would recurse without end.
void ClipboardMonitor::PassOn(platform::WindowHandle hWnd, platform::MessageId uMsg,
                              platform::WParam wParam, platform::LParam lParam) {
  if (state_.NextViewerHwnd == hWnd) return;
  bool& passing =
      uMsg == platform::kDrawClipboardMessage ? passingOnUpdate_ : passingOnChainChange_;
  // Lowered however the send ends: left raised, every later message of
  // this kind would be taken for one that came round the chain.
  struct Lower {
    bool& flag;
    ~Lower() { flag = false; }
  } lower{passing};
  passing = true;
  (void)platform_.Messaging().SendMessageTimeout(state_.NextViewerHwnd, uMsg, wParam, lParam,
                                                 kPassOnTimeout);
}

bool ClipboardMonitor::IsPassingOn(platform::MessageId uMsg) const {
  return (uMsg == platform::kDrawClipboardMessage && passingOnUpdate_) ||
         (uMsg == platform::kChangeClipboardChainMessage && passingOnChainChange_);
}

std::int16_t ClipboardMonitor::ContentKindCode(bool& clipboardHeld) {
  std::int16_t code = 0;
  clipboardHeld = false;
  const std::pair<std::int32_t, std::int16_t> tests[] = {
      {platform::format::kText, content_kind::kText},
      {platform::format::kBitmap, content_kind::kBitmap},
      {platform::format::kDib, content_kind::kDib},
      {platform::format::kRichText, content_kind::kRichText},
  };
  for (auto [format, bit] : tests) {
    IgnoringFailure([&] {
      if (clipboard_.GetClipboardKind() == format) code = static_cast<std::int16_t>(code + bit);
      if (clipboard_.LastKindQueryFailed()) clipboardHeld = true;
    });
  }
  return code;
}

bool ClipboardMonitor::ReadClipboardText() {
  if (state_.ManualSaveRequested) return true;  // the save step stores Text1 as the user left it
  std::optional<std::u16string> text;
  IgnoringFailure([&] { text = clipboard_.TryGetClipboardText(platform::format::kText); });
  // An unreadable text is not an empty one: taking it as empty would blank
  // Text1 and let a requested edit overwrite the clipboard with an empty text.
  if (!text) return false;
  state_.ClipText = std::move(*text);
  IgnoringFailure([&] { mainWindow_.SetText1(state_.ClipText); });
  return true;
}

void ClipboardMonitor::OnClipboardChange() {
  if (state_.IsWritingBack) return;
  state_.IsBusy = true;
  bool clipboardHeld = false;
  std::int16_t code = ContentKindCode(clipboardHeld);
  switch (code) {
    case content_kind::kText:
      if (ReadClipboardText()) break;
      EndWithoutActing(true);  // the text stayed unreadable
      return;
    case content_kind::kBitmap:
    case content_kind::kDib:
    case content_kind::kBitmap + content_kind::kDib:
    case content_kind::kRichText:
    case content_kind::kRichText + content_kind::kText:
      break;
    default:  // nothing this program acts on
      EndWithoutActing(clipboardHeld);
      return;
  }
  if (bulkEditStep_ != nullptr) IgnoringFailure([&] { bulkEditStep_->ApplyBulkEdit(); });
  state_.IsBusy = false;
  IgnoringFailure([&] { Yield(); });
}

// A button's request that meets a clipboard held by another program is told:
// otherwise the press would seem to do nothing at all.
void ClipboardMonitor::EndWithoutActing(bool clipboardHeld) {
  state_.IsBusy = false;
  if (!clipboardHeld || !(state_.BulkEditRequested || state_.ManualSaveRequested)) return;
  IgnoringFailure([&] {
    platform_.Forms().ShowMessage(kClipboardHeldMessage, platform::kMessageBoxPlain, std::nullopt);
  });
}

}  // namespace fenlow
