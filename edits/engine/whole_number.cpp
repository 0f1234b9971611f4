#include "edits/engine/whole_number.h"

#include "edits/engine/edit_failure.h"
#include "edits/engine/utf.h"

namespace fenlow::edits {
namespace {

constexpr std::u16string_view kAroundNumber = u" \t\r\n";
constexpr char const* kRange = "x must be a whole number from -32768 to 32767.";

[[noreturn]] void Fail(const char* what) {
  throw EditFailure(std::string(what) + kRange);
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

std::u16string_view Trimmed(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(kAroundNumber);
  if (first == std::u16string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kAroundNumber) - first + 1);
}

// The leading run of decimal digits of `text`.
std::u16string_view DigitRun(std::u16string_view text) {
  std::size_t length = 0;
  while (length < text.size() && IsDigit(text[length])) ++length;
  return text.substr(0, length);
}

// Whether the fraction's digits say to round the magnitude up: above one half,
// or exactly one half and the whole part odd.
bool RoundsUp(std::u16string_view fraction, bool wholeIsOdd) {
  if (fraction.empty() || fraction[0] < u'5') return false;
  if (fraction[0] > u'5') return true;
  const bool aboveHalf = fraction.substr(1).find_first_not_of(u'0') != std::u16string_view::npos;
  return aboveHalf || wholeIsOdd;
}

}  // namespace

std::int16_t ParseWholeNumber16(std::u16string_view text) {
  std::u16string_view rest = Trimmed(text);
  if (rest.empty()) Fail("x is empty; ");
  const bool negative = rest[0] == u'-';
  if (rest[0] == u'-' || rest[0] == u'+') rest.remove_prefix(1);

  const std::u16string_view whole = DigitRun(rest);
  rest.remove_prefix(whole.size());
  std::u16string_view fraction;
  if (!rest.empty() && rest[0] == u'.') {
    fraction = DigitRun(rest.substr(1));
    rest.remove_prefix(1 + fraction.size());
  }
  if (!rest.empty() || (whole.empty() && fraction.empty())) Fail("x is not a number; ");

  // Only magnitudes up to 32769 matter; anything larger is out of range, so
  // the accumulation stops there instead of overflowing.
  constexpr std::int32_t kBeyondRange = 32769;
  std::int32_t magnitude = 0;
  for (char16_t digit : whole) {
    magnitude = magnitude * 10 + (digit - u'0');
    if (magnitude > kBeyondRange) Fail("x is out of range; ");
  }
  if (RoundsUp(fraction, magnitude % 2 == 1)) ++magnitude;
  const std::int32_t value = negative ? -magnitude : magnitude;
  if (value < INT16_MIN || value > INT16_MAX) Fail("x is out of range; ");
  return static_cast<std::int16_t>(value);
}

std::int16_t ParseWholeNumber16(std::string_view text) {
  return ParseWholeNumber16(Utf8ToUtf16(text));
}

}  // namespace fenlow::edits
