#include "clipboard/undo_history.h"

#include <utility>

namespace fenlow {

std::size_t UndoStep::Bytes() const {
  std::size_t bytes = 0;
  for (const platform::ClipboardFormatData& data : formats) bytes += data.bytes.size();
  return bytes + text.size() * sizeof(char16_t);
}

void UndoHistory::Push(UndoStep step) {
  bytes_ += step.Bytes();
  steps_.push_back(std::move(step));
  while (steps_.size() > 1 && (steps_.size() > kMaxSteps || bytes_ > kTotalBound)) {
    bytes_ -= steps_.front().Bytes();
    steps_.pop_front();
  }
}

UndoStep UndoHistory::TakeLatest() {
  UndoStep step = std::move(steps_.back());
  steps_.pop_back();
  bytes_ -= step.Bytes();
  return step;
}

void UndoHistory::Undone(const UndoStep& step, std::uint32_t sequence) {
  if (!steps_.empty() && steps_.back().sequenceAfterWrite == step.sequenceBefore)
    steps_.back().sequenceAfterWrite = sequence;
}

// A clipboard too large to keep whole keeps its text: the one read already,
// or else its memory block read once more, alone (one copy).
std::optional<UndoStep> KeepClipboard(ClipboardText& clipboard,
                                      const platform::SharedText* clipboardText) {
  UndoStep step;
  step.sequenceBefore = clipboard.SequenceNumber();
  if (clipboard.MarkedForExclusion()) {
    step.kept = KeptAs::Nothing;
    return step;
  }
  std::optional<std::vector<platform::ClipboardFormatData>> formats;
  if (!clipboard.TryReadMemoryFormats(UndoHistory::kStepBound, formats)) return std::nullopt;
  if (formats) {
    step.formats = std::move(*formats);
    return step;
  }
  step.kept = KeptAs::TextAlone;
  if (clipboardText) {
    step.text = *clipboardText;
    return step;
  }
  std::optional<platform::ClipboardFormatData> block;
  if (!clipboard.TryReadTextBlock(block)) return std::nullopt;
  // A block that starts with its NUL holds no text.
  const bool holdsText = block && block->bytes.size() >= sizeof(char16_t) &&
                         (block->bytes[0] != '\0' || block->bytes[1] != '\0');
  if (holdsText) step.formats.push_back(std::move(*block));
  return step;
}

}  // namespace fenlow
