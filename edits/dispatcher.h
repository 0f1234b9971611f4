// ApplyBulkEdit: the only place that writes to the clipboard. It leaves the
// viewer chain and unhooks the main window first, so that its own write never
// comes back to it as a change, writes only while one of the two request
// flags is set, and then hooks the window and rejoins the chain.
#pragma once

#include <exception>
#include <optional>
#include <string>

#include "clipboard/clipboard_monitor.h"

namespace fenlow {

class BulkEditDispatcher final : public BulkEditStep {
 public:
  explicit BulkEditDispatcher(ClipboardMonitor& monitor) : monitor_(monitor) {}

  void ApplyBulkEdit() override;

 private:
  // When another program changed the clipboard since the change handler
  // classified it, nothing may be written over it: its text is shown as a
  // change would show it and the message to tell is returned.
  std::optional<std::u16string> ChangedMeanwhile(bool keepText1);

  void Detach(std::exception_ptr& firstFailure);
  void Reattach(std::exception_ptr& firstFailure);
  // The two write-backs; each returns what the user must be told, if anything.
  std::optional<std::u16string> WriteBulkEdit();
  std::optional<std::u16string> WriteManualSave();
  std::optional<std::u16string> WriteBack(const std::u16string& result);
  bool ClipboardHoldsText(const std::u16string& text);

  ClipboardMonitor& monitor_;
};

}  // namespace fenlow
