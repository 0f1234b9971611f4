// The registry settings store and the file services on the real system.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"

namespace fenlow::tests {
namespace {

using platform::Failure;
namespace probe = platform::win32::probe;

class RealSystem : public ::testing::Test {
 protected:
  std::unique_ptr<platform::Platform> platform = platform::CreateWin32Platform();
};

TEST_F(RealSystem, SettingsAreStringValuesUnderTheUsersSoftwareKey) {
  auto& settings = platform->Settings();
  settings.Write(u"KestraneTest", u"Fenlow", u"Combo1", u"Remove \u00e9 \u4e2d");
  EXPECT_EQ(settings.Read(u"KestraneTest", u"Fenlow", u"Combo1", u"fallback"),
            u"Remove \u00e9 \u4e2d");
  EXPECT_EQ(probe::ReadUserRegistryString(u"Software\\KestraneTest\\Fenlow", u"Combo1"),
            u"Remove \u00e9 \u4e2d");

  settings.Write(u"KestraneTest", u"Fenlow", u"Combo1", u"-");
  EXPECT_EQ(platform::CreateWin32Platform()->Settings().Read(u"KestraneTest", u"Fenlow", u"Combo1",
                                                             u"fallback"),
            u"-")
      << "a later run reads the last value written";
  settings.Write(u"KestraneTest", u"Fenlow", u"Empty", u"");
  EXPECT_EQ(settings.Read(u"KestraneTest", u"Fenlow", u"Empty", u"fallback"), u"");
}

TEST_F(RealSystem, AbsentSettingsReadAsTheFallback) {
  auto& settings = platform->Settings();
  EXPECT_EQ(settings.Read(u"KestraneTest", u"Fenlow", u"Never written", u"True"), u"True");
  EXPECT_EQ(settings.Read(u"KestraneTest", u"No section", u"Combo1", u"x"), u"x");
  EXPECT_EQ(settings.Read(u"No such application", u"Fenlow", u"Combo1", u""), u"");
}

// The sign-in entry starts this very program with its start-up argument.
TEST_F(RealSystem, StartWithWindowsIsTheUsersRunValueNamingThisProgram) {
  constexpr char16_t kRun[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  auto& startup = platform->Startup();
  startup.SetStartWithWindows(true);
  EXPECT_TRUE(startup.StartsWithWindows());
  EXPECT_EQ(probe::ReadUserRegistryString(kRun, u"Fenlow"),
            u"\"" + platform->Files().ProgramFolder() + u"\\fenlow_win_tests.exe\" /autostart");
  EXPECT_FALSE(startup.StartedWithWindows()) << "this run had no such argument";

  startup.SetStartWithWindows(false);
  EXPECT_FALSE(startup.StartsWithWindows());
  EXPECT_EQ(probe::ReadUserRegistryString(kRun, u"Fenlow"), u"");
  EXPECT_NO_THROW(startup.SetStartWithWindows(false)) << "no entry to remove is no failure";
}

TEST_F(RealSystem, ProgramFolderHoldsTheProgramWithoutTrailingSeparator) {
  const std::u16string folder = platform->Files().ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), u'\\');
  EXPECT_TRUE(platform->Files().IsNormalFile(folder + u"\\fenlow_win_tests.exe"));
}

class RealFiles : public RealSystem {
 protected:
  RealFiles() {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  ~RealFiles() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::u16string Path(const std::u16string& name) const { return (folder / name).u16string(); }
  std::u16string Create(const std::u16string& name, const std::string& content) const {
    std::ofstream(folder / name, std::ios::binary) << content;
    return Path(name);
  }

  std::filesystem::path folder = std::filesystem::temp_directory_path() / "fenlow file tests";
  platform::FileSystem& files = platform->Files();
};

TEST_F(RealFiles, LastChangeTimeIsReadOnlyForExistingFiles) {
  const auto before = std::chrono::system_clock::now() - std::chrono::minutes(1);
  const auto changed = files.ReadLastChangeTime(Create(u"HAND-M.CUR", "x"));
  EXPECT_GT(changed, before) << "the time of a file written just now";
  EXPECT_LT(changed, before + std::chrono::minutes(2));
  EXPECT_THROW(files.ReadLastChangeTime(Path(u"missing.cur")), Failure);
  EXPECT_THROW(files.ReadLastChangeTime(Path(u"no folder\\HAND-M.CUR")), Failure);
  EXPECT_THROW(files.ReadLastChangeTime(folder.u16string()), Failure) << "a folder is no file";
  EXPECT_THROW(files.ReadLastChangeTime(u"bad<>|path"), Failure);
}

TEST_F(RealFiles, NormalFilesAreNeitherHiddenNorSystemNorFolders) {
  EXPECT_TRUE(files.IsNormalFile(Create(u"o.cjs", "skin")));
  const std::u16string hidden = Create(u"hidden.cjs", "skin");
  probe::MarkHidden(hidden);
  EXPECT_FALSE(files.IsNormalFile(hidden));
  const std::u16string system = Create(u"system.cjs", "skin");
  probe::MarkSystem(system);
  EXPECT_FALSE(files.IsNormalFile(system));
  EXPECT_FALSE(files.IsNormalFile(folder.u16string()));
  EXPECT_FALSE(files.IsNormalFile(Path(u"missing.cjs")));
}

TEST_F(RealFiles, WholeFilesAreReadByteForByte) {
  const std::string bytes("skin\0\xff\xfe\r\n\xc3\xa9", 11);
  EXPECT_EQ(files.ReadWholeFile(Create(u"\u00e9 skin.cjs", bytes)), bytes);
  EXPECT_EQ(files.ReadWholeFile(Create(u"empty", "")), "");
  EXPECT_THROW(files.ReadWholeFile(Path(u"missing")), Failure);
}

TEST_F(RealFiles, FilesAreReplacedWholeOrNotAtAll) {
  const std::u16string path = Path(u"recipes \u00e9.toml");
  EXPECT_TRUE(files.IsAbsent(path));
  EXPECT_TRUE(files.IsAbsent(Path(u"no folder\\recipes.toml")));
  EXPECT_FALSE(files.IsAbsent(folder.u16string())) << "a folder is there";
  files.ReplaceWholeFile(path, "first");
  files.ReplaceWholeFile(path, std::string("second\0\r\n", 9));
  EXPECT_EQ(files.ReadWholeFile(path), std::string("second\0\r\n", 9));
  EXPECT_FALSE(files.IsAbsent(path));
  EXPECT_TRUE(files.IsAbsent(path + u".tmp")) << "the temporary file is gone";

  std::filesystem::create_directory(std::filesystem::path(path + u".tmp"));  // blocks the temporary
  EXPECT_THROW(files.ReplaceWholeFile(path, "new"), Failure);
  EXPECT_EQ(files.ReadWholeFile(path), std::string("second\0\r\n", 9));
}

}  // namespace
}  // namespace fenlow::tests
