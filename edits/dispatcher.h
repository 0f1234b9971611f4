// ApplyBulkEdit: the only place that writes to the clipboard. It leaves the
// viewer chain and unhooks the main window first, so that its own write never
// comes back to it as a change, writes only while one of the request flags
// is set, and then hooks the window and rejoins the chain. Before each write
// it keeps what the clipboard held, for Undo, which writes through here too.
#pragma once

#include <exception>
#include <optional>
#include <string>

#include "clipboard/clipboard_monitor.h"

namespace fenlow {

class BulkEditDispatcher final : public BulkEditStep {
 public:
  // Automatic mode turns itself off after this many writes within kTooFastSpan.
  static constexpr std::size_t kTooFastWrites = 5;
  static constexpr std::chrono::seconds kTooFastSpan{2};

  explicit BulkEditDispatcher(ClipboardMonitor& monitor) : monitor_(monitor) {}

  void ApplyBulkEdit() override;
  void UndoLastWrite() override;

 private:
  // Runs `write` out of the viewer chain and unhooked; whatever fails,
  // monitoring goes on. What `write` returns is told once the change is over.
  template <typename Write>
  void WriteDetached(Write write);

  // When another program changed the clipboard since the change handler
  // classified it, nothing may be written over it: its text is shown as a
  // change would show it and the message to tell is returned.
  std::optional<std::u16string> ChangedMeanwhile(bool keepText1);

  void Detach(std::exception_ptr& firstFailure);
  void Reattach(std::exception_ptr& firstFailure);
  // The writes; each returns what the user must be told, if anything.
  std::optional<std::u16string> WriteBulkEdit();
  std::optional<std::u16string> WriteRequestedEdit(const TextEdit& edit);
  std::optional<std::u16string> WriteManualSave();
  std::optional<std::u16string> WriteAutomaticEdit();
  // A text to write, and what else it is once written.
  struct Written {
    platform::SharedText text;
    bool becomesClipText = false;  // the two blank-line edits: ClipText is their result
    bool shownInText1 = false;     // the save step stores what Text1 shows
  };
  std::optional<std::u16string> WriteBack(const Written& result);
  std::optional<std::u16string> RestoreLatestStep();
  bool ClipboardHoldsText(std::u16string_view text);
  // Automatic mode's notices: told once, until an edit works again.
  std::optional<std::u16string> TellOnce(std::u16string notice);
  // The outcome of an automatic edit, the chosen one's or a recipe's.
  struct AutomaticOutcome {
    std::optional<platform::SharedText> result;
    bool rewritesClipText = false;
    std::optional<std::u16string> failure;
    bool fromRecipe = false;  // a recipe's failure is told by the icon
  };
  std::optional<AutomaticOutcome> AutomaticResult();
  // A recipe's failure, told by the icon without taking the focus from the
  // user's program; returned to be told in a box when the icon cannot.
  std::optional<std::u16string> NotifiedFromIcon(std::u16string text);
  // Notes an automatic write; the notice when it turned the mode off.
  std::optional<std::u16string> CountAutomaticWrite();

  ClipboardMonitor& monitor_;
};

}  // namespace fenlow
