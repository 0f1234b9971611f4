// What the clipboard held before each of the program's last writes, so that
// Undo can put it back: every memory-block format, within a bound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "clipboard/clipboard_text.h"
#include "platform/clipboard_primitives.h"
#include "platform/shared_text.h"

namespace fenlow {

enum class KeptAs {
  Whole,      // every memory-block format
  TextAlone,  // the formats came to more than the step bound: the text alone
  Nothing,    // the clipboard was marked as not to be kept (a password, say)
};

struct UndoStep {
  KeptAs kept = KeptAs::Whole;
  std::vector<platform::ClipboardFormatData> formats;
  // Kept as the text alone: the text, shared with ClipText when that was the
  // clipboard's; empty when `formats` holds it (or there was none).
  platform::SharedText text;
  std::uint32_t sequenceBefore = 0;      // the clipboard's sequence number when it was kept
  std::uint32_t sequenceAfterWrite = 0;  // and once the program's write was made
  [[nodiscard]] std::size_t Bytes() const;
  [[nodiscard]] bool KeptAnything() const { return !formats.empty() || !text.empty(); }
};

class UndoHistory {
 public:
  static constexpr std::size_t kMaxSteps = 10;
  // A clipboard whose formats come to more than this keeps its text alone.
  static constexpr std::size_t kStepBound = std::size_t{32} << 20;
  // All steps together: beyond it the oldest go, but the latest always stays.
  static constexpr std::size_t kTotalBound = std::size_t{64} << 20;

  void Push(UndoStep step);
  [[nodiscard]] bool Empty() const { return steps_.empty(); }
  [[nodiscard]] std::size_t Size() const { return steps_.size(); }
  [[nodiscard]] std::size_t Bytes() const { return bytes_; }
  // The latest step; only when not Empty().
  [[nodiscard]] const UndoStep& Latest() const { return steps_.back(); }
  UndoStep TakeLatest();
  // `step` was put back on the clipboard, which then had `sequence`. When no
  // other program copied between the write before it and its own, the
  // clipboard holds again what that earlier write left, so undoing it next
  // replaces no newer copy.
  void Undone(const UndoStep& step, std::uint32_t sequence);

 private:
  std::deque<UndoStep> steps_;  // oldest first
  std::size_t bytes_ = 0;
};

// What the clipboard holds now, kept for Undo; nullopt when it stayed held
// by another program. `clipboardText`, when given, is the clipboard's text
// as read already: a clipboard too large to keep whole keeps it without
// reading it again.
[[nodiscard]] std::optional<UndoStep> KeepClipboard(ClipboardText& clipboard,
                                                    const platform::SharedText* clipboardText);

}  // namespace fenlow
