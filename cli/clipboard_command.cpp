#include "cli/clipboard_command.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/apply_command.h"
#include "cli/cli_failure.h"
#include "edits/engine/edit_chain.h"
#include "platform/clipboard_retry.h"
#include "platform/system_clipboard.h"
#include "platform/types.h"

namespace fenlow::cli {
namespace {

using platform::ClipboardPrimitives;

// Fails the command when the clipboard stays held.
template <typename Step>
void RetryOrGiveUp(ClipboardPrimitives& clipboard, Step&& step) {
  if (!platform::RetryWhileHeld(clipboard, step)) {
    throw CliFailure("another program keeps the clipboard open; nothing was written",
                     kExitClipboardHeld);
  }
}

struct ClipboardRead {
  std::optional<std::u16string> text;  // nullopt: the clipboard holds no text
  std::uint32_t sequence = 0;          // the clipboard's content it was read from
};

// Presence and text are asked one after the other: a change in between is
// read again.
ClipboardRead ReadText(ClipboardPrimitives& clipboard) {
  ClipboardRead read;
  RetryOrGiveUp(clipboard, [&] {
    read.sequence = clipboard.SequenceNumber();
    read.text.reset();
    if (clipboard.HasFormat(platform::format::kText))
      read.text = clipboard.GetText(platform::format::kText);
    if (clipboard.SequenceNumber() != read.sequence)
      throw platform::Failure("the clipboard changed while it was read");
  });
  return read;
}

}  // namespace

void RunApplyToClipboard(const Command& command) {
  const std::unique_ptr<ClipboardPrimitives> clipboard = platform::CreateSystemClipboard();
  if (!clipboard) {
    throw CliFailure("--clipboard works only in the Windows build of fenlow-cli (see --help)",
                     kExitBadUsage);
  }
  const std::vector<edits::EditStep> steps = PrepareSteps(command);
  ClipboardRead read = ReadText(*clipboard);
  if (!read.text) throw CliFailure("the clipboard holds no text; nothing was written", kExitFailed);
  const std::u16string edited = edits::ApplyStepsToUtf16(steps, std::move(*read.text));
  read.text.reset();
  const std::vector<platform::ClipboardFormatData> result{platform::UnicodeTextFormat(edited)};
  // Another program's newer copy is not written over.
  if (clipboard->SequenceNumber() != read.sequence) {
    throw CliFailure(
        "another program changed the clipboard while it was edited; nothing was written",
        kExitFailed);
  }
  RetryOrGiveUp(*clipboard, [&] { clipboard->ReplaceWithFormats(result); });
}

}  // namespace fenlow::cli
