#include "platform/win32/win32_support.h"

#include <string>

namespace fenlow::platform::win32 {

std::string ToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = ConversionLength(text.size());
  const int bytes =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, result.data(), bytes, nullptr, nullptr);
  return result;
}

std::wstring SystemMessage(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring message = length ? std::wstring(buffer, length) : L"error " + std::to_wstring(error);
  ::LocalFree(buffer);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                              message.back() == L' ' || message.back() == L'.')) {
    message.pop_back();
  }
  return message;
}

void ThrowSystemError(std::string_view what, DWORD error) {
  throw Failure(std::string(what) + ": " + ToUtf8(SystemMessage(error)));
}

void ThrowLastError(std::string_view what) {
  ThrowSystemError(what, ::GetLastError());
}

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HCURSOR cursor, HICON icon) {
  const HINSTANCE program = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (::GetClassInfoExW(program, name, &windowClass)) return;
  windowClass = WNDCLASSEXW{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = program;
  windowClass.hCursor = cursor;
  windowClass.hIcon = icon;
  windowClass.lpszClassName = name;
  if (!::RegisterClassExW(&windowClass)) ThrowLastError("Cannot register the window class");
}

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) ThrowLastError("Cannot find the program's path");
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // truncated: long paths exceed MAX_PATH
  }
}

void RestoreInFront(HWND window) {
  ::ShowWindow(window, ::IsIconic(window) ? SW_RESTORE : SW_SHOW);
  ::BringWindowToTop(window);
  ::SetForegroundWindow(window);
}

}  // namespace fenlow::platform::win32
