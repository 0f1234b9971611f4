#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fenlow::cli {

// Where a parameter's text comes from: the command line itself or a file.
struct ParameterSource {
  std::string text;  // The text itself, or the file's path.
  bool fromFile = false;
};

// One edit of a chain, as the command line gives it.
struct StepArguments {
  std::string edit;  // the option text or short name, as UTF-8
  std::optional<ParameterSource> param1;
  std::optional<ParameterSource> param2;
  bool eachLine = false;  // the edit runs on every line on its own
};

struct Command {
  enum class Action { Help, List, Apply };
  Action action = Action::Help;
  // For Apply: the steps in order, "apply STEP then STEP ..."; none with a
  // recipe.
  std::vector<StepArguments> steps;
  std::optional<std::string> recipe;       // --recipe NAME
  std::optional<std::string> recipesFile;  // --recipes FILE
  bool utf16le = false;
  bool names = false;      // For List: with the short names.
  bool clipboard = false;  // For Apply: edit the system clipboard's text in place.
};

// Parses the arguments after the program name. Throws CliFailure with
// kExitBadUsage when they do not form a command.
[[nodiscard]] Command ParseCommandLine(const std::vector<std::string>& arguments);

// The text that --help prints.
[[nodiscard]] const char* HelpText();

}  // namespace fenlow::cli
