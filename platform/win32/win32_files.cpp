#include "platform/win32/win32_files.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

#include "platform/system_file_system.h"
#include "platform/user_folders.h"
#include "platform/win32/win32_support.h"

namespace fenlow::platform::win32 {
namespace {

std::string Utf8Path(std::u16string_view path) {
  return ToUtf8(AsWide(path));
}

// A FILETIME counts 100 ns steps since 1601; the system clock counts from 1970.
std::chrono::system_clock::time_point SystemTime(FILETIME time) {
  constexpr std::uint64_t kStepsFrom1601To1970 = 116444736000000000ULL;
  const std::uint64_t steps = (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
  const std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>> sinceEpoch(
      static_cast<std::int64_t>(steps - kStepsFrom1601To1970));
  return std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(sinceEpoch));
}

}  // namespace

std::u16string Win32FileSystem::ProgramFolder() {
  const std::wstring path = ProgramPath();
  return std::u16string(AsUtf16(path).substr(0, path.find_last_of(L"\\/")));
}

std::chrono::system_clock::time_point Win32FileSystem::ReadLastChangeTime(
    std::u16string_view path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(ToWide(path).c_str(), GetFileExInfoStandard, &data)) {
    ThrowLastError("Cannot read the time of " + Utf8Path(path));
  }
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    throw Failure("Not a file: " + Utf8Path(path));
  }
  return SystemTime(data.ftLastWriteTime);
}

bool Win32FileSystem::IsNormalFile(std::u16string_view path) {
  const DWORD attributes = ::GetFileAttributesW(ToWide(path).c_str());
  constexpr DWORD kNotNormal =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotNormal) == 0;
}

bool Win32FileSystem::IsAbsent(std::u16string_view path) {
  if (::GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string Win32FileSystem::ReadWholeFile(std::u16string_view path) {
  HANDLE opened = ::CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) ThrowLastError("Cannot open " + Utf8Path(path));
  const UniqueHandle file(opened);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) ThrowLastError("Cannot read " + Utf8Path(path));
  std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < content.size()) {
    // ReadFile takes at most 4 GB per call; ask for 1 GB pieces.
    const auto piece = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 30));
    DWORD read = 0;
    if (!::ReadFile(file.get(), content.data() + done, piece, &read, nullptr)) {
      ThrowLastError("Cannot read " + Utf8Path(path));
    }
    if (read == 0) break;  // the file shrank meanwhile
    done += read;
  }
  content.resize(done);
  return content;
}

std::optional<std::u16string> Win32FileSystem::RoamingAppDataFolder() {
  return platform::RoamingAppDataFolder();
}

// Each folder from the top down. Those above the last may be a drive or a
// share's root, which cannot be made: only the last one's failure counts.
void Win32FileSystem::CreateFolders(std::u16string_view path) {
  std::size_t end = 0;
  do {
    end = path.find_first_of(u"\\/", end + 1);
    const std::wstring folder = ToWide(path.substr(0, end));
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && end == std::u16string_view::npos &&
        ::GetLastError() != ERROR_ALREADY_EXISTS) {
      ThrowLastError("Cannot make the folder " + Utf8Path(path));
    }
  } while (end != std::u16string_view::npos);
}

}  // namespace fenlow::platform::win32

namespace fenlow::platform {

std::unique_ptr<FileSystem> CreateSystemFileSystem() {
  return std::make_unique<win32::Win32FileSystem>();
}

}  // namespace fenlow::platform
