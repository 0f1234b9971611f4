#include "edits/dispatcher.h"

#include <exception>
#include <utility>

#include "clipboard/undo_history.h"
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

static_assert(UndoHistory::kStepBound == std::size_t{32} << 20 && UndoHistory::kMaxSteps == 10 &&
                  BulkEditDispatcher::kTooFastWrites == 5 &&
                  BulkEditDispatcher::kTooFastSpan == std::chrono::seconds(2),
              "the messages name these figures");

constexpr std::u16string_view kAutomaticEditFailed =
    u"\"Apply the chosen edit to every copy\" could not edit the copied text, which was left as "
    u"it was:\r\n";

constexpr std::u16string_view kAutomaticTooFast =
    u"\"Apply the chosen edit to every copy\" has been turned off: it edited 5 copies within 2 "
    u"seconds, so another program may be copying back each time Fenlow edits. Turn it on again in "
    u"Options.";

constexpr std::u16string_view kTurnedOffNotRemembered =
    u"\r\nIt could not be turned off for the next start.";

constexpr std::u16string_view kNothingToUndo =
    u"There is nothing to undo: Fenlow has not changed the clipboard since it started, or its last "
    u"10 changes are undone already.";

constexpr std::u16string_view kUndoFailed =
    u"Nothing was undone: another program keeps the clipboard open.\r\n"
    u"Try again once the other program lets the clipboard go.";

constexpr std::u16string_view kOnlyTextRestored =
    u"Only the text was put back: the clipboard held more than 32 MB, more than Fenlow keeps for "
    u"Undo, so its other formats (pictures, formatting) are gone.";

// A step with nothing to put back is dropped with a word on why.
std::u16string_view NothingKeptText(KeptAs kept) {
  switch (kept) {
    case KeptAs::Nothing:
      return u"Nothing was undone: the program that had copied before Fenlow's last change asked "
             u"that its copy not be kept (password managers do), so Fenlow did not keep it.";
    case KeptAs::TextAlone:
      return u"Nothing was undone: before Fenlow's last change the clipboard held more than 32 MB "
             u"and no text, more than Fenlow keeps for Undo.";
    case KeptAs::Whole:
      break;
  }
  return u"Nothing was undone: before Fenlow's last change the clipboard held nothing Fenlow can "
         u"keep.";
}

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
  // The requests are taken now: a button clicked during the yields of the
  // write resets the flags on its way in, and must not cancel this write.
  // Taken once: a change by another program that arrives during a later
  // yield of this request is an ordinary change, not one to edit or to
  // overwrite with Text1.
  const bool bulkEditRequested = std::exchange(state.BulkEditRequested, false);
  const bool manualSaveRequested = std::exchange(state.ManualSaveRequested, false);
  const bool automatic = std::exchange(state.AutomaticEditRequested, false);
  const TextEdit requestedEdit = std::exchange(state.RequestedEdit, {});
  const bool writes = bulkEditRequested || manualSaveRequested;
  WriteDetached([&] {
    std::optional<std::u16string> notice;
    // Out of the chain, a copy made by another program during the yield
    // goes unseen; writing now would overwrite it.
    if (writes) notice = ChangedMeanwhile(manualSaveRequested);
    if (bulkEditRequested && !notice)
      notice = requestedEdit ? WriteRequestedEdit(requestedEdit) : WriteBulkEdit();
    if (manualSaveRequested && !notice) notice = WriteManualSave();
    if (automatic && !writes) notice = WriteAutomaticEdit();
    return notice;
  });
}

void BulkEditDispatcher::UndoLastWrite() {
  WriteDetached([this] { return RestoreLatestStep(); });
}

template <typename Write>
void BulkEditDispatcher::WriteDetached(Write write) {
  ProgramState& state = monitor_.State();
  state.IsWritingBack = true;
  state.IsBusy = true;
  std::exception_ptr firstFailure;
  Detach(firstFailure);
  std::optional<std::u16string> notice;
  Attempt(firstFailure, [&] { notice = write(); });
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
    const std::uint32_t sequence = clipboard.SequenceNumber();
    if (std::optional<std::u16string> text =
            clipboard.TryGetClipboardText(platform::format::kText)) {
      ProgramState& state = monitor_.State();
      state.ClipText = std::move(*text);
      state.ClipTextSequence = sequence;
      if (!keepText1) monitor_.MainWindow().SetText1(state.ClipText);
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
  return WriteBack(Written{std::move(outcome.result), outcome.rewritesClipText});
}

// An edit the request brought (a recipe) writes its result, or nothing when
// it failed.
std::optional<std::u16string> BulkEditDispatcher::WriteRequestedEdit(const TextEdit& edit) {
  TextEditOutcome outcome = edit(monitor_.State().ClipText.View());
  if (!outcome.result) return NotifiedFromIcon(std::move(outcome.failure));
  return WriteBack(Written{std::move(*outcome.result)});
}

std::optional<std::u16string> BulkEditDispatcher::NotifiedFromIcon(std::u16string text) {
  try {
    if (monitor_.Platform().Tray().Notify(u"Fenlow", text)) return std::nullopt;
  } catch (const std::exception&) {
    // told in a box instead
  }
  return text;
}

// A save that waited while a change was handled stores Text1 as it stands
// now. When that is the clipboard's text already (the change showed it),
// writing it would only strip the other program's formats.
std::optional<std::u16string> BulkEditDispatcher::WriteManualSave() {
  std::u16string text = monitor_.MainWindow().Text1();
  if (monitor_.Requests().RunningRequestWaited() && ClipboardHoldsText(text)) return std::nullopt;
  return WriteBack(Written{std::move(text), false, true});
}

bool BulkEditDispatcher::ClipboardHoldsText(std::u16string_view text) {
  ClipboardText& clipboard = monitor_.Clipboard();
  return clipboard.GetClipboardKind() == platform::format::kText &&
         clipboard.TryGetClipboardText(platform::format::kText) == text;
}

// What the clipboard holds is kept for Undo first; a clipboard that cannot
// be read to keep it is not written either. While the clipboard still holds
// what ClipText was read from, Undo keeps ClipText itself rather than a copy
// read again. The write empties and places in one opening: a write that
// cannot be made leaves the clipboard whole, never empty, and never the text
// beside old formats that would paste differently from program to program.
std::optional<std::u16string> BulkEditDispatcher::WriteBack(const Written& result) {
  ProgramState& state = monitor_.State();
  ClipboardText& clipboard = monitor_.Clipboard();
  const bool clipTextIsTheClipboards = state.ClipTextSequence == clipboard.SequenceNumber();
  std::optional<UndoStep> step =
      KeepClipboard(clipboard, clipTextIsTheClipboards ? &state.ClipText : nullptr);
  const bool written = step && clipboard.SetClipboardText(result.text);
  if (written) {
    step->sequenceAfterWrite = clipboard.SequenceNumber();
    state.AutomaticEdits.lastOwnWrite = step->sequenceAfterWrite;
    state.UndoSteps.Push(std::move(*step));
  }
  if (result.becomesClipText) {
    state.ClipText = result.text;
    state.ClipTextSequence =
        written ? std::optional<std::uint32_t>(state.AutomaticEdits.lastOwnWrite) : std::nullopt;
  }
  if (!result.shownInText1) monitor_.MainWindow().SetText1(result.text);
  if (!written) return std::u16string(kWriteBackFailed);
  return std::nullopt;
}

// Automatic mode never asks: an edit whose parameter was never typed does
// not run, and a result equal to the copy is not written.
std::optional<std::u16string> BulkEditDispatcher::WriteAutomaticEdit() {
  ProgramState& state = monitor_.State();
  const std::uint32_t change = monitor_.SequenceAtChange();
  // A newer change is handled on its own, a change is edited once, and the
  // program's own writes are no copies.
  AutomaticEditRecord& record = state.AutomaticEdits;
  if (monitor_.Clipboard().SequenceNumber() != change || change == record.lastOwnWrite ||
      std::exchange(record.lastEdited, change) == change) {
    return std::nullopt;
  }
  std::optional<AutomaticOutcome> outcome = AutomaticResult();
  if (!outcome) return std::nullopt;
  if (outcome->failure) {
    std::optional<std::u16string> told = TellOnce(std::move(*outcome->failure));
    if (told && outcome->fromRecipe) return NotifiedFromIcon(std::move(*told));
    return told;
  }
  state.AutomaticEdits.failureTold = false;
  if (state.ClipText == outcome->result->View()) return std::nullopt;
  if (std::optional<std::u16string> notice =
          WriteBack(Written{std::move(*outcome->result), outcome->rewritesClipText})) {
    return TellOnce(*notice);
  }
  return CountAutomaticWrite();
}

// nullopt when there is nothing to write: the chosen edit's parameter was
// never typed, or the selection names no edit.
std::optional<BulkEditDispatcher::AutomaticOutcome> BulkEditDispatcher::AutomaticResult() {
  ProgramState& state = monitor_.State();
  if (const TextEdit recipe = monitor_.MainWindow().AutomaticRecipe()) {
    TextEditOutcome outcome = recipe(state.ClipText.View());
    if (!outcome.result)
      return AutomaticOutcome{std::nullopt, false, std::move(outcome.failure), true};
    return AutomaticOutcome{std::move(*outcome.result), false, std::nullopt, true};
  }
  const std::optional<EditParameters> parameters = monitor_.MainWindow().AutomaticParameters();
  if (!parameters) return std::nullopt;
  edits::EditOutcome outcome;
  try {
    outcome = edits::ApplyOption(monitor_.MainWindow().Combo1Text(), state.ClipText,
                                 parameters->param1, parameters->param2);
  } catch (const edits::EditFailure& failure) {
    std::u16string text(kAutomaticEditFailed);
    text.append(FailureText(failure));
    return AutomaticOutcome{std::nullopt, false, std::move(text)};
  }
  if (outcome.kind == edits::EditOutcome::Kind::NoSuchOption) return std::nullopt;
  return AutomaticOutcome{std::move(outcome.result), outcome.rewritesClipText, std::nullopt};
}

std::optional<std::u16string> BulkEditDispatcher::TellOnce(std::u16string notice) {
  if (std::exchange(monitor_.State().AutomaticEdits.failureTold, true)) return std::nullopt;
  return notice;
}

// So that automatic mode cannot loop with another program that rewrites
// every copy, writes that come too fast turn it off.
std::optional<std::u16string> BulkEditDispatcher::CountAutomaticWrite() {
  auto& writes = monitor_.State().AutomaticEdits.recentWrites;
  const auto now = monitor_.Platform().Clipboard().Now();
  writes.push_back(now);
  while (now - writes.front() > kTooFastSpan) writes.pop_front();
  if (writes.size() < kTooFastWrites) return std::nullopt;
  writes.clear();
  monitor_.State().ApplyToEveryCopy = false;
  std::u16string notice(kAutomaticTooFast);
  try {
    monitor_.MainWindow().TurnOffApplyToEveryCopy();
  } catch (const std::exception&) {
    notice += kTurnedOffNotRemembered;
  }
  return notice;
}

// The step is taken off whatever happens, unless it could not be written:
// then it stays for the next try.
std::optional<std::u16string> BulkEditDispatcher::RestoreLatestStep() {
  ProgramState& state = monitor_.State();
  if (state.UndoSteps.Empty()) return std::u16string(kNothingToUndo);
  UndoStep step = state.UndoSteps.TakeLatest();
  if (!step.KeptAnything()) return std::u16string(NothingKeptText(step.kept));
  ClipboardText& clipboard = monitor_.Clipboard();
  const bool restored = step.text.empty() ? clipboard.ReplaceWithFormats(step.formats)
                                          : clipboard.SetClipboardText(step.text);
  if (!restored) {
    state.UndoSteps.Push(std::move(step));
    return std::u16string(kUndoFailed);
  }
  state.AutomaticEdits.lastOwnWrite = clipboard.SequenceNumber();
  state.UndoSteps.Undone(step, state.AutomaticEdits.lastOwnWrite);
  std::optional<platform::SharedText> text;
  if (!step.text.empty()) {
    text = step.text;
  } else if (std::optional<std::u16string> formatsText = platform::UnicodeTextOf(step.formats)) {
    text = std::move(*formatsText);
  }
  if (text) {
    state.ClipText = *text;
    state.ClipTextSequence = state.AutomaticEdits.lastOwnWrite;
    monitor_.MainWindow().SetText1(state.ClipText);
  }
  if (step.kept == KeptAs::TextAlone) return std::u16string(kOnlyTextRestored);
  return std::nullopt;
}

}  // namespace fenlow
