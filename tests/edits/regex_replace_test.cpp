// regex-replace against its definition: ECMAScript patterns on code points,
// the line model for ^, $ and ".", (?i) with simple case folding, the
// replacement's $ forms, the step after an empty match, and the refusals
// (a pattern that does not compile, a search that runs away) that write
// nothing. Each case in every form of the engine (every_form.h).

#include "edits/pattern/regex_replace.h"

#include <gtest/gtest.h>

#include <string>

#include "edits/engine/edit_chain.h"
#include "edits/engine/edit_failure.h"
#include "every_form.h"
#include "readable_text.h"

namespace fenlow::edits {
namespace {

using testing::InEveryForm;
using testing::Written;

EditStep Replace(std::u16string_view pattern, std::u16string_view replacement) {
  return EditStep{&RegexReplaceEdit(), std::u16string(pattern), std::u16string(replacement), false};
}

TEST(RegexReplace, MatchesAsItsDefinitionSays) {
  const struct {
    const char* what;
    std::u16string_view pattern, replacement, text, edited;
  } cases[] = {
      {"groups", u"(\\d{4})-(\\d\\d)-(\\d\\d)", u"$3.$2.$1", u"on 2024-03-15.", u"on 15.03.2024."},
      {"every match, left to right", u"[0-9]+", u"#", u"a1b22c333", u"a#b#c#"},
      {"$&, $$, a group that took no part, other $", u"(x)|y", u"[$&$$$1$0$a]", u"xy",
       u"[x$x$0$a][y$$0$a]"},
      {"$1 then a digit", u"(a)", u"$10", u"a", u"a0"},
      {"empty matches step one code point", u"x*", u"-", u"abc", u"-a-b-c-"},
      {"an empty match after a match", u"a*", u"-", u"baaac", u"-b--c-"},
      {"never between CR and LF", u"", u"|", u"a\r\nb", u"|a|\r\n|b|"},
      {"empty match steps over a pair beyond the BMP", u"", u"|", u"\U0001F600", u"|\U0001F600|"},
      {"^ at every line's start", u"^", u">", u"a\nb\r\nc\rd", u">a\n>b\r\n>c\r>d"},
      {"$ at every line's end", u"$", u"<", u"a\nb\r\nc", u"a<\nb<\r\nc<"},
      {"form feed, U+0085, U+2028, U+2029 are no breaks", u"^.", u"#", u"a\fb\u0085c\u2028d\u2029e",
       u"#\fb\u0085c\u2028d\u2029e"},
      {". is any code point but a line break", u".", u"<$&>", u"\U0001F600a\r\n",
       u"<\U0001F600><a>\r\n"},
      {"\\d and \\w are ASCII", u"\\w", u"_", u"aé1٣", u"_é_٣"},
      {"\\b is ASCII", u"\\b", u"|", u"éa b", u"é|a| |b|"},
      {"\\s takes the Unicode spaces and the line breaks", u"\\s", u"_",
       u"a b\tc\u00A0d\u3000e\nf\u2028g", u"a_b_c_d_e_f_g"},
      {"(?i): simple case folding", u"(?i)straße|k", u"#", u"STRASSE Straße \u212A K",
       u"STRASSE # # #"},
      {"(?i) with classes", u"(?i)[a-c]+", u"#", u"xAbCy", u"x#y"},
      {"case matters without (?i)", u"a", u"#", u"aA", u"#A"},
      {"no match", u"z", u"#", u"abc", u"abc"},
      {"empty text", u"x*", u"-", u"", u"-"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Written(InEveryForm(Replace(c.pattern, c.replacement), c.text)), Written(c.edited))
        << c.what;
  }
}

TEST(RegexReplace, LoneSurrogatesAreOneUnitOfTheirOwn) {
  const std::u16string text =
      u"a\xD800"
      "b";
  EXPECT_EQ(ApplyStepsToUtf16(std::vector{Replace(u".", u"<$&>")}, text), u"<a><\xD800><b>");
}

TEST(RegexReplace, RefusesPatternsThatDoNotCompileSayingWhere) {
  const struct {
    std::u16string_view pattern;
    std::string where;
  } bad[] = {
      {u"a(b", "character"},
      {u"x(?i)y", "at character 2: (?i)"},
      {u"(?i)(?i)a", "at character 5: (?i)"},
      {u"(?s).", "at character 1"},
      {u"[z-a]", "character"},
  };
  for (const auto& b : bad) {
    try {
      CheckStep(Replace(b.pattern, u""));
      ADD_FAILURE() << Written(b.pattern) << " compiled";
    } catch (const EditFailure& failure) {
      EXPECT_NE(std::string(failure.what()).find(b.where), std::string::npos) << failure.what();
      EXPECT_EQ(std::string(failure.what()).find('\n'), std::string::npos) << failure.what();
    }
  }
  // Inside a class or escaped, (?i) is text.
  EXPECT_EQ(InEveryForm(Replace(u"[(?i)]", u"#"), u"a(?i)"), u"a####");
  EXPECT_EQ(InEveryForm(Replace(u"\\(\\?i\\)", u"#"), u"a(?i)"), u"a#");
}

TEST(RegexReplace, StopsARunawaySearchWithinTheBudget) {
  const std::u16string text(100000, u'a');
  for (std::u16string_view runaway : {u"a*a*x", u"(a*)*x", u"(a|aa)*x"}) {
    try {
      (void)ApplyStepsToUtf16(std::vector{Replace(runaway, u"y")}, text);
      ADD_FAILURE() << Written(runaway) << " was not stopped";
    } catch (const EditFailure& failure) {
      EXPECT_NE(std::string(failure.what()).find("ran away"), std::string::npos) << failure.what();
    }
  }
  EXPECT_EQ(RegexStepBudget(100000), 30'000'000u);
}

}  // namespace
}  // namespace fenlow::edits
