// Reading recipe files: what a good file gives, what a bad one is refused
// with (and where), and the unknown keys warned about.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edits/recipes/recipe_file.h"
#include "recipe_test_support.h"

namespace fenlow::recipes {
namespace {

using testing::CheckStep;
using testing::Short;

RecipeFile Read(const std::string& text) {
  return RecipeFile::Parse(text, "recipes.toml", CheckStep);
}

TEST(RecipeFile, TheIssuesExampleGivesItsChain) {
  const RecipeFile file = Read(R"([[recipe]]
name = "Numbered PDF lines"
[[recipe.step]]
edit = "remove-invisible"
[[recipe.step]]
edit = "unwrap-lines"
[[recipe.step]]
edit = "remove-first"
param1 = "4"
each-line = true
)");
  ASSERT_EQ(file.Recipes().size(), 1u);
  EXPECT_EQ(Short(file.Recipes()),
            "Numbered PDF lines: remove-invisible unwrap-lines remove-first(4|-)*");
  const Recipe& recipe = file.Recipes()[0];
  EXPECT_EQ(recipe.position, (FilePosition{1, 1}));
  EXPECT_EQ(recipe.steps[2].position, (FilePosition{7, 1}));
  EXPECT_EQ(recipe.hotkey, std::nullopt);
  EXPECT_TRUE(file.Warnings().empty());
  EXPECT_EQ(file.Find("numbered pdf LINES"), &recipe) << "found regardless of case";
  EXPECT_EQ(file.Find("Numbered"), nullptr);
}

struct GoodFile {
  const char* name;
  std::string text;
  std::string recipes;  // as Short writes them
};

TEST(RecipeFile, ReadsWhatAGoodFileHolds) {
  const GoodFile cases[] = {
      {"empty file", "", ""},
      {"only a byte order mark", "\xEF\xBB\xBF", ""},
      {"no recipes, an empty list of them", "recipe = []\n", ""},
      {"a recipe without steps", "[[recipe]]\nname = \"Nothing\"\n", "Nothing:"},
      {"a number as param1 stands for its decimal text",
       "[[recipe]]\nname = \"n\"\n[[recipe.step]]\nedit = \"remove-first\"\nparam1 = 4\n"
       "[[recipe.step]]\nedit = \"remove-first\"\nparam1 = -12\nparam2 = 0x1F\n",
       "n: remove-first(4|-) remove-first(-12|31)"},
      {"an option text as the edit, hotkey and mode",
       "[[recipe]]\nname = \"Tabs\"\nhotkey = \"Ctrl+Alt+Shift+R\"\nmode = \"in-place\"\n"
       "[[recipe.step]]\nedit = \"Remove all tabs in clipboard\"\neach-line = false\n",
       "Tabs: Remove all tabs in clipboard"},
      {"steps as an inline array, strings with escapes",
       "[[recipe]]\nname = 'Lit\\eral'\nstep = [{ edit = \"replace-list\", param1 = "
       "\"a\\tb\\r\\n\","
       " param2 = \"\\u00e9\" }]\n",
       "Lit\\eral: replace-list(a\tb\r\n|\xC3\xA9)"},
      {"two recipes whose names differ by more than case",
       "[[recipe]]\nname = \"Trim\"\n[[recipe]]\nname = \"Trim \"\n", "Trim:; Trim :"},
  };
  for (const GoodFile& good : cases) {
    const RecipeFile file = Read(good.text);
    EXPECT_EQ(Short(file.Recipes()), good.recipes) << good.name;
    EXPECT_TRUE(file.Warnings().empty()) << good.name;
  }
  const RecipeFile tabs = Read(cases[5].text);
  EXPECT_EQ(tabs.Recipes()[0].hotkey, "Ctrl+Alt+Shift+R");
  EXPECT_EQ(tabs.Recipes()[0].mode, "in-place");
}

struct BadFile {
  const char* name;
  std::string text;
  std::string refusal;  // the error's whole text, or its start for toml++'s own words
};

TEST(RecipeFile, RefusesABadFileWithWhereAndWhat) {
  const std::string step = "[[recipe]]\nname = \"R\"\n[[recipe.step]]\n";
  const BadFile cases[] = {
      {"no TOML: a value missing", "[[recipe]]\nname = \n",
       "recipes.toml:2:8: Error while parsing"},
      {"no TOML: an unclosed string", "[[recipe]]\nname = \"R\n", "recipes.toml:2:10: Error"},
      {"no TOML: a key given twice", "[[recipe]]\nname = \"a\"\nname = \"b\"\n",
       "recipes.toml:3:8: Error while parsing key-value pair: cannot redefine"},
      // toml++ 3.3 asks whether such a letter is a space with a table that
      // misses it (undefined behaviour): the staged header is patched.
      {"no TOML: an unquoted value that starts with a letter outside ASCII",
       "[[recipe]]\nname = \xC3\xA9t\xC3\xA9\n", "recipes.toml:2:8: Error while parsing"},
      {"invalid UTF-8", "[[recipe]]\nname = \"\xFF\"\n",
       "recipes.toml:2:8: Encountered invalid utf-8"},
      {"duplicate names by case", "[[recipe]]\nname = \"Trim\"\n\n[[recipe]]\nname = \"TRIM\"\n",
       "recipes.toml:4:1: a second recipe named \"TRIM\": the first, \"Trim\", is on line 1 "
       "(names are compared regardless of case)"},
      {"a recipe without a name", "[[recipe]]\nname = \"a\"\n[[recipe]]\nhotkey = \"Ctrl+A\"\n",
       "recipes.toml:3:1: recipe 2 has no \"name\""},
      {"an empty name", "[[recipe]]\nname = \" \"\n",
       "recipes.toml:1:1: recipe 1: the name is empty"},
      {"a name that is a number", "[[recipe]]\nname = 5\n",
       "recipes.toml:2:8: recipe 1: \"name\" must be a string, not a whole number"},
      {"a hotkey that is no string", "[[recipe]]\nname = \"R\"\nhotkey = true\n",
       "recipes.toml:3:10: recipe \"R\": \"hotkey\" must be a string, not true or false"},
      {"a mode that is no string", "[[recipe]]\nname = \"R\"\nmode = [1]\n",
       "recipes.toml:3:8: recipe \"R\": \"mode\" must be a string, not an array"},
      {"recipe as a table", "[recipe]\nname = \"R\"\n",
       "recipes.toml:1:1: \"recipe\" must be an array of tables, written [[recipe]] before each, "
       "not a table"},
      {"recipe as a string", "recipe = \"R\"\n",
       "recipes.toml:1:10: \"recipe\" must be an array of tables, written [[recipe]] before each, "
       "not a string"},
      {"recipe as an array of numbers", "recipe = [1, 2]\n",
       "recipes.toml:1:10: \"recipe\" must be an array of tables, written [[recipe]] before each, "
       "not an array of other values"},
      {"step as a table", "[[recipe]]\nname = \"R\"\n[recipe.step]\nedit = \"unwrap-lines\"\n",
       "recipes.toml:3:1: recipe \"R\": \"step\" must be an array of tables, written "
       "[[recipe.step]] before each, not a table"},
      {"a step without an edit", step + "param1 = \"4\"\n",
       "recipes.toml:3:1: recipe \"R\", step 1 has no \"edit\""},
      {"an edit that is a number", step + "edit = 4\n",
       "recipes.toml:4:8: recipe \"R\", step 1: \"edit\" must be a string, not a whole number"},
      {"an empty edit", step + "edit = \"\"\n",
       "recipes.toml:3:1: recipe \"R\", step 1: the edit is empty"},
      {"an unknown edit, by name",
       step + "edit = \"unwrap-lines\"\n[[recipe.step]]\nedit = \"unwrap-line\"\n",
       "recipes.toml:5:1: recipe \"R\", step 2: unknown edit \"unwrap-line\""},
      {"a parameter the check refuses", step + "edit = \"remove-first\"\n",
       "recipes.toml:3:1: recipe \"R\", step 1: remove-first needs param1"},
      {"a decimal number as param1", step + "edit = \"remove-first\"\nparam1 = 4.5\n",
       "recipes.toml:5:10: recipe \"R\", step 1: \"param1\" must be a string or a whole number, "
       "not a decimal number"},
      {"a boolean as param2", step + "edit = \"replace-list\"\nparam2 = false\n",
       "recipes.toml:5:10: recipe \"R\", step 1: \"param2\" must be a string or a whole number, "
       "not true or false"},
      {"each-line not a boolean", step + "edit = \"unwrap-lines\"\neach-line = \"true\"\n",
       "recipes.toml:5:13: recipe \"R\", step 1: \"each-line\" must be true or false, not a "
       "string"},
      {"each-line a number", step + "edit = \"unwrap-lines\"\neach-line = 1\n",
       "recipes.toml:5:13: recipe \"R\", step 1: \"each-line\" must be true or false, not a whole "
       "number"},
  };
  for (const BadFile& bad : cases) {
    try {
      (void)Read(bad.text);
      ADD_FAILURE() << bad.name << ": read without a refusal";
    } catch (const RecipeFileError& error) {
      EXPECT_EQ(std::string(error.what()).substr(0, bad.refusal.size()), bad.refusal)
          << bad.name << "\n  refused with: " << error.what();
    }
  }
}

TEST(RecipeFile, UnknownKeysAreKeptAndWarnedAboutWithNameAndLine) {
  const RecipeFile file = Read(R"(version = 2
[[recipe]]
name = "R"
colour = "blue"
[[recipe.step]]
edit = "unwrap-lines"
each_line = true
[[recipe.steps]]
edit = "remove-invisible"
[[recipes]]
name = "typo"
)");
  EXPECT_EQ(Short(file.Recipes()), "R: unwrap-lines") << "each_line is not each-line";
  const std::vector<std::string> expected = {
      // in the order of the file
      "recipes.toml:1:1: unknown key \"version\" at the top of the file, kept but not used",
      "recipes.toml:4:1: unknown key \"colour\" in recipe \"R\", kept but not used",
      "recipes.toml:7:1: unknown key \"each_line\" in recipe \"R\", step 1, kept but not used "
      "(did you mean \"each-line\"?)",
      "recipes.toml:8:10: unknown key \"steps\" in recipe \"R\", kept but not used "
      "(did you mean \"step\"?)",
      "recipes.toml:10:3: unknown key \"recipes\" at the top of the file, kept but not used "
      "(did you mean \"recipe\"?)",
  };
  EXPECT_EQ(file.WarningTexts(), expected);
  ASSERT_EQ(file.Warnings().size(), expected.size());
  EXPECT_EQ(file.Warnings()[2].where, (FilePosition{7, 1}));
}

}  // namespace
}  // namespace fenlow::recipes
