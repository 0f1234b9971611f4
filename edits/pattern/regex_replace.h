#pragma once

// regex-replace: every match of a pattern replaced, left to right, as sed's
// g does. The pattern is ECMAScript syntax matched on code points (Boost.Regex,
// header-only, on code_point_traits.h): ^ and $ at every line's start and
// end (line breaks: CR LF, LF, CR), "." any code point but a line break, a
// leading (?i) for matching without regard to case. After an empty match the
// search goes on one code point further (a CR LF pair counts as one). In the
// replacement $1 to $9 are the groups (empty when one took no part), $& the
// whole match and $$ a dollar sign; anything else stands for itself.

#include <cstdint>
#include <string>
#include <string_view>

#include "edits/engine/edit_definition.h"

namespace fenlow::edits {

// The steps a whole replace may take, summed over all its searches: one for
// each move and look of the matcher over the text. A search that would take
// more is stopped with EditFailure, and nothing is written.
[[nodiscard]] std::uint64_t RegexStepBudget(std::size_t codePoints);

// The row of regex-replace, for the list of every edit.
[[nodiscard]] const EditDefinition& RegexReplaceEdit();

}  // namespace fenlow::edits
