#pragma once

// One row per edit: its names, what its parameters mean, whether it streams,
// and its forms, all derived from one definition of what it does (a stage
// maker, or a whole-text routine, written once for any code unit type):
// - the UTF-16 form, which the window applies to the clipboard's text;
// - the UTF-8 form, which edits a whole UTF-8 text in place where it can;
// - for an edit that runs in one pass, its stages for UTF-8 in blocks.
// Every form reads its parameters before the text, so a bad parameter fails
// the same way on every text, the empty one included.

#include <string>
#include <string_view>
#include <vector>

#include "edits/engine/stage_runs.h"
#include "edits/engine/stream_edits.h"

namespace fenlow::edits {

template <typename Char>
struct Parameters {
  std::basic_string_view<Char> first;
  std::basic_string_view<Char> second;
};

// What a parameter holds, for help texts and for readers of recipes.
enum class ParameterMeaning {
  None,
  Replacement,         // the text put in place of what the edit finds
  WholeNumber,         // the count or position x
  Delimiter,           // the text searched for
  FindList,            // texts to find, one a line (CR LF)
  ReplaceList,         // their replacements, one a line
  Pattern,             // a regular expression
  PatternReplacement,  // the replacement of each match, with $1 .. $9, $& and $$
};

// How the window asks for the parameters before it applies the edit.
enum class Asks { NoDialog, Form2, Form3 };
struct ParameterDialog {
  Asks asks = Asks::NoDialog;
  std::u16string_view caption;
  std::u16string_view frameCaption;  // empty: Form2's frame keeps its own
};

using Utf16Form = std::u16string (*)(std::u16string_view text,
                                     const Parameters<char16_t>& parameters);
using Utf8Form = std::string (*)(std::string text, const Parameters<char>& parameters);
using StagesForm = StreamStages (*)(const Parameters<char>& parameters);

struct EditForms {
  Utf16Form utf16 = nullptr;
  Utf8Form utf8 = nullptr;
  StagesForm stages = nullptr;  // null for an edit that needs the whole text
};

struct EditDefinition {
  std::string_view name = {};           // short, stable, lower case: never changed once published
  std::u16string_view optionText = {};  // as the option list shows it; empty beyond the list
  std::string_view description = {};    // one line, for the edits beyond the option list
  EditForms forms = {};
  ParameterMeaning param1 = ParameterMeaning::None;
  ParameterMeaning param2 = ParameterMeaning::None;
  ParameterDialog dialog = {};
  bool separatorAfter = false;    // the option list has a separator after it
  bool rewritesClipText = false;  // its result also replaces the window's copy of the text

  [[nodiscard]] bool Streams() const { return forms.stages != nullptr; }
};

// The forms of an edit that runs in one pass. `Define` is a stage maker:
// []<typename Char>(const Parameters<Char>&) returning a stage or a vector
// of stages, applied in turn.
template <typename Define>
constexpr EditForms Streaming(Define) {
  return {[](std::u16string_view text, const Parameters<char16_t>& parameters) {
            return generic::RunWhole<char16_t>(Define{}(parameters), text);
          },
          [](std::string text, const Parameters<char>& parameters) {
            return generic::RunWhole<char>(Define{}(parameters), std::string_view(text));
          },
          [](const Parameters<char>& parameters) { return StagesOf(Define{}(parameters)); }};
}

// The forms of an edit that needs the whole text. `Define` edits a text in
// place: []<typename Char>(std::basic_string<Char>&, const Parameters<Char>&).
template <typename Define>
constexpr EditForms WholeText(Define) {
  return {[](std::u16string_view text, const Parameters<char16_t>& parameters) {
            std::u16string result(text);
            Define{}(result, parameters);
            return result;
          },
          [](std::string text, const Parameters<char>& parameters) {
            Define{}(text, parameters);
            return text;
          },
          nullptr};
}

}  // namespace fenlow::edits
