// What makes a set of recipes sound, whether read from a file or about to be
// written: names present and unique regardless of case, every step with an
// edit that the caller's check accepts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edits/recipes/recipe.h"

namespace fenlow::recipes {

struct RecipeProblem {
  FilePosition where;  // 0 when what is wrong is in no file yet
  std::string message;
};

std::optional<RecipeProblem> FindProblem(const std::vector<Recipe>& recipes,
                                         const StepCheck& check);

// "\"text\"", as messages quote names and keys.
std::string Quoted(std::string_view text);
// "<source>:<line>:<column>: <message>".
std::string Located(std::string_view source, FilePosition where, std::string_view message);

}  // namespace fenlow::recipes
