// fenlow-cli through the real binary: encodings, exit codes, the standard
// output and error rules, and every option.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"
#include "tests/support/every_option.h"

namespace {

namespace fs = std::filesystem;
using fenlow::edits::Utf16ToUtf8;
using fenlow::testing::kEveryOption;
using fenlow::testing::OptionRow;

struct CliRun {
  int exitCode;
  std::string out;
  std::string err;
};

std::string Quoted(const std::string& argument) {
  std::string quoted = "'";
  for (char c : argument) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    directory_ = fs::temp_directory_path() /
                 ("fenlow-cli-test-" + std::to_string(::getpid()) + "-" + test->name());
    fs::create_directories(directory_);
  }
  void TearDown() override { fs::remove_all(directory_); }

  // Runs a shell command line in the test's directory; returns its exit status.
  int RunShell(const std::string& commandLine) {
    const int status =
        std::system(("cd " + Quoted(directory_.string()) + " && " + commandLine).c_str());
    EXPECT_TRUE(WIFEXITED(status)) << commandLine;
    return WEXITSTATUS(status);
  }

  std::string Read(const std::string& name) const { return ReadFile(directory_ / name); }

  std::string WriteFile(const std::string& name, const std::string& bytes) {
    const fs::path path = directory_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

  static std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
  }

  CliRun RunCli(const std::vector<std::string>& arguments, const std::string& input = "") {
    std::string command = Quoted(FENLOW_CLI_PATH);
    for (const std::string& argument : arguments) command += " " + Quoted(argument);
    const std::string in = WriteFile("stdin", input);
    command += " <" + Quoted(in) + " >" + Quoted((directory_ / "stdout").string()) + " 2>" +
               Quoted((directory_ / "stderr").string());
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status)) << command;
    return CliRun{WEXITSTATUS(status), ReadFile(directory_ / "stdout"),
                  ReadFile(directory_ / "stderr")};
  }

  // A failure: the given exit code, nothing on stdout, one line on stderr.
  static void ExpectFailure(const CliRun& run, int exitCode, const std::string& messagePart) {
    EXPECT_EQ(run.exitCode, exitCode);
    EXPECT_EQ(run.out, "");
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_NE(run.err.find(messagePart), std::string::npos) << run.err;
  }

  // `apply` of `option` with `flags` turns `input` into `expected`.
  void ExpectApplied(std::u16string_view option, const std::vector<std::string>& flags,
                     const std::string& input, const std::string& expected) {
    std::vector<std::string> arguments = {"apply", Utf16ToUtf8(option)};
    arguments.insert(arguments.end(), flags.begin(), flags.end());
    const CliRun run = RunCli(arguments, input);
    EXPECT_EQ(run.exitCode, 0) << arguments[1] << ": " << run.err;
    EXPECT_EQ(run.out, expected) << arguments[1];
  }

  fs::path directory_;
};

std::string Option(std::u16string_view option) {
  return Utf16ToUtf8(option);
}

namespace options = fenlow::edits::options;

TEST_F(CliTest, ListPrintsTheTwentyNineEntriesInOrder) {
  const CliRun run = RunCli({"list"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  std::string expected;
  for (std::u16string_view entry : fenlow::testing::OptionListEntries())
    expected += Option(entry) + "\n";
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 29);
}

TEST_F(CliTest, ShortNamesApplyTheirEditAndListNamesShowsThem) {
  const CliRun run = RunCli({"list", "--names"});
  EXPECT_EQ(run.exitCode, 0);
  std::string expected;
  for (const fenlow::edits::EditDefinition& edit : fenlow::edits::OptionListEdits()) {
    expected += std::string(edit.name) + "\t" + Option(edit.optionText) + "\n";
  }
  // The edits beyond the option list follow, each with its description.
  EXPECT_TRUE(run.out.starts_with(expected)) << run.out;
  EXPECT_NE(run.out.find("\nupper-case\tUpper case"), std::string::npos) << run.out;
  EXPECT_EQ(RunCli({"apply", "replace-list", "--param1", "a", "--param2", "z"}, "abca").out,
            "zbcz");
  EXPECT_EQ(RunCli({"apply", "remove-last", "--param1", "2"}, "abcdef").out, "abcd");
}

TEST_F(CliTest, HelpDocumentsCommandsEncodingsAndExitStatus) {
  const CliRun run = RunCli({"--help"});
  EXPECT_EQ(run.exitCode, 0);
  for (const char* topic :
       {"list", "apply OPTION", "--param1-file", "--utf16le", "lone surrogate", "Exit status",
        "2.5 -> 2", "list --names", "remove-all-tabs", "regular file", "byte offset"}) {
    EXPECT_NE(run.out.find(topic), std::string::npos) << topic;
  }
}

TEST_F(CliTest, AppliesAnEditToBytesAsTheyAre) {
  // CR LF, lone CR, and a BOM pass through untouched.
  const std::string input = "\xEF\xBB\xBF a\tb \r\n\r\n\r\nc\rd\n";
  CliRun run = RunCli({"apply", Option(options::kRemoveAllSpaces)}, input);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "\xEF\xBB\xBF"
            "a\tb\r\n\r\n\r\nc\rd\n");
  EXPECT_EQ(run.err, "");
  run = RunCli({"apply", Option(options::kRemoveBlankLines)}, input);
  EXPECT_EQ(run.out, "\xEF\xBB\xBF a\tb \r\nc\rd\n");
}

TEST_F(CliTest, EveryOptionIsReachableWithItsParameters) {
  for (const OptionRow& row : kEveryOption) {
    std::vector<std::string> flags;
    if (!row.param1.empty()) flags.insert(flags.end(), {"--param1", Option(row.param1)});
    if (!row.param2.empty()) flags.insert(flags.end(), {"--param2", Option(row.param2)});
    ExpectApplied(row.option, flags, Option(row.clipText), Option(row.edited));
  }
}

// x reaches the edit as given, and the flags may come in any order.
TEST_F(CliTest, ParametersReachTheEditAsGiven) {
  ExpectApplied(options::kRemoveFirstChars, {"--param1", "2.5"}, "abcdef", "cdef");
  ExpectApplied(options::kRemoveLastChars, {"--param1", "3.5"}, "abcdef", "ab");
  ExpectApplied(options::kRemoveTextAfterPosition, {"--param1", " 2 "}, "abcdef", "ab");
  ExpectApplied(options::kRemoveTextBeforePosition, {"--param1", "-4"}, "abcdef", "abcdef");
  ExpectApplied(options::kReplaceTextBeforeDelimiter, {"--param2", "#", "--param1", "="}, "a=b=c",
                "#=b=c");
}

TEST_F(CliTest, ParameterFilesCarryLineBreaks) {
  const std::string findList = WriteFile("find", "one\r\nthree\r\n");
  const std::string replaceList = WriteFile("replace", "1\r\n3");
  const CliRun run = RunCli({"apply", Option(options::kReplaceListItems), "--param1-file", findList,
                             "--param2-file", replaceList},
                            "one two three");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "1 two 3");
  // The x of the x edits may end in the line break a text editor leaves.
  const std::string x = WriteFile("x", "3\r\n");
  EXPECT_EQ(RunCli({"apply", Option(options::kRemoveFirstChars), "--param1-file", x}, "abcdef").out,
            "def");
}

TEST_F(CliTest, EmptyInputGivesEmptyOutput) {
  const CliRun run =
      RunCli({"apply", Option(options::kReplaceTextBeforeDelimiter), "--param2", "#"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
}

TEST_F(CliTest, EditFailuresExitOneWithAMessageAndNoOutput) {
  ExpectFailure(RunCli({"apply", Option(options::kRemoveFirstChars), "--param1", "abc"}, "text"), 1,
                "x must be a whole number from -32768 to 32767.");
  ExpectFailure(RunCli({"apply", Option(options::kRemoveFirstChars)}, "text"), 1, "x is empty");
  ExpectFailure(
      RunCli({"apply", Option(options::kRemoveTextBeforePosition), "--param1", "32767"}, "text"), 1,
      "32766");
  std::string longList = "z";
  for (int i = 1; i < 32768; ++i) longList += "\r\nz";
  ExpectFailure(RunCli({"apply", Option(options::kRemoveListItems), "--param1-file",
                        WriteFile("list", longList)},
                       "text"),
                1, "at most 32767 lines");
}

TEST_F(CliTest, OptionsThatNameNoEditAreRefused) {
  for (const char* option :
       {"-", "remove all spaces in clipboard", "Remove all spaces", "", "Remove-All-Spaces"}) {
    ExpectFailure(RunCli({"apply", option}, "a b"), 1, "names no bulk edit");
  }
}

TEST_F(CliTest, MissingParameterFileIsReported) {
  const std::string missing = (directory_ / "no-such-file").string();
  ExpectFailure(
      RunCli({"apply", Option(options::kReplaceAllSpaces), "--param1-file", missing}, "a b"), 1,
      "no-such-file");
}

TEST_F(CliTest, CommandLineMistakesExitTwo) {
  ExpectFailure(RunCli({}), 2, "--help");
  ExpectFailure(RunCli({"frobnicate"}), 2, "unknown command");
  ExpectFailure(RunCli({"apply"}), 2, "option text");
  ExpectFailure(RunCli({"apply", Option(options::kReplaceAllSpaces), "--param1"}), 2,
                "needs a value");
  ExpectFailure(
      RunCli({"apply", Option(options::kReplaceAllSpaces), "--param1", "a", "--param1-file", "f"}),
      2, "given twice");
  ExpectFailure(RunCli({"apply", Option(options::kReplaceAllSpaces), "--bogus"}), 2, "--bogus");
  ExpectFailure(RunCli({"list", "extra"}), 2, "no arguments");
  ExpectFailure(RunCli({"apply", Option(options::kRemoveAllSpaces), "--clipboard"}, "a b"), 2,
                "Windows");
}

// A chain runs its steps in one process, each with its own parameters and
// --each-line; --utf16le stands for the whole chain, anywhere.
TEST_F(CliTest, ChainsRunTheirStepsInTurn) {
  const struct {
    std::vector<std::string> arguments;
    std::string input;
    std::string output;
  } chains[] = {
      {{"apply", "remove-all-tabs", "then", "remove-spaces-except-single"}, "a\tb  c", "ab c"},
      {{"apply", "remove-first", "--param1", "4", "--each-line"},
       "0001 a\r\n0002 b\n",
       " a\r\n b\n"},
      {{"apply", "trim-lines", "then", "replace-all-spaces", "--param1", "_", "then", "upper-case"},
       " a b \n c\n",
       "A_B\nC\n"},
      {{"apply", "sort-lines", "then", "remove-duplicate-lines"}, "b\na\nb\n", "a\nb\n"},
      {{"apply", "remove-last", "--param1", "1", "--each-line", "then", "upper-case"},
       "ab\ncd",
       "A\nC"},
  };
  for (const auto& chain : chains) {
    const CliRun run = RunCli(chain.arguments, chain.input);
    EXPECT_EQ(run.exitCode, 0) << chain.arguments[1] << ": " << run.err;
    EXPECT_EQ(run.out, chain.output) << chain.arguments[1];
  }
  const CliRun utf16 = RunCli({"apply", "lower-case", "--utf16le", "then", "remove-all-spaces"},
                              std::string("A\0 \0B\0", 6));
  EXPECT_EQ(utf16.out, std::string("a\0b\0", 4)) << utf16.err;
}

// Every step is checked before anything is written; the message names the
// step, and the exit code is the one of that mistake alone.
TEST_F(CliTest, ChainMistakesNameTheStepAndWriteNothing) {
  ExpectFailure(RunCli({"apply", "trim-lines", "then", "no-such-edit"}, "a"), 1,
                "step 2: 'no-such-edit' names no bulk edit");
  ExpectFailure(RunCli({"apply", "upper-case", "then", "remove-last", "--param1", "x"}, "a"), 1,
                "step 2: x is not a number");
  ExpectFailure(RunCli({"apply", "trim-lines", "then", "regex-replace", "--param1", "a("}, "a"), 1,
                "step 2: The pattern does not compile at character");
  ExpectFailure(RunCli({"apply", "regex-replace", "--param1", "(a*)*x"}, std::string(50000, 'a')),
                1, "ran away");
  ExpectFailure(RunCli({"apply", "trim-lines", "then"}, "a"), 2, "then needs the next edit");
  ExpectFailure(RunCli({"apply", "trim-lines", "then", "--recipe", "r"}, "a"), 2, "--recipe");
  ExpectFailure(RunCli({"apply", "--recipes", "f.toml", "trim-lines"}, "a"), 2, "--recipes");
}

constexpr const char* kRecipes = R"toml([[recipe]]
name = "Numbered PDF lines"
[[recipe.step]]
edit = "remove-invisible"
[[recipe.step]]
edit = "Remove first x character(s) in clipboard"
param1 = 4
each-line = true
each_line = true
)toml";

// A recipe runs its chain, found by name regardless of case; an unknown key
// is warned about with its line and the run goes on.
TEST_F(CliTest, RecipesRunTheirChainFromTheFile) {
  const std::string file = WriteFile("recipes.toml", kRecipes);
  const CliRun run = RunCli({"apply", "--recipe", "numbered pdf LINES", "--recipes", file},
                            "0001 a\xC2\xAD\r\n0002 b\n");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, " a\r\n b\n");
  EXPECT_NE(run.err.find("warning: " + file + ":9:"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("each_line"), std::string::npos) << run.err;
}

// A bad file is refused with its line and column, a recipe naming an unknown
// edit by that name, and nothing is written.
TEST_F(CliTest, BadRecipeFilesAreRefusedWithWhere) {
  const struct {
    const char* file;
    const char* recipe;
    const char* message;
  } bad[] = {
      {"[[recipe]\n", "x", ":1:"},
      {"[[recipe]]\nname = \"r\"\n[[recipe.step]]\nedit = \"unwrap-line\"\n", "r",
       ":3:1: recipe \"r\", step 1: unknown edit \"unwrap-line\""},
      {"[[recipe]]\nname = \"r\"\n[[recipe.step]]\nedit = \"remove-last\"\nparam1 = \"x\"\n", "r",
       "x is not a number"},
      {"[[recipe]]\nname = \"r\"\n[[recipe.step]]\nedit = \"trim-lines\"\n", "no such recipe",
       "has no recipe named \"no such recipe\""},
  };
  for (const auto& b : bad) {
    ExpectFailure(
        RunCli({"apply", "--recipe", b.recipe, "--recipes", WriteFile("bad.toml", b.file)}, "a"), 1,
        b.message);
  }
  ExpectFailure(RunCli({"apply", "--recipe", "r", "--recipes", "/no/such/file"}, "a"), 1,
                "cannot be read");
  ExpectFailure(RunCli({"apply", "--recipe", "r"}, "a"), 2, "--recipes FILE");
}

TEST_F(CliTest, InvalidUtf8IsRefusedWithItsByteOffset) {
  ExpectFailure(RunCli({"apply", Option(options::kRemoveAllSpaces)}, "abc\xC3(def"), 1,
                "standard input: invalid UTF-8 at byte offset 3");
  ExpectFailure(RunCli({"apply", Option(options::kReplaceAllSpaces), "--param1-file",
                        WriteFile("bad", "\xFF")},
                       "a b"),
                1, "invalid UTF-8 at byte offset 0");
  ExpectFailure(
      RunCli({"apply", Option(options::kReplaceAllSpaces), "--param1", "\xED\xA0\x80"}, "a b"), 1,
      "--param1: invalid UTF-8");
}

// Longer than the blocks that fenlow-cli reads, so that output has gone out
// when the end comes.
std::string LongText() {
  std::string text;
  for (int line = 0; line < 400000; ++line) text += "a b\r\n";
  return text;
}

TEST_F(CliTest, InvalidInputPartWayCutsAFileBackAndLeavesAPipeTheOutputSoFar) {
  const std::string valid = LongText();
  WriteFile("in", valid + "\xC3(");
  const std::string cli = Quoted(FENLOW_CLI_PATH) + " apply remove-all-spaces <in 2>err";
  const std::string message =
      "standard input: invalid UTF-8 at byte offset " + std::to_string(valid.size());
  WriteFile("file", "held before\n");
  EXPECT_EQ(RunShell(cli + " >>file"), 1);
  EXPECT_EQ(Read("file"), "held before\n");
  EXPECT_NE(Read("err").find(message), std::string::npos) << Read("err");
  EXPECT_EQ(RunShell("{ " + cli + "; echo $? >status; } | cat >piped"), 0);
  EXPECT_EQ(Read("status"), "1\n");
  std::string edited = valid;
  std::erase(edited, ' ');
  EXPECT_EQ(Read("piped"), edited);
  EXPECT_NE(Read("err").find(message), std::string::npos) << Read("err");
}

TEST_F(CliTest, EditsThatCutTheTextStillReadAndCheckAllOfIt) {
  const std::string text = LongText();
  WriteFile("in", text);
  const std::string cli =
      Quoted(FENLOW_CLI_PATH) + " apply remove-after-position --param1 1 >out 2>err";
  // The writer into the pipe is never cut off.
  EXPECT_EQ(RunShell("{ cat in; echo $? >writer; } | " + cli), 0) << Read("err");
  EXPECT_EQ(Read("writer"), "0\n");
  EXPECT_EQ(Read("out"), "a");
  WriteFile("in", text + "\xFF");
  EXPECT_EQ(RunShell(cli + " <in"), 1);
  EXPECT_EQ(Read("out"), "");
  EXPECT_NE(Read("err").find("byte offset " + std::to_string(text.size())), std::string::npos);
}

TEST_F(CliTest, ResultWithALoneSurrogateIsRefusedInUtf8) {
  // Removing the first code unit of U+1F600 leaves its low surrogate.
  ExpectFailure(
      RunCli({"apply", Option(options::kRemoveFirstChars), "--param1", "1"}, "\xF0\x9F\x98\x80z"),
      1, "--utf16le");
}

TEST_F(CliTest, Utf16LeCarriesLoneSurrogatesBothWays) {
  // U+D83D alone, "a b", U+DE00 alone, as UTF-16LE without BOM.
  const std::string input(
      "\x3D\xD8"
      "a\0 \0b\0\x00\xDE",
      10);
  CliRun run = RunCli({"apply", Option(options::kRemoveAllSpaces), "--utf16le"}, input);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, std::string("\x3D\xD8"
                                 "a\0b\0\x00\xDE",
                                 8));
  // The parameter file is UTF-16LE as well: replace spaces by a lone low surrogate.
  const std::string replacement = WriteFile("replacement", std::string("\x00\xDE", 2));
  run = RunCli(
      {"apply", Option(options::kReplaceAllSpaces), "--utf16le", "--param1-file", replacement},
      input);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, std::string("\x3D\xD8"
                                 "a\0\x00\xDE"
                                 "b\0\x00\xDE",
                                 10));
  // The CR LF of UTF-16LE text is four bytes.
  run = RunCli({"apply", Option(options::kRemoveBlankLines), "--utf16le"},
               std::string("a\0\r\0\n\0\r\0\n\0b\0", 12));
  EXPECT_EQ(run.out, std::string("a\0\r\0\n\0b\0", 8));
  ExpectFailure(RunCli({"apply", Option(options::kRemoveAllSpaces), "--utf16le"}, "odd"), 1,
                "odd number of bytes");
}

}  // namespace
