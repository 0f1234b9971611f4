#include "edits/engine/text_edits.h"

#include "edits/engine/char_set_stages.h"
#include "edits/engine/delimiter_stages.h"
#include "edits/engine/position_stages.h"
#include "edits/engine/replace_stages.h"
#include "edits/engine/space_and_line_stages.h"
#include "edits/engine/stage_runs.h"

namespace fenlow::edits {

using Text = std::u16string;
using TextView = std::u16string_view;

Text ReplaceAll(TextView text, TextView search, TextView replacement) {
  return generic::EditWhole<char16_t>(generic::ReplaceAllStage<char16_t>(search, replacement),
                                      text);
}

Text ReplaceListItems(TextView text, TextView findList, TextView replaceList) {
  return generic::RunWhole<char16_t>(generic::ListStages(findList, replaceList), text);
}

Text FilterCharSet(TextView text, TextView charSet, bool keepMembers) {
  return generic::FilterCharSet<char16_t>(text, charSet, keepMembers);
}

Text SubstituteCharSet(TextView text, TextView charSet, TextView replacement, bool keepMembers) {
  return generic::SubstituteCharSet<char16_t>(text, charSet, replacement, keepMembers);
}

Text RemoveAllSpaces(TextView text) {
  return generic::RunWhole<char16_t>(generic::RemoveAllSpacesStages<char16_t>(), text);
}

Text RemoveExtraSpacesAtBeginning(TextView text) {
  return generic::RunWhole<char16_t>(generic::LeadingSpacesStage<char16_t>(), text);
}

Text RemoveExtraSpacesAtEnd(TextView text) {
  return generic::RunWhole<char16_t>(generic::TrailingSpacesStage<char16_t>(), text);
}

Text RemoveSpacesExceptSingle(TextView text) {
  return generic::RunWhole<char16_t>(generic::RemoveSpacesExceptSingleStages<char16_t>(), text);
}

Text RemoveBlankLines(TextView text) {
  return generic::RunWhole<char16_t>(generic::BlankLinesStage<char16_t>(), text);
}

Text RemoveAllTabs(TextView text) {
  return generic::RunWhole<char16_t>(generic::RemoveAllTabsStages<char16_t>(), text);
}

Text ReplaceAllSpaces(TextView text, TextView replacement) {
  return generic::RunWhole<char16_t>(generic::ReplaceAllSpacesStage<char16_t>(replacement), text);
}

Text ReplaceAllBlankLines(TextView text, TextView replacement) {
  return generic::RunWhole<char16_t>(generic::LineBreakUnitsStage<char16_t>(replacement), text);
}

Text RemoveAlphabetChars(TextView text) {
  return ReplaceAlphabetChars(text, {});
}

Text RemoveNumericChars(TextView text) {
  return ReplaceNumericChars(text, {});
}

Text RemoveAlphanumericChars(TextView text) {
  return ReplaceAlphanumericChars(text, {});
}

Text RemoveNonAlphanumericChars(TextView text) {
  return generic::RunWhole<char16_t>(generic::RemoveNonAlphanumericCharsStage<char16_t>(), text);
}

Text ReplaceAlphabetChars(TextView text, TextView replacement) {
  return generic::RunWhole<char16_t>(generic::ReplaceAlphabetCharsStage<char16_t>(replacement),
                                     text);
}

Text ReplaceNumericChars(TextView text, TextView replacement) {
  return generic::RunWhole<char16_t>(generic::ReplaceNumericCharsStage<char16_t>(replacement),
                                     text);
}

Text ReplaceAlphanumericChars(TextView text, TextView replacement) {
  return generic::RunWhole<char16_t>(generic::ReplaceAlphanumericCharsStage<char16_t>(replacement),
                                     text);
}

Text ReplaceNonAlphanumericChars(TextView text, TextView replacement) {
  return generic::RunWhole<char16_t>(generic::NonAlphanumericStage<char16_t>(replacement), text);
}

Text RemoveFirstChars(TextView text, std::int16_t x) {
  return generic::RunWhole<char16_t>(generic::DropFirstUnitsStage<char16_t>(x), text);
}

Text RemoveLastChars(TextView text, std::int16_t x) {
  Text result(text);
  generic::RemoveLastUnitsInPlace(result, x);
  return result;
}

Text RemoveTextAfterPosition(TextView text, std::int16_t x) {
  return generic::RunWhole<char16_t>(generic::KeepFirstUnitsStage<char16_t>(x), text);
}

Text RemoveTextBeforePosition(TextView text, std::int16_t x) {
  return RemoveFirstChars(text, x);
}

Text RemoveTextAfterDelimiter(TextView text, TextView delimiter) {
  return ReplaceTextAfterDelimiter(text, delimiter, {});
}

Text RemoveTextBeforeDelimiter(TextView text, TextView delimiter) {
  return ReplaceTextBeforeDelimiter(text, delimiter, {});
}

Text ReplaceTextAfterDelimiter(TextView text, TextView delimiter, TextView replacement) {
  return generic::RunWhole<char16_t>(
      generic::CutAfterDelimiterStage<char16_t>(delimiter, replacement), text);
}

Text ReplaceTextBeforeDelimiter(TextView text, TextView delimiter, TextView replacement) {
  Text result(text);
  generic::ReplaceTextBeforeDelimiterInPlace<char16_t>(result, delimiter, replacement);
  return result;
}

}  // namespace fenlow::edits
