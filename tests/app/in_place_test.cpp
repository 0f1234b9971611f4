// "Paste edited" and "Edit the selection" on the simulated desktop: the
// order of what is sent and read, what the clipboard holds afterwards, and
// the cases where nothing may be sent or nothing may be restored.
#include "app/in_place_edit.h"
#include "edits/engine/catalogue.h"
#include "platform/sim/simulated_hotkeys.h"
#include "platform/sim/simulated_input.h"
#include "platform/sim/simulated_notification_area.h"
#include "tests/app/app_fixture.h"

namespace fenlow::testing {
namespace {

namespace options = edits::options;
namespace key = platform::key;
using platform::Hotkey;
using platform::sim::Reading;
using platform::sim::SimulatedProgram;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using namespace std::chrono_literals;

constexpr Hotkey kApplyHotkey{true, true, true, 'B'};
constexpr Hotkey kPasteHotkey{true, true, true, 'V'};
constexpr std::uint32_t kEditorProcess = 100;
const std::map<std::u16string, std::string> kHtml = {{u"HTML Format", "<b>a b</b>"}};

class InPlaceTest : public AppTest {
 protected:
  // The user's clipboard holds text and HTML; the chosen edit removes spaces.
  void StartWith(std::u16string_view applyMode,
                 std::u16string_view option = options::kRemoveAllSpaces) {
    auto& stored = desktop->SimSettings().Stored();
    stored[StoredSettingPath(settings::kHotkeyApplyMode)] = std::u16string(applyMode);
    stored[StoredSettingPath(settings::kHotkeyPaste)] = u"Ctrl+Alt+Shift+V";
    stored[kChosenEditSetting] = std::u16string(option);
    desktop->SimClipboard().OtherProgramSets({{format::kText, u"a b"}}, kHtml);
    Start();
  }

  SimulatedProgram& Editor(SimulatedProgram arranged = {}) {
    const platform::WindowHandle window = desktop->SimWindows().CreateWindow();
    arranged.process = kEditorProcess;
    arranged.focus = window + 1;
    desktop->SimForms().SetForeground(window);
    return desktop->SimInput().AddProgram(window, std::move(arranged));
  }

  // The user presses the hotkey and lets go of it after `held`.
  void Press(const Hotkey& hotkey, std::chrono::milliseconds held = 80ms) {
    desktop->SimInput().HoldKeys({key::kControl, key::kAlt, key::kShift, hotkey.key}, held);
    ASSERT_TRUE(desktop->SimHotkeys().Press(hotkey)) << "not registered";
    desktop->Log().Clear();
  }

  // Time passes in the message loop's ticks.
  void RunFor(std::chrono::milliseconds span) {
    for (auto left = span; left > 0ms; left -= 5ms) {
      desktop->SimMessaging().RunMessageLoop();
      desktop->SimClock().Advance(5ms);
    }
    desktop->SimMessaging().RunMessageLoop();
  }

  // The calls that tell the order of events.
  std::vector<std::string> Events() const {
    std::vector<std::string> events;
    for (const std::string& call : desktop->Log().Calls()) {
      if (call.starts_with("SendKeys") || call.starts_with("ReadText") || call == "Offer" ||
          call == "ReplaceWithFormats" || call == "EmptyClipboard") {
        events.push_back(call);
      }
    }
    return events;
  }

  // As the log writes texts, to be matched in part.
  std::vector<std::string> Notifications() const {
    std::vector<std::string> texts;
    for (const auto& shown : desktop->SimTray().Notifications())
      texts.push_back(platform::sim::CallLog::Narrow(shown.text));
    return texts;
  }

  // The user's clipboard as it was before the hotkey, the marks beside it.
  void ExpectClipboardAsBefore() {
    EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"a b");
    EXPECT_EQ(desktop->SimClipboard().NamedFormats().at(u"HTML Format"), "<b>a b</b>");
  }

  // What the user sees in Fenlow: no new text, no undo step, no key down.
  void ExpectFenlowUntouched() {
    EXPECT_EQ(TextOf(form1::kText1), u"a b");
    EXPECT_TRUE(State().UndoSteps.Empty());
    EXPECT_THAT(desktop->SimInput().KeysDown(), IsEmpty());
  }
};

// Automatic mode is on: the target's copy of its selection is no copy to edit.
TEST_F(InPlaceTest, EditTheSelectionCopiesEditsPastesOverItAndPutsTheClipboardBack) {
  desktop->SimSettings().Stored()[StoredSettingPath(settings::kApplyToEveryCopy)] = settings::kTrue;
  StartWith(u"selection");
  SimulatedProgram& editor = Editor({.selection = u"x y z"});
  Press(kApplyHotkey, 100ms);
  RunFor(90ms);
  EXPECT_THAT(Events(), IsEmpty()) << "nothing is sent while the hotkey is held";
  RunFor(300ms);

  EXPECT_EQ(editor.pasted, u"xyz");
  EXPECT_THAT(Events(),
              ElementsAre("SendKeys(Ctrl+ C+ C- Ctrl-)", "Offer", "SendKeys(Ctrl+ V+ V- Ctrl-)",
                          "ReadText(100)", "ReplaceWithFormats"));
  ExpectClipboardAsBefore();
  ExpectFenlowUntouched();
  EXPECT_THAT(Notifications(), IsEmpty());
}

// A recipe's hotkey runs in the recipe's mode; a failing step is told and nothing is pasted.
TEST_F(InPlaceTest, ARecipesHotkeyRunsInTheRecipesMode) {
  struct Row {
    std::string_view mode;
    std::string_view step;
    std::u16string pasted;
    std::u16string_view clipboard;  // afterwards
    std::string_view told;          // part of the one notification; empty: none
  };
  const Row rows[] = {
      {"paste", R"(edit = "upper-case")", u"A B", u"a b", ""},
      {"clipboard", R"(edit = "upper-case")", u"", u"A B", ""},
      {"paste", "edit = \"remove-first\"\nparam1 = \"32767\"", u"", u"a b",
       "step 1 (remove-first)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.mode);
    program.reset();
    desktop = platform::sim::CreateSimulatedDesktop();
    std::string file = "[[recipe]]\nname = \"Shout\"\nhotkey = \"Ctrl+Alt+Shift+U\"\nmode = \"";
    file.append(row.mode).append("\"\n[[recipe.step]]\n").append(row.step).append("\n");
    desktop->SimFiles().AddFile(u"C:\\Users\\user\\AppData\\Roaming\\Kestrane\\Fenlow\\recipes.toml",
                                file);
    StartWith(u"clipboard");
    SimulatedProgram& editor = Editor();
    Press(Hotkey{true, true, true, 'U'});
    RunFor(300ms);
    EXPECT_EQ(editor.pasted, row.pasted);
    EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), row.clipboard);
    EXPECT_THAT(desktop->SimInput().KeysDown(), IsEmpty());
    if (row.told.empty()) {
      EXPECT_THAT(Notifications(), IsEmpty());
    } else {
      EXPECT_THAT(Notifications(), ElementsAre(HasSubstr(std::string(row.told))));
    }
  }
}

TEST_F(InPlaceTest, PasteEditedPastesTheEditedClipboardTextAndLeavesTheClipboardAsItWas) {
  StartWith(u"clipboard");
  SimulatedProgram& editor = Editor();
  Press(kPasteHotkey);
  RunFor(300ms);

  EXPECT_EQ(editor.pasted, u"ab");
  EXPECT_THAT(Events(), ElementsAre("Offer", "SendKeys(Ctrl+ V+ V- Ctrl-)", "ReadText(100)",
                                    "ReplaceWithFormats"));
  ExpectClipboardAsBefore();
  ExpectFenlowUntouched();
}

// The temporary text and the restored one both keep out of every history.
TEST_F(InPlaceTest, ATargetThatNeverReadsGetsTheClipboardBackAfterTheBoundAndTheMarksStayOn) {
  StartWith(u"paste");
  Editor({.reading = Reading::Never});
  Press(kApplyHotkey);
  RunFor(1000ms);
  const auto marked = desktop->SimClipboard().NamedFormats();
  EXPECT_TRUE(desktop->SimClipboard().TextDelayed());
  EXPECT_THAT(Events(), ElementsAre("Offer", "SendKeys(Ctrl+ V+ V- Ctrl-)"));
  RunFor(InPlaceEdit::kReadBound);

  for (std::u16string_view mark : {u"ExcludeClipboardContentFromMonitorProcessing",
                                   u"CanIncludeInClipboardHistory", u"CanUploadToCloudClipboard"}) {
    EXPECT_EQ(marked.at(std::u16string(mark)), std::string(4, '\0'));
    EXPECT_TRUE(desktop->SimClipboard().NamedFormats().contains(std::u16string(mark)));
  }
  ExpectClipboardAsBefore();
  ExpectFenlowUntouched();
  EXPECT_THAT(Notifications(), ElementsAre(HasSubstr("did not ask for the edited text")));
}

// A manager's reading is no paste: the restore waits for the target, here
// up to the bound, as the manager took the one rendering.
TEST_F(InPlaceTest, AClipboardManagersReadingIsNotTakenForTheTargets) {
  StartWith(u"paste");
  SimulatedProgram& editor = Editor({.reading = Reading::ManagerFirst});
  Press(kApplyHotkey);
  RunFor(1000ms);
  EXPECT_THAT(Events(), ElementsAre("Offer", "SendKeys(Ctrl+ V+ V- Ctrl-)", "ReadText(777)",
                                    "ReadText(100)"));
  RunFor(InPlaceEdit::kReadBound);

  EXPECT_EQ(editor.pasted, u"ab");
  ExpectClipboardAsBefore();
  ExpectFenlowUntouched();
}

TEST_F(InPlaceTest, ACopyByTheUserInBetweenWinsAndIsShownOnceTheRunIsOver) {
  StartWith(u"paste");
  Editor({.reading = Reading::Never});
  Press(kApplyHotkey);
  RunFor(500ms);
  desktop->SimClipboard().OtherProgramSetsText(u"new copy");
  RunFor(InPlaceEdit::kReadBound);

  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"new copy");
  EXPECT_THAT(Events(), ElementsAre("Offer", "SendKeys(Ctrl+ V+ V- Ctrl-)"));
  EXPECT_EQ(TextOf(form1::kText1), u"new copy");
  EXPECT_THAT(desktop->SimInput().KeysDown(), IsEmpty());
}

// The selection was copied when the user switched windows: nothing is
// pasted anywhere, and the copy is undone.
TEST_F(InPlaceTest, AFocusThatMovedBeforeThePasteStopsTheRunAndTheClipboardComesBack) {
  StartWith(u"selection");
  SimulatedProgram& editor = Editor({.selection = u"x y"});
  Press(kApplyHotkey);
  while (Events().empty()) RunFor(5ms);
  desktop->SimForms().SetForeground(desktop->SimWindows().CreateWindow());
  RunFor(500ms);

  EXPECT_EQ(editor.pasted, u"");
  EXPECT_THAT(Events(), ElementsAre("SendKeys(Ctrl+ C+ C- Ctrl-)", "ReplaceWithFormats"));
  ExpectClipboardAsBefore();
  ExpectFenlowUntouched();
  EXPECT_THAT(Notifications(), ElementsAre(HasSubstr("another window took the focus")));
}

// A picture held by handle is more than Undo keeps: the text comes back, and
// the user is told once that the rest did not.
TEST_F(InPlaceTest, ARestoreThatCannotBeWholeIsToldOnce) {
  StartWith(u"paste");
  desktop->SimClipboard().OtherProgramSets({{format::kText, u"a b"}, {format::kBitmap, u"pic"}},
                                           kHtml);
  SimulatedProgram& editor = Editor();
  Press(kApplyHotkey);
  RunFor(300ms);

  EXPECT_EQ(editor.pasted, u"ab");
  ExpectClipboardAsBefore();
  EXPECT_FALSE(desktop->SimClipboard().Formats().contains(format::kBitmap));
  EXPECT_THAT(Notifications(), ElementsAre(HasSubstr("without some of its content")));
}

TEST_F(InPlaceTest, FenlowEndingInTheMiddleOfARunStillPutsTheClipboardBack) {
  StartWith(u"paste");
  Editor({.reading = Reading::Never});
  Press(kApplyHotkey);
  RunFor(300ms);
  ASSERT_TRUE(desktop->SimClipboard().TextDelayed());
  program.reset();

  ExpectClipboardAsBefore();
  EXPECT_THAT(desktop->SimInput().KeysDown(), IsEmpty());
}

// Where nothing may be sent or nothing was selected, the clipboard and the
// program stay as they were, and the user is told why, once.
struct Refusal {
  const char* name;
  std::u16string_view applyMode;
  SimulatedProgram program;
  std::chrono::milliseconds held;
  std::u16string_view option;
  const char* told;
  std::vector<std::string> events;
};

class InPlaceRefusalTest : public InPlaceTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(InPlaceRefusalTest, LeavesTheClipboardAndTheProgramAsTheyWere) {
  const Refusal& refusal = GetParam();
  StartWith(refusal.applyMode, refusal.option);
  SimulatedProgram& editor = Editor(refusal.program);
  Press(kApplyHotkey, refusal.held);
  RunFor(InPlaceEdit::kReleaseBound + InPlaceEdit::kReadBound);

  EXPECT_EQ(editor.pasted, u"");
  EXPECT_EQ(Events(), refusal.events);
  ExpectClipboardAsBefore();
  ExpectFenlowUntouched();
  EXPECT_THAT(Notifications(), ElementsAre(HasSubstr(refusal.told)));
}

const std::vector<std::string> kCopyOnly = {"SendKeys(Ctrl+ C+ C- Ctrl-)"};

INSTANTIATE_TEST_SUITE_P(
    Cases, InPlaceRefusalTest,
    ::testing::Values(Refusal{"Elevated",
                              u"selection",
                              {.elevated = true, .selection = u"x y"},
                              80ms,
                              options::kRemoveAllSpaces,
                              "runs as administrator",
                              {}},
                      Refusal{"Terminal",
                              u"paste",
                              {.terminal = true},
                              80ms,
                              options::kRemoveAllSpaces,
                              "console or terminal",
                              {}},
                      Refusal{"KeysHeldTooLong",
                              u"selection",
                              {.selection = u"x y"},
                              5000ms,
                              options::kRemoveAllSpaces,
                              "still held down",
                              {}},
                      Refusal{"NothingSelected",
                              u"selection",
                              {},
                              80ms,
                              options::kRemoveAllSpaces,
                              "nothing is selected",
                              kCopyOnly},
                      // The copy of the selection is undone: the clipboard holds the user's again.
                      Refusal{"EditFails",
                              u"selection",
                              {.selection = u"x y"},
                              80ms,
                              options::kRemoveFirstChars,
                              "needs a parameter",
                              {"SendKeys(Ctrl+ C+ C- Ctrl-)", "ReplaceWithFormats"}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// Strokes the system refused leave no key down, and the clipboard comes back.
TEST_F(InPlaceTest, KeysTheSystemDidNotTakeAreLetGoOfAndTheClipboardComesBack) {
  StartWith(u"paste");
  SimulatedProgram& editor = Editor();
  Press(kApplyHotkey);
  RunFor(50ms);
  desktop->SimInput().TakeOnlyNext(1);
  RunFor(500ms);

  EXPECT_EQ(editor.pasted, u"");
  EXPECT_THAT(Events(),
              ElementsAre("Offer", "SendKeys(Ctrl+)", "SendKeys(Ctrl-)", "ReplaceWithFormats"));
  ExpectClipboardAsBefore();
  ExpectFenlowUntouched();
  EXPECT_THAT(Notifications(), ElementsAre(HasSubstr("did not take the keys")));
}

// A clipboard history reads the target's copy the moment it is made, and
// holds the clipboard meanwhile: the copy is read once it lets go.
TEST_F(InPlaceTest, ACopyHeldForAMomentByAnotherProgramIsReadOnceItIsFree) {
  StartWith(u"selection");
  SimulatedProgram& editor = Editor({.selection = u"x y"});
  Press(kApplyHotkey);
  while (Events().empty()) RunFor(5ms);
  desktop->Faults().Fail("GetText", 3);
  RunFor(500ms);

  EXPECT_EQ(editor.pasted, u"xy");
  ExpectClipboardAsBefore();
  ExpectFenlowUntouched();
  EXPECT_THAT(Notifications(), IsEmpty());
}

TEST_F(InPlaceTest, AClipboardHeldByAnotherProgramStopsTheRunBeforeTheTargetIsTouched) {
  StartWith(u"selection");
  Editor({.selection = u"x y"});
  desktop->Faults().Fail("ReadMemoryFormats", platform::sim::FaultInjector::kEveryCall);
  Press(kApplyHotkey);
  RunFor(InPlaceEdit::kHeldBound + 100ms);
  desktop->Faults().Fail("ReadMemoryFormats", 0);

  EXPECT_THAT(Events(), IsEmpty());
  ExpectClipboardAsBefore();
  ExpectFenlowUntouched();
  EXPECT_THAT(Notifications(), ElementsAre(HasSubstr("keeps the clipboard open")));
}

}  // namespace
}  // namespace fenlow::testing

namespace fenlow::testing {
namespace {

// Alt is let go of after a key that does nothing, so that no menu bar opens.
TEST(ReleaseStrokes, LetGoOfEachKeyInTurnWithANeutralTapBeforeAlt) {
  EXPECT_THAT(
      ReleaseStrokes({'V', key::kControl, key::kAlt}),
      ElementsAre(platform::KeyStroke{'V', true}, platform::KeyStroke{key::kControl, true},
                  platform::KeyStroke{key::kNeutral, false},
                  platform::KeyStroke{key::kNeutral, true}, platform::KeyStroke{key::kAlt, true}));
}

// Options shows the mode beside the apply hotkey and the paste hotkey with
// why it cannot be had; OK stores both, and the apply hotkey then pastes.
TEST_F(InPlaceTest, OptionsChoosesTheApplyModeAndThePasteHotkey) {
  desktop->SimHotkeys().HeldByOtherProgram(kPasteHotkey);
  desktop->SimClipboard().OtherProgramSetsText(u"a b");
  Start();
  std::u16string modeShown, pasteOffered, pasteProblem;
  desktop->SimForms().WhenModal([&](SimulatedForm& dialog) {
    modeShown = dialog.Sim(options_form::kApplyMode).Text();
    pasteOffered = dialog.Sim(options_form::kPasteHotkey).Text();
    dialog.Sim(options_form::kApplyMode).SetText(u"Paste edited");
    dialog.Click(options_form::kOk);  // Ctrl+Alt+Shift+V is taken: back to its box
    pasteProblem = dialog.Sim(options_form::kPasteProblem).Text();
    dialog.Type(options_form::kPasteHotkey, u"Ctrl+Alt+P");
    dialog.Click(options_form::kOk);
  });
  Main().ChooseFromSystemMenu(u"&Options...");

  EXPECT_EQ(modeShown, u"Edit the clipboard");
  EXPECT_EQ(pasteOffered, u"Ctrl+Alt+Shift+V");
  EXPECT_THAT(platform::sim::CallLog::Narrow(pasteProblem), HasSubstr("already uses"));
  const auto& stored = desktop->SimSettings().Stored();
  EXPECT_EQ(stored.at(StoredSettingPath(settings::kHotkeyApplyMode)), u"paste");
  EXPECT_EQ(stored.at(StoredSettingPath(settings::kHotkeyPaste)), u"Ctrl+Alt+P");

  SimulatedProgram& editor = Editor();
  Press(kApplyHotkey);
  RunFor(300ms);
  EXPECT_EQ(editor.pasted, u"ab");
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"a b");
}

}  // namespace
}  // namespace fenlow::testing
