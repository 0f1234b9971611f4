// fenlow-cli's argument and input handling in-process: ParseCommandLine on
// fuzzed arguments, and RunApply on fuzzed standard input and parameter
// files, against the plain references of the edits and of the encodings.
// Checked: usage mistakes are refused as such, a result is written exactly
// when the reference gives one and is the reference's bytes, and a failure
// writes nothing, except that standard input found invalid part way leaves
// the start of what its valid part gives. The blocks read are 1 to 17 bytes.
//
// Input: arguments, each ended by a NUL byte, up to an empty argument; the
// rest is standard input. A --paramN-file argument names a file whose
// content is the argument's own text.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/apply_command.h"
#include "cli/cli_failure.h"
#include "cli/command_line.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/edit_failure.h"
#include "edits/engine/utf.h"
#include "tests/edits/plain_reference.h"
#include "tests/edits/plain_utf.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

using fenlow::cli::CliFailure;
using fenlow::cli::Command;
using fenlow::edits::reference::ReferenceOutcome;
using fenlow::fuzz::Check;
using fenlow::fuzz::Finding;

struct Split {
  std::vector<std::string> arguments;
  std::string input;
};

Split SplitInput(std::string_view bytes) {
  Split split;
  while (true) {
    const std::size_t nul = bytes.find('\0');
    if (nul == std::string_view::npos) {
      if (!bytes.empty()) split.arguments.emplace_back(bytes);
      return split;
    }
    if (nul == 0) {
      split.input = std::string(bytes.substr(1));
      return split;
    }
    split.arguments.emplace_back(bytes.substr(0, nul));
    bytes.remove_prefix(nul + 1);
  }
}

// Writes a parameter file's content and points the parameter at it.
void MakeParameterFile(fenlow::cli::ParameterSource& source, int which) {
  const std::string path =
      "/tmp/fenlow-cli-fuzz-" + std::to_string(getpid()) + "-" + std::to_string(which);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  Check(file != nullptr, "cannot write a parameter file", path);
  std::fwrite(source.text.data(), 1, source.text.size(), file);
  std::fclose(file);
  source.text = path;
}

// The bytes the reference says apply writes, or nothing for a failure.
std::optional<std::string> ExpectedOutput(const Command& command,
                                          const std::vector<std::string>& parameterBytes,
                                          const std::string& input) {
  auto decode = [&](const std::string& bytes, bool utf16le) -> std::optional<std::u16string> {
    if (utf16le) {
      if (bytes.size() % 2 != 0) return std::nullopt;
      return fenlow::edits::reference::PlainUtf16Le(bytes);
    }
    fenlow::edits::reference::PlainDecoded decoded =
        fenlow::edits::reference::PlainUtf8ToUtf16(bytes);
    if (decoded.errorOffset) return std::nullopt;
    return decoded.text;
  };
  auto option = decode(command.optionText, false);
  for (const fenlow::edits::ShortName& edit : fenlow::edits::kShortNames) {
    if (option && fenlow::edits::Utf16ToUtf8(*option) == edit.name) {
      option = std::u16string(edit.optionText);
    }
  }
  const auto param1 =
      decode(parameterBytes[0], command.param1 && command.param1->fromFile && command.utf16le);
  const auto param2 =
      decode(parameterBytes[1], command.param2 && command.param2->fromFile && command.utf16le);
  const auto text = decode(input, command.utf16le);
  if (!option || !param1 || !param2 || !text) return std::nullopt;
  const ReferenceOutcome outcome =
      fenlow::edits::reference::ReferenceOption(*option, *text, *param1, *param2);
  if (outcome.kind != ReferenceOutcome::Kind::Edited) return std::nullopt;
  if (command.utf16le) {
    std::string bytes;
    for (char16_t unit : outcome.result) {
      bytes += static_cast<char>(unit & 0xFF);
      bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
  }
  if (fenlow::edits::reference::FirstLoneSurrogate(outcome.result)) return std::nullopt;
  return fenlow::edits::reference::PlainUtf16ToUtf8(outcome.result);
}

// What a failed apply may have written: nothing, or, when standard input is
// UTF-8 that turns invalid part way, the start of what its valid part gives.
void CheckOutputOfFailure(const Command& command, const std::vector<std::string>& parameterBytes,
                          const std::string& input, const std::string& output,
                          const std::string& failure) {
  if (output.empty()) return;
  const std::optional<std::size_t> invalidAt =
      command.utf16le ? std::nullopt
                      : fenlow::edits::reference::PlainUtf8ToUtf16(input).errorOffset;
  Check(invalidAt.has_value(), "a failed apply wrote to standard output", failure);
  const std::optional<std::string> before =
      ExpectedOutput(command, parameterBytes, input.substr(0, *invalidAt));
  Check(before && before->starts_with(output),
        "a failure part way wrote other than the start of the result before it", failure);
}

void CheckApply(Command command, const std::string& input) {
  std::vector<std::string> parameterBytes(2);
  int which = 0;
  for (auto* parameter : {&command.param1, &command.param2}) {
    if (*parameter) {
      parameterBytes[static_cast<std::size_t>(which)] = (*parameter)->text;
      if ((*parameter)->fromFile) MakeParameterFile(**parameter, which);
    }
    ++which;
  }
  const std::optional<std::string> expected = ExpectedOutput(command, parameterBytes, input);

  std::FILE* const savedIn = stdin;
  std::FILE* const savedOut = stdout;
  char* written = nullptr;
  std::size_t writtenSize = 0;
  stdin = input.empty() ? std::fopen("/dev/null", "rb")
                        : fmemopen(const_cast<char*>(input.data()), input.size(), "rb");
  stdout = open_memstream(&written, &writtenSize);
  Check(stdin != nullptr && stdout != nullptr, "cannot open the memory streams");
  std::string failure;
  try {
    fenlow::cli::RunApply(command, 1 + (input.size() * 7 + command.optionText.size()) % 17);
  } catch (const CliFailure& error) {
    Check(error.exitCode() == fenlow::cli::kExitFailed, "apply failed with a usage exit code",
          error.what());
    failure = error.what();
  } catch (const fenlow::edits::EditFailure& error) {
    failure = error.what();
  } catch (const fenlow::edits::EncodingError& error) {
    failure = error.what();
  } catch (const std::exception& error) {
    Finding("apply threw an unexpected exception", error.what());
  }
  std::fclose(stdin);
  std::fclose(stdout);
  stdin = savedIn;
  stdout = savedOut;
  const std::string output(written == nullptr ? "" : std::string(written, writtenSize));
  std::free(written);

  if (!expected) {
    Check(!failure.empty(), "apply wrote a result where it should fail",
          command.optionText.substr(0, 80));
    CheckOutputOfFailure(command, parameterBytes, input, output, failure);
    return;
  }
  Check(failure.empty(), "apply failed where it should succeed", failure);
  Check(output == *expected, "apply wrote other bytes than the reference",
        command.optionText.substr(0, 80) + " in " + std::to_string(input.size()) + " out " +
            std::to_string(output.size()) + " expected " + std::to_string(expected->size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Split split = SplitInput({reinterpret_cast<const char*>(data), size});
  Command command;
  try {
    command = fenlow::cli::ParseCommandLine(split.arguments);
  } catch (const CliFailure& error) {
    Check(error.exitCode() == fenlow::cli::kExitBadUsage, "a usage mistake with another exit code",
          error.what());
    Check(std::string(error.what()).find("--help") != std::string::npos,
          "a usage mistake that does not point to --help", error.what());
    return 0;
  } catch (const std::exception& error) {
    Finding("parsing threw an unexpected exception", error.what());
  }
  Check(!split.arguments.empty(), "an empty command line parsed");
  if (command.action == Command::Action::Apply) {
    Check(split.arguments[0] == "apply" && command.optionText == split.arguments[1],
          "apply parsed from another command line");
    CheckApply(std::move(command), split.input);
  } else {
    Check(split.arguments[0] != "apply", "apply parsed as another command");
  }
  return 0;
}
