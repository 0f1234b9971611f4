// The few file services the program needs: what the windows' load handlers
// read, and files written whole (the recipe file) in the user's folders.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace fenlow::platform {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The folder the program runs from, without a trailing separator.
  virtual std::u16string ProgramFolder() = 0;
  // The last-change time of `path`; throws Failure when that is not a readable file.
  virtual std::chrono::system_clock::time_point ReadLastChangeTime(std::u16string_view path) = 0;
  // Whether `path` names a normal file: not hidden, not system, not a folder.
  virtual bool IsNormalFile(std::u16string_view path) = 0;
  // The whole content of a file; throws Failure when it cannot be read.
  virtual std::string ReadWholeFile(std::u16string_view path) = 0;
  // Whether nothing at all has the name `path`, neither a file nor a folder:
  // the one case in which a missing file is no fault. False when the system
  // cannot tell.
  virtual bool IsAbsent(std::u16string_view path) = 0;
  // Makes `content` the whole content of the file `path` (created when absent),
  // in full or not at all: a temporary file beside it ("<path>.tmp") is
  // written and flushed to the disk, then takes the place of `path` in one
  // step. Throws Failure when any of that fails, leaving `path` as it was.
  virtual void ReplaceWholeFile(std::u16string_view path, std::string_view content) = 0;
  // The user's roaming application-data folder (%APPDATA% on Windows), without
  // a trailing separator; nullopt when the system has none.
  virtual std::optional<std::u16string> RoamingAppDataFolder() = 0;
  // Makes the folder `path` and the folders above it that are missing;
  // nothing happens when it exists. Throws Failure when one cannot be made.
  virtual void CreateFolders(std::u16string_view path) = 0;
};

}  // namespace fenlow::platform
