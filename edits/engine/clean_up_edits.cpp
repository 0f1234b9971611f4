// The engine's edits beyond the option list, on code points and in the line
// model of line_model.h, one row each. Their short names are fixed: scripts
// and recipe files use them.

#include <array>

#include "edits/engine/case_stages.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/code_point_map_stages.h"
#include "edits/engine/line_stages.h"
#include "edits/engine/sorted_lines.h"

namespace fenlow::edits {
namespace {

using namespace generic;

constexpr EditDefinition kRows[] = {
    {.name = "upper-case",
     .description = "Upper case, with Unicode's full mappings (\xC3\x9F becomes SS)",
     .forms =
         Streaming([]<typename C>(const Parameters<C>&) { return CaseStage<C>(CaseMode::Upper); })},
    {.name = "lower-case",
     .description = "Lower case, with Unicode's full mappings and the final sigma",
     .forms =
         Streaming([]<typename C>(const Parameters<C>&) { return CaseStage<C>(CaseMode::Lower); })},
    {.name = "title-case",
     .description = "Each word's first character in title case, the rest in lower case",
     .forms =
         Streaming([]<typename C>(const Parameters<C>&) { return CaseStage<C>(CaseMode::Title); })},
    {.name = "sentence-case",
     .description = "Lower case, with the first letter of each sentence in title case",
     .forms = Streaming(
         []<typename C>(const Parameters<C>&) { return CaseStage<C>(CaseMode::Sentence); })},
    {.name = "unwrap-lines",
     .description = "Joins the lines of each paragraph with one space (blank lines stay)",
     .forms = Streaming([]<typename C>(const Parameters<C>&) { return UnwrapLinesStage<C>(); })},
    {.name = "trim-lines",
     .description = "Removes spaces and tabs at the start and end of every line",
     .forms = Streaming([]<typename C>(const Parameters<C>&) { return TrimLinesStage<C>(); })},
    {.name = "collapse-spaces",
     .description = "Every run of two or more spaces becomes one space",
     .forms = Streaming([]<typename C>(const Parameters<C>&) { return CollapseSpacesStage<C>(); })},
    {.name = "plain-typography",
     .description = "Typographic quotes, dashes, ellipses and spaces become plain ASCII",
     .forms =
         Streaming([]<typename C>(const Parameters<C>&) { return PlainTypographyStage<C>(); })},
    {.name = "remove-invisible",
     .description = "Removes soft hyphens, zero-width spaces, word joiners and byte order marks",
     .forms =
         Streaming([]<typename C>(const Parameters<C>&) { return RemoveInvisibleStage<C>(); })},
    {.name = "sort-lines",
     .description = "Sorts the lines by code point (needs the whole text)",
     .forms = WholeText([]<typename C>(std::basic_string<C>& text, const Parameters<C>&) {
       SortLinesInPlace(text);
     })},
    {.name = "remove-duplicate-lines",
     .description = "Keeps the first of equal lines (needs the whole text)",
     .forms = WholeText([]<typename C>(std::basic_string<C>& text, const Parameters<C>&) {
       RemoveDuplicateLinesInPlace(text);
     })},
};

}  // namespace

std::span<const EditDefinition> CleanUpEdits() {
  return kRows;
}

}  // namespace fenlow::edits
