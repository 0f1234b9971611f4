#include "platform/win32/win32_desktop_input.h"

#include <array>
#include <optional>
#include <string_view>

#include "platform/win32/win32_support.h"

namespace fenlow::platform::win32 {

namespace {

// The window classes of consoles and terminals, where Ctrl+C interrupts.
constexpr std::array<std::wstring_view, 5> kTerminalClasses = {
    L"ConsoleWindowClass",             // the system's console
    L"CASCADIA_HOSTING_WINDOW_CLASS",  // the newer terminal
    L"mintty",                         // Cygwin's and Git's terminal
    L"PuTTY",
    L"VirtualConsoleClass",  // a tabbed console host
};

// The integrity level of a process's token (its mandatory label's last
// sub-authority); nullopt when the token cannot be read.
std::optional<DWORD> IntegrityLevel(HANDLE process) {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
  const UniqueHandle owned(token);
  DWORD size = 0;
  ::GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
  if (size == 0) return std::nullopt;
  std::string buffer(size, '\0');
  if (!::GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size))
    return std::nullopt;
  const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
  const DWORD count = *::GetSidSubAuthorityCount(label->Label.Sid);
  if (count == 0) return std::nullopt;
  return *::GetSidSubAuthority(label->Label.Sid, count - 1);
}

KEYBDINPUT KeyInput(const KeyStroke& stroke) {
  KEYBDINPUT input{};
  input.wVk = stroke.key;
  input.wScan = static_cast<WORD>(::MapVirtualKeyW(stroke.key, MAPVK_VK_TO_VSC));
  input.dwFlags = stroke.up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

bool Win32DesktopInput::IsKeyDown(std::uint8_t virtualKey) {
  return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

std::size_t Win32DesktopInput::SendKeys(const std::vector<KeyStroke>& strokes) {
  std::vector<INPUT> inputs(strokes.size());
  for (std::size_t i = 0; i < strokes.size(); ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki = KeyInput(strokes[i]);
  }
  return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

FocusedWindow Win32DesktopInput::Focused() {
  const HWND foreground = ::GetForegroundWindow();
  FocusedWindow focused{ToHandle(foreground), 0};
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (foreground != nullptr &&
      ::GetGUIThreadInfo(::GetWindowThreadProcessId(foreground, nullptr), &info)) {
    focused.focus = ToHandle(info.hwndFocus);
  }
  return focused;
}

std::uint32_t Win32DesktopInput::ProcessOf(WindowHandle window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(ToHwnd(window), &process);
  return process;
}

bool Win32DesktopInput::RunsAboveUs(WindowHandle window) {
  const std::uint32_t process = ProcessOf(window);
  if (process == ::GetCurrentProcessId()) return false;
  const std::optional<DWORD> ours = IntegrityLevel(::GetCurrentProcess());
  const UniqueHandle theirs(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
  if (!ours || !theirs) return true;
  const std::optional<DWORD> level = IntegrityLevel(theirs.get());
  return !level || *level > *ours;
}

bool Win32DesktopInput::IsTerminal(WindowHandle window) {
  std::array<wchar_t, 256> name{};
  const int length = ::GetClassNameW(ToHwnd(window), name.data(), static_cast<int>(name.size()));
  const std::wstring_view className(name.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
  for (std::wstring_view terminal : kTerminalClasses) {
    if (className == terminal) return true;
  }
  return false;
}

}  // namespace fenlow::platform::win32
