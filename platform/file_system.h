// The few file services the windows' load handlers need.
#pragma once

#include <chrono>
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
};

}  // namespace fenlow::platform
