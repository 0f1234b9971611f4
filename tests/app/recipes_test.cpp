// Recipes in the running program, on the simulated desktop: where the recipe
// file lives and when it is written, a recipe run from the icon's menu, from
// its hotkey and on every copy, its failures, its hotkeys among Fenlow's
// others, and what the Recipes dialog's services do with the file.
#include <algorithm>
#include <functional>
#include <memory>

#include "app/recipes_window.h"
#include "dialogs/options_dialog.h"
#include "dialogs/recipes_layout.h"
#include "edits/recipes/recipe_file.h"
#include "platform/sim/simulated_hotkeys.h"
#include "platform/sim/simulated_notification_area.h"
#include "tests/app/app_fixture.h"

namespace fenlow::testing {
namespace {

using platform::Hotkey;
using platform::MenuItem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr std::u16string_view kFolder = u"C:\\Users\\user\\AppData\\Roaming\\Kestrane\\Fenlow";
constexpr std::u16string_view kPath =
    u"C:\\Users\\user\\AppData\\Roaming\\Kestrane\\Fenlow\\recipes.toml";
constexpr Hotkey kRecipeHotkey{true, true, true, 'R'};

// Two recipes: one with a hotkey, one whose second step fails on any text
// (x = 32767 cannot be a start position).
constexpr std::string_view kHandWritten = R"(# my own recipes
[[recipe]]
name = "Squeeze"
hotkey = "Ctrl+Alt+Shift+R"
[[recipe.step]]
edit = "trim-lines"
[[recipe.step]]
edit = "collapse-spaces"

[[recipe]]
name = "Broken"
[[recipe.step]]
edit = "trim-lines"
[[recipe.step]]
edit = "remove-first"
param1 = "32767"
)";

std::string Utf8(std::u16string_view text) {
  return std::string(text.begin(), text.end());  // the texts here are ASCII
}

// What the test does in place of the Recipes dialog: it gets what the
// program shows and the services it gives.
using DialogScript = std::function<bool(const RecipesDialogContent&, const RecipesDialogServices&)>;

class ScriptedRecipesWindow final : public RecipesWindow {
 public:
  ScriptedRecipesWindow(DialogScript& script, RecipesDialogServices services)
      : script_(script), services_(std::move(services)) {}
  bool ShowModal(const RecipesDialogContent& content) override {
    return script_ ? script_(content, services_) : false;
  }
  void ClipboardChanged() override {}

 private:
  DialogScript& script_;
  RecipesDialogServices services_;
};

class RecipesTest : public AppTest {
 public:
  platform::sim::SimulatedTray& Tray() { return desktop->SimTray(); }

  SimulatedForm& StartWith(std::u16string clipboard, std::optional<std::string_view> file) {
    if (file) desktop->SimFiles().AddFile(std::u16string(kPath), std::string(*file));
    desktop->SimClipboard().OtherProgramSetsText(std::move(clipboard));
    program.reset();
    program = std::make_unique<Program>(
        *desktop, [this](platform::Platform&, RecipesDialogServices services) {
          return std::make_unique<ScriptedRecipesWindow>(dialog, std::move(services));
        });
    program->Run();
    desktop->SimMessaging().RunMessageLoop();
    return Main();
  }

  // The writes to the clipboard since the log was last cleared.
  long Writes() const {
    const auto& calls = desktop->Log().Calls();
    return std::count(calls.begin(), calls.end(), "EmptyClipboard");
  }
  std::u16string Clipboard() const { return desktop->SimClipboard().TextOrEmpty(); }
  std::optional<std::string> File() const { return desktop->SimFiles().FileNamed(kPath); }
  int FileWrites() const { return desktop->Faults().AttemptCount("ReplaceWholeFile"); }
  std::vector<std::u16string> Notified() const {
    std::vector<std::u16string> texts;
    for (const auto& told : desktop->SimTray().Notifications()) texts.push_back(told.text);
    return texts;
  }

  // Opens the icon's menu and picks `text` in its Recipes submenu.
  void PickRecipe(std::u16string_view text) {
    Tray().WhenMenuShown([this, text](const std::vector<MenuItem>& items) {
      for (const MenuItem& item : items) {
        if (item.text != u"&Recipes") continue;
        submenu = item.submenu;
        for (const MenuItem& recipe : item.submenu)
          if (recipe.text == text) return recipe.id;
      }
      ADD_FAILURE() << "no such recipe in the menu";
      return 0;
    });
    Tray().RequestMenu();
    desktop->SimMessaging().RunMessageLoop();
  }

  void Undo() {
    program->MainForm().Undo();
    desktop->SimMessaging().RunMessageLoop();
  }

  void OpenRecipes() {
    program->Command().ShowRecipes();
    desktop->SimMessaging().RunMessageLoop();
  }

  DialogScript dialog;
  std::vector<MenuItem> submenu;
};

// --- Where recipes live ----------------------------------------------------------------

TEST_F(RecipesTest, TheFirstStartWritesTheUsefulRecipesAndLaterStartsLeaveTheFileAlone) {
  StartWith(u"x", std::nullopt);
  ASSERT_TRUE(File());
  EXPECT_TRUE(desktop->SimFiles().FolderMade(kFolder));
  const recipes::RecipeFile written =
      recipes::RecipeFile::Parse(*File(), "recipes.toml", EditStepCheck());
  std::vector<std::string> names;
  for (const recipes::Recipe& recipe : written.Recipes()) names.push_back(recipe.name);
  EXPECT_THAT(names, ElementsAre("UPPER CASE", "lower case", "Title Case", "Sentence case",
                                 "Unwrap lines", "Trim lines", "Plain typography", "Sort lines",
                                 "Remove duplicate lines", "Clean PDF text"));
  std::vector<std::string> pdfSteps;
  for (const auto& step : written.Find("Clean PDF text")->steps) pdfSteps.push_back(step.edit);
  EXPECT_THAT(pdfSteps, ElementsAre("remove-invisible", "plain-typography", "unwrap-lines",
                                    "collapse-spaces"));
  EXPECT_EQ(FileWrites(), 1);

  StartWith(u"x", std::nullopt);  // a restart finds the file
  PickRecipe(u"UPPER CASE");
  EXPECT_EQ(Clipboard(), u"X");
  EXPECT_EQ(FileWrites(), 1);
}

// A first file that cannot be written, or no roaming folder at all: Fenlow
// says why and runs without recipes.
TEST_F(RecipesTest, AFirstFileThatCannotBeWrittenIsToldAndFenlowRunsWithoutRecipes) {
  struct Fault {
    const char* call;  // nullptr: no roaming folder
    const char* told;
  };
  const Fault faults[] = {
      {"CreateFolders", "could not write its first recipe file"},
      {"ReplaceWholeFile", "not enough space on the disk"},
      {nullptr, "(%APPDATA%) is not set"},
  };
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.call ? fault.call : "no roaming folder");
    program.reset();
    desktop = platform::sim::CreateSimulatedDesktop();
    if (fault.call) {
      desktop->Faults().Fail(fault.call, 1);
    } else {
      desktop->SimFiles().SetRoamingAppDataFolder(std::nullopt);
    }
    StartWith(u"x", std::nullopt);
    EXPECT_FALSE(File());
    ASSERT_EQ(Notified().size(), 1u);
    EXPECT_THAT(Utf8(Notified()[0]), HasSubstr(fault.told));
    Tray().WhenMenuShown([this](const std::vector<MenuItem>& items) {
      for (const MenuItem& item : items)
        if (item.text == u"&Recipes") submenu = item.submenu;
      return 0;
    });
    Tray().RequestMenu();
    desktop->SimMessaging().RunMessageLoop();
    ASSERT_EQ(submenu.size(), 1u);
    EXPECT_FALSE(submenu[0].enabled);
  }
}

// A hand-edited file is read as it stands: its comment stays, nothing writes it.
TEST_F(RecipesTest, AHandEditedFileIsReadAsItStandsAndReadAgainOnceChanged) {
  StartWith(u"  a   b  ", kHandWritten);
  PickRecipe(u"Squeeze\tCtrl+Alt+Shift+R");
  EXPECT_EQ(Clipboard(), u"a b");
  EXPECT_EQ(File(), std::string(kHandWritten));
  EXPECT_EQ(FileWrites(), 0);

  // Changed on disk: the hotkeys follow it within seconds, with no run, and
  // the next run takes the file as it is now.
  std::string changed(kHandWritten);
  changed.replace(changed.find("collapse-spaces"), 15, "upper-case");
  changed.replace(changed.find("Shift+R"), 7, "Shift+U");
  desktop->SimFiles().AddFile(std::u16string(kPath), changed);
  desktop->SimClock().Advance(std::chrono::seconds(3));
  desktop->SimMessaging().RunMessageLoop();
  EXPECT_FALSE(desktop->SimHotkeys().Press(kRecipeHotkey));
  desktop->SimClipboard().OtherProgramSetsText(u" q ");
  desktop->SimMessaging().RunMessageLoop();
  ASSERT_TRUE(desktop->SimHotkeys().Press(Hotkey{true, true, true, 'U'}));
  desktop->SimMessaging().RunMessageLoop();
  EXPECT_EQ(Clipboard(), u"Q");
}

// --- Running a recipe ---------------------------------------------------------------

// From the menu, from its hotkey and on every copy: one write, one undo step,
// and Undo gives the copy back.
TEST_F(RecipesTest, ARecipeTakesTheOneRoadWithOneWriteAndOneUndoStep) {
  struct Way {
    const char* name;
    std::function<void(RecipesTest&)> run;
  };
  const Way ways[] = {
      {"menu", [](RecipesTest& test) { test.PickRecipe(u"Squeeze\tCtrl+Alt+Shift+R"); }},
      {"hotkey",
       [](RecipesTest& test) {
         ASSERT_TRUE(test.desktop->SimHotkeys().Press(kRecipeHotkey));
         test.desktop->SimMessaging().RunMessageLoop();
       }},
      {"every copy",
       [](RecipesTest& test) {
         test.desktop->SimForms().WhenModal([](SimulatedForm& options) {
           options.Click(options_form::kApplyToEveryCopy);
           options.Pick(options_form::kEveryCopyEdit, u"Recipe: Squeeze");
           options.Click(options_form::kOk);
         });
         test.program->Command().ShowOptions();
         EXPECT_EQ(test.desktop->SimSettings()
                       .Stored()[StoredSettingPath(settings::kApplyToEveryCopyRecipe)],
                   u"Squeeze");
         test.desktop->SimClipboard().OtherProgramSetsText(u"  a   b  ");
         test.desktop->SimMessaging().RunMessageLoop();
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    StartWith(u"  a   b  ", kHandWritten);
    desktop->Log().Clear();
    way.run(*this);
    EXPECT_EQ(Clipboard(), u"a b");
    EXPECT_EQ(TextOf(form1::kText1), u"a b");
    EXPECT_EQ(Writes(), 1);
    EXPECT_EQ(State().UndoSteps.Size(), 1u);
    EXPECT_FALSE(State().RequestedEdit);
    EXPECT_FALSE(State().BulkEditRequested);
    program->MainForm().SetApplyToEveryCopy(false);
    Undo();
    EXPECT_EQ(Clipboard(), u"  a   b  ");
  }
}

// The failing step is named in a notification; nothing is written. On every
// copy it is told once.
TEST_F(RecipesTest, AFailingStepWritesNothingAndIsNamedInANotification) {
  StartWith(u" text ", kHandWritten);
  desktop->Log().Clear();
  PickRecipe(u"Broken");
  EXPECT_EQ(Clipboard(), u" text ");
  EXPECT_EQ(Writes(), 0);
  EXPECT_EQ(State().UndoSteps.Size(), 0u);
  ASSERT_EQ(Notified().size(), 1u);
  EXPECT_THAT(Utf8(Notified()[0]), HasSubstr("\"Broken\" failed at step 2 (remove-first)"));
  EXPECT_THAT(Utf8(Notified()[0]), HasSubstr("x = 32767 is too large"));
  EXPECT_THAT(Messages(), IsEmpty()) << "no box takes the focus";

  program->MainForm().SetApplyToEveryCopy(true);
  program->Command().SetAutomaticRecipeName("Broken");
  for (std::u16string copy : {u"one", u"two"}) {
    desktop->SimClipboard().OtherProgramSetsText(copy);
    desktop->SimMessaging().RunMessageLoop();
    EXPECT_EQ(Clipboard(), copy);
  }
  EXPECT_EQ(Notified().size(), 2u) << "told once for the automatic runs";
  EXPECT_EQ(Writes(), 0);
}

// A recipe's key that the apply key has is named as Fenlow's; Options and
// the dialog refuse Fenlow's own keys.
TEST_F(RecipesTest, FenlowsOwnKeysAreRefusedAsFenlowsEverywhere) {
  std::string clash(kHandWritten);
  clash.replace(clash.find("Shift+R"), 7, "Shift+B");  // the apply key's
  StartWith(u"x", clash);
  desktop->Log().Clear();
  ASSERT_TRUE(desktop->SimHotkeys().Press(Hotkey{true, true, true, 'B'}));
  desktop->SimMessaging().RunMessageLoop();
  EXPECT_EQ(Clipboard(), u"x") << "the apply key applies the chosen edit, not the recipe";
  EXPECT_THAT(Utf8(Tray().Tip()),
              HasSubstr("Ctrl+Alt+Shift+B: Fenlow's hotkey that applies the chosen edit"));

  std::vector<std::u16string> problems;
  dialog = [&](const RecipesDialogContent&, const RecipesDialogServices& services) {
    problems.push_back(services.hotkeyProblem(u"Ctrl+Alt+Shift+Z", "Squeeze"));
    problems.push_back(services.hotkeyProblem(u"Ctrl+Alt+Shift+Q", "Squeeze"));
    return false;
  };
  OpenRecipes();
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_THAT(Utf8(problems[0]), HasSubstr("Fenlow's hotkey that undoes its last write"));
  EXPECT_EQ(problems[1], u"");

  // Options refuses a recipe's key for the undo key.
  std::string recipeKey(kHandWritten);
  StartWith(u"x", recipeKey);
  std::u16string refused;
  bool openAfterOk = false;
  desktop->SimForms().WhenModal([&](SimulatedForm& options) {
    options.Type(options_form::kUndoHotkey, u"Ctrl+Alt+Shift+R");
    options.Click(options_form::kOk);
    openAfterOk = options.IsLoaded();
    refused = options.Sim(options_form::kUndoProblem).Text();
    options.Click(options_form::kCancel);
  });
  program->Command().ShowOptions();
  EXPECT_TRUE(openAfterOk);
  EXPECT_THAT(Utf8(refused), HasSubstr("the hotkey of Fenlow's recipe \"Squeeze\""));
  EXPECT_TRUE(desktop->SimHotkeys().Press(kRecipeHotkey)) << "the recipe keeps its key";
}

// The real dialog, from the icon's menu and from the system menu, with the
// file's recipes; while it is open the keys are free for its hotkey box and
// a click on the icon only brings it to the front.
TEST_F(RecipesTest, RecipesOpensTheDialogAndWhileItIsOpenCommandsBringItToTheFront) {
  for (const bool fromSystemMenu : {false, true}) {
    SCOPED_TRACE(fromSystemMenu);
    desktop->SimFiles().AddFile(std::u16string(kPath), std::string(kHandWritten));
    desktop->SimClipboard().OtherProgramSetsText(u"  a   b  ");
    SimulatedForm& main = Start();  // the program's own dialog
    desktop->SimMessaging().RunMessageLoop();
    std::vector<std::u16string> listed;
    bool inFront = false;
    desktop->SimForms().WhenModal([&](SimulatedForm& recipes) {
      listed = recipes.Sim(recipes_form::kRecipeList).Items();
      EXPECT_FALSE(desktop->SimHotkeys().Press(kRecipeHotkey));
      desktop->SimForms().SetForeground(main.SimHandle());
      Tray().Click();
      desktop->SimMessaging().RunMessageLoop();
      inFront = desktop->SimForms().ForegroundWindow() == recipes.SimHandle();
      recipes.Click(recipes_form::kCancel);
    });
    if (fromSystemMenu) {
      main.ChooseFromSystemMenu(u"&Recipes...");
    } else {
      Tray().WhenMenuShown([](const std::vector<MenuItem>& items) {
        for (const MenuItem& item : items)
          if (item.text == u"R&ecipes...") return item.id;
        return 0;
      });
      Tray().RequestMenu();
    }
    desktop->SimMessaging().RunMessageLoop();
    EXPECT_THAT(listed, ElementsAre(u"Squeeze", u"Broken"));
    EXPECT_TRUE(inFront);
    EXPECT_TRUE(desktop->SimHotkeys().Press(kRecipeHotkey)) << "registered again";
  }
}

// --- The file's safety -----------------------------------------------------------------

TEST_F(RecipesTest, AnUnreadableFileIsToldWithItsPlaceAndNeverWrittenOver) {
  const std::string broken = "[[recipe]]\nname = \"A\"\nhotkey = \n";
  StartWith(u"x", broken);
  ASSERT_EQ(Notified().size(), 1u);
  EXPECT_THAT(Utf8(Notified()[0]), HasSubstr("recipes.toml:3:"));

  std::optional<std::u16string> shown;
  bool threw = false;
  dialog = [&](const RecipesDialogContent& content, const RecipesDialogServices& services) {
    shown = content.unreadable;
    try {
      services.accept(FirstRecipes());
    } catch (const platform::Failure&) {
      threw = true;
    }
    services.openFolder();
    desktop->Faults().Fail("ShellOpen", 1);
    services.openFolder();
    return false;
  };
  OpenRecipes();
  ASSERT_EQ(desktop->SimMessaging().ShellOpenCalls().size(), 1u);
  EXPECT_EQ(desktop->SimMessaging().ShellOpenCalls()[0].file, kFolder);
  ASSERT_EQ(Notified().size(), 2u);
  EXPECT_THAT(Utf8(Notified()[1]), HasSubstr("folder of the recipe file could not be opened"));
  EXPECT_THAT(Utf8(shown.value_or(u"")), HasSubstr("recipes.toml:3:"));
  EXPECT_TRUE(threw);
  PickRecipe(u"(the recipe file cannot be read)");
  EXPECT_EQ(File(), broken);
  EXPECT_EQ(FileWrites(), 0);
  EXPECT_EQ(Notified().size(), 2u) << "the file's problem told once";
}

// OK over a file changed on disk asks first; No leaves the other program's file.
TEST_F(RecipesTest, AFileChangedBehindFenlowsBackIsNotOverwrittenWithoutAsking) {
  const std::string theirs =
      "[[recipe]]\nname = \"Theirs\"\n[[recipe.step]]\nedit = \"sort-lines\"\n";
  for (bool overwrite : {false, true}) {
    SCOPED_TRACE(overwrite);
    StartWith(u"x", kHandWritten);
    bool accepted = true;
    dialog = [&](const RecipesDialogContent& content, const RecipesDialogServices& services) {
      desktop->SimFiles().AddFile(std::u16string(kPath), theirs);
      desktop->SimForms().AnswerNextQuestion(overwrite);
      std::vector<recipes::Recipe> mine = content.recipes;
      mine[0].name = "Squeezed";
      accepted = services.accept(mine);
      return accepted;
    };
    OpenRecipes();
    EXPECT_EQ(accepted, overwrite);
    ASSERT_FALSE(desktop->SimForms().Questions().empty());
    EXPECT_THAT(Utf8(desktop->SimForms().Questions().back().text),
                HasSubstr("changed by another program"));
    if (overwrite) {
      EXPECT_THAT(*File(), HasSubstr("name = \"Squeezed\""));
      EXPECT_EQ(desktop->SimFiles().FileNamed(std::u16string(kPath) + u".bak"), theirs);
    } else {
      EXPECT_EQ(File(), theirs);
    }
  }
}

// A copy while the dialog is open runs the automatic recipe without reading
// the file again: OK still sees the change made behind its back.
TEST_F(RecipesTest, ACopyWhileTheDialogIsOpenDoesNotHideAChangeOnDisk) {
  StartWith(u"x", kHandWritten);
  program->MainForm().SetApplyToEveryCopy(true);
  program->Command().SetAutomaticRecipeName("Squeeze");
  const std::string theirs = std::string(kHandWritten) + "# and a line of theirs\n";
  dialog = [&](const RecipesDialogContent& content, const RecipesDialogServices& services) {
    desktop->SimFiles().AddFile(std::u16string(kPath), theirs);
    desktop->SimClipboard().OtherProgramSetsText(u"  a   b  ");
    desktop->SimMessaging().RunMessageLoop();
    desktop->SimForms().AnswerNextQuestion(false);
    return services.accept(content.recipes);
  };
  OpenRecipes();
  EXPECT_EQ(Clipboard(), u"a b");
  EXPECT_EQ(desktop->SimForms().Questions().size(), 1u);
  EXPECT_EQ(File(), theirs);
}

// Renaming the recipe of automatic mode renames it in the setting; deleting
// it goes back to the chosen edit, told once.
TEST_F(RecipesTest, AutomaticModeFollowsTheRecipeRenamedAndLeavesItDeleted) {
  StartWith(u"x", kHandWritten);
  program->Command().SetAutomaticRecipeName("Squeeze");
  const std::u16string setting = StoredSettingPath(settings::kApplyToEveryCopyRecipe);
  dialog = [](const RecipesDialogContent& content, const RecipesDialogServices& services) {
    std::vector<recipes::Recipe> renamed = content.recipes;
    renamed[0].name = "Tight";
    return services.accept(renamed);
  };
  OpenRecipes();
  EXPECT_EQ(desktop->SimSettings().Stored()[setting], u"Tight");

  dialog = [](const RecipesDialogContent& content, const RecipesDialogServices& services) {
    return services.accept({content.recipes[1]});
  };
  OpenRecipes();
  EXPECT_EQ(desktop->SimSettings().Stored()[setting], u"");
  ASSERT_EQ(Notified().size(), 1u);
  EXPECT_THAT(Utf8(Notified()[0]), HasSubstr("applies the chosen edit again"));
}

}  // namespace
}  // namespace fenlow::testing
