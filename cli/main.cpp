// fenlow-cli: applies Fenlow's bulk edits to standard input, or to the
// clipboard.

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/apply_command.h"
#include "cli/byte_streams.h"
#include "cli/cli_failure.h"
#include "cli/clipboard_command.h"
#include "cli/command_line.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"
#include "edits/pattern/every_edit.h"
#include "platform/standard_streams.h"

namespace {

using fenlow::cli::Command;

void PrintOptionList(bool withNames) {
  std::string listing;
  if (withNames) {
    for (const fenlow::edits::EditDefinition* edit : fenlow::edits::EveryEdit()) {
      listing.append(edit->name) += '\t';
      listing += edit->optionText.empty() ? std::string(edit->description)
                                          : fenlow::edits::Utf16ToUtf8(edit->optionText);
      listing += '\n';
    }
  } else {
    for (std::u16string_view entry : fenlow::edits::kOptionListEntries) {
      listing += fenlow::edits::Utf16ToUtf8(entry) + '\n';
    }
  }
  fenlow::cli::WriteWholeStream(stdout, listing, "standard output");
}

// Failures are reported on one line, whatever the message holds. Nothing
// here allocates, so reporting a failure (out of memory, say) cannot fail.
int ReportFailure(const char* message, int exitCode) noexcept {
  std::fputs("fenlow-cli: ", stderr);
  for (const char* c = message; *c != '\0'; ++c) {
    std::fputc(*c == '\n' || *c == '\r' ? ' ' : *c, stderr);
  }
  std::fputc('\n', stderr);
  return exitCode;
}

}  // namespace

// Nothing escapes: every failure ends the program with its one-line report.
int main(int argc, char** argv) {
  try {
    fenlow::platform::UseBinaryStandardStreams();
    // Output goes out in whole blocks, so nothing is buffered: a standard
    // output that is cut back after a failure gets no late bytes.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const Command command = fenlow::cli::ParseCommandLine({argv + 1, argv + argc});
    switch (command.action) {
      case Command::Action::Help:
        fenlow::cli::WriteWholeStream(stdout, fenlow::cli::HelpText(), "standard output");
        break;
      case Command::Action::List:
        PrintOptionList(command.names);
        break;
      case Command::Action::Apply:
        if (command.clipboard) {
          fenlow::cli::RunApplyToClipboard(command);
        } else {
          fenlow::cli::RunApply(command);
        }
        break;
    }
    return fenlow::cli::kExitOk;
  } catch (const fenlow::cli::CliFailure& failure) {
    return ReportFailure(failure.what(), failure.exitCode());
  } catch (const std::exception& failure) {
    // Edit failures, and anything unforeseen such as running out of memory.
    return ReportFailure(failure.what(), fenlow::cli::kExitFailed);
  } catch (...) {
    return ReportFailure("the program failed in an unforeseen way", fenlow::cli::kExitFailed);
  }
}
