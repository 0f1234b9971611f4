// ApplyBulkEdit: the only place that writes to the clipboard. It leaves the
// viewer chain and unhooks the main window first, so that its own write never
// comes back to it as a change, writes only while one of the two request
// flags is set, and then hooks the window and rejoins the chain.
#pragma once

#include <cstdint>
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
  // What the clipboard holds, as far as a change by another program shows:
  // its kind and, for text, the text; nothing when it could not be read.
  struct Snapshot {
    std::int32_t kind = 0;
    std::u16string text;
    bool operator==(const Snapshot&) const = default;
  };
  std::optional<Snapshot> TakeSnapshot();
  std::optional<std::u16string> ChangedMeanwhile(const std::optional<Snapshot>& before,
                                                 bool keepText1);

  void Detach(std::exception_ptr& firstFailure);
  void Reattach(std::exception_ptr& firstFailure);
  // The two write-backs; each returns what the user must be told, if anything.
  std::optional<std::u16string> WriteBulkEdit();
  std::optional<std::u16string> WriteManualSave();
  std::optional<std::u16string> WriteBack(const std::u16string& result);
  void Tell(const std::u16string& message);

  ClipboardMonitor& monitor_;
};

}  // namespace fenlow
