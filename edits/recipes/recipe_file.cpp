#include "edits/recipes/recipe_file.h"

#include <utility>

#include "edits/recipes/recipe_checks.h"
#include "edits/recipes/toml_document.h"

namespace fenlow::recipes {

RecipeFile::RecipeFile() : document_(std::make_shared<RecipeDocument>()) {}

RecipeFile::RecipeFile(std::shared_ptr<const RecipeDocument> document)
    : document_(std::move(document)) {}

const std::vector<Recipe>& RecipeFile::Recipes() const {
  return document_->recipes;
}

const std::vector<RecipeWarning>& RecipeFile::Warnings() const {
  return document_->warnings;
}

std::vector<std::string> RecipeFile::WarningTexts() const {
  std::vector<std::string> texts;
  for (const RecipeWarning& warning : document_->warnings) {
    texts.push_back(Located(document_->source, warning.where, warning.message));
  }
  return texts;
}

const Recipe* RecipeFile::Find(std::string_view name) const {
  for (const Recipe& recipe : document_->recipes) {
    if (SameName(recipe.name, name)) return &recipe;
  }
  return nullptr;
}

}  // namespace fenlow::recipes
