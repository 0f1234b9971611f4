// Small helpers shared by the Win32 backend: text conversion between the
// program's UTF-16 strings and the API's wide strings, failures carrying the
// system's own error text, and owners for the few handle kinds we hold.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/types.h"
#include "platform/win32/conversion_length.h"
#include "platform/win32/win32_api.h"

namespace fenlow::platform::win32 {

// wchar_t is a UTF-16 code unit on Windows, so both views share one layout.
inline std::wstring_view AsWide(std::u16string_view text) {
  return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}
inline std::u16string_view AsUtf16(std::wstring_view text) {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}
// A NUL-terminated copy for API calls that need one.
inline std::wstring ToWide(std::u16string_view text) {
  return std::wstring(AsWide(text));
}

std::string ToUtf8(std::wstring_view text);

// A control colour (ui.h's encoding, system colours included) as GDI takes it.
inline COLORREF ToColorRef(std::uint32_t colour) {
  constexpr std::uint32_t kSystemColour = 0x80000000;
  if (colour & kSystemColour) return ::GetSysColor(static_cast<int>(colour & 0xFF));
  return colour & 0x00FFFFFF;
}

// The system's message text for an error code, without the trailing line break.
std::wstring SystemMessage(DWORD error);

// Throws Failure("<what>: <system message>") for `error`.
[[noreturn]] void ThrowSystemError(std::string_view what, DWORD error);
// The same for the calling thread's last error.
[[noreturn]] void ThrowLastError(std::string_view what);

// Registers this program's window class `name` unless it is registered
// already; throws Failure when the system refuses it.
void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HCURSOR cursor = nullptr,
                         HICON icon = nullptr);

// The full path of the program's own file; throws Failure.
std::wstring ProgramPath();

// Shows `window` restored when minimised, on top of the others, as the
// active window.
void RestoreInFront(HWND window);

// Owners of Win32 handles, released by the matching function.
struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;

struct CursorDeleter {
  void operator()(HCURSOR cursor) const { ::DestroyCursor(cursor); }
};
using UniqueCursor = std::unique_ptr<std::remove_pointer_t<HCURSOR>, CursorDeleter>;

struct KernelHandleDeleter {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, KernelHandleDeleter>;

struct RegistryKeyDeleter {
  void operator()(HKEY key) const { ::RegCloseKey(key); }
};
using UniqueRegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyDeleter>;

struct WindowDeleter {
  void operator()(HWND window) const { ::DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// A window handle as the boundary carries it, and back.
inline WindowHandle ToHandle(HWND window) {
  return reinterpret_cast<WindowHandle>(window);
}
inline HWND ToHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(window);
}

}  // namespace fenlow::platform::win32
