#pragma once

// The edits that compare whole characters only, written once for any code
// unit type. With char16_t they are the engine; with char they run on valid
// UTF-8 directly and give the same text, because UTF-8 and UTF-16 both match
// a valid search text only at character boundaries and every special
// character here (space, tab, CR, LF, the ASCII sets) is a single unit in both.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "edits/engine/char_set_table.h"
#include "edits/engine/edit_failure.h"
#include "edits/engine/substring_finder.h"
#include "edits/engine/text_edits.h"
#include "edits/engine/unit_transforms.h"

namespace fenlow::edits::generic {

template <typename Char>
using String = std::basic_string<Char>;
template <typename Char>
using View = std::basic_string_view<Char>;

template <typename Char>
inline constexpr Char kLineBreakUnits[] = {Char('\r'), Char('\n')};
template <typename Char>
inline constexpr Char kDoubleSpaceUnits[] = {Char(' '), Char(' ')};
template <typename Char>
inline constexpr Char kTabUnits[] = {Char('\t')};

// What RemoveNonAlphanumericChars keeps: the alphanumerics, the space, and the
// characters that lay out a text (CR, LF, tab).
inline constexpr std::u16string_view kAlphanumericLayoutSet =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 \r\n\t";

template <typename Char>
constexpr View<Char> LineBreak() {
  return {kLineBreakUnits<Char>, 2};
}

// The list's item index is a signed 16-bit number, so no more items than this
// can be applied.
inline constexpr std::size_t kMaxListItems = 32767;

template <typename Char>
String<Char> ReplaceUnit(View<Char> text, Char search, View<Char> replacement) {
  if (replacement.empty()) return KeepUnits(text, [search](Char c) { return c != search; });
  if (replacement.size() == 1) {
    return MapUnits(
        text, [search](Char c) { return c == search; }, replacement[0]);
  }
  return SubstituteUnits(
      text, [search, &replacement](Char c) { return c == search ? &replacement : nullptr; });
}

template <typename Char>
String<Char> ReplaceSubstring(View<Char> text, View<Char> search, View<Char> replacement) {
  const SubstringFinder<Char> finder(search);
  std::size_t resultSize = text.size();
  if (replacement.size() > search.size()) {
    for (std::size_t at = finder.FindFrom(text, 0); at != finder.npos;
         at = finder.FindFrom(text, at + search.size())) {
      resultSize += replacement.size() - search.size();
    }
  }
  String<Char> result;
  result.reserve(resultSize);
  std::size_t copied = 0;
  for (std::size_t at = finder.FindFrom(text, 0); at != finder.npos;
       at = finder.FindFrom(text, copied)) {
    result.append(text.substr(copied, at - copied)).append(replacement);
    copied = at + search.size();
  }
  result.append(text.substr(copied));
  return result;
}

template <typename Char>
String<Char> ReplaceAll(View<Char> text, View<Char> search, View<Char> replacement) {
  if (search.empty() || text.empty()) return String<Char>(text);
  if (search.size() == 1) return ReplaceUnit(text, search[0], replacement);
  return ReplaceSubstring(text, search, replacement);
}

// The lines of a list: split at every CR LF; a trailing CR LF gives a final
// empty line. An empty list has no lines.
template <typename Char>
std::vector<View<Char>> SplitLines(View<Char> list) {
  std::vector<View<Char>> lines;
  if (list.empty()) return lines;
  const SubstringFinder<Char> finder(LineBreak<Char>());
  std::size_t start = 0;
  for (std::size_t at = finder.FindFrom(list, 0); at != finder.npos;
       at = finder.FindFrom(list, start)) {
    lines.push_back(list.substr(start, at - start));
    start = at + 2;
  }
  lines.push_back(list.substr(start));
  return lines;
}

template <typename Char>
String<Char> ReplaceListItems(View<Char> text, View<Char> findList, View<Char> replaceList) {
  const std::vector<View<Char>> findItems = SplitLines(findList);
  if (findItems.size() > kMaxListItems) {
    // Nothing is applied: a list this long would fail after its last item anyway.
    throw EditFailure("The list has " + std::to_string(findItems.size()) +
                      " lines, but at most 32767 lines can be applied.");
  }
  const std::vector<View<Char>> replaceItems = SplitLines(replaceList);
  // The text is copied only by the first item that applies.
  String<Char> result;
  bool copied = false;
  for (std::size_t item = 0; item < findItems.size(); ++item) {
    if (findItems[item].empty() || (!replaceItems.empty() && item >= replaceItems.size())) {
      continue;
    }
    const View<Char> current = copied ? View<Char>(result) : text;
    result = ReplaceAll(current, findItems[item],
                        replaceItems.empty() ? View<Char>() : replaceItems[item]);
    copied = true;
  }
  if (!copied) return String<Char>(text);
  return result;
}

template <typename Char>
String<Char> FilterCharSet(View<Char> text, std::u16string_view charSet, bool keepMembers) {
  const CharSetTable members(charSet);
  return KeepUnits(text,
                   [&members, keepMembers](Char c) { return members.Contains(c) == keepMembers; });
}

template <typename Char>
String<Char> SubstituteCharSet(View<Char> text, std::u16string_view charSet, View<Char> replacement,
                               bool keepMembers) {
  if (replacement.empty()) return FilterCharSet(text, charSet, keepMembers);
  const CharSetTable members(charSet);
  if (replacement.size() == 1) {
    return MapUnits(
        text, [&members, keepMembers](Char c) { return members.Contains(c) != keepMembers; },
        replacement[0]);
  }
  return SubstituteUnits(text, [&members, keepMembers, &replacement](Char c) {
    return members.Contains(c) == keepMembers ? nullptr : &replacement;
  });
}

template <typename Char>
String<Char> RemoveExtraSpacesAtBeginning(View<Char> text) {
  const std::size_t first = text.find_first_not_of(Char(' '));
  return first == text.npos ? String<Char>() : String<Char>(text.substr(first));
}

template <typename Char>
String<Char> RemoveExtraSpacesAtEnd(View<Char> text) {
  const std::size_t last = text.find_last_not_of(Char(' '));
  return last == text.npos ? String<Char>() : String<Char>(text.substr(0, last + 1));
}

template <typename Char>
constexpr View<Char> Space() {
  return {kDoubleSpaceUnits<Char>, 1};
}

template <typename Char>
String<Char> RemoveAllSpaces(View<Char> text) {
  return ReplaceListItems(text, Space<Char>(), View<Char>());
}

template <typename Char>
String<Char> RemoveSpacesExceptSingle(View<Char> text) {
  return ReplaceListItems(text, View<Char>(kDoubleSpaceUnits<Char>, 2), Space<Char>());
}

template <typename Char>
String<Char> RemoveAllTabs(View<Char> text) {
  return ReplaceListItems(text, View<Char>(kTabUnits<Char>, 1), View<Char>());
}

template <typename Char>
String<Char> ReplaceAllSpaces(View<Char> text, View<Char> replacement) {
  return ReplaceAll(text, Space<Char>(), replacement);
}

template <typename Char>
String<Char> RemoveBlankLines(View<Char> text) {
  // Repeating "replace CR LF CR LF by CR LF" until none is left shrinks every
  // run of consecutive CR LF pairs to one pair, and nothing else: a pair can
  // only start with CR, so runs never merge. One pass does the same.
  const View<Char> lineBreak = LineBreak<Char>();
  String<Char> result;
  result.reserve(text.size());
  const SubstringFinder<Char> finder(lineBreak);
  std::size_t copied = 0;
  for (std::size_t at = finder.FindFrom(text, 0); at != finder.npos;
       at = finder.FindFrom(text, copied)) {
    result.append(text.substr(copied, at - copied)).append(lineBreak);
    copied = at + lineBreak.size();
    while (text.substr(copied, lineBreak.size()) == lineBreak) copied += lineBreak.size();
  }
  result.append(text.substr(copied));
  return result;
}

template <typename Char>
String<Char> ReplaceAllBlankLines(View<Char> text, View<Char> replacement) {
  // Replacing LF first and CR second is one pass in which a CR becomes the
  // replacement and an LF becomes the replacement with its own CRs replaced.
  const String<Char> forLineFeedText = ReplaceUnit(replacement, Char('\r'), replacement);
  const View<Char> forLineFeed = forLineFeedText;
  const View<Char> forCarriageReturn = replacement;
  return SubstituteUnits(text, [&forCarriageReturn, &forLineFeed](Char c) {
    if (c == Char('\r')) return &forCarriageReturn;
    return c == Char('\n') ? &forLineFeed : nullptr;
  });
}

template <typename Char>
String<Char> RemoveAlphabetChars(View<Char> text) {
  return FilterCharSet(text, AlphabetSet, false);
}

template <typename Char>
String<Char> RemoveNumericChars(View<Char> text) {
  return FilterCharSet(text, DigitSet, false);
}

template <typename Char>
String<Char> RemoveAlphanumericChars(View<Char> text) {
  return FilterCharSet(text, AlphanumericSet, false);
}

// Keeping members of an ASCII set drops every unit of a non-ASCII character,
// so this too gives the same text on UTF-8.
template <typename Char>
String<Char> RemoveNonAlphanumericChars(View<Char> text) {
  return FilterCharSet(text, kAlphanumericLayoutSet, true);
}

template <typename Char>
String<Char> ReplaceAlphabetChars(View<Char> text, View<Char> replacement) {
  return SubstituteCharSet(text, AlphabetSet, replacement, false);
}

template <typename Char>
String<Char> ReplaceNumericChars(View<Char> text, View<Char> replacement) {
  return SubstituteCharSet(text, DigitSet, replacement, false);
}

template <typename Char>
String<Char> ReplaceAlphanumericChars(View<Char> text, View<Char> replacement) {
  return SubstituteCharSet(text, AlphanumericSet, replacement, false);
}

// Every character other than A-Z, a-z, 0-9 and space yields one copy of the
// replacement per UTF-16 code unit: on UTF-8, one copy for the lead byte of a
// character of the Basic Multilingual Plane, two for the lead byte of one
// beyond it (a surrogate pair), none for continuation bytes.
template <typename Char>
String<Char> ReplaceNonAlphanumericChars(View<Char> text, View<Char> replacement) {
  if constexpr (sizeof(Char) == 1) {
    if (replacement.empty()) return FilterCharSet(text, AlphanumericSpaceSet, true);
    const CharSetTable members(AlphanumericSpaceSet);
    const String<Char> twiceText = String<Char>(replacement) + String<Char>(replacement);
    const View<Char> twice = twiceText;
    const View<Char> none;
    const View<Char> once = replacement;
    return SubstituteUnits(text, [&](Char c) -> const View<Char>* {
      const std::uint32_t byte = UnitValue(c);
      if (byte >= 0xF0) return &twice;
      if (byte >= 0xC0) return &once;
      if (byte >= 0x80) return &none;
      return members.Contains(c) ? nullptr : &once;
    });
  } else {
    return SubstituteCharSet(text, AlphanumericSpaceSet, replacement, true);
  }
}

// The index of the first occurrence of `delimiter`, or npos; an empty
// delimiter occurs at the start.
template <typename Char>
std::size_t FirstOccurrence(View<Char> text, View<Char> delimiter) {
  if (delimiter.empty()) return 0;
  return SubstringFinder<Char>(delimiter).FindFrom(text, 0);
}

template <typename Char>
String<Char> ReplaceTextAfterDelimiter(View<Char> text, View<Char> delimiter,
                                       View<Char> replacement) {
  const std::size_t at = FirstOccurrence(text, delimiter);
  if (text.empty() || at == text.npos) return String<Char>(text);
  String<Char> result(text.substr(0, at + delimiter.size()));
  result.append(replacement);
  return result;
}

template <typename Char>
String<Char> ReplaceTextBeforeDelimiter(View<Char> text, View<Char> delimiter,
                                        View<Char> replacement) {
  const std::size_t at = FirstOccurrence(text, delimiter);
  if (text.empty() || at == text.npos) return String<Char>(text);
  String<Char> result(replacement);
  result.append(text.substr(at));
  return result;
}

}  // namespace fenlow::edits::generic
