#pragma once

// The bulk edits as the option list names them, the edits beyond it, and the
// pure step that picks one by its option text and applies it. Each edit is
// one row (edit_definition.h); the window's 26 are in option_list_edits.cpp,
// the engine's clean-up edits in clean_up_edits.cpp.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "edits/engine/edit_definition.h"
#include "edits/engine/option_texts.h"
#include "edits/engine/stream_edits.h"
#include "edits/engine/whole_number.h"

namespace fenlow::edits {

// The 26 edits of the option list, in its order.
[[nodiscard]] std::span<const EditDefinition> OptionListEdits();
// The engine's edits beyond the option list, in the order they are listed.
[[nodiscard]] std::span<const EditDefinition> CleanUpEdits();
// Both, the option list's first.
[[nodiscard]] std::span<const EditDefinition* const> EngineEdits();

// The 29 entries of the option list `Combo1`, in the order on screen: the 26
// edits' option texts, with "-" where a separator follows an edit.
[[nodiscard]] std::span<const std::u16string_view> OptionListEntries();
inline const std::span<const std::u16string_view> kOptionListEntries = OptionListEntries();

// The edit among `edits` whose option text is exactly `name`, or whose short
// name is `name`; null when there is none.
[[nodiscard]] const EditDefinition* FindEdit(std::span<const EditDefinition* const> edits,
                                             std::u16string_view name);

// The option-list edit whose option text is exactly `optionText`, or null.
[[nodiscard]] const EditDefinition* FindOptionEdit(std::u16string_view optionText);

// The option text that `name` stands for: itself when it is an option text,
// the edit's option text when it is the short name of one of the 26,
// nullopt otherwise.
[[nodiscard]] std::optional<std::u16string_view> OptionTextFor(std::u16string_view name);

// True for the four edits whose first parameter is the number x.
[[nodiscard]] bool NeedsWholeNumber(std::u16string_view optionText);

struct EditOutcome {
  enum class Kind {
    Edited,        // `result` holds the edited text.
    NoSuchOption,  // The option text names no bulk edit; `result` is empty.
  };
  Kind kind = Kind::NoSuchOption;
  std::u16string result;
  // True for the two blank-line edits, whose result also replaces the
  // caller's copy of the clipboard text.
  bool rewritesClipText = false;
};

// Applies the bulk edit whose option text equals `optionText` exactly (case
// included) to `clipText`. `bulkParam1` and `bulkParam2` are the dialog
// parameters; each edit reads the ones it needs (for the x edits, x is
// converted from `bulkParam1`). Throws EditFailure when the edit fails.
[[nodiscard]] EditOutcome ApplyOption(std::u16string_view optionText, std::u16string_view clipText,
                                      std::u16string_view bulkParam1,
                                      std::u16string_view bulkParam2);

// True for every text that names a bulk edit: each can be applied to UTF-8
// directly, with the UTF-8 of what ApplyOption gives as its result.
[[nodiscard]] bool EditsUtf8Directly(std::u16string_view optionText);

// ApplyOption on UTF-8, without converting to UTF-16: for large texts this
// saves the conversions and two thirds of the memory, and the edits that
// need the whole text work on `clipText` in place, so that it is held once.
// The text and the parameters must be valid UTF-8. Throws EditFailure when
// the edit fails and when EditsUtf8Directly(optionText) is false, and
// LoneSurrogateError when the result has a lone surrogate (an x edit that
// splits a surrogate pair).
[[nodiscard]] std::string ApplyOptionToUtf8(std::u16string_view optionText, std::string clipText,
                                            std::string_view bulkParam1,
                                            std::string_view bulkParam2);

// True for the edits that run in one pass with a bounded look-ahead: all but
// "Remove last x", and the two that keep the text from a delimiter on (their
// result is the whole text when the delimiter does not occur).
[[nodiscard]] bool EditsInOnePass(std::u16string_view optionText);

// The edit as a StreamEditor, for UTF-8 text that arrives in blocks; it
// gives what ApplyOptionToUtf8 gives. The parameters must be valid UTF-8; they
// are copied. Throws EditFailure when EditsInOnePass(optionText) is false and
// for the parameter failures known before any text (x is not a usable
// number, a list of 32768 lines or more).
[[nodiscard]] StreamEditor OnePassEditor(std::u16string_view optionText,
                                         std::string_view bulkParam1, std::string_view bulkParam2);

}  // namespace fenlow::edits
