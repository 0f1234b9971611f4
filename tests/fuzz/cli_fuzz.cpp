// fenlow-cli's argument and input handling in-process: ParseCommandLine on
// fuzzed arguments, and RunApply on fuzzed standard input and parameter
// files, against the plain references of the edits and of the encodings.
// Checked: usage mistakes are refused as such, a result is written exactly
// when the reference gives one and is the reference's bytes, and a failure
// writes nothing, except that standard input found invalid part way leaves
// the start of what its valid part gives. The blocks read are 1 to 17 bytes.
// Chains and --each-line are checked against the reference applied step by
// step (and line by line); the edits beyond the option list, which the
// reference does not know, only for failing cleanly.
//
// Input: arguments, each ended by a NUL byte, up to an empty argument; the
// rest is standard input. A --paramN-file argument names a file whose
// content is the argument's own text.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/apply_command.h"
#include "cli/cli_failure.h"
#include "cli/command_line.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/edit_failure.h"
#include "edits/engine/utf.h"
#include "edits/pattern/every_edit.h"
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

// The plain line model: a break is CR LF, a lone CR or a lone LF; the
// reference applies a step to each line between them.
std::optional<std::u16string> OnEachLine(
    const std::u16string& text,
    const std::function<std::optional<std::u16string>(const std::u16string&)>& edit) {
  std::u16string result;
  std::u16string line;
  const auto endLine = [&]() -> bool {
    if (line.empty()) return true;
    const std::optional<std::u16string> edited = edit(line);
    if (!edited) return false;
    result += *edited;
    line.clear();
    return true;
  };
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != u'\r' && text[at] != u'\n') {
      line += text[at];
      continue;
    }
    if (!endLine()) return std::nullopt;
    result += text[at];
    if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') result += text[++at];
  }
  if (!endLine()) return std::nullopt;
  return result;
}

// The bytes the reference says apply writes, or nothing for a failure; only
// for chains of the option list's edits, which the reference knows.
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
  std::optional<std::u16string> text = decode(input, command.utf16le);
  for (std::size_t k = 0; k < command.steps.size(); ++k) {
    const fenlow::cli::StepArguments& step = command.steps[k];
    auto option = decode(step.edit, false);
    if (option) {
      if (const auto optionText = fenlow::edits::OptionTextFor(*option)) {
        option = std::u16string(*optionText);
      }
    }
    const auto param1 =
        decode(parameterBytes[2 * k], step.param1 && step.param1->fromFile && command.utf16le);
    const auto param2 =
        decode(parameterBytes[2 * k + 1], step.param2 && step.param2->fromFile && command.utf16le);
    if (!option || !param1 || !param2 || !text) return std::nullopt;
    // A parameter that fails the edit fails it on any text.
    if (fenlow::edits::reference::ReferenceOption(*option, u"", *param1, *param2).kind !=
        ReferenceOutcome::Kind::Edited) {
      return std::nullopt;
    }
    const auto apply = [&](const std::u16string& part) -> std::optional<std::u16string> {
      const ReferenceOutcome outcome =
          fenlow::edits::reference::ReferenceOption(*option, part, *param1, *param2);
      if (outcome.kind != ReferenceOutcome::Kind::Edited) return std::nullopt;
      return outcome.result;
    };
    text = step.eachLine ? OnEachLine(*text, apply) : apply(*text);
  }
  if (!text) return std::nullopt;
  if (command.utf16le) {
    std::string bytes;
    for (char16_t unit : *text) {
      bytes += static_cast<char>(unit & 0xFF);
      bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
  }
  if (fenlow::edits::reference::FirstLoneSurrogate(*text)) return std::nullopt;
  return fenlow::edits::reference::PlainUtf16ToUtf8(*text);
}

// True when every step names one of the option list's 26 edits.
bool ReferenceKnowsSteps(const Command& command) {
  for (const fenlow::cli::StepArguments& step : command.steps) {
    const auto decoded = fenlow::edits::reference::PlainUtf8ToUtf16(step.edit);
    if (decoded.errorOffset) return true;  // refused by both
    if (!fenlow::edits::OptionTextFor(decoded.text) &&
        fenlow::edits::FindEdit(fenlow::edits::EveryEdit(), decoded.text) != nullptr) {
      return false;
    }
  }
  return true;
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
  std::vector<std::string> parameterBytes;
  int which = 0;
  for (fenlow::cli::StepArguments& step : command.steps) {
    for (auto* parameter : {&step.param1, &step.param2}) {
      parameterBytes.push_back(*parameter ? (*parameter)->text : std::string());
      if (*parameter && (*parameter)->fromFile) MakeParameterFile(**parameter, which);
      ++which;
    }
  }
  const bool compared = ReferenceKnowsSteps(command);
  const std::optional<std::string> expected = ExpectedOutput(command, parameterBytes, input);
  const std::string named = command.steps.front().edit.substr(0, 80);

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
    fenlow::cli::RunApply(command, 1 + (input.size() * 7 + named.size()) % 17);
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

  if (!compared) return;
  if (!expected) {
    Check(!failure.empty(), "apply wrote a result where it should fail", named);
    CheckOutputOfFailure(command, parameterBytes, input, output, failure);
    return;
  }
  Check(failure.empty(), "apply failed where it should succeed", failure);
  Check(output == *expected, "apply wrote other bytes than the reference",
        named + " in " + std::to_string(input.size()) + " out " + std::to_string(output.size()) +
            " expected " + std::to_string(expected->size()));
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
    Check(split.arguments[0] == "apply", "apply parsed from another command line");
    // Recipes are read from files, which this target does not make.
    if (!command.recipe) CheckApply(std::move(command), split.input);
  } else {
    Check(split.arguments[0] != "apply", "apply parsed as another command");
  }
  return 0;
}
