// The engine against a plain reference written straight from the algorithms:
// character by character, the replace-all rule as a literal scan, and the
// blank-line removal as its literal repeat-until-none-left loop. Random texts
// over the characters where the edits differ; fixed seeds.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "edits/catalogue.h"
#include "edits/edit_failure.h"
#include "edits/text_edits.h"
#include "readable_text.h"

namespace fenlow::edits {
namespace {

using Text = std::u16string;
using View = std::u16string_view;

// --- The reference ---------------------------------------------------------

bool MatchesAt(View text, std::size_t at, View search) {
  if (at + search.size() > text.size()) return false;
  for (std::size_t k = 0; k < search.size(); ++k) {
    if (text[at + k] != search[k]) return false;
  }
  return true;
}

Text ReferenceR(View text, View search, View replacement) {
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

std::vector<Text> ReferenceSplit(View list) {
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

Text ReferenceListItems(View text, View findList, View replaceList) {
  const std::vector<Text> find = ReferenceSplit(findList);
  const std::vector<Text> replace = ReferenceSplit(replaceList);
  Text result(text);
  for (std::int16_t a = 0; a < static_cast<int>(find.size()); ++a) {
    const auto index = static_cast<std::size_t>(a);
    if (replaceList.empty()) {
      result = ReferenceR(result, find[index], u"");
    } else if (index < replace.size()) {
      result = ReferenceR(result, find[index], replace[index]);
    }
  }
  return result;
}

bool Occurs(char16_t c, View set) {
  for (char16_t member : set) {
    if (member == c) return true;
  }
  return false;
}

Text ReferenceFilter(View text, View set, bool keepMembers) {
  Text out;
  for (char16_t c : text) {
    if (Occurs(c, set) == keepMembers) out += c;
  }
  return out;
}

Text ReferenceSubstitute(View text, View set, View replacement, bool keepMembers) {
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

Text ReferenceRemoveBlankLines(View text) {
  Text variable(text);
  while (variable.find(u"\r\n\r\n") != Text::npos)
    variable = ReferenceR(variable, u"\r\n\r\n", u"\r\n");
  return variable;
}

Text ReferenceAtBeginning(View text) {
  std::size_t p = 0;
  while (p < text.size() && text[p] == u' ') ++p;
  return Text(text.substr(p));
}

Text ReferenceAtEnd(View text) {
  std::size_t n = text.size();
  while (n >= 1 && text[n - 1] == u' ') --n;
  return Text(text.substr(0, n));
}

Text ReferenceFromPosition(View text, int start) {  // 1-based.
  Text out;
  for (int i = start; i <= static_cast<int>(text.size()); ++i) out += text[i - 1];
  return out;
}

Text ReferenceFirstCharacters(View text, int count) {
  Text out;
  for (int i = 1; i <= count && i <= static_cast<int>(text.size()); ++i) out += text[i - 1];
  return out;
}

int ReferenceFirstOccurrence(View text, View delimiter) {  // 1-based, 0 = none.
  if (delimiter.empty()) return 1;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (MatchesAt(text, at, delimiter)) return static_cast<int>(at) + 1;
  }
  return 0;
}

// --- Random texts ----------------------------------------------------------

const View kPieces[] = {
    u" ", u" ", u" ", u"\t", u"\r",     u"\n",     u"\r\n",   u"\r\n",       u"\r\n", u"a", u"b",
    u"Z", u"q", u"0", u"7",  u"\u00E9", u"\u00C4", u"\u00A0", u"\U0001F600", u"=",    u"#", u"-"};

class RandomText {
 public:
  explicit RandomText(std::uint32_t seed) : random_(seed) {}

  Text Make(int maxPieces) {
    Text text;
    const int pieces = static_cast<int>(random_() % static_cast<unsigned>(maxPieces + 1));
    for (int i = 0; i < pieces; ++i) text += kPieces[random_() % std::size(kPieces)];
    return text;
  }

  // A short list, one to four lines, maybe with a trailing or blank line.
  Text MakeList() {
    Text list = Make(3);
    const int more = static_cast<int>(random_() % 4);
    for (int i = 0; i < more; ++i) list += u"\r\n" + Make(2);
    return list;
  }

  std::int16_t MakeX(int length) {
    return static_cast<std::int16_t>(
        static_cast<int>(random_() % static_cast<unsigned>(length + 5)) - 2);
  }

 private:
  std::mt19937 random_;
};

constexpr int kRounds = 3000;

TEST(Differential, ReplaceAllOnTwoLetterTexts) {
  // Few letters make repeated and overlapping partial matches common.
  std::mt19937 random(7);
  for (int round = 0; round < kRounds; ++round) {
    auto make = [&random](int maxLength) {
      Text text;
      const int length = static_cast<int>(random() % static_cast<unsigned>(maxLength + 1));
      for (int i = 0; i < length; ++i) text += random() % 3 == 0 ? u'b' : u'a';
      return text;
    };
    const Text text = make(40);
    const Text search = make(6);
    const Text replacement = make(3);
    ASSERT_EQ(ReplaceAll(text, search, replacement), ReferenceR(text, search, replacement))
        << testing::Written(text) << " / " << testing::Written(search);
    const int at = ReferenceFirstOccurrence(text, search);
    ASSERT_EQ(RemoveTextBeforeDelimiter(text, search),
              text.empty() || at == 0 ? text : ReferenceFromPosition(text, at));
  }
}

TEST(Differential, ListAndLineEdits) {
  RandomText random(11);
  for (int round = 0; round < kRounds; ++round) {
    const Text text = random.Make(30);
    const Text find = random.MakeList();
    const Text replace = round % 3 == 0 ? Text() : random.MakeList();
    const Text replacement = random.Make(2);
    const std::string shown = testing::Written(text);
    ASSERT_EQ(ReplaceListItems(text, find, replace), ReferenceListItems(text, find, replace))
        << shown << " find " << testing::Written(find) << " replace " << testing::Written(replace);
    ASSERT_EQ(RemoveBlankLines(text), ReferenceRemoveBlankLines(text)) << shown;
    ASSERT_EQ(ReplaceAllBlankLines(text, replacement),
              ReferenceR(ReferenceR(text, u"\n", replacement), u"\r", replacement))
        << shown << " with " << testing::Written(replacement);
    ASSERT_EQ(RemoveAllSpaces(text), ReferenceR(text, u" ", u"")) << shown;
    ASSERT_EQ(RemoveAllTabs(text), ReferenceR(text, u"\t", u"")) << shown;
    ASSERT_EQ(RemoveSpacesExceptSingle(text), ReferenceR(text, u"  ", u" ")) << shown;
    ASSERT_EQ(ReplaceAllSpaces(text, replacement), ReferenceR(text, u" ", replacement)) << shown;
    ASSERT_EQ(RemoveExtraSpacesAtBeginning(text), ReferenceAtBeginning(text)) << shown;
    ASSERT_EQ(RemoveExtraSpacesAtEnd(text), ReferenceAtEnd(text)) << shown;
  }
}

TEST(Differential, CharacterClassEdits) {
  RandomText random(13);
  const Text layoutSet = Text(AlphanumericSpaceSet) + u"\r\n\t";
  for (int round = 0; round < kRounds; ++round) {
    const Text text = random.Make(30);
    const Text replacement = random.Make(2);
    const std::string shown = testing::Written(text);
    ASSERT_EQ(RemoveAlphabetChars(text), ReferenceFilter(text, AlphabetSet, false)) << shown;
    ASSERT_EQ(RemoveNumericChars(text), ReferenceFilter(text, DigitSet, false)) << shown;
    ASSERT_EQ(RemoveAlphanumericChars(text), ReferenceFilter(text, AlphanumericSet, false))
        << shown;
    ASSERT_EQ(RemoveNonAlphanumericChars(text), ReferenceFilter(text, layoutSet, true)) << shown;
    ASSERT_EQ(ReplaceAlphabetChars(text, replacement),
              ReferenceSubstitute(text, AlphabetSet, replacement, false))
        << shown;
    ASSERT_EQ(ReplaceNumericChars(text, replacement),
              ReferenceSubstitute(text, DigitSet, replacement, false))
        << shown;
    ASSERT_EQ(ReplaceAlphanumericChars(text, replacement),
              ReferenceSubstitute(text, AlphanumericSet, replacement, false))
        << shown;
    ASSERT_EQ(ReplaceNonAlphanumericChars(text, replacement),
              ReferenceSubstitute(text, AlphanumericSpaceSet, replacement, true))
        << shown;
    // Arbitrary sets, including non-ASCII members and surrogates.
    const Text set = random.Make(4);
    ASSERT_EQ(FilterCharSet(text, set, round % 2 == 0), ReferenceFilter(text, set, round % 2 == 0));
    ASSERT_EQ(SubstituteCharSet(text, set, replacement, round % 2 == 1),
              ReferenceSubstitute(text, set, replacement, round % 2 == 1));
  }
}

TEST(Differential, PositionAndDelimiterEdits) {
  RandomText random(17);
  for (int round = 0; round < kRounds; ++round) {
    const Text text = random.Make(20);
    const auto length = static_cast<int>(text.size());
    const std::int16_t x = random.MakeX(length);
    const int count = std::max<int>(x, 0);  // A negative x counts as 0.
    const std::string shown = testing::Written(text) + " x=" + std::to_string(x);
    const Text fromStart = text.empty() ? text : ReferenceFromPosition(text, count + 1);
    ASSERT_EQ(RemoveFirstChars(text, x), fromStart) << shown;
    ASSERT_EQ(RemoveTextBeforePosition(text, x), fromStart) << shown;
    ASSERT_EQ(RemoveTextAfterPosition(text, x), ReferenceFirstCharacters(text, count)) << shown;
    ASSERT_EQ(RemoveLastChars(text, x), ReferenceFirstCharacters(text, length - x)) << shown;

    const Text delimiter = random.Make(2);
    const Text replacement = random.Make(2);
    const int p = ReferenceFirstOccurrence(text, delimiter);
    const bool unchanged = text.empty() || p == 0;
    const auto kept = p + static_cast<int>(delimiter.size()) - 1;
    ASSERT_EQ(RemoveTextBeforeDelimiter(text, delimiter),
              unchanged ? text : ReferenceFromPosition(text, p))
        << shown;
    ASSERT_EQ(RemoveTextAfterDelimiter(text, delimiter),
              unchanged ? text : ReferenceFirstCharacters(text, kept))
        << shown;
    ASSERT_EQ(ReplaceTextBeforeDelimiter(text, delimiter, replacement),
              unchanged ? text : replacement + ReferenceFromPosition(text, p))
        << shown;
    ASSERT_EQ(ReplaceTextAfterDelimiter(text, delimiter, replacement),
              unchanged ? text : ReferenceFirstCharacters(text, kept) + replacement)
        << shown;
  }
}

TEST(Differential, ApplyOptionAgreesWithTheRoutineForEveryEntry) {
  // The catalogue passes text and parameters through unchanged.
  RandomText random(19);
  for (int round = 0; round < 200; ++round) {
    const Text text = random.Make(20);
    const Text param1 = random.MakeList();
    const Text param2 = random.MakeList();
    EXPECT_EQ(ApplyOption(options::kReplaceListItems, text, param1, param2).result,
              ReferenceListItems(text, param1, param2));
    EXPECT_EQ(ApplyOption(options::kRemoveListItems, text, param1, param2).result,
              ReferenceListItems(text, param1, u""));
    EXPECT_EQ(ApplyOption(options::kReplaceNonAlphanumericChars, text, param1, param2).result,
              ReferenceSubstitute(text, AlphanumericSpaceSet, param1, true));
  }
}

}  // namespace
}  // namespace fenlow::edits
