#pragma once

#include <string_view>

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

}  // namespace fenlow::edits
