#include "platform/standard_streams.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fenlow::platform {
namespace {

#ifdef _WIN32
using FileStatus = struct _stat64;
int FileNumber(std::FILE* stream) {
  return _fileno(stream);
}
int StatusOf(int file, FileStatus& status) {
  return _fstat64(file, &status);
}
bool IsRegular(const FileStatus& status) {
  return (status.st_mode & _S_IFMT) == _S_IFREG;
}
bool Truncate(int file, std::uint64_t size) {
  return _chsize_s(file, static_cast<__int64>(size)) == 0;
}
bool SeekTo(std::FILE* stream, std::uint64_t size) {
  return _fseeki64(stream, static_cast<__int64>(size), SEEK_SET) == 0;
}
#else
using FileStatus = struct stat;
int FileNumber(std::FILE* stream) {
  return fileno(stream);
}
int StatusOf(int file, FileStatus& status) {
  return fstat(file, &status);
}
bool IsRegular(const FileStatus& status) {
  return S_ISREG(status.st_mode);
}
bool Truncate(int file, std::uint64_t size) {
  return ftruncate(file, static_cast<off_t>(size)) == 0;
}
bool SeekTo(std::FILE* stream, std::uint64_t size) {
  return fseeko(stream, static_cast<off_t>(size), SEEK_SET) == 0;
}
#endif

}  // namespace

void UseBinaryStandardStreams() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
}

std::optional<std::uint64_t> RegularFileSize(std::FILE* stream) {
  // Streams in memory have no file (-1).
  const int file = FileNumber(stream);
  FileStatus status{};
  if (file < 0 || StatusOf(file, status) != 0 || !IsRegular(status)) return std::nullopt;
  return static_cast<std::uint64_t>(status.st_size);
}

bool CutFileBack(std::FILE* stream, std::uint64_t size) {
  // What the stream still buffers would otherwise land after the cut.
  (void)std::fflush(stream);
  const int file = FileNumber(stream);
  return file >= 0 && Truncate(file, size) && SeekTo(stream, size);
}

}  // namespace fenlow::platform
