#pragma once

// The bulk edits as the option list names them, and the pure step that picks
// one by its option text and applies it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "edits/engine/stream_edits.h"

namespace fenlow::edits {

// The option texts of the 26 bulk edits, exactly as the option list shows them.
namespace options {
inline constexpr std::u16string_view kRemoveAllSpaces = u"Remove all spaces in clipboard";
inline constexpr std::u16string_view kRemoveExtraSpacesAtBeginning =
    u"Remove extra spaces at beginning in clipboard";
inline constexpr std::u16string_view kRemoveExtraSpacesAtEnd =
    u"Remove extra spaces at end in clipboard";
inline constexpr std::u16string_view kRemoveSpacesExceptSingle =
    u"Remove all spaces except for single space between words in clipboard";
inline constexpr std::u16string_view kRemoveBlankLines =
    u"Remove all blank lines (enters) in clipboard";
inline constexpr std::u16string_view kRemoveAllTabs = u"Remove all tabs in clipboard";
inline constexpr std::u16string_view kReplaceAllSpaces = u"Replace all spaces in clipboard with...";
inline constexpr std::u16string_view kReplaceAllBlankLines =
    u"Replace all blank lines (enters) in clipboard with...";
inline constexpr std::u16string_view kRemoveAlphabetChars =
    u"Remove alphabet character(s) in clipboard";
inline constexpr std::u16string_view kRemoveNumericChars =
    u"Remove numeric character(s) in clipboard";
inline constexpr std::u16string_view kRemoveAlphanumericChars =
    u"Remove alphanumeric character(s) in clipboard";
inline constexpr std::u16string_view kRemoveNonAlphanumericChars =
    u"Remove non-alphanumeric character(s) in clipboard";
inline constexpr std::u16string_view kRemoveListItems =
    u"Remove x (user-specified) character(s) in clipboard";
inline constexpr std::u16string_view kRemoveTextAfterDelimiter =
    u"Remove all text after user-defined character(s) in clipboard";
inline constexpr std::u16string_view kRemoveTextBeforeDelimiter =
    u"Remove all text before user-defined character(s) in clipboard";
inline constexpr std::u16string_view kRemoveFirstChars =
    u"Remove first x character(s) in clipboard";
inline constexpr std::u16string_view kRemoveLastChars = u"Remove last x character(s) in clipboard";
inline constexpr std::u16string_view kRemoveTextAfterPosition =
    u"Remove all text after x position in clipboard";
inline constexpr std::u16string_view kRemoveTextBeforePosition =
    u"Remove all text before x position in clipboard";
inline constexpr std::u16string_view kReplaceAlphabetChars =
    u"Replace alphabet character(s) in clipboard with...";
inline constexpr std::u16string_view kReplaceNumericChars =
    u"Replace numeric character(s) in clipboard with...";
inline constexpr std::u16string_view kReplaceAlphanumericChars =
    u"Replace alphanumeric character(s) in clipboard with...";
inline constexpr std::u16string_view kReplaceNonAlphanumericChars =
    u"Replace non-alphanumeric character(s) in clipboard with...";
inline constexpr std::u16string_view kReplaceListItems =
    u"Replace x (user-specified) character(s) in clipboard with...";
inline constexpr std::u16string_view kReplaceTextAfterDelimiter =
    u"Replace all text after user-defined character(s) in clipboard with...";
inline constexpr std::u16string_view kReplaceTextBeforeDelimiter =
    u"Replace all text before user-defined character(s) in clipboard with...";
// The separator entry between groups of the option list; it names no edit.
inline constexpr std::u16string_view kSeparator = u"-";
}  // namespace options

// The 29 entries of the option list `Combo1`, in the order on screen.
inline constexpr std::array<std::u16string_view, 29> kOptionListEntries = {
    options::kRemoveAllSpaces,
    options::kRemoveExtraSpacesAtBeginning,
    options::kRemoveExtraSpacesAtEnd,
    options::kRemoveSpacesExceptSingle,
    options::kRemoveBlankLines,
    options::kRemoveAllTabs,
    options::kSeparator,
    options::kReplaceAllSpaces,
    options::kReplaceAllBlankLines,
    options::kSeparator,
    options::kRemoveAlphabetChars,
    options::kRemoveNumericChars,
    options::kRemoveAlphanumericChars,
    options::kRemoveNonAlphanumericChars,
    options::kRemoveListItems,
    options::kRemoveTextAfterDelimiter,
    options::kRemoveTextBeforeDelimiter,
    options::kRemoveFirstChars,
    options::kRemoveLastChars,
    options::kRemoveTextAfterPosition,
    options::kRemoveTextBeforePosition,
    options::kSeparator,
    options::kReplaceAlphabetChars,
    options::kReplaceNumericChars,
    options::kReplaceAlphanumericChars,
    options::kReplaceNonAlphanumericChars,
    options::kReplaceListItems,
    options::kReplaceTextAfterDelimiter,
    options::kReplaceTextBeforeDelimiter,
};

// A short, stable, lower-case name for each bulk edit, for scripts, in the
// order of the option list. Names are never reused or changed once published.
struct ShortName {
  std::string_view name;
  std::u16string_view optionText;
};
inline constexpr std::array<ShortName, 26> kShortNames = {{
    {"remove-all-spaces", options::kRemoveAllSpaces},
    {"remove-extra-spaces-at-beginning", options::kRemoveExtraSpacesAtBeginning},
    {"remove-extra-spaces-at-end", options::kRemoveExtraSpacesAtEnd},
    {"remove-spaces-except-single", options::kRemoveSpacesExceptSingle},
    {"remove-blank-lines", options::kRemoveBlankLines},
    {"remove-all-tabs", options::kRemoveAllTabs},
    {"replace-all-spaces", options::kReplaceAllSpaces},
    {"replace-all-blank-lines", options::kReplaceAllBlankLines},
    {"remove-alphabet", options::kRemoveAlphabetChars},
    {"remove-numeric", options::kRemoveNumericChars},
    {"remove-alphanumeric", options::kRemoveAlphanumericChars},
    {"remove-non-alphanumeric", options::kRemoveNonAlphanumericChars},
    {"remove-list", options::kRemoveListItems},
    {"remove-after-delimiter", options::kRemoveTextAfterDelimiter},
    {"remove-before-delimiter", options::kRemoveTextBeforeDelimiter},
    {"remove-first", options::kRemoveFirstChars},
    {"remove-last", options::kRemoveLastChars},
    {"remove-after-position", options::kRemoveTextAfterPosition},
    {"remove-before-position", options::kRemoveTextBeforePosition},
    {"replace-alphabet", options::kReplaceAlphabetChars},
    {"replace-numeric", options::kReplaceNumericChars},
    {"replace-alphanumeric", options::kReplaceAlphanumericChars},
    {"replace-non-alphanumeric", options::kReplaceNonAlphanumericChars},
    {"replace-list", options::kReplaceListItems},
    {"replace-after-delimiter", options::kReplaceTextAfterDelimiter},
    {"replace-before-delimiter", options::kReplaceTextBeforeDelimiter},
}};

// The option text that `name` stands for: itself when it is an option text,
// the edit's option text when it is a short name, nullopt otherwise.
[[nodiscard]] std::optional<std::u16string_view> OptionTextFor(std::u16string_view name);

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

// True for the four edits whose first parameter is the number x.
[[nodiscard]] bool NeedsWholeNumber(std::u16string_view optionText);

struct EditOutcome {
  enum class Kind {
    Edited,        // `result` holds the edited text.
    NoSuchOption,  // The option text names no bulk edit; `result` is empty.
  };
  Kind kind = Kind::NoSuchOption;
  std::u16string result;
  // True for the two blank-line edits, whose result also replaces the
  // caller's copy of the clipboard text.
  bool rewritesClipText = false;
};

// Applies the bulk edit whose option text equals `optionText` exactly (case
// included) to `clipText`. `bulkParam1` and `bulkParam2` are the dialog
// parameters; each edit reads the ones it needs (for the x edits, x is
// converted from `bulkParam1`). Throws EditFailure when the edit fails.
[[nodiscard]] EditOutcome ApplyOption(std::u16string_view optionText, std::u16string_view clipText,
                                      std::u16string_view bulkParam1,
                                      std::u16string_view bulkParam2);

// True for every text that names a bulk edit: each can be applied to UTF-8
// directly, with the UTF-8 of what ApplyOption gives as its result.
[[nodiscard]] bool EditsUtf8Directly(std::u16string_view optionText);

// ApplyOption on UTF-8, without converting to UTF-16: for large texts this
// saves the conversions and two thirds of the memory, and the edits that
// need the whole text work on `clipText` in place, so that it is held once.
// The text and the parameters must be valid UTF-8. Throws EditFailure when
// the edit fails and when EditsUtf8Directly(optionText) is false, and
// LoneSurrogateError when the result has a lone surrogate (an x edit that
// splits a surrogate pair).
[[nodiscard]] std::string ApplyOptionToUtf8(std::u16string_view optionText, std::string clipText,
                                            std::string_view bulkParam1,
                                            std::string_view bulkParam2);

// True for the edits that run in one pass with a bounded look-ahead: all but
// "Remove last x", and the two that keep the text from a delimiter on (their
// result is the whole text when the delimiter does not occur).
[[nodiscard]] bool EditsInOnePass(std::u16string_view optionText);

// The edit as a StreamEditor, for UTF-8 text that arrives in blocks; it
// gives what ApplyOptionToUtf8 gives. The parameters must be valid UTF-8; they
// are copied. Throws EditFailure when EditsInOnePass(optionText) is false and
// for the parameter failures known before any text (x is not a usable
// number, a list of 32768 lines or more).
[[nodiscard]] StreamEditor OnePassEditor(std::u16string_view optionText,
                                         std::string_view bulkParam1, std::string_view bulkParam2);

}  // namespace fenlow::edits
