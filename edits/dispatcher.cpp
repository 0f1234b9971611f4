#include "edits/dispatcher.h"

#include <exception>

#include "edits/engine/catalogue.h"
#include "edits/engine/edit_failure.h"
#include "edits/engine/failure_text.h"

namespace fenlow {

namespace {

constexpr std::u16string_view kWriteBackFailed =
    u"The clipboard could not be written: another program keeps it open.\r\n"
    u"The edited text is still shown in the window: copy it from there "
    u"(Ctrl+A, Ctrl+C) once the other program lets the clipboard go.";

constexpr std::u16string_view kChangedMeanwhile =
    u"Another program changed the clipboard just as it was to be written, so nothing was "
    u"written over its new content.\r\n"
    u"Press the button again to apply it now.";

// Runs one step; a failure is kept (the first one only) for the caller to
// rethrow once the steps after it have run.
template <typename Step>
void Attempt(std::exception_ptr& firstFailure, Step&& step) {
  try {
    step();
  } catch (...) {
    if (!firstFailure) firstFailure = std::current_exception();
  }
}

// Runs a step until it succeeds, at most three times; only a step that never
// succeeded leaves its failure for the caller.
template <typename Step>
void AttemptRepeatedly(std::exception_ptr& firstFailure, Step&& step) {
  constexpr int kAttempts = 3;
  std::exception_ptr last;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    last = nullptr;
    Attempt(last, step);
    if (!last) return;
  }
  if (!firstFailure) firstFailure = last;
}

}  // namespace

void BulkEditDispatcher::ApplyBulkEdit() {
  ProgramState& state = monitor_.State();
  state.IsWritingBack = true;
  state.IsBusy = true;
  // The requests are taken now: a button clicked during the yields below
  // resets the flags on its way in, and must not cancel this write-back.
  const bool bulkEditRequested = state.BulkEditRequested;
  const bool manualSaveRequested = state.ManualSaveRequested;
  // Taken once: a change by another program that arrives during a later
  // yield of this request is an ordinary change, not one to edit or to
  // overwrite with Text1.
  state.BulkEditRequested = false;
  state.ManualSaveRequested = false;
  const bool writes = bulkEditRequested || manualSaveRequested;

  std::exception_ptr firstFailure;
  Detach(firstFailure);
  std::optional<std::u16string> notice;
  Attempt(firstFailure, [&] {
    // Out of the chain, a copy made by another program during the yield
    // goes unseen; writing now would overwrite it.
    if (writes) notice = ChangedMeanwhile(manualSaveRequested);
    if (bulkEditRequested && !notice) notice = WriteBulkEdit();
    if (manualSaveRequested && !notice) notice = WriteManualSave();
  });

  // Whatever failed above, monitoring goes on.
  Reattach(firstFailure);
  state.IsWritingBack = false;
  // Shown by the change handler once it is over, so that monitoring is fully
  // back while the message is open.
  if (notice) monitor_.TellAfterChange(std::move(*notice));
  if (firstFailure) std::rethrow_exception(firstFailure);
}

// Told by the clipboard's sequence number, not by reading its content again:
// a read could meet a clipboard held for a moment, and a huge text would be
// read twice more. Text1 keeps a text typed for the save step, which is not
// stored yet.
std::optional<std::u16string> BulkEditDispatcher::ChangedMeanwhile(bool keepText1) {
  ClipboardText& clipboard = monitor_.Clipboard();
  if (clipboard.SequenceNumber() == monitor_.SequenceAtChange()) return std::nullopt;
  if (clipboard.GetClipboardKind() == platform::format::kText) {
    if (std::optional<std::u16string> text =
            clipboard.TryGetClipboardText(platform::format::kText)) {
      monitor_.State().ClipText = *text;
      if (!keepText1) monitor_.MainWindow().SetText1(*text);
    }
  }
  return std::u16string(kChangedMeanwhile);
}

// Each step is tried even when the one before it failed.
void BulkEditDispatcher::Detach(std::exception_ptr& firstFailure) {
  Attempt(firstFailure, [&] { monitor_.LeaveChain(); });
  Attempt(firstFailure, [&] { monitor_.UnhookWindow(); });
  Attempt(firstFailure, [&] { monitor_.Yield(); });
}

// A hook or join that fails is tried again: nothing else would ever put the
// window back, and Text1 would stop following the clipboard for good.
void BulkEditDispatcher::Reattach(std::exception_ptr& firstFailure) {
  AttemptRepeatedly(firstFailure, [&] { monitor_.HookWindow(); });
  // Its update message arrives while IsBusy is set and is ignored.
  AttemptRepeatedly(firstFailure, [&] { monitor_.JoinChain(); });
  Attempt(firstFailure, [&] { monitor_.Yield(); });
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

// A save that waited while a change was handled stores Text1 as it stands
// now. When that is the clipboard's text already (the change showed it),
// writing it would only strip the other program's formats.
std::optional<std::u16string> BulkEditDispatcher::WriteManualSave() {
  const std::u16string text = monitor_.MainWindow().Text1();
  if (monitor_.Requests().RunningRequestWaited() && ClipboardHoldsText(text)) return std::nullopt;
  return WriteBack(text);
}

bool BulkEditDispatcher::ClipboardHoldsText(const std::u16string& text) {
  ClipboardText& clipboard = monitor_.Clipboard();
  return clipboard.GetClipboardKind() == platform::format::kText &&
         clipboard.TryGetClipboardText(platform::format::kText) == text;
}

std::optional<std::u16string> BulkEditDispatcher::WriteBack(const std::u16string& result) {
  ClipboardText& clipboard = monitor_.Clipboard();
  // A clipboard that cannot be emptied is left whole: the text placed beside
  // its other formats would paste differently from program to program.
  bool written =
      clipboard.ClearClipboard() && clipboard.SetClipboardText(result, platform::format::kText);
  monitor_.MainWindow().SetText1(result);
  if (!written) return std::u16string(kWriteBackFailed);
  return std::nullopt;
}

}  // namespace fenlow
