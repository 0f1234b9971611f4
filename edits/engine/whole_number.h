#pragma once

#include <cstdint>
#include <string_view>

namespace fenlow::edits {

// Converts the text of a count or position to the 16-bit x of the x edits.
// Accepted: optional blanks, tabs, CR and LF around the number; an optional
// "+" or "-"; decimal digits 0-9 with an optional "." and fraction ("3",
// "+3", "3.", ".5", "007"); at least one digit. Not accepted: exponents,
// thousands separators, a comma as decimal mark, blanks after the sign,
// non-ASCII digits. A fraction is rounded to the nearest whole number and an
// exact half to the even neighbour, decided on the decimal digits themselves
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2, 2.5000001 -> 3).
// Throws EditFailure for empty text, text that is not such a number, and a
// rounded value outside -32768..32767.
[[nodiscard]] std::int16_t ParseWholeNumber16(std::u16string_view text);

// The same for x given as UTF-8.
[[nodiscard]] std::int16_t ParseWholeNumber16(std::string_view text);

}  // namespace fenlow::edits
