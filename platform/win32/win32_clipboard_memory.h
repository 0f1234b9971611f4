// The clipboard's memory as the backend's clipboard parts handle it: an
// opening held for one primitive, global memory until the clipboard takes it
// over, a locked view of it, and registered formats by name.
#pragma once

#include <cstring>
#include <string>
#include <utility>

#include "platform/types.h"
#include "platform/win32/win32_support.h"

namespace fenlow::platform::win32 {

// Keeps the clipboard open for the lifetime of one primitive.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) {
    if (!::OpenClipboard(owner)) ThrowLastError("Cannot open the clipboard");
  }
  ~OpenClipboardScope() { ::CloseClipboard(); }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
};

// Movable global memory until SetClipboardData takes it over.
class GlobalBuffer {
 public:
  explicit GlobalBuffer(std::size_t bytes) : memory_(::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (!memory_) {
      throw OutOfMemory("Cannot allocate " + std::to_string(bytes) +
                        " bytes of clipboard memory: " + ToUtf8(SystemMessage(::GetLastError())));
    }
  }
  ~GlobalBuffer() {
    if (memory_) ::GlobalFree(memory_);
  }
  GlobalBuffer(GlobalBuffer&& other) noexcept : memory_(std::exchange(other.memory_, nullptr)) {}
  GlobalBuffer& operator=(GlobalBuffer&&) = delete;
  HGLOBAL Get() const { return memory_; }
  void Release() { memory_ = nullptr; }

 private:
  HGLOBAL memory_;
};

// A locked view of global memory.
class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL memory)
      : memory_(memory), data_(static_cast<char*>(::GlobalLock(memory))) {
    if (!data_) ThrowLastError("Cannot lock clipboard memory");
  }
  ~GlobalLockScope() { ::GlobalUnlock(memory_); }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;
  char* Data() const { return data_; }
  std::size_t Size() const { return ::GlobalSize(memory_); }

 private:
  HGLOBAL memory_;
  char* data_;
};

inline UINT RegisteredFormat(const wchar_t* name) {
  const UINT number = ::RegisterClipboardFormatW(name);
  if (!number) ThrowLastError("Cannot register a clipboard format");
  return number;
}

// A block holding `bytes`, one byte at least: the system takes no empty block.
inline GlobalBuffer BlockHolding(const std::string& bytes) {
  GlobalBuffer buffer(bytes.empty() ? 1 : bytes.size());
  const GlobalLockScope lock(buffer.Get());
  std::memcpy(lock.Data(), bytes.data(), bytes.size());
  return buffer;
}

}  // namespace fenlow::platform::win32
