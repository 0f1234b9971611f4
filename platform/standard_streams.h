// The process's standard input and output as the command-line tool uses them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>

namespace fenlow::platform {

// Makes standard input and output carry bytes unchanged (no CR LF
// translation where the C library would otherwise do it).
void UseBinaryStandardStreams();

// The size in bytes of the file behind `stream` when it is a regular file;
// nullopt for a pipe, a terminal, a device, or a stream without a file.
[[nodiscard]] std::optional<std::uint64_t> RegularFileSize(std::FILE* stream);

// Cuts the regular file behind `stream` back to `size` bytes and moves the
// stream's position there (what the stream still buffers is written out
// first, and so cut off too). False when that fails.
[[nodiscard]] bool CutFileBack(std::FILE* stream, std::uint64_t size);

}  // namespace fenlow::platform
