// The file services of the system the program runs on, for a program without
// windows (the command-line tool) and for tests on the real disk.
#pragma once

#include <memory>

#include "platform/file_system.h"

namespace fenlow::platform {

// The Win32 one in the Windows build, a POSIX one in the native build.
std::unique_ptr<FileSystem> CreateSystemFileSystem();

}  // namespace fenlow::platform
