// Chains of steps and edits on each line against running the steps one by
// one, each line cut out by hand; and every chain also in blocks of every
// size (every_form.h). Random texts over the characters where the edits
// differ; fixed seeds.

#include "edits/engine/edit_chain.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "edits/engine/catalogue.h"
#include "edits/engine/edit_failure.h"
#include "every_form.h"
#include "readable_text.h"

namespace fenlow::edits {
namespace {

using testing::InEveryForm;
using testing::Written;

const std::u16string_view kPieces[] = {
    u" ", u"  ", u"\t", u"\r",     u"\n", u"\r\n",   u"a",      u"B",          u"7", u"-",
    u"Σ", u"ß",  u"'",  u"\u0301", u".",  u"\u2019", u"\u00A0", u"\U0001F600", u"=", u"ab"};

// The parameters each edit is tried with, where it takes one.
std::u16string ParameterFor(const EditDefinition& edit, int which, std::mt19937& random) {
  const ParameterMeaning meaning = which == 1 ? edit.param1 : edit.param2;
  switch (meaning) {
    case ParameterMeaning::WholeNumber:
      return std::u16string(1, static_cast<char16_t>(u'0' + random() % 4));
    case ParameterMeaning::None:
      return {};
    default:
      return std::u16string(kPieces[random() % std::size(kPieces)]);
  }
}

// Each line between the breaks (CR LF, CR, LF) through the edit on its own.
std::u16string ByHandOnEachLine(const EditStep& step, const std::u16string& text) {
  std::u16string result;
  std::u16string line;
  const auto endLine = [&] {
    if (!line.empty()) result += step.edit->forms.utf16(line, {step.param1, step.param2});
    line.clear();
  };
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != u'\r' && text[at] != u'\n') {
      line += text[at];
      continue;
    }
    endLine();
    result += text[at];
    if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') result += text[++at];
  }
  endLine();
  return result;
}

std::u16string OneByOne(const std::vector<EditStep>& steps, std::u16string text) {
  for (const EditStep& step : steps) {
    text = step.eachLine ? ByHandOnEachLine(step, text)
                         : step.edit->forms.utf16(text, {step.param1, step.param2});
  }
  return text;
}

TEST(EditChain, GivesWhatTheStepsGiveOneByOneInEveryForm) {
  std::mt19937 random(41);
  const std::span<const EditDefinition* const> edits = EngineEdits();
  int chains = 0;
  for (int round = 0; round < 1500; ++round) {
    std::vector<EditStep> steps(1 + random() % 3);
    for (EditStep& step : steps) {
      step.edit = edits[random() % edits.size()];
      step.param1 = ParameterFor(*step.edit, 1, random);
      step.param2 = ParameterFor(*step.edit, 2, random);
      step.eachLine = random() % 2 == 0;
    }
    std::u16string text;
    for (int piece = static_cast<int>(random() % 10); piece > 0; --piece) {
      text += kPieces[random() % std::size(kPieces)];
    }
    std::u16string expected;
    try {
      expected = OneByOne(steps, text);
    } catch (const EditFailure&) {
      continue;  // x = 32767 on a text, say: refused alike, see below
    } catch (const EncodingError&) {
      continue;
    }
    std::string names;
    for (const EditStep& step : steps) {
      names += std::string(step.edit->name) + (step.eachLine ? " --each-line " : " ");
    }
    ASSERT_EQ(Written(InEveryForm(steps, text)), Written(expected)) << names << Written(text);
    ++chains;
  }
  EXPECT_GT(chains, 1000);
}

TEST(EditChain, EachLineStripsEveryLinesStartAndKeepsTheBreaks) {
  const EditStep step{FindEdit(EngineEdits(), u"remove-first"), u"4", {}, true};
  EXPECT_EQ(InEveryForm(step, u"0001 foo\r\n0002 bar\n0003 baz\r12\n"), u" foo\r\n bar\n baz\r\n");
  // The 26 edits inside a line see what they see today: a lone CR or LF is
  // a break here, so the blank-line edit finds nothing in a line.
  const EditStep blankLines{FindEdit(EngineEdits(), u"remove-blank-lines"), {}, {}, true};
  EXPECT_EQ(InEveryForm(blankLines, u"a\r\n\r\n\r\nb"), u"a\r\n\r\n\r\nb");
}

TEST(EditChain, ParametersAreCheckedBeforeAnyText) {
  const EditStep badX{FindEdit(EngineEdits(), u"remove-last"), u"x", {}, true};
  EXPECT_THROW(CheckStep(badX), EditFailure);
  std::u16string list = u"q";
  for (int item = 1; item < 32768; ++item) list += u"\r\nq";
  EXPECT_THROW(CheckStep(EditStep{FindEdit(EngineEdits(), u"remove-list"), list, {}, false}),
               EditFailure);
  EXPECT_NO_THROW(
      CheckStep(EditStep{FindEdit(EngineEdits(), u"remove-first"), u"32767", {}, false}));
}

}  // namespace
}  // namespace fenlow::edits
