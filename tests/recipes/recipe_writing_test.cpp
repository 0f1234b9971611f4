// Writing recipe files back: the exact text made from a hand-edited file
// (what toml++ keeps and what it loses), only what the caller changed
// changing, and sets of recipes that are refused before anything is made.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "edits/recipes/recipe_file.h"
#include "recipe_test_support.h"

namespace fenlow::recipes {
namespace {

using testing::CheckStep;
using testing::NewRecipe;
using testing::NewStep;
using testing::Short;

RecipeFile Read(const std::string& text) {
  return RecipeFile::Parse(text, "recipes.toml", CheckStep);
}

// A file as a person writes one: comments, blank lines, literal strings, keys
// in their own order, numbers in several forms, keys the reader does not know.
const std::string kHandEdited = R"(# My recipes
version = 2            # the file's own version
defaults = { colour = 'red', size = 1e3, ratio = 0.1, mask = 0x1F }
window.width = 640

[[recipe]]
mode = "in-place"
name = 'Numbered lines'    # strips line numbers
note = """
two
lines"""
[recipe.meta]
author = "me"

[[recipe.step]]
param1 = 4
edit = "remove-first"
each-line = true
tag = 1979-05-27

[[recipe]]
name = "Tabs"
[[recipe.step]]
edit = "Remove all tabs in clipboard"
each_line = true
)";

TEST(RecipeFileWriting, AnUntouchedFileComesBackWithEveryValueButNotItsLayout) {
  const RecipeFile file = Read(kHandEdited);
  EXPECT_EQ(
      file.Render(file.Recipes(), CheckStep),
      R"(defaults = { colour = "red", mask = 0x1F, ratio = 0.10000000000000001, size = 1000.0 }
version = 2

[window]
width = 640

[[recipe]]
name = "Numbered lines"
mode = "in-place"
meta = { author = "me" }
note = "two\nlines"
[[recipe.step]]
edit = "remove-first"
param1 = 4
each-line = true
tag = 1979-05-27

[[recipe]]
name = "Tabs"
[[recipe.step]]
edit = "Remove all tabs in clipboard"
each_line = true
)");
}

TEST(RecipeFileWriting, ANewFileHoldsTheKnownKeysInTheirOrder) {
  Recipe numbered = NewRecipe("Numbered PDF lines",
                              {NewStep("remove-invisible"), NewStep("remove-first", "4", true)});
  numbered.hotkey = "Ctrl+Alt+Shift+R";
  EXPECT_EQ(
      RecipeFile().Render({numbered, NewRecipe("Tabs", {NewStep("unwrap-lines")})}, CheckStep),
      R"([[recipe]]
name = "Numbered PDF lines"
hotkey = "Ctrl+Alt+Shift+R"
[[recipe.step]]
edit = "remove-invisible"
[[recipe.step]]
edit = "remove-first"
param1 = "4"
each-line = true

[[recipe]]
name = "Tabs"
[[recipe.step]]
edit = "unwrap-lines"
)");
  EXPECT_EQ(RecipeFile().Render({}, CheckStep), "") << "no recipes, nothing else";
}

// A dialog's changes to a hand-edited file: renamed, a parameter changed, a
// step moved, a copy, the order changed, one added. What it did not change
// keeps its values and the keys the reader does not know.
TEST(RecipeFileWriting, OnlyWhatTheCallerChangedChanges) {
  const RecipeFile file = Read(kHandEdited);
  std::vector<Recipe> recipes = file.Recipes();
  recipes[0].name = "Line numbers";
  recipes[0].steps.insert(recipes[0].steps.begin(), NewStep("unwrap-lines"));
  Recipe copy = recipes[1];
  copy.name = "Tabs 2";
  copy.steps[0].param1 = "x";
  recipes.push_back(NewRecipe("New", {NewStep("remove-invisible")}));
  std::swap(recipes[0], recipes[1]);
  recipes.insert(recipes.begin() + 1, copy);
  EXPECT_EQ(
      file.Render(recipes, CheckStep),
      R"(defaults = { colour = "red", mask = 0x1F, ratio = 0.10000000000000001, size = 1000.0 }
version = 2

[window]
width = 640

[[recipe]]
name = "Tabs"
[[recipe.step]]
edit = "Remove all tabs in clipboard"
each_line = true

[[recipe]]
name = "Tabs 2"
[[recipe.step]]
edit = "Remove all tabs in clipboard"
param1 = "x"
each_line = true

[[recipe]]
name = "Line numbers"
mode = "in-place"
meta = { author = "me" }
note = "two\nlines"
[[recipe.step]]
edit = "unwrap-lines"
[[recipe.step]]
edit = "remove-first"
param1 = 4
each-line = true
tag = 1979-05-27

[[recipe]]
name = "New"
[[recipe.step]]
edit = "remove-invisible"
)");

  Recipe numbered = file.Recipes()[0];
  numbered.steps[0].param1 = "5";
  numbered.steps[0].eachLine = false;
  numbered.mode.reset();
  EXPECT_NE(file.Render({numbered}, CheckStep).find(R"(name = "Numbered lines"
meta = { author = "me" }
note = "two\nlines"
[[recipe.step]]
edit = "remove-first"
param1 = "5"
tag = 1979-05-27
)"),
            std::string::npos)
      << "a changed value is written anew, a value taken away is gone";
}

TEST(RecipeFileWriting, AnyTextComesBackExactly) {
  RecipeStep step =
      NewStep("replace-list", std::string("\"q\" \\ \r\n\t \x01 \xC3\xA9 \xF0\x9F\x98\x80"));
  step.param2 = "";
  const std::vector<Recipe> recipes = {NewRecipe("\"Quoted\" \xE2\x80\x94 name", {step})};
  const std::string text = RecipeFile().Render(recipes, CheckStep);
  EXPECT_EQ(text.find('\r'), std::string::npos) << "line breaks in values are escapes:\n" << text;
  const RecipeFile reread = Read(text);
  EXPECT_EQ(Short(reread.Recipes()), Short(recipes));
  EXPECT_EQ(reread.Recipes()[0].steps[0].param2, "");
}

struct RefusedSet {
  const char* name;
  std::vector<Recipe> recipes;
  std::string refusal;
};

TEST(RecipeFileWriting, RefusesASetThatWouldNotReadBack) {
  const Recipe good = NewRecipe("Trim", {NewStep("unwrap-lines")});
  const RefusedSet cases[] = {
      {"an empty name", {good, NewRecipe("", {})}, "recipe 2: the name is empty"},
      {"the same name by case",
       {good, NewRecipe("TRIM", {})},
       "a second recipe named \"TRIM\": the first, \"Trim\", is recipe 1 (names are compared "
       "regardless of case)"},
      {"an unknown edit",
       {NewRecipe("R", {NewStep("unwrap-lines"), NewStep("unwrap")})},
       "recipe \"R\", step 2: unknown edit \"unwrap\""},
      {"an empty edit", {NewRecipe("R", {NewStep("")})}, "recipe \"R\", step 1: the edit is empty"},
  };
  for (const RefusedSet& refused : cases) {
    try {
      (void)RecipeFile().Render(refused.recipes, CheckStep);
      ADD_FAILURE() << refused.name << ": made without a refusal";
    } catch (const RecipeError& error) {
      EXPECT_EQ(std::string(error.what()), refused.refusal) << refused.name;
    }
  }
  Recipe foreign = good;
  foreign.origin = 0;
  EXPECT_THROW((void)RecipeFile().Render({foreign}, CheckStep), std::out_of_range)
      << "an origin of another file";
}

}  // namespace
}  // namespace fenlow::recipes
