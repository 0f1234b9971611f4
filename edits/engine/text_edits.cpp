#include "edits/engine/text_edits.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "edits/engine/edit_failure.h"
#include "edits/engine/generic_edits.h"

namespace fenlow::edits {
namespace {

// Where the text kept by the x edits starts: after the first x characters.
std::size_t StartAfter(std::u16string_view text, std::int16_t x) {
  if (x == INT16_MAX) throw StartPositionOverflow();
  return std::min(static_cast<std::size_t>(std::max<std::int16_t>(x, 0)), text.size());
}

}  // namespace

std::u16string ReplaceAll(std::u16string_view text, std::u16string_view search,
                          std::u16string_view replacement) {
  return generic::ReplaceAll(text, search, replacement);
}

std::u16string ReplaceListItems(std::u16string_view text, std::u16string_view findList,
                                std::u16string_view replaceList) {
  return generic::ReplaceListItems(text, findList, replaceList);
}

std::string ReplaceListItems(std::string_view text, std::string_view findList,
                             std::string_view replaceList) {
  return generic::ReplaceListItems(text, findList, replaceList);
}

std::u16string FilterCharSet(std::u16string_view text, std::u16string_view charSet,
                             bool keepMembers) {
  return generic::FilterCharSet(text, charSet, keepMembers);
}

std::u16string SubstituteCharSet(std::u16string_view text, std::u16string_view charSet,
                                 std::u16string_view replacement, bool keepMembers) {
  return generic::SubstituteCharSet(text, charSet, replacement, keepMembers);
}

std::u16string RemoveAllSpaces(std::u16string_view text) {
  return generic::RemoveAllSpaces(text);
}

std::string RemoveAllSpaces(std::string_view text) {
  return generic::RemoveAllSpaces(text);
}

std::u16string RemoveExtraSpacesAtBeginning(std::u16string_view text) {
  return generic::RemoveExtraSpacesAtBeginning(text);
}

std::string RemoveExtraSpacesAtBeginning(std::string_view text) {
  return generic::RemoveExtraSpacesAtBeginning(text);
}

std::u16string RemoveExtraSpacesAtEnd(std::u16string_view text) {
  return generic::RemoveExtraSpacesAtEnd(text);
}

std::string RemoveExtraSpacesAtEnd(std::string_view text) {
  return generic::RemoveExtraSpacesAtEnd(text);
}

std::u16string RemoveSpacesExceptSingle(std::u16string_view text) {
  return generic::RemoveSpacesExceptSingle(text);
}

std::string RemoveSpacesExceptSingle(std::string_view text) {
  return generic::RemoveSpacesExceptSingle(text);
}

std::u16string RemoveBlankLines(std::u16string_view text) {
  return generic::RemoveBlankLines(text);
}

std::string RemoveBlankLines(std::string_view text) {
  return generic::RemoveBlankLines(text);
}

std::u16string RemoveAllTabs(std::u16string_view text) {
  return generic::RemoveAllTabs(text);
}

std::string RemoveAllTabs(std::string_view text) {
  return generic::RemoveAllTabs(text);
}

std::u16string ReplaceAllSpaces(std::u16string_view text, std::u16string_view replacement) {
  return generic::ReplaceAllSpaces(text, replacement);
}

std::string ReplaceAllSpaces(std::string_view text, std::string_view replacement) {
  return generic::ReplaceAllSpaces(text, replacement);
}

std::u16string ReplaceAllBlankLines(std::u16string_view text, std::u16string_view replacement) {
  return generic::ReplaceAllBlankLines(text, replacement);
}

std::string ReplaceAllBlankLines(std::string_view text, std::string_view replacement) {
  return generic::ReplaceAllBlankLines(text, replacement);
}

std::u16string RemoveAlphabetChars(std::u16string_view text) {
  return generic::RemoveAlphabetChars(text);
}

std::string RemoveAlphabetChars(std::string_view text) {
  return generic::RemoveAlphabetChars(text);
}

std::u16string RemoveNumericChars(std::u16string_view text) {
  return generic::RemoveNumericChars(text);
}

std::string RemoveNumericChars(std::string_view text) {
  return generic::RemoveNumericChars(text);
}

std::u16string RemoveAlphanumericChars(std::u16string_view text) {
  return generic::RemoveAlphanumericChars(text);
}

std::string RemoveAlphanumericChars(std::string_view text) {
  return generic::RemoveAlphanumericChars(text);
}

std::u16string RemoveNonAlphanumericChars(std::u16string_view text) {
  return generic::RemoveNonAlphanumericChars(text);
}

std::string RemoveNonAlphanumericChars(std::string_view text) {
  return generic::RemoveNonAlphanumericChars(text);
}

std::u16string ReplaceAlphabetChars(std::u16string_view text, std::u16string_view replacement) {
  return generic::ReplaceAlphabetChars(text, replacement);
}

std::string ReplaceAlphabetChars(std::string_view text, std::string_view replacement) {
  return generic::ReplaceAlphabetChars(text, replacement);
}

std::u16string ReplaceNumericChars(std::u16string_view text, std::u16string_view replacement) {
  return generic::ReplaceNumericChars(text, replacement);
}

std::string ReplaceNumericChars(std::string_view text, std::string_view replacement) {
  return generic::ReplaceNumericChars(text, replacement);
}

std::u16string ReplaceAlphanumericChars(std::u16string_view text, std::u16string_view replacement) {
  return generic::ReplaceAlphanumericChars(text, replacement);
}

std::string ReplaceAlphanumericChars(std::string_view text, std::string_view replacement) {
  return generic::ReplaceAlphanumericChars(text, replacement);
}

std::u16string ReplaceNonAlphanumericChars(std::u16string_view text,
                                           std::u16string_view replacement) {
  return generic::ReplaceNonAlphanumericChars(text, replacement);
}

std::string ReplaceNonAlphanumericChars(std::string_view text, std::string_view replacement) {
  return generic::ReplaceNonAlphanumericChars(text, replacement);
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
  return generic::ReplaceTextAfterDelimiter(text, delimiter, {});
}

std::string RemoveTextAfterDelimiter(std::string_view text, std::string_view delimiter) {
  return generic::ReplaceTextAfterDelimiter(text, delimiter, {});
}

std::u16string RemoveTextBeforeDelimiter(std::u16string_view text, std::u16string_view delimiter) {
  return generic::ReplaceTextBeforeDelimiter(text, delimiter, {});
}

std::string RemoveTextBeforeDelimiter(std::string_view text, std::string_view delimiter) {
  return generic::ReplaceTextBeforeDelimiter(text, delimiter, {});
}

std::u16string ReplaceTextAfterDelimiter(std::u16string_view text, std::u16string_view delimiter,
                                         std::u16string_view replacement) {
  return generic::ReplaceTextAfterDelimiter(text, delimiter, replacement);
}

std::string ReplaceTextAfterDelimiter(std::string_view text, std::string_view delimiter,
                                      std::string_view replacement) {
  return generic::ReplaceTextAfterDelimiter(text, delimiter, replacement);
}

std::u16string ReplaceTextBeforeDelimiter(std::u16string_view text, std::u16string_view delimiter,
                                          std::u16string_view replacement) {
  return generic::ReplaceTextBeforeDelimiter(text, delimiter, replacement);
}

std::string ReplaceTextBeforeDelimiter(std::string_view text, std::string_view delimiter,
                                       std::string_view replacement) {
  return generic::ReplaceTextBeforeDelimiter(text, delimiter, replacement);
}

}  // namespace fenlow::edits
