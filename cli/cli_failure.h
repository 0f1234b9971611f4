#pragma once

#include <stdexcept>
#include <string>

namespace fenlow::cli {

// Process exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;         // The edit, a file or an encoding failed.
inline constexpr int kExitBadUsage = 2;       // The command line is not understood.
inline constexpr int kExitClipboardHeld = 3;  // Another program kept the clipboard open.

// A failure that ends the program with a one-line message on standard error.
class CliFailure : public std::runtime_error {
 public:
  CliFailure(const std::string& what, int exitCode)
      : std::runtime_error(what), exitCode_(exitCode) {}
  [[nodiscard]] int exitCode() const { return exitCode_; }

 private:
  int exitCode_;
};

}  // namespace fenlow::cli
