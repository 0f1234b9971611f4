#include "platform/win32/testing/desktop_probe.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/win32/win32_dispatch.h"
#include "platform/win32/win32_support.h"

namespace fenlow::platform::win32::probe {
namespace {

// Wine shows the host's root as drive Z:, so a host path /tmp/x is Z:\tmp\x.
std::string HostToWindowsPath(const std::string& hostPath) {
  std::string path = "Z:" + hostPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string NewHostFolder() {
  static std::atomic<int> counter{0};
  const std::string folder = "/tmp/fenlow-probe-" + std::to_string(::GetCurrentProcessId()) + "-" +
                             std::to_string(counter++);
  ::CreateDirectoryA(HostToWindowsPath(folder).c_str(), nullptr);
  return folder;
}

void WriteFile(const std::string& hostPath, std::string_view content) {
  std::ofstream file(HostToWindowsPath(hostPath), std::ios::binary);
  file << content;
  if (!file) throw Failure("Cannot write " + hostPath);
}

std::string ReadFile(const std::string& hostPath) {
  std::ifstream file(HostToWindowsPath(hostPath), std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

bool Exists(const std::string& hostPath) {
  return ::GetFileAttributesA(HostToWindowsPath(hostPath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void StartHostShell(const std::string& scriptPath) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"/bin/sh " + std::wstring(scriptPath.begin(), scriptPath.end());
  // Wine runs a host executable itself; it gives no process handle to wait on,
  // so the script leaves its exit status in a file.
  if (!::CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
    ThrowLastError("Cannot start the host shell");
  }
  if (process.hThread) ::CloseHandle(process.hThread);
  if (process.hProcess) ::CloseHandle(process.hProcess);
}

}  // namespace

CommandResult RunHostShell(std::string_view script, std::string_view input,
                           std::chrono::milliseconds timeout) {
  const std::string folder = NewHostFolder();
  WriteFile(folder + "/script", script);
  WriteFile(folder + "/input", input);
  WriteFile(folder + "/run", "cd " + folder + " && /bin/sh ./script <input >output 2>&1; " +
                                 "echo $? >status.part; mv status.part status\n");
  StartHostShell(folder + "/run");
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!Exists(folder + "/status")) {
    if (std::chrono::steady_clock::now() > deadline) {
      throw Failure("The host shell did not finish: " + std::string(script));
    }
    ::Sleep(10);
  }
  CommandResult result{std::stoi(ReadFile(folder + "/status")), ReadFile(folder + "/output")};
  for (const char* name : {"/script", "/input", "/run", "/status", "/output"}) {
    ::DeleteFileA(HostToWindowsPath(folder + name).c_str());
  }
  ::RemoveDirectoryA(HostToWindowsPath(folder).c_str());
  return result;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    DispatchPendingMessages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

WindowHandle FindChild(WindowHandle parent, std::u16string_view className,
                       std::u16string_view caption) {
  return FindChildAfter(parent, 0, className, caption);
}

WindowHandle FindChildAfter(WindowHandle parent, WindowHandle after, std::u16string_view className,
                            std::u16string_view caption) {
  return ToHandle(::FindWindowExW(ToHwnd(parent), ToHwnd(after), ToWide(className).c_str(),
                                  ToWide(caption).c_str()));
}

std::u16string ClassName(WindowHandle window) {
  wchar_t name[256] = {};
  const int length = ::GetClassNameW(ToHwnd(window), name, 256);
  return std::u16string(AsUtf16(std::wstring_view(name, static_cast<std::size_t>(length))));
}

std::uint32_t Style(WindowHandle window) {
  return static_cast<std::uint32_t>(::GetWindowLongPtrW(ToHwnd(window), GWL_STYLE));
}

Size ClientSize(WindowHandle window) {
  RECT client{};
  ::GetClientRect(ToHwnd(window), &client);
  return {client.right - client.left, client.bottom - client.top};
}

Rect ScreenRect(WindowHandle window) {
  RECT rect{};
  ::GetWindowRect(ToHwnd(window), &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

Rect ClientScreenRect(WindowHandle window) {
  RECT rect{};
  ::GetClientRect(ToHwnd(window), &rect);
  ::MapWindowPoints(ToHwnd(window), nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

namespace {
BOOL CALLBACK CollectChild(HWND child, LPARAM children) noexcept {
  auto& found = *reinterpret_cast<std::pair<HWND, std::vector<WindowHandle>>*>(children);
  if (::GetParent(child) == found.first) found.second.push_back(ToHandle(child));
  return TRUE;
}
}  // namespace

std::vector<WindowHandle> Children(WindowHandle parent) {
  std::pair<HWND, std::vector<WindowHandle>> found{ToHwnd(parent), {}};
  ::EnumChildWindows(ToHwnd(parent), &CollectChild, reinterpret_cast<LPARAM>(&found));
  return found.second;
}

Rect WorkArea() {
  RECT area{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return {area.left, area.top, area.right, area.bottom};
}

bool IsEnabled(WindowHandle window) {
  return ::IsWindowEnabled(ToHwnd(window)) != FALSE;
}

WindowHandle Focus() {
  return ToHandle(::GetFocus());
}

WindowHandle FocusInThreadOf(WindowHandle window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(ToHwnd(window), nullptr), &info)) return 0;
  return ToHandle(info.hwndFocus);
}

WindowHandle Foreground() {
  return ToHandle(::GetForegroundWindow());
}

namespace {

HMODULE CaptionHookModule() {
  static const HMODULE module = [] {
    const std::string path = HostToWindowsPath(FENLOW_CAPTION_HOOK_HOST_PATH);
    const HMODULE loaded = ::LoadLibraryA(path.c_str());
    if (!loaded) ThrowLastError("Cannot load the caption hook " + path);
    return loaded;
  }();
  return module;
}

}  // namespace

// Hooked for the one question only, so that the program runs unhooked
// otherwise; the hook answers before the control's procedure runs.
caption_hook::Measured MeasureCaptionInItsProgram(WindowHandle control,
                                                  std::chrono::milliseconds timeout) {
  const HWND window = ToHwnd(control);
  const HMODULE module = CaptionHookModule();
  const auto procedure = reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(
      ::GetProcAddress(module, caption_hook::kProcedureName)));
  if (!procedure) ThrowLastError("The caption hook has no hook procedure");
  const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
  if (!thread) throw Failure("The control to measure is not there");
  const HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, procedure, module, thread);
  if (!hook) ThrowLastError("Cannot hook the control's window thread");
  DWORD_PTR reply = 0;
  const LRESULT sent = ::SendMessageTimeoutW(
      window, ::RegisterWindowMessageW(caption_hook::kMeasureMessage), 0, 0, SMTO_NORMAL,
      static_cast<UINT>(timeout.count()), &reply);
  ::UnhookWindowsHookEx(hook);
  if (!sent || !(reply & caption_hook::kAnswered)) {
    throw Failure("The control's program did not measure its caption in time");
  }
  return caption_hook::Unpack(reply);
}

WindowHandle Parent(WindowHandle window) {
  return ToHandle(::GetParent(ToHwnd(window)));
}

std::uint32_t ProcessOf(WindowHandle window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(ToHwnd(window), &process);
  return process;
}

std::uint32_t CurrentProcess() {
  return ::GetCurrentProcessId();
}

std::u16string WindowText(WindowHandle window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(ToHwnd(window))) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(ToHwnd(window), text.data(), static_cast<int>(text.size()))));
  return std::u16string(AsUtf16(text));
}

std::uintptr_t Font(WindowHandle window) {
  return static_cast<std::uintptr_t>(::SendMessageW(ToHwnd(window), WM_GETFONT, 0, 0));
}

int FontHeightPixels(std::uintptr_t font) {
  LOGFONTW description{};
  ::GetObjectW(reinterpret_cast<HFONT>(font), sizeof(description), &description);
  return description.lfHeight < 0 ? -description.lfHeight : description.lfHeight;
}

int Dpi(WindowHandle window) {
  const HDC screen = ::GetDC(ToHwnd(window));
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(ToHwnd(window), screen);
  return dpi;
}

void PostClick(WindowHandle button) {
  ::PostMessageW(ToHwnd(button), BM_CLICK, 0, 0);
}

void PostKey(WindowHandle window, int virtualKey) {
  ::PostMessageW(ToHwnd(window), WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1);
  ::PostMessageW(ToHwnd(window), WM_KEYUP, static_cast<WPARAM>(virtualKey),
                 static_cast<LPARAM>(0xC0000001));
}

void PostClose(WindowHandle window) {
  ::PostMessageW(ToHwnd(window), WM_CLOSE, 0, 0);
}

void PostMessageTo(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                   std::intptr_t lParam) {
  ::PostMessageW(ToHwnd(window), message, wParam, lParam);
}

void PostSystemCommand(WindowHandle window, std::uint32_t command) {
  ::PostMessageW(ToHwnd(window), WM_SYSCOMMAND, command, 0);
}

std::vector<std::u16string> SystemMenuCaptions(WindowHandle window) {
  const HMENU menu = ::GetSystemMenu(ToHwnd(window), FALSE);
  std::vector<std::u16string> captions;
  for (int item = 0; item < ::GetMenuItemCount(menu); ++item) {
    wchar_t caption[256] = {};
    const int length = ::GetMenuStringW(menu, static_cast<UINT>(item), caption, 256, MF_BYPOSITION);
    captions.emplace_back(AsUtf16(std::wstring_view(caption, static_cast<std::size_t>(length))));
  }
  return captions;
}

std::future<void> SendCloseFromAnotherThread(WindowHandle window, std::chrono::milliseconds delay) {
  return std::async(std::launch::async, [window, delay] {
    std::this_thread::sleep_for(delay);
    ::SendMessageW(ToHwnd(window), WM_CLOSE, 0, 0);
  });
}

std::future<std::intptr_t> SendFromAnotherThread(WindowHandle window, std::uint32_t message) {
  return std::async(std::launch::async, [window, message] {
    return static_cast<std::intptr_t>(::SendMessageW(ToHwnd(window), message, 0, 0));
  });
}

bool SentMessageWaiting() {
  return (HIWORD(::GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) != 0;
}

std::future<MessageBoxSeen> AnswerMessageBox(std::u16string title, WindowHandle watched,
                                             BoxAnswer answer) {
  return std::async(std::launch::async, [title = std::move(title), watched, answer] {
    const std::wstring wideTitle = ToWide(title);
    HWND box = nullptr;
    for (int attempt = 0; attempt < 1000 && !box; ++attempt) {
      box = ::FindWindowW(L"#32770", wideTitle.c_str());
      if (!box) ::Sleep(10);
    }
    if (!box) throw Failure("No message box appeared");
    MessageBoxSeen seen{title, {}, !IsEnabled(watched)};
    // The message text is the box's one static control with text; a box
    // found the moment it appears may not have filled it in yet.
    for (int attempt = 0; attempt < 100 && seen.text.empty(); ++attempt) {
      for (HWND child = ::GetWindow(box, GW_CHILD); child;
           child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(ToHandle(child)) == u"Static" && !WindowText(ToHandle(child)).empty()) {
          seen.text = WindowText(ToHandle(child));
        }
      }
      if (seen.text.empty()) ::Sleep(10);
    }
    const WPARAM button = answer == BoxAnswer::Yes ? IDYES : answer == BoxAnswer::No ? IDNO : IDOK;
    ::PostMessageW(box, WM_COMMAND, button, 0);
    return seen;
  });
}

std::u16string ReadUserRegistryString(std::u16string_view key, std::u16string_view name) {
  wchar_t value[1024] = {};
  DWORD bytes = sizeof(value);
  if (::RegGetValueW(HKEY_CURRENT_USER, ToWide(key).c_str(), ToWide(name).c_str(), RRF_RT_REG_SZ,
                     nullptr, value, &bytes) != ERROR_SUCCESS) {
    return {};
  }
  return std::u16string(AsUtf16(value));
}

ClipboardHeldElsewhere::ClipboardHeldElsewhere() {
  std::promise<void> opened;
  std::future<void> isOpen = opened.get_future();
  std::future<void> released = release_.get_future();
  holder_ = std::async(
      std::launch::async, [opened = std::move(opened), released = std::move(released)]() mutable {
        if (!::OpenClipboard(nullptr)) {
          opened.set_exception(
              std::make_exception_ptr(Failure("The helper thread cannot open the clipboard")));
          return;
        }
        opened.set_value();
        released.wait();
        ::CloseClipboard();
      });
  isOpen.get();
}

ClipboardHeldElsewhere::~ClipboardHeldElsewhere() {
  release_.set_value();
  holder_.wait();
}

namespace {

// A clipboard owner of the copying thread: with none, EmptyClipboard leaves
// no owner and SetClipboardData may fail.
void CopyAndHold(const std::u16string& text, std::chrono::milliseconds hold) {
  const UniqueWindow owner(::CreateWindowExW(0, L"STATIC", L"Probe clipboard owner", 0, 0, 0, 0, 0,
                                             HWND_MESSAGE, nullptr, nullptr, nullptr));
  if (!owner) ThrowLastError("The copying thread cannot make a window");
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  if (!block) ThrowLastError("The copying thread cannot allocate memory");
  auto* data = static_cast<char16_t*>(::GlobalLock(block));
  std::copy(text.begin(), text.end(), data);
  data[text.size()] = u'\0';
  ::GlobalUnlock(block);
  if (!::OpenClipboard(owner.get())) {
    ::GlobalFree(block);
    ThrowLastError("The copying thread cannot open the clipboard");
  }
  ::EmptyClipboard();
  if (!::SetClipboardData(CF_UNICODETEXT, block)) ::GlobalFree(block);
  ::CloseClipboard();                         // the viewers hear of the copy now...
  if (!::OpenClipboard(owner.get())) return;  // ...and the reader takes the clipboard at once
  ::Sleep(static_cast<DWORD>(hold.count()));
  ::CloseClipboard();
}

}  // namespace

std::future<void> CopyThenHoldClipboard(std::u16string text, std::chrono::milliseconds hold) {
  return std::async(std::launch::async,
                    [text = std::move(text), hold] { CopyAndHold(text, hold); });
}

void PostQuit() {
  ::PostQuitMessage(0);
}

bool TakeQuit() {
  MSG message{};
  return ::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

StartedProgram::StartedProgram(std::u16string commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  std::wstring line = ToWide(commandLine);
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
    ThrowLastError("Cannot start " + ToUtf8(line));
  }
  ::CloseHandle(started.hThread);
  process_ = reinterpret_cast<std::uintptr_t>(started.hProcess);
  processId_ = started.dwProcessId;
}

StartedProgram::~StartedProgram() {
  const auto process = reinterpret_cast<HANDLE>(process_);
  ::TerminateProcess(process, 0);
  ::WaitForSingleObject(process, 10000);
  ::CloseHandle(process);
}

namespace {

struct WindowOfProcess {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM search) {
  auto* wanted = reinterpret_cast<WindowOfProcess*>(search);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process != wanted->processId || !::IsWindowVisible(window)) return TRUE;
  wanted->found = window;
  return FALSE;
}

}  // namespace

WindowHandle StartedProgram::WaitForWindow(std::chrono::milliseconds timeout) {
  WindowOfProcess search{processId_, nullptr};
  WaitUntil(
      [&] {
        ::EnumWindows(&FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeout);
  return ToHandle(search.found);
}

void MarkHidden(std::u16string_view path) {
  ::SetFileAttributesW(ToWide(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
}

void MarkSystem(std::u16string_view path) {
  ::SetFileAttributesW(ToWide(path).c_str(), FILE_ATTRIBUTE_SYSTEM);
}

}  // namespace fenlow::platform::win32::probe
