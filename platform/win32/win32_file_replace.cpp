// Files replaced as a whole: written beside, flushed, then moved into place.
#include <algorithm>
#include <string>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_support.h"

namespace fenlow::platform::win32 {
namespace {

// Writes `content` into a new file `path` (replacing an earlier one) and
// flushes it to the disk; throws Failure.
void WriteFlushedFile(const std::wstring& path, std::string_view content,
                      const std::string& shown) {
  HANDLE created = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  if (created == INVALID_HANDLE_VALUE) ThrowLastError("Cannot create " + shown);
  const UniqueHandle file(created);
  std::size_t done = 0;
  while (done < content.size()) {
    // WriteFile takes at most 4 GB per call; give it 1 GB pieces.
    const auto piece = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file.get(), content.data() + done, piece, &written, nullptr)) {
      ThrowLastError("Cannot write " + shown);
    }
    done += written;
  }
  if (!::FlushFileBuffers(file.get())) ThrowLastError("Cannot write " + shown);
}

}  // namespace

void Win32FileSystem::ReplaceWholeFile(std::u16string_view path, std::string_view content) {
  const std::wstring target = ToWide(path);
  const std::wstring temporary = target + L".tmp";
  const std::string shown = ToUtf8(target);
  try {
    WriteFlushedFile(temporary, content, ToUtf8(temporary));
    // A rename within the folder: the old content stays whole until it is done.
    if (!::MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      ThrowLastError("Cannot replace " + shown);
    }
  } catch (...) {
    ::DeleteFileW(temporary.c_str());  // best effort: the failure thrown says what went wrong
    throw;
  }
}

}  // namespace fenlow::platform::win32
