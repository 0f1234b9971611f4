#include "clipboard/clipboard_monitor.h"

#include <algorithm>
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
      clipboard_(platform.Clipboard()),
      requests_(platform.Forms(), [this] { return Idle(); }) {}

// Nothing may escape a destructor: each step is tried on its own.
ClipboardMonitor::~ClipboardMonitor() {
  if (inChain_) {
    try {
      LeaveChain();
    } catch (...) {
    }
  }
  if (hooked_) {
    try {
      UnhookWindow();
    } catch (...) {
    }
  }
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
  struct Joining {
    bool& joining;
    ~Joining() { joining = false; }
  } joining{joining_ = true};
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
  if (uMsg == platform::kChangeClipboardChainMessage) {
    OnChainChange(hWnd, wParam, lParam);
  } else if (uMsg == platform::kDrawClipboardMessage) {
    OnUpdate(hWnd, wParam, lParam);
  }
  return result;
}

// Only the very message being passed on is stopped, when it comes round a
// chain that loops back to us: any other one is news of another viewer
// leaving, which the viewers after us must hear too.
void ClipboardMonitor::OnChainChange(platform::WindowHandle hWnd, platform::WParam wParam,
                                     platform::LParam lParam) {
  if (IsBeingPassedOn(platform::kChangeClipboardChainMessage, wParam, lParam)) return;
  if (static_cast<platform::WindowHandle>(wParam) == state_.NextViewerHwnd)
    state_.NextViewerHwnd = static_cast<platform::WindowHandle>(lParam);
  PassOn(hWnd, platform::kChangeClipboardChainMessage, wParam, lParam);
}

// An update that comes while ours is passed on is ours come back round a
// looping chain when the clipboard has not changed since, and is dropped;
// otherwise it is a new change, handled once the pass-on has returned.
void ClipboardMonitor::OnUpdate(platform::WindowHandle hWnd, platform::WParam wParam,
                                platform::LParam lParam) {
  if (const PassingOn* passing = UpdateBeingPassedOn()) {
    if (clipboard_.SequenceNumber() != passing->sequence) changeDuringPassOn_ = {wParam, lParam};
    return;
  }
  for (;;) {
    if (state_.IsBusy || !state_.MonitorEnabled) return;
    OnClipboardChange();
    PassOn(hWnd, platform::kDrawClipboardMessage, wParam, lParam);  // NextViewerHwnd may be new
    if (!changeDuringPassOn_) return;
    std::tie(wParam, lParam) = *std::exchange(changeDuringPassOn_, std::nullopt);
  }
}

// Passing a message on must neither freeze on a hung viewer nor loop: a
// chain that leads back to our own window would recurse without end.
void ClipboardMonitor::PassOn(platform::WindowHandle hWnd, platform::MessageId uMsg,
                              platform::WParam wParam, platform::LParam lParam) {
  if (state_.NextViewerHwnd == hWnd) return;
  PassingOn passing{uMsg, wParam, lParam, 0};
  if (uMsg == platform::kDrawClipboardMessage) passing.sequence = clipboard_.SequenceNumber();
  passingOn_.push_back(passing);
  // Taken off however the send ends: left there, later messages like it
  // would be taken for ones that came round the chain.
  struct TakeOff {
    std::vector<PassingOn>& list;
    ~TakeOff() { list.pop_back(); }
  } takeOff{passingOn_};
  (void)platform_.Messaging().SendMessageTimeout(state_.NextViewerHwnd, uMsg, wParam, lParam,
                                                 kPassOnTimeout);
}

const ClipboardMonitor::PassingOn* ClipboardMonitor::UpdateBeingPassedOn() const {
  auto found = std::find_if(passingOn_.rbegin(), passingOn_.rend(), [](const PassingOn& passing) {
    return passing.message == platform::kDrawClipboardMessage;
  });
  return found == passingOn_.rend() ? nullptr : &*found;
}

bool ClipboardMonitor::IsBeingPassedOn(platform::MessageId uMsg, platform::WParam wParam,
                                       platform::LParam lParam) const {
  return std::any_of(passingOn_.begin(), passingOn_.end(), [&](const PassingOn& passing) {
    return passing.message == uMsg && passing.wParam == wParam && passing.lParam == lParam;
  });
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

bool ClipboardMonitor::Idle() const {
  return changesInHand_ == 0 && !state_.IsBusy && !state_.IsWritingBack && state_.MonitorEnabled;
}

template <typename Handle>
void ClipboardMonitor::InHand(Handle handle) {
  struct Counted {
    ClipboardMonitor& monitor;
    ~Counted() {
      if (--monitor.changesInHand_ == 0) monitor.requests_.MonitorIdleAgain();
    }
  } counted{*this};
  ++changesInHand_;
  handle();
}

void ClipboardMonitor::OnClipboardChange() {
  if (state_.IsWritingBack) return;
  InHand([this] { HandleChange(); });
}

void ClipboardMonitor::UndoLastWrite() {
  if (state_.IsWritingBack || bulkEditStep_ == nullptr) return;
  InHand([this] {
    state_.IsBusy = true;
    IgnoringFailure([&] { bulkEditStep_->UndoLastWrite(); });
    FinishHandling();
  });
}

void ClipboardMonitor::HandleChange() {
  state_.IsBusy = true;
  sequenceAtChange_ = clipboard_.SequenceNumber();
  bool clipboardHeld = false;
  std::int16_t code = ContentKindCode(clipboardHeld);
  switch (code) {
    case content_kind::kText:
      if (!ReadClipboardText()) {
        EndWithoutActing(true);  // the text stayed unreadable
        return;
      }
      RequestAutomaticEdit();
      break;
    case content_kind::kBitmap:
    case content_kind::kDib:
    case content_kind::kRichText:
    // These two sums arise only when the clipboard changes between the four
    // queries (another program copying meanwhile); they go on all the same.
    case content_kind::kBitmap + content_kind::kDib:
    case content_kind::kRichText + content_kind::kText:
      break;
    default:  // nothing this program acts on
      EndWithoutActing(clipboardHeld);
      return;
  }
  if (bulkEditStep_ != nullptr) IgnoringFailure([&] { bulkEditStep_->ApplyBulkEdit(); });
  state_.AutomaticEditRequested = false;
  FinishHandling();
}

void ClipboardMonitor::RequestAutomaticEdit() {
  state_.AutomaticEditRequested = state_.ApplyToEveryCopy && !joining_ &&
                                  !state_.BulkEditRequested && !state_.ManualSaveRequested &&
                                  !clipboard_.MarkedForExclusion();
}

void ClipboardMonitor::FinishHandling() {
  state_.IsBusy = false;
  IgnoringFailure([&] { Yield(); });
  ShowNotices();
}

void ClipboardMonitor::TellAfterChange(std::u16string message) {
  notices_.push_back(std::move(message));
}

// Shown with monitoring fully back: copies made while a notice is open show
// in Text1 and reach the viewers after us.
void ClipboardMonitor::ShowNotices() {
  for (const std::u16string& notice : std::exchange(notices_, {})) {
    IgnoringFailure(
        [&] { platform_.Forms().ShowMessage(notice, platform::kMessageBoxPlain, std::nullopt); });
  }
}

// A button's request that meets a clipboard held by another program is told:
// otherwise the press would seem to do nothing at all.
void ClipboardMonitor::EndWithoutActing(bool clipboardHeld) {
  state_.IsBusy = false;
  if (clipboardHeld && (state_.BulkEditRequested || state_.ManualSaveRequested))
    TellAfterChange(std::u16string(kClipboardHeldMessage));
  ShowNotices();
}

}  // namespace fenlow
