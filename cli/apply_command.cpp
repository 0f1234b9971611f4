#include "cli/apply_command.h"

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "cli/byte_streams.h"
#include "cli/cli_failure.h"
#include "cli/recipe_command.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/edit_failure.h"
#include "edits/engine/utf.h"
#include "edits/pattern/every_edit.h"
#include "platform/standard_streams.h"

namespace fenlow::cli {
namespace {

using edits::EditStep;
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

std::u16string Decode(const Input& input) {
  try {
    return input.utf16le ? edits::Utf16LeToText(input.bytes) : edits::Utf8ToUtf16(input.bytes);
  } catch (const EncodingError& error) {
    FailEncoding(input.source, error);
  }
}

// The edit that `name` names among every edit: by option text or short name.
const edits::EditDefinition& EditNamed(const std::string& name) {
  const edits::EditDefinition* edit =
      edits::FindEdit(edits::EveryEdit(), Decode(Input{name, "OPTION", false}));
  if (edit == nullptr) {
    throw CliFailure("'" + name +
                         "' names no bulk edit; fenlow-cli list --names shows the short names "
                         "and option texts",
                     kExitFailed);
  }
  return *edit;
}

EditStep PrepareStep(const StepArguments& arguments, bool utf16le) {
  EditStep step{&EditNamed(arguments.edit),
                Decode(ReadParameter(arguments.param1, utf16le, "--param1")),
                Decode(ReadParameter(arguments.param2, utf16le, "--param2")), arguments.eachLine};
  edits::CheckStep(step);
  return step;
}

// Runs `prepare` for step `number` of `count`; a failure of a chain of
// several steps names the step.
template <typename Prepare>
EditStep PreparingStep(std::size_t number, std::size_t count, Prepare prepare) {
  const auto named = [&](const std::string& what) {
    return count == 1 ? what : "step " + std::to_string(number) + ": " + what;
  };
  try {
    return prepare();
  } catch (const CliFailure& failure) {
    throw CliFailure(named(failure.what()), failure.exitCode());
  } catch (const edits::EditFailure& failure) {
    throw CliFailure(named(failure.what()), kExitFailed);
  }
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
void EditInOnePass(std::span<const EditStep> steps, std::size_t blockBytes) {
  edits::StreamEditor editor(edits::StagesOfSteps(steps));
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

// Reads the whole text, edits it (in place where the edits can) and writes it.
void EditWholeText(std::span<const EditStep> steps) {
  std::string text = ReadWholeStream(stdin, "standard input");
  try {
    edits::ValidateUtf8(text);
  } catch (const EncodingError& error) {
    FailEncoding("standard input", error);
  }
  std::string output;
  WithEncodingMessages([&] { output = edits::ApplyStepsToUtf8(steps, std::move(text)); });
  WriteWholeStream(stdout, output, "standard output");
}

// Through the UTF-16 engine. The input bytes are freed as soon as they are
// decoded, and the decoded text once edited, so that large texts are not
// held twice.
void EditAsUtf16(std::span<const EditStep> steps) {
  Input text{ReadWholeStream(stdin, "standard input"), "standard input", true};
  std::u16string decoded = Decode(text);
  std::string().swap(text.bytes);
  const std::u16string result = edits::ApplyStepsToUtf16(steps, std::move(decoded));
  WriteWholeStream(stdout, edits::TextToUtf16Le(result), "standard output");
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

std::vector<EditStep> PrepareSteps(const Command& command) {
  std::vector<EditStep> steps;
  if (command.recipe) {
    // The file's steps were checked as it was read; UTF-8, as on the command line.
    const std::vector<RecipeStepText> recipe = ReadRecipeSteps(command);
    for (std::size_t k = 0; k < recipe.size(); ++k) {
      steps.push_back(PreparingStep(k + 1, recipe.size(), [&] {
        EditStep step{&EditNamed(recipe[k].edit), Decode(Input{recipe[k].param1, "param1", false}),
                      Decode(Input{recipe[k].param2, "param2", false}), recipe[k].eachLine};
        edits::CheckStep(step);
        return step;
      }));
    }
    return steps;
  }
  for (std::size_t k = 0; k < command.steps.size(); ++k) {
    steps.push_back(PreparingStep(k + 1, command.steps.size(),
                                  [&] { return PrepareStep(command.steps[k], command.utf16le); }));
  }
  return steps;
}

void RunApply(const Command& command, std::size_t blockBytes) {
  const std::vector<EditStep> steps = PrepareSteps(command);
  CuttingOutputBackOnFailure([&] {
    if (command.utf16le) {
      EditAsUtf16(steps);
    } else if (edits::StepsStream(steps)) {
      EditInOnePass(steps, blockBytes);
    } else {
      EditWholeText(steps);
    }
  });
}

}  // namespace fenlow::cli
