// The UTF-8 direct path against the UTF-16 engine, which is the truth: for
// every edit that offers it, on random valid texts and parameters, the direct
// result must be the UTF-8 of the engine's result, failures included.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "edits/engine/catalogue.h"
#include "edits/engine/edit_failure.h"
#include "edits/engine/utf.h"
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

TEST(Utf8Direct, OfferedForEveryEdit) {
  for (std::u16string_view entry : kOptionListEntries) {
    EXPECT_EQ(EditsUtf8Directly(entry), entry != options::kSeparator) << Utf16ToUtf8(entry);
  }
  EXPECT_FALSE(EditsUtf8Directly(u"remove all spaces in clipboard"));
  EXPECT_THROW((void)ApplyOptionToUtf8(u"-", "abc", "1", ""), EditFailure);
}

// What the engine gives, as UTF-8, or which failure it ends in.
enum class Ending { Result, EditFailed, NotUtf8 };

Ending ThroughEngine(std::u16string_view option, const std::u16string& text,
                     const std::u16string& param1, const std::u16string& param2,
                     std::string& result) {
  try {
    result = Utf16ToUtf8(ApplyOption(option, text, param1, param2).result);
    return Ending::Result;
  } catch (const EditFailure&) {
    return Ending::EditFailed;
  } catch (const EncodingError&) {
    return Ending::NotUtf8;
  }
}

Ending Directly(std::u16string_view option, const std::u16string& text,
                const std::u16string& param1, const std::u16string& param2, std::string& result) {
  try {
    result = ApplyOptionToUtf8(option, Utf16ToUtf8(text), Utf16ToUtf8(param1), Utf16ToUtf8(param2));
    return Ending::Result;
  } catch (const EditFailure&) {
    return Ending::EditFailed;
  } catch (const EncodingError&) {
    return Ending::NotUtf8;
  }
}

std::u16string RandomX(std::mt19937& random, std::size_t length) {
  const char16_t* special[] = {u"32767", u"-32768", u"32766", u"abc", u"", u"2.5"};
  if (random() % 8 == 0) return special[random() % std::size(special)];
  const auto x = static_cast<int>(random() % (length + 6)) - 3;
  return Utf8ToUtf16(std::to_string(x));
}

TEST(Utf8Direct, GivesTheEngineResultOnRandomTexts) {
  std::mt19937 random(23);
  for (std::u16string_view option : kOptionListEntries) {
    if (option == options::kSeparator) continue;
    for (int round = 0; round < 1500; ++round) {
      const std::u16string text = RandomText(random, 24);
      std::u16string param1 = RandomText(random, 2);
      if (round % 2 == 0) param1 += u"\r\n" + RandomText(random, 2);
      if (NeedsWholeNumber(option)) param1 = RandomX(random, text.size());
      const std::u16string param2 = RandomText(random, 3);
      std::string expected;
      std::string direct;
      const Ending engineEnding = ThroughEngine(option, text, param1, param2, expected);
      ASSERT_EQ(Directly(option, text, param1, param2, direct), engineEnding)
          << Utf16ToUtf8(option) << " on " << testing::Written(text) << " with "
          << testing::Written(param1);
      if (engineEnding == Ending::Result) {
        ASSERT_EQ(direct, expected)
            << Utf16ToUtf8(option) << " on " << testing::Written(text) << " with "
            << testing::Written(param1) << " / " << testing::Written(param2);
      }
    }
  }
}

TEST(Utf8Direct, PositionEditsOnTextsLongerThanTheirWindow) {
  // Long enough that only a window at one end is converted.
  std::u16string text;
  for (int i = 0; i < 30000; ++i)
    text += kPieces[static_cast<std::size_t>(i * 7919) % std::size(kPieces)];
  const std::u16string_view xEdits[] = {options::kRemoveFirstChars, options::kRemoveLastChars,
                                        options::kRemoveTextAfterPosition,
                                        options::kRemoveTextBeforePosition};
  for (std::u16string_view option : xEdits) {
    for (const char16_t* x : {u"0", u"1", u"2", u"3", u"77", u"1000", u"-5", u"32766", u"-32768"}) {
      std::string expected;
      std::string direct;
      const Ending engineEnding = ThroughEngine(option, text, x, u"", expected);
      ASSERT_EQ(Directly(option, text, x, u"", direct), engineEnding) << Utf16ToUtf8(option);
      if (engineEnding == Ending::Result) {
        EXPECT_EQ(direct, expected) << Utf16ToUtf8(option) << " x=" << Utf16ToUtf8(x);
      }
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
