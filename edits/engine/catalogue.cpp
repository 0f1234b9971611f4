#include "edits/engine/catalogue.h"

#include <algorithm>
#include <cstdlib>

#include "edits/engine/edit_failure.h"
#include "edits/engine/text_edits.h"
#include "edits/engine/utf.h"

namespace fenlow::edits {
namespace {

template <typename Char>
struct Parameters {
  std::basic_string_view<Char> first;
  std::basic_string_view<Char> second;
};

template <typename Char>
using Routine = std::basic_string<Char> (*)(std::basic_string_view<Char> text,
                                            const Parameters<Char>& parameters);

struct BulkEdit {
  std::u16string_view optionText;
  Routine<char16_t> routine;
  // The same edit on valid UTF-8, giving the UTF-8 of what `routine` gives.
  Routine<char> utf8Routine = nullptr;
  bool needsWholeNumber = false;
  bool rewritesClipText = false;
};

// An edit written once as a generic lambda over its named routine, which has
// a UTF-16 and a UTF-8 form.
template <typename Edit>
constexpr BulkEdit ForBoth(std::u16string_view optionText, Edit, bool rewritesClipText = false) {
  return {optionText,
          [](std::u16string_view text, const Parameters<char16_t>& parameters) {
            return Edit{}(text, parameters);
          },
          [](std::string_view text, const Parameters<char>& parameters) {
            return Edit{}(text, parameters);
          },
          false, rewritesClipText};
}

using PositionEdit = std::u16string (*)(std::u16string_view, std::int16_t);

// x counts at most 32768 code units, and a code unit takes at most three
// bytes of UTF-8 (four for two units), so this many bytes at one end of a
// UTF-8 text always hold more than |x| units.
std::size_t WindowBytes(std::int16_t x) {
  return 3 * static_cast<std::size_t>(std::abs(x)) + 4;
}

bool IsContinuationByte(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// An x edit on UTF-8: only the window at the end where the cut falls is
// converted and edited; the rest of the text is copied as it is.
template <PositionEdit Edit, bool kCutsAtStart>
std::string PositionEditOnUtf8(std::string_view text, std::int16_t x) {
  std::size_t window = std::min(WindowBytes(x), text.size());
  if constexpr (kCutsAtStart) {
    while (window < text.size() && IsContinuationByte(text[window])) ++window;
    std::string result = Utf16ToUtf8(Edit(Utf8ToUtf16(text.substr(0, window)), x));
    // The cut is inside the window: what follows the window goes with the
    // edit that keeps only the first x units, and stays with the others.
    if (Edit != RemoveTextAfterPosition) result.append(text.substr(window));
    return result;
  } else {
    while (window < text.size() && IsContinuationByte(text[text.size() - window])) ++window;
    const std::string edited = Utf16ToUtf8(Edit(Utf8ToUtf16(text.substr(text.size() - window)), x));
    std::string result;
    result.reserve(text.size() - window + edited.size());
    return result.append(text.substr(0, text.size() - window)).append(edited);
  }
}

template <PositionEdit Edit, bool kCutsAtStart>
constexpr BulkEdit WithWholeNumber(std::u16string_view optionText) {
  return {optionText,
          [](std::u16string_view text, const Parameters<char16_t>& parameters) {
            return Edit(text, ParseWholeNumber16(parameters.first));
          },
          [](std::string_view text, const Parameters<char>& parameters) {
            return PositionEditOnUtf8<Edit, kCutsAtStart>(
                text, ParseWholeNumber16(Utf8ToUtf16(parameters.first)));
          },
          true, false};
}

// In the order in which the option text is compared.
constexpr std::array<BulkEdit, 26> kBulkEdits = {
    ForBoth(options::kRemoveAllSpaces,
            [](auto text, const auto&) { return RemoveAllSpaces(text); }),
    ForBoth(options::kRemoveExtraSpacesAtBeginning,
            [](auto text, const auto&) { return RemoveExtraSpacesAtBeginning(text); }),
    ForBoth(options::kRemoveExtraSpacesAtEnd,
            [](auto text, const auto&) { return RemoveExtraSpacesAtEnd(text); }),
    ForBoth(options::kRemoveSpacesExceptSingle,
            [](auto text, const auto&) { return RemoveSpacesExceptSingle(text); }),
    ForBoth(
        options::kRemoveBlankLines, [](auto text, const auto&) { return RemoveBlankLines(text); },
        true),
    ForBoth(options::kRemoveAllTabs, [](auto text, const auto&) { return RemoveAllTabs(text); }),
    ForBoth(options::kReplaceAllSpaces,
            [](auto text, const auto& p) { return ReplaceAllSpaces(text, p.first); }),
    ForBoth(
        options::kReplaceAllBlankLines,
        [](auto text, const auto& p) { return ReplaceAllBlankLines(text, p.first); }, true),
    ForBoth(options::kRemoveAlphabetChars,
            [](auto text, const auto&) { return RemoveAlphabetChars(text); }),
    ForBoth(options::kRemoveNumericChars,
            [](auto text, const auto&) { return RemoveNumericChars(text); }),
    ForBoth(options::kRemoveAlphanumericChars,
            [](auto text, const auto&) { return RemoveAlphanumericChars(text); }),
    ForBoth(options::kRemoveNonAlphanumericChars,
            [](auto text, const auto&) { return RemoveNonAlphanumericChars(text); }),
    ForBoth(options::kRemoveListItems,
            [](auto text, const auto& p) {
              return ReplaceListItems(text, p.first, decltype(p.first){});
            }),
    ForBoth(options::kRemoveTextAfterDelimiter,
            [](auto text, const auto& p) { return RemoveTextAfterDelimiter(text, p.first); }),
    ForBoth(options::kRemoveTextBeforeDelimiter,
            [](auto text, const auto& p) { return RemoveTextBeforeDelimiter(text, p.first); }),
    WithWholeNumber<RemoveFirstChars, true>(options::kRemoveFirstChars),
    WithWholeNumber<RemoveLastChars, false>(options::kRemoveLastChars),
    WithWholeNumber<RemoveTextAfterPosition, true>(options::kRemoveTextAfterPosition),
    WithWholeNumber<RemoveTextBeforePosition, true>(options::kRemoveTextBeforePosition),
    ForBoth(options::kReplaceAlphabetChars,
            [](auto text, const auto& p) { return ReplaceAlphabetChars(text, p.first); }),
    ForBoth(options::kReplaceNumericChars,
            [](auto text, const auto& p) { return ReplaceNumericChars(text, p.first); }),
    ForBoth(options::kReplaceAlphanumericChars,
            [](auto text, const auto& p) { return ReplaceAlphanumericChars(text, p.first); }),
    ForBoth(options::kReplaceNonAlphanumericChars,
            [](auto text, const auto& p) { return ReplaceNonAlphanumericChars(text, p.first); }),
    ForBoth(options::kReplaceListItems,
            [](auto text, const auto& p) { return ReplaceListItems(text, p.first, p.second); }),
    ForBoth(options::kReplaceTextAfterDelimiter,
            [](auto text, const auto& p) {
              return ReplaceTextAfterDelimiter(text, p.first, p.second);
            }),
    ForBoth(options::kReplaceTextBeforeDelimiter,
            [](auto text, const auto& p) {
              return ReplaceTextBeforeDelimiter(text, p.first, p.second);
            }),
};

const BulkEdit* FindBulkEdit(std::u16string_view optionText) {
  const auto* found =
      std::find_if(kBulkEdits.begin(), kBulkEdits.end(),
                   [optionText](const BulkEdit& edit) { return edit.optionText == optionText; });
  return found == kBulkEdits.end() ? nullptr : found;
}

}  // namespace

std::optional<std::u16string_view> OptionTextFor(std::u16string_view name) {
  if (const BulkEdit* edit = FindBulkEdit(name)) return edit->optionText;
  for (const ShortName& shortName : kShortNames) {
    if (std::equal(name.begin(), name.end(), shortName.name.begin(), shortName.name.end())) {
      return shortName.optionText;
    }
  }
  return std::nullopt;
}

bool NeedsWholeNumber(std::u16string_view optionText) {
  const BulkEdit* edit = FindBulkEdit(optionText);
  return edit != nullptr && edit->needsWholeNumber;
}

EditOutcome ApplyOption(std::u16string_view optionText, std::u16string_view clipText,
                        std::u16string_view bulkParam1, std::u16string_view bulkParam2) {
  const BulkEdit* edit = FindBulkEdit(optionText);
  if (edit == nullptr) return EditOutcome{EditOutcome::Kind::NoSuchOption, {}, false};
  return EditOutcome{EditOutcome::Kind::Edited,
                     edit->routine(clipText, Parameters<char16_t>{bulkParam1, bulkParam2}),
                     edit->rewritesClipText};
}

bool EditsUtf8Directly(std::u16string_view optionText) {
  const BulkEdit* edit = FindBulkEdit(optionText);
  return edit != nullptr && edit->utf8Routine != nullptr;
}

std::string ApplyOptionToUtf8(std::u16string_view optionText, std::string_view clipText,
                              std::string_view bulkParam1, std::string_view bulkParam2) {
  const BulkEdit* edit = FindBulkEdit(optionText);
  if (edit == nullptr || edit->utf8Routine == nullptr) {
    throw EditFailure("This option cannot be applied to UTF-8 text directly.");
  }
  return edit->utf8Routine(clipText, Parameters<char>{bulkParam1, bulkParam2});
}

}  // namespace fenlow::edits
