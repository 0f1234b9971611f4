#include "dialogs/step_labels.h"

#include "dialogs/recipe_preview.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"
#include "edits/pattern/every_edit.h"

namespace fenlow {
namespace {

using edits::ParameterMeaning;

std::u16string_view MeaningText(ParameterMeaning meaning) {
  switch (meaning) {
    case ParameterMeaning::None:
      return u"Not used by this edit";
    case ParameterMeaning::Replacement:
      return u"The text put in its place";
    case ParameterMeaning::WholeNumber:
      return u"x, the count or position (a whole number)";
    case ParameterMeaning::Delimiter:
      return u"The character(s) to find";
    case ParameterMeaning::FindList:
      return u"The texts to find, one a line";
    case ParameterMeaning::ReplaceList:
      return u"Their replacements, one a line";
    case ParameterMeaning::Pattern:
      return u"The pattern (a regular expression)";
    case ParameterMeaning::PatternReplacement:
      return u"Each match's replacement ($1 .. $9, $&&, $$)";
  }
  return u"";
}

std::u16string Label(ParameterMeaning meaning, std::u16string_view accessKey) {
  std::u16string label(MeaningText(meaning));
  label.append(u" (&");
  label.append(accessKey);
  label.append(u"):");
  return label;
}

// A parameter as the list shows it: on one line, cut when long.
std::u16string Shown(const std::string& param) {
  constexpr std::size_t kLongest = 24;
  std::u16string text = edits::Utf8ToUtf16(param);
  for (char16_t& unit : text) {
    if (unit == u'\r' || unit == u'\n') unit = u' ';
  }
  if (text.size() > kLongest) {
    text.resize(kLongest);
    text.append(u"...");
  }
  return text;
}

}  // namespace

StepLabels LabelsOf(std::string_view edit) {
  const edits::EditDefinition* found =
      edits::FindEdit(edits::EveryEdit(), edits::Utf8ToUtf16(edit));
  if (found == nullptr) return {};
  return {Label(found->param1, u"1"), Label(found->param2, u"2"),
          found->param1 != ParameterMeaning::None, found->param2 != ParameterMeaning::None};
}

std::u16string EditChoiceText(const edits::EditDefinition& edit) {
  std::u16string text = edits::Utf8ToUtf16(edit.name);
  text.append(u": ");
  if (!edit.optionText.empty()) {
    text.append(edit.optionText);
  } else {
    text.append(edits::Utf8ToUtf16(edit.description));
  }
  return text;
}

std::u16string StepListText(std::size_t index, const recipes::RecipeStep& step) {
  std::u16string text = WithThousands(index + 1);
  text.append(u". ");
  text.append(edits::Utf8ToUtf16(step.edit));
  for (const auto* param : {&step.param1, &step.param2}) {
    if (!param->has_value()) continue;
    text.append(u"  \"");
    text.append(Shown(**param));
    text.append(u"\"");
  }
  if (step.eachLine) text.append(u", each line");
  return text;
}

}  // namespace fenlow
