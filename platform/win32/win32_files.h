// File services on the real file system.
#pragma once

#include "platform/file_system.h"

namespace fenlow::platform::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  std::u16string ProgramFolder() override;
  std::chrono::system_clock::time_point ReadLastChangeTime(std::u16string_view path) override;
  bool IsNormalFile(std::u16string_view path) override;
  std::string ReadWholeFile(std::u16string_view path) override;
  bool IsAbsent(std::u16string_view path) override;
  // win32_file_replace.cpp
  void ReplaceWholeFile(std::u16string_view path, std::string_view content) override;
  std::optional<std::u16string> RoamingAppDataFolder() override;
  void CreateFolders(std::u16string_view path) override;
};

}  // namespace fenlow::platform::win32
