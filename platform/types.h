// Basic vocabulary shared by every platform service: window handles, window
// procedures, the two clipboard-viewer messages and the failure type.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace fenlow::platform {

// A platform window handle. Pointer-sized, so 64-bit handles are never truncated.
using WindowHandle = std::uintptr_t;
using MessageId = std::uint32_t;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using MessageResult = std::intptr_t;

// A window procedure with the platform's calling convention. On x86_64 Windows
// this is ABI-identical to WNDPROC (all four arguments are passed in registers).
#if defined(_WIN32) && !defined(_WIN64)
#define FENLOW_WINDOW_PROC_CALL __stdcall
#else
#define FENLOW_WINDOW_PROC_CALL
#endif
using WindowProc = MessageResult(FENLOW_WINDOW_PROC_CALL*)(WindowHandle, MessageId, WParam, LParam);

constexpr MessageId kDrawClipboardMessage = 0x0308;  // WM_DRAWCLIPBOARD: the clipboard changed
constexpr MessageId kChangeClipboardChainMessage = 0x030D;  // WM_CHANGECBCHAIN: a viewer leaves
constexpr MessageId kCloseMessage = 0x0010;                 // WM_CLOSE

// Every failing platform operation throws this, carrying a description text
// that can be shown to the user as it stands.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failure for want of memory: trying again at once cannot mend it.
class OutOfMemory : public Failure {
 public:
  using Failure::Failure;
};

}  // namespace fenlow::platform
