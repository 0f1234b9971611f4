// The clipboard object: exactly four primitives, each of which opens and closes
// the clipboard itself and throws Failure while another program holds it.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

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

class ClipboardPrimitives {
 public:
  virtual ~ClipboardPrimitives() = default;

  // Empties the clipboard and takes ownership of it.
  virtual void Empty() = 0;
  // Places `text` in `format` (0: the default text format) beside whatever is there.
  virtual void PutText(std::int32_t format, std::u16string_view text) = 0;
  // The text of `format` (0: the default text format); empty text when absent.
  virtual std::u16string GetText(std::int32_t format) = 0;
  // Whether `format` is present. For kText this also answers for Unicode text.
  virtual bool HasFormat(std::int32_t format) = 0;

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
