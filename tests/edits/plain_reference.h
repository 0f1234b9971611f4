#pragma once

// A plain reference of the bulk edits, written straight from their
// definitions: character by character, the replace-all rule as a literal
// scan, the blank-line removal as its literal repeat-until-none-left loop, the
// list's 16-bit item index as a counter that overflows, and the number of the
// x edits checked character by character and kept as decimal digits. It is
// slow on purpose; the engine tests and the fuzz targets compare the engine
// with it.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edits/engine/catalogue.h"
#include "edits/engine/text_edits.h"

namespace fenlow::edits::reference {

using Text = std::u16string;
using View = std::u16string_view;

inline bool MatchesAt(View text, std::size_t at, View search) {
  if (at + search.size() > text.size()) return false;
  for (std::size_t k = 0; k < search.size(); ++k) {
    if (text[at + k] != search[k]) return false;
  }
  return true;
}

inline Text ReferenceR(View text, View search, View replacement) {
  if (search.empty() || text.empty()) return Text(text);
  Text out;
  std::size_t at = 0;
  while (at < text.size()) {
    if (MatchesAt(text, at, search)) {
      out += replacement;
      at += search.size();
    } else {
      out += text[at];
      at += 1;
    }
  }
  return out;
}

inline std::vector<Text> ReferenceSplit(View list) {
  std::vector<Text> items;
  if (list.empty()) return items;
  Text item;
  for (std::size_t at = 0; at < list.size(); ++at) {
    if (list[at] == u'\r' && at + 1 < list.size() && list[at + 1] == u'\n') {
      items.push_back(item);
      item.clear();
      ++at;
    } else {
      item += list[at];
    }
  }
  items.push_back(item);
  return items;
}

// The list edit, or nothing when its 16-bit item index overflows: the index
// steps past 32767 after the last item of a list of 32768 or more.
inline std::optional<Text> ReferenceListItemsOrFailure(View text, View findList, View replaceList) {
  const std::vector<Text> find = ReferenceSplit(findList);
  const std::vector<Text> replace = ReferenceSplit(replaceList);
  Text result(text);
  std::int32_t index = 0;
  for (; index < static_cast<std::int32_t>(find.size()) && index <= INT16_MAX; ++index) {
    const auto at = static_cast<std::size_t>(index);
    if (replaceList.empty()) {
      result = ReferenceR(result, find[at], u"");
    } else if (at < replace.size()) {
      result = ReferenceR(result, find[at], replace[at]);
    }
  }
  if (index > INT16_MAX) return std::nullopt;
  return result;
}

inline Text ReferenceListItems(View text, View findList, View replaceList) {
  return ReferenceListItemsOrFailure(text, findList, replaceList).value();
}

inline bool Occurs(char16_t c, View set) {
  for (char16_t member : set) {
    if (member == c) return true;
  }
  return false;
}

inline Text ReferenceFilter(View text, View set, bool keepMembers) {
  Text out;
  for (char16_t c : text) {
    if (Occurs(c, set) == keepMembers) out += c;
  }
  return out;
}

inline Text ReferenceSubstitute(View text, View set, View replacement, bool keepMembers) {
  Text out;
  for (char16_t c : text) {
    if (Occurs(c, set) == keepMembers) {
      out += c;
    } else {
      out += replacement;
    }
  }
  return out;
}

inline Text ReferenceRemoveBlankLines(View text) {
  Text variable(text);
  while (variable.find(u"\r\n\r\n") != Text::npos)
    variable = ReferenceR(variable, u"\r\n\r\n", u"\r\n");
  return variable;
}

inline Text ReferenceReplaceAllBlankLines(View text, View replacement) {
  return ReferenceR(ReferenceR(text, u"\n", replacement), u"\r", replacement);
}

inline Text ReferenceAtBeginning(View text) {
  std::size_t p = 0;
  while (p < text.size() && text[p] == u' ') ++p;
  return Text(text.substr(p));
}

inline Text ReferenceAtEnd(View text) {
  std::size_t n = text.size();
  while (n >= 1 && text[n - 1] == u' ') --n;
  return Text(text.substr(0, n));
}

inline Text ReferenceFromPosition(View text, int start) {  // 1-based.
  Text out;
  for (int i = start; i <= static_cast<int>(text.size()); ++i) out += text[i - 1];
  return out;
}

inline Text ReferenceFirstCharacters(View text, int count) {
  Text out;
  for (int i = 1; i <= count && i <= static_cast<int>(text.size()); ++i) out += text[i - 1];
  return out;
}

inline int ReferenceFirstOccurrence(View text, View delimiter) {  // 1-based, 0 = none.
  if (delimiter.empty()) return 1;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (MatchesAt(text, at, delimiter)) return static_cast<int>(at) + 1;
  }
  return 0;
}

// --- Position and delimiter edits -------------------------------------------
// A negative x counts as 0 for the edits that take x characters from the start.

// RemoveFirstChars and RemoveTextBeforePosition; nothing when x + 1 does not
// fit in 16 bits (x = 32767) on a text that is not empty.
inline std::optional<Text> ReferenceFromXPlusOne(View text, std::int16_t x) {
  if (text.empty()) return Text();
  if (x == INT16_MAX) return std::nullopt;
  const int count = x < 0 ? 0 : x;
  return ReferenceFromPosition(text, count + 1);
}

inline Text ReferenceRemoveLastChars(View text, std::int16_t x) {
  return ReferenceFirstCharacters(text, static_cast<int>(text.size()) - x);
}

inline Text ReferenceRemoveTextAfterPosition(View text, std::int16_t x) {
  return ReferenceFirstCharacters(text, x < 0 ? 0 : x);
}

inline Text ReferenceTextBeforeDelimiter(View text, View delimiter, View replacement) {
  const int p = ReferenceFirstOccurrence(text, delimiter);
  if (text.empty() || p == 0) return Text(text);
  return Text(replacement) + ReferenceFromPosition(text, p);
}

inline Text ReferenceTextAfterDelimiter(View text, View delimiter, View replacement) {
  const int p = ReferenceFirstOccurrence(text, delimiter);
  if (text.empty() || p == 0) return Text(text);
  return ReferenceFirstCharacters(text, p + static_cast<int>(delimiter.size()) - 1) +
         Text(replacement);
}

// --- The number x -------------------------------------------------------------

inline bool IsBlankAroundNumber(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// The whole number typed as x, or nothing when it is not one from -32768 to
// 32767 once rounded (half to the even neighbour).
inline std::optional<std::int16_t> ReferenceWholeNumber(View typed) {
  std::size_t begin = 0;
  std::size_t end = typed.size();
  while (begin < end && IsBlankAroundNumber(typed[begin])) ++begin;
  while (end > begin && IsBlankAroundNumber(typed[end - 1])) --end;
  bool negative = false;
  if (begin < end && (typed[begin] == u'+' || typed[begin] == u'-')) {
    negative = typed[begin] == u'-';
    ++begin;
  }
  std::string whole;
  std::string fraction;
  bool seenPoint = false;
  for (std::size_t at = begin; at < end; ++at) {
    const char16_t c = typed[at];
    if (c >= u'0' && c <= u'9') {
      (seenPoint ? fraction : whole) += static_cast<char>(c);
    } else if (c == u'.' && !seenPoint) {
      seenPoint = true;
    } else {
      return std::nullopt;
    }
  }
  if (whole.empty() && fraction.empty()) return std::nullopt;
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (whole.size() > 5) return std::nullopt;
  std::int32_t value = 0;
  for (char digit : whole) value = value * 10 + (digit - '0');
  // Fractions compare as their digit strings do once trailing zeros are gone.
  const bool aboveHalf = fraction > "5";
  const bool exactlyHalf = fraction == "5";
  if (aboveHalf || (exactlyHalf && value % 2 == 1)) ++value;
  if (negative) value = -value;
  if (value < INT16_MIN || value > INT16_MAX) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

// --- Every option ----------------------------------------------------------------

struct ReferenceOutcome {
  enum class Kind { Edited, Fails, NoSuchOption };
  Kind kind = Kind::NoSuchOption;
  Text result;  // For Edited.
};

// What applying `option` to `text` with the two parameters gives.
inline ReferenceOutcome ReferenceOption(View option, View text, View param1, View param2) {
  using Kind = ReferenceOutcome::Kind;
  namespace o = options;
  auto edited = [](Text result) { return ReferenceOutcome{Kind::Edited, std::move(result)}; };
  auto maybe = [](std::optional<Text> result) {
    return result ? ReferenceOutcome{Kind::Edited, std::move(*result)}
                  : ReferenceOutcome{Kind::Fails, {}};
  };
  const Text layoutSet = Text(AlphanumericSpaceSet) + u"\r\n\t";
  if (option == o::kRemoveAllSpaces) return edited(ReferenceR(text, u" ", u""));
  if (option == o::kRemoveExtraSpacesAtBeginning) return edited(ReferenceAtBeginning(text));
  if (option == o::kRemoveExtraSpacesAtEnd) return edited(ReferenceAtEnd(text));
  if (option == o::kRemoveSpacesExceptSingle) return edited(ReferenceR(text, u"  ", u" "));
  if (option == o::kRemoveBlankLines) return edited(ReferenceRemoveBlankLines(text));
  if (option == o::kRemoveAllTabs) return edited(ReferenceR(text, u"\t", u""));
  if (option == o::kReplaceAllSpaces) return edited(ReferenceR(text, u" ", param1));
  if (option == o::kReplaceAllBlankLines) {
    return edited(ReferenceReplaceAllBlankLines(text, param1));
  }
  if (option == o::kRemoveAlphabetChars) return edited(ReferenceFilter(text, AlphabetSet, false));
  if (option == o::kRemoveNumericChars) return edited(ReferenceFilter(text, DigitSet, false));
  if (option == o::kRemoveAlphanumericChars) {
    return edited(ReferenceFilter(text, AlphanumericSet, false));
  }
  if (option == o::kRemoveNonAlphanumericChars) {
    return edited(ReferenceFilter(text, layoutSet, true));
  }
  if (option == o::kRemoveListItems) return maybe(ReferenceListItemsOrFailure(text, param1, u""));
  if (option == o::kRemoveTextAfterDelimiter) {
    return edited(ReferenceTextAfterDelimiter(text, param1, u""));
  }
  if (option == o::kRemoveTextBeforeDelimiter) {
    return edited(ReferenceTextBeforeDelimiter(text, param1, u""));
  }
  const bool takesX = option == o::kRemoveFirstChars || option == o::kRemoveLastChars ||
                      option == o::kRemoveTextAfterPosition ||
                      option == o::kRemoveTextBeforePosition;
  if (takesX) {
    const std::optional<std::int16_t> x = ReferenceWholeNumber(param1);
    if (!x) return ReferenceOutcome{Kind::Fails, {}};
    if (option == o::kRemoveLastChars) return edited(ReferenceRemoveLastChars(text, *x));
    if (option == o::kRemoveTextAfterPosition) {
      return edited(ReferenceRemoveTextAfterPosition(text, *x));
    }
    return maybe(ReferenceFromXPlusOne(text, *x));
  }
  if (option == o::kReplaceAlphabetChars) {
    return edited(ReferenceSubstitute(text, AlphabetSet, param1, false));
  }
  if (option == o::kReplaceNumericChars) {
    return edited(ReferenceSubstitute(text, DigitSet, param1, false));
  }
  if (option == o::kReplaceAlphanumericChars) {
    return edited(ReferenceSubstitute(text, AlphanumericSet, param1, false));
  }
  if (option == o::kReplaceNonAlphanumericChars) {
    return edited(ReferenceSubstitute(text, AlphanumericSpaceSet, param1, true));
  }
  if (option == o::kReplaceListItems) {
    return maybe(ReferenceListItemsOrFailure(text, param1, param2));
  }
  if (option == o::kReplaceTextAfterDelimiter) {
    return edited(ReferenceTextAfterDelimiter(text, param1, param2));
  }
  if (option == o::kReplaceTextBeforeDelimiter) {
    return edited(ReferenceTextBeforeDelimiter(text, param1, param2));
  }
  return ReferenceOutcome{Kind::NoSuchOption, {}};
}

}  // namespace fenlow::edits::reference
