// The engine against a plain reference written straight from the algorithms:
// character by character, the replace-all rule as a literal scan, and the
// blank-line removal as its literal repeat-until-none-left loop. Random texts
// over the characters where the edits differ; fixed seeds. And every edit
// that runs in one pass, fed in blocks of every size, against the engine.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "edits/engine/catalogue.h"
#include "edits/engine/edit_failure.h"
#include "edits/engine/stream_edits.h"
#include "edits/engine/text_edits.h"
#include "edits/engine/utf.h"
#include "plain_reference.h"
#include "readable_text.h"

namespace fenlow::edits {
namespace {

using namespace reference;

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
    ASSERT_EQ(RemoveTextBeforeDelimiter(text, delimiter),
              ReferenceTextBeforeDelimiter(text, delimiter, u""))
        << shown;
    ASSERT_EQ(RemoveTextAfterDelimiter(text, delimiter),
              ReferenceTextAfterDelimiter(text, delimiter, u""))
        << shown;
    ASSERT_EQ(ReplaceTextBeforeDelimiter(text, delimiter, replacement),
              ReferenceTextBeforeDelimiter(text, delimiter, replacement))
        << shown;
    ASSERT_EQ(ReplaceTextAfterDelimiter(text, delimiter, replacement),
              ReferenceTextAfterDelimiter(text, delimiter, replacement))
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

// --- In blocks ------------------------------------------------------------------

// What an edit gives, as UTF-8, or how it fails.
struct Ending {
  std::string output;
  std::string failure;     // Empty for a result.
  std::size_t offset = 0;  // Of an encoding failure.
  bool operator==(const Ending&) const = default;
};

template <typename Edit>
Ending EndingOf(Edit edit) {
  Ending ending;
  try {
    edit(ending.output);
  } catch (const EditFailure& failure) {
    ending.failure = failure.what();
  } catch (const EncodingError& failure) {
    ending.failure = failure.what();
    ending.offset = failure.offset();
  }
  return ending;
}

// The edit fed `block` bytes at a time, into room a little larger than it
// fills, as a reader that gets fewer bytes than it asked for.
Ending InBlocks(std::u16string_view option, std::string_view text, std::string_view param1,
                std::string_view param2, std::size_t block) {
  return EndingOf([&](std::string& output) {
    StreamEditor editor = OnePassEditor(option, param1, param2);
    for (std::size_t at = 0; at < text.size(); at += block) {
      const std::string_view piece = text.substr(at, block);
      const std::span<char> room = editor.NextBlock(piece.size() + 3);
      std::copy(piece.begin(), piece.end(), room.begin());
      editor.Edit(piece.size(), output);
    }
    editor.Finish(output);
  });
}

TEST(Differential, OnePassEditsGiveTheEngineResultInBlocksOfEverySize) {
  // Short texts and every block size from 1 past their length put a block
  // boundary at every place: inside CR LF, inside a surrogate pair (four
  // bytes of UTF-8), inside a list item or delimiter, inside a run of spaces.
  RandomText random(29);
  int streamed = 0;
  for (std::u16string_view option : kOptionListEntries) {
    if (!EditsInOnePass(option)) continue;
    ++streamed;
    for (int round = 0; round < 120; ++round) {
      const Text text = random.Make(14);
      Text param1 = random.MakeList();
      if (NeedsWholeNumber(option)) param1 = Utf8ToUtf16(std::to_string(random.MakeX(14)));
      const Text param2 = random.MakeList();
      const std::string bytes = Utf16ToUtf8(text);
      const std::string first = Utf16ToUtf8(param1);
      const std::string second = Utf16ToUtf8(param2);
      const Ending expected = EndingOf([&](std::string& output) {
        output = Utf16ToUtf8(ApplyOption(option, text, param1, param2).result);
      });
      for (std::size_t block = 1; block <= bytes.size() + 1; ++block) {
        ASSERT_EQ(InBlocks(option, bytes, first, second, block), expected)
            << Utf16ToUtf8(option) << " on " << testing::Written(text) << " with "
            << testing::Written(param1) << " / " << testing::Written(param2) << " in blocks of "
            << block;
      }
    }
  }
  EXPECT_EQ(streamed, 23);
}

TEST(Differential, InvalidUtf8PartWayFailsAtItsOffsetAfterTheTextBeforeIt) {
  // The text breaks off at a random byte with a byte that UTF-8 never has,
  // or with a character cut short; what was given before the failure is the
  // start of what the valid text before it gives.
  RandomText random(31);
  for (std::u16string_view option : kOptionListEntries) {
    if (!EditsInOnePass(option) || NeedsWholeNumber(option)) continue;
    for (int round = 0; round < 60; ++round) {
      const std::string valid = Utf16ToUtf8(random.Make(12));
      const std::string first = Utf16ToUtf8(random.MakeList());
      const std::string broken = valid + (round % 2 == 0 ? "\xFF" : "a\xF0\x9F\x98");
      const std::size_t offset = round % 2 == 0 ? valid.size() : valid.size() + 1;
      const std::string before = ApplyOptionToUtf8(option, broken.substr(0, offset), first, first);
      for (std::size_t block = 1; block <= broken.size() + 1; ++block) {
        const Ending ending = InBlocks(option, broken, first, first, block);
        ASSERT_NE(ending.failure.find("invalid UTF-8 at byte offset"), std::string::npos)
            << ending.failure;
        ASSERT_EQ(ending.offset, offset);
        ASSERT_EQ(before.substr(0, ending.output.size()), ending.output)
            << Utf16ToUtf8(option) << " in blocks of " << block;
      }
    }
  }
}

}  // namespace
}  // namespace fenlow::edits
