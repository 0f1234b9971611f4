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
// skipped and the next one runs. Whatever it throws: a failure of any other
// kind let through would end monitoring for good.
template <typename Step>
void IgnoringFailure(Step step) {
  try {
    step();
  } catch (...) {
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

// A replacement that failed gives no procedure back and leaves the window's
// own in place: nothing is saved, or unhooking would install a null one.
void ClipboardMonitor::HookWindow() {
  if (hooked_) return;
  hookedWindow_ = mainWindow_.MainWindowHandle();
  HookedMonitors()[hookedWindow_] = this;
  const platform::WindowProc previous =
      platform_.Messaging().ReplaceWindowProc(hookedWindow_, &ClipboardMonitor::ViewerWndProc);
  if (previous == nullptr) return;
  hooked_ = true;
  if (previous != &ClipboardMonitor::ViewerWndProc) state_.PrevWndProc = previous;
}

// Without a saved procedure there is none to put back; an unhook that failed
// leaves the window hooked.
void ClipboardMonitor::UnhookWindow() {
  if (state_.PrevWndProc == nullptr) return;
  if (platform_.Messaging().ReplaceWindowProc(mainWindow_.MainWindowHandle(),
                                              state_.PrevWndProc) == nullptr) {
    return;
  }
  hooked_ = false;
}

void ClipboardMonitor::JoinChain() {
  if (inChain_) return;
  struct Joining {
    bool& joining;
    ~Joining() { joining = false; }
  } joining{joining_ = true};
  // A refused join leaves the window out of the chain, as it was: the next
  // join tries again rather than taking it for a member.
  const std::optional<platform::WindowHandle> next =
      platform_.Messaging().SetClipboardViewer(mainWindow_.MainWindowHandle());
  if (!next) return;
  state_.NextViewerHwnd = *next;
  inChain_ = true;
}

// What ChangeClipboardChain returns is the chain's answer to its message,
// not whether the window left, so it tells nothing to act on.
void ClipboardMonitor::LeaveChain() {
  (void)platform_.Messaging().ChangeClipboardChain(mainWindow_.MainWindowHandle(),
                                                   state_.NextViewerHwnd);
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
    if (!keepingOut_) OnClipboardChange();
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
  // Unchanged since ClipText was read (a button pressed after the change that
  // showed it), the clipboard's text is ClipText: read again, a text of
  // megabytes would cost as much as the edit.
  if (state_.ClipTextSequence == sequenceAtChange_) {
    IgnoringFailure([&] { mainWindow_.SetText1(state_.ClipText); });
    return true;
  }
  // Read again by the timer, one attempt each time: the timer paces the
  // attempts, and the window stays free meanwhile.
  const int attempts = rereading_ ? 1 : platform::kMaxClipboardAttempts;
  std::optional<std::u16string> text;
  IgnoringFailure(
      [&] { text = clipboard_.TryGetClipboardText(platform::format::kText, attempts); });
  // An unreadable text is not an empty one: taking it as empty would blank
  // Text1 and let a requested edit overwrite the clipboard with an empty text.
  if (!text) return false;
  state_.ClipText = std::move(*text);
  state_.ClipTextSequence = sequenceAtChange_;
  IgnoringFailure([&] { mainWindow_.SetText1(state_.ClipText); });
  return true;
}

bool ClipboardMonitor::Idle() const {
  return changesInHand_ == 0 && !state_.IsBusy && !state_.IsWritingBack && state_.MonitorEnabled &&
         !keepingOut_;
}

void ClipboardMonitor::KeepOutTemporaryCopies() {
  keepingOut_ = true;
}

// The restore is the program's own write, shown as it was before; anything
// else on the clipboard now is a copy of the user's.
void ClipboardMonitor::TakeChangesAgain(std::optional<std::uint32_t> ownRestore) {
  keepingOut_ = false;
  if (ownRestore) {
    state_.AutomaticEdits.lastOwnWrite = *ownRestore;
    sequenceAtChange_ = *ownRestore;
  }
  if (clipboard_.SequenceNumber() != ownRestore) ReadAgainLater();
  requests_.MonitorIdleAgain();
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
  changeUnread_ = false;  // this change reads the clipboard as it is now
  sequenceAtChange_ = clipboard_.SequenceNumber();
  bool clipboardHeld = false;
  std::int16_t code = ContentKindCode(clipboardHeld);
  switch (code) {
    case content_kind::kText:
      if (!ReadClipboardText()) {
        ReadAgainLater();
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

// Another program may keep the clipboard open for longer than the reads'
// attempts last (a clipboard history reading every copy, a program that
// hangs): the change is then read again when the clipboard is free, so that
// Text1 does not stay behind the clipboard.
void ClipboardMonitor::ReadAgainLater() {
  changeUnread_ = true;
  if (readAgainPending_) return;  // one timer serves every unread change
  IgnoringFailure([&] {
    platform_.Forms().PostAfter(kReadAgainDelay,
                                [self = std::weak_ptr<ClipboardMonitor*>(self_)] {
                                  if (auto monitor = self.lock()) (*monitor)->ReadUnreadChange();
                                });
    readAgainPending_ = true;
  });
}

// A newer change has been handled on its own (each change reads the
// clipboard anew); a busy moment waits for the next turn. Told by the changes
// handled, not by the clipboard's sequence number: the system may count a
// format it adds to a copy as a change, with no notice of it.
void ClipboardMonitor::ReadUnreadChange() {
  readAgainPending_ = false;
  if (!changeUnread_ || !state_.MonitorEnabled) return;
  if (!Idle()) {
    ReadAgainLater();
    return;
  }
  struct Rereading {
    bool& rereading;
    ~Rereading() { rereading = false; }
  } rereading{rereading_ = true};
  OnClipboardChange();
}

void ClipboardMonitor::RequestAutomaticEdit() {
  state_.AutomaticEditRequested = state_.ApplyToEveryCopy && !joining_ &&
                                  !state_.BulkEditRequested && !state_.ManualSaveRequested &&
                                  !clipboard_.MarkedForExclusion();
}

void ClipboardMonitor::FinishHandling() {
  state_.IsBusy = false;
  CatchUpWithAnUnseenCopy();
  IgnoringFailure([&] { Yield(); });
  ShowNotices();
}

// The dispatcher leaves the chain for its work, after every change: a copy
// made meanwhile brings no notice, and the one a rejoin brings comes while
// busy and is dropped. The sequence number tells of it: neither the change
// just handled nor the program's own write, it is read as a change of its own.
void ClipboardMonitor::CatchUpWithAnUnseenCopy() {
  const std::uint32_t now = clipboard_.SequenceNumber();
  if (now != sequenceAtChange_ && now != state_.AutomaticEdits.lastOwnWrite) ReadAgainLater();
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
