// A simulated desktop for tests: an in-memory clipboard of formats, windows
// with replaceable window procedures, a clipboard-viewer chain that behaves as
// the system's does, other programs' viewer windows, simulated forms, any
// platform call failing on demand (fault_injector.h), and a log of every call
// made to it (call_log.h).
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/call_log.h"
#include "platform/sim/fault_injector.h"
#include "platform/sim/simulated_clock.h"
#include "platform/sim/simulated_files.h"
#include "platform/sim/simulated_settings.h"

namespace fenlow::platform::sim {

class SimulatedUi;
class SimulatedHotkeys;
class SimulatedTray;
class SimulatedStartup;

// A viewer window of another program. It passes messages on to the window
// that follows it unless told not to, and records what it received.
struct ForeignViewer {
  WindowHandle handle = 0;
  WindowHandle next = 0;
  bool passesMessagesOn = true;
  bool hung = false;  // sends to it never return (a SendMessageTimeout gives up)
  int drawClipboardCount = 0;
  std::vector<std::pair<WParam, LParam>> chainChanges;
  // Runs once, when the viewer next receives a chain message, before it
  // passes that message on (another program acting meanwhile).
  std::function<void()> onNextMessage;
};

struct ShellOpenCall {
  WindowHandle owner = 0;
  std::u16string file;
  std::u16string directory;
  int showCommand = 0;
};

struct MessageBoxCall {
  std::u16string text;
  int style = 0;
  std::u16string title;
};

class SimulatedDesktop final : public Platform,
                               private ClipboardPrimitives,
                               private WindowMessaging {
 public:
  SimulatedDesktop();
  ~SimulatedDesktop() override;
  SimulatedDesktop(const SimulatedDesktop&) = delete;
  SimulatedDesktop& operator=(const SimulatedDesktop&) = delete;

  ClipboardPrimitives& Clipboard() override { return *this; }
  WindowMessaging& Messaging() override { return *this; }
  SettingsStore& Settings() override { return settings_; }
  Ui& Forms() override;
  platform::FileSystem& Files() override { return files_; }
  GlobalHotkeys& Hotkeys() override;
  NotificationArea& Tray() override;
  StartupServices& Startup() override;
  SimulatedUi& SimForms();
  SimulatedHotkeys& SimHotkeys() { return *hotkeys_; }
  SimulatedTray& SimTray() { return *tray_; }
  SimulatedStartup& SimStartup() { return *startup_; }

  // --- Windows -------------------------------------------------------------
  // A plain window of the program whose own procedure answers `result` to
  // every message and records it.
  WindowHandle CreateWindow(MessageResult result = 0);
  void DestroyWindow(WindowHandle window);
  bool IsWindow(WindowHandle window) const;
  WindowProc CurrentProc(WindowHandle window) const;
  // The messages a window created here received through its own procedure.
  const std::vector<MessageId>& MessagesSeenBy(WindowHandle window) const;

  // --- Other programs --------------------------------------------------------
  // Another program's viewer joins the chain (it becomes the head).
  ForeignViewer& JoinForeignViewer(bool passesMessagesOn = true);
  // That viewer leaves the chain the way a well-behaved program does.
  void LeaveForeignViewer(ForeignViewer& viewer);
  ForeignViewer* FindForeignViewer(WindowHandle window);
  // Another program replaces the clipboard's content: formats by the
  // program's codes, and registered formats by name ("HTML Format"). The
  // update message is delivered at the next Yield, as a change from another
  // process would be.
  void OtherProgramSets(std::map<std::int32_t, std::u16string> formats,
                        std::map<std::u16string, std::string> named = {});
  void OtherProgramSetsText(std::u16string text);
  // Runs `action` inside the next Yield (a click, a change, anything).
  void DuringNextYield(std::function<void()> action);

  // --- Message loop -----------------------------------------------------------
  // Tasks posted by the program (Ui::Post) run, in order, whenever pending
  // messages are dispatched: at a Yield or a turn of the message loop.
  void PostTask(std::function<void()> task) { posted_.push_back(std::move(task)); }
  std::size_t PostedTasksWaiting() const { return posted_.size(); }
  // A turn of the program's message loop: every pending message is dispatched.
  void RunMessageLoop() { DispatchPending(); }

  // --- Clipboard inspection --------------------------------------------------
  const std::map<std::int32_t, std::u16string>& ClipboardFormats() const { return formats_; }
  // The registered formats beside them, other than Link and rich text.
  const std::map<std::u16string, std::string>& NamedClipboardFormats() const {
    return namedFormats_;
  }
  std::u16string ClipboardTextOrEmpty() const;
  // The clipboard's sequence number: every change of its content, by anyone, adds one.
  std::uint32_t ClipboardSequence() const { return sequence_; }

  // --- Clock --------------------------------------------------------------------
  SimulatedClock& SimClock() { return clock_; }

  // --- Viewer chain ----------------------------------------------------------
  WindowHandle ChainHead() const { return head_; }
  // Blocking sends made to a hung window: each would have frozen the sender.
  int BlockingSendsToHungWindows() const { return blockingSendsToHung_; }
  // Sends nested deeper than any sane chain allows (a loop in the chain).
  bool MessageRecursionDetected() const { return recursionDetected_; }

  // --- Settings, files --------------------------------------------------------
  SimulatedSettings& SimSettings() { return settings_; }
  SimulatedFiles& SimFiles() { return files_; }

  // --- Message boxes, shell ---------------------------------------------------
  const std::vector<MessageBoxCall>& MessageBoxes() const;
  const std::vector<std::u16string>& OpenedFiles() const { return openedFiles_; }
  const std::vector<ShellOpenCall>& ShellOpenCalls() const { return shellOpenCalls_; }

  // --- Any platform call failing ----------------------------------------------
  // Calls made to fail as another program holding the clipboard makes them
  // fail: "<call>: the clipboard is held by another program."; settings
  // writes as a store that cannot be written.
  FaultInjector& Faults() { return faults_; }

  // Every call made through the platform interfaces, in order.
  CallLog& Log() { return log_; }

 private:
  struct SimWindow {
    WindowProc proc = nullptr;
    MessageResult ownResult = 0;
    std::vector<MessageId> seen;
    std::unique_ptr<ForeignViewer> foreign;
  };

  // ClipboardPrimitives
  void Empty() override;
  void PutText(std::int32_t format, std::u16string_view text) override;
  std::u16string GetText(std::int32_t format) override;
  bool HasFormat(std::int32_t format) override;
  std::optional<std::vector<ClipboardFormatData>> ReadMemoryFormats(std::size_t byteBound) override;
  void ReplaceWithFormats(const std::vector<ClipboardFormatData>& formats) override;
  bool HasNamedFormat(std::u16string_view name) override;
  std::uint32_t SequenceNumber() override { return sequence_; }
  Clock::time_point Now() override { return clock_.Now(); }
  void PauseUntil(Clock::time_point until) override { clock_.PauseUntil(until); }

  // WindowMessaging
  WindowHandle SetClipboardViewer(WindowHandle window) override;
  bool ChangeClipboardChain(WindowHandle window, WindowHandle next) override;
  WindowProc ReplaceWindowProc(WindowHandle window, WindowProc procedure) override;
  MessageResult CallWindowProc(WindowProc procedure, WindowHandle window, MessageId message,
                               WParam wParam, LParam lParam) override;
  MessageResult SendMessage(WindowHandle window, MessageId message, WParam wParam,
                            LParam lParam) override;
  std::optional<MessageResult> SendMessageTimeout(WindowHandle window, MessageId message,
                                                  WParam wParam, LParam lParam,
                                                  std::chrono::milliseconds timeout) override;
  void Yield() override;
  bool ShellOpen(WindowHandle owner, std::u16string_view file, std::u16string_view directory,
                 int showCommand) override;

  static MessageResult FENLOW_WINDOW_PROC_CALL SimulatedWindowProc(WindowHandle window,
                                                                   MessageId message, WParam wParam,
                                                                   LParam lParam);
  std::optional<MessageResult> Deliver(WindowHandle window, MessageId message, WParam wParam,
                                       LParam lParam);
  MessageResult OwnBehaviour(WindowHandle window, MessageId message, WParam wParam, LParam lParam);
  MessageResult ForeignBehaviour(ForeignViewer& viewer, MessageId message, WParam wParam,
                                 LParam lParam);
  void ClipboardChanged() { ++sequence_; }
  void NotifyChainOfChange();
  // What the system does itself, uncounted: joining, leaving, sending and
  // dispatching on behalf of the chain, other programs and the message loop.
  WindowHandle JoinChainAtHead(WindowHandle window);
  bool LeaveChainOf(WindowHandle window, WindowHandle next);
  MessageResult SendNow(WindowHandle window, MessageId message, WParam wParam, LParam lParam);
  void DispatchPending();
  SimWindow* FindWindow(WindowHandle window);
  const SimWindow* FindWindow(WindowHandle window) const;
  friend class SimulatedUi;
  friend class SimulatedForm;
  WindowHandle NewHandle();

  std::map<WindowHandle, SimWindow> windows_;
  WindowHandle nextHandle_ = 0x1000;
  WindowHandle head_ = 0;
  std::map<std::int32_t, std::u16string> formats_;
  std::map<std::u16string, std::string> namedFormats_;
  std::uint32_t sequence_ = 1;
  SimulatedClock clock_;
  std::deque<std::function<void()>> posted_;
  int blockingSendsToHung_ = 0;
  int sendDepth_ = 0;
  bool recursionDetected_ = false;
  int pendingForeignChanges_ = 0;
  std::deque<std::function<void()>> duringYield_;
  std::vector<std::u16string> openedFiles_;
  std::vector<ShellOpenCall> shellOpenCalls_;
  CallLog log_;
  FaultInjector faults_{[this] { return sendDepth_ > 0; }};
  SimulatedSettings settings_{faults_, log_};
  SimulatedFiles files_{faults_};
  std::unique_ptr<SimulatedUi> ui_;
  std::unique_ptr<SimulatedHotkeys> hotkeys_;
  std::unique_ptr<SimulatedTray> tray_;
  std::unique_ptr<SimulatedStartup> startup_;
};

std::unique_ptr<SimulatedDesktop> CreateSimulatedDesktop();

}  // namespace fenlow::platform::sim
