#include "edits/catalogue.h"

#include <algorithm>

#include "edits/text_edits.h"

namespace fenlow::edits {
namespace {

struct Parameters {
  std::u16string_view first;
  std::u16string_view second;
};

using Routine = std::u16string (*)(std::u16string_view text, const Parameters& parameters);

struct BulkEdit {
  std::u16string_view optionText;
  Routine routine;
  bool needsWholeNumber = false;
  bool rewritesClipText = false;
};

template <std::u16string (*Edit)(std::u16string_view)>
std::u16string WithoutParameters(std::u16string_view text, const Parameters&) {
  return Edit(text);
}

template <std::u16string (*Edit)(std::u16string_view, std::u16string_view)>
std::u16string WithFirst(std::u16string_view text, const Parameters& parameters) {
  return Edit(text, parameters.first);
}

template <std::u16string (*Edit)(std::u16string_view, std::u16string_view, std::u16string_view)>
std::u16string WithBoth(std::u16string_view text, const Parameters& parameters) {
  return Edit(text, parameters.first, parameters.second);
}

template <std::u16string (*Edit)(std::u16string_view, std::int16_t)>
std::u16string WithWholeNumber(std::u16string_view text, const Parameters& parameters) {
  return Edit(text, ParseWholeNumber16(parameters.first));
}

std::u16string RemoveListItems(std::u16string_view text, const Parameters& parameters) {
  return ReplaceListItems(text, parameters.first, u"");
}

// In the order in which the option text is compared.
constexpr std::array<BulkEdit, 26> kBulkEdits = {{
    {options::kRemoveAllSpaces, WithoutParameters<RemoveAllSpaces>},
    {options::kRemoveExtraSpacesAtBeginning, WithoutParameters<RemoveExtraSpacesAtBeginning>},
    {options::kRemoveExtraSpacesAtEnd, WithoutParameters<RemoveExtraSpacesAtEnd>},
    {options::kRemoveSpacesExceptSingle, WithoutParameters<RemoveSpacesExceptSingle>},
    {options::kRemoveBlankLines, WithoutParameters<RemoveBlankLines>, false, true},
    {options::kRemoveAllTabs, WithoutParameters<RemoveAllTabs>},
    {options::kReplaceAllSpaces, WithFirst<ReplaceAllSpaces>},
    {options::kReplaceAllBlankLines, WithFirst<ReplaceAllBlankLines>, false, true},
    {options::kRemoveAlphabetChars, WithoutParameters<RemoveAlphabetChars>},
    {options::kRemoveNumericChars, WithoutParameters<RemoveNumericChars>},
    {options::kRemoveAlphanumericChars, WithoutParameters<RemoveAlphanumericChars>},
    {options::kRemoveNonAlphanumericChars, WithoutParameters<RemoveNonAlphanumericChars>},
    {options::kRemoveListItems, RemoveListItems},
    {options::kRemoveTextAfterDelimiter, WithFirst<RemoveTextAfterDelimiter>},
    {options::kRemoveTextBeforeDelimiter, WithFirst<RemoveTextBeforeDelimiter>},
    {options::kRemoveFirstChars, WithWholeNumber<RemoveFirstChars>, true},
    {options::kRemoveLastChars, WithWholeNumber<RemoveLastChars>, true},
    {options::kRemoveTextAfterPosition, WithWholeNumber<RemoveTextAfterPosition>, true},
    {options::kRemoveTextBeforePosition, WithWholeNumber<RemoveTextBeforePosition>, true},
    {options::kReplaceAlphabetChars, WithFirst<ReplaceAlphabetChars>},
    {options::kReplaceNumericChars, WithFirst<ReplaceNumericChars>},
    {options::kReplaceAlphanumericChars, WithFirst<ReplaceAlphanumericChars>},
    {options::kReplaceNonAlphanumericChars, WithFirst<ReplaceNonAlphanumericChars>},
    {options::kReplaceListItems, WithBoth<ReplaceListItems>},
    {options::kReplaceTextAfterDelimiter, WithBoth<ReplaceTextAfterDelimiter>},
    {options::kReplaceTextBeforeDelimiter, WithBoth<ReplaceTextBeforeDelimiter>},
}};

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
                     edit->routine(clipText, Parameters{bulkParam1, bulkParam2}),
                     edit->rewritesClipText};
}

}  // namespace fenlow::edits
