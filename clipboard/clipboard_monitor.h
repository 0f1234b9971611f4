// Follows every change of the system clipboard: the main window joins the
// clipboard-viewer chain and its window procedure is replaced by
// ViewerWndProc, which hands each message to the window's own procedure first
// and then acts on the two chain messages. OnClipboardChange decides from the
// clipboard's content whether to refresh Text1 and whether to run the
// bulk-edit dispatcher, the only place that writes to the clipboard.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "clipboard/clipboard_text.h"
#include "clipboard/main_window_access.h"
#include "clipboard/program_state.h"
#include "clipboard/request_queue.h"
#include "platform/platform.h"

namespace fenlow {

// The step that OnClipboardChange hands over to: the bulk-edit dispatcher.
class BulkEditStep {
 public:
  virtual ~BulkEditStep() = default;
  virtual void ApplyBulkEdit() = 0;
  // Puts back what the clipboard held before the program's last write.
  virtual void UndoLastWrite() = 0;
};

// Content-kind code bits, one per format that OnClipboardChange asks about.
namespace content_kind {
constexpr std::int16_t kText = 1;
constexpr std::int16_t kBitmap = 2;
constexpr std::int16_t kDib = 4;
constexpr std::int16_t kRichText = 8;
}  // namespace content_kind

class ClipboardMonitor {
 public:
  ClipboardMonitor(platform::Platform& platform, ProgramState& state, MainWindowAccess& mainWindow);
  // Still joined or hooked (a failure ended the program before its
  // shutdown), the window leaves the chain and gets its own procedure back,
  // so that the other viewers go on hearing of changes.
  ~ClipboardMonitor();
  ClipboardMonitor(const ClipboardMonitor&) = delete;
  ClipboardMonitor& operator=(const ClipboardMonitor&) = delete;

  void SetBulkEditStep(BulkEditStep& step) { bulkEditStep_ = &step; }

  // PrevWndProc = the procedure replaced by ViewerWndProc. Does nothing while
  // the window is still hooked (an unhook that failed): hooking twice would
  // make ViewerWndProc its own previous procedure and recurse without end.
  void HookWindow();
  // Puts PrevWndProc back; PrevWndProc keeps its value.
  void UnhookWindow();

  // The chain's join and leave steps on the main window, as the start-up,
  // shutdown and dispatcher sequences use them. Joining does nothing while
  // the window is still in the chain (a leave that failed): it would make
  // the window its own next viewer and cut off the viewers after it.
  void JoinChain();   // NextViewerHwnd = SetClipboardViewer(main window)
  void LeaveChain();  // ChangeClipboardChain(main window, NextViewerHwnd)
  void Yield();

  // The replacement window procedure installed by HookWindow.
  static platform::MessageResult FENLOW_WINDOW_PROC_CALL ViewerWndProc(platform::WindowHandle hWnd,
                                                                       platform::MessageId uMsg,
                                                                       platform::WParam wParam,
                                                                       platform::LParam lParam);

  // Reacts to a clipboard change (or to a button's one-shot request). Reports
  // nothing itself; what the dispatcher hands to TellAfterChange is shown at
  // its end, once monitoring is fully back.
  void OnClipboardChange();
  // Undo's one road to the dispatcher, busy as a change is: no update message
  // is acted on meanwhile, and what is to be told is shown at its end.
  void UndoLastWrite();
  void TellAfterChange(std::u16string message);
  // The clipboard's sequence number when the change being handled was
  // classified: a different one later means another program changed it since.
  [[nodiscard]] std::uint32_t SequenceAtChange() const { return sequenceAtChange_; }

  // The road of every request that changes the clipboard.
  RequestQueue& Requests() { return requests_; }

  // While a hotkey pastes or edits in place, its temporary copies (the
  // target's copy of its selection included) are no changes: the chain's
  // messages are passed on but not acted on, and requests wait. When it is
  // over, `ownRestore` is the sequence number its restore left (nullopt:
  // nothing was restored, so a copy made meanwhile is read as a change).
  void KeepOutTemporaryCopies();
  void TakeChangesAgain(std::optional<std::uint32_t> ownRestore);

  ClipboardText& Clipboard() { return clipboard_; }
  ProgramState& State() { return state_; }
  MainWindowAccess& MainWindow() { return mainWindow_; }
  platform::Platform& Platform() { return platform_; }

 private:
  platform::MessageResult HandleMessage(platform::WindowHandle hWnd, platform::MessageId uMsg,
                                        platform::WParam wParam, platform::LParam lParam);
  // How long a viewer that is not hung may take over a passed-on message.
  static constexpr std::chrono::milliseconds kPassOnTimeout{5000};
  // The pause before a change whose text could not be read is read again.
  static constexpr std::chrono::milliseconds kReadAgainDelay{200};

  // A chain message being passed on to the next viewer.
  struct PassingOn {
    platform::MessageId message = 0;
    platform::WParam wParam = 0;
    platform::LParam lParam = 0;
    std::uint32_t sequence = 0;  // the clipboard's, for an update message
  };

  void OnChainChange(platform::WindowHandle hWnd, platform::WParam wParam, platform::LParam lParam);
  void OnUpdate(platform::WindowHandle hWnd, platform::WParam wParam, platform::LParam lParam);
  void PassOn(platform::WindowHandle hWnd, platform::MessageId uMsg, platform::WParam wParam,
              platform::LParam lParam);
  const PassingOn* UpdateBeingPassedOn() const;
  bool IsBeingPassedOn(platform::MessageId uMsg, platform::WParam wParam,
                       platform::LParam lParam) const;
  // `clipboardHeld`: a query failed because another program held the clipboard.
  std::int16_t ContentKindCode(bool& clipboardHeld);
  void EndWithoutActing(bool clipboardHeld);
  // False when the text could not be read (the clipboard stayed held).
  bool ReadClipboardText();
  void ReadAgainLater();
  void ReadUnreadChange();
  void CatchUpWithAnUnseenCopy();
  void HandleChange();
  // A copy of plain text while automatic mode is on is to be edited, unless
  // the program that copied asked that it not be.
  void RequestAutomaticEdit();
  // Runs `handle` as a change in hand; once the last one is over, a request
  // that waited gets its turn.
  template <typename Handle>
  void InHand(Handle handle);
  void FinishHandling();
  void ShowNotices();
  [[nodiscard]] bool Idle() const;

  platform::Platform& platform_;
  ProgramState& state_;
  MainWindowAccess& mainWindow_;
  ClipboardText clipboard_;
  BulkEditStep* bulkEditStep_ = nullptr;
  platform::WindowHandle hookedWindow_ = 0;
  bool hooked_ = false;
  bool inChain_ = false;
  bool joining_ = false;  // the update message a join brings shows the clipboard; it is no copy
  std::vector<PassingOn> passingOn_;  // innermost last
  // A new change that came while an update was passed on: handled once
  // that pass-on has returned, with the wParam and lParam it came with.
  std::optional<std::pair<platform::WParam, platform::LParam>> changeDuringPassOn_;
  int changesInHand_ = 0;  // OnClipboardChange calls under way, nested ones included
  std::uint32_t sequenceAtChange_ = 0;
  std::vector<std::u16string> notices_;
  // The last change's text could not be read yet, and the timer that reads
  // it again is set.
  bool changeUnread_ = false;
  bool readAgainPending_ = false;
  bool rereading_ = false;  // the change handled now is such a change, read again
  bool keepingOut_ = false;  // a paste or an edit in place is under way
  RequestQueue requests_;
  // Timed tasks hold it weakly: one that comes after the monitor is gone does nothing.
  std::shared_ptr<ClipboardMonitor*> self_ = std::make_shared<ClipboardMonitor*>(this);
};

}  // namespace fenlow
