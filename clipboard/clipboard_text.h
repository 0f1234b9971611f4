// The program's four clipboard operations over the platform's primitives.
// They never report anything: the three that change or read the clipboard
// retry a failing primitive a bounded number of times and then give up.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clipboard_primitives.h"

namespace fenlow {

class ClipboardText {
 public:
  // About a second in all on a clipboard that another program keeps open:
  // attempt k + 1 waits until kAttemptSpacing * k after the first, on the
  // clock, so a pause that lasts a whole timer tick is made up by the
  // attempts after it.
  static constexpr int kMaxAttempts = 1000;
  static constexpr std::chrono::milliseconds kAttemptSpacing{1};

  explicit ClipboardText(platform::ClipboardPrimitives& clipboard) : clipboard_(clipboard) {}

  // The first present format of: Link, text, rich text, bitmap, DIB, enhanced
  // metafile, metafile picture, palette; 0 when none is. A query that fails
  // counts as present.
  [[nodiscard]] std::int32_t GetClipboardKind();
  // Whether the query that decided the last GetClipboardKind failed: the
  // clipboard was held by another program rather than holding that format.
  [[nodiscard]] bool LastKindQueryFailed() const { return lastKindQueryFailed_; }
  // The clipboard's text in `format` (0: the default text format); empty text
  // when there is none or the clipboard stays held.
  [[nodiscard]] std::u16string GetClipboardText(std::int32_t format);
  // The same, but nothing when every one of `attempts` failed, so that a
  // caller can tell a clipboard it could not read from one without text.
  [[nodiscard]] std::optional<std::u16string> TryGetClipboardText(std::int32_t format,
                                                                  int attempts = kMaxAttempts);
  // Replaces the clipboard's content with `text` as plain text: emptied and
  // placed in one opening, so other programs see one change. True when an
  // attempt succeeded; false when every attempt failed and the clipboard
  // keeps what it held.
  bool SetClipboardText(std::u16string_view text);
  // The clipboard's memory-block formats, or nullopt in `formats` when they
  // come to more than `byteBound` bytes; false when every attempt failed.
  bool TryReadMemoryFormats(std::size_t byteBound,
                            std::optional<std::vector<platform::ClipboardFormatData>>& formats);
  // The Unicode text's memory block as the clipboard holds it (one copy), or
  // nullopt in `block` when there is none; false when every attempt failed.
  bool TryReadTextBlock(std::optional<platform::ClipboardFormatData>& block);
  // Empties the clipboard and places `formats`; false when every attempt failed.
  bool ReplaceWithFormats(const std::vector<platform::ClipboardFormatData>& formats);
  // Whether the program that copied asked that its copy be neither kept nor
  // acted on. A query that fails counts as asked.
  [[nodiscard]] bool MarkedForExclusion();
  // Grows with every change of the clipboard's content, by any program.
  [[nodiscard]] std::uint32_t SequenceNumber();

 private:
  // Runs `attempt` until it succeeds or `attempts` have failed; true on success.
  template <typename Attempt>
  bool Retry(Attempt attempt, int attempts = kMaxAttempts);

  platform::ClipboardPrimitives& clipboard_;
  bool lastKindQueryFailed_ = false;
};

}  // namespace fenlow
