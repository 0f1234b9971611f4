#include "cli/command_line.h"

#include <optional>
#include <string_view>

#include "cli/cli_failure.h"

namespace fenlow::cli {
namespace {

[[noreturn]] void FailUsage(const std::string& problem) {
  throw CliFailure(problem + " (see fenlow-cli --help)", kExitBadUsage);
}

void SetParameter(std::optional<ParameterSource>& parameter, std::string_view flag,
                  ParameterSource source) {
  if (parameter) FailUsage("the parameter of " + std::string(flag) + " is given twice");
  parameter = std::move(source);
}

// Takes the value of a flag that needs one.
const std::string& ValueOf(const std::vector<std::string>& arguments, std::size_t& next,
                           const std::string& flag) {
  if (next == arguments.size()) FailUsage(flag + " needs a value");
  return arguments[next++];
}

// Reads the arguments after "apply": the first step's edit and its flags,
// then each "then EDIT" and its flags. --utf16le and --clipboard stand for
// the whole chain and may stand anywhere; --recipe takes the place of the
// steps.
void ParseApplyArguments(const std::vector<std::string>& arguments, std::size_t next,
                         Command& command) {
  bool needsEdit = true;
  while (next < arguments.size()) {
    const std::string& argument = arguments[next++];
    if (argument == "--utf16le") {
      command.utf16le = true;
    } else if (argument == "--clipboard") {
      command.clipboard = true;
    } else if (argument == "--recipe" || argument == "--recipes") {
      std::optional<std::string>& target =
          argument == "--recipe" ? command.recipe : command.recipesFile;
      if (target) FailUsage(argument + " is given twice");
      target = ValueOf(arguments, next, argument);
    } else if (needsEdit) {
      command.steps.push_back(StepArguments{argument, {}, {}, false});
      needsEdit = false;
    } else if (argument == "then") {
      needsEdit = true;
    } else if (argument == "--each-line") {
      command.steps.back().eachLine = true;
    } else if (argument == "--param1" || argument == "--param1-file" || argument == "--param2" ||
               argument == "--param2-file") {
      const bool isParam1 = argument.starts_with("--param1");
      SetParameter(
          isParam1 ? command.steps.back().param1 : command.steps.back().param2,
          isParam1 ? "--param1" : "--param2",
          ParameterSource{ValueOf(arguments, next, argument), argument.ends_with("-file")});
    } else {
      FailUsage("unknown argument '" + argument + "'");
    }
  }
  if (command.recipe) {
    if (!command.steps.empty()) FailUsage("--recipe takes the place of the edits and of then");
    return;
  }
  if (command.recipesFile) FailUsage("--recipes is for --recipe");
  if (command.steps.empty()) FailUsage("apply needs the option text");
  if (needsEdit) FailUsage("then needs the next edit");
}

}  // namespace

Command ParseCommandLine(const std::vector<std::string>& arguments) {
  Command command;
  if (arguments.empty()) FailUsage("a command is needed");
  const std::string& action = arguments[0];
  if (action == "--help" || action == "-h" || action == "help") {
    command.action = Command::Action::Help;
  } else if (action == "list") {
    command.names = arguments.size() == 2 && arguments[1] == "--names";
    if (arguments.size() > (command.names ? 2 : 1))
      FailUsage("list takes no arguments but --names");
    command.action = Command::Action::List;
  } else if (action == "apply") {
    command.action = Command::Action::Apply;
    ParseApplyArguments(arguments, 1, command);
  } else {
    FailUsage("unknown command '" + action + "'");
  }
  return command;
}

const char* HelpText() {
  return R"help(fenlow-cli: the bulk edits of Fenlow, for scripts.

Usage:
  fenlow-cli list [--names]
  fenlow-cli apply STEP [then STEP]... [--utf16le] [--clipboard]
  fenlow-cli apply --recipe NAME [--recipes FILE] [--utf16le] [--clipboard]
  fenlow-cli --help
where a STEP is
  OPTION [--param1 TEXT | --param1-file FILE]
         [--param2 TEXT | --param2-file FILE] [--each-line]

list
  Prints the 29 entries of the option list, one a line (LF), in their order
  on screen; "-" is a separator and names no edit.
list --names
  Prints each edit's short name, a tab and its option text, one edit a line:
  the 26 of the option list, then the edits that only fenlow-cli and recipes
  have, each with a one-line description in place of an option text. Short
  names are lower case and stable, e.g. remove-all-spaces.

apply OPTION
  Reads a text from standard input, applies the bulk edit whose option text
  is exactly OPTION (case included, e.g. "Remove all tabs in clipboard") or
  whose short name is OPTION (e.g. remove-all-tabs), and writes the result
  to standard output. The first and second parameters are those of the
  edit's dialog and are empty when not given:
    - "... with..." edits: --param1 is the replacement text;
    - the x edits: --param1 is x, a decimal number from -32768 to 32767
      (blanks and line breaks around it are ignored, a fraction is rounded
      to the nearest whole number, a half to the even one: 2.5 -> 2);
    - the user-defined character(s) edits: --param1 is the text searched
      for, and for the Replace ones --param2 is the replacement;
    - the x (user-specified) edits: --param1 is the list of texts to find,
      one a line, and for the Replace one --param2 the replacements.
  Lines in a list and line breaks in a text are CR LF; a lone CR or LF is an
  ordinary character. --paramN-file reads the parameter from FILE, which
  allows CR LF and any other text.
  Every edit but "Remove last x", "Remove all text before user-defined
  character(s)", "Replace all text before user-defined character(s)",
  sort-lines, remove-duplicate-lines and regex-replace reads, edits and
  writes its text block by block, in constant memory; those read the whole
  text first. All of the text is always read, also after the point where an
  edit cuts it.
  regex-replace: --param1 is an ECMAScript pattern, matched on code points
  (^ and $ at every line's start and end, a leading (?i) for matching
  without regard to case); --param2 the replacement, where $1 to $9 are the
  groups, $& the whole match and $$ a dollar sign.

Chains
  apply STEP then STEP ... runs the steps in turn in one process, each on
  what the one before gave; each step has its own --param1, --param2 and
  --each-line. A chain of steps that stream streams from end to end. Every
  step is checked before anything is written: a mistake in any step is
  refused with the exit status it has alone, a message that names the step
  by its number, and nothing written. --utf16le and --clipboard are for the
  whole chain and may stand anywhere.

--each-line
  Runs the step's edit on every line on its own; the line breaks stay as
  they are. Here a line break is CR LF, a lone LF or a lone CR, and the
  empty piece after a final break is no line. remove-first --param1 4
  --each-line strips the first 4 characters of every line.

Recipes
  apply --recipe NAME runs the chain named NAME in a recipe file, TOML of
  this shape (the file --recipes gives; on Windows by default
  %APPDATA%\Kestrane\Fenlow\recipes.toml, the program's own):
    [[recipe]]
    name = "Numbered PDF lines"
    [[recipe.step]]
    edit = "unwrap-lines"
    [[recipe.step]]
    edit = "remove-first"
    param1 = "4"
    each-line = true
  edit takes a short name or an option text; param1 and param2 are texts as
  on the command line; each-line is true or false. Recipe names are compared
  without regard to case. A file that is not of this shape is refused with
  its line and column, a recipe that names an unknown edit by that name;
  nothing is written then. --recipe does not mix with STEP or then.

--clipboard (Windows only)
  Edits the text on the Windows clipboard instead of standard input and
  output, as Fenlow's window does: the text is read and written as Unicode,
  the result replaces the clipboard's content as plain text (its other
  formats go), and nothing is written when the edit fails. A running Fenlow
  sees the result as an ordinary copy. While another program holds the
  clipboard open, fenlow-cli tries for about a second. In a build for
  another system the flag is a command-line mistake.

Encodings
  Bytes are taken as they are: no newline translation, no byte order mark
  handling. By default standard input, standard output, the parameter files
  and TEXT are UTF-8; input that is not valid UTF-8 is refused. The engine
  counts UTF-16 code units, so an edit can split a character outside the
  Basic Multilingual Plane and leave a lone surrogate; UTF-8 cannot carry
  that, so such a result is refused with a message and nothing is written.
  With --utf16le, standard input, standard output and the parameter files
  are UTF-16LE without a byte order mark, code unit for code unit, so any
  text, lone surrogates included, goes through unchanged. TEXT given on the
  command line is always UTF-8 (on Windows, in the console's code page;
  use --paramN-file for other text).

Exit status
  0  success: the result is on standard output
  1  the edit failed (for example x is not a whole number from -32768 to
     32767, x = 32767 for the edits that need x + 1, a list of 32768 lines
     or more, a pattern that does not compile or a search that ran away),
     OPTION names no bulk edit, a file cannot be read, a recipe file is
     refused, or the text cannot be decoded or encoded
  2  the command line is not understood (--clipboard included, outside
     Windows)
  3  with --clipboard: another program kept the clipboard open; nothing was
     written
  With --clipboard, 1 also stands for a clipboard that holds no text, and
  for one that another program changed while it was edited.
  On a failure a one-line message goes to standard error. A failure found
  before any text is written (an unknown OPTION, a bad x, a missing file, a
  list that is too long, ...) writes nothing. Input that turns out not to
  be valid UTF-8 part way through is reported with its byte offset: when
  standard output is a regular file it is cut back to what it held before,
  so nothing is written; when it is a pipe, the output written so far
  stays, and the exit status is 1.
)help";
}

}  // namespace fenlow::cli
