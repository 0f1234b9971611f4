#include "platform/win32/win32_clipboard.h"

#include <cstring>
#include <utility>

#include "platform/system_clipboard.h"
#include "platform/win32/win32_clipboard_memory.h"

namespace fenlow::platform::win32 {
namespace {

bool IsUnicodeText(UINT systemFormat) {
  return systemFormat == CF_UNICODETEXT;
}

// Text of a Unicode format: UTF-16 up to the first NUL within the block.
std::u16string ReadUnicodeText(const GlobalLockScope& lock) {
  const std::u16string_view block(reinterpret_cast<const char16_t*>(lock.Data()),
                                  lock.Size() / sizeof(char16_t));
  return std::u16string(block.substr(0, block.find(u'\0')));
}

// Text of an 8-bit format (rich text, links): ANSI code page up to the first NUL.
std::u16string ReadNarrowText(const GlobalLockScope& lock) {
  const std::string_view block(lock.Data(), lock.Size());
  const std::string_view text = block.substr(0, block.find('\0'));
  if (text.empty()) return {};
  const int length = ConversionLength(text.size());
  const int units = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (units == 0) ThrowLastError("Cannot convert the clipboard text");
  std::u16string result(static_cast<std::size_t>(units), u'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(result.data()),
                        units);
  return result;
}

// A NUL-terminated block holding `text` as the system format expects it.
GlobalBuffer EncodeText(UINT systemFormat, std::u16string_view text) {
  if (IsUnicodeText(systemFormat)) {
    GlobalBuffer buffer((text.size() + 1) * sizeof(char16_t));
    const GlobalLockScope lock(buffer.Get());
    std::memcpy(lock.Data(), text.data(), text.size() * sizeof(char16_t));
    reinterpret_cast<char16_t*>(lock.Data())[text.size()] = u'\0';
    return buffer;
  }
  const std::wstring_view wide = AsWide(text);
  const int length = ConversionLength(wide.size());
  const int bytes =
      ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  GlobalBuffer buffer(static_cast<std::size_t>(bytes) + 1);
  const GlobalLockScope lock(buffer.Get());
  ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, lock.Data(), bytes, nullptr, nullptr);
  lock.Data()[bytes] = '\0';
  return buffer;
}

// Formats whose data is a handle to something other than a memory block, or
// to memory of unknown kind: they cannot be copied as bytes.
bool IsHandleBased(UINT systemFormat) {
  switch (systemFormat) {
    case CF_BITMAP:
    case CF_METAFILEPICT:
    case CF_PALETTE:
    case CF_ENHMETAFILE:
    case CF_OWNERDISPLAY:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
      return true;
    default:
      return systemFormat >= CF_PRIVATEFIRST && systemFormat <= CF_GDIOBJLAST;
  }
}

// Of the formats the system converts into one another, the one worth
// keeping: Unicode text (lossless; the 8-bit and OEM text and the locale
// follow from it), and the first picture enumerated, which is the one its
// owner placed (the system lists each placed format before those it makes
// of it).
class DerivedFormats {
 public:
  bool Skip(UINT systemFormat) {
    switch (systemFormat) {
      case CF_TEXT:
      case CF_OEMTEXT:
      case CF_LOCALE:
        return true;
      case CF_DIB:
      case CF_DIBV5:
        return std::exchange(pictureKept_, true);
      default:
        return IsHandleBased(systemFormat);
    }
  }

 private:
  bool pictureKept_ = false;
};

// A registered format's name; empty for a predefined one.
std::u16string FormatName(UINT systemFormat) {
  if (systemFormat < 0xC000) return {};
  wchar_t name[256] = {};
  const int length = ::GetClipboardFormatNameW(systemFormat, name, 256);
  return std::u16string(AsUtf16(std::wstring_view(name, static_cast<std::size_t>(length))));
}

}  // namespace

Win32Clipboard::Win32Clipboard()
    : owner_(::CreateWindowExW(0, L"STATIC", L"Fenlow clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE,
                               nullptr, ::GetModuleHandleW(nullptr), nullptr)) {
  if (!owner_) ThrowLastError("Cannot create the clipboard owner window");
}

UINT Win32Clipboard::SystemFormat(std::int32_t format) const {
  switch (format) {
    case 0:
    case format::kText:
    case format::kUnicodeText:
      return CF_UNICODETEXT;  // never 8-bit CF_TEXT, which loses non-ANSI characters
    case format::kLink:
      return RegisteredFormat(L"Link");
    case format::kRichText:
      return RegisteredFormat(L"Rich Text Format");
    default:
      if (format < 0) throw Failure("Unknown clipboard format " + std::to_string(format));
      return static_cast<UINT>(format);
  }
}

void Win32Clipboard::Empty() {
  const OpenClipboardScope open(owner_.get());
  if (!::EmptyClipboard()) ThrowLastError("Cannot empty the clipboard");
}

void Win32Clipboard::PutText(std::int32_t format, std::u16string_view text) {
  const UINT systemFormat = SystemFormat(format);
  GlobalBuffer buffer = EncodeText(systemFormat, text);
  const OpenClipboardScope open(owner_.get());
  if (!::SetClipboardData(systemFormat, buffer.Get())) ThrowLastError("Cannot place the text");
  buffer.Release();  // the clipboard owns the memory now
}

// The block is made ready before the clipboard is opened, so that it is held
// open for as short a time as possible.
void Win32Clipboard::ReplaceWithText(std::u16string_view text) {
  GlobalBuffer buffer = EncodeText(CF_UNICODETEXT, text);
  const OpenClipboardScope open(owner_.get());
  if (!::EmptyClipboard()) ThrowLastError("Cannot empty the clipboard");
  if (!::SetClipboardData(CF_UNICODETEXT, buffer.Get())) ThrowLastError("Cannot place the text");
  buffer.Release();  // the clipboard owns the memory now
}

std::u16string Win32Clipboard::GetText(std::int32_t format) {
  const UINT systemFormat = SystemFormat(format);
  const OpenClipboardScope open(owner_.get());
  if (!::IsClipboardFormatAvailable(systemFormat)) return {};
  HANDLE data = ::GetClipboardData(systemFormat);
  if (!data) ThrowLastError("Cannot read the clipboard text");
  const GlobalLockScope lock(data);
  return IsUnicodeText(systemFormat) ? ReadUnicodeText(lock) : ReadNarrowText(lock);
}

// IsClipboardFormatAvailable needs no opening: asking never holds off
// another program, nor fails while one holds the clipboard.
bool Win32Clipboard::HasFormat(std::int32_t format) {
  const UINT systemFormat = SystemFormat(format);
  if (format == format::kText) {
    // Plain text is present in either form; the system converts between them.
    return ::IsClipboardFormatAvailable(CF_UNICODETEXT) || ::IsClipboardFormatAvailable(CF_TEXT);
  }
  return ::IsClipboardFormatAvailable(systemFormat);
}

std::optional<std::vector<ClipboardFormatData>> Win32Clipboard::ReadMemoryFormats(
    std::size_t byteBound) {
  const OpenClipboardScope open(owner_.get());
  std::vector<ClipboardFormatData> formats;
  std::size_t total = 0;
  DerivedFormats derived;
  UINT systemFormat = 0;
  for (;;) {
    ::SetLastError(ERROR_SUCCESS);
    systemFormat = ::EnumClipboardFormats(systemFormat);
    if (systemFormat == 0) break;
    if (derived.Skip(systemFormat)) continue;
    HANDLE data = ::GetClipboardData(systemFormat);  // renders a delayed format
    const std::size_t size = data ? ::GlobalSize(data) : 0;
    if (size == 0) continue;  // not rendered, or not a memory block
    if (size > byteBound - total) return std::nullopt;
    std::string bytes;
    try {
      const GlobalLockScope lock(data);
      bytes.assign(lock.Data(), size);
    } catch (const Failure&) {
      continue;  // a handle that is no memory block after all
    }
    total += size;
    std::u16string name = FormatName(systemFormat);
    formats.push_back({name.empty() ? systemFormat : 0, std::move(name), std::move(bytes)});
  }
  // The end of the list leaves no error; a failed enumeration would leave
  // formats out without a word.
  if (const DWORD error = ::GetLastError(); error != ERROR_SUCCESS) {
    ThrowSystemError("Cannot list the clipboard's formats", error);
  }
  return formats;
}

std::optional<ClipboardFormatData> Win32Clipboard::ReadTextBlock() {
  const OpenClipboardScope open(owner_.get());
  if (!::IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);  // made from 8-bit text if need be
  if (!data) ThrowLastError("Cannot read the clipboard text");
  const GlobalLockScope lock(data);
  return ClipboardFormatData{CF_UNICODETEXT, {}, std::string(lock.Data(), lock.Size())};
}

// The memory is made ready before the clipboard is opened, so that it is
// held open for as short a time as possible.
void Win32Clipboard::ReplaceWithFormats(const std::vector<ClipboardFormatData>& formats) {
  std::vector<std::pair<UINT, GlobalBuffer>> blocks;
  for (const ClipboardFormatData& data : formats) {
    const UINT systemFormat =
        data.name.empty() ? data.id : RegisteredFormat(ToWide(data.name).c_str());
    blocks.emplace_back(systemFormat, BlockHolding(data.bytes));
  }
  const OpenClipboardScope open(owner_.get());
  if (!::EmptyClipboard()) ThrowLastError("Cannot empty the clipboard");
  for (auto& [systemFormat, block] : blocks) {
    if (!::SetClipboardData(systemFormat, block.Get())) ThrowLastError("Cannot place a format");
    block.Release();  // the clipboard owns the memory now
  }
}

bool Win32Clipboard::HasNamedFormat(std::u16string_view name) {
  return ::IsClipboardFormatAvailable(RegisteredFormat(ToWide(name).c_str())) != FALSE;
}

std::uint32_t Win32Clipboard::SequenceNumber() {
  return ::GetClipboardSequenceNumber();
}

Win32Clipboard::Clock::time_point Win32Clipboard::Now() {
  return Clock::now();
}

// Sleep waits whole timer ticks (about 15.6 ms on a stock system), so the
// pause may end well after `until`; callers pace by the clock, not by counting.
void Win32Clipboard::PauseUntil(Clock::time_point until) {
  const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
  if (remaining.count() > 0) ::Sleep(static_cast<DWORD>(remaining.count()));
}

}  // namespace fenlow::platform::win32

namespace fenlow::platform {

std::unique_ptr<ClipboardPrimitives> CreateSystemClipboard() {
  return std::make_unique<win32::Win32Clipboard>();
}

}  // namespace fenlow::platform
