#pragma once

#include <cstddef>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace fenlow::cli {

// The whole remaining content of an open stream. Throws CliFailure on a read
// error; `what` names the stream in the message.
[[nodiscard]] std::string ReadWholeStream(std::FILE* stream, const std::string& what);

// Fills `room` from the stream; returns how many bytes it read, fewer than
// the room only at the end of the stream. Throws CliFailure on a read error.
[[nodiscard]] std::size_t ReadSome(std::FILE* stream, std::span<char> room,
                                   const std::string& what);

// The whole content of a file, read as bytes. Throws CliFailure when the file
// cannot be opened or read.
[[nodiscard]] std::string ReadWholeFile(const std::string& path);

// Writes all bytes and flushes. Throws CliFailure on a write error.
void WriteWholeStream(std::FILE* stream, std::string_view bytes, const std::string& what);

}  // namespace fenlow::cli
