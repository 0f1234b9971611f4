// A failure in every platform call of every trapped handler. Each handler is
// run again and again on a fresh desktop, with its 1st, 2nd, 3rd, ... call
// failing, until a run in which it never reached the failing call. In every
// run the failure is reported once, under the handler's location and the
// label of the statement that made the call, and the handler goes on with
// its next statement; or, where the call was made by the change handler, a
// window procedure or the file test (which ignore failures), nothing is
// reported. In both cases the user's text is still on the clipboard or in
// Text1, and the clipboard monitor goes on following the clipboard.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <compare>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/edit_failure.h"
#include "platform/sim/simulated_desktop.h"
#include "platform/sim/simulated_ui.h"
#include "shell/error_trap.h"
#include "shell/program_config.h"
#include "tests/app/app_fixture.h"

namespace fenlow::testing {
namespace {

namespace options = edits::options;
using platform::sim::CountedCall;
using ::testing::IsEmpty;

constexpr std::u16string_view kUserText = u"a b c";
constexpr std::u16string_view kTyped = u"typed by hand";
constexpr std::u16string_view kCopiedLater = u"copied later";
constexpr std::u16string_view kApplicationError = u"Application Error";
constexpr std::u16string_view kNotRemembered = u"could not be remembered";
constexpr char16_t kCursorFile[] = u"C:\\Program Files\\Fenlow\\HAND-M.CUR";
constexpr char16_t kSkinFile[] = u"C:\\Program Files\\Fenlow\\x\\o.cjs";
constexpr platform::Colour kSkinWindowColour = 0x00302010;  // "#102030"
const std::u16string kBlankLineSetting = StoredSettingPath(settings::kBlankLine);
// The counted call that remembers the list's choice.
const std::string kWriteChosenEdit = "WriteSetting(" + Logged(settings::kChosenEdit) + ")";
// The stored choice, and the statement of Form1's load that adds it to the list.
constexpr std::u16string_view kStoredChoice = options::kRemoveAllTabs;
constexpr int kStoredChoiceLabel = 126 + 2 * 6;
// No handler here makes this many calls; a run still failing beyond it never ends.
constexpr int kMaxCalls = 2000;

std::u16string Widen(std::string_view ascii) {
  return {ascii.begin(), ascii.end()};
}

// A trapped statement: the handler's location and the statement's label.
struct Site {
  std::u16string location;
  int label = 0;
  auto operator<=>(const Site&) const = default;
};

std::u16string Where(std::u16string_view window, std::u16string_view procedure) {
  return TrapLocation(window, procedure);
}
Site Form1At(std::u16string_view procedure, int label) {
  return {Where(u"Form1", procedure), label};
}

std::string Describe(const Site& site) {
  std::string text(site.location.begin(), site.location.end());
  return text + "at line " + std::to_string(site.label);
}

// The program on a fresh simulated desktop: the user's text on the clipboard,
// the hand cursor and a skin next to the program, a remembered choice.
class World : public ProgramOnDesktop {
 public:
  World() {
    desktop->SimFiles().AddFile(kCursorFile, "cursor");
    desktop->SimFiles().AddFile(kSkinFile, "window=#102030\nframe=#203040\ncontrol=#304050\n");
    desktop->SimSettings().Stored()[kChosenEditSetting] = std::u16string(kStoredChoice);
    desktop->SimClipboard().OtherProgramSetsText(std::u16string(kUserText));
    desktop->Faults().WatchCalls([this](const CountedCall& call) { Watch(call); });
  }

  // The program goes first: leaving the chain on its way out is watched too.
  ~World() { program.reset(); }

  std::u16string Text1() { return TextOf(form1::kText1); }
  platform::WindowHandle MainHandle() { return Main().Handle(); }

  std::vector<platform::sim::MessageBoxCall> Reports() const {
    std::vector<platform::sim::MessageBoxCall> reports;
    for (const auto& box : desktop->SimForms().Messages())
      if (box.title == kApplicationError) reports.push_back(box);
    return reports;
  }
  bool Told(std::u16string_view part) const {
    for (const auto& box : desktop->SimForms().Messages())
      if (box.title != kApplicationError && box.text.find(part) != std::u16string::npos)
        return true;
    return false;
  }

  // Where failures are not reported by a trap: inside a window procedure,
  // inside the change handler (from its first call made with IsBusy or
  // IsWritingBack set to the yield it ends with), in the file test of the
  // load handlers, for which a failure means "no file", and in remembering
  // the list's choice (reading the list, writing the setting), which tells
  // its own notice instead.
  bool FailedWhereIgnored(const CountedCall& failed) const {
    const auto found = contexts_.find(failed.index);
    const bool inChangeHandler = found != contexts_.end() && found->second;
    const bool rememberingChoice =
        (failed.name == "Find(Combo1)" || failed.name == kWriteChosenEdit) && Told(kNotRemembered);
    return failed.insideWindowProcedure || inChangeHandler || failed.name == "ReadLastChangeTime" ||
           rememberingChoice;
  }

  void ExpectRequestsDown() {
    EXPECT_FALSE(State().BulkEditRequested);
    EXPECT_FALSE(State().ManualSaveRequested);
  }

  std::vector<std::unique_ptr<platform::Form>> otherForms;
  std::vector<std::string> counted;  // the names of the calls counted, in order

 private:
  void Watch(const CountedCall& call) {
    if (call.index == 0) return;  // not armed: a test looking at the result
    counted.push_back(call.name);
    const bool busy = program != nullptr && (State().IsBusy || State().IsWritingBack);
    contexts_[call.index] = busy || (wasBusy_ && call.name == "Yield");
    wasBusy_ = busy;
  }

  std::map<int, bool> contexts_;  // call index: made inside the change handler
  bool wasBusy_ = false;
};

// What one run tells the checks of its handler.
struct FailedRun {
  CountedCall failed;
  bool ignored = false;      // made where failures are ignored: nothing reported
  std::optional<Site> site;  // the statement reported, when reported
  bool At(const Site& other) const { return site && *site == other; }
  bool AtLabel(int label) const { return site && site->label == label; }
};

struct Scenario {
  // The trapped statements that call the platform: each one must be reported
  // in some run, and a report names one of them.
  std::vector<Site> statements;
  // A failure at the first site leaves a value that makes the statement at
  // the second fail on its own (a failed test enters its branch, a list
  // entry that was not added cannot be selected): that one is reported too.
  std::map<Site, Site> followUps;
  std::function<void(World&)> arrange;
  // The counted calls made before the handler starts, which are not failed.
  std::vector<std::string> before;
  std::function<void(World&)> act;
  std::function<void(World&)> finish = [](World&) {};
  std::function<void(World&, const FailedRun&)> expectWentOn;
};

// Runs `scenario` with its 1st, 2nd, ... call failing until a run in which
// the failure is never reached, and prints how many runs failed a call.
void RunWithEveryCallFailing(const Scenario& scenario) {
  std::set<Site> reported;
  int failedRuns = 0;
  bool ended = false;
  const int skip = static_cast<int>(scenario.before.size());
  for (int n = 1; n <= kMaxCalls && !ended; ++n) {
    World world;
    scenario.arrange(world);
    world.desktop->Faults().FailCall(skip + n);
    try {
      scenario.act(world);
    } catch (const std::exception& escaped) {
      ADD_FAILURE() << "call " << n << ": the failure escaped the handler: " << escaped.what();
      return;
    }
    world.desktop->Faults().StopFailingCalls();
    ASSERT_GE(world.counted.size(), scenario.before.size());
    EXPECT_EQ(std::vector<std::string>(world.counted.begin(), world.counted.begin() + skip),
              scenario.before)
        << "the calls before the handler are not the ones expected";
    scenario.finish(world);

    const auto& injected = world.desktop->Faults().InjectedFailure();
    if (!injected) {
      ended = true;
      EXPECT_THAT(world.Reports(), IsEmpty()) << "a report without any failure";
      break;
    }
    ++failedRuns;
    SCOPED_TRACE("call " + std::to_string(n) + " of the handler failing: " + injected->name);
    FailedRun run{*injected, world.FailedWhereIgnored(*injected), std::nullopt};
    const auto reports = world.Reports();
    for (const auto& report : reports) {
      EXPECT_EQ(report.style, platform::kMessageBoxExclamation);
    }
    if (run.ignored) {
      EXPECT_THAT(reports, IsEmpty()) << "a failure where failures are ignored was reported";
    } else if (reports.empty()) {
      ADD_FAILURE() << "the failure was not reported";
    } else {
      const std::u16string description =
          Widen(platform::sim::FaultInjector::InjectedFailureText(injected->name));
      for (const Site& site : scenario.statements) {
        if (reports[0].text == ErrorReportText(description, site.location, site.label))
          run.site = site;
      }
      ASSERT_TRUE(run.site.has_value())
          << "the report names no statement of the handler: "
          << std::string(reports[0].text.begin(), reports[0].text.end());
      reported.insert(*run.site);
      const auto followUp = scenario.followUps.find(*run.site);
      if (followUp != scenario.followUps.end() && reports.size() == 2) {
        const std::u16string where =
            followUp->second.location + u"at line " + Widen(std::to_string(followUp->second.label));
        EXPECT_NE(reports[1].text.find(where + u"\r\r"), std::u16string::npos)
            << "the second report is not the one its statement's failure leads to";
      } else {
        EXPECT_EQ(reports.size(), 1u) << "one failure, several reports";
      }
    }
    if (world.program != nullptr) scenario.expectWentOn(world, run);
    if (::testing::Test::HasFatalFailure()) return;
  }
  EXPECT_TRUE(ended) << "the handler was still making new calls after " << kMaxCalls;
  EXPECT_GE(failedRuns, static_cast<int>(scenario.statements.size()));
  for (const Site& site : scenario.statements) {
    EXPECT_EQ(reported.count(site), 1u) << "no run failed in the statement " << Describe(site);
  }
  std::printf("[ every call ] %d calls failed in turn, %zu statements reported\n", failedRuns,
              reported.size());
}

bool IsRetriedClipboardCall(const CountedCall& call) {
  return call.name == "GetText" || call.name == "Empty" || call.name == "PutText";
}

// --- Form1's load -----------------------------------------------------------------

TEST(EveryCallFailing, MainWindowLoadReportsItAndStartsUp) {
  const std::u16string load = Where(u"Form1", u"Form_Load");
  Scenario scenario;
  for (int label : {100, 104, 106, 108}) scenario.statements.push_back({load, label});
  for (int n = 1; n <= static_cast<int>(edits::kOptionListEntries.size()); ++n)
    scenario.statements.push_back({load, 126 + 2 * n});
  for (int label : {186, 190, 192, 194}) scenario.statements.push_back({load, label});
  // Its last statement clicks the edit button, which has its own trap.
  scenario.statements.push_back(Form1At(u"PushButton3_Click", 100));
  scenario.statements.push_back(Form1At(u"PushButton3_Click", 108));
  for (int label : {198, 200, 202, 204}) scenario.statements.push_back({load, label});
  scenario.followUps = {{{load, 106}, {load, 108}}, {{load, kStoredChoiceLabel}, {load, 186}}};
  scenario.arrange = [](World& world) { world.Build(); };
  scenario.before = {"CreateForm(Form1)"};  // the window itself, made before its load handler
  scenario.act = [](World& world) { world.program->MainForm().Load(); };
  scenario.finish = [](World& world) {
    world.program->MainForm().Show();
    world.desktop->Messaging().Yield();
  };
  scenario.expectWentOn = [&](World& world, const FailedRun& run) {
    SimulatedForm& main = world.Main();
    const std::string& call = run.failed.name;
    auto atLoad = [&](int label) { return run.At({load, label}); };
    // Every statement but the failed one took effect.
    std::vector<std::u16string> items;
    for (int n = 1; n <= static_cast<int>(edits::kOptionListEntries.size()); ++n)
      if (!atLoad(126 + 2 * n)) items.emplace_back(edits::kOptionListEntries[n - 1]);
    EXPECT_EQ(main.Sim(form1::kCombo1).Items(), items);
    if (!atLoad(186) && !atLoad(kStoredChoiceLabel)) {
      EXPECT_EQ(main.Sim(form1::kCombo1).Text(), kStoredChoice);
    }
    if (call == kWriteChosenEdit) {
      EXPECT_TRUE(world.Told(kNotRemembered)) << "the list's own notice";
    }
    if (call != "SetCaption(Form1)") {
      EXPECT_EQ(main.Caption(), config::kProductName);
    }
    EXPECT_EQ(main.HasProgramIcon(), call != "SetIconToProgramIcon(Form1)");
    if (call != "SetApplicationTitle") {
      EXPECT_EQ(world.desktop->Forms().ApplicationTitle(), config::kProductName);
    }
    if (!atLoad(100)) {
      EXPECT_EQ(main.Background(), kSkinWindowColour);
    }
    if (!atLoad(106) && !atLoad(108) && call != "ReadLastChangeTime") {
      EXPECT_EQ(main.CustomPointerFile(), kCursorFile);
    }
    EXPECT_EQ(main.Sim(form1::kPushButton3).Text(),
              run.At(Form1At(u"PushButton3_Click", 108)) ? kEditIdleCaption : kEditingCaption);
    std::vector<std::u16string> systemMenu;
    if (!atLoad(200)) systemMenu.emplace_back(u"&Undo");
    if (!atLoad(202)) systemMenu.emplace_back(u"&Options...");
    if (!atLoad(204)) systemMenu.emplace_back(u"&Recipes...");
    EXPECT_EQ(main.SystemMenuItems(), systemMenu);
    // Nothing lost: the load never writes the clipboard; Text1 shows it
    // unless the failure hit the monitor's start.
    EXPECT_EQ(world.desktop->SimClipboard().TextOrEmpty(), kUserText);
    const bool monitorStarted = !atLoad(190) && !atLoad(192);
    if (monitorStarted && (!run.ignored || IsRetriedClipboardCall(run.failed))) {
      EXPECT_EQ(world.Text1(), kUserText);
    }
    if (monitorStarted) {
      world.ExpectMonitoringGoesOn();
    } else {
      EXPECT_TRUE(world.Text1() == kUserText || world.Text1().empty());
    }
  };
  RunWithEveryCallFailing(scenario);
}

// --- The start button, alone and through each dialog --------------------------------

std::u16string ExpectedEdit(World& world, std::u16string_view option) {
  const ProgramState& state = world.State();
  try {
    edits::EditOutcome outcome =
        edits::ApplyOption(option, kUserText, state.BulkParam1, state.BulkParam2);
    if (outcome.kind == edits::EditOutcome::Kind::Edited) return outcome.result;
  } catch (const edits::EditFailure&) {
  }
  return std::u16string(kUserText);
}

std::vector<Site> LoadOf(std::u16string_view dialog, std::vector<int> labels) {
  std::vector<Site> sites;
  for (int label : labels) sites.push_back({Where(dialog, u"Form_Load"), label});
  return sites;
}
std::vector<Site> Join(std::vector<Site> first, const std::vector<Site>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}
std::vector<Site> In(std::u16string_view window, std::u16string_view procedure,
                     std::vector<int> labels) {
  std::vector<Site> sites;
  for (int label : labels) sites.push_back({Where(window, procedure), label});
  return sites;
}
std::map<Site, Site> CursorTestFollowUp(std::u16string_view dialog) {
  return {{{Where(dialog, u"Form_Load"), 104}, {Where(dialog, u"Form_Load"), 106}}};
}

enum class UserEnds { WithOk, BackingOut };

// The start button with `option` chosen. `dialog` (Form2, Form3 or empty for
// none) opens, `user` acts in it, and `clickSites` are the statements of its
// buttons that the user's clicks run. After backing out nothing is applied;
// after OK the edit is applied unless the dialog could not be shown or a
// click's statement failed, which may leave the typed texts unconfirmed.
Scenario StartButton(std::u16string option, std::u16string dialog,
                     std::function<void(SimulatedForm&)> user, std::vector<Site> clickSites,
                     std::u16string blankLine = std::u16string(settings::kTrue),
                     UserEnds ends = UserEnds::WithOk) {
  Scenario scenario;
  scenario.statements = {Form1At(u"PushButton2_Click", 100)};
  if (!dialog.empty()) {
    // Of the options used here, only this one captions the dialog's frame.
    const bool frameCaption = option == options::kReplaceAllSpaces;
    std::vector<int> ask = {104, 108};
    if (frameCaption) ask = {104, 106, 108};
    scenario.statements = Join(scenario.statements, In(u"Form1", u"PushButton2_Click", ask));
    scenario.statements =
        Join(scenario.statements,
             LoadOf(dialog, {100, 102, 104, 106, 108, blankLine == settings::kTrue ? 112 : 114}));
    scenario.followUps = CursorTestFollowUp(dialog);
  }
  scenario.statements = Join(scenario.statements, clickSites);
  scenario.arrange = [option, user, blankLine](World& world) {
    world.desktop->SimSettings().Stored()[kBlankLineSetting] = blankLine;
    world.Start();
    world.Main().Pick(form1::kCombo1, option);
    if (user) world.desktop->SimForms().WhenModal(user);
  };
  scenario.act = [](World& world) { world.Main().Click(form1::kPushButton2); };
  std::vector<Site> mayLeaveUnconfirmed = clickSites;
  mayLeaveUnconfirmed.push_back(Form1At(u"PushButton2_Click", 108));
  scenario.expectWentOn = [option, ends, mayLeaveUnconfirmed](World& world, const FailedRun& run) {
    world.ExpectRequestsDown();
    EXPECT_EQ(world.desktop->SimForms().FindForm(form2::kName), nullptr) << "a dialog stays open";
    EXPECT_EQ(world.desktop->SimForms().FindForm(form3::kName), nullptr) << "a dialog stays open";
    const std::u16string edited = ExpectedEdit(world, option);
    const std::u16string onClipboard = world.desktop->SimClipboard().TextOrEmpty();
    const std::u16string text1 = world.Text1();
    // Without the option read, no dialog opens and the edit runs at once.
    const bool dialogOpened = !run.At(Form1At(u"PushButton2_Click", 100));
    if (ends == UserEnds::BackingOut && dialogOpened) {
      EXPECT_EQ(onClipboard, kUserText);
      EXPECT_EQ(text1, kUserText);
    }
    EXPECT_TRUE(onClipboard == kUserText || onClipboard == edited) << "the user's text is lost";
    EXPECT_TRUE(text1 == kUserText || text1 == edited) << "Text1 shows neither text";
    // Otherwise the edit ran with the parameters the dialog left, after any
    // reported failure and after a single failed clipboard call, which is
    // tried again.
    const bool confirmed = ends == UserEnds::WithOk &&
                           std::none_of(mayLeaveUnconfirmed.begin(), mayLeaveUnconfirmed.end(),
                                        [&](const Site& site) { return run.At(site); });
    if (confirmed && (!run.ignored || IsRetriedClipboardCall(run.failed))) {
      EXPECT_EQ(onClipboard, edited);
    }
    world.ExpectMonitoringGoesOn();
  };
  return scenario;
}

TEST(EveryCallFailing, StartButtonWithoutDialogReportsItAndEditsTheClipboard) {
  RunWithEveryCallFailing(StartButton(std::u16string(options::kRemoveAllSpaces), u"", nullptr, {}));
}

TEST(EveryCallFailing, StartButtonThroughForm2OkReportsItAndEditsTheClipboard) {
  auto ok = [](SimulatedForm& form) {
    form.Type(dialog_controls::kText1, u"_");
    form.Click(dialog_controls::kPushButton1);
  };
  RunWithEveryCallFailing(StartButton(std::u16string(options::kReplaceAllSpaces), u"Form2", ok,
                                      In(u"Form2", u"PushButton1_Click", {100, 102})));
}

TEST(EveryCallFailing, StartButtonThroughForm2CancelReportsItAndLeavesTheClipboard) {
  auto cancel = [](SimulatedForm& form) {
    form.Type(dialog_controls::kText1, u"b");
    form.Click(dialog_controls::kPushButton2);
  };
  RunWithEveryCallFailing(StartButton(std::u16string(options::kRemoveListItems), u"Form2", cancel,
                                      In(u"Form2", u"PushButton2_Click", {102}),
                                      std::u16string(settings::kFalse), UserEnds::BackingOut));
}

// Unequal line counts are told; the user then corrects the replacement.
TEST(EveryCallFailing, StartButtonThroughForm3CorrectedOkReportsItAndEditsTheClipboard) {
  auto correctedOk = [](SimulatedForm& form) {
    form.Type(dialog_controls::kText1, u"a\r\nb");
    form.Type(form3::kText2, u"x");
    form.Click(dialog_controls::kPushButton1);
    form.Type(form3::kText2, u"x\r\ny");
    form.Click(dialog_controls::kPushButton1);
  };
  RunWithEveryCallFailing(StartButton(std::u16string(options::kReplaceListItems), u"Form3",
                                      correctedOk,
                                      In(u"Form3", u"PushButton1_Click", {100, 102, 112, 114})));
}

// Find what alone closes the dialog; with nothing typed the user is told,
// then cancels.
TEST(EveryCallFailing, StartButtonThroughForm3OtherBranchesReportsItAndEditsTheClipboard) {
  auto findOnly = [](SimulatedForm& form) {
    form.Type(dialog_controls::kText1, u"b");
    form.Click(dialog_controls::kPushButton1);
  };
  RunWithEveryCallFailing(StartButton(std::u16string(options::kReplaceListItems), u"Form3",
                                      findOnly, In(u"Form3", u"PushButton1_Click", {100, 102, 118}),
                                      std::u16string(settings::kFalse)));
  auto nothingThenCancel = [](SimulatedForm& form) {
    form.Click(dialog_controls::kPushButton1);
    form.Click(dialog_controls::kPushButton2);
  };
  RunWithEveryCallFailing(StartButton(std::u16string(options::kReplaceTextAfterDelimiter), u"Form3",
                                      nothingThenCancel,
                                      Join(In(u"Form3", u"PushButton1_Click", {100, 102, 120}),
                                           In(u"Form3", u"PushButton2_Click", {104})),
                                      std::u16string(settings::kTrue), UserEnds::BackingOut));
}

// --- The edit button ----------------------------------------------------------------

TEST(EveryCallFailing, EditButtonSwitchingToEditingReportsItAndKeepsTheText) {
  Scenario scenario;
  scenario.statements = {Form1At(u"PushButton3_Click", 100), Form1At(u"PushButton3_Click", 108)};
  scenario.arrange = [](World& world) {
    world.Start();
    world.Main().Click(form1::kPushButton3);  // saves the shown text: the button is idle now
  };
  scenario.act = [](World& world) { world.Main().Click(form1::kPushButton3); };
  scenario.expectWentOn = [](World& world, const FailedRun& run) {
    EXPECT_EQ(world.Main().Sim(form1::kPushButton3).Text(),
              run.AtLabel(108) ? kEditIdleCaption : kEditingCaption);
    EXPECT_EQ(world.desktop->SimClipboard().TextOrEmpty(), kUserText);
    EXPECT_EQ(world.Text1(), kUserText);
    world.ExpectRequestsDown();
    world.ExpectMonitoringGoesOn();
  };
  RunWithEveryCallFailing(scenario);
}

TEST(EveryCallFailing, EditButtonSavingReportsItAndKeepsTheTypedText) {
  Scenario scenario;
  scenario.statements = {Form1At(u"PushButton3_Click", 100), Form1At(u"PushButton3_Click", 126)};
  scenario.arrange = [](World& world) {
    world.Start();  // opens ready for editing
    world.Main().Type(form1::kText1, kTyped);
  };
  scenario.act = [](World& world) { world.Main().Click(form1::kPushButton3); };
  scenario.expectWentOn = [](World& world, const FailedRun& run) {
    // A failed state test enters the switch to editing: nothing is saved then.
    const bool saved = !run.AtLabel(100);
    const std::u16string caption = world.Main().Sim(form1::kPushButton3).Text();
    EXPECT_EQ(caption, saved && !run.AtLabel(126) ? kEditIdleCaption : kEditingCaption);
    const std::u16string onClipboard = world.desktop->SimClipboard().TextOrEmpty();
    EXPECT_TRUE(onClipboard == kTyped || world.Text1() == kTyped) << "the typed text is lost";
    if (saved && (!run.ignored || IsRetriedClipboardCall(run.failed))) {
      EXPECT_EQ(onClipboard, kTyped);
    }
    if (!saved) {
      EXPECT_EQ(onClipboard, kUserText);
    }
    world.ExpectRequestsDown();
    world.ExpectMonitoringGoesOn();
  };
  RunWithEveryCallFailing(scenario);
}

// --- The link button and the shutdown --------------------------------------------------

TEST(EveryCallFailing, LinkButtonReportsItAndTheWindowGoesOn) {
  Scenario scenario;
  scenario.statements = {Form1At(u"PushButton1_Click", 100)};
  scenario.arrange = [](World& world) { world.Start(); };
  scenario.act = [](World& world) { world.Main().Click(form1::kPushButton1); };
  scenario.expectWentOn = [](World& world, const FailedRun&) {
    EXPECT_THAT(world.desktop->SimMessaging().ShellOpenCalls(), IsEmpty());
    EXPECT_EQ(world.desktop->SimClipboard().TextOrEmpty(), kUserText);
    EXPECT_EQ(world.Text1(), kUserText);
    world.ExpectMonitoringGoesOn();
  };
  RunWithEveryCallFailing(scenario);
}

TEST(EveryCallFailing, ShutdownReportsItAndStillUnloadsEveryWindow) {
  const std::u16string unload = Where(u"Form1", u"Form_QueryUnload");
  Scenario scenario;
  for (int label : {102, 104, 106, 108, 110, 112, 116, 118})
    scenario.statements.push_back({unload, label});
  // A failed handle test of the main window unloads it at once, so the
  // other window's test then fails on the main window's handle.
  scenario.followUps = {{{unload, 112}, {unload, 112}}};
  platform::WindowHandle mainHandle = 0;
  scenario.arrange = [&](World& world) {
    world.Start();
    mainHandle = world.MainHandle();
    platform::FormSpec other;
    other.name = "Other";
    world.otherForms.push_back(world.desktop->Forms().CreateForm(other));
  };
  scenario.act = [](World& world) { world.Main().CloseBox(); };
  scenario.expectWentOn = [&](World& world, const FailedRun& run) {
    const std::string& call = run.failed.name;
    EXPECT_EQ(world.desktop->SimForms().FindForm(form1::kName), nullptr);
    const bool otherStays = call == "LoadedForms" || call == "Unload(Other)";
    EXPECT_EQ(world.otherForms[0]->IsLoaded(), otherStays);
    EXPECT_FALSE(world.State().MonitorEnabled);
    if (!run.AtLabel(102)) {
      EXPECT_NE(world.desktop->SimChain().Head(), mainHandle);
    }
    // Nothing lost, and a later copy is acted on by no window that is gone.
    EXPECT_EQ(world.desktop->SimClipboard().TextOrEmpty(), kUserText);
    const std::size_t boxes = world.desktop->SimForms().Messages().size();
    world.desktop->SimClipboard().OtherProgramSetsText(std::u16string(kCopiedLater));
    world.desktop->Messaging().Yield();
    EXPECT_EQ(world.desktop->SimForms().Messages().size(), boxes);
    EXPECT_EQ(world.desktop->SimClipboard().TextOrEmpty(), kCopiedLater)
        << "the copy was written over";
  };
  RunWithEveryCallFailing(scenario);
}

// --- The two faults the runs above find, one run each -------------------------------

// The index of the first counted call named `name` while `act` runs.
int FirstCallNamed(const std::function<void(World&)>& arrange,
                   const std::function<void(World&)>& act, const std::string& name) {
  World reference;
  arrange(reference);
  reference.desktop->Faults().FailCall(kMaxCalls + 1);
  act(reference);
  const auto found = std::find(reference.counted.begin(), reference.counted.end(), name);
  return found == reference.counted.end() ? 0
                                          : static_cast<int>(found - reference.counted.begin()) + 1;
}

// The bulk edit leaves the chain before it writes; a failure in that step
// must still end the write-back and leave the window in the chain. The edit
// is still written: its own change arrives while Fenlow is busy and is
// ignored, as it would be out of the chain.
TEST(EveryCallFailing, ABulkEditWhoseLeavingTheChainFailsStillFollowsTheClipboard) {
  auto arrange = [](World& world) {
    world.Start();
    world.Main().Pick(form1::kCombo1, options::kRemoveAllSpaces);
  };
  auto act = [](World& world) { world.Main().Click(form1::kPushButton2); };
  const int leave = FirstCallNamed(arrange, act, "ChangeClipboardChain");
  ASSERT_GT(leave, 0);
  World world;
  arrange(world);
  world.desktop->Faults().FailCall(leave);
  act(world);
  world.desktop->Faults().StopFailingCalls();
  EXPECT_THAT(world.Reports(), IsEmpty());
  EXPECT_EQ(world.desktop->SimClipboard().TextOrEmpty(), u"abc");
  EXPECT_EQ(world.Text1(), u"abc");
  world.ExpectRequestsDown();
  world.ExpectMonitoringGoesOn();
}

// The change is passed on to the next viewer; a failure in that send must
// not leave later changes taken for ones that came round the chain.
TEST(EveryCallFailing, AChangeWhosePassingOnFailsStillLetsLaterChangesShow) {
  auto arrange = [](World& world) { world.Start(); };
  auto act = [](World& world) {
    world.desktop->SimClipboard().OtherProgramSetsText(u"copied first");
    world.desktop->Messaging().Yield();
  };
  const int passOn = FirstCallNamed(arrange, act, "SendMessageTimeout");
  ASSERT_GT(passOn, 0);
  World world;
  arrange(world);
  world.desktop->Faults().FailCall(passOn);
  act(world);
  world.desktop->Faults().StopFailingCalls();
  ASSERT_TRUE(world.desktop->Faults().InjectedFailure().has_value());
  EXPECT_EQ(world.Text1(), u"copied first");
  world.ExpectMonitoringGoesOn();
}

}  // namespace
}  // namespace fenlow::testing
