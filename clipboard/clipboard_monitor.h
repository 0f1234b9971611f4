// Follows every change of the system clipboard: the main window joins the
// clipboard-viewer chain and its window procedure is replaced by
// ViewerWndProc, which hands each message to the window's own procedure first
// and then acts on the two chain messages. OnClipboardChange decides from the
// clipboard's content whether to refresh Text1 and whether to run the
// bulk-edit dispatcher, the only place that writes to the clipboard.
#pragma once

#include <chrono>
#include <cstdint>

#include "clipboard/clipboard_text.h"
#include "clipboard/main_window_access.h"
#include "clipboard/program_state.h"
#include "platform/platform.h"

namespace fenlow {

// The step that OnClipboardChange hands over to: the bulk-edit dispatcher.
class BulkEditStep {
 public:
  virtual ~BulkEditStep() = default;
  virtual void ApplyBulkEdit() = 0;
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

  // Reacts to a clipboard change (or to a button's one-shot request). Reports nothing.
  void OnClipboardChange();

  ClipboardText& Clipboard() { return clipboard_; }
  ProgramState& State() { return state_; }
  MainWindowAccess& MainWindow() { return mainWindow_; }
  platform::Platform& Platform() { return platform_; }

 private:
  platform::MessageResult HandleMessage(platform::WindowHandle hWnd, platform::MessageId uMsg,
                                        platform::WParam wParam, platform::LParam lParam);
  // How long a viewer that is not hung may take over a passed-on message.
  static constexpr std::chrono::milliseconds kPassOnTimeout{5000};

  void PassOn(platform::WindowHandle hWnd, platform::MessageId uMsg, platform::WParam wParam,
              platform::LParam lParam);
  bool IsPassingOn(platform::MessageId uMsg) const;
  // `clipboardHeld`: a query failed because another program held the clipboard.
  std::int16_t ContentKindCode(bool& clipboardHeld);
  void EndWithoutActing(bool clipboardHeld);
  // False when the text could not be read (the clipboard stayed held).
  bool ReadClipboardText();

  platform::Platform& platform_;
  ProgramState& state_;
  MainWindowAccess& mainWindow_;
  ClipboardText clipboard_;
  BulkEditStep* bulkEditStep_ = nullptr;
  platform::WindowHandle hookedWindow_ = 0;
  bool hooked_ = false;
  bool inChain_ = false;
  bool passingOnUpdate_ = false;
  bool passingOnChainChange_ = false;
};

}  // namespace fenlow
