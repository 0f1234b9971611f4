// The file services on a POSIX system (the native build).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "platform/system_file_system.h"
#include "platform/types.h"

namespace fenlow::platform {
namespace {

namespace fs = std::filesystem;

// The path in the system's encoding (UTF-8); throws Failure for a path that
// has none (a lone surrogate).
fs::path SystemPath(std::u16string_view path) {
  try {
    return fs::path(std::u16string(path));
  } catch (const std::exception& error) {
    throw Failure(std::string("Not a valid file name: ") + error.what());
  }
}

[[noreturn]] void ThrowErrno(const std::string& what) {
  throw Failure(what + ": " + std::strerror(errno));
}

// Closes a file descriptor when it goes.
class OpenFile {
 public:
  explicit OpenFile(int descriptor) : descriptor_(descriptor) {}
  ~OpenFile() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int get() const { return descriptor_; }
  // Closes it now, reporting whether the last writes reached the file.
  bool Close() { return ::close(std::exchange(descriptor_, -1)) == 0; }

 private:
  int descriptor_;
};

// Writes `content` into a new file `path` (replacing an earlier one) and
// flushes it to the disk; throws Failure. It gets the permissions `kept`, or
// the usual ones for a new file.
void WriteFlushedFile(const fs::path& path, std::string_view content, std::optional<mode_t> kept) {
  OpenFile file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (file.get() < 0) ThrowErrno("Cannot create " + path.string());
  if (kept && ::fchmod(file.get(), *kept) != 0) ThrowErrno("Cannot write " + path.string());
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t written = ::write(file.get(), content.data() + done, content.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) ThrowErrno("Cannot write " + path.string());
    done += static_cast<std::size_t>(written);
  }
  if (::fsync(file.get()) != 0 || !file.Close()) ThrowErrno("Cannot write " + path.string());
}

class PosixFileSystem final : public FileSystem {
 public:
  std::u16string ProgramFolder() override {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error) throw Failure("Cannot find the program's path: " + error.message());
    return program.parent_path().u16string();
  }

  std::chrono::system_clock::time_point ReadLastChangeTime(std::u16string_view path) override {
    const fs::path file = SystemPath(path);
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) ThrowErrno("Cannot read the time of " + file.string());
    if (!S_ISREG(status.st_mode)) throw Failure("Not a file: " + file.string());
    return std::chrono::system_clock::from_time_t(status.st_mtim.tv_sec) +
           std::chrono::duration_cast<std::chrono::system_clock::duration>(
               std::chrono::nanoseconds(status.st_mtim.tv_nsec));
  }

  bool IsNormalFile(std::u16string_view path) override {
    std::error_code error;
    return fs::is_regular_file(SystemPath(path), error);
  }

  std::string ReadWholeFile(std::u16string_view path) override {
    const fs::path file = SystemPath(path);
    std::ifstream stream(file, std::ios::binary);
    if (!stream) ThrowErrno("Cannot open " + file.string());
    std::string content{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    if (stream.bad()) ThrowErrno("Cannot read " + file.string());
    return content;
  }

  bool IsAbsent(std::u16string_view path) override {
    struct stat status {};
    return ::lstat(SystemPath(path).c_str(), &status) != 0 && (errno == ENOENT || errno == ENOTDIR);
  }

  void ReplaceWholeFile(std::u16string_view path, std::string_view content) override {
    const fs::path target = SystemPath(path);
    fs::path temporary = target;
    temporary += ".tmp";
    // The file it replaces keeps its permissions (a private file stays private).
    struct stat status {};
    std::optional<mode_t> kept;
    if (::stat(target.c_str(), &status) == 0) kept = status.st_mode & 07777;
    try {
      WriteFlushedFile(temporary, content, kept);
      // A rename within the folder: the old content stays whole until it is done.
      if (::rename(temporary.c_str(), target.c_str()) != 0) {
        ThrowErrno("Cannot replace " + target.string());
      }
    } catch (...) {
      ::unlink(temporary.c_str());  // best effort: the failure thrown says what went wrong
      throw;
    }
  }

  // The POSIX systems have no roaming folder of the kind.
  std::optional<std::u16string> RoamingAppDataFolder() override { return std::nullopt; }

  void CreateFolders(std::u16string_view path) override {
    const fs::path folder = SystemPath(path);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) throw Failure("Cannot make the folder " + folder.string() + ": " + error.message());
  }
};

}  // namespace

std::unique_ptr<FileSystem> CreateSystemFileSystem() {
  return std::make_unique<PosixFileSystem>();
}

}  // namespace fenlow::platform
