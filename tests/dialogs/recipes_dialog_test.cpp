// The Recipes dialog on the simulated desktop, driven as a user drives it.
#include "dialogs/recipes_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/preview_worker.h"
#include "dialogs/recipes_layout.h"
#include "dialogs/text_marks.h"
#include "platform/sim/simulated_desktop.h"
#include "platform/sim/simulated_ui.h"

namespace fenlow::testing {
namespace {

using namespace recipes_form;
using platform::MarkedRange;
using platform::sim::SimulatedForm;
using recipes::Recipe;
using recipes::RecipeStep;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr std::u16string_view kHeldKey = u"Ctrl+Alt+A";
constexpr std::u16string_view kHeldReason = u"Ctrl+Alt+A is Fenlow's key to apply the chosen edit.";

Recipe MakeRecipe(std::string name, std::vector<RecipeStep> steps = {}) {
  Recipe recipe;
  recipe.name = std::move(name);
  recipe.steps = std::move(steps);
  return recipe;
}

RecipeStep MakeStep(std::string edit, std::optional<std::string> param1 = std::nullopt) {
  RecipeStep step;
  step.edit = std::move(edit);
  step.param1 = std::move(param1);
  return step;
}

std::string Narrow(std::u16string_view text) {
  std::string narrow;
  for (const char16_t unit : text) narrow.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  return narrow;
}

// Chooses the edit to add by its short name, as the chooser lists it.
void PickEdit(SimulatedForm& form, std::u16string_view name) {
  std::u16string prefix(name);
  prefix.append(u": ");
  for (const std::u16string& item : form.Sim(kEditToAdd).Items()) {
    if (item.starts_with(prefix)) return form.Pick(kEditToAdd, item);
  }
  ADD_FAILURE() << "no edit " << Narrow(name);
}

std::vector<std::string> Names(const std::vector<Recipe>& recipes) {
  std::vector<std::string> names;
  for (const Recipe& recipe : recipes) names.push_back(recipe.name);
  return names;
}

std::vector<std::string> Edits(const Recipe& recipe) {
  std::vector<std::string> edits;
  for (const RecipeStep& step : recipe.steps) edits.push_back(step.edit);
  return edits;
}

class RecipesDialogTest : public ::testing::Test {
 protected:
  RecipesDialogTest() : desktop(platform::sim::CreateSimulatedDesktop()) {
    desktop->Forms().SetApplicationTitle(u"Fenlow");
  }

  RecipesDialogServices Services() {
    RecipesDialogServices services;
    services.hotkeyProblem = [](std::u16string_view hotkey, std::string_view) {
      return hotkey == kHeldKey ? std::u16string(kHeldReason) : std::u16string();
    };
    services.clipboardText = [this] { return platform::SharedText(clipboard); };
    services.accept = [this](const std::vector<Recipe>& recipes) {
      accepted = recipes;
      return true;
    };
    services.openFolder = [this] { ++foldersOpened; };
    return services;
  }

  // Shows the dialog with `recipes`; `user` acts while it is open.
  bool Show(std::vector<Recipe> recipes, std::function<void(SimulatedForm&)> user) {
    desktop->SimForms().WhenModal(std::move(user));
    return dialog.ShowModal({std::move(recipes), std::nullopt});
  }

  // Waits, dispatching the preview's deliveries, until the box shows `text`.
  bool PreviewShows(SimulatedForm& form, const char* box, std::u16string_view text) {
    return desktop->SimMessaging().DispatchUntil([&] { return form.Sim(box).Text() == text; },
                                                 std::chrono::seconds(10));
  }

  std::vector<std::u16string> MessageTexts() const {
    std::vector<std::u16string> texts;
    for (const auto& message : desktop->SimForms().Messages()) texts.push_back(message.text);
    return texts;
  }

  std::unique_ptr<platform::sim::SimulatedDesktop> desktop;
  std::u16string clipboard = u"a b c";
  std::optional<std::vector<Recipe>> accepted;
  int foldersOpened = 0;
  RecipesDialog dialog{*desktop, Services()};
};

// --- Editing the recipes and their steps ---------------------------------------------

struct EditingCase {
  const char* what;
  std::function<void(SimulatedForm&)> user;  // before OK
  std::vector<std::string> names;
  std::vector<std::string> firstSteps;  // the edits of the first recipe other than "Beta"
};

TEST_F(RecipesDialogTest, EditsRecipesAndStepsAsTheUserDoes) {
  const std::vector<EditingCase> cases = {
      {"new",
       [](SimulatedForm& f) { f.Click(kNewRecipe); },
       {"Alpha", "New recipe", "Beta"},
       {"remove-all-spaces", "upper-case"}},
      {"duplicate",
       [](SimulatedForm& f) { f.Click(kDuplicateRecipe); },
       {"Alpha", "Alpha copy", "Beta"},
       {"remove-all-spaces", "upper-case"}},
      {"delete", [](SimulatedForm& f) { f.Click(kDeleteRecipe); }, {"Beta"}, {}},
      {"move down",
       [](SimulatedForm& f) { f.Click(kRecipeDown); },
       {"Beta", "Alpha"},
       {"remove-all-spaces", "upper-case"}},
      {"move up",
       [](SimulatedForm& f) {
         f.Choose(kRecipeList, 1);
         f.Click(kRecipeUp);
       },
       {"Beta", "Alpha"},
       {"remove-all-spaces", "upper-case"}},
      {"rename",
       [](SimulatedForm& f) { f.Type(kRecipeName, u"Gamma"); },
       {"Gamma", "Beta"},
       {"remove-all-spaces", "upper-case"}},
      {"add a step after the chosen one",
       [](SimulatedForm& f) {
         PickEdit(f, u"lower-case");
         f.Click(kAddStep);
       },
       {"Alpha", "Beta"},
       {"remove-all-spaces", "lower-case", "upper-case"}},
      {"remove a step",
       [](SimulatedForm& f) { f.Click(kRemoveStep); },
       {"Alpha", "Beta"},
       {"upper-case"}},
      {"move a step down",
       [](SimulatedForm& f) { f.Click(kStepDown); },
       {"Alpha", "Beta"},
       {"upper-case", "remove-all-spaces"}},
      {"move a step up",
       [](SimulatedForm& f) {
         f.Choose(kStepList, 1);
         f.Click(kStepUp);
       },
       {"Alpha", "Beta"},
       {"upper-case", "remove-all-spaces"}},
      {"Delete removes the selected step",
       [](SimulatedForm& f) {
         f.Choose(kStepList, 1);
         f.PressDelete(kStepList);
       },
       {"Alpha", "Beta"},
       {"remove-all-spaces"}},
  };
  for (const EditingCase& test : cases) {
    SCOPED_TRACE(test.what);
    accepted.reset();
    const bool ok =
        Show({MakeRecipe("Alpha", {MakeStep("remove-all-spaces"), MakeStep("upper-case")}),
              MakeRecipe("Beta")},
             [&](SimulatedForm& form) {
               test.user(form);
               form.Click(kOk);
             });
    ASSERT_TRUE(ok);
    ASSERT_TRUE(accepted);
    EXPECT_EQ(Names(*accepted), test.names);
    const auto first = std::find_if(accepted->begin(), accepted->end(),
                                    [](const Recipe& r) { return r.name != "Beta"; });
    EXPECT_EQ(first == accepted->end() ? std::vector<std::string>{} : Edits(*first),
              test.firstSteps);
  }
}

TEST_F(RecipesDialogTest, ParametersEachLineAndModeAreKeptWithShortNames) {
  RecipeStep byOptionText = MakeStep("Remove first x character(s) in clipboard", "1");
  Recipe untouched = MakeRecipe("Untouched", {MakeStep("upper-case")});
  ASSERT_TRUE(Show({MakeRecipe("Alpha", {byOptionText}), untouched}, [](SimulatedForm& form) {
    form.Type(kParam1, u"3");
    form.Click(kEachLine);
    form.Pick(kMode, u"Paste edited");
    form.Choose(kRecipeList, 1);  // shown, not changed
    form.Click(kOk);
  }));
  ASSERT_TRUE(accepted);
  const RecipeStep& step = (*accepted)[0].steps[0];
  EXPECT_EQ(step.edit, "remove-first");
  EXPECT_EQ(step.param1, "3");
  EXPECT_TRUE(step.eachLine);
  EXPECT_EQ((*accepted)[0].mode, "paste");
  EXPECT_EQ((*accepted)[1].mode, std::nullopt);  // never chosen: stays absent
}

TEST_F(RecipesDialogTest, ParameterLabelsSayWhatTheyMeanForTheEdit) {
  Show({MakeRecipe("Alpha", {MakeStep("remove-first", "1"), MakeStep("upper-case")})},
       [](SimulatedForm& form) {
         EXPECT_EQ(form.Sim(kParam1Label).Text(),
                   u"x, the count or position (a whole number) (&1):");
         form.Choose(kStepList, 1);
         EXPECT_EQ(form.Sim(kParam1Label).Text(), u"Not used by this edit (&1):");
         form.Click(kCancel);
       });
}

// --- What is refused, at once and at OK --------------------------------------------------

struct RefusalCase {
  const char* what;
  std::vector<Recipe> recipes;
  std::function<void(SimulatedForm&)> user;
  const char* problemLabel;
  std::u16string problem;        // shown beside the box at once
  std::u16string okMessagePart;  // in the message OK shows
};

TEST_F(RecipesDialogTest, RefusesWhatCannotBeKeptAtOnceAndAtOk) {
  const std::vector<RefusalCase> cases = {
      {"an x that is no number",
       {MakeRecipe("Alpha", {MakeStep("upper-case"), MakeStep("remove-first", "1")})},
       [](SimulatedForm& f) {
         f.Choose(kStepList, 1);
         f.Type(kParam1, u"abc");
       },
       kStepProblem,
       u"",
       u"Step 2 (remove-first): "},
      {"a pattern that does not compile",
       {MakeRecipe("Alpha", {MakeStep("regex-replace", "a")})},
       [](SimulatedForm& f) { f.Type(kParam1, u"("); },
       kStepProblem,
       u"",
       u"Step 1 (regex-replace): "},
      {"a name another recipe has, in another case",
       {MakeRecipe("Alpha"), MakeRecipe("Beta")},
       [](SimulatedForm& f) {
         f.Choose(kRecipeList, 1);
         f.Type(kRecipeName, u"ALPHA");
       },
       kNameProblem,
       u"Another recipe is named \"Alpha\" (names are compared regardless of case).",
       u"Another recipe is named \"Alpha\""},
      {"an empty name",
       {MakeRecipe("Alpha")},
       [](SimulatedForm& f) { f.Type(kRecipeName, u""); },
       kNameProblem,
       u"A recipe needs a name.",
       u"A recipe needs a name."},
      {"a name of two lines (Enter in the box)",
       {MakeRecipe("Alpha")},
       [](SimulatedForm& f) { f.Type(kRecipeName, u"Al\r\npha"); },
       kNameProblem,
       u"A recipe's name is one line.",
       u"A recipe's name is one line."},
      {"a hotkey held elsewhere",
       {MakeRecipe("Alpha")},
       [](SimulatedForm& f) { f.Type(kHotkey, kHeldKey); },
       kHotkeyProblem,
       std::u16string(kHeldReason),
       std::u16string(kHeldReason)},
      {"a hotkey another recipe of the dialog has",
       {MakeRecipe("Alpha"), MakeRecipe("Beta")},
       [](SimulatedForm& f) {
         f.Type(kHotkey, u"Ctrl+Alt+R");
         f.Choose(kRecipeList, 1);
         f.Type(kHotkey, u"Ctrl+Alt+R");
       },
       kHotkeyProblem,
       u"Ctrl+Alt+R is already the hotkey of Fenlow's recipe \"Alpha\".",
       u"Ctrl+Alt+R is already the hotkey of Fenlow's recipe \"Alpha\"."},
  };
  for (const RefusalCase& test : cases) {
    SCOPED_TRACE(test.what);
    accepted.reset();
    const std::size_t messagesBefore = MessageTexts().size();
    desktop->SimForms().AnswerNextQuestion(true);  // the close at the end discards
    Show(test.recipes, [&](SimulatedForm& form) {
      test.user(form);
      const std::u16string shown = form.Sim(test.problemLabel).Text();
      if (test.problem.empty()) {
        EXPECT_FALSE(shown.empty());
      } else {
        EXPECT_EQ(shown, test.problem);
      }
      form.Click(kOk);
      EXPECT_TRUE(form.IsLoaded());
    });
    EXPECT_FALSE(accepted);
    ASSERT_EQ(MessageTexts().size(), messagesBefore + 1);
    EXPECT_THAT(Narrow(MessageTexts().back()), HasSubstr(Narrow(test.okMessagePart)));
  }
}

TEST_F(RecipesDialogTest, BadParameterBoxIsMarkedAndMendedAtOnce) {
  Show({MakeRecipe("Alpha", {MakeStep("remove-first", "1")})}, [](SimulatedForm& form) {
    form.Type(kParam1, u"abc");
    EXPECT_EQ(form.Sim(kParam1).Background(), 0x00C0C0FFu);
    form.Type(kParam1, u"2");
    EXPECT_EQ(form.Sim(kParam1).Background(), platform::kWhite);
    EXPECT_EQ(form.Sim(kStepProblem).Text(), u"");
    form.Click(kOk);
  });
  ASSERT_TRUE(accepted);
  EXPECT_EQ((*accepted)[0].steps[0].param1, "2");
}

// --- Leaving without OK --------------------------------------------------------------

struct LeavingCase {
  const char* what;
  bool change;
  std::function<void(SimulatedForm&)> leave;
  bool answerYes;
  std::size_t questions;
  bool closed;  // by the leaving itself
};

TEST_F(RecipesDialogTest, CancelEscapeAndCloseBoxAskOnlyWhenThereAreChanges) {
  const auto cancel = [](SimulatedForm& f) { f.Click(kCancel); };
  const auto escape = [](SimulatedForm& f) { f.PressEscape(); };
  const auto closeBox = [](SimulatedForm& f) { f.CloseBox(); };
  const std::vector<LeavingCase> cases = {
      {"cancel, no change", false, cancel, false, 0, true},
      {"cancel, changes discarded", true, cancel, true, 1, true},
      {"cancel, changes kept", true, cancel, false, 1, false},
      {"escape, changes discarded", true, escape, true, 1, true},
      {"escape, changes kept", true, escape, false, 1, false},
      {"close box, changes kept", true, closeBox, false, 1, false},
      {"close box, no change", false, closeBox, false, 0, true},
  };
  for (const LeavingCase& test : cases) {
    SCOPED_TRACE(test.what);
    accepted.reset();
    const std::size_t questionsBefore = desktop->SimForms().Questions().size();
    if (test.change) desktop->SimForms().AnswerNextQuestion(test.answerYes);
    if (!test.closed) desktop->SimForms().AnswerNextQuestion(true);  // the close that follows
    const bool ok = Show({MakeRecipe("Alpha")}, [&](SimulatedForm& form) {
      if (test.change) form.Click(kNewRecipe);
      test.leave(form);
      EXPECT_EQ(form.IsLoaded(), !test.closed);
      if (form.IsLoaded()) form.CloseBox();
    });
    EXPECT_FALSE(ok);
    EXPECT_FALSE(accepted);
    const std::size_t asked = desktop->SimForms().Questions().size() - questionsBefore;
    EXPECT_EQ(asked, test.questions + (test.closed ? 0 : 1));
  }
}

// --- The preview ----------------------------------------------------------------------

TEST_F(RecipesDialogTest, PreviewFollowsChangesAndNewCopiesAndShowsAFailingStep) {
  clipboard = u"a b c";
  desktop->SimForms().AnswerNextQuestion(true);  // Cancel discards the new steps
  Show({MakeRecipe("Alpha", {MakeStep("remove-all-spaces")})}, [&](SimulatedForm& form) {
    ASSERT_TRUE(PreviewShows(form, kAfter, u"abc"));
    EXPECT_EQ(form.Sim(kBefore).Text(), u"a b c");
    EXPECT_EQ(form.Sim(kSummary).Text(), u"2 characters removed.");

    PickEdit(form, u"upper-case");
    form.Click(kAddStep);
    ASSERT_TRUE(PreviewShows(form, kAfter, u"ABC"));

    clipboard = u"x y";
    dialog.ClipboardChanged();
    ASSERT_TRUE(PreviewShows(form, kAfter, u"XY"));
    EXPECT_EQ(form.Sim(kBefore).Text(), u"x y");

    PickEdit(form, u"remove-first");
    form.Click(kAddStep);  // no x yet
    ASSERT_TRUE(desktop->SimMessaging().DispatchUntil(
        [&] { return form.Sim(kAfter).Text().starts_with(u"Step 3 (remove-first) fails: "); },
        std::chrono::seconds(10)))
        << Narrow(form.Sim(kAfter).Text());
    EXPECT_THAT(Narrow(form.Sim(kSummary).Text()), HasSubstr("Step 3 (remove-first) fails"));
    EXPECT_TRUE(form.Sim(kAfter).MarkedRanges().empty());

    form.Type(kParam1, u"1");
    ASSERT_TRUE(PreviewShows(form, kAfter, u"Y"));
    form.Click(kCancel);
  });
}

TEST_F(RecipesDialogTest, PreviewMarksWhatChanged) {
  clipboard = u"a b c";
  Show({MakeRecipe("Alpha", {MakeStep("replace-all-spaces", "--")})}, [&](SimulatedForm& form) {
    ASSERT_TRUE(PreviewShows(form, kAfter, u"a--b--c"));
    EXPECT_THAT(form.Sim(kBefore).MarkedRanges(),
                ElementsAre(MarkedRange{1, 1, kRemovedColour}, MarkedRange{3, 1, kRemovedColour}));
    EXPECT_THAT(form.Sim(kAfter).MarkedRanges(),
                ElementsAre(MarkedRange{1, 2, kAddedColour}, MarkedRange{4, 2, kAddedColour}));
    form.Click(kCancel);
  });
}

// --- The preview's thread ----------------------------------------------------------------

TEST_F(RecipesDialogTest, TasksPostedFromAnotherThreadRunAtTheNextDispatchInOrder) {
  std::vector<int> ran;
  std::thread poster([&] {
    for (int task = 0; task < 3; ++task) {
      desktop->Forms().PostFromAnyThread([&ran, task] { ran.push_back(task); });
    }
  });
  poster.join();
  EXPECT_TRUE(ran.empty()) << "not before the window's thread dispatches";
  ASSERT_TRUE(desktop->SimMessaging().DispatchUntil([&] { return ran.size() == 3; },
                                                    std::chrono::seconds(10)));
  EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
}

TEST_F(RecipesDialogTest, OnlyTheNewestRequestsPreviewIsDelivered) {
  std::vector<std::u16string> delivered;
  PreviewWorker worker(desktop->Forms(),
                       [&](const Preview& preview) { delivered.push_back(preview.after); });
  worker.Request(platform::SharedText(u"old text"), {MakeStep("upper-case")});
  worker.Request(platform::SharedText(u"new text"), {MakeStep("upper-case")});
  ASSERT_TRUE(desktop->SimMessaging().DispatchUntil([&] { return !delivered.empty(); },
                                                    std::chrono::seconds(10)));
  desktop->SimMessaging().RunMessageLoop();
  EXPECT_THAT(delivered, ElementsAre(u"NEW TEXT"));
}

// The budget: once comparisons would overdraw it, what is left is marked
// whole; until then each changed line is compared against its own.
TEST(TextMarksTest, BeyondTheBudgetTheRestIsMarkedWhole) {
  constexpr std::size_t kLine = 2000;  // each changed at both ends: nothing to trim
  std::u16string before;
  std::u16string after;
  for (int line = 0; line < 20; ++line) {
    const std::u16string middle(kLine - 2, static_cast<char16_t>(u'a' + line));
    before.append(u"<").append(middle).append(u">\r\n");
    after.append(u"[").append(middle).append(u"]\r\n");
  }
  const TextMarks marks = MarkChanges(before, after);
  constexpr std::size_t kCompared = kDiffBudget / (2 * kLine * kLine);
  auto lineMarks = [&](std::size_t line) {
    std::vector<MarkedRange> found;
    for (const MarkedRange& mark : marks.removed) {
      if (mark.start / (kLine + 2) == line) found.push_back(mark);
    }
    return found;
  };
  const std::size_t first = 0;
  EXPECT_THAT(lineMarks(first), ElementsAre(MarkedRange{0, 1, kRemovedColour},
                                            MarkedRange{kLine - 1, 1, kRemovedColour}));
  const std::size_t beyond = kCompared * (kLine + 2);
  EXPECT_THAT(lineMarks(kCompared), ElementsAre(MarkedRange{beyond, kLine, kRemovedColour}))
      << "a line beyond the budget is marked whole";
}

// Line by line beyond the character limit, each changed line against its own.
TEST(TextMarksTest, MarksLineByLineBeyondTheCharacterLimit) {
  std::u16string before;
  std::u16string after;
  for (int line = 0; line < 2000; ++line) {
    before.append(u"ab cd\r\n");
    after.append(u"abcd\r\n");
  }
  const TextMarks marks = MarkChanges(before, after);
  ASSERT_EQ(marks.removed.size(), 2000u);
  EXPECT_EQ(marks.removed[0], (MarkedRange{2, 1, kRemovedColour}));
  EXPECT_EQ(marks.removed[1999], (MarkedRange{1999 * 7 + 2, 1, kRemovedColour}));
  EXPECT_TRUE(marks.added.empty());
}

TEST_F(RecipesDialogTest, PreviewOfAHugeClipboardTakesItsBeginningAndSaysSo) {
  clipboard.assign(3'000'000, u'x');
  Show({MakeRecipe("Alpha", {MakeStep("upper-case")})}, [&](SimulatedForm& form) {
    ASSERT_TRUE(desktop->SimMessaging().DispatchUntil(
        [&] { return !form.Sim(kSummary).Text().empty(); }, std::chrono::seconds(20)));
    EXPECT_EQ(form.Sim(kBefore).Text().size(), 20'000u);
    EXPECT_THAT(Narrow(form.Sim(kSummary).Text()),
                HasSubstr("(The first 20,000 of 3,000,000 characters.)"));
    form.Click(kCancel);
  });
}

// --- Keyboard access -----------------------------------------------------------------

// Every underlined letter leads to one place, and each caption comes just
// before the box it names in the tab order.
TEST(RecipesLayoutTest, AccessKeysAreUniqueAndCaptionsPrecedeTheirBoxes) {
  const platform::FormSpec spec = RecipesLayout();
  std::map<char16_t, std::string> keys;
  for (const platform::ControlSpec& control : spec.controls) {
    std::u16string_view caption = control.caption;
    if (control.name == kParam1Label) caption = u"(&1)";
    if (control.name == kParam2Label) caption = u"(&2)";
    const std::size_t amp = caption.find(u'&');
    if (amp == std::u16string_view::npos || amp + 1 >= caption.size()) continue;
    const char16_t key = static_cast<char16_t>(std::tolower(caption[amp + 1]));
    EXPECT_TRUE(keys.emplace(key, control.name).second)
        << control.name << " and " << keys[key] << " share '" << static_cast<char>(key) << "'";
  }
  for (std::size_t index = 0; index + 1 < spec.controls.size(); ++index) {
    const platform::ControlSpec& control = spec.controls[index];
    EXPECT_EQ(control.tabIndex, static_cast<int>(index));
    if (control.kind == platform::ControlKind::Label &&
        control.caption.find(u'&') != std::u16string::npos) {
      EXPECT_NE(spec.controls[index + 1].kind, platform::ControlKind::Label) << control.name;
    }
  }
}

// --- A file that cannot be read -----------------------------------------------------------

TEST_F(RecipesDialogTest, UnreadableFileShowsItsMessageAndNothingThatWrites) {
  desktop->SimForms().WhenModal([](SimulatedForm& form) {
    EXPECT_THAT(Narrow(form.Sim(kUnreadable).Text()), HasSubstr("recipes.toml:3:7: bad key"));
    EXPECT_THROW(form.Sim(kOk), platform::Failure);
    form.Click(kOpenFolder);
    form.Click(kClose);
  });
  EXPECT_FALSE(dialog.ShowModal({{}, u"recipes.toml:3:7: bad key"}));
  EXPECT_EQ(foldersOpened, 1);
  EXPECT_FALSE(accepted);
}

}  // namespace
}  // namespace fenlow::testing
