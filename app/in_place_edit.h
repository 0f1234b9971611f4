// "Paste edited" and "Edit the selection": a hotkey's edit goes into the
// program the user is in by Ctrl+V, and the clipboard is put back as it was.
// A small state machine on the window's thread: every wait is a poll on a
// posted timer, so the window's messages go on being dispatched (the target
// asks for the text through one of them).
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "clipboard/clipboard_monitor.h"
#include "platform/hotkey_mode.h"
#include "platform/platform.h"

namespace fenlow {

// An edit as a hotkey runs it: returns the edited text, or throws
// std::exception with what to tell the user.
using HotkeyEdit = std::function<std::u16string(const std::u16string& text)>;

struct InPlaceRequest {
  platform::HotkeyMode mode = platform::HotkeyMode::Paste;  // Paste or Selection
  platform::Hotkey pressed;  // its keys are let go of before anything is sent
  HotkeyEdit edit;
};

// The formats that keep a temporary copy out of clipboard managers, the
// clipboard history and its upload to the cloud.
[[nodiscard]] std::vector<platform::ClipboardFormatData> KeepOutOfHistoryMarks();

// The strokes that let go of `keys` in their order; Alt's release follows
// a tap of a key that does nothing, so that no menu bar opens.
[[nodiscard]] std::vector<platform::KeyStroke> ReleaseStrokes(
    const std::vector<std::uint8_t>& keys);

class InPlaceEdit {
 public:
  using Milliseconds = std::chrono::milliseconds;
  static constexpr Milliseconds kPollInterval{10};
  static constexpr Milliseconds kReleaseBound{3000};  // for the user to let go of the hotkey
  static constexpr Milliseconds kCopyBound{1000};     // for the target to copy its selection
  static constexpr Milliseconds kHeldBound{1000};  // for another program to let the clipboard go,
                                                   // at each read and write
  static constexpr Milliseconds kReadBound{2000};  // for the target to read the pasted text

  InPlaceEdit(platform::Platform& platform, ClipboardMonitor& monitor)
      : platform_(platform), monitor_(monitor) {}
  // A run cut short lets go of its keys and of the clipboard.
  ~InPlaceEdit();
  InPlaceEdit(const InPlaceEdit&) = delete;
  InPlaceEdit& operator=(const InPlaceEdit&) = delete;

  void Start(InPlaceRequest request);
  [[nodiscard]] bool Running() const { return step_ != Step::Idle; }

 private:
  enum class Step { Idle, Releasing, Keeping, Copying, ReadingCopy, Offering, Pasted, Restoring };
  struct KeptClipboard {
    std::vector<platform::ClipboardFormatData> formats;
    bool whole = true;  // false: formats Undo cannot keep, or over its bound
  };

  bool RefusedTarget();
  void Begin(Step step, Milliseconds bound);
  void Schedule();
  void Tick();
  [[nodiscard]] bool PastDeadline();
  void AfterRelease();
  void TryKeep();
  void AfterCopy();
  void TryReadCopy();
  void EditAndOffer(const std::u16string& text);
  void TryOffer();
  void OnRead(std::uint32_t readerProcess);
  void CheckPasted();
  void StartRestore();
  void TryRestore();
  // Ends the run: lets go of the keys sent, gives the monitor its changes
  // back and tells what there is to tell, once.
  void Finish(std::optional<std::uint32_t> ownRestore = std::nullopt);
  // A failure before the paste: the clipboard as it was, once the target
  // changed it by its copy.
  void FailBeforePaste(std::u16string notice);

  [[nodiscard]] bool KeysReleased();
  [[nodiscard]] bool FocusUnchanged();
  // Ctrl with `letter`, to the window that had the focus; false (told)
  // when the focus moved or the system did not take every stroke.
  bool SendChord(std::uint8_t letter);
  bool Send(const std::vector<platform::KeyStroke>& strokes);
  bool ReleaseKeysSent() noexcept;
  bool KeepOriginal();
  [[nodiscard]] std::vector<platform::ClipboardFormatData> RestoredFormats() const;
  void Tell(std::u16string_view notice);
  void Show(std::u16string_view notice);
  void EndWith(std::u16string_view notice);

  platform::Platform& platform_;
  ClipboardMonitor& monitor_;
  InPlaceRequest request_;
  Step step_ = Step::Idle;
  platform::ClipboardPrimitives::Clock::time_point deadline_{};
  platform::FocusedWindow target_;
  std::uint32_t targetProcess_ = 0;
  KeptClipboard original_;
  bool clipboardChanged_ = false;  // the target's copy replaced the original
  std::uint32_t sequenceBeforeCopy_ = 0;
  std::u16string edited_;
  bool readByTarget_ = false;
  std::set<std::uint8_t> keysDown_;  // sent down and not up yet
  std::vector<std::u16string> notices_;
  // Timed tasks and the offer's reader hold it weakly: one that comes after
  // this object is gone does nothing.
  std::shared_ptr<InPlaceEdit*> self_ = std::make_shared<InPlaceEdit*>(this);
};

}  // namespace fenlow
