#include "edits/engine/catalogue.h"

#include <algorithm>
#include <vector>

#include "edits/engine/edit_failure.h"

namespace fenlow::edits {
namespace {

bool NameEquals(std::u16string_view name, std::string_view shortName) {
  return std::equal(name.begin(), name.end(), shortName.begin(), shortName.end());
}

}  // namespace

std::span<const EditDefinition* const> EngineEdits() {
  static const std::vector<const EditDefinition*> edits = [] {
    std::vector<const EditDefinition*> all;
    for (const EditDefinition& edit : OptionListEdits()) all.push_back(&edit);
    for (const EditDefinition& edit : CleanUpEdits()) all.push_back(&edit);
    return all;
  }();
  return edits;
}

std::span<const std::u16string_view> OptionListEntries() {
  static const std::vector<std::u16string_view> entries = [] {
    std::vector<std::u16string_view> list;
    for (const EditDefinition& edit : OptionListEdits()) {
      list.push_back(edit.optionText);
      if (edit.separatorAfter) list.push_back(options::kSeparator);
    }
    return list;
  }();
  return entries;
}

const EditDefinition* FindEdit(std::span<const EditDefinition* const> edits,
                               std::u16string_view name) {
  for (const EditDefinition* edit : edits) {
    if (!edit->optionText.empty() && edit->optionText == name) return edit;
  }
  for (const EditDefinition* edit : edits) {
    if (NameEquals(name, edit->name)) return edit;
  }
  return nullptr;
}

const EditDefinition* FindOptionEdit(std::u16string_view optionText) {
  for (const EditDefinition& edit : OptionListEdits()) {
    if (edit.optionText == optionText) return &edit;
  }
  return nullptr;
}

std::optional<std::u16string_view> OptionTextFor(std::u16string_view name) {
  if (const EditDefinition* edit = FindOptionEdit(name)) return edit->optionText;
  for (const EditDefinition& edit : OptionListEdits()) {
    if (NameEquals(name, edit.name)) return edit.optionText;
  }
  return std::nullopt;
}

bool NeedsWholeNumber(std::u16string_view optionText) {
  const EditDefinition* edit = FindOptionEdit(optionText);
  return edit != nullptr && edit->param1 == ParameterMeaning::WholeNumber;
}

EditOutcome ApplyOption(std::u16string_view optionText, std::u16string_view clipText,
                        std::u16string_view bulkParam1, std::u16string_view bulkParam2) {
  const EditDefinition* edit = FindOptionEdit(optionText);
  if (edit == nullptr) return EditOutcome{EditOutcome::Kind::NoSuchOption, {}, false};
  return EditOutcome{EditOutcome::Kind::Edited,
                     edit->forms.utf16(clipText, Parameters<char16_t>{bulkParam1, bulkParam2}),
                     edit->rewritesClipText};
}

bool EditsUtf8Directly(std::u16string_view optionText) {
  return FindOptionEdit(optionText) != nullptr;
}

std::string ApplyOptionToUtf8(std::u16string_view optionText, std::string clipText,
                              std::string_view bulkParam1, std::string_view bulkParam2) {
  const EditDefinition* edit = FindOptionEdit(optionText);
  if (edit == nullptr) throw EditFailure("This option names no bulk edit.");
  return edit->forms.utf8(std::move(clipText), Parameters<char>{bulkParam1, bulkParam2});
}

bool EditsInOnePass(std::u16string_view optionText) {
  const EditDefinition* edit = FindOptionEdit(optionText);
  return edit != nullptr && edit->Streams();
}

StreamEditor OnePassEditor(std::u16string_view optionText, std::string_view bulkParam1,
                           std::string_view bulkParam2) {
  const EditDefinition* edit = FindOptionEdit(optionText);
  if (edit == nullptr || !edit->Streams()) {
    throw EditFailure("This option does not edit in one pass.");
  }
  return StreamEditor(edit->forms.stages(Parameters<char>{bulkParam1, bulkParam2}));
}

}  // namespace fenlow::edits
