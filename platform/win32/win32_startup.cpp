#include "platform/win32/win32_startup.h"

#include <chrono>
#include <thread>

namespace fenlow::platform::win32 {
namespace {

// Per session ("Local\"), so each signed-in user runs an instance of their own.
constexpr wchar_t kInstanceMutex[] = L"Local\\Kestrane.Fenlow.SingleInstance";
// How long a second start looks for the first one's window: only a first
// start that is itself just starting takes any time to show it.
constexpr auto kFindRunningInstance = std::chrono::seconds(5);

UINT ActivateMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"Kestrane.Fenlow.Activate");
  return message;
}

// The desktop message window of another process of the program, or nullptr.
HWND OtherInstanceWindow() {
  for (HWND window = ::FindWindowExW(nullptr, nullptr, DesktopMessageWindow::kClassName, nullptr);
       window;
       window = ::FindWindowExW(nullptr, window, DesktopMessageWindow::kClassName, nullptr)) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId()) return window;
  }
  return nullptr;
}

}  // namespace

bool Win32StartupServices::ClaimSingleInstance() {
  UniqueHandle mutex(::CreateMutexW(nullptr, FALSE, kInstanceMutex));
  if (!mutex) return true;  // the program runs rather than not at all
  if (::GetLastError() == ERROR_ALREADY_EXISTS) return false;
  messageWindow_.Handle();  // from now on a second start finds this instance
  instance_ = std::move(mutex);
  return true;
}

void Win32StartupServices::ActivateRunningInstance() {
  const auto deadline = std::chrono::steady_clock::now() + kFindRunningInstance;
  HWND running = OtherInstanceWindow();
  while (!running && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    running = OtherInstanceWindow();
  }
  if (!running) throw Failure("Fenlow is running but its window cannot be found.");
  DWORD process = 0;
  ::GetWindowThreadProcessId(running, &process);
  ::AllowSetForegroundWindow(process);  // this start was the user's act: it may pass the focus on
  if (!::PostMessageW(running, ActivateMessage(), 0, 0)) {
    ThrowLastError("Cannot reach the running Fenlow");
  }
}

void Win32StartupServices::OnActivateRequest(std::function<void()> handler) {
  if (!handler) {
    messageWindow_.OnMessage(ActivateMessage(), nullptr);
    return;
  }
  messageWindow_.OnMessage(ActivateMessage(), [handler = std::move(handler)](WPARAM, LPARAM) {
    handler();
    return LRESULT{0};
  });
}

bool Win32StartupServices::StartedWithWindows() {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (arguments == nullptr) return false;
  bool found = false;
  for (int i = 1; i < count; ++i) {
    if (::CompareStringOrdinal(arguments[i], -1, kStartedWithWindowsArgument, -1, TRUE) ==
        CSTR_EQUAL)
      found = true;
  }
  ::LocalFree(arguments);
  return found;
}

bool Win32StartupServices::StartsWithWindows() {
  return ::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, nullptr,
                        nullptr) == ERROR_SUCCESS;
}

void Win32StartupServices::SetStartWithWindows(bool on) {
  if (!on) {
    const LSTATUS removed = ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
    if (removed != ERROR_SUCCESS && removed != ERROR_FILE_NOT_FOUND)
      ThrowSystemError("Cannot remove Fenlow from the programs started with Windows", removed);
    return;
  }
  const std::wstring command =
      L"\"" + ProgramPath() + L"\" " + std::wstring(kStartedWithWindowsArgument);
  HKEY opened = nullptr;
  const LSTATUS created = ::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0,
                                            KEY_SET_VALUE, nullptr, &opened, nullptr);
  if (created != ERROR_SUCCESS)
    ThrowSystemError("Cannot add Fenlow to the programs started with Windows", created);
  const UniqueRegistryKey runKey(opened);
  const LSTATUS stored = ::RegSetValueExW(
      runKey.get(), kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
      static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  if (stored != ERROR_SUCCESS)
    ThrowSystemError("Cannot add Fenlow to the programs started with Windows", stored);
}

}  // namespace fenlow::platform::win32
