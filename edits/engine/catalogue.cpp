#include "edits/engine/catalogue.h"

#include <algorithm>
#include <cstdlib>

#include "edits/engine/edit_failure.h"
#include "edits/engine/generic_edits.h"
#include "edits/engine/text_edits.h"
#include "edits/engine/utf.h"

namespace fenlow::edits {
namespace {

template <typename Char>
struct Parameters {
  std::basic_string_view<Char> first;
  std::basic_string_view<Char> second;
};

using Utf16Routine = std::u16string (*)(std::u16string_view text,
                                        const Parameters<char16_t>& parameters);
// The same edit on valid UTF-8, giving the UTF-8 of what the UTF-16 routine
// gives; it works on the text in place where it can.
using Utf8Routine = std::string (*)(std::string text, const Parameters<char>& parameters);
// The stages of an edit that runs in one pass.
using StageBuilder = StreamStages (*)(const Parameters<char>& parameters);

struct BulkEdit {
  std::u16string_view optionText;
  Utf16Routine routine;
  Utf8Routine utf8Routine;
  StageBuilder stages = nullptr;  // Null for an edit that needs the whole text.
  bool needsWholeNumber = false;
  bool rewritesClipText = false;
};

std::int16_t WholeNumberOf(std::u16string_view typed) {
  return ParseWholeNumber16(typed);
}

std::int16_t WholeNumberOf(std::string_view typed) {
  return ParseWholeNumber16(Utf8ToUtf16(typed));
}

// An edit that runs in one pass: its named routine, generic over the text
// of the UTF-16 engine, and its stages, which also serve whole UTF-8 texts.
template <typename Edit, typename Stages>
constexpr BulkEdit InOnePass(std::u16string_view optionText, Edit, Stages,
                             bool needsWholeNumber = false, bool rewritesClipText = false) {
  return {optionText,
          [](std::u16string_view text, const Parameters<char16_t>& parameters) {
            return Edit{}(text, parameters);
          },
          [](std::string text, const Parameters<char>& parameters) {
            return EditWholeUtf8(Stages{}(parameters), text);
          },
          [](const Parameters<char>& parameters) { return Stages{}(parameters); },
          needsWholeNumber,
          rewritesClipText};
}

// An edit that needs the whole text: its named routine, generic over the
// text of the UTF-16 engine, and its form that edits UTF-8 in place.
template <typename Edit, typename InPlace>
constexpr BulkEdit WholeText(std::u16string_view optionText, Edit, InPlace,
                             bool needsWholeNumber = false) {
  return {optionText,
          [](std::u16string_view text, const Parameters<char16_t>& parameters) {
            return Edit{}(text, parameters);
          },
          [](std::string text, const Parameters<char>& parameters) {
            InPlace{}(text, parameters);
            return text;
          },
          nullptr,
          needsWholeNumber,
          false};
}

// x counts at most 32768 code units, and a code unit takes at most three
// bytes of UTF-8 (four for two units), so this many bytes at the end of a
// UTF-8 text always hold more than |x| units.
std::size_t WindowBytes(std::int16_t x) {
  return 3 * static_cast<std::size_t>(std::abs(x)) + 4;
}

bool IsContinuationByte(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// RemoveLastChars on UTF-8: only the window at the end, where the cut falls,
// is converted and edited.
void RemoveLastCharsInPlace(std::string& text, std::int16_t x) {
  std::size_t window = std::min(WindowBytes(x), text.size());
  while (window < text.size() && IsContinuationByte(text[text.size() - window])) ++window;
  const std::string edited = Utf16ToUtf8(
      RemoveLastChars(Utf8ToUtf16(std::string_view(text).substr(text.size() - window)), x));
  text.resize(text.size() - window);
  text.append(edited);
}

// In the order in which the option text is compared.
const std::array<BulkEdit, 26> kBulkEdits = {
    InOnePass(
        options::kRemoveAllSpaces, [](auto text, const auto&) { return RemoveAllSpaces(text); },
        [](const auto&) { return StagesOf(generic::RemoveAllSpacesStages<char>()); }),
    InOnePass(
        options::kRemoveExtraSpacesAtBeginning,
        [](auto text, const auto&) { return RemoveExtraSpacesAtBeginning(text); },
        [](const auto&) { return StagesOf(generic::LeadingSpacesStage<char>()); }),
    InOnePass(
        options::kRemoveExtraSpacesAtEnd,
        [](auto text, const auto&) { return RemoveExtraSpacesAtEnd(text); },
        [](const auto&) { return StagesOf(generic::TrailingSpacesStage<char>()); }),
    InOnePass(
        options::kRemoveSpacesExceptSingle,
        [](auto text, const auto&) { return RemoveSpacesExceptSingle(text); },
        [](const auto&) { return StagesOf(generic::RemoveSpacesExceptSingleStages<char>()); }),
    InOnePass(
        options::kRemoveBlankLines, [](auto text, const auto&) { return RemoveBlankLines(text); },
        [](const auto&) { return StagesOf(generic::BlankLinesStage<char>()); }, false, true),
    InOnePass(
        options::kRemoveAllTabs, [](auto text, const auto&) { return RemoveAllTabs(text); },
        [](const auto&) { return StagesOf(generic::RemoveAllTabsStages<char>()); }),
    InOnePass(
        options::kReplaceAllSpaces,
        [](auto text, const auto& p) { return ReplaceAllSpaces(text, p.first); },
        [](const auto& p) { return StagesOf(generic::ReplaceAllSpacesStage<char>(p.first)); }),
    InOnePass(
        options::kReplaceAllBlankLines,
        [](auto text, const auto& p) { return ReplaceAllBlankLines(text, p.first); },
        [](const auto& p) { return StagesOf(generic::LineBreakUnitsStage<char>(p.first)); }, false,
        true),
    InOnePass(
        options::kRemoveAlphabetChars,
        [](auto text, const auto&) { return RemoveAlphabetChars(text); },
        [](const auto&) { return StagesOf(generic::ReplaceAlphabetCharsStage<char>({})); }),
    InOnePass(
        options::kRemoveNumericChars,
        [](auto text, const auto&) { return RemoveNumericChars(text); },
        [](const auto&) { return StagesOf(generic::ReplaceNumericCharsStage<char>({})); }),
    InOnePass(
        options::kRemoveAlphanumericChars,
        [](auto text, const auto&) { return RemoveAlphanumericChars(text); },
        [](const auto&) { return StagesOf(generic::ReplaceAlphanumericCharsStage<char>({})); }),
    InOnePass(
        options::kRemoveNonAlphanumericChars,
        [](auto text, const auto&) { return RemoveNonAlphanumericChars(text); },
        [](const auto&) { return StagesOf(generic::RemoveNonAlphanumericCharsStage<char>()); }),
    InOnePass(
        options::kRemoveListItems,
        [](auto text, const auto& p) {
          return ReplaceListItems(text, p.first, decltype(p.first){});
        },
        [](const auto& p) { return StagesOf(generic::ListStages<char>(p.first, {})); }),
    InOnePass(
        options::kRemoveTextAfterDelimiter,
        [](auto text, const auto& p) { return RemoveTextAfterDelimiter(text, p.first); },
        [](const auto& p) { return StagesOf(generic::CutAfterDelimiterStage<char>(p.first, {})); }),
    WholeText(
        options::kRemoveTextBeforeDelimiter,
        [](auto text, const auto& p) { return RemoveTextBeforeDelimiter(text, p.first); },
        [](std::string& text, const auto& p) {
          generic::ReplaceTextBeforeDelimiterInPlace<char>(text, p.first, {});
        }),
    InOnePass(
        options::kRemoveFirstChars,
        [](auto text, const auto& p) { return RemoveFirstChars(text, WholeNumberOf(p.first)); },
        [](const auto& p) { return StagesOf(DropFirstUnitsStage(WholeNumberOf(p.first))); }, true),
    WholeText(
        options::kRemoveLastChars,
        [](auto text, const auto& p) { return RemoveLastChars(text, WholeNumberOf(p.first)); },
        [](std::string& text, const auto& p) {
          RemoveLastCharsInPlace(text, WholeNumberOf(p.first));
        },
        true),
    InOnePass(
        options::kRemoveTextAfterPosition,
        [](auto text, const auto& p) {
          return RemoveTextAfterPosition(text, WholeNumberOf(p.first));
        },
        [](const auto& p) { return StagesOf(KeepFirstUnitsStage(WholeNumberOf(p.first))); }, true),
    InOnePass(
        options::kRemoveTextBeforePosition,
        [](auto text, const auto& p) {
          return RemoveTextBeforePosition(text, WholeNumberOf(p.first));
        },
        [](const auto& p) { return StagesOf(DropFirstUnitsStage(WholeNumberOf(p.first))); }, true),
    InOnePass(
        options::kReplaceAlphabetChars,
        [](auto text, const auto& p) { return ReplaceAlphabetChars(text, p.first); },
        [](const auto& p) { return StagesOf(generic::ReplaceAlphabetCharsStage<char>(p.first)); }),
    InOnePass(
        options::kReplaceNumericChars,
        [](auto text, const auto& p) { return ReplaceNumericChars(text, p.first); },
        [](const auto& p) { return StagesOf(generic::ReplaceNumericCharsStage<char>(p.first)); }),
    InOnePass(
        options::kReplaceAlphanumericChars,
        [](auto text, const auto& p) { return ReplaceAlphanumericChars(text, p.first); },
        [](const auto& p) {
          return StagesOf(generic::ReplaceAlphanumericCharsStage<char>(p.first));
        }),
    InOnePass(
        options::kReplaceNonAlphanumericChars,
        [](auto text, const auto& p) { return ReplaceNonAlphanumericChars(text, p.first); },
        [](const auto& p) { return StagesOf(generic::NonAlphanumericStage<char>(p.first)); }),
    InOnePass(
        options::kReplaceListItems,
        [](auto text, const auto& p) { return ReplaceListItems(text, p.first, p.second); },
        [](const auto& p) { return StagesOf(generic::ListStages<char>(p.first, p.second)); }),
    InOnePass(
        options::kReplaceTextAfterDelimiter,
        [](auto text, const auto& p) { return ReplaceTextAfterDelimiter(text, p.first, p.second); },
        [](const auto& p) {
          return StagesOf(generic::CutAfterDelimiterStage<char>(p.first, p.second));
        }),
    WholeText(
        options::kReplaceTextBeforeDelimiter,
        [](auto text, const auto& p) {
          return ReplaceTextBeforeDelimiter(text, p.first, p.second);
        },
        [](std::string& text, const auto& p) {
          generic::ReplaceTextBeforeDelimiterInPlace<char>(text, p.first, p.second);
        }),
};

const BulkEdit* FindBulkEdit(std::u16string_view optionText) {
  const auto* found =
      std::find_if(kBulkEdits.begin(), kBulkEdits.end(),
                   [optionText](const BulkEdit& edit) { return edit.optionText == optionText; });
  return found == kBulkEdits.end() ? nullptr : found;
}

}  // namespace

std::optional<std::u16string_view> OptionTextFor(std::u16string_view name) {
  if (const BulkEdit* edit = FindBulkEdit(name)) return edit->optionText;
  for (const ShortName& shortName : kShortNames) {
    if (std::equal(name.begin(), name.end(), shortName.name.begin(), shortName.name.end())) {
      return shortName.optionText;
    }
  }
  return std::nullopt;
}

bool NeedsWholeNumber(std::u16string_view optionText) {
  const BulkEdit* edit = FindBulkEdit(optionText);
  return edit != nullptr && edit->needsWholeNumber;
}

EditOutcome ApplyOption(std::u16string_view optionText, std::u16string_view clipText,
                        std::u16string_view bulkParam1, std::u16string_view bulkParam2) {
  const BulkEdit* edit = FindBulkEdit(optionText);
  if (edit == nullptr) return EditOutcome{EditOutcome::Kind::NoSuchOption, {}, false};
  return EditOutcome{EditOutcome::Kind::Edited,
                     edit->routine(clipText, Parameters<char16_t>{bulkParam1, bulkParam2}),
                     edit->rewritesClipText};
}

bool EditsUtf8Directly(std::u16string_view optionText) {
  return FindBulkEdit(optionText) != nullptr;
}

std::string ApplyOptionToUtf8(std::u16string_view optionText, std::string clipText,
                              std::string_view bulkParam1, std::string_view bulkParam2) {
  const BulkEdit* edit = FindBulkEdit(optionText);
  if (edit == nullptr) throw EditFailure("This option names no bulk edit.");
  return edit->utf8Routine(std::move(clipText), Parameters<char>{bulkParam1, bulkParam2});
}

bool EditsInOnePass(std::u16string_view optionText) {
  const BulkEdit* edit = FindBulkEdit(optionText);
  return edit != nullptr && edit->stages != nullptr;
}

StreamEditor OnePassEditor(std::u16string_view optionText, std::string_view bulkParam1,
                           std::string_view bulkParam2) {
  const BulkEdit* edit = FindBulkEdit(optionText);
  if (edit == nullptr || edit->stages == nullptr) {
    throw EditFailure("This option does not edit in one pass.");
  }
  return StreamEditor(edit->stages(Parameters<char>{bulkParam1, bulkParam2}));
}

}  // namespace fenlow::edits
