// The simulated desktop's files written whole: in memory, so a replacement is
// one step by nature; a replacement told to fail changes nothing.
#include <chrono>
#include <optional>
#include <string>

#include "platform/sim/simulated_desktop.h"

namespace fenlow::platform::sim {

bool SimulatedDesktop::IsAbsent(std::u16string_view path) {
  Enter("IsAbsent");
  return !files_.contains(std::u16string(path));
}

void SimulatedDesktop::ReplaceWholeFile(std::u16string_view path, std::string_view content) {
  Enter("ReplaceWholeFile");
  Record("ReplaceWholeFile");
  if (!failReplacing_.empty() && path == failReplacing_) {
    throw Failure("Cannot replace the file: there is not enough space on the disk.");
  }
  files_[std::u16string(path)] =
      SimFile{std::string(content), false, std::chrono::system_clock::now()};
}

std::optional<std::string> SimulatedDesktop::FileNamed(std::u16string_view path) const {
  auto found = files_.find(std::u16string(path));
  if (found == files_.end()) return std::nullopt;
  return found->second.content;
}

}  // namespace fenlow::platform::sim
