#include "edits/dispatcher.h"

#include <exception>

#include "edits/catalogue.h"
#include "edits/edit_failure.h"
#include "edits/failure_text.h"

namespace fenlow {

namespace {

constexpr std::u16string_view kWriteBackFailed =
    u"The clipboard could not be written: another program keeps it open.\r\n"
    u"The edited text is still shown in the window: copy it from there "
    u"(Ctrl+A, Ctrl+C) once the other program lets the clipboard go.";

}  // namespace

void BulkEditDispatcher::ApplyBulkEdit() {
  ProgramState& state = monitor_.State();
  state.IsWritingBack = true;
  state.IsBusy = true;
  // The requests are taken now: a button clicked during the yields below
  // resets the flags on its way in, and must not cancel this write-back.
  const bool bulkEditRequested = state.BulkEditRequested;
  const bool manualSaveRequested = state.ManualSaveRequested;
  Detach();

  std::optional<std::u16string> notice;
  std::exception_ptr unexpected;
  try {
    if (bulkEditRequested) notice = WriteBulkEdit();
    if (manualSaveRequested && !notice) notice = WriteManualSave();
  } catch (...) {
    unexpected = std::current_exception();
  }

  // Whatever happened above, monitoring goes on.
  Reattach();
  state.IsWritingBack = false;
  if (notice) Tell(*notice);
  if (unexpected) std::rethrow_exception(unexpected);
}

void BulkEditDispatcher::Detach() {
  monitor_.LeaveChain();
  monitor_.UnhookWindow();
  monitor_.Yield();
}

void BulkEditDispatcher::Reattach() {
  monitor_.HookWindow();
  monitor_.JoinChain();  // its update message arrives while IsBusy is set and is ignored
  monitor_.Yield();
}

std::optional<std::u16string> BulkEditDispatcher::WriteBulkEdit() {
  ProgramState& state = monitor_.State();
  edits::EditOutcome outcome;
  try {
    outcome = edits::ApplyOption(monitor_.MainWindow().Combo1Text(), state.ClipText,
                                 state.BulkParam1, state.BulkParam2);
  } catch (const edits::EditFailure& failure) {
    return FailureText(failure);
  }
  // A selection that names no edit (a separator) writes nothing: writing the
  // empty result would wipe the user's clipboard.
  if (outcome.kind == edits::EditOutcome::Kind::NoSuchOption) return std::nullopt;
  if (outcome.rewritesClipText) state.ClipText = outcome.result;
  return WriteBack(outcome.result);
}

std::optional<std::u16string> BulkEditDispatcher::WriteManualSave() {
  return WriteBack(monitor_.MainWindow().Text1());
}

std::optional<std::u16string> BulkEditDispatcher::WriteBack(const std::u16string& result) {
  ClipboardText& clipboard = monitor_.Clipboard();
  clipboard.ClearClipboard();
  bool written = clipboard.SetClipboardText(result, platform::format::kText);
  monitor_.MainWindow().SetText1(result);
  if (!written) return std::u16string(kWriteBackFailed);
  return std::nullopt;
}

void BulkEditDispatcher::Tell(const std::u16string& message) {
  monitor_.Platform().Forms().ShowMessage(message, platform::kMessageBoxPlain, std::nullopt);
}

}  // namespace fenlow
