// Recipe files on the simulated desktop's disk, with writes that fail.
#include <gtest/gtest.h>

#include <string>

#include "edits/recipes/recipe_file_io.h"
#include "platform/sim/simulated_desktop.h"
#include "recipe_test_support.h"

namespace fenlow::recipes {
namespace {

using testing::CheckStep;
using testing::NewRecipe;
using testing::NewStep;
using testing::Short;

constexpr char16_t kPath[] = u"C:\\Users\\me\\AppData\\Roaming\\Kestrane\\Fenlow\\recipes.toml";
constexpr char16_t kBackup[] =
    u"C:\\Users\\me\\AppData\\Roaming\\Kestrane\\Fenlow\\recipes.toml.bak";
const std::string kHandEdited =
    "# mine\n[[recipe]]\nname = \"Tabs\"  # a comment\n"
    "[[recipe.step]]\nedit = \"unwrap-lines\"\n";

class RecipeFilesOnTheDesktop : public ::testing::Test {
 protected:
  // Read kHandEdited, then written back with a second recipe.
  void WriteWithASecondRecipe() {
    const RecipeFile read = ReadRecipeFile(desktop->Files(), kPath, CheckStep);
    std::vector<Recipe> recipes = read.Recipes();
    recipes.push_back(recipes[0]);
    recipes.back().name = "Tabs 2";
    WriteRecipeFile(desktop->Files(), kPath, read, recipes, CheckStep);
  }

  std::unique_ptr<platform::sim::SimulatedDesktop> desktop =
      platform::sim::CreateSimulatedDesktop();
};

TEST_F(RecipeFilesOnTheDesktop, AWriteKeepsThePreviousFileAsTheBackup) {
  desktop->AddFile(kPath, kHandEdited);
  WriteWithASecondRecipe();
  EXPECT_EQ(desktop->FileNamed(kBackup), kHandEdited) << "the hand-edited file, byte for byte";
  const RecipeFile written = ReadRecipeFile(desktop->Files(), kPath, CheckStep);
  EXPECT_EQ(Short(written.Recipes()), "Tabs: unwrap-lines; Tabs 2: unwrap-lines");

  WriteRecipeFile(desktop->Files(), kPath, written, {written.Recipes()[1]}, CheckStep);
  EXPECT_EQ(Short(ReadRecipeFile(desktop->Files(), kBackup, CheckStep).Recipes()),
            "Tabs: unwrap-lines; Tabs 2: unwrap-lines")
      << "every write keeps the file it replaces";
}

TEST_F(RecipeFilesOnTheDesktop, TheFirstWriteMakesTheFileAndNoBackup) {
  WriteRecipeFile(desktop->Files(), kPath, RecipeFile(),
                  {NewRecipe("New", {NewStep("unwrap-lines")})}, CheckStep);
  EXPECT_EQ(desktop->FileNamed(kPath),
            "[[recipe]]\nname = \"New\"\n[[recipe.step]]\n"
            "edit = \"unwrap-lines\"\n");
  EXPECT_EQ(desktop->FileNamed(kBackup), std::nullopt);
}

TEST_F(RecipeFilesOnTheDesktop, AWriteThatFailsLeavesTheOldFileWhole) {
  for (const std::u16string& failing : {std::u16string(kPath), std::u16string(kBackup)}) {
    desktop->AddFile(kPath, kHandEdited);
    desktop->FailReplacing(failing);
    EXPECT_THROW(WriteWithASecondRecipe(), platform::Failure);
    EXPECT_EQ(desktop->FileNamed(kPath), kHandEdited);
  }
}

TEST_F(RecipeFilesOnTheDesktop, ASetRefusedWritesNothing) {
  desktop->AddFile(kPath, kHandEdited);
  const RecipeFile read = ReadRecipeFile(desktop->Files(), kPath, CheckStep);
  desktop->ClearCalls();
  EXPECT_THROW(WriteRecipeFile(desktop->Files(), kPath, read,
                               {read.Recipes()[0], read.Recipes()[0]}, CheckStep),
               RecipeError);
  EXPECT_TRUE(desktop->Calls().empty());
  EXPECT_EQ(desktop->FileNamed(kBackup), std::nullopt);
}

TEST_F(RecipeFilesOnTheDesktop, ReadingNamesTheFileInItsMessages) {
  desktop->AddFile(kPath, "[[recipe]]\nname = 1\n");
  try {
    (void)ReadRecipeFile(desktop->Files(), kPath, CheckStep);
    ADD_FAILURE() << "read a name that is a number";
  } catch (const RecipeFileError& error) {
    EXPECT_EQ(std::string(error.what()),
              "C:\\Users\\me\\AppData\\Roaming\\Kestrane\\Fenlow\\recipes.toml:2:8: recipe 1: "
              "\"name\" must be a string, not a whole number");
  }
  EXPECT_THROW((void)ReadRecipeFile(desktop->Files(), u"C:\\missing.toml", CheckStep),
               platform::Failure);
}

}  // namespace
}  // namespace fenlow::recipes
