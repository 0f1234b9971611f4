#include "cli/byte_streams.h"

#include <cerrno>
#include <cstring>
#include <memory>

#include "cli/cli_failure.h"

namespace fenlow::cli {
namespace {

constexpr std::size_t kFirstReadSize = std::size_t{1} << 20;

[[noreturn]] void FailWithErrno(const std::string& what) {
  throw CliFailure(what + ": " + std::strerror(errno), kExitFailed);
}

// The bytes left in a seekable stream, or 0 when it cannot tell (a pipe).
std::size_t RemainingSizeHint(std::FILE* stream) {
  const long start = std::ftell(stream);
  if (start < 0 || std::fseek(stream, 0, SEEK_END) != 0) return 0;
  const long end = std::ftell(stream);
  if (std::fseek(stream, start, SEEK_SET) != 0) FailWithErrno("cannot rewind");
  return end > start ? static_cast<std::size_t>(end - start) : 0;
}

}  // namespace

std::string ReadWholeStream(std::FILE* stream, const std::string& what) {
  // Reading straight into the string at its final size keeps large inputs
  // to one allocation and one copy; one more byte is asked for so that the
  // end is seen without a second grow.
  std::string bytes(RemainingSizeHint(stream) + 1, '\0');
  if (bytes.size() < kFirstReadSize) bytes.resize(kFirstReadSize);
  std::size_t filled = 0;
  while (true) {
    filled += ReadSome(stream, std::span<char>(bytes).subspan(filled), what);
    if (filled < bytes.size()) break;
    bytes.resize(bytes.size() * 2);
  }
  bytes.resize(filled);
  return bytes;
}

std::size_t ReadSome(std::FILE* stream, std::span<char> room, const std::string& what) {
  const std::size_t read = std::fread(room.data(), 1, room.size(), stream);
  if (read < room.size() && std::ferror(stream)) FailWithErrno("cannot read " + what);
  return read;
}

std::string ReadWholeFile(const std::string& path) {
  errno = 0;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                             std::fclose);
  if (!file) FailWithErrno("cannot open parameter file '" + path + "'");
  return ReadWholeStream(file.get(), "parameter file '" + path + "'");
}

void WriteWholeStream(std::FILE* stream, std::string_view bytes, const std::string& what) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size() ||
      std::fflush(stream) != 0) {
    FailWithErrno("cannot write " + what);
  }
}

}  // namespace fenlow::cli
