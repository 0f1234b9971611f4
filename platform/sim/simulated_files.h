// The simulated desktop's files: the program's folder and the files a test
// puts there (the hand pointer, the skin file) or the program writes (the
// recipe file), each with its content, its last-change time and whether it
// is hidden. In memory, a file replaced whole is replaced in one step by
// nature; one made to fail ("ReplaceWholeFile(<path>)") changes nothing.
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/sim/call_log.h"
#include "platform/sim/fault_injector.h"

namespace fenlow::platform::sim {

class SimulatedFiles final : public FileSystem {
 public:
  explicit SimulatedFiles(FaultInjector& faults, CallLog& log);

  void AddFile(std::u16string path, std::string content, bool hidden = false);
  void SetProgramFolder(std::u16string folder) { programFolder_ = std::move(folder); }
  // nullopt: a system without a roaming folder.
  void SetRoamingAppDataFolder(std::optional<std::u16string> folder) {
    roamingFolder_ = std::move(folder);
  }
  // Whether the program made the folder `path`.
  [[nodiscard]] bool FolderMade(std::u16string_view path) const {
    return folders_.contains(std::u16string(path));
  }
  // The content of `path`, as the system reads it to load a cursor: not a
  // counted call. Throws Failure when there is no such file.
  std::string FileContent(std::u16string_view path) const;
  // The content of a file as the program left it; nullopt when there is none.
  std::optional<std::string> FileNamed(std::u16string_view path) const;

 private:
  std::u16string ProgramFolder() override;
  std::chrono::system_clock::time_point ReadLastChangeTime(std::u16string_view path) override;
  bool IsNormalFile(std::u16string_view path) override;
  std::string ReadWholeFile(std::u16string_view path) override;
  bool IsAbsent(std::u16string_view path) override;
  void ReplaceWholeFile(std::u16string_view path, std::string_view content) override;
  std::optional<std::u16string> RoamingAppDataFolder() override;
  void CreateFolders(std::u16string_view path) override;

  struct SimFile {
    std::string content;
    bool hidden = false;
    std::chrono::system_clock::time_point lastChange;
  };

  FaultInjector& faults_;
  CallLog& log_;
  std::map<std::u16string, SimFile> files_;
  std::u16string programFolder_ = u"C:\\Program Files\\Fenlow";
  std::optional<std::u16string> roamingFolder_ = u"C:\\Users\\user\\AppData\\Roaming";
  std::set<std::u16string> folders_;
};

}  // namespace fenlow::platform::sim
