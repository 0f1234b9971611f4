// The edits beyond the option list against their definitions: the worked
// examples, then named edge cases, each in every form of the engine.

#include <gtest/gtest.h>

#include <string>

#include "edits/engine/catalogue.h"
#include "edits/engine/edit_chain.h"
#include "every_form.h"
#include "readable_text.h"

namespace fenlow::edits {
namespace {

using testing::InEveryForm;
using testing::Written;

struct Case {
  const char* edit;
  const char* what;
  std::u16string_view text;
  std::u16string_view edited;
};

EditStep StepOf(std::string_view name) {
  const EditDefinition* edit = FindEdit(EngineEdits(), Utf8ToUtf16(name));
  EXPECT_NE(edit, nullptr) << name;
  return EditStep{edit, {}, {}, false};
}

void ExpectCases(std::span<const Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(Written(InEveryForm(StepOf(c.edit), c.text)), Written(c.edited))
        << c.edit << ": " << c.what;
  }
}

// A text with a surrogate pair and a combining mark beside the boundaries.
constexpr char16_t kGrinning[] = u"\U0001F600";

TEST(CaseEdits, WorkedExamplesAndEdges) {
  const Case cases[] = {
      {"upper-case", "special casing", u"straße", u"STRASSE"},
      {"upper-case", "ligature, and a pair beyond the BMP", u"ﬁx \U00010428", u"FIX \U00010400"},
      {"upper-case", "combining mark stays", u"e\u0301a", u"E\u0301A"},
      {"upper-case", "ASCII runs around other text", u"abc-é-xyz0123456789abcdefghijklmn",
       u"ABC-É-XYZ0123456789ABCDEFGHIJKLMN"},
      {"upper-case", "lone surrogate stays",
       u"a\xD800"
       "b",
       u"A\xD800"
       "B"},
      {"upper-case", "empty", u"", u""},
      {"lower-case", "final sigma", u"ΌΣΟΣ", u"όσος"},
      {"lower-case", "sigma alone is not final", u"Σ", u"σ"},
      {"lower-case", "final sigma before case-ignorable marks", u"ΟΣ\u0301 ", u"ος\u0301 "},
      {"lower-case", "sigma before a cased letter after ignorables", u"ΑΣ'Α", u"ασ'α"},
      {"lower-case", "dotted capital I", u"İ", u"i\u0307"},
      {"lower-case", "pair beyond the BMP", u"\U00010400", u"\U00010428"},
      {"title-case", "worked example", u"HELLO wORLD, they're 3rd", u"Hello World, They're 3rd"},
      {"title-case", "apostrophes at a word's ends", u"'HELLO'", u"'Hello'"},
      {"title-case", "final sigma", u"ΟΣ", u"Ος"},
      {"title-case", "typographic apostrophe inside", u"DON\u2019T", u"Don\u2019t"},
      {"title-case", "apostrophe after a digit ends the word", u"80'S", u"80'S"},
      {"title-case", "title-case mapping of a digraph", u"ǆemal", u"ǅemal"},
      {"title-case", "ß at a word's start", u"ßa", u"Ssa"},
      {"title-case", "a mark starts no new word", u"e\u0301TE", u"E\u0301te"},
      {"title-case", "lines", u"ab\ncd\r\nef", u"Ab\nCd\r\nEf"},
      {"sentence-case", "worked example", u"HELLO. how are YOU? fine", u"Hello. How are you? Fine"},
      {"sentence-case", "lowers I and acronyms", u"I SAW NASA! ok", u"I saw nasa! Ok"},
      {"sentence-case", "no end without whitespace", u"a.b c", u"A.b c"},
      {"sentence-case", "an end before a line break", u"one.\ntwo!\r\nthree?\rfour",
       u"One.\nTwo!\r\nThree?\rFour"},
      {"sentence-case", "the first cased character after the end", u"x. \"3 apples\"",
       u"X. \"3 Apples\""},
  };
  ExpectCases(cases);
  EXPECT_EQ(InEveryForm(StepOf("upper-case"), std::u16string(kGrinning) + u"a"),
            std::u16string(kGrinning) + u"A");
}

TEST(LineEdits, WorkedExamplesAndEdges) {
  const Case cases[] = {
      {"unwrap-lines", "worked example", u"The quick  \n  brown fox\n\njumps",
       u"The quick brown fox\n\njumps"},
      {"unwrap-lines", "hyphen after a letter", u"well-\r\nknown", u"well-known"},
      {"unwrap-lines", "hyphen after a digit", u"pages 3-\n4", u"pages 3- 4"},
      {"unwrap-lines", "hyphen after a space", u"a -\nb", u"a - b"},
      {"unwrap-lines", "mixed breaks", u"a\rb\r\nc\nd", u"a b c d"},
      {"unwrap-lines", "LF CR is two breaks, a blank line between", u"a\n\rb", u"a\n\rb"},
      {"unwrap-lines", "a line of spaces is blank", u"a\n \t\nb", u"a\n \t\nb"},
      {"unwrap-lines", "final break stays", u"a\nb\n", u"a b\n"},
      {"unwrap-lines", "only breaks", u"\r\n\n\r", u"\r\n\n\r"},
      {"unwrap-lines", "leading spaces of a paragraph stay", u"  a\nb  ", u"  a b  "},
      {"unwrap-lines", "a non-ASCII letter before the hyphen", u"é-\nb", u"é-b"},
      {"trim-lines", "every line", u" \ta b\t \n  c  \r\n\t", u"a b\nc\r\n"},
      {"trim-lines", "only breaks and spaces", u"  \r  \n", u"\r\n"},
      {"trim-lines", "no-break space is not trimmed", u"\u00A0a ", u"\u00A0a"},
      {"collapse-spaces", "runs become one", u"a  b   c    d e", u"a b c d e"},
      {"collapse-spaces", "tabs stay", u"a \t  b\t\t", u"a \t b\t\t"},
      {"collapse-spaces", "at both ends", u"   a   ", u" a "},
      {"plain-typography", "quotes", u"‘a’ ‚b‛ “c” „d‟", u"'a' 'b' \"c\" \"d\""},
      {"plain-typography", "dashes and minus", u"‐‑‒–—―−", u"-------"},
      {"plain-typography", "ellipsis", u"wait…", u"wait..."},
      {"plain-typography", "spaces", u"a\u00A0b\u2000c\u200Ad\u202Fe\u205Ff\u3000g",
       u"a b c d e f g"},
      {"plain-typography", "other characters stay", u"«é»\u200B", u"«é»\u200B"},
      {"remove-invisible", "the four", u"so\u00ADft\u200B\u2060\uFEFFx", u"softx"},
      {"remove-invisible", "the joiners stay", u"a\u200Cb\u200Dc", u"a\u200Cb\u200Dc"},
      {"sort-lines", "worked example", u"b\r\na\nc\r\n", u"a\r\nb\r\nc\r\n"},
      {"sort-lines", "no final break", u"b\na", u"a\nb"},
      {"sort-lines", "by code point, not UTF-16 unit", u"\U00010000\n\uFFFD\n\uE000",
       u"\uE000\n\uFFFD\n\U00010000"},
      {"sort-lines", "text without a break", u"b a", u"b a"},
      {"sort-lines", "empty lines sort first", u"b\n\na\n", u"\na\nb\n"},
      {"sort-lines", "only breaks", u"\r\n\r\n", u"\r\n\r\n"},
      {"remove-duplicate-lines", "worked example", u"a\nb\r\na\nc", u"a\nb\nc"},
      {"remove-duplicate-lines", "exact comparison", u"a\nA\na \na", u"a\nA\na "},
      {"remove-duplicate-lines", "ends with a break", u"x\r\nx\r\n", u"x\r\n"},
      {"remove-duplicate-lines", "text without a break", u"a", u"a"},
  };
  ExpectCases(cases);
}

// Every edit of the engine gives an empty text for an empty text, and the
// text of only line breaks keeps them all but where the edit removes them.
TEST(CleanUpEdits, EmptyTextStaysEmpty) {
  for (const EditDefinition& edit : CleanUpEdits()) {
    EXPECT_EQ(InEveryForm(EditStep{&edit, {}, {}, false}, u""), u"") << edit.name;
  }
}

}  // namespace
}  // namespace fenlow::edits
