#include "app/in_place_edit.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "clipboard/undo_history.h"
#include "edits/engine/failure_text.h"

namespace fenlow {

namespace {

using platform::ClipboardFormatData;
using platform::KeyStroke;
namespace key = platform::key;
namespace format = platform::format;

constexpr std::u16string_view kTitle = u"Fenlow";

static_assert(InPlaceEdit::kReleaseBound == std::chrono::seconds(3) &&
                  InPlaceEdit::kCopyBound == std::chrono::seconds(1) &&
                  InPlaceEdit::kReadBound == std::chrono::seconds(2) &&
                  UndoHistory::kStepBound == std::size_t{32} << 20,
              "the notices name these figures");

constexpr std::u16string_view kBusy =
    u"Fenlow is still pasting the last text: press the hotkey again once it is done.";
constexpr std::u16string_view kNoWindow = u"Nothing was sent: no program has the keyboard.";
constexpr std::u16string_view kTerminal =
    u"Nothing was sent: in a console or terminal window Ctrl+C stops the program that runs there, "
    u"so \"Paste edited\" and \"Edit the selection\" do not work in it.";
constexpr std::u16string_view kElevated =
    u"Nothing was sent: the program you are in runs as administrator, and Windows does not let "
    u"Fenlow send it keys. Use \"Edit the clipboard\" there, or run Fenlow as administrator too.";
constexpr std::u16string_view kStillHeld =
    u"Nothing was sent: the hotkey's keys were still held down after 3 seconds. Let go of them "
    u"once you have pressed it.";
constexpr std::u16string_view kClipboardHeld =
    u"Nothing was done: another program keeps the clipboard open.";
constexpr std::u16string_view kFocusMoved =
    u"Nothing was pasted: another window took the focus, so everything was left as it was.";
constexpr std::u16string_view kKeysRefused =
    u"Nothing was pasted: Windows did not take the keys Fenlow sent.";
constexpr std::u16string_view kNothingSelected =
    u"Nothing was edited: nothing is selected in the program you are in (it copied nothing "
    u"within 1 second).";
constexpr std::u16string_view kSelectionWithoutText =
    u"Nothing was edited: the selection holds no text.";
constexpr std::u16string_view kClipboardWithoutText =
    u"Nothing was pasted: the clipboard holds no text.";
constexpr std::u16string_view kEditFailed = u"Nothing was pasted: the edit failed:\r\n";
constexpr std::u16string_view kNeverRead =
    u"The program you are in did not ask for the edited text within 2 seconds, so the clipboard "
    u"was put back. If it pastes later, it pastes what the clipboard held before.";
constexpr std::u16string_view kNotRestored =
    u"The clipboard could not be put back as it was: another program keeps it open.";
constexpr std::u16string_view kKeyLeftDown =
    u"Windows did not take the release of a key Fenlow had pressed: press and let go of Ctrl once.";
constexpr std::u16string_view kPartlyRestored =
    u"The clipboard was put back without some of its content: it held more than 32 MB, or "
    u"pictures that Fenlow cannot keep.";

// A mark whose data is a zero DWORD.
ClipboardFormatData ZeroMark(std::u16string_view name) {
  return {0, std::u16string(name), std::string(4, '\0')};
}

bool IsModifier(std::uint8_t code) {
  return code == key::kControl || code == key::kAlt || code == key::kShift ||
         code == key::kLeftWindows || code == key::kRightWindows;
}

}  // namespace

std::vector<ClipboardFormatData> KeepOutOfHistoryMarks() {
  return {ZeroMark(platform::kExcludeFromMonitoringFormat),
          ZeroMark(u"CanIncludeInClipboardHistory"), ZeroMark(u"CanUploadToCloudClipboard")};
}

std::vector<KeyStroke> ReleaseStrokes(const std::vector<std::uint8_t>& keys) {
  std::vector<KeyStroke> strokes;
  for (std::uint8_t code : keys) {
    if (code == key::kAlt) {
      strokes.push_back({key::kNeutral, false});
      strokes.push_back({key::kNeutral, true});
    }
    strokes.push_back({code, true});
  }
  return strokes;
}

// Fenlow ends in the middle of a run: the user's clipboard comes back all
// the same, unless they copied meanwhile.
InPlaceEdit::~InPlaceEdit() {
  if (!Running()) return;
  ReleaseKeysSent();
  const bool takenOver = platform_.Offer().TakenOver();
  platform_.Offer().Withdraw();
  if (!clipboardChanged_ || takenOver) return;
  try {
    platform_.Clipboard().ReplaceWithFormats(RestoredFormats());
  } catch (...) {
    // Nothing is left to tell it to: the program is going.
  }
}

void InPlaceEdit::Start(InPlaceRequest request) {
  if (Running()) return Show(kBusy);
  request_ = std::move(request);
  notices_.clear();
  clipboardChanged_ = false;
  readByTarget_ = false;
  try {
    target_ = platform_.Input().Focused();
    if (RefusedTarget()) return;
    targetProcess_ = platform_.Input().ProcessOf(target_.window);
  } catch (const std::exception& failure) {
    Tell(u"Nothing was sent: " + FailureText(failure));
    return;
  }
  monitor_.KeepOutTemporaryCopies();
  Begin(Step::Releasing, kReleaseBound);
  Tick();
}

bool InPlaceEdit::RefusedTarget() {
  std::u16string_view refusal;
  if (target_.window == 0) {
    refusal = kNoWindow;
  } else if (platform_.Input().IsTerminal(target_.window)) {
    refusal = kTerminal;
  } else if (platform_.Input().RunsAboveUs(target_.window)) {
    refusal = kElevated;
  }
  if (refusal.empty()) return false;
  Tell(refusal);
  return true;
}

void InPlaceEdit::Begin(Step step, Milliseconds bound) {
  step_ = step;
  deadline_ = platform_.Clipboard().Now() + bound;
}

void InPlaceEdit::Schedule() {
  platform_.Forms().PostAfter(kPollInterval, [self = std::weak_ptr<InPlaceEdit*>(self_)] {
    if (auto edit = self.lock()) (*edit)->Tick();
  });
}

bool InPlaceEdit::PastDeadline() {
  return platform_.Clipboard().Now() >= deadline_;
}

// Each step either moves on, ends the run, or polls again.
void InPlaceEdit::Tick() {
  try {
    switch (step_) {
      case Step::Idle:
        return;
      case Step::Releasing:
        if (KeysReleased()) return AfterRelease();
        if (PastDeadline()) return EndWith(kStillHeld);
        break;
      case Step::Keeping:
        return TryKeep();
      case Step::Copying:
        if (platform_.Clipboard().SequenceNumber() != sequenceBeforeCopy_) return AfterCopy();
        if (PastDeadline()) return EndWith(kNothingSelected);
        break;
      case Step::ReadingCopy:
        return TryReadCopy();
      case Step::Offering:
        return TryOffer();
      case Step::Pasted:
        return CheckPasted();
      case Step::Restoring:
        return TryRestore();
    }
    Schedule();
  } catch (const std::exception& failure) {
    // Whatever failed, the user's clipboard comes back and no key stays down.
    Tell(FailureText(failure));
    if (step_ == Step::Pasted || clipboardChanged_) return StartRestore();
    Finish();
  }
}

bool InPlaceEdit::KeysReleased() {
  const platform::Hotkey& pressed = request_.pressed;
  const std::pair<bool, std::uint8_t> keys[] = {{pressed.control, key::kControl},
                                                {pressed.alt, key::kAlt},
                                                {pressed.shift, key::kShift},
                                                {true, pressed.key}};
  for (const auto& [used, code] : keys) {
    if (used && code != 0 && platform_.Input().IsKeyDown(code)) return false;
  }
  return true;
}

// A clipboard history reading the latest copy holds the clipboard for a
// moment: each read is tried again on the next ticks, up to kHeldBound.
void InPlaceEdit::AfterRelease() {
  Begin(Step::Keeping, kHeldBound);
  TryKeep();
}

void InPlaceEdit::TryKeep() {
  if (!KeepOriginal()) return PastDeadline() ? EndWith(kClipboardHeld) : Schedule();
  if (request_.mode == platform::HotkeyMode::Selection) {
    sequenceBeforeCopy_ = platform_.Clipboard().SequenceNumber();
    if (!SendChord(key::kC)) return Finish();
    Begin(Step::Copying, kCopyBound);
    return Schedule();
  }
  const std::optional<std::u16string> text = platform::UnicodeTextOf(original_.formats);
  if (!text) return EndWith(kClipboardWithoutText);
  EditAndOffer(*text);
}

void InPlaceEdit::AfterCopy() {
  clipboardChanged_ = true;
  Begin(Step::ReadingCopy, kHeldBound);
  TryReadCopy();
}

void InPlaceEdit::TryReadCopy() {
  std::u16string text;
  try {
    text = platform_.Clipboard().GetText(0);
  } catch (const platform::Failure&) {
    return PastDeadline() ? FailBeforePaste(std::u16string(kClipboardHeld)) : Schedule();
  }
  if (text.empty()) return FailBeforePaste(std::u16string(kSelectionWithoutText));
  EditAndOffer(text);
}

void InPlaceEdit::EditAndOffer(const std::u16string& text) {
  try {
    edited_ = request_.edit(text);
  } catch (const std::exception& failure) {
    return FailBeforePaste(std::u16string(kEditFailed) + FailureText(failure));
  }
  // The clipboard is not touched for a window that no longer has the focus.
  if (!FocusUnchanged()) return FailBeforePaste(std::u16string(kFocusMoved));
  Begin(Step::Offering, kHeldBound);
  TryOffer();
}

// The offer changes the clipboard: from here on it is put back however the run ends.
void InPlaceEdit::TryOffer() {
  try {
    platform_.Offer().Offer(KeepOutOfHistoryMarks(), edited_,
                            [self = std::weak_ptr<InPlaceEdit*>(self_)](std::uint32_t reader) {
                              if (auto edit = self.lock()) (*edit)->OnRead(reader);
                            });
  } catch (const platform::Failure&) {
    if (PastDeadline()) return FailBeforePaste(std::u16string(kClipboardHeld));
    return Schedule();
  }
  clipboardChanged_ = true;
  if (!SendChord(key::kV)) return StartRestore();
  Begin(Step::Pasted, kReadBound);
  Schedule();
}

// Clipboard managers and remote-desktop sharing read it too: only the
// target's own reading counts.
void InPlaceEdit::OnRead(std::uint32_t readerProcess) {
  if (step_ == Step::Pasted && readerProcess != 0 && readerProcess == targetProcess_)
    readByTarget_ = true;
}

void InPlaceEdit::CheckPasted() {
  if (platform_.Offer().TakenOver()) return Finish();  // the user's new copy wins
  if (readByTarget_) return StartRestore();
  if (PastDeadline()) {
    Tell(kNeverRead);
    return StartRestore();
  }
  Schedule();
}

void InPlaceEdit::FailBeforePaste(std::u16string notice) {
  Tell(notice);
  if (clipboardChanged_) return StartRestore();
  Finish();
}

void InPlaceEdit::StartRestore() {
  Begin(Step::Restoring, kHeldBound);
  TryRestore();
}

void InPlaceEdit::TryRestore() {
  if (platform_.Offer().TakenOver()) return Finish();
  platform_.Offer().Withdraw();
  try {
    platform_.Clipboard().ReplaceWithFormats(RestoredFormats());
  } catch (const platform::Failure&) {
    if (PastDeadline()) return EndWith(kNotRestored);
    return Schedule();
  }
  if (!original_.whole) Tell(kPartlyRestored);
  Finish(platform_.Clipboard().SequenceNumber());
}

// Marked as the temporary text is, so that no history records it again.
std::vector<ClipboardFormatData> InPlaceEdit::RestoredFormats() const {
  std::vector<ClipboardFormatData> formats = original_.formats;
  for (ClipboardFormatData& mark : KeepOutOfHistoryMarks()) {
    const bool present = std::any_of(formats.begin(), formats.end(),
                                     [&](const auto& data) { return data.name == mark.name; });
    if (!present) formats.push_back(std::move(mark));
  }
  return formats;
}

void InPlaceEdit::Finish(std::optional<std::uint32_t> ownRestore) {
  if (!ReleaseKeysSent()) Tell(kKeyLeftDown);
  step_ = Step::Idle;
  monitor_.TakeChangesAgain(ownRestore);
  if (notices_.empty()) return;
  std::u16string text;
  for (const std::u16string& notice : std::exchange(notices_, {})) {
    if (!text.empty()) text.append(u"\r\n");
    text.append(notice);
  }
  Show(text);
}

void InPlaceEdit::EndWith(std::u16string_view notice) {
  Tell(notice);
  Finish();
}

// Told at once when idle; during a run, gathered and told together at its end.
void InPlaceEdit::Tell(std::u16string_view notice) {
  if (Running()) {
    notices_.emplace_back(notice);
  } else {
    Show(notice);
  }
}

void InPlaceEdit::Show(std::u16string_view notice) {
  bool shown = false;
  try {
    shown = platform_.Tray().Notify(kTitle, notice);
  } catch (const std::exception&) {
  }
  // Without the icon there is no notification: a box says it instead.
  if (!shown) platform_.Forms().ShowMessage(notice, platform::kMessageBoxPlain, std::nullopt);
}

bool InPlaceEdit::FocusUnchanged() {
  return platform_.Input().Focused() == target_;
}

bool InPlaceEdit::SendChord(std::uint8_t letter) {
  if (!FocusUnchanged()) {
    Tell(kFocusMoved);
    return false;
  }
  const std::vector<KeyStroke> strokes = {
      {key::kControl, false}, {letter, false}, {letter, true}, {key::kControl, true}};
  if (!Send(strokes)) {
    Tell(ReleaseKeysSent() ? kKeysRefused : kKeyLeftDown);
    return false;
  }
  return true;
}

// What the system took is noted: a key it left down is let go of at the
// run's end. False when it did not take every stroke.
bool InPlaceEdit::Send(const std::vector<KeyStroke>& strokes) {
  const std::size_t taken = std::min(platform_.Input().SendKeys(strokes), strokes.size());
  for (std::size_t i = 0; i < taken; ++i) {
    if (strokes[i].up) {
      keysDown_.erase(strokes[i].key);
    } else {
      keysDown_.insert(strokes[i].key);
    }
  }
  return taken == strokes.size();
}

// Letters first, then the modifiers. False when they could not be sent.
bool InPlaceEdit::ReleaseKeysSent() noexcept {
  if (keysDown_.empty()) return true;
  std::vector<std::uint8_t> keys(keysDown_.begin(), keysDown_.end());
  std::stable_partition(keys.begin(), keys.end(),
                        [](std::uint8_t code) { return !IsModifier(code); });
  try {
    const std::vector<KeyStroke> strokes = ReleaseStrokes(keys);
    if (platform_.Input().SendKeys(strokes) < strokes.size()) return false;
    keysDown_.clear();
    return true;
  } catch (...) {
    return false;
  }
}

// Marked private, the copy is kept here alone, for this run, never in the
// undo history.
bool InPlaceEdit::KeepOriginal() {
  platform::ClipboardPrimitives& clipboard = platform_.Clipboard();
  original_ = {};
  try {
    std::optional<std::vector<ClipboardFormatData>> formats =
        clipboard.ReadMemoryFormats(UndoHistory::kStepBound);
    if (formats) {
      original_.formats = std::move(*formats);
    } else {
      original_.whole = false;
      if (std::optional<ClipboardFormatData> text = clipboard.ReadTextBlock())
        original_.formats.push_back(std::move(*text));
    }
    const bool hasDib =
        std::any_of(original_.formats.begin(), original_.formats.end(),
                    [](const auto& data) { return data.id == std::uint32_t{format::kDib}; });
    if (clipboard.HasFormat(format::kEnhancedMetafile) ||
        clipboard.HasFormat(format::kMetafilePicture) ||
        (clipboard.HasFormat(format::kBitmap) && !hasDib)) {
      original_.whole = false;
    }
  } catch (const platform::Failure&) {
    return false;
  }
  return true;
}

}  // namespace fenlow
