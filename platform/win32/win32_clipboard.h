// The clipboard object on the real system clipboard.
#pragma once

#include "platform/clipboard_primitives.h"
#include "platform/win32/win32_support.h"

namespace fenlow::platform::win32 {

class Win32Clipboard final : public ClipboardPrimitives {
 public:
  Win32Clipboard();

  void Empty() override;
  void PutText(std::int32_t format, std::u16string_view text) override;
  void ReplaceWithText(std::u16string_view text) override;
  std::u16string GetText(std::int32_t format) override;
  bool HasFormat(std::int32_t format) override;
  std::optional<std::vector<ClipboardFormatData>> ReadMemoryFormats(std::size_t byteBound) override;
  std::optional<ClipboardFormatData> ReadTextBlock() override;
  void ReplaceWithFormats(const std::vector<ClipboardFormatData>& formats) override;
  bool HasNamedFormat(std::u16string_view name) override;
  std::uint32_t SequenceNumber() override;
  Clock::time_point Now() override;
  void PauseUntil(Clock::time_point until) override;

 private:
  // The system's number for a program format code.
  UINT SystemFormat(std::int32_t format) const;

  // A hidden message-only window owns what we place on the clipboard: with a
  // NULL owner, EmptyClipboard leaves no owner and SetClipboardData may fail.
  UniqueWindow owner_;
};

}  // namespace fenlow::platform::win32
