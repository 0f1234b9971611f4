#include "app/recipe_store.h"

#include "edits/engine/failure_text.h"
#include "edits/pattern/every_edit.h"
#include "edits/recipes/recipe_file_io.h"
#include "platform/types.h"

namespace fenlow {
namespace {

constexpr std::u16string_view kFolderBelowRoaming = u"\\Kestrane\\Fenlow";
constexpr std::u16string_view kFileName = u"\\recipes.toml";

constexpr std::u16string_view kNoRoamingFolder =
    u"Fenlow has no place for its recipe file: the user's application-data folder (%APPDATA%) "
    u"is not set. Fenlow runs without recipes.";

std::u16string Unreadable(const std::exception& failure) {
  std::u16string text(
      u"The recipe file cannot be read, so Fenlow runs without recipes until "
      u"it is mended:\r\n");
  text.append(FailureText(failure));
  return text;
}

recipes::Recipe Named(std::string name, std::vector<std::string> edits) {
  recipes::Recipe recipe;
  recipe.name = std::move(name);
  for (std::string& edit : edits) {
    recipes::RecipeStep step;
    step.edit = std::move(edit);
    recipe.steps.push_back(std::move(step));
  }
  return recipe;
}

}  // namespace

recipes::StepCheck EditStepCheck() {
  return [](const recipes::RecipeStep& step) {
    return edits::StepProblem(step.edit, step.param1.value_or(""), step.param2.value_or(""));
  };
}

std::vector<recipes::Recipe> FirstRecipes() {
  return {
      Named("UPPER CASE", {"upper-case"}),
      Named("lower case", {"lower-case"}),
      Named("Title Case", {"title-case"}),
      Named("Sentence case", {"sentence-case"}),
      Named("Unwrap lines", {"unwrap-lines"}),
      Named("Trim lines", {"trim-lines"}),
      Named("Plain typography", {"plain-typography"}),
      Named("Sort lines", {"sort-lines"}),
      Named("Remove duplicate lines", {"remove-duplicate-lines"}),
      Named("Clean PDF text",
            {"remove-invisible", "plain-typography", "unwrap-lines", "collapse-spaces"}),
  };
}

std::optional<std::u16string> RecipeStore::Folder() const {
  std::optional<std::u16string> roaming = files_.RoamingAppDataFolder();
  if (roaming) roaming->append(kFolderBelowRoaming);
  return roaming;
}

std::optional<std::u16string> RecipeStore::Path() const {
  std::optional<std::u16string> path = Folder();
  if (path) path->append(kFileName);
  return path;
}

std::optional<std::u16string> RecipeStore::Start() {
  const std::optional<std::u16string> path = Path();
  if (path && files_.IsAbsent(*path)) {
    try {
      WriteFirstFile(*path);
    } catch (const std::exception& failure) {
      std::u16string told(
          u"Fenlow could not write its first recipe file, and runs without "
          u"recipes:\r\n");
      told.append(FailureText(failure));
      return told;
    }
  }
  Refresh();
  return problem_;
}

void RecipeStore::WriteFirstFile(const std::u16string& path) {
  files_.CreateFolders(*Folder());
  recipes::WriteRecipeFile(files_, path, recipes::RecipeFile(), FirstRecipes(), EditStepCheck());
}

std::optional<std::u16string> RecipeStore::Refresh() {
  const std::optional<std::u16string> path = Path();
  std::optional<std::u16string> before = problem_;
  if (!path) {
    problem_ = std::u16string(kNoRoamingFolder);
    file_ = recipes::RecipeFile();
    if (!read_) ++reads_;
  } else {
    try {
      const std::optional<std::chrono::system_clock::time_point> change = LastChange(*path);
      if (read_ && change == known_) return std::nullopt;
      known_ = change;
      Read(*path);
    } catch (const platform::Failure& failure) {
      problem_ = Unreadable(failure);
      file_ = recipes::RecipeFile();
      known_.reset();
      ++reads_;
    }
  }
  read_ = true;
  if (problem_ && problem_ != before) return problem_;
  return std::nullopt;
}

std::optional<std::chrono::system_clock::time_point> RecipeStore::LastChange(
    const std::u16string& path) {
  if (files_.IsAbsent(path)) return std::nullopt;
  return files_.ReadLastChangeTime(path);
}

// No file is no problem: the user has no recipes.
void RecipeStore::Read(const std::u16string& path) {
  ++reads_;
  problem_.reset();
  file_ = recipes::RecipeFile();
  if (!known_) return;
  try {
    file_ = recipes::ReadRecipeFile(files_, path, EditStepCheck());
  } catch (const recipes::RecipeError& error) {
    problem_ = Unreadable(error);
  }
}

const std::vector<recipes::Recipe>& RecipeStore::Recipes() const {
  return file_.Recipes();
}

const recipes::Recipe* RecipeStore::Find(std::string_view name) const {
  return file_.Find(name);
}

bool RecipeStore::ChangedOnDisk() {
  const std::optional<std::u16string> path = Path();
  if (!path) return false;
  try {
    return LastChange(*path) != known_;
  } catch (const platform::Failure&) {
    return true;
  }
}

void RecipeStore::Write(const std::vector<recipes::Recipe>& recipes) {
  if (problem_) {
    std::string why(
        "The recipe file is not written over: it cannot be read, and its text would "
        "be lost.");
    throw platform::Failure(why);
  }
  const std::optional<std::u16string> path = Path();
  if (!path)
    throw platform::Failure("Fenlow has no place for its recipe file: %APPDATA% is not set.");
  files_.CreateFolders(*Folder());
  recipes::WriteRecipeFile(files_, *path, file_, recipes, EditStepCheck());
  read_ = false;  // read back: its recipes now stand where the written text has them
  Refresh();
}

}  // namespace fenlow
