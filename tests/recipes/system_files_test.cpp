// The native build's file services on the real disk: files replaced whole or
// not at all. (The Win32 backend's are tested under Wine, tests/win32/.)
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

#include "platform/system_file_system.h"
#include "platform/types.h"

namespace fenlow::platform {
namespace {

class RealDisk : public ::testing::Test {
 protected:
  RealDisk() {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  ~RealDisk() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::string Content(const std::filesystem::path& path) const {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  }

  std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("fenlow recipe files " + std::to_string(std::random_device()()));  // others test at once
  std::filesystem::path file = folder / "recipes \xC3\xA9.toml";
  std::unique_ptr<FileSystem> files = CreateSystemFileSystem();
};

TEST_F(RealDisk, AFileIsReplacedWholeAndTheTemporaryGoes) {
  EXPECT_TRUE(files->IsAbsent(file.u16string()));
  EXPECT_TRUE(files->IsAbsent((folder / "no folder" / "x").u16string()));
  EXPECT_FALSE(files->IsAbsent(folder.u16string())) << "a folder is there";
  files->ReplaceWholeFile(file.u16string(), "first");
  files->ReplaceWholeFile(file.u16string(), std::string("second\0\r\n", 9));
  EXPECT_EQ(Content(file), std::string("second\0\r\n", 9));
  EXPECT_FALSE(files->IsAbsent(file.u16string()));
  EXPECT_FALSE(std::filesystem::exists(folder / "recipes \xC3\xA9.toml.tmp"));

  using std::filesystem::perms;
  std::filesystem::permissions(file, perms::owner_read | perms::owner_write);
  files->ReplaceWholeFile(file.u16string(), "private");
  EXPECT_EQ(std::filesystem::status(file).permissions() & perms::all,
            perms::owner_read | perms::owner_write)
      << "a private file stays private";
}

TEST_F(RealDisk, AReplacementThatFailsLeavesTheOldFileWhole) {
  files->ReplaceWholeFile(file.u16string(), "old");
  std::filesystem::create_directory(folder / "recipes \xC3\xA9.toml.tmp");  // blocks the temporary
  EXPECT_THROW(files->ReplaceWholeFile(file.u16string(), "new"), Failure);
  EXPECT_EQ(Content(file), "old");
  EXPECT_THROW(files->ReplaceWholeFile((folder / "no folder" / "x").u16string(), "new"), Failure);
}

}  // namespace
}  // namespace fenlow::platform
