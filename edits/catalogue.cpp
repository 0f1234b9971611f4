#include "edits/catalogue.h"

#include <algorithm>

#include "edits/generic_edits.h"
#include "edits/text_edits.h"

namespace fenlow::edits {
namespace {

template <typename Char>
struct Parameters {
  generic::View<Char> first;
  generic::View<Char> second;
};

template <typename Char>
using Routine = generic::String<Char> (*)(generic::View<Char> text,
                                          const Parameters<Char>& parameters);

struct BulkEdit {
  std::u16string_view optionText;
  Routine<char16_t> routine;
  // The same edit on UTF-8, for the edits that only compare whole characters;
  // null for those that count UTF-16 code units.
  Routine<char> utf8Routine = nullptr;
  bool needsWholeNumber = false;
  bool rewritesClipText = false;
};

// An edit written once as a generic lambda, for both code unit types.
template <typename Edit>
constexpr BulkEdit ForBoth(std::u16string_view optionText, Edit, bool rewritesClipText = false) {
  return {optionText,
          [](generic::View<char16_t> text, const Parameters<char16_t>& parameters) {
            return Edit{}(text, parameters);
          },
          [](generic::View<char> text, const Parameters<char>& parameters) {
            return Edit{}(text, parameters);
          },
          false, rewritesClipText};
}

template <std::u16string (*Edit)(std::u16string_view, std::int16_t)>
constexpr BulkEdit WithWholeNumber(std::u16string_view optionText) {
  return {optionText,
          [](std::u16string_view text, const Parameters<char16_t>& parameters) {
            return Edit(text, ParseWholeNumber16(parameters.first));
          },
          nullptr, true, false};
}

// In the order in which the option text is compared.
constexpr std::array<BulkEdit, 26> kBulkEdits = {
    ForBoth(options::kRemoveAllSpaces,
            [](auto text, const auto&) { return generic::RemoveAllSpaces(text); }),
    ForBoth(options::kRemoveExtraSpacesAtBeginning,
            [](auto text, const auto&) { return generic::RemoveExtraSpacesAtBeginning(text); }),
    ForBoth(options::kRemoveExtraSpacesAtEnd,
            [](auto text, const auto&) { return generic::RemoveExtraSpacesAtEnd(text); }),
    ForBoth(options::kRemoveSpacesExceptSingle,
            [](auto text, const auto&) { return generic::RemoveSpacesExceptSingle(text); }),
    ForBoth(
        options::kRemoveBlankLines,
        [](auto text, const auto&) { return generic::RemoveBlankLines(text); }, true),
    ForBoth(options::kRemoveAllTabs,
            [](auto text, const auto&) { return generic::RemoveAllTabs(text); }),
    ForBoth(options::kReplaceAllSpaces,
            [](auto text, const auto& p) { return generic::ReplaceAllSpaces(text, p.first); }),
    ForBoth(
        options::kReplaceAllBlankLines,
        [](auto text, const auto& p) { return generic::ReplaceAllBlankLines(text, p.first); },
        true),
    ForBoth(options::kRemoveAlphabetChars,
            [](auto text, const auto&) { return generic::RemoveAlphabetChars(text); }),
    ForBoth(options::kRemoveNumericChars,
            [](auto text, const auto&) { return generic::RemoveNumericChars(text); }),
    ForBoth(options::kRemoveAlphanumericChars,
            [](auto text, const auto&) { return generic::RemoveAlphanumericChars(text); }),
    ForBoth(options::kRemoveNonAlphanumericChars,
            [](auto text, const auto&) { return generic::RemoveNonAlphanumericChars(text); }),
    ForBoth(options::kRemoveListItems,
            [](auto text, const auto& p) {
              return generic::ReplaceListItems(text, p.first, decltype(p.first){});
            }),
    ForBoth(options::kRemoveTextAfterDelimiter,
            [](auto text, const auto& p) {
              return generic::ReplaceTextAfterDelimiter(text, p.first, decltype(p.first){});
            }),
    ForBoth(options::kRemoveTextBeforeDelimiter,
            [](auto text, const auto& p) {
              return generic::ReplaceTextBeforeDelimiter(text, p.first, decltype(p.first){});
            }),
    WithWholeNumber<RemoveFirstChars>(options::kRemoveFirstChars),
    WithWholeNumber<RemoveLastChars>(options::kRemoveLastChars),
    WithWholeNumber<RemoveTextAfterPosition>(options::kRemoveTextAfterPosition),
    WithWholeNumber<RemoveTextBeforePosition>(options::kRemoveTextBeforePosition),
    ForBoth(options::kReplaceAlphabetChars,
            [](auto text, const auto& p) { return generic::ReplaceAlphabetChars(text, p.first); }),
    ForBoth(options::kReplaceNumericChars,
            [](auto text, const auto& p) { return generic::ReplaceNumericChars(text, p.first); }),
    ForBoth(
        options::kReplaceAlphanumericChars,
        [](auto text, const auto& p) { return generic::ReplaceAlphanumericChars(text, p.first); }),
    BulkEdit{options::kReplaceNonAlphanumericChars,
             [](std::u16string_view text, const Parameters<char16_t>& p) {
               return ReplaceNonAlphanumericChars(text, p.first);
             }},
    ForBoth(options::kReplaceListItems,
            [](auto text, const auto& p) {
              return generic::ReplaceListItems(text, p.first, p.second);
            }),
    ForBoth(options::kReplaceTextAfterDelimiter,
            [](auto text, const auto& p) {
              return generic::ReplaceTextAfterDelimiter(text, p.first, p.second);
            }),
    ForBoth(options::kReplaceTextBeforeDelimiter,
            [](auto text, const auto& p) {
              return generic::ReplaceTextBeforeDelimiter(text, p.first, p.second);
            }),
};

const BulkEdit* FindBulkEdit(std::u16string_view optionText) {
  const auto* found =
      std::find_if(kBulkEdits.begin(), kBulkEdits.end(),
                   [optionText](const BulkEdit& edit) { return edit.optionText == optionText; });
  return found == kBulkEdits.end() ? nullptr : found;
}

}  // namespace

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
