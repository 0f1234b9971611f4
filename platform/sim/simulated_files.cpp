#include "platform/sim/simulated_files.h"

#include "platform/sim/call_log.h"

namespace fenlow::platform::sim {

SimulatedFiles::SimulatedFiles(FaultInjector& faults, CallLog& log) : faults_(faults), log_(log) {
  faults_.DescribeFailure("ReplaceWholeFile",
                          "Cannot replace the file: there is not enough space on the disk.");
}

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

namespace fenlow::platform::sim {

bool SimulatedFiles::IsAbsent(std::u16string_view path) {
  faults_.Enter("IsAbsent");
  return !files_.contains(std::u16string(path));
}

void SimulatedFiles::ReplaceWholeFile(std::u16string_view path, std::string_view content) {
  faults_.Count("ReplaceWholeFile", CallLog::Narrow(path));
  log_.Record("ReplaceWholeFile");
  faults_.ThrowIfMadeToFail("ReplaceWholeFile", CallLog::Narrow(path));
  files_[std::u16string(path)] =
      SimFile{std::string(content), false, std::chrono::system_clock::now()};
}

std::optional<std::string> SimulatedFiles::FileNamed(std::u16string_view path) const {
  auto found = files_.find(std::u16string(path));
  if (found == files_.end()) return std::nullopt;
  return found->second.content;
}

}  // namespace fenlow::platform::sim

namespace fenlow::platform::sim {

std::optional<std::u16string> SimulatedFiles::RoamingAppDataFolder() {
  faults_.Enter("RoamingAppDataFolder");
  return roamingFolder_;
}

void SimulatedFiles::CreateFolders(std::u16string_view path) {
  faults_.Enter("CreateFolders", CallLog::Narrow(path));
  folders_.emplace(path);
}

}  // namespace fenlow::platform::sim
