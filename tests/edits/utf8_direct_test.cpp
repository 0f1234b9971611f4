// The UTF-8 direct path against the UTF-16 engine, which is the truth: for
// every edit that offers it, on random valid texts and parameters, the direct
// result must be the UTF-8 of the engine's result, failures included.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "edits/catalogue.h"
#include "edits/edit_failure.h"
#include "edits/utf.h"
#include "readable_text.h"

namespace fenlow::edits {
namespace {

// Only whole characters: the direct path takes valid UTF-8.
const std::u16string_view kPieces[] = {
    u" ", u" ", u"  ", u"\t",     u"\r",     u"\n",     u"\r\n",       u"\r\n", u"a", u"b",
    u"Z", u"0", u"7",  u"\u00E9", u"\u00A0", u"\u20AC", u"\U0001F600", u"=",    u"#", u"ab"};

std::u16string RandomText(std::mt19937& random, int maxPieces) {
  std::u16string text;
  const auto pieces = random() % static_cast<unsigned>(maxPieces + 1);
  for (unsigned i = 0; i < pieces; ++i) text += kPieces[random() % std::size(kPieces)];
  return text;
}

TEST(Utf8Direct, OfferedForEveryEditExceptThoseCountingCodeUnits) {
  int offered = 0;
  for (std::u16string_view entry : kOptionListEntries) {
    if (entry == options::kSeparator) {
      EXPECT_FALSE(EditsUtf8Directly(entry));
      continue;
    }
    const bool countsUnits =
        NeedsWholeNumber(entry) || entry == options::kReplaceNonAlphanumericChars;
    EXPECT_EQ(EditsUtf8Directly(entry), !countsUnits) << Utf16ToUtf8(entry);
    offered += EditsUtf8Directly(entry) ? 1 : 0;
  }
  EXPECT_EQ(offered, 21);
  EXPECT_THROW((void)ApplyOptionToUtf8(options::kRemoveFirstChars, "abc", "1", ""), EditFailure);
}

TEST(Utf8Direct, GivesTheEngineResultOnRandomTexts) {
  std::mt19937 random(23);
  for (std::u16string_view option : kOptionListEntries) {
    if (!EditsUtf8Directly(option)) continue;
    for (int round = 0; round < 1500; ++round) {
      const std::u16string text = RandomText(random, 24);
      std::u16string param1 = RandomText(random, 2);
      if (round % 2 == 0) param1 += u"\r\n" + RandomText(random, 2);
      const std::u16string param2 = RandomText(random, 3);
      const EditOutcome engine = ApplyOption(option, text, param1, param2);
      ASSERT_EQ(
          ApplyOptionToUtf8(option, Utf16ToUtf8(text), Utf16ToUtf8(param1), Utf16ToUtf8(param2)),
          Utf16ToUtf8(engine.result))
          << Utf16ToUtf8(option) << " on " << testing::Written(text) << " with "
          << testing::Written(param1) << " / " << testing::Written(param2);
    }
  }
}

TEST(Utf8Direct, ListLimitFailsAlike) {
  std::string list = "q";
  for (int item = 1; item < 32768; ++item) list += "\r\nq";
  EXPECT_THROW((void)ApplyOptionToUtf8(options::kRemoveListItems, "aqa", list, ""), EditFailure);
  list.resize(list.size() - 3);
  EXPECT_EQ(ApplyOptionToUtf8(options::kRemoveListItems, "aqa", list, ""), "aa");
}

}  // namespace
}  // namespace fenlow::edits
