#include "edits/pattern/every_edit.h"

#include <vector>

#include "edits/engine/catalogue.h"
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

}  // namespace fenlow::edits
