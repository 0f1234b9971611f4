// Every bulk edit as the user meets it: its entry in the option list, the
// dialog that asks for its parameters with the captions it shows, and one
// example, chosen so that a mix-up of edits or parameters shows. The texts
// are written out here rather than taken from the program, so that a typo in
// the program's own texts fails every suite that walks this table.
#pragma once

#include <array>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace fenlow::testing {

enum class AsksIn { NoDialog, Form2, Form3 };

struct OptionRow {
  std::u16string_view option;
  AsksIn dialog;
  std::u16string_view caption;       // the dialog's
  std::u16string_view frameCaption;  // of Form2's frame around its entry
  std::u16string_view clipText;
  std::u16string_view param1;  // typed into the dialog's (first) entry
  std::u16string_view param2;  // typed into Form3's second entry; the other edits ignore it
  std::u16string_view edited;
};

inline constexpr std::u16string_view kSeparatorEntry = u"-";

namespace every_option {
inline constexpr AsksIn kNone = AsksIn::NoDialog;
inline constexpr AsksIn kForm2 = AsksIn::Form2;
inline constexpr AsksIn kForm3 = AsksIn::Form3;
inline constexpr std::u16string_view kRemoveWhat = u"Remove what:";
inline constexpr std::u16string_view kReplaceWith = u"Replace with";
inline constexpr std::u16string_view kUserDefined = u"User-defined character(s)";

// In the order of the option list. The edits without a dialog give the same
// result when applied twice, so the end-to-end tests may repeat a click.
inline constexpr std::array<OptionRow, 26> kEveryOption = {{
    {u"Remove all spaces in clipboard", kNone, u"", u"", u" a b \r\nc", u"#", u"", u"ab\r\nc"},
    {u"Remove extra spaces at beginning in clipboard", kNone, u"", u"", u"  a b  ", u"", u"",
     u"a b  "},
    {u"Remove extra spaces at end in clipboard", kNone, u"", u"", u"  a b  ", u"", u"", u"  a b"},
    {u"Remove all spaces except for single space between words in clipboard", kNone, u"", u"",
     u"a  b c", u"", u"", u"a b c"},
    {u"Remove all blank lines (enters) in clipboard", kNone, u"", u"", u"a\r\n\r\n\r\nb", u"", u"",
     u"a\r\nb"},
    {u"Remove all tabs in clipboard", kNone, u"", u"", u"a\t\tb ", u"", u"", u"ab "},
    {u"Replace all spaces in clipboard with...", kForm2, u"Replace all spaces with...",
     kReplaceWith, u"a b\tc", u"_", u"!", u"a_b\tc"},
    {u"Replace all blank lines (enters) in clipboard with...", kForm2,
     u"Replace all blank lines (enters) with...", kReplaceWith, u"a\r\nb", u"_", u"!", u"a__b"},
    {u"Remove alphabet character(s) in clipboard", kNone, u"", u"", u"Ab1-\u00e92", u"", u"",
     u"1-\u00e92"},
    {u"Remove numeric character(s) in clipboard", kNone, u"", u"", u"a1b22", u"", u"", u"ab"},
    {u"Remove alphanumeric character(s) in clipboard", kNone, u"", u"", u"a1 b-2", u"", u"", u" -"},
    {u"Remove non-alphanumeric character(s) in clipboard", kNone, u"", u"", u"a, b!\r\nc\t\u00e9",
     u"", u"", u"a b\r\nc\t"},
    {u"Remove x (user-specified) character(s) in clipboard", kForm2,
     u"Remove x (user-specified) character(s)", kRemoveWhat, u"one two three", u"one\r\nthree",
     u"X", u" two "},
    {u"Remove all text after user-defined character(s) in clipboard", kForm2,
     u"Remove all text after user-defined character(s)", kUserDefined, u"a=b=c", u"=", u"#", u"a="},
    {u"Remove all text before user-defined character(s) in clipboard", kForm2,
     u"Remove all text before user-defined character(s)", kUserDefined, u"a=b=c", u"=", u"#",
     u"=b=c"},
    {u"Remove first x character(s) in clipboard", kForm2, u"Remove First x character(s)",
     kRemoveWhat, u"abcdef", u"2", u"", u"cdef"},
    {u"Remove last x character(s) in clipboard", kForm2, u"Remove Last x character(s)", kRemoveWhat,
     u"abcdef", u"2", u"", u"abcd"},
    {u"Remove all text after x position in clipboard", kForm2, u"Remove all text after x position",
     kRemoveWhat, u"abcdef", u"2", u"", u"ab"},
    {u"Remove all text before x position in clipboard", kForm2,
     u"Remove all text before x position", kRemoveWhat, u"abcdef", u"4", u"", u"ef"},
    {u"Replace alphabet character(s) in clipboard with...", kForm2,
     u"Replace alphabet character(s) with...", kReplaceWith, u"ab1", u"#", u"!", u"##1"},
    {u"Replace numeric character(s) in clipboard with...", kForm2,
     u"Replace numeric character(s) with...", kReplaceWith, u"a12", u"#", u"!", u"a##"},
    {u"Replace alphanumeric character(s) in clipboard with...", kForm2,
     u"Replace alphanumeric character(s) with...", kReplaceWith, u"a1 b", u"#", u"!", u"## #"},
    {u"Replace non-alphanumeric character(s) in clipboard with...", kForm2,
     u"Replace non-alphanumeric character(s) with...", kReplaceWith, u"a, b\r\nc", u"#", u"!",
     u"a# b##c"},
    {u"Replace x (user-specified) character(s) in clipboard with...", kForm3,
     u"Replace x (user-specified) with...", u"", u"one two three", u"one\r\nthree", u"1\r\n3",
     u"1 two 3"},
    {u"Replace all text after user-defined character(s) in clipboard with...", kForm3,
     u"Replace all text after user-defined with...", u"", u"a=b=c", u"=", u"#", u"a=#"},
    {u"Replace all text before user-defined character(s) in clipboard with...", kForm3,
     u"Replace all text before user-defined with...", u"", u"a=b=c", u"=", u"#", u"#=b=c"},
}};

}  // namespace every_option
using every_option::kEveryOption;

// The 29 entries of the option list: the edits with a separator after the
// 6th, the 8th and the 19th.
inline std::vector<std::u16string_view> OptionListEntries() {
  std::vector<std::u16string_view> entries;
  for (std::size_t row = 0; row < kEveryOption.size(); ++row) {
    entries.push_back(kEveryOption[row].option);
    if (row == 5 || row == 7 || row == 18) entries.push_back(kSeparatorEntry);
  }
  return entries;
}

// The row of `option`; throws for a text that names no edit.
inline const OptionRow& RowOf(std::u16string_view option) {
  for (const OptionRow& row : kEveryOption) {
    if (row.option == option) return row;
  }
  throw std::invalid_argument("no edit has that option text");
}

}  // namespace fenlow::testing
