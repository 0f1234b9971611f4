// The 26 bulk edits of the option list, one row each, in the list's order.

#include <array>

#include "edits/engine/catalogue.h"
#include "edits/engine/char_set_stages.h"
#include "edits/engine/delimiter_stages.h"
#include "edits/engine/position_stages.h"
#include "edits/engine/replace_stages.h"
#include "edits/engine/space_and_line_stages.h"

namespace fenlow::edits {
namespace {

using namespace generic;
using Meaning = ParameterMeaning;

constexpr std::u16string_view kReplaceWith = u"Replace with";
constexpr std::u16string_view kUserDefined = u"User-defined character(s)";

// The dialog of an edit that asks for its parameters before it runs.
constexpr ParameterDialog AsksInForm2(std::u16string_view caption,
                                      std::u16string_view frameCaption = {}) {
  return {Asks::Form2, caption, frameCaption};
}
constexpr ParameterDialog AsksInForm3(std::u16string_view caption) {
  return {Asks::Form3, caption, {}};
}

// The Remove edits of a character set are the Replace ones with an empty
// replacement.
constexpr EditDefinition kRows[] = {
    {.name = "remove-all-spaces",
     .optionText = options::kRemoveAllSpaces,
     .forms =
         Streaming([]<typename C>(const Parameters<C>&) { return RemoveAllSpacesStages<C>(); })},
    {.name = "remove-extra-spaces-at-beginning",
     .optionText = options::kRemoveExtraSpacesAtBeginning,
     .forms = Streaming([]<typename C>(const Parameters<C>&) { return LeadingSpacesStage<C>(); })},
    {.name = "remove-extra-spaces-at-end",
     .optionText = options::kRemoveExtraSpacesAtEnd,
     .forms = Streaming([]<typename C>(const Parameters<C>&) { return TrailingSpacesStage<C>(); })},
    {.name = "remove-spaces-except-single",
     .optionText = options::kRemoveSpacesExceptSingle,
     .forms = Streaming(
         []<typename C>(const Parameters<C>&) { return RemoveSpacesExceptSingleStages<C>(); })},
    {.name = "remove-blank-lines",
     .optionText = options::kRemoveBlankLines,
     .forms = Streaming([]<typename C>(const Parameters<C>&) { return BlankLinesStage<C>(); }),
     .rewritesClipText = true},
    {.name = "remove-all-tabs",
     .optionText = options::kRemoveAllTabs,
     .forms = Streaming([]<typename C>(const Parameters<C>&) { return RemoveAllTabsStages<C>(); }),
     .separatorAfter = true},
    // These two use BulkParam1 as well. Without a dialog they would get what
    // an earlier dialog left there, and an empty replacement would quietly
    // remove every space or line break, so they ask for it too.
    {.name = "replace-all-spaces",
     .optionText = options::kReplaceAllSpaces,
     .forms = Streaming(
         []<typename C>(const Parameters<C>& p) { return ReplaceAllSpacesStage<C>(p.first); }),
     .param1 = Meaning::Replacement,
     .dialog = AsksInForm2(u"Replace all spaces with...", kReplaceWith)},
    {.name = "replace-all-blank-lines",
     .optionText = options::kReplaceAllBlankLines,
     .forms = Streaming(
         []<typename C>(const Parameters<C>& p) { return LineBreakUnitsStage<C>(p.first); }),
     .param1 = Meaning::Replacement,
     .dialog = AsksInForm2(u"Replace all blank lines (enters) with...", kReplaceWith),
     .separatorAfter = true,
     .rewritesClipText = true},
    {.name = "remove-alphabet",
     .optionText = options::kRemoveAlphabetChars,
     .forms = Streaming(
         []<typename C>(const Parameters<C>&) { return ReplaceAlphabetCharsStage<C>({}); })},
    {.name = "remove-numeric",
     .optionText = options::kRemoveNumericChars,
     .forms = Streaming(
         []<typename C>(const Parameters<C>&) { return ReplaceNumericCharsStage<C>({}); })},
    {.name = "remove-alphanumeric",
     .optionText = options::kRemoveAlphanumericChars,
     .forms = Streaming(
         []<typename C>(const Parameters<C>&) { return ReplaceAlphanumericCharsStage<C>({}); })},
    {.name = "remove-non-alphanumeric",
     .optionText = options::kRemoveNonAlphanumericChars,
     .forms = Streaming(
         []<typename C>(const Parameters<C>&) { return RemoveNonAlphanumericCharsStage<C>(); })},
    {.name = "remove-list",
     .optionText = options::kRemoveListItems,
     .forms =
         Streaming([]<typename C>(const Parameters<C>& p) { return ListStages<C>(p.first, {}); }),
     .param1 = Meaning::FindList,
     .dialog = AsksInForm2(u"Remove x (user-specified) character(s)")},
    {.name = "remove-after-delimiter",
     .optionText = options::kRemoveTextAfterDelimiter,
     .forms = Streaming(
         []<typename C>(const Parameters<C>& p) { return CutAfterDelimiterStage<C>(p.first, {}); }),
     .param1 = Meaning::Delimiter,
     .dialog = AsksInForm2(u"Remove all text after user-defined character(s)", kUserDefined)},
    {.name = "remove-before-delimiter",
     .optionText = options::kRemoveTextBeforeDelimiter,
     .forms = WholeText([]<typename C>(std::basic_string<C>& text, const Parameters<C>& p) {
       ReplaceTextBeforeDelimiterInPlace<C>(text, p.first, {});
     }),
     .param1 = Meaning::Delimiter,
     .dialog = AsksInForm2(u"Remove all text before user-defined character(s)", kUserDefined)},
    {.name = "remove-first",
     .optionText = options::kRemoveFirstChars,
     .forms = Streaming([]<typename C>(const Parameters<C>& p) {
       return DropFirstUnitsStage<C>(ParseWholeNumber16(p.first));
     }),
     .param1 = Meaning::WholeNumber,
     .dialog = AsksInForm2(u"Remove First x character(s)")},
    {.name = "remove-last",
     .optionText = options::kRemoveLastChars,
     .forms = WholeText([]<typename C>(std::basic_string<C>& text, const Parameters<C>& p) {
       RemoveLastUnitsInPlace<C>(text, ParseWholeNumber16(p.first));
     }),
     .param1 = Meaning::WholeNumber,
     .dialog = AsksInForm2(u"Remove Last x character(s)")},
    {.name = "remove-after-position",
     .optionText = options::kRemoveTextAfterPosition,
     .forms = Streaming([]<typename C>(const Parameters<C>& p) {
       return KeepFirstUnitsStage<C>(ParseWholeNumber16(p.first));
     }),
     .param1 = Meaning::WholeNumber,
     .dialog = AsksInForm2(u"Remove all text after x position")},
    // Keeps the text from position x + 1 on: the same as removing the first x.
    {.name = "remove-before-position",
     .optionText = options::kRemoveTextBeforePosition,
     .forms = Streaming([]<typename C>(const Parameters<C>& p) {
       return DropFirstUnitsStage<C>(ParseWholeNumber16(p.first));
     }),
     .param1 = Meaning::WholeNumber,
     .dialog = AsksInForm2(u"Remove all text before x position"),
     .separatorAfter = true},
    {.name = "replace-alphabet",
     .optionText = options::kReplaceAlphabetChars,
     .forms = Streaming(
         []<typename C>(const Parameters<C>& p) { return ReplaceAlphabetCharsStage<C>(p.first); }),
     .param1 = Meaning::Replacement,
     .dialog = AsksInForm2(u"Replace alphabet character(s) with...", kReplaceWith)},
    {.name = "replace-numeric",
     .optionText = options::kReplaceNumericChars,
     .forms = Streaming(
         []<typename C>(const Parameters<C>& p) { return ReplaceNumericCharsStage<C>(p.first); }),
     .param1 = Meaning::Replacement,
     .dialog = AsksInForm2(u"Replace numeric character(s) with...", kReplaceWith)},
    {.name = "replace-alphanumeric",
     .optionText = options::kReplaceAlphanumericChars,
     .forms = Streaming([]<typename C>(const Parameters<C>& p) {
       return ReplaceAlphanumericCharsStage<C>(p.first);
     }),
     .param1 = Meaning::Replacement,
     .dialog = AsksInForm2(u"Replace alphanumeric character(s) with...", kReplaceWith)},
    {.name = "replace-non-alphanumeric",
     .optionText = options::kReplaceNonAlphanumericChars,
     .forms = Streaming(
         []<typename C>(const Parameters<C>& p) { return NonAlphanumericStage<C>(p.first); }),
     .param1 = Meaning::Replacement,
     .dialog = AsksInForm2(u"Replace non-alphanumeric character(s) with...", kReplaceWith)},
    {.name = "replace-list",
     .optionText = options::kReplaceListItems,
     .forms = Streaming(
         []<typename C>(const Parameters<C>& p) { return ListStages<C>(p.first, p.second); }),
     .param1 = Meaning::FindList,
     .param2 = Meaning::ReplaceList,
     .dialog = AsksInForm3(u"Replace x (user-specified) with...")},
    {.name = "replace-after-delimiter",
     .optionText = options::kReplaceTextAfterDelimiter,
     .forms = Streaming([]<typename C>(const Parameters<C>& p) {
       return CutAfterDelimiterStage<C>(p.first, p.second);
     }),
     .param1 = Meaning::Delimiter,
     .param2 = Meaning::Replacement,
     .dialog = AsksInForm3(u"Replace all text after user-defined with...")},
    {.name = "replace-before-delimiter",
     .optionText = options::kReplaceTextBeforeDelimiter,
     .forms = WholeText([]<typename C>(std::basic_string<C>& text, const Parameters<C>& p) {
       ReplaceTextBeforeDelimiterInPlace<C>(text, p.first, p.second);
     }),
     .param1 = Meaning::Delimiter,
     .param2 = Meaning::Replacement,
     .dialog = AsksInForm3(u"Replace all text before user-defined with...")},
};
static_assert(std::size(kRows) == 26);

}  // namespace

std::span<const EditDefinition> OptionListEdits() {
  return kRows;
}

}  // namespace fenlow::edits
