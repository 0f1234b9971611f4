#include "cli/apply_command.h"

#include <cstdio>
#include <string>

#include "cli/byte_streams.h"
#include "cli/cli_failure.h"
#include "edits/catalogue.h"
#include "edits/utf.h"

namespace fenlow::cli {
namespace {

using edits::EncodingError;

// Decodes bytes in the chosen encoding; a failure names where the bytes came from.
std::u16string Decode(std::string_view bytes, bool utf16le, const std::string& source) {
  try {
    return utf16le ? edits::Utf16LeToText(bytes) : edits::Utf8ToUtf16(bytes);
  } catch (const EncodingError& error) {
    throw CliFailure(source + ": " + error.what(), kExitFailed);
  }
}

std::u16string ParameterText(const std::optional<ParameterSource>& parameter, bool utf16le,
                             const std::string& flag) {
  if (!parameter) return {};
  if (!parameter->fromFile) return Decode(parameter->text, false, flag);
  return Decode(ReadWholeFile(parameter->text), utf16le,
                "parameter file '" + parameter->text + "'");
}

std::string Encode(std::u16string_view text, bool utf16le) {
  if (utf16le) return edits::TextToUtf16Le(text);
  try {
    return edits::Utf16ToUtf8(text);
  } catch (const EncodingError& error) {
    throw CliFailure(std::string("the result cannot be written as UTF-8: ") + error.what() +
                         " (the edit split a character outside the Basic Multilingual Plane); "
                         "use --utf16le to get it unchanged",
                     kExitFailed);
  }
}

// The text read from standard input, with the raw bytes freed as soon as
// they are decoded so that large inputs are not held twice.
std::u16string ReadInputText(bool utf16le) {
  std::string bytes = ReadWholeStream(stdin, "standard input");
  std::u16string text = Decode(bytes, utf16le, "standard input");
  std::string().swap(bytes);
  return text;
}

}  // namespace

void RunApply(const Command& command) {
  const std::u16string optionText = Decode(command.optionText, false, "OPTION");
  const std::u16string param1 = ParameterText(command.param1, command.utf16le, "--param1");
  const std::u16string param2 = ParameterText(command.param2, command.utf16le, "--param2");
  std::u16string text = ReadInputText(command.utf16le);
  edits::EditOutcome outcome = edits::ApplyOption(optionText, text, param1, param2);
  if (outcome.kind == edits::EditOutcome::Kind::NoSuchOption) {
    throw CliFailure(
        "'" + command.optionText + "' names no bulk edit; fenlow-cli list shows the option texts",
        kExitFailed);
  }
  std::u16string().swap(text);
  const std::string output = Encode(outcome.result, command.utf16le);
  std::u16string().swap(outcome.result);
  WriteWholeStream(stdout, output, "standard output");
}

}  // namespace fenlow::cli
