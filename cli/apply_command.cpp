#include "cli/apply_command.h"

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "cli/byte_streams.h"
#include "cli/cli_failure.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"
#include "platform/standard_streams.h"

namespace fenlow::cli {
namespace {

using edits::EncodingError;
using edits::LoneSurrogateError;

// A text as it came in: its bytes, and where they came from for messages.
struct Input {
  std::string bytes;
  std::string source;
  bool utf16le = false;  // Command-line text is always UTF-8.
};

Input ReadParameter(const std::optional<ParameterSource>& parameter, bool utf16le,
                    const std::string& flag) {
  if (!parameter) return Input{{}, flag, false};
  if (!parameter->fromFile) return Input{parameter->text, flag, false};
  return Input{ReadWholeFile(parameter->text), "parameter file '" + parameter->text + "'", utf16le};
}

[[noreturn]] void FailEncoding(const std::string& source, const EncodingError& error) {
  throw CliFailure(source + ": " + error.what(), kExitFailed);
}

void Validate(const Input& input) {
  try {
    edits::ValidateUtf8(input.bytes);
  } catch (const EncodingError& error) {
    FailEncoding(input.source, error);
  }
}

std::u16string Decode(const Input& input) {
  try {
    return input.utf16le ? edits::Utf16LeToText(input.bytes) : edits::Utf8ToUtf16(input.bytes);
  } catch (const EncodingError& error) {
    FailEncoding(input.source, error);
  }
}

// The option text that OPTION names: itself, or the one of a short name.
std::u16string_view OptionTextOf(const std::string& option) {
  const std::optional<std::u16string_view> optionText =
      edits::OptionTextFor(Decode(Input{option, "OPTION", false}));
  if (!optionText) {
    throw CliFailure("'" + option +
                         "' names no bulk edit; fenlow-cli list --names shows the short names "
                         "and option texts",
                     kExitFailed);
  }
  return *optionText;
}

[[noreturn]] void FailUnencodableResult(const EncodingError& error) {
  throw CliFailure(std::string("the result cannot be written as UTF-8: ") + error.what() +
                       " (the edit split a character outside the Basic Multilingual Plane); "
                       "use --utf16le to get it unchanged",
                   kExitFailed);
}

// Runs `edit`, turning its encoding failures into messages: an invalid
// standard input, or a result that UTF-8 cannot carry.
template <typename Edit>
void WithEncodingMessages(Edit edit) {
  try {
    edit();
  } catch (const LoneSurrogateError& error) {
    FailUnencodableResult(error);
  } catch (const EncodingError& error) {
    FailEncoding("standard input", error);
  }
}

// Reads, edits and writes block by block.
void EditInOnePass(std::u16string_view optionText, const Input& param1, const Input& param2,
                   std::size_t blockBytes) {
  edits::StreamEditor editor = edits::OnePassEditor(optionText, param1.bytes, param2.bytes);
  if (blockBytes == 0) blockBytes = editor.BlockBytes();
  std::string output;
  const auto writeOutput = [&output] {
    WriteWholeStream(stdout, output, "standard output");
    output.clear();
  };
  WithEncodingMessages([&] {
    try {
      while (true) {
        const std::size_t read = ReadSome(stdin, editor.NextBlock(blockBytes), "standard input");
        if (read == 0) break;
        editor.Edit(read, output);
        writeOutput();
      }
      editor.Finish(output);
    } catch (const EncodingError&) {
      // What the text before an invalid byte gives still goes out.
      writeOutput();
      throw;
    }
  });
  writeOutput();
}

// Reads the whole text, edits it in place and writes it.
void EditWholeText(std::u16string_view optionText, const Input& param1, const Input& param2) {
  Input text{ReadWholeStream(stdin, "standard input"), "standard input", false};
  Validate(text);
  std::string output;
  WithEncodingMessages([&] {
    output =
        edits::ApplyOptionToUtf8(optionText, std::move(text.bytes), param1.bytes, param2.bytes);
  });
  WriteWholeStream(stdout, output, "standard output");
}

// Through the UTF-16 engine. The input bytes are freed as soon as they are
// decoded, and the decoded text once edited, so that large texts are not
// held twice.
void EditAsUtf16(std::u16string_view optionText, const Input& param1, const Input& param2) {
  const std::u16string first = Decode(param1);
  const std::u16string second = Decode(param2);
  Input text{ReadWholeStream(stdin, "standard input"), "standard input", true};
  std::u16string clipText = Decode(text);
  std::string().swap(text.bytes);
  const edits::EditOutcome outcome = edits::ApplyOption(optionText, clipText, first, second);
  std::u16string().swap(clipText);
  WriteWholeStream(stdout, edits::TextToUtf16Le(outcome.result), "standard output");
}

// Runs `apply`; when it fails after writing, a regular file on standard
// output is cut back to what it held before, so that it holds no partial
// result.
template <typename Apply>
void CuttingOutputBackOnFailure(Apply apply) {
  const std::optional<std::uint64_t> sizeBefore = platform::RegularFileSize(stdout);
  try {
    apply();
  } catch (const std::exception& failure) {
    if (sizeBefore && !platform::CutFileBack(stdout, *sizeBefore)) {
      throw CliFailure(std::string(failure.what()) +
                           "; and standard output could not be cut back to its " +
                           std::to_string(*sizeBefore) + " bytes before, so it holds a part",
                       kExitFailed);
    }
    throw;
  }
}

}  // namespace

ApplyParameters DecodeApplyParameters(const Command& command) {
  return {std::u16string(OptionTextOf(command.optionText)),
          Decode(ReadParameter(command.param1, command.utf16le, "--param1")),
          Decode(ReadParameter(command.param2, command.utf16le, "--param2"))};
}

void RunApply(const Command& command, std::size_t blockBytes) {
  const std::u16string_view optionText = OptionTextOf(command.optionText);
  const Input param1 = ReadParameter(command.param1, command.utf16le, "--param1");
  const Input param2 = ReadParameter(command.param2, command.utf16le, "--param2");
  CuttingOutputBackOnFailure([&] {
    if (command.utf16le) {
      EditAsUtf16(optionText, param1, param2);
      return;
    }
    Validate(param1);
    Validate(param2);
    if (edits::EditsInOnePass(optionText)) {
      EditInOnePass(optionText, param1, param2, blockBytes);
    } else {
      EditWholeText(optionText, param1, param2);
    }
  });
}

}  // namespace fenlow::cli
