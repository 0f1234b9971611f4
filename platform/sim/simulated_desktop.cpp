#include "platform/sim/simulated_desktop.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/sim/simulated_shell.h"
#include "platform/sim/simulated_ui.h"

namespace fenlow::platform::sim {

namespace {

// The window procedures handed out by the simulated desktop are plain
// functions, so they reach their desktop through this pointer: one desktop
// exists at a time, as one desktop hosts the real program.
SimulatedDesktop* activeDesktop = nullptr;

// Deep enough for any real chain; a chain that loops back recurses past it.
constexpr int kMaxSendDepth = 200;

std::string Narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

std::string MessageName(MessageId message) {
  switch (message) {
    case kDrawClipboardMessage:
      return "WM_DRAWCLIPBOARD";
    case kChangeClipboardChainMessage:
      return "WM_CHANGECBCHAIN";
    default:
      return std::to_string(message);
  }
}

std::string OperationName(ClipboardOperation operation) {
  switch (operation) {
    case ClipboardOperation::Empty:
      return "EmptyClipboard";
    case ClipboardOperation::PutText:
      return "PutText";
    case ClipboardOperation::GetText:
      return "GetText";
    case ClipboardOperation::ReadFormats:
      return "ReadMemoryFormats";
    case ClipboardOperation::PutFormats:
      return "ReplaceWithFormats";
  }
  return "?";
}

// The simulated clipboard keeps every format as a text; as a memory block
// that text is its code units, byte for byte.
std::string BytesOf(std::u16string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
}
std::u16string TextOfBytes(std::string_view bytes) {
  std::u16string text(bytes.size() / sizeof(char16_t), u'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * sizeof(char16_t));
  return text;
}

// The two named formats the program has codes of.
constexpr std::pair<std::int32_t, std::u16string_view> kCodedNames[] = {
    {format::kLink, u"Link"}, {format::kRichText, u"Rich Text Format"}};

// Formats whose data is a handle rather than a memory block.
bool IsHandleBased(std::int32_t code) {
  return code == format::kBitmap || code == format::kEnhancedMetafile ||
         code == format::kMetafilePicture || code == format::kPalette;
}

std::u16string SettingPath(std::u16string_view application, std::u16string_view section,
                           std::u16string_view key) {
  std::u16string path(application);
  path += u'\\';
  path += section;
  path += u'\\';
  path += key;
  return path;
}

}  // namespace

SimulatedDesktop::SimulatedDesktop()
    : ui_(std::make_unique<SimulatedUi>(*this)),
      hotkeys_(std::make_unique<SimulatedHotkeys>(*this)),
      tray_(std::make_unique<SimulatedTray>(*this)),
      startup_(std::make_unique<SimulatedStartup>(*this)) {
  activeDesktop = this;
}

SimulatedDesktop::~SimulatedDesktop() {
  if (activeDesktop == this) activeDesktop = nullptr;
}

Ui& SimulatedDesktop::Forms() {
  return *ui_;
}
SimulatedUi& SimulatedDesktop::SimForms() {
  return *ui_;
}
GlobalHotkeys& SimulatedDesktop::Hotkeys() {
  return *hotkeys_;
}
NotificationArea& SimulatedDesktop::Tray() {
  return *tray_;
}
StartupServices& SimulatedDesktop::Startup() {
  return *startup_;
}

std::string SimulatedDesktop::Hex(WindowHandle window) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(window));
  return buffer;
}

// --- Windows -------------------------------------------------------------------

WindowHandle SimulatedDesktop::NewHandle() {
  WindowHandle handle = nextHandle_;
  nextHandle_ += 0x10;
  return handle;
}

WindowHandle SimulatedDesktop::CreateWindow(MessageResult result) {
  WindowHandle handle = NewHandle();
  SimWindow& window = windows_[handle];
  window.proc = &SimulatedDesktop::SimulatedWindowProc;
  window.ownResult = result;
  return handle;
}

void SimulatedDesktop::DestroyWindow(WindowHandle window) {
  windows_.erase(window);
}

bool SimulatedDesktop::IsWindow(WindowHandle window) const {
  return FindWindow(window) != nullptr;
}

SimulatedDesktop::SimWindow* SimulatedDesktop::FindWindow(WindowHandle window) {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

const SimulatedDesktop::SimWindow* SimulatedDesktop::FindWindow(WindowHandle window) const {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

WindowProc SimulatedDesktop::CurrentProc(WindowHandle window) const {
  const SimWindow* found = FindWindow(window);
  return found ? found->proc : nullptr;
}

const std::vector<MessageId>& SimulatedDesktop::MessagesSeenBy(WindowHandle window) const {
  static const std::vector<MessageId> none;
  const SimWindow* found = FindWindow(window);
  return found ? found->seen : none;
}

MessageResult FENLOW_WINDOW_PROC_CALL SimulatedDesktop::SimulatedWindowProc(WindowHandle window,
                                                                            MessageId message,
                                                                            WParam wParam,
                                                                            LParam lParam) {
  if (activeDesktop == nullptr) return 0;
  return activeDesktop->OwnBehaviour(window, message, wParam, lParam);
}

MessageResult SimulatedDesktop::OwnBehaviour(WindowHandle window, MessageId message, WParam wParam,
                                             LParam lParam) {
  SimWindow* found = FindWindow(window);
  if (found == nullptr) return 0;
  found->seen.push_back(message);
  if (found->foreign) return ForeignBehaviour(*found->foreign, message, wParam, lParam);
  return found->ownResult;
}

// A viewer written the usual way: it passes both chain messages on to the
// window that follows it, and takes over the follower of a leaving next.
MessageResult SimulatedDesktop::ForeignBehaviour(ForeignViewer& viewer, MessageId message,
                                                 WParam wParam, LParam lParam) {
  const bool chainMessage =
      message == kDrawClipboardMessage || message == kChangeClipboardChainMessage;
  if (chainMessage && viewer.onNextMessage) std::exchange(viewer.onNextMessage, nullptr)();
  if (message == kDrawClipboardMessage) {
    ++viewer.drawClipboardCount;
    if (viewer.passesMessagesOn && viewer.next != 0) SendNow(viewer.next, message, wParam, lParam);
  } else if (message == kChangeClipboardChainMessage) {
    viewer.chainChanges.emplace_back(wParam, lParam);
    if (wParam == viewer.next) {
      viewer.next = static_cast<WindowHandle>(lParam);
    } else if (viewer.passesMessagesOn && viewer.next != 0) {
      SendNow(viewer.next, message, wParam, lParam);
    }
  }
  return 0;
}

// --- Other programs --------------------------------------------------------------

ForeignViewer& SimulatedDesktop::JoinForeignViewer(bool passesMessagesOn) {
  WindowHandle handle = CreateWindow();
  SimWindow& window = windows_[handle];
  window.foreign = std::make_unique<ForeignViewer>();
  ForeignViewer& viewer = *window.foreign;
  viewer.handle = handle;
  viewer.passesMessagesOn = passesMessagesOn;
  viewer.next = JoinChainAtHead(handle);
  return viewer;
}

void SimulatedDesktop::LeaveForeignViewer(ForeignViewer& viewer) {
  WindowHandle handle = viewer.handle;
  LeaveChainOf(handle, viewer.next);
  DestroyWindow(handle);
}

ForeignViewer* SimulatedDesktop::FindForeignViewer(WindowHandle window) {
  SimWindow* found = FindWindow(window);
  return found ? found->foreign.get() : nullptr;
}

void SimulatedDesktop::OtherProgramSets(std::map<std::int32_t, std::u16string> formats,
                                        std::map<std::u16string, std::string> named) {
  formats_ = std::move(formats);
  namedFormats_ = std::move(named);
  ClipboardChanged();
  ++pendingForeignChanges_;
}

void SimulatedDesktop::OtherProgramSetsText(std::u16string text) {
  std::map<std::int32_t, std::u16string> formats;
  formats.emplace(format::kText, std::move(text));  // moved in, not copied from a list
  OtherProgramSets(std::move(formats));
}

void SimulatedDesktop::DuringNextYield(std::function<void()> action) {
  duringYield_.push_back(std::move(action));
}

// --- Clipboard -------------------------------------------------------------------

std::u16string SimulatedDesktop::ClipboardTextOrEmpty() const {
  auto found = formats_.find(format::kText);
  return found == formats_.end() ? std::u16string() : found->second;
}

void SimulatedDesktop::FailNext(ClipboardOperation operation, int count) {
  failuresLeft_[operation] = count;
}

int SimulatedDesktop::FailuresLeft(ClipboardOperation operation) const {
  auto found = failuresLeft_.find(operation);
  return found == failuresLeft_.end() ? 0 : found->second;
}

int SimulatedDesktop::AttemptCount(ClipboardOperation operation) const {
  auto found = attempts_.find(operation);
  return found == attempts_.end() ? 0 : found->second;
}

// --- Any platform call failing ----------------------------------------------------

void SimulatedDesktop::FailCall(int n) {
  counting_ = true;
  counted_ = 0;
  failAt_ = n;
  injected_.reset();
}

void SimulatedDesktop::StopFailingCalls() {
  counting_ = false;
  failAt_ = 0;
}

std::string SimulatedDesktop::InjectedFailureText(const std::string& name) {
  return name + " failed (simulated).";
}

void SimulatedDesktop::Enter(std::string_view call, std::string_view subject) {
  if (!counting_ && !watcher_) return;
  CountedCall counted;
  counted.name = std::string(call);
  if (!subject.empty()) counted.name += "(" + std::string(subject) + ")";
  counted.insideWindowProcedure = sendDepth_ > 0;
  if (counting_) counted.index = ++counted_;
  if (watcher_) watcher_(counted);
  if (!counting_ || counted.index != failAt_) return;
  injected_ = counted;
  throw Failure(InjectedFailureText(counted.name));
}

void SimulatedDesktop::ThrowIfHeld(ClipboardOperation operation) {
  ++attempts_[operation];
  int& left = failuresLeft_[operation];
  if (left > 0) {
    --left;
    throw Failure(OperationName(operation) + ": the clipboard is held by another program.");
  }
}

// The system tells the head of the chain once the clipboard is closed after a change.
void SimulatedDesktop::NotifyChainOfChange() {
  if (head_ != 0) SendNow(head_, kDrawClipboardMessage, 0, 0);
}

void SimulatedDesktop::Empty() {
  Enter("Empty");
  ThrowIfHeld(ClipboardOperation::Empty);
  Record("EmptyClipboard");
  formats_.clear();
  namedFormats_.clear();
  ClipboardChanged();
  NotifyChainOfChange();
}

void SimulatedDesktop::PutText(std::int32_t format, std::u16string_view text) {
  Enter("PutText");
  ThrowIfHeld(ClipboardOperation::PutText);
  std::int32_t stored = format == 0 ? format::kText : format;
  Record("PutText(" + std::to_string(stored) + ")");
  formats_[stored] = std::u16string(text);
  ClipboardChanged();
  NotifyChainOfChange();
}

// One opening: held, it changes nothing; otherwise the viewers hear of one change.
void SimulatedDesktop::ReplaceWithText(std::u16string_view text) {
  Enter("ReplaceWithText");
  ThrowIfHeld(ClipboardOperation::PutText);
  Record("EmptyClipboard");
  Record("PutText(" + std::to_string(format::kText) + ")");
  formats_.clear();  // emplaced: a map built from a list would copy the text twice
  formats_.emplace(format::kText, std::u16string(text));
  namedFormats_.clear();
  ClipboardChanged();
  NotifyChainOfChange();
}

std::u16string SimulatedDesktop::GetText(std::int32_t format) {
  Enter("GetText");
  ThrowIfHeld(ClipboardOperation::GetText);
  auto found = formats_.find(format == 0 ? format::kText : format);
  return found == formats_.end() ? std::u16string() : found->second;
}

bool SimulatedDesktop::HasFormat(std::int32_t format) {
  Enter("HasFormat");
  if (format == format::kText) {
    return formats_.count(format::kText) != 0 || formats_.count(format::kUnicodeText) != 0;
  }
  return formats_.count(format) != 0;
}

// As the system does it: Unicode text stands for the text formats, and
// handle-based formats are left out.
std::optional<std::vector<ClipboardFormatData>> SimulatedDesktop::ReadMemoryFormats(
    std::size_t byteBound) {
  Enter("ReadMemoryFormats");
  ThrowIfHeld(ClipboardOperation::ReadFormats);
  // Sizes first: as on the system, nothing is copied when the bound is passed.
  std::vector<std::pair<std::int32_t, const std::u16string*>> memory;
  std::size_t total = 0;
  for (const auto& [code, text] : formats_) {
    if (IsHandleBased(code) || (code == format::kUnicodeText && formats_.count(format::kText))) {
      continue;
    }
    const bool isText = code == format::kText || code == format::kUnicodeText;
    total += (text.size() + (isText ? 1 : 0)) * sizeof(char16_t);
    memory.emplace_back(code, &text);
  }
  for (const auto& named : namedFormats_) total += named.second.size();
  if (total > byteBound) return std::nullopt;

  std::vector<ClipboardFormatData> kept;
  for (const auto& [code, text] : memory) {
    if (code == format::kText || code == format::kUnicodeText) {
      kept.push_back(UnicodeTextFormat(*text));
      continue;
    }
    ClipboardFormatData data{static_cast<std::uint32_t>(code), {}, BytesOf(*text)};
    for (const auto& [coded, name] : kCodedNames) {
      if (coded == code) data = {0, std::u16string(name), BytesOf(*text)};
    }
    kept.push_back(std::move(data));
  }
  for (const auto& [name, bytes] : namedFormats_) kept.push_back({0, name, bytes});
  return kept;
}

std::optional<ClipboardFormatData> SimulatedDesktop::ReadTextBlock() {
  Enter("ReadTextBlock");
  ThrowIfHeld(ClipboardOperation::ReadFormats);
  auto found = formats_.find(format::kText);
  if (found == formats_.end()) found = formats_.find(format::kUnicodeText);
  if (found == formats_.end()) return std::nullopt;
  return UnicodeTextFormat(found->second);
}

void SimulatedDesktop::ReplaceWithFormats(const std::vector<ClipboardFormatData>& formats) {
  Enter("ReplaceWithFormats");
  ThrowIfHeld(ClipboardOperation::PutFormats);
  Record("ReplaceWithFormats");
  formats_.clear();
  namedFormats_.clear();
  for (const ClipboardFormatData& data : formats) {
    if (data.name.empty() && data.id == static_cast<std::uint32_t>(format::kUnicodeText)) {
      formats_[format::kText] = *UnicodeTextOf({data});  // the program's plain text
      continue;
    }
    if (data.name.empty()) {
      formats_[static_cast<std::int32_t>(data.id)] = TextOfBytes(data.bytes);
      continue;
    }
    const auto coded = std::find_if(std::begin(kCodedNames), std::end(kCodedNames),
                                    [&](const auto& entry) { return entry.second == data.name; });
    if (coded != std::end(kCodedNames)) {
      formats_[coded->first] = TextOfBytes(data.bytes);
    } else {
      namedFormats_[data.name] = data.bytes;
    }
  }
  ClipboardChanged();
  NotifyChainOfChange();
}

bool SimulatedDesktop::HasNamedFormat(std::u16string_view name) {
  Enter("HasNamedFormat");
  for (const auto& [code, codedName] : kCodedNames) {
    if (codedName == name) return formats_.count(code) != 0;
  }
  return namedFormats_.count(std::u16string(name)) != 0;
}

void SimulatedDesktop::PauseUntil(Clock::time_point until) {
  ++pauses_;
  if (until <= now_) return;
  const auto ticks = (until - now_ + kTimerTick - Clock::duration(1)) / kTimerTick;
  now_ += ticks * kTimerTick;
}

// --- Viewer chain and messages ------------------------------------------------------

std::optional<WindowHandle> SimulatedDesktop::SetClipboardViewer(WindowHandle window) {
  Enter("SetClipboardViewer");
  if (FindWindow(window) == nullptr) {
    Record("SetClipboardViewer(" + Hex(window) + ")");
    return std::nullopt;  // as the system refuses a handle that is no window
  }
  return JoinChainAtHead(window);
}

WindowHandle SimulatedDesktop::JoinChainAtHead(WindowHandle window) {
  Record("SetClipboardViewer(" + Hex(window) + ")");
  if (FindWindow(window) == nullptr) return 0;
  WindowHandle previous = head_;
  head_ = window;
  SendNow(window, kDrawClipboardMessage, 0, 0);
  return previous;
}

// As the system does it: a head that leaves is replaced at once; any other
// leaving window is announced to the head, which passes the news down.
bool SimulatedDesktop::ChangeClipboardChain(WindowHandle window, WindowHandle next) {
  Enter("ChangeClipboardChain");
  return LeaveChainOf(window, next);
}

bool SimulatedDesktop::LeaveChainOf(WindowHandle window, WindowHandle next) {
  Record("ChangeClipboardChain(" + Hex(window) + "," + Hex(next) + ")");
  if (window == 0) return false;
  if (window == head_) {
    head_ = next;
    return true;
  }
  if (head_ != 0) SendNow(head_, kChangeClipboardChainMessage, window, static_cast<LParam>(next));
  return true;
}

WindowProc SimulatedDesktop::ReplaceWindowProc(WindowHandle window, WindowProc procedure) {
  Enter("ReplaceWindowProc");
  Record("ReplaceWindowProc(" + Hex(window) + ")");
  SimWindow* found = FindWindow(window);
  if (found == nullptr) return nullptr;
  WindowProc previous = found->proc;
  found->proc = procedure;
  return previous;
}

MessageResult SimulatedDesktop::CallWindowProc(WindowProc procedure, WindowHandle window,
                                               MessageId message, WParam wParam, LParam lParam) {
  Enter("CallWindowProc");
  if (procedure == nullptr) return 0;
  return procedure(window, message, wParam, lParam);
}

MessageResult SimulatedDesktop::SendMessage(WindowHandle window, MessageId message, WParam wParam,
                                            LParam lParam) {
  Enter("SendMessage");
  return SendNow(window, message, wParam, lParam);
}

MessageResult SimulatedDesktop::SendNow(WindowHandle window, MessageId message, WParam wParam,
                                        LParam lParam) {
  Record("SendMessage(" + Hex(window) + "," + MessageName(message) + ")");
  SimWindow* found = FindWindow(window);
  if (found == nullptr) return 0;
  if (found->foreign && found->foreign->hung) {
    ++blockingSendsToHung_;  // the real call would never return
    return 0;
  }
  return Deliver(window, message, wParam, lParam).value_or(0);
}

std::optional<MessageResult> SimulatedDesktop::SendMessageTimeout(WindowHandle window,
                                                                  MessageId message, WParam wParam,
                                                                  LParam lParam,
                                                                  std::chrono::milliseconds) {
  Enter("SendMessageTimeout");
  Record("SendMessageTimeout(" + Hex(window) + "," + MessageName(message) + ")");
  SimWindow* found = FindWindow(window);
  if (found == nullptr || (found->foreign && found->foreign->hung)) return std::nullopt;
  return Deliver(window, message, wParam, lParam);
}

std::optional<MessageResult> SimulatedDesktop::Deliver(WindowHandle window, MessageId message,
                                                       WParam wParam, LParam lParam) {
  if (sendDepth_ >= kMaxSendDepth) {
    recursionDetected_ = true;
    return std::nullopt;
  }
  ++sendDepth_;
  MessageResult result = FindWindow(window)->proc(window, message, wParam, lParam);
  --sendDepth_;
  return result;
}

void SimulatedDesktop::Yield() {
  Enter("Yield");
  DispatchPending();
}

void SimulatedDesktop::DispatchPending() {
  Record("Yield");
  while (pendingForeignChanges_ > 0) {
    --pendingForeignChanges_;
    NotifyChainOfChange();
  }
  std::deque<std::function<void()>> actions;
  actions.swap(duringYield_);
  for (auto& action : actions) action();
  // Posted while this dispatch runs, a task still runs in it, as a message
  // posted to the queue being emptied would.
  while (!posted_.empty()) {
    std::function<void()> task = std::move(posted_.front());
    posted_.pop_front();
    task();
  }
  while (!timed_.empty() && timed_.begin()->first <= now_) {
    std::function<void()> task = std::move(timed_.begin()->second);
    timed_.erase(timed_.begin());
    task();
  }
}

bool SimulatedDesktop::ShellOpen(WindowHandle owner, std::u16string_view file,
                                 std::u16string_view directory, int showCommand) {
  Enter("ShellOpen");
  Record("ShellOpen(" + Narrow(file) + ")");
  openedFiles_.emplace_back(file);
  shellOpenCalls_.push_back({owner, std::u16string(file), std::u16string(directory), showCommand});
  return true;
}

// --- Settings and files ------------------------------------------------------------

std::u16string SimulatedDesktop::Read(std::u16string_view application, std::u16string_view section,
                                      std::u16string_view key, std::u16string_view fallback) {
  Enter("ReadSetting", Narrow(key));
  auto found = settings_.find(SettingPath(application, section, key));
  return found == settings_.end() ? std::u16string(fallback) : found->second;
}

void SimulatedDesktop::Write(std::u16string_view application, std::u16string_view section,
                             std::u16string_view key, std::u16string_view value) {
  Enter("WriteSetting", Narrow(key));
  Record("WriteSetting(" + Narrow(key) + "=" + Narrow(value) + ")");
  if (failSettingsWrites_) throw Failure("The settings store cannot be written.");
  settings_[SettingPath(application, section, key)] = std::u16string(value);
}

void SimulatedDesktop::AddFile(std::u16string path, std::string content, bool hidden) {
  files_[std::move(path)] = SimFile{std::move(content), hidden, std::chrono::system_clock::now()};
}

std::u16string SimulatedDesktop::ProgramFolder() {
  Enter("ProgramFolder");
  return programFolder_;
}

std::chrono::system_clock::time_point SimulatedDesktop::ReadLastChangeTime(
    std::u16string_view path) {
  Enter("ReadLastChangeTime");
  auto found = files_.find(std::u16string(path));
  if (found == files_.end()) throw Failure("File not found: " + Narrow(path));
  return found->second.lastChange;
}

bool SimulatedDesktop::IsNormalFile(std::u16string_view path) {
  Enter("IsNormalFile");
  auto found = files_.find(std::u16string(path));
  return found != files_.end() && !found->second.hidden;
}

std::string SimulatedDesktop::ReadWholeFile(std::u16string_view path) {
  Enter("ReadWholeFile");
  return FileContent(path);
}

std::string SimulatedDesktop::FileContent(std::u16string_view path) const {
  auto found = files_.find(std::u16string(path));
  if (found == files_.end()) throw Failure("File not found: " + Narrow(path));
  return found->second.content;
}

const std::vector<MessageBoxCall>& SimulatedDesktop::MessageBoxes() const {
  return ui_->Messages();
}

std::unique_ptr<SimulatedDesktop> CreateSimulatedDesktop() {
  return std::make_unique<SimulatedDesktop>();
}

}  // namespace fenlow::platform::sim
