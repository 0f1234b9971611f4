#pragma once

// The text transformations behind the 26 bulk edits, as named routines on
// the engine's UTF-16 text; each is the UTF-16 form of its row in
// option_list_edits.cpp, whose UTF-8 and streaming forms give the same text.
//
// Text model shared by every function here:
// - A text is a sequence of UTF-16 code units; a "character" is one code unit,
//   so a character outside the Basic Multilingual Plane counts as two.
// - A line break is the pair CR LF. A lone CR or a lone LF is an ordinary
//   character.
// - Every comparison is exact code-unit equality: case-sensitive, no locale.
// - "Space" is U+0020 only and "tab" is U+0009 only.
// - Every function is pure: it returns a new text and leaves its inputs alone.
//   An empty text yields an empty result, whatever the other arguments.
//
// In the examples below, "\r\n" is written as ¶ where it keeps them short.

#include <cstdint>
#include <string>
#include <string_view>

namespace fenlow::edits {

// The character sets of the character-class edits. Letters and digits outside
// ASCII belong to none of them.
inline constexpr std::u16string_view AlphabetSet =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
inline constexpr std::u16string_view DigitSet = u"0123456789";
inline constexpr std::u16string_view AlphanumericSet =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
inline constexpr std::u16string_view AlphanumericSpaceSet =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 ";

// The replace-all rule that the list and line edits are built from: scans the
// text once from the start; each exact match of `search` is replaced by
// `replacement` and scanning goes on right after the match, so matches never
// overlap and inserted text is never searched again. An empty `search`
// changes nothing.
//   ReplaceAll(u"aaa", u"aa", u"b") == u"ba"
[[nodiscard]] std::u16string ReplaceAll(std::u16string_view text, std::u16string_view search,
                                        std::u16string_view replacement);

// Splits `findList` at CR LF into items and applies ReplaceAll for each item in
// list order, each on the result of the one before. Item i is replaced by line
// i of `replaceList`; with an empty `replaceList` every item is removed; an item
// that has no replacement line is skipped. Empty items change nothing.
// Throws EditFailure for a find list of 32768 or more items.
//   ReplaceListItems(u"aab", u"ab¶b", u"") == u"a"
//   ReplaceListItems(u"a-b", u"a¶b", u"x") == u"x-b"
[[nodiscard]] std::u16string ReplaceListItems(std::u16string_view text,
                                              std::u16string_view findList,
                                              std::u16string_view replaceList);

// Keeps the characters that are in `charSet` (keepMembers) or those that are
// not (!keepMembers), in their order.
//   FilterCharSet(u"a1b2", DigitSet, false) == u"ab"
[[nodiscard]] std::u16string FilterCharSet(std::u16string_view text, std::u16string_view charSet,
                                           bool keepMembers);

// As FilterCharSet, but each character that would be dropped is replaced by
// its own copy of `replacement`.
//   SubstituteCharSet(u"a12", DigitSet, u"#", false) == u"a##"
[[nodiscard]] std::u16string SubstituteCharSet(std::u16string_view text,
                                               std::u16string_view charSet,
                                               std::u16string_view replacement, bool keepMembers);

// --- Character-class, whitespace and line edits ---------------------------

// Removes every space.            " a b ¶c" -> "ab¶c"
[[nodiscard]] std::u16string RemoveAllSpaces(std::u16string_view text);
// Removes all leading spaces.     "  a b  " -> "a b  ";  "\t a" unchanged
[[nodiscard]] std::u16string RemoveExtraSpacesAtBeginning(std::u16string_view text);
// Removes all trailing spaces of the whole text (not of each line).
//                                 "  a b  " -> "  a b";  "a  ¶" unchanged
[[nodiscard]] std::u16string RemoveExtraSpacesAtEnd(std::u16string_view text);
// One pass replacing two spaces by one: a run of k spaces keeps ceil(k/2).
//                                 "a  b   c    d" -> "a b  c  d"
[[nodiscard]] std::u16string RemoveSpacesExceptSingle(std::u16string_view text);
// Turns every run of two or more consecutive CR LF pairs into one CR LF.
// Lines of spaces or tabs are not blank; lone CR and LF are untouched.
//                                 "a¶¶¶b¶¶c¶" -> "a¶b¶c¶"
[[nodiscard]] std::u16string RemoveBlankLines(std::u16string_view text);
// Removes every tab.              "a\t\tb" -> "ab"
[[nodiscard]] std::u16string RemoveAllTabs(std::u16string_view text);
// Replaces every space.           ("a b  c", "#") -> "a#b##c"
[[nodiscard]] std::u16string ReplaceAllSpaces(std::u16string_view text,
                                              std::u16string_view replacement);
// Replaces every LF, then every CR (including the CRs that the first step
// brought in with the replacement), so CR LF yields two copies.
//                                 ("a¶¶b", "#") -> "a####b"
[[nodiscard]] std::u16string ReplaceAllBlankLines(std::u16string_view text,
                                                  std::u16string_view replacement);
// Removes A-Z and a-z.            "Ab1-é2" -> "1-é2"
[[nodiscard]] std::u16string RemoveAlphabetChars(std::u16string_view text);
// Removes 0-9.                    "a1b22" -> "ab"
[[nodiscard]] std::u16string RemoveNumericChars(std::u16string_view text);
// Removes A-Z, a-z and 0-9.       "a1 b-2" -> " -"
[[nodiscard]] std::u16string RemoveAlphanumericChars(std::u16string_view text);
// Keeps only A-Z, a-z, 0-9, space, CR, LF and tab.
//                                 "a, b!¶c\té" -> "a b¶c\t"
[[nodiscard]] std::u16string RemoveNonAlphanumericChars(std::u16string_view text);
// Replaces each of A-Z and a-z.   ("ab1", "#") -> "##1"
[[nodiscard]] std::u16string ReplaceAlphabetChars(std::u16string_view text,
                                                  std::u16string_view replacement);
// Replaces each of 0-9.           ("a12", "#") -> "a##"
[[nodiscard]] std::u16string ReplaceNumericChars(std::u16string_view text,
                                                 std::u16string_view replacement);
// Replaces each of A-Z, a-z, 0-9. ("a1 b", "#") -> "## #"
[[nodiscard]] std::u16string ReplaceAlphanumericChars(std::u16string_view text,
                                                      std::u16string_view replacement);
// Replaces each character other than A-Z, a-z, 0-9 and space; CR, LF and tab
// are replaced too, so a line break yields two copies.
//                                 ("a, b¶c", "#") -> "a# b##c"
[[nodiscard]] std::u16string ReplaceNonAlphanumericChars(std::u16string_view text,
                                                         std::u16string_view replacement);

// --- Position edits -------------------------------------------------------
// x is the 16-bit count the user typed. A negative x counts as 0.

// Removes the first x characters. Throws EditFailure for x = 32767 (the start
// position x + 1 does not fit in 16 bits), unless the text is empty.
//                                 ("abcdef", 2) -> "cdef";  ("abcdef", 9) -> ""
[[nodiscard]] std::u16string RemoveFirstChars(std::u16string_view text, std::int16_t x);
// Removes the last x characters; a negative x keeps the whole text.
//                                 ("abcdef", 2) -> "abcd";  ("abcdef", -2) -> "abcdef"
[[nodiscard]] std::u16string RemoveLastChars(std::u16string_view text, std::int16_t x);
// Keeps the first x characters (x <= 0 keeps none).
//                                 ("abcdef", 2) -> "ab";  ("abcdef", 0) -> ""
[[nodiscard]] std::u16string RemoveTextAfterPosition(std::u16string_view text, std::int16_t x);
// Keeps the text from position x + 1 on; the same as RemoveFirstChars,
// failure included.               ("abcdef", 2) -> "cdef"
[[nodiscard]] std::u16string RemoveTextBeforePosition(std::u16string_view text, std::int16_t x);

// --- Delimiter edits ------------------------------------------------------
// The delimiter is searched for whole (CR LF included) and only its first
// occurrence counts; an empty delimiter matches at the start. When it does not
// occur, the text is returned unchanged and no replacement is added.

// Keeps the text up to and including the delimiter.  ("a=b=c", "=") -> "a="
[[nodiscard]] std::u16string RemoveTextAfterDelimiter(std::u16string_view text,
                                                      std::u16string_view delimiter);
// Keeps the text from the delimiter on.              ("a=b=c", "=") -> "=b=c"
[[nodiscard]] std::u16string RemoveTextBeforeDelimiter(std::u16string_view text,
                                                       std::u16string_view delimiter);
// Keeps the text up to and including the delimiter, then appends
// `replacement`.                                     ("a=b=c", "=", "#") -> "a=#"
[[nodiscard]] std::u16string ReplaceTextAfterDelimiter(std::u16string_view text,
                                                       std::u16string_view delimiter,
                                                       std::u16string_view replacement);
// Puts `replacement` in front of the text from the delimiter on.
//                                                    ("a=b=c", "=", "#") -> "#=b=c"
[[nodiscard]] std::u16string ReplaceTextBeforeDelimiter(std::u16string_view text,
                                                        std::u16string_view delimiter,
                                                        std::u16string_view replacement);

}  // namespace fenlow::edits
