#include "clipboard/undo_history.h"

#include <utility>

namespace fenlow {

std::size_t UndoStep::Bytes() const {
  std::size_t bytes = 0;
  for (const platform::ClipboardFormatData& data : formats) bytes += data.bytes.size();
  return bytes;
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

// A clipboard too large to keep whole keeps its text: read once more, alone.
std::optional<UndoStep> KeepClipboard(ClipboardText& clipboard) {
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
  std::optional<std::u16string> text = clipboard.TryGetClipboardText(platform::format::kText);
  if (!text) return std::nullopt;
  if (!text->empty()) step.formats.push_back(platform::UnicodeTextFormat(*text));
  return step;
}

}  // namespace fenlow
