// A recipe file put where the real fenlow.exe reads it, for one test.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "edits/engine/utf.h"
#include "platform/system_file_system.h"
#include "platform/user_folders.h"
#include "platform/win32/testing/desktop_probe.h"

namespace fenlow::e2e {

// The recipe file of the user the tests run as, put in place for one test
// and taken away after it (the next start then writes the first file again).
class RecipeFileInPlace {
 public:
  explicit RecipeFileInPlace(std::string_view content) {
    const std::optional<std::u16string> roaming = platform::RoamingAppDataFolder();
    if (!roaming) throw std::runtime_error("APPDATA is not set");
    folder_ = *roaming + u"\\Kestrane\\Fenlow";
    path_ = folder_ + u"\\recipes.toml";
    files_->CreateFolders(folder_);
    files_->ReplaceWholeFile(path_, content);
  }
  ~RecipeFileInPlace() {
    for (const std::u16string& path : {path_, path_ + u".bak"}) {
      platform::win32::probe::RunHostShell("rm -f \"$(winepath -u '" + edits::Utf16ToUtf8(path) + "')\"");
    }
  }
  RecipeFileInPlace(const RecipeFileInPlace&) = delete;
  RecipeFileInPlace& operator=(const RecipeFileInPlace&) = delete;

  std::string Content() { return files_->ReadWholeFile(path_); }
  std::string Backup() { return files_->ReadWholeFile(path_ + u".bak"); }

 private:
  std::unique_ptr<platform::FileSystem> files_ = platform::CreateSystemFileSystem();
  std::u16string folder_;
  std::u16string path_;
};

}  // namespace fenlow::e2e
