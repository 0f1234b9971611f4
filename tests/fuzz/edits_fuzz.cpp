// Every bulk edit through edits::ApplyOption with fuzzed text and parameters,
// against the plain reference of the engine tests: the same result where the
// reference edits, an EditFailure exactly where it fails, no edit where it
// names none. The edits that run in one pass are also fed to a StreamEditor
// as UTF-8 in blocks of 1 to 22 bytes, against the same reference. The
// number conversion of x is checked on every input too.
//
// Then a chain of one to three of every edit, the ones beyond the option
// list included (regex-replace with the parameters as pattern and
// replacement), each on the whole text or on each line, chosen by the first
// byte and the text's length: the whole UTF-8 form and the stream in blocks
// must give the UTF-8 of what the UTF-16 form gives, or
// refuse a lone surrogate that the UTF-16 form leaves on the way.
//
// Input: one byte choosing the option (its low bits) and the block size (its
// top three bits), then text, parameter 1 and parameter 2 separated by NUL
// bytes (see fuzz_input.h for how bytes become text).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "edits/engine/catalogue.h"
#include "edits/engine/edit_chain.h"
#include "edits/engine/edit_failure.h"
#include "edits/engine/stream_edits.h"
#include "edits/engine/utf.h"
#include "edits/pattern/every_edit.h"
#include "tests/edits/plain_reference.h"
#include "tests/edits/plain_utf.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

using fenlow::edits::EditOutcome;
using fenlow::edits::reference::ReferenceOutcome;
using fenlow::fuzz::Check;
using fenlow::fuzz::Finding;

// The 29 entries of the option list, then option texts that name no edit:
// empty, one differing only in letter case, one with a trailing space.
std::u16string OptionFor(unsigned char selector) {
  const auto& entries = fenlow::edits::kOptionListEntries;
  const std::size_t index = selector % (entries.size() + 3);
  if (index < entries.size()) return std::u16string(entries[index]);
  std::u16string option(entries[selector % entries.size()]);
  if (index == entries.size()) return u"";
  if (index == entries.size() + 1) {
    option[0] = static_cast<char16_t>(option[0] ^ 0x20);
    return option;
  }
  return option + u" ";
}

bool IsBlankLineEdit(std::u16string_view option) {
  namespace o = fenlow::edits::options;
  return option == o::kRemoveBlankLines || option == o::kReplaceAllBlankLines;
}

void CheckWholeNumber(std::u16string_view typed) {
  const auto expected = fenlow::edits::reference::ReferenceWholeNumber(typed);
  try {
    const std::int16_t x = fenlow::edits::ParseWholeNumber16(typed);
    Check(expected.has_value(), "x accepted where the reference refuses it",
          fenlow::fuzz::Shown(typed));
    Check(x == *expected, "x converted to another value", fenlow::fuzz::Shown(typed));
  } catch (const fenlow::edits::EditFailure& failure) {
    Check(!expected.has_value(), "x refused where the reference accepts it",
          fenlow::fuzz::Shown(typed));
    Check(failure.what()[0] != '\0', "x refused without a message");
  }
}

// Feeds `bytes` to the editor `block` bytes at a time, then ends the text.
void FeedInBlocks(fenlow::edits::StreamEditor& editor, std::string_view bytes, std::size_t block,
                  std::string& output) {
  for (std::size_t at = 0; at < bytes.size(); at += block) {
    const std::string_view piece = bytes.substr(at, block);
    const std::span<char> room = editor.NextBlock(piece.size());
    std::copy(piece.begin(), piece.end(), room.begin());
    editor.Edit(piece.size(), output);
  }
  editor.Finish(output);
}

// The one-pass edit fed to a StreamEditor `block` bytes at a time: the
// reference's result as UTF-8, a LoneSurrogateError where that result has a
// lone surrogate, an EditFailure where the reference fails.
void CheckInBlocks(std::u16string_view option, const std::u16string& text,
                   const std::u16string& param1, const std::u16string& param2,
                   const ReferenceOutcome& expected, std::size_t block, const std::string& shown) {
  using fenlow::edits::reference::FirstLoneSurrogate;
  using fenlow::edits::reference::PlainUtf16ToUtf8;
  if (!fenlow::edits::EditsInOnePass(option)) return;
  for (const std::u16string* part : {&text, &param1, &param2}) {
    if (FirstLoneSurrogate(*part)) return;  // Not UTF-8.
  }
  const std::string bytes = PlainUtf16ToUtf8(text);
  const std::string where = shown + " in blocks of " + std::to_string(block);
  std::string output;
  try {
    fenlow::edits::StreamEditor editor =
        fenlow::edits::OnePassEditor(option, PlainUtf16ToUtf8(param1), PlainUtf16ToUtf8(param2));
    FeedInBlocks(editor, bytes, block, output);
  } catch (const fenlow::edits::EditFailure&) {
    Check(expected.kind == ReferenceOutcome::Kind::Fails, "in blocks, the edit failed", where);
    return;
  } catch (const fenlow::edits::LoneSurrogateError&) {
    Check(expected.kind == ReferenceOutcome::Kind::Edited && FirstLoneSurrogate(expected.result),
          "in blocks, a lone surrogate where the result has none", where);
    return;
  } catch (const std::exception& unexpected) {
    Finding("in blocks, an unexpected exception", where + " : " + unexpected.what());
  }
  Check(expected.kind == ReferenceOutcome::Kind::Edited && !FirstLoneSurrogate(expected.result),
        "in blocks, a result where the edit fails", where);
  Check(output == PlainUtf16ToUtf8(expected.result), "in blocks, the result differs", where);
}

std::vector<fenlow::edits::EditStep> ChainFor(unsigned char selector, std::size_t length,
                                              const std::u16string& param1,
                                              const std::u16string& param2) {
  const auto edits = fenlow::edits::EveryEdit();
  std::vector<fenlow::edits::EditStep> steps(1 + (selector + length) % 3);
  for (std::size_t k = 0; k < steps.size(); ++k) {
    const std::size_t choice = (selector * 7 + length * 13 + k * 5) % (edits.size() * 2);
    steps[k] = {edits[choice / 2], param1, param2, choice % 2 == 1};
  }
  return steps;
}

// The UTF-8 forms of a chain against its UTF-16 form.
void CheckChain(const std::vector<fenlow::edits::EditStep>& steps, const std::u16string& text,
                std::size_t block, const std::string& shown) {
  using fenlow::edits::reference::FirstLoneSurrogate;
  using fenlow::edits::reference::PlainUtf16ToUtf8;
  for (const auto& step : steps) {
    if (FirstLoneSurrogate(step.param1) || FirstLoneSurrogate(step.param2)) return;
    try {
      fenlow::edits::CheckStep(step);
    } catch (const fenlow::edits::EditFailure&) {
      return;  // refused before any text, in every form alike
    }
  }
  if (FirstLoneSurrogate(text)) return;
  std::u16string expected = text;
  bool loneOnTheWay = false;
  try {
    for (const auto& step : steps) {
      expected = fenlow::edits::ApplyStepsToUtf16({&step, 1}, expected);
      loneOnTheWay = loneOnTheWay || FirstLoneSurrogate(expected).has_value();
    }
  } catch (const fenlow::edits::EditFailure&) {
    return;  // x = 32767 on a text: the UTF-8 forms fail too, see the option checks
  }
  const std::string bytes = PlainUtf16ToUtf8(text);
  const auto check = [&](const char* form, auto run) {
    try {
      const std::string output = run();
      Check(!loneOnTheWay, "a chain gave UTF-8 where a lone surrogate was on the way",
            std::string(form) + " " + shown);
      Check(output == PlainUtf16ToUtf8(expected), "a chain's UTF-8 form differs",
            std::string(form) + " " + shown);
    } catch (const fenlow::edits::LoneSurrogateError&) {
      Check(loneOnTheWay, "a chain refused a lone surrogate where none was",
            std::string(form) + " " + shown);
    } catch (const std::exception& unexpected) {
      Finding("a chain threw an unexpected exception", shown + " : " + unexpected.what());
    }
  };
  check("whole", [&] { return fenlow::edits::ApplyStepsToUtf8(steps, bytes); });
  if (!fenlow::edits::StepsStream(steps)) return;
  check("in blocks", [&] {
    fenlow::edits::StreamEditor editor(fenlow::edits::StagesOfSteps(steps));
    std::string output;
    FeedInBlocks(editor, bytes, block, output);
    return output;
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::u16string option = OptionFor(data[0]);
  const auto parts =
      fenlow::fuzz::SplitAtNul({reinterpret_cast<const char*>(data) + 1, size - 1}, 3);
  const std::u16string text = fenlow::fuzz::FuzzText(parts[0]);
  const std::u16string param1 = fenlow::fuzz::FuzzText(parts[1]);
  const std::u16string param2 = fenlow::fuzz::FuzzText(parts[2]);

  CheckWholeNumber(param1);

  const ReferenceOutcome expected =
      fenlow::edits::reference::ReferenceOption(option, text, param1, param2);
  const std::string shown = "option " + fenlow::fuzz::Shown(option).substr(0, 40) + " text " +
                            fenlow::fuzz::Shown(text) + " param1 " + fenlow::fuzz::Shown(param1);
  CheckInBlocks(option, text, param1, param2, expected,
                1 + static_cast<std::size_t>(data[0] >> 5) * 3, shown);
  {
    const auto steps = ChainFor(data[0], text.size(), param1, param2);
    std::string names;
    for (const auto& step : steps)
      names += std::string(step.edit->name) + (step.eachLine ? "/line " : " ");
    CheckChain(steps, text, 1 + static_cast<std::size_t>(data[0] >> 5) * 3,
               "chain " + names + "text " + fenlow::fuzz::Shown(text));
  }

  EditOutcome outcome;
  try {
    outcome = fenlow::edits::ApplyOption(option, text, param1, param2);
  } catch (const fenlow::edits::EditFailure& failure) {
    Check(expected.kind == ReferenceOutcome::Kind::Fails, "the edit failed where it should not",
          shown + " : " + failure.what());
    Check(failure.what()[0] != '\0', "a failure without a message", shown);
    return 0;
  } catch (const std::exception& unexpected) {
    Finding("an unexpected exception", shown + " : " + unexpected.what());
  }
  switch (expected.kind) {
    case ReferenceOutcome::Kind::Fails:
      Finding("the edit gave a result where it should fail", shown);
    case ReferenceOutcome::Kind::NoSuchOption:
      Check(outcome.kind == EditOutcome::Kind::NoSuchOption, "an edit for a text that names none",
            shown);
      Check(outcome.result.empty() && !outcome.rewritesClipText, "no edit, but a result", shown);
      return 0;
    case ReferenceOutcome::Kind::Edited:
      Check(outcome.kind == EditOutcome::Kind::Edited, "no edit for an option text", shown);
      Check(outcome.result == expected.result, "the result differs from the reference",
            shown + " got " + fenlow::fuzz::Shown(outcome.result) + " expected " +
                fenlow::fuzz::Shown(expected.result));
      Check(outcome.rewritesClipText == IsBlankLineEdit(option),
            "ClipText rewritten by the wrong edits", shown);
      return 0;
  }
  return 0;
}
