// UTF-8 and UTF-16LE conversions.

#include "edits/engine/utf.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "plain_utf.h"

namespace fenlow::edits {
namespace {

using reference::AppendUtf16;
using reference::AppendUtf8;

TEST(Utf8, RoundTripsEveryLength) {
  const std::u16string text = u"a\u00E9\u0800\uFFFF\U00010000\U0010FFFF\r\n\u00A0\u20AC";
  const std::string bytes = Utf16ToUtf8(text);
  EXPECT_EQ(bytes,
            "a\xC3\xA9\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\r\n\xC2\xA0\xE2\x82"
            "\xAC");
  EXPECT_EQ(Utf8ToUtf16(bytes), text);
  EXPECT_EQ(Utf8ToUtf16(""), u"");
  EXPECT_EQ(Utf16ToUtf8(u""), "");
  EXPECT_EQ(Utf8ToUtf16(std::string(1, '\0')), std::u16string(1, u'\0'));
}

TEST(Utf8, AsciiRunsAroundMultibyteCharactersAtEveryAlignment) {
  for (std::size_t before = 0; before < 20; ++before) {
    const std::u16string text = std::u16string(before, u'x') + u"\u00E9" +
                                std::u16string(before % 9, u'y') + u"\U0001F600z";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text) << before;
  }
}

struct InvalidUtf8 {
  const char* name;
  std::string bytes;
  std::size_t offset;
};

TEST(Utf8, RefusesInvalidInputAndNamesTheByteOffset) {
  const InvalidUtf8 cases[] = {
      {"stray continuation", "abcdefghij\x80", 10},
      {"invalid lead byte", "ab\xFF", 2},
      {"overlong two-byte lead", "\xC0\xAF", 0},
      {"overlong three-byte", "abc\xE0\x80\xAF", 3},
      {"overlong four-byte", "\xF0\x80\x80\xAF", 0},
      {"encoded surrogate", "ok\xED\xA0\x80", 2},
      {"above U+10FFFF", "\xF4\x90\x80\x80", 0},
      {"lead byte F5", "\xF5\x80\x80\x80", 0},
      {"cut off", "abcdefgh\xE2\x82", 8},
      {"missing continuation", "\xE2(\xAC", 0},
  };
  for (const InvalidUtf8& invalid : cases) {
    try {
      (void)Utf8ToUtf16(invalid.bytes);
      ADD_FAILURE() << invalid.name << " was accepted";
    } catch (const EncodingError& error) {
      EXPECT_EQ(error.offset(), invalid.offset) << invalid.name;
      EXPECT_NE(std::string(error.what()).find("byte offset " + std::to_string(invalid.offset)),
                std::string::npos)
          << error.what();
    }
  }
}

TEST(Utf8, RefusesToEncodeLoneSurrogates) {
  const std::u16string lone[] = {u"ab\xD83D", std::u16string(u"\xDE00") + u"ab", u"a\xD83Dz",
                                 std::u16string(u"\xDE00\xD83D")};
  const std::size_t at[] = {2, 0, 1, 0};
  for (int i = 0; i < 4; ++i) {
    try {
      (void)Utf16ToUtf8(lone[i]);
      ADD_FAILURE() << "case " << i << " was encoded";
    } catch (const EncodingError& error) {
      EXPECT_EQ(error.offset(), at[i]) << i;
    }
  }
}

TEST(Utf8, AgreesWithTheStandardLibraryOnRandomText) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 300; ++round) {
    std::u32string codePoints;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) {
      const char32_t ranges[][2] = {
          {0x20, 0x7E}, {0x80, 0x7FF}, {0x800, 0xD7FF}, {0xE000, 0xFFFF}, {0x10000, 0x10FFFF}};
      const auto& range = ranges[random() % 5];
      codePoints += static_cast<char32_t>(range[0] + random() % (range[1] - range[0] + 1));
    }
    std::u16string text;
    std::string bytes;
    for (char32_t c : codePoints) {
      AppendUtf16(text, c);
      AppendUtf8(bytes, c);
    }
    ASSERT_EQ(Utf16ToUtf8(text), bytes) << round;
    ASSERT_EQ(Utf8ToUtf16(bytes), text) << round;
  }
}

TEST(Utf16Le, CarriesAnyCodeUnitUnchanged) {
  const std::u16string text = {u'a', 0xD83D, u'\r', 0xDE00, 0xFFFF, 0x0000, 0x0100};
  const std::string bytes = TextToUtf16Le(text);
  EXPECT_EQ(bytes, std::string("a\0=\xD8\r\0\0\xDE\xFF\xFF\0\0\0\x01", 14));
  EXPECT_EQ(Utf16LeToText(bytes), text);
  EXPECT_THROW((void)Utf16LeToText("abc"), EncodingError);
  EXPECT_EQ(Utf16LeToText(""), u"");
}

}  // namespace
}  // namespace fenlow::edits
