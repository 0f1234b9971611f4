#include "platform/sim/simulated_files.h"

#include "platform/sim/call_log.h"

namespace fenlow::platform::sim {

void SimulatedFiles::AddFile(std::u16string path, std::string content, bool hidden) {
  files_[std::move(path)] = SimFile{std::move(content), hidden, std::chrono::system_clock::now()};
}

std::u16string SimulatedFiles::ProgramFolder() {
  faults_.Enter("ProgramFolder");
  return programFolder_;
}

std::chrono::system_clock::time_point SimulatedFiles::ReadLastChangeTime(std::u16string_view path) {
  faults_.Enter("ReadLastChangeTime");
  auto found = files_.find(std::u16string(path));
  if (found == files_.end()) throw Failure("File not found: " + CallLog::Narrow(path));
  return found->second.lastChange;
}

bool SimulatedFiles::IsNormalFile(std::u16string_view path) {
  faults_.Enter("IsNormalFile");
  auto found = files_.find(std::u16string(path));
  return found != files_.end() && !found->second.hidden;
}

std::string SimulatedFiles::ReadWholeFile(std::u16string_view path) {
  faults_.Enter("ReadWholeFile");
  return FileContent(path);
}

std::string SimulatedFiles::FileContent(std::u16string_view path) const {
  auto found = files_.find(std::u16string(path));
  if (found == files_.end()) throw Failure("File not found: " + CallLog::Narrow(path));
  return found->second.content;
}

}  // namespace fenlow::platform::sim
