// The clipboard object. Each primitive that reads or changes the content opens
// and closes the clipboard itself and throws Failure while another program
// holds it; the questions whether a format is present need no opening.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fenlow::platform {

// Format codes as the program knows them. The two named formats have fixed
// program codes; a backend maps them to the numbers the system registered.
namespace format {
constexpr std::int32_t kLink = -16640;      // registered "Link" (DDE link)
constexpr std::int32_t kText = 1;           // plain text, carried as Unicode text
constexpr std::int32_t kRichText = -16639;  // registered "Rich Text Format"
constexpr std::int32_t kBitmap = 2;
constexpr std::int32_t kDib = 8;
constexpr std::int32_t kEnhancedMetafile = 14;
constexpr std::int32_t kMetafilePicture = 3;
constexpr std::int32_t kPalette = 9;
constexpr std::int32_t kFileList = 15;
constexpr std::int32_t kUnicodeText = 13;
}  // namespace format

// One format of the clipboard held in a memory block, as the system holds it.
struct ClipboardFormatData {
  std::uint32_t id = 0;  // a predefined format's number; 0 for a registered one
  std::u16string name;   // a registered format's name ("HTML Format"); empty for a predefined one
  std::string bytes;     // the whole memory block
  bool operator==(const ClipboardFormatData&) const = default;
};

// The mark with which programs (password managers, for instance) ask that
// their copy be neither kept nor acted on by clipboard tools.
inline constexpr std::u16string_view kExcludeFromMonitoringFormat =
    u"ExcludeClipboardContentFromMonitorProcessing";

// Unicode text as its memory block holds it: UTF-16 code units, then a NUL.
inline ClipboardFormatData UnicodeTextFormat(std::u16string_view text) {
  ClipboardFormatData data{static_cast<std::uint32_t>(format::kUnicodeText), {}, {}};
  data.bytes.resize((text.size() + 1) * sizeof(char16_t), '\0');
  std::memcpy(data.bytes.data(), text.data(), text.size() * sizeof(char16_t));
  return data;
}

// The Unicode text among `formats`, up to its first NUL; nullopt when there is none.
inline std::optional<std::u16string> UnicodeTextOf(
    const std::vector<ClipboardFormatData>& formats) {
  for (const ClipboardFormatData& data : formats) {
    if (!data.name.empty() || data.id != static_cast<std::uint32_t>(format::kUnicodeText)) continue;
    std::u16string text(data.bytes.size() / sizeof(char16_t), u'\0');
    std::memcpy(text.data(), data.bytes.data(), text.size() * sizeof(char16_t));
    return text.substr(0, text.find(u'\0'));
  }
  return std::nullopt;
}

class ClipboardPrimitives {
 public:
  virtual ~ClipboardPrimitives() = default;

  // Empties the clipboard and takes ownership of it.
  virtual void Empty() = 0;
  // Places `text` in `format` (0: the default text format) beside whatever is there.
  virtual void PutText(std::int32_t format, std::u16string_view text) = 0;
  // Empties the clipboard and places `text` as plain text, in one opening of
  // the clipboard: other programs see one change, and a write that cannot be
  // made leaves the clipboard as it was.
  virtual void ReplaceWithText(std::u16string_view text) = 0;
  // The text of `format` (0: the default text format); empty text when absent.
  virtual std::u16string GetText(std::int32_t format) = 0;
  // Whether `format` is present. For kText this also answers for Unicode text.
  // Needs no opening of the clipboard, so a clipboard held elsewhere neither
  // makes it fail nor is held off by it.
  virtual bool HasFormat(std::int32_t format) = 0;

  // Every format the clipboard's owner placed in a memory block, in the
  // clipboard's order: Unicode text (never the 8-bit and OEM text or the
  // locale the system derives from it, or it from them), one picture as DIB
  // or DIBV5 (whichever the owner placed; never the other one derived from
  // it), and every other memory-block format, predefined or registered. No
  // handle-based format (bitmaps, metafiles, palettes, owner display, GDI
  // objects, private formats). nullopt when together they would exceed
  // `byteBound` bytes (nothing beyond the bound is copied). A format its
  // owner fails to render is left out.
  virtual std::optional<std::vector<ClipboardFormatData>> ReadMemoryFormats(
      std::size_t byteBound) = 0;
  // The Unicode text as its memory block holds it (UTF-16 code units and a
  // NUL, as UnicodeTextFormat makes it), copied once; nullopt when there is none.
  virtual std::optional<ClipboardFormatData> ReadTextBlock() = 0;
  // Empties the clipboard and places `formats` on it in their order, in one
  // opening of the clipboard, so that other programs see one change.
  virtual void ReplaceWithFormats(const std::vector<ClipboardFormatData>& formats) = 0;
  // Whether the registered format `name` is present. Needs no opening of the
  // clipboard, so a clipboard held elsewhere does not make it fail.
  virtual bool HasNamedFormat(std::u16string_view name) = 0;

  // A counter that grows with every change of the clipboard's content, made
  // by any program. Never fails.
  virtual std::uint32_t SequenceNumber() = 0;

  // The clock of the retrying operations: a monotonic time, and a pause (no
  // message dispatch) until a time on it. A pause may last longer than
  // asked, up to the system timer's next tick.
  using Clock = std::chrono::steady_clock;
  virtual Clock::time_point Now() = 0;
  virtual void PauseUntil(Clock::time_point until) = 0;
};

}  // namespace fenlow::platform
