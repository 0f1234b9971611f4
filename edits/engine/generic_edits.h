#pragma once

// The edits that compare whole characters only, written once for any code
// unit type. With char16_t they are the engine; with char they run on valid
// UTF-8 directly and give the same text, because UTF-8 and UTF-16 both match
// a valid search text only at character boundaries and every special
// character here (space, tab, CR, LF, the ASCII sets) is a single unit in both.
//
// Every edit that needs no more than a bounded look-ahead is a stage, which
// edits a text that arrives in pieces in one pass:
//   std::size_t Edit(View<Char> input, bool last, String<Char>& output)
// edits the front of `input` and appends the result that is decided to
// `output`; it returns how many units of `input` it consumed. The units it
// leaves (never more than its look-ahead) come again at the front of the next
// call's input. With `last` the input ends the text and is consumed whole.
//   std::size_t Growth() const
// is the most output units one input unit can give (for sizing pieces).
// Pieces hold whole characters only. The whole-text routine of such an edit
// runs its stage once, over the whole text.

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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

template <typename Char>
constexpr View<Char> Space() {
  return {kDoubleSpaceUnits<Char>, 1};
}

// The list's item index is a signed 16-bit number, so no more items than this
// can be applied.
inline constexpr std::size_t kMaxListItems = 32767;

// Runs a stage over a whole text at once.
template <typename Char, typename Stage>
String<Char> EditWhole(Stage&& stage, View<Char> text) {
  String<Char> result;
  result.reserve(text.size());
  stage.Edit(text, true, result);
  return result;
}

// Runs stages over a whole text, one after another.
template <typename Char, typename Stage>
String<Char> EditWholeInTurn(const std::vector<Stage>& stages, View<Char> text) {
  if (stages.empty()) return String<Char>(text);
  String<Char> result = EditWhole<Char>(stages.front(), text);
  for (std::size_t next = 1; next < stages.size(); ++next) {
    result = EditWhole<Char>(stages[next], View<Char>(result));
  }
  return result;
}

// Output units for input units, rounded up; at least 1.
inline std::size_t GrowthOf(std::size_t outputUnits, std::size_t inputUnits) {
  return std::max<std::size_t>(1, (outputUnits + inputUnits - 1) / inputUnits);
}

// --- Stages -----------------------------------------------------------------

// A search in a piece: where the next match starts, or npos and how much of
// the piece is decided without one: all of it when it ends the text, else
// all but an end that may begin a match.
struct Search {
  std::size_t at;
  std::size_t decided;
  [[nodiscard]] bool Matched() const { return at != std::string_view::npos; }
};

template <typename Char>
Search Find(const SubstringFinder<Char>& finder, View<Char> input, std::size_t from, bool last) {
  std::size_t partial = 0;
  const std::size_t at = finder.FindFrom(input, from, &partial);
  return {at, last ? input.size() : input.size() - partial};
}

// Appends the decided input from `from` on, when there is no match; returns
// the units consumed.
template <typename Char>
std::size_t AppendDecided(View<Char> input, std::size_t from, const Search& search,
                          String<Char>& output) {
  output.append(input.substr(from, search.decided - from));
  return search.decided;
}

// Each unit keeps its place when its membership in a set equals
// `keepMembers`; any other unit is replaced by `replacement` (removed when it
// is empty). Needs no look-ahead. `Set` is a CharSetTable or a OneUnitSet.
template <typename Char, typename Set = CharSetTable>
class CharSetStage {
 public:
  CharSetStage(Set members, View<Char> replacement, bool keepMembers)
      : members_(std::move(members)), replacement_(replacement), keepMembers_(keepMembers) {}

  std::size_t Edit(View<Char> input, bool, String<Char>& output) const {
    if (replacement_.empty()) {
      AppendKeptUnits(input, members_, keepMembers_, output);
    } else if (replacement_.size() == 1) {
      AppendMappedUnits(input, members_, keepMembers_, replacement_[0], output);
    } else {
      const View<Char> replacement = replacement_;
      AppendSubstitutedUnits(
          input, members_, keepMembers_, [replacement](Char) { return replacement; }, output);
    }
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return GrowthOf(replacement_.size(), 1); }
  [[nodiscard]] const Set& Members() const { return members_; }

 private:
  Set members_;
  String<Char> replacement_;
  bool keepMembers_;
};

// The replace-all rule: each match of `search` becomes `replacement`, and the
// scan goes on after it. Holds back an end of the input that may begin a
// match. An empty search changes nothing.
template <typename Char>
class ReplaceAllStage {
 public:
  ReplaceAllStage(View<Char> search, View<Char> replacement)
      : finder_(search), replacement_(replacement) {
    // A search of one unit is a character set of one member.
    if (search.size() == 1) oneUnit_.emplace(OneUnitSet(UnitValue(search[0])), replacement, false);
  }

  std::size_t Edit(View<Char> input, bool last, String<Char>& output) const {
    if (oneUnit_) return oneUnit_->Edit(input, last, output);
    if (finder_.size() == 0) {
      output.append(input);
      return input.size();
    }
    std::size_t copied = 0;
    while (true) {
      const Search found = Find(finder_, input, copied, last);
      if (!found.Matched()) return AppendDecided(input, copied, found, output);
      output.append(input.substr(copied, found.at - copied)).append(replacement_);
      copied = found.at + finder_.size();
    }
  }
  [[nodiscard]] std::size_t Growth() const {
    return GrowthOf(replacement_.size(), std::max<std::size_t>(finder_.size(), 1));
  }

 private:
  SubstringFinder<Char> finder_;
  String<Char> replacement_;
  std::optional<CharSetStage<Char, OneUnitSet>> oneUnit_;
};

// Every run of two or more consecutive CR LF pairs becomes one CR LF.
// Repeating "replace CR LF CR LF by CR LF" until none is left does exactly
// this and nothing else: a pair can only start with CR, so runs never merge.
template <typename Char>
class BlankLinesStage {
 public:
  std::size_t Edit(View<Char> input, bool last, String<Char>& output) {
    const View<Char> lineBreak = LineBreak<Char>();
    std::size_t copied = 0;
    while (true) {
      if (afterLineBreak_) {
        while (input.substr(copied, 2) == lineBreak) copied += 2;
        // A CR at the end may begin one more pair.
        if (!last && input.size() - copied == 1 && input[copied] == Char('\r')) return copied;
        if (copied == input.size() && !last) return copied;
        afterLineBreak_ = false;
      }
      const Search found = Find(finder_, input, copied, last);
      if (!found.Matched()) return AppendDecided(input, copied, found, output);
      output.append(input.substr(copied, found.at + 2 - copied));
      copied = found.at + 2;
      afterLineBreak_ = true;
    }
  }
  [[nodiscard]] std::size_t Growth() const { return 1; }

 private:
  SubstringFinder<Char> finder_{LineBreak<Char>()};
  bool afterLineBreak_ = false;
};

// Drops the spaces at the start of the text.
template <typename Char>
class LeadingSpacesStage {
 public:
  std::size_t Edit(View<Char> input, bool, String<Char>& output) {
    std::size_t first = 0;
    if (!pastSpaces_) {
      first = std::min(input.find_first_not_of(Char(' ')), input.size());
      pastSpaces_ = first < input.size();
    }
    output.append(input.substr(first));
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return 1; }

 private:
  bool pastSpaces_ = false;
};

// Drops the spaces at the end of the text. A run of spaces is only counted
// until something follows it, so it takes no memory however long it is.
template <typename Char>
class TrailingSpacesStage {
 public:
  std::size_t Edit(View<Char> input, bool, String<Char>& output) {
    const std::size_t lastOther = input.find_last_not_of(Char(' '));
    if (lastOther == input.npos) {
      pendingSpaces_ += input.size();
      return input.size();
    }
    output.append(pendingSpaces_, Char(' ')).append(input.substr(0, lastOther + 1));
    pendingSpaces_ = input.size() - lastOther - 1;
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return 1; }

 private:
  std::size_t pendingSpaces_ = 0;
};

// Replaces every LF and every CR. Replacing LF first and CR second is one
// pass in which a CR becomes the replacement and an LF becomes the
// replacement with its own CRs replaced.
template <typename Char>
class LineBreakUnitsStage {
 public:
  explicit LineBreakUnitsStage(View<Char> replacement)
      : forCarriageReturn_(replacement),
        forLineFeed_(EditWhole<Char>(
            ReplaceAllStage<Char>(View<Char>(kLineBreakUnits<Char>, 1), replacement),
            replacement)) {}

  std::size_t Edit(View<Char> input, bool, String<Char>& output) const {
    const View<Char> forCarriageReturn = forCarriageReturn_;
    const View<Char> forLineFeed = forLineFeed_;
    AppendSubstitutedUnits(
        input, lineBreakUnits_, false,
        [forCarriageReturn, forLineFeed](Char c) {
          return c == Char('\r') ? forCarriageReturn : forLineFeed;
        },
        output);
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return GrowthOf(forLineFeed_.size(), 1); }

 private:
  CharSetTable lineBreakUnits_{u"\r\n"};
  String<Char> forCarriageReturn_;
  String<Char> forLineFeed_;
};

// Every character other than A-Z, a-z, 0-9 and space yields one copy of the
// replacement per UTF-16 code unit: on UTF-8, one copy for the lead byte of a
// character of the Basic Multilingual Plane, two for the lead byte of one
// beyond it (a surrogate pair), none for continuation bytes.
template <typename Char>
class NonAlphanumericStage {
 public:
  explicit NonAlphanumericStage(View<Char> replacement)
      : units_(CharSetTable(AlphanumericSpaceSet), replacement, true),
        once_(replacement),
        twice_(String<Char>(replacement) + String<Char>(replacement)) {}

  std::size_t Edit(View<Char> input, bool last, String<Char>& output) const {
    if constexpr (sizeof(Char) == 1) {
      if (!once_.empty()) {
        const View<Char> twice = twice_;
        const View<Char> once = once_;
        AppendSubstitutedUnits(
            input, units_.Members(), true,
            [twice, once](Char c) {
              const std::uint32_t byte = UnitValue(c);
              if (byte >= 0xF0) return twice;
              if (byte >= 0xC0 || byte < 0x80) return once;
              return View<Char>();
            },
            output);
        return input.size();
      }
    }
    return units_.Edit(input, last, output);
  }
  [[nodiscard]] std::size_t Growth() const { return units_.Growth(); }

 private:
  CharSetStage<Char> units_;
  String<Char> once_;
  String<Char> twice_;
};

// Keeps the text up to and including the first occurrence of `delimiter`,
// then adds `replacement`; without an occurrence the text stays whole. An
// empty delimiter occurs at the start of a text that is not empty. Holds
// back an end of the input that may begin the delimiter; after the
// occurrence it consumes the rest of the text and adds nothing.
template <typename Char>
class CutAfterDelimiterStage {
 public:
  CutAfterDelimiterStage(View<Char> delimiter, View<Char> replacement)
      : finder_(delimiter), replacement_(replacement) {}

  std::size_t Edit(View<Char> input, bool last, String<Char>& output) {
    if (cut_ || input.empty()) return input.size();
    const Search found = finder_.size() == 0 ? Search{0, 0} : Find(finder_, input, 0, last);
    if (!found.Matched()) return AppendDecided(input, 0, found, output);
    output.append(input.substr(0, found.at + finder_.size())).append(replacement_);
    cut_ = true;
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return 1; }

 private:
  SubstringFinder<Char> finder_;
  String<Char> replacement_;
  bool cut_ = false;
};

// --- Lists ------------------------------------------------------------------

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

// One replace-all stage for each item of the find list that changes
// something, in list order: item i is replaced by line i of `replaceList`, or
// removed when `replaceList` is empty; an item without a replacement line and
// an empty item are left out. Throws EditFailure for a find list of 32768 or
// more items, before anything is applied: a list this long would fail after
// its last item anyway.
template <typename Char>
std::vector<ReplaceAllStage<Char>> ListStages(View<Char> findList, View<Char> replaceList) {
  const std::vector<View<Char>> findItems = SplitLines(findList);
  if (findItems.size() > kMaxListItems) {
    throw EditFailure("The list has " + std::to_string(findItems.size()) +
                      " lines, but at most 32767 lines can be applied.");
  }
  const std::vector<View<Char>> replaceItems = SplitLines(replaceList);
  std::vector<ReplaceAllStage<Char>> stages;
  for (std::size_t item = 0; item < findItems.size(); ++item) {
    if (findItems[item].empty() || (!replaceItems.empty() && item >= replaceItems.size())) {
      continue;
    }
    stages.emplace_back(findItems[item], replaceItems.empty() ? View<Char>() : replaceItems[item]);
  }
  return stages;
}

// --- The edits ----------------------------------------------------------------
// Each streamable edit is named twice: XStage makes its stage(s), X runs them
// over a whole text. The Remove edits of a character set are the Replace ones
// with an empty replacement.

template <typename Char>
String<Char> ReplaceAll(View<Char> text, View<Char> search, View<Char> replacement) {
  return EditWhole<Char>(ReplaceAllStage<Char>(search, replacement), text);
}

template <typename Char>
String<Char> ReplaceListItems(View<Char> text, View<Char> findList, View<Char> replaceList) {
  return EditWholeInTurn(ListStages(findList, replaceList), text);
}

template <typename Char>
String<Char> FilterCharSet(View<Char> text, std::u16string_view charSet, bool keepMembers) {
  return EditWhole<Char>(CharSetStage<Char>(CharSetTable(charSet), View<Char>(), keepMembers),
                         text);
}

template <typename Char>
String<Char> SubstituteCharSet(View<Char> text, std::u16string_view charSet, View<Char> replacement,
                               bool keepMembers) {
  return EditWhole<Char>(CharSetStage<Char>(CharSetTable(charSet), replacement, keepMembers), text);
}

template <typename Char>
std::vector<ReplaceAllStage<Char>> RemoveAllSpacesStages() {
  return ListStages(Space<Char>(), View<Char>());
}

template <typename Char>
std::vector<ReplaceAllStage<Char>> RemoveSpacesExceptSingleStages() {
  return ListStages(View<Char>(kDoubleSpaceUnits<Char>, 2), Space<Char>());
}

template <typename Char>
std::vector<ReplaceAllStage<Char>> RemoveAllTabsStages() {
  return ListStages(View<Char>(kTabUnits<Char>, 1), View<Char>());
}

template <typename Char>
ReplaceAllStage<Char> ReplaceAllSpacesStage(View<Char> replacement) {
  return ReplaceAllStage<Char>(Space<Char>(), replacement);
}

// Keeping members of an ASCII set drops every unit of a non-ASCII character,
// so this too gives the same text on UTF-8.
template <typename Char>
CharSetStage<Char> RemoveNonAlphanumericCharsStage() {
  return CharSetStage<Char>(CharSetTable(kAlphanumericLayoutSet), View<Char>(), true);
}

template <typename Char>
CharSetStage<Char> ReplaceAlphabetCharsStage(View<Char> replacement) {
  return CharSetStage<Char>(CharSetTable(AlphabetSet), replacement, false);
}

template <typename Char>
CharSetStage<Char> ReplaceNumericCharsStage(View<Char> replacement) {
  return CharSetStage<Char>(CharSetTable(DigitSet), replacement, false);
}

template <typename Char>
CharSetStage<Char> ReplaceAlphanumericCharsStage(View<Char> replacement) {
  return CharSetStage<Char>(CharSetTable(AlphanumericSet), replacement, false);
}

template <typename Char>
String<Char> RemoveAllSpaces(View<Char> text) {
  return EditWholeInTurn(RemoveAllSpacesStages<Char>(), text);
}

template <typename Char>
String<Char> RemoveSpacesExceptSingle(View<Char> text) {
  return EditWholeInTurn(RemoveSpacesExceptSingleStages<Char>(), text);
}

template <typename Char>
String<Char> RemoveAllTabs(View<Char> text) {
  return EditWholeInTurn(RemoveAllTabsStages<Char>(), text);
}

template <typename Char>
String<Char> ReplaceAllSpaces(View<Char> text, View<Char> replacement) {
  return EditWhole<Char>(ReplaceAllSpacesStage<Char>(replacement), text);
}

template <typename Char>
String<Char> RemoveExtraSpacesAtBeginning(View<Char> text) {
  return EditWhole<Char>(LeadingSpacesStage<Char>(), text);
}

template <typename Char>
String<Char> RemoveExtraSpacesAtEnd(View<Char> text) {
  return EditWhole<Char>(TrailingSpacesStage<Char>(), text);
}

template <typename Char>
String<Char> RemoveBlankLines(View<Char> text) {
  return EditWhole<Char>(BlankLinesStage<Char>(), text);
}

template <typename Char>
String<Char> ReplaceAllBlankLines(View<Char> text, View<Char> replacement) {
  return EditWhole<Char>(LineBreakUnitsStage<Char>(replacement), text);
}

template <typename Char>
String<Char> RemoveAlphabetChars(View<Char> text) {
  return EditWhole<Char>(ReplaceAlphabetCharsStage<Char>(View<Char>()), text);
}

template <typename Char>
String<Char> RemoveNumericChars(View<Char> text) {
  return EditWhole<Char>(ReplaceNumericCharsStage<Char>(View<Char>()), text);
}

template <typename Char>
String<Char> RemoveAlphanumericChars(View<Char> text) {
  return EditWhole<Char>(ReplaceAlphanumericCharsStage<Char>(View<Char>()), text);
}

template <typename Char>
String<Char> RemoveNonAlphanumericChars(View<Char> text) {
  return EditWhole<Char>(RemoveNonAlphanumericCharsStage<Char>(), text);
}

template <typename Char>
String<Char> ReplaceAlphabetChars(View<Char> text, View<Char> replacement) {
  return EditWhole<Char>(ReplaceAlphabetCharsStage<Char>(replacement), text);
}

template <typename Char>
String<Char> ReplaceNumericChars(View<Char> text, View<Char> replacement) {
  return EditWhole<Char>(ReplaceNumericCharsStage<Char>(replacement), text);
}

template <typename Char>
String<Char> ReplaceAlphanumericChars(View<Char> text, View<Char> replacement) {
  return EditWhole<Char>(ReplaceAlphanumericCharsStage<Char>(replacement), text);
}

template <typename Char>
String<Char> ReplaceNonAlphanumericChars(View<Char> text, View<Char> replacement) {
  return EditWhole<Char>(NonAlphanumericStage<Char>(replacement), text);
}

template <typename Char>
String<Char> ReplaceTextAfterDelimiter(View<Char> text, View<Char> delimiter,
                                       View<Char> replacement) {
  return EditWhole<Char>(CutAfterDelimiterStage<Char>(delimiter, replacement), text);
}

// --- Edits that need the whole text -------------------------------------------
// They work in place, so that a large text is held once.

// Puts `replacement` in place of the text before the first occurrence of
// `delimiter`; without an occurrence the text stays whole.
template <typename Char>
void ReplaceTextBeforeDelimiterInPlace(String<Char>& text, View<Char> delimiter,
                                       View<Char> replacement) {
  const std::size_t at = delimiter.empty() ? 0 : SubstringFinder<Char>(delimiter).FindFrom(text, 0);
  if (text.empty() || at == text.npos) return;
  text.replace(0, at, replacement);
}

template <typename Char>
String<Char> ReplaceTextBeforeDelimiter(View<Char> text, View<Char> delimiter,
                                        View<Char> replacement) {
  String<Char> result(text);
  ReplaceTextBeforeDelimiterInPlace(result, delimiter, replacement);
  return result;
}

}  // namespace fenlow::edits::generic
