// Converting the text of x to a 16-bit whole number.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "edits/engine/catalogue.h"
#include "edits/engine/edit_failure.h"

namespace fenlow::edits {
namespace {

struct Conversion {
  const char16_t* text;
  std::int16_t value;
};

TEST(ParseWholeNumber16, AcceptedForms) {
  const Conversion conversions[] = {
      {u"3", 3},
      {u"+3", 3},
      {u"-3", -3},
      {u"007", 7},
      {u"3.", 3},
      {u".5", 0},
      {u"-.5", 0},
      {u"0", 0},
      {u"-0", 0},
      {u"32767", 32767},
      {u"-32768", -32768},
      {u"3\r\n", 3},
      {u" \t3 \t", 3},
      {u"\r\n-12\r\n", -12},
      {u"0000032767", 32767},
  };
  for (const Conversion& conversion : conversions) {
    EXPECT_EQ(ParseWholeNumber16(conversion.text), conversion.value)
        << std::u16string(conversion.text).size() << " units";
  }
}

TEST(ParseWholeNumber16, RoundsHalfToEvenOnTheDecimalDigits) {
  const Conversion conversions[] = {
      {u"2.5", 2},
      {u"3.5", 4},
      {u"-2.5", -2},
      {u"-3.5", -4},
      {u"0.5", 0},
      {u"1.5", 2},
      {u"2.4999999999999999999", 2},
      {u"1.5000000000000000001", 2},
      {u"2.5000000000000000001", 3},
      {u"2.50000000000000000000", 2},
      {u"2.6", 3},
      {u"-2.6", -3},
      {u"32767.4", 32767},
      {u"32766.5", 32766},
      {u"-32768.5", -32768},
      {u"-32767.5", -32768},
      {u"-32768.4", -32768},
  };
  for (const Conversion& conversion : conversions) {
    EXPECT_EQ(ParseWholeNumber16(conversion.text), conversion.value);
  }
}

TEST(ParseWholeNumber16, RejectsTextThatIsNotAWholeNumberInRange) {
  const char16_t* rejected[] = {
      u"",        u"   ",      u"\r\n",
      u"abc",     u"3a",       u"a3",
      u".",       u"-",        u"+",
      u"--3",     u"+-3",      u"- 3",
      u"3 4",     u"1e3",      u"1,5",
      u"1,000",   u"0x10",     u"3..5",
      u"3.5.1",   u"\u0663",   u"\uFF13",
      u"32767.5", u"32768",    u"32768.4",
      u"-32769",  u"-32768.6", u"99999999999999999999",
      u"\u00A03", u"3\v",
  };
  for (const char16_t* text : rejected) {
    EXPECT_THROW((void)ParseWholeNumber16(text), EditFailure)
        << std::u16string(text).size() << " units";
  }
}

TEST(ParseWholeNumber16, FailureNamesTheAcceptedRange) {
  for (const char16_t* text : {u"", u"abc", u"40000"}) {
    try {
      (void)ParseWholeNumber16(text);
      FAIL() << "accepted";
    } catch (const EditFailure& failure) {
      const std::string message = failure.what();
      EXPECT_NE(message.find("x must be a whole number from -32768 to 32767."), std::string::npos)
          << message;
    }
  }
}

}  // namespace
}  // namespace fenlow::edits
