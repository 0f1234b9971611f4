#include "edits/pattern/every_edit.h"

#include <vector>

#include "edits/engine/catalogue.h"
#include "edits/engine/edit_chain.h"
#include "edits/engine/edit_failure.h"
#include "edits/engine/utf.h"
#include "edits/pattern/regex_replace.h"

namespace fenlow::edits {

std::span<const EditDefinition* const> EveryEdit() {
  static const std::vector<const EditDefinition*> edits = [] {
    const std::span<const EditDefinition* const> engine = EngineEdits();
    std::vector<const EditDefinition*> all(engine.begin(), engine.end());
    all.push_back(&RegexReplaceEdit());
    return all;
  }();
  return edits;
}

std::optional<std::string> StepProblem(std::string_view edit, std::string_view param1,
                                       std::string_view param2) {
  try {
    const EditDefinition* found = FindEdit(EveryEdit(), Utf8ToUtf16(edit));
    if (found == nullptr) return "unknown edit \"" + std::string(edit) + "\"";
    CheckStep(EditStep{found, Utf8ToUtf16(param1), Utf8ToUtf16(param2), false});
  } catch (const EditFailure& failure) {
    return "edit \"" + std::string(edit) + "\": " + failure.what();
  } catch (const EncodingError& failure) {
    return std::string("not UTF-8: ") + failure.what();
  }
  return std::nullopt;
}

}  // namespace fenlow::edits
