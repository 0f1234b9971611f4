#include "edits/text_edits.h"

#include <algorithm>
#include <string>
#include <vector>

#include "edits/char_set_table.h"
#include "edits/edit_failure.h"
#include "edits/substring_finder.h"
#include "edits/unit_transforms.h"

namespace fenlow::edits {
namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";
constexpr std::u16string_view kSpace = u" ";
constexpr std::u16string_view kTab = u"\t";
// The list's item index is a signed 16-bit number, so no more items than this
// can be applied.
constexpr std::size_t kMaxListItems = 32767;
// What RemoveNonAlphanumericChars keeps: the alphanumerics, the space, and the
// characters that lay out a text (CR, LF, tab).
constexpr std::u16string_view kAlphanumericLayoutSet =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 \r\n\t";

std::u16string ReplaceUnit(std::u16string_view text, char16_t search,
                           std::u16string_view replacement) {
  if (replacement.empty()) return KeepUnits(text, [search](char16_t c) { return c != search; });
  return SubstituteUnits(
      text, [search, &replacement](char16_t c) { return c == search ? &replacement : nullptr; });
}

std::u16string ReplaceSubstring(std::u16string_view text, std::u16string_view search,
                                std::u16string_view replacement) {
  const SubstringFinder finder(search);
  std::size_t resultSize = text.size();
  if (replacement.size() > search.size()) {
    for (std::size_t at = finder.FindFrom(text, 0); at != SubstringFinder::npos;
         at = finder.FindFrom(text, at + search.size())) {
      resultSize += replacement.size() - search.size();
    }
  }
  std::u16string result;
  result.reserve(resultSize);
  std::size_t copied = 0;
  for (std::size_t at = finder.FindFrom(text, 0); at != SubstringFinder::npos;
       at = finder.FindFrom(text, copied)) {
    result.append(text.substr(copied, at - copied)).append(replacement);
    copied = at + search.size();
  }
  result.append(text.substr(copied));
  return result;
}

// The lines of a list: split at every CR LF; a trailing CR LF gives a final
// empty line. An empty list has no lines.
std::vector<std::u16string_view> SplitLines(std::u16string_view list) {
  std::vector<std::u16string_view> lines;
  if (list.empty()) return lines;
  const SubstringFinder finder(kLineBreak);
  std::size_t start = 0;
  for (std::size_t at = finder.FindFrom(list, 0); at != SubstringFinder::npos;
       at = finder.FindFrom(list, start)) {
    lines.push_back(list.substr(start, at - start));
    start = at + kLineBreak.size();
  }
  lines.push_back(list.substr(start));
  return lines;
}

std::u16string_view::size_type FirstOccurrence(std::u16string_view text,
                                               std::u16string_view delimiter) {
  if (delimiter.empty()) return 0;
  return SubstringFinder(delimiter).FindFrom(text, 0);
}

// Characters kept by the x edits that start after the first x characters.
std::size_t StartAfter(std::u16string_view text, std::int16_t x) {
  if (x == INT16_MAX) {
    throw EditFailure(
        "x = 32767 is too large for this edit: x + 1 must fit in a 16-bit whole number, so x can "
        "be at most 32766.");
  }
  return std::min(static_cast<std::size_t>(std::max<std::int16_t>(x, 0)), text.size());
}

}  // namespace

std::u16string ReplaceAll(std::u16string_view text, std::u16string_view search,
                          std::u16string_view replacement) {
  if (search.empty() || text.empty()) return std::u16string(text);
  if (search.size() == 1) return ReplaceUnit(text, search[0], replacement);
  return ReplaceSubstring(text, search, replacement);
}

std::u16string ReplaceListItems(std::u16string_view text, std::u16string_view findList,
                                std::u16string_view replaceList) {
  const std::vector<std::u16string_view> findItems = SplitLines(findList);
  if (findItems.size() > kMaxListItems) {
    // Nothing is applied: a list this long would fail after its last item anyway.
    throw EditFailure("The list has " + std::to_string(findItems.size()) +
                      " lines, but at most 32767 lines can be applied.");
  }
  const std::vector<std::u16string_view> replaceItems = SplitLines(replaceList);
  // The text is copied only by the first item that applies.
  std::u16string result;
  bool copied = false;
  for (std::size_t item = 0; item < findItems.size(); ++item) {
    if (findItems[item].empty() || (!replaceItems.empty() && item >= replaceItems.size())) {
      continue;
    }
    const std::u16string_view current = copied ? std::u16string_view(result) : text;
    result = ReplaceAll(current, findItems[item], replaceItems.empty() ? u"" : replaceItems[item]);
    copied = true;
  }
  return copied ? result : std::u16string(text);
}

std::u16string FilterCharSet(std::u16string_view text, std::u16string_view charSet,
                             bool keepMembers) {
  const CharSetTable members(charSet);
  return KeepUnits(
      text, [&members, keepMembers](char16_t c) { return members.Contains(c) == keepMembers; });
}

std::u16string SubstituteCharSet(std::u16string_view text, std::u16string_view charSet,
                                 std::u16string_view replacement, bool keepMembers) {
  if (replacement.empty()) return FilterCharSet(text, charSet, keepMembers);
  const CharSetTable members(charSet);
  return SubstituteUnits(text, [&members, keepMembers, &replacement](char16_t c) {
    return members.Contains(c) == keepMembers ? nullptr : &replacement;
  });
}

std::u16string RemoveAllSpaces(std::u16string_view text) {
  return ReplaceListItems(text, kSpace, u"");
}

std::u16string RemoveExtraSpacesAtBeginning(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  return first == std::u16string_view::npos ? std::u16string() : std::u16string(text.substr(first));
}

std::u16string RemoveExtraSpacesAtEnd(std::u16string_view text) {
  const std::size_t last = text.find_last_not_of(u' ');
  return last == std::u16string_view::npos ? std::u16string()
                                           : std::u16string(text.substr(0, last + 1));
}

std::u16string RemoveSpacesExceptSingle(std::u16string_view text) {
  return ReplaceListItems(text, u"  ", kSpace);
}

std::u16string RemoveBlankLines(std::u16string_view text) {
  // Repeating "replace CR LF CR LF by CR LF" until none is left shrinks every
  // run of consecutive CR LF pairs to one pair, and nothing else: a pair can
  // only start with CR, so runs never merge. One pass does the same.
  std::u16string result;
  result.reserve(text.size());
  const SubstringFinder finder(kLineBreak);
  std::size_t copied = 0;
  for (std::size_t at = finder.FindFrom(text, 0); at != SubstringFinder::npos;
       at = finder.FindFrom(text, copied)) {
    result.append(text.substr(copied, at - copied)).append(kLineBreak);
    copied = at + kLineBreak.size();
    while (text.substr(copied, kLineBreak.size()) == kLineBreak) copied += kLineBreak.size();
  }
  result.append(text.substr(copied));
  return result;
}

std::u16string RemoveAllTabs(std::u16string_view text) {
  return ReplaceListItems(text, kTab, u"");
}

std::u16string ReplaceAllSpaces(std::u16string_view text, std::u16string_view replacement) {
  return ReplaceAll(text, kSpace, replacement);
}

std::u16string ReplaceAllBlankLines(std::u16string_view text, std::u16string_view replacement) {
  // Replacing LF first and CR second is one pass in which a CR becomes the
  // replacement and an LF becomes the replacement with its own CRs replaced.
  const std::u16string forLineFeedText = ReplaceAll(replacement, u"\r", replacement);
  const std::u16string_view forLineFeed = forLineFeedText;
  const std::u16string_view forCarriageReturn = replacement;
  return SubstituteUnits(text, [&forCarriageReturn, &forLineFeed](char16_t c) {
    if (c == u'\r') return &forCarriageReturn;
    return c == u'\n' ? &forLineFeed : nullptr;
  });
}

std::u16string RemoveAlphabetChars(std::u16string_view text) {
  return FilterCharSet(text, AlphabetSet, false);
}

std::u16string RemoveNumericChars(std::u16string_view text) {
  return FilterCharSet(text, DigitSet, false);
}

std::u16string RemoveAlphanumericChars(std::u16string_view text) {
  return FilterCharSet(text, AlphanumericSet, false);
}

std::u16string RemoveNonAlphanumericChars(std::u16string_view text) {
  return FilterCharSet(text, kAlphanumericLayoutSet, true);
}

std::u16string ReplaceAlphabetChars(std::u16string_view text, std::u16string_view replacement) {
  return SubstituteCharSet(text, AlphabetSet, replacement, false);
}

std::u16string ReplaceNumericChars(std::u16string_view text, std::u16string_view replacement) {
  return SubstituteCharSet(text, DigitSet, replacement, false);
}

std::u16string ReplaceAlphanumericChars(std::u16string_view text, std::u16string_view replacement) {
  return SubstituteCharSet(text, AlphanumericSet, replacement, false);
}

std::u16string ReplaceNonAlphanumericChars(std::u16string_view text,
                                           std::u16string_view replacement) {
  return SubstituteCharSet(text, AlphanumericSpaceSet, replacement, true);
}

std::u16string RemoveFirstChars(std::u16string_view text, std::int16_t x) {
  if (text.empty()) return {};
  return std::u16string(text.substr(StartAfter(text, x)));
}

std::u16string RemoveLastChars(std::u16string_view text, std::int16_t x) {
  const auto kept = static_cast<std::int64_t>(text.size()) - x;
  if (kept <= 0) return {};
  return std::u16string(text.substr(0, static_cast<std::size_t>(kept)));
}

std::u16string RemoveTextAfterPosition(std::u16string_view text, std::int16_t x) {
  return std::u16string(text.substr(0, static_cast<std::size_t>(std::max<std::int16_t>(x, 0))));
}

std::u16string RemoveTextBeforePosition(std::u16string_view text, std::int16_t x) {
  return RemoveFirstChars(text, x);
}

std::u16string RemoveTextAfterDelimiter(std::u16string_view text, std::u16string_view delimiter) {
  return ReplaceTextAfterDelimiter(text, delimiter, u"");
}

std::u16string RemoveTextBeforeDelimiter(std::u16string_view text, std::u16string_view delimiter) {
  return ReplaceTextBeforeDelimiter(text, delimiter, u"");
}

std::u16string ReplaceTextAfterDelimiter(std::u16string_view text, std::u16string_view delimiter,
                                         std::u16string_view replacement) {
  const std::size_t at = FirstOccurrence(text, delimiter);
  if (text.empty() || at == std::u16string_view::npos) return std::u16string(text);
  std::u16string result(text.substr(0, at + delimiter.size()));
  result.append(replacement);
  return result;
}

std::u16string ReplaceTextBeforeDelimiter(std::u16string_view text, std::u16string_view delimiter,
                                          std::u16string_view replacement) {
  const std::size_t at = FirstOccurrence(text, delimiter);
  if (text.empty() || at == std::u16string_view::npos) return std::u16string(text);
  std::u16string result(replacement);
  result.append(text.substr(at));
  return result;
}

}  // namespace fenlow::edits
