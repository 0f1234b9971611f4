#include "cli/apply_command.h"

#include <cstdio>
#include <string>
#include <utility>

#include "cli/byte_streams.h"
#include "cli/cli_failure.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"

namespace fenlow::cli {
namespace {

using edits::EncodingError;

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

[[noreturn]] void FailUnencodableResult(const EncodingError& error) {
  throw CliFailure(std::string("the result cannot be written as UTF-8: ") + error.what() +
                       " (the edit split a character outside the Basic Multilingual Plane); "
                       "use --utf16le to get it unchanged",
                   kExitFailed);
}

std::string Encode(std::u16string_view text, bool utf16le) {
  if (utf16le) return edits::TextToUtf16Le(text);
  try {
    return edits::Utf16ToUtf8(text);
  } catch (const EncodingError& error) {
    FailUnencodableResult(error);
  }
}

// Through the UTF-16 engine. The input bytes are freed as soon as they are
// decoded, and the decoded text once edited, so that large texts are not
// held twice.
std::string EditAsUtf16(const std::u16string& optionText, const std::string& optionName,
                        Input& text, const Input& param1, const Input& param2) {
  const std::u16string first = Decode(param1);
  const std::u16string second = Decode(param2);
  std::u16string clipText = Decode(text);
  std::string().swap(text.bytes);
  edits::EditOutcome outcome = edits::ApplyOption(optionText, clipText, first, second);
  if (outcome.kind == edits::EditOutcome::Kind::NoSuchOption) FailNoSuchOption(optionName);
  std::u16string().swap(clipText);
  return Encode(outcome.result, text.utf16le);
}

}  // namespace

void FailNoSuchOption(const std::string& optionName) {
  throw CliFailure(
      "'" + optionName + "' names no bulk edit; fenlow-cli list shows the option texts",
      kExitFailed);
}

ApplyParameters DecodeApplyParameters(const Command& command) {
  return {Decode(Input{command.optionText, "OPTION", false}),
          Decode(ReadParameter(command.param1, command.utf16le, "--param1")),
          Decode(ReadParameter(command.param2, command.utf16le, "--param2"))};
}

void RunApply(const Command& command) {
  const std::u16string optionText = Decode(Input{command.optionText, "OPTION", false});
  const Input param1 = ReadParameter(command.param1, command.utf16le, "--param1");
  const Input param2 = ReadParameter(command.param2, command.utf16le, "--param2");
  Input text{ReadWholeStream(stdin, "standard input"), "standard input", command.utf16le};
  std::string output;
  if (!command.utf16le && edits::EditsUtf8Directly(optionText)) {
    // Same result as through UTF-16, without converting the text twice.
    for (const Input* input : {&std::as_const(text), &param1, &param2}) Validate(*input);
    try {
      output = edits::ApplyOptionToUtf8(optionText, text.bytes, param1.bytes, param2.bytes);
    } catch (const EncodingError& error) {
      FailUnencodableResult(error);
    }
  } else {
    output = EditAsUtf16(optionText, command.optionText, text, param1, param2);
  }
  std::string().swap(text.bytes);
  WriteWholeStream(stdout, output, "standard output");
}

}  // namespace fenlow::cli
