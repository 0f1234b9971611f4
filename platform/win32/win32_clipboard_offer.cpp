#include "platform/win32/win32_clipboard_offer.h"

#include <utility>

#include "platform/win32/win32_clipboard_memory.h"

namespace fenlow::platform::win32 {

namespace {

std::uint32_t ProcessOfWindow(HWND window) {
  DWORD process = 0;
  if (window != nullptr) ::GetWindowThreadProcessId(window, &process);
  return process;
}

GlobalBuffer UnicodeBlock(std::u16string_view text) {
  return BlockHolding(UnicodeTextFormat(text).bytes);
}

}  // namespace

Win32ClipboardOffer::~Win32ClipboardOffer() {
  if (!listening_) return;
  window_.OnMessage(WM_RENDERFORMAT, nullptr);
  window_.OnMessage(WM_RENDERALLFORMATS, nullptr);
  window_.OnMessage(WM_DESTROYCLIPBOARD, nullptr);
}

void Win32ClipboardOffer::Listen() {
  if (listening_) return;
  window_.OnMessage(WM_RENDERFORMAT, [this](WPARAM format, LPARAM) {
    if (format == CF_UNICODETEXT) Render();
    return LRESULT{0};
  });
  window_.OnMessage(WM_RENDERALLFORMATS, [this](WPARAM, LPARAM) {
    RenderAll();
    return LRESULT{0};
  });
  window_.OnMessage(WM_DESTROYCLIPBOARD, [this](WPARAM, LPARAM) {
    if (std::exchange(offering_, false)) takenOver_ = true;
    return LRESULT{0};
  });
  listening_ = true;
}

void Win32ClipboardOffer::Offer(const std::vector<ClipboardFormatData>& marks, std::u16string text,
                                std::function<void(std::uint32_t readerProcess)> read) {
  std::vector<std::pair<UINT, GlobalBuffer>> blocks;
  for (const ClipboardFormatData& mark : marks)
    blocks.emplace_back(RegisteredFormat(ToWide(mark.name).c_str()), BlockHolding(mark.bytes));
  const HWND owner = window_.Handle();
  Listen();
  const OpenClipboardScope open(owner);
  offering_ = false;  // our own emptying is no takeover
  if (!::EmptyClipboard()) ThrowLastError("Cannot empty the clipboard");
  for (auto& [format, block] : blocks) {
    if (!::SetClipboardData(format, block.Get())) ThrowLastError("Cannot place a format");
    block.Release();
  }
  // Rendered when asked for. The call gives no handle back to check: it
  // placed none.
  ::SetClipboardData(CF_UNICODETEXT, nullptr);
  text_ = std::move(text);
  read_ = std::move(read);
  takenOver_ = false;
  offering_ = true;
}

// The reader holds the clipboard open: its window tells whose reading it is.
void Win32ClipboardOffer::Render() {
  if (!offering_) return;
  GlobalBuffer block = UnicodeBlock(text_);
  if (!::SetClipboardData(CF_UNICODETEXT, block.Get())) return;
  block.Release();
  if (read_) read_(ProcessOfWindow(::GetOpenClipboardWindow()));
}

// The window goes while it owns the clipboard: the text stays on it.
void Win32ClipboardOffer::RenderAll() {
  if (!offering_ || !::OpenClipboard(window_.Handle())) return;
  if (::GetClipboardOwner() == window_.Handle()) {
    GlobalBuffer block = UnicodeBlock(text_);
    if (::SetClipboardData(CF_UNICODETEXT, block.Get())) block.Release();
  }
  ::CloseClipboard();
}

void Win32ClipboardOffer::Withdraw() noexcept {
  offering_ = false;
  read_ = nullptr;
}

}  // namespace fenlow::platform::win32
