#include "clipboard/clipboard_text.h"

#include <array>
#include <exception>

#include "platform/clipboard_retry.h"

namespace fenlow {

namespace {

namespace format = platform::format;

// Link stands before text: a text offered together with a DDE link is not
// taken as plain text.
constexpr std::array<std::int32_t, 8> kKindPrecedence = {format::kLink,
                                                         format::kText,
                                                         format::kRichText,
                                                         format::kBitmap,
                                                         format::kDib,
                                                         format::kEnhancedMetafile,
                                                         format::kMetafilePicture,
                                                         format::kPalette};

}  // namespace

template <typename Attempt>
bool ClipboardText::Retry(Attempt attempt, int attempts) {
  return platform::RetryWhileHeld(clipboard_, attempt, attempts, kAttemptSpacing);
}

std::int32_t ClipboardText::GetClipboardKind() {
  lastKindQueryFailed_ = false;
  for (std::int32_t code : kKindPrecedence) {
    try {
      if (clipboard_.HasFormat(code)) return code;
    } catch (const std::exception&) {
      lastKindQueryFailed_ = true;
      return code;
    }
  }
  return 0;
}

std::u16string ClipboardText::GetClipboardText(std::int32_t format) {
  return TryGetClipboardText(format).value_or(std::u16string());
}

std::optional<std::u16string> ClipboardText::TryGetClipboardText(std::int32_t format,
                                                                 int attempts) {
  std::u16string result;
  if (!Retry([&] { result = clipboard_.GetText(format); }, attempts)) return std::nullopt;
  return result;
}

bool ClipboardText::SetClipboardText(std::u16string_view text) {
  return Retry([&] { clipboard_.ReplaceWithText(text); });
}

bool ClipboardText::TryReadMemoryFormats(
    std::size_t byteBound, std::optional<std::vector<platform::ClipboardFormatData>>& formats) {
  return Retry([&] { formats = clipboard_.ReadMemoryFormats(byteBound); });
}

bool ClipboardText::TryReadTextBlock(std::optional<platform::ClipboardFormatData>& block) {
  return Retry([&] { block = clipboard_.ReadTextBlock(); });
}

bool ClipboardText::ReplaceWithFormats(const std::vector<platform::ClipboardFormatData>& formats) {
  return Retry([&] { clipboard_.ReplaceWithFormats(formats); });
}

bool ClipboardText::MarkedForExclusion() {
  try {
    return clipboard_.HasNamedFormat(platform::kExcludeFromMonitoringFormat);
  } catch (const std::exception&) {
    return true;
  }
}

std::uint32_t ClipboardText::SequenceNumber() {
  return clipboard_.SequenceNumber();
}

}  // namespace fenlow
