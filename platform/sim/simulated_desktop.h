// A simulated desktop for tests: an in-memory clipboard of formats, windows
// with replaceable window procedures, a clipboard-viewer chain that behaves as
// the system's does, other programs' viewer windows, clipboard primitives that
// fail on demand, any platform call failing on demand, simulated forms, and a
// log of every call made to it.
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

namespace fenlow::platform::sim {

class SimulatedUi;
class SimulatedHotkeys;
class SimulatedTray;
class SimulatedStartup;

// The clipboard operations a test can make fail as a clipboard held by
// another program makes them fail: those that open the clipboard. (Asking
// whether a format is present needs no opening.) PutText stands also for the
// write of ReplaceWithText, which empties and places in one opening.
enum class ClipboardOperation { Empty, PutText, GetText, ReadFormats, PutFormats };

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

// A platform call as the failure injector counts it: "SetText(Combo1)",
// "HasFormat", "Yield", ...
struct CountedCall {
  int index = 0;  // 1 for the first call counted since FailCall
  std::string name;
  // Made while the system delivered a message to a window, that is from a
  // window procedure rather than from the handler that started it.
  bool insideWindowProcedure = false;
};

class SimulatedDesktop final : public Platform,
                               private ClipboardPrimitives,
                               private WindowMessaging,
                               private SettingsStore,
                               private FileSystem {
 public:
  SimulatedDesktop();
  ~SimulatedDesktop() override;
  SimulatedDesktop(const SimulatedDesktop&) = delete;
  SimulatedDesktop& operator=(const SimulatedDesktop&) = delete;

  ClipboardPrimitives& Clipboard() override { return *this; }
  WindowMessaging& Messaging() override { return *this; }
  SettingsStore& Settings() override { return *this; }
  Ui& Forms() override;
  platform::FileSystem& Files() override { return *this; }
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
  // A task posted to run once the clock has moved on by `delay`: it runs in
  // the first dispatch after that (AdvanceClock moves the clock).
  void PostTaskAfter(ClipboardPrimitives::Clock::duration delay, std::function<void()> task) {
    timed_.emplace(now_ + delay, std::move(task));
  }
  std::size_t TimedTasksWaiting() const { return timed_.size(); }
  // A turn of the program's message loop: every pending message is dispatched.
  void RunMessageLoop() { DispatchPending(); }

  // --- Clipboard inspection and faults --------------------------------------
  const std::map<std::int32_t, std::u16string>& ClipboardFormats() const { return formats_; }
  // The registered formats beside them, other than Link and rich text.
  const std::map<std::u16string, std::string>& NamedClipboardFormats() const {
    return namedFormats_;
  }
  std::u16string ClipboardTextOrEmpty() const;
  // The next `count` calls of `operation` fail as if another program held the clipboard.
  void FailNext(ClipboardOperation operation, int count);
  int FailuresLeft(ClipboardOperation operation) const;
  int AttemptCount(ClipboardOperation operation) const;
  int PausesTaken() const { return pauses_; }
  // The clipboard's sequence number: every change of its content, by anyone, adds one.
  std::uint32_t ClipboardSequence() const { return sequence_; }

  // --- Clock --------------------------------------------------------------------
  // The clock of the clipboard retries moves only while they pause, and each
  // pause lasts whole ticks of the system timer, as Sleep does on a stock system.
  static constexpr std::chrono::microseconds kTimerTick{15625};
  ClipboardPrimitives::Clock::duration TimePaused() const { return now_ - kStartOfTime; }
  // Time passing while the program waits for the user or another program.
  void AdvanceClock(ClipboardPrimitives::Clock::duration elapsed) { now_ += elapsed; }

  // --- Viewer chain ----------------------------------------------------------
  WindowHandle ChainHead() const { return head_; }
  // Blocking sends made to a hung window: each would have frozen the sender.
  int BlockingSendsToHungWindows() const { return blockingSendsToHung_; }
  // Sends nested deeper than any sane chain allows (a loop in the chain).
  bool MessageRecursionDetected() const { return recursionDetected_; }

  // --- Settings, files --------------------------------------------------------
  std::map<std::u16string, std::u16string>& StoredSettings() { return settings_; }
  void FailSettingsWrites(bool fail) { failSettingsWrites_ = fail; }
  void AddFile(std::u16string path, std::string content, bool hidden = false);
  // The content of a file as the program left it; nullopt when there is none.
  std::optional<std::string> FileNamed(std::u16string_view path) const;
  // Replacing the file `path` fails from now on (a full disk, a file held
  // open by another program), leaving it as it was; an empty path: none fails.
  void FailReplacing(std::u16string path) { failReplacing_ = std::move(path); }
  void SetProgramFolder(std::u16string folder) { programFolder_ = std::move(folder); }

  // --- Message boxes, shell ---------------------------------------------------
  const std::vector<MessageBoxCall>& MessageBoxes() const;
  const std::vector<std::u16string>& OpenedFiles() const { return openedFiles_; }
  const std::vector<ShellOpenCall>& ShellOpenCalls() const { return shellOpenCalls_; }

  // --- Any platform call failing -----------------------------------------------
  // The program's calls through the platform interfaces that the real backend
  // can fail all pass through Enter, which counts them: the four clipboard
  // primitives, every messaging call, settings reads and writes, the file
  // services, creating forms, the message box and application title, and the
  // form and control operations that change or look up a window (Handle,
  // Find, SetCaption, SetIconToProgramIcon, SetBackColour, SetPointer,
  // LoadCustomPointer, Show, ShowModal, Unload; SetText, AddItem,
  // SetChecked, SetBackColour, SetFocus). Not counted: reading a property a
  // form or control holds (Text, Checked, Caption, Pointer, Controls, ...),
  // installing handlers, the clipboard's sequence number, the clock and the
  // pause between clipboard attempts, posting a task, the message loop, and
  // what the system or a user does (the chain's own messages,
  // typing, clicking, the close box).
  //
  // Fails the `n`th counted call from now on (1: the next one) with a
  // Failure naming the call, once; calls are counted until StopFailingCalls.
  void FailCall(int n);
  void StopFailingCalls();
  // The description of the failure FailCall throws for the call `name`.
  static std::string InjectedFailureText(const std::string& name);
  int CountedCalls() const { return counted_; }
  // The call that failed, once FailCall's failure was thrown.
  const std::optional<CountedCall>& InjectedFailure() const { return injected_; }
  // Called for every counted call, just before it may fail (also when no
  // failure is armed).
  void WatchCalls(std::function<void(const CountedCall&)> watcher) {
    watcher_ = std::move(watcher);
  }
  // The choke point. `subject` is the control, form or setting concerned.
  void Enter(std::string_view call, std::string_view subject = {});

  // Every call made through the platform interfaces, in order, for instance
  // "SetClipboardViewer(0x1000)" or "ReplaceWindowProc(0x1000)".
  const std::vector<std::string>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  void Record(std::string call) { calls_.push_back(std::move(call)); }

  static std::string Hex(WindowHandle window);

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
  void ReplaceWithText(std::u16string_view text) override;
  std::u16string GetText(std::int32_t format) override;
  bool HasFormat(std::int32_t format) override;
  std::optional<std::vector<ClipboardFormatData>> ReadMemoryFormats(std::size_t byteBound) override;
  std::optional<ClipboardFormatData> ReadTextBlock() override;
  void ReplaceWithFormats(const std::vector<ClipboardFormatData>& formats) override;
  bool HasNamedFormat(std::u16string_view name) override;
  std::uint32_t SequenceNumber() override { return sequence_; }
  Clock::time_point Now() override { return now_; }
  void PauseUntil(Clock::time_point until) override;

  // WindowMessaging
  std::optional<WindowHandle> SetClipboardViewer(WindowHandle window) override;
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

  // SettingsStore
  std::u16string Read(std::u16string_view application, std::u16string_view section,
                      std::u16string_view key, std::u16string_view fallback) override;
  void Write(std::u16string_view application, std::u16string_view section, std::u16string_view key,
             std::u16string_view value) override;

  // FileSystem
  std::u16string ProgramFolder() override;
  std::chrono::system_clock::time_point ReadLastChangeTime(std::u16string_view path) override;
  bool IsNormalFile(std::u16string_view path) override;
  std::string ReadWholeFile(std::u16string_view path) override;
  bool IsAbsent(std::u16string_view path) override;
  // simulated_file_replace.cpp
  void ReplaceWholeFile(std::u16string_view path, std::string_view content) override;

  static MessageResult FENLOW_WINDOW_PROC_CALL SimulatedWindowProc(WindowHandle window,
                                                                   MessageId message, WParam wParam,
                                                                   LParam lParam);
  std::optional<MessageResult> Deliver(WindowHandle window, MessageId message, WParam wParam,
                                       LParam lParam);
  MessageResult OwnBehaviour(WindowHandle window, MessageId message, WParam wParam, LParam lParam);
  MessageResult ForeignBehaviour(ForeignViewer& viewer, MessageId message, WParam wParam,
                                 LParam lParam);
  void ThrowIfHeld(ClipboardOperation operation);
  void ClipboardChanged() { ++sequence_; }
  void NotifyChainOfChange();
  // What the system does itself, uncounted: joining, leaving, sending and
  // dispatching on behalf of the chain, other programs and the message loop.
  WindowHandle JoinChainAtHead(WindowHandle window);
  bool LeaveChainOf(WindowHandle window, WindowHandle next);
  MessageResult SendNow(WindowHandle window, MessageId message, WParam wParam, LParam lParam);
  void DispatchPending();
  std::string FileContent(std::u16string_view path) const;
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
  std::map<ClipboardOperation, int> failuresLeft_;
  std::map<ClipboardOperation, int> attempts_;
  int pauses_ = 0;
  std::uint32_t sequence_ = 1;
  static constexpr ClipboardPrimitives::Clock::time_point kStartOfTime{std::chrono::hours(1)};
  ClipboardPrimitives::Clock::time_point now_ = kStartOfTime;
  std::deque<std::function<void()>> posted_;
  std::multimap<ClipboardPrimitives::Clock::time_point, std::function<void()>> timed_;
  int blockingSendsToHung_ = 0;
  int sendDepth_ = 0;
  bool recursionDetected_ = false;
  int pendingForeignChanges_ = 0;
  std::deque<std::function<void()>> duringYield_;
  std::map<std::u16string, std::u16string> settings_;
  bool failSettingsWrites_ = false;
  struct SimFile {
    std::string content;
    bool hidden = false;
    std::chrono::system_clock::time_point lastChange;
  };
  std::map<std::u16string, SimFile> files_;
  std::u16string failReplacing_;
  std::u16string programFolder_ = u"C:\\Program Files\\Fenlow";
  std::vector<std::u16string> openedFiles_;
  std::vector<ShellOpenCall> shellOpenCalls_;
  std::vector<std::string> calls_;
  bool counting_ = false;
  int counted_ = 0;
  int failAt_ = 0;
  std::optional<CountedCall> injected_;
  std::function<void(const CountedCall&)> watcher_;
  std::unique_ptr<SimulatedUi> ui_;
  std::unique_ptr<SimulatedHotkeys> hotkeys_;
  std::unique_ptr<SimulatedTray> tray_;
  std::unique_ptr<SimulatedStartup> startup_;
};

std::unique_ptr<SimulatedDesktop> CreateSimulatedDesktop();

}  // namespace fenlow::platform::sim
