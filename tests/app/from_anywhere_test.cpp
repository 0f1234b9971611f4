// Fenlow from outside its window, on the simulated desktop: the global
// hotkeys, the notification icon and its menu, the Options dialog and a
// second start.
#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "dialogs/options_dialog.h"
#include "edits/engine/catalogue.h"
#include "platform/sim/simulated_hotkeys.h"
#include "platform/sim/simulated_notification_area.h"
#include "platform/sim/simulated_startup.h"
#include "tests/app/app_fixture.h"

namespace fenlow::testing {
namespace {

namespace options = edits::options;
using platform::Hotkey;
using platform::MenuItem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr Hotkey kApplyHotkey{true, true, true, 'B'};  // Ctrl+Alt+Shift+B, as installed
constexpr Hotkey kUndoHotkey{true, true, true, 'Z'};
constexpr Hotkey kPasteHotkey{true, true, true, 'V'};  // offered by Options, off until accepted
const std::u16string kEveryCopySetting = StoredSettingPath(settings::kApplyToEveryCopy);

class FromAnywhereTest : public AppTest {
 protected:
  platform::sim::SimulatedHotkeys& Hotkeys() { return desktop->SimHotkeys(); }
  platform::sim::SimulatedTray& Tray() { return desktop->SimTray(); }

  SimulatedForm& StartWithText(std::u16string text, std::u16string_view option) {
    desktop->SimClipboard().OtherProgramSetsText(std::move(text));
    desktop->SimSettings().Stored()[kChosenEditSetting] = std::u16string(option);
    return Start();
  }

  // The user is in another program's window.
  platform::WindowHandle UserInAnotherProgram() {
    const platform::WindowHandle editor = desktop->SimWindows().CreateWindow();
    desktop->SimForms().SetForeground(editor);
    return editor;
  }

  void PressAndDispatch(const Hotkey& hotkey) {
    ASSERT_TRUE(Hotkeys().Press(hotkey)) << "not registered";
    desktop->SimMessaging().RunMessageLoop();
  }

  // Opens the icon's menu and picks the item with `text` (noting the items).
  void PickInMenu(std::u16string_view text) {
    Tray().WhenMenuShown([this, text](const std::vector<MenuItem>& items) {
      menu = items;
      for (const MenuItem& item : items) {
        if (item.text == text) return item.id;
      }
      ADD_FAILURE() << "no such menu item";
      return 0;
    });
    Tray().RequestMenu();
    desktop->SimMessaging().RunMessageLoop();
  }

  std::u16string Setting(std::u16string_view key) {
    return desktop->SimSettings().Stored()[StoredSettingPath(key)];
  }

  std::vector<MenuItem> menu;
};

// --- The hotkey -----------------------------------------------------------------

struct ThroughDialog {
  std::u16string_view option;
  const char* dialog;
  const char* focusedAtOpening;  // OK in Form2, the first text box in Form3
  std::u16string_view typed;
  std::u16string_view edited;
};

TEST_F(FromAnywhereTest, TheApplyHotkeyOpensTheDialogInFrontAppliesAndGivesTheFocusBack) {
  const ThroughDialog cases[] = {
      {options::kRemoveFirstChars, form2::kName, dialog_controls::kPushButton1, u"2", u"cdef"},
      {options::kReplaceTextAfterDelimiter, form3::kName, dialog_controls::kText1, u"c", u"abc"},
  };
  for (const ThroughDialog& row : cases) {
    SCOPED_TRACE(row.dialog);
    StartWithText(u"abcdef", row.option);
    const platform::WindowHandle editor = UserInAnotherProgram();
    bool inFront = false;
    std::string focused;
    desktop->SimForms().WhenModal([&](SimulatedForm& dialog) {
      inFront = desktop->SimForms().ForegroundWindow() == dialog.SimHandle();
      focused = dialog.FocusedControl();
      dialog.Type(dialog_controls::kText1, row.typed);
      dialog.Click(dialog_controls::kPushButton1);
    });

    PressAndDispatch(kApplyHotkey);

    EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), row.edited);
    EXPECT_EQ(TextOf(form1::kText1), row.edited);
    EXPECT_TRUE(inFront);
    EXPECT_EQ(focused, row.focusedAtOpening);
    EXPECT_EQ(desktop->SimForms().ForegroundWindow(), editor);
    EXPECT_FALSE(State().BulkEditRequested);
  }
}

// A press that comes while another program's copy is handled waits for it,
// as a click does, and then edits that copy.
TEST_F(FromAnywhereTest, TheApplyHotkeyTakesTheStartButtonsRoad) {
  StartWithText(u"first", options::kRemoveAllSpaces);
  desktop->SimClipboard().OtherProgramSetsText(u"a b c");
  desktop->SimMessaging().DuringNextYield([&] { Hotkeys().Press(kApplyHotkey); });
  desktop->SimMessaging().RunMessageLoop();
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"abc");
  EXPECT_EQ(TextOf(form1::kText1), u"abc");
  ExpectMonitoringGoesOn();
}

TEST_F(FromAnywhereTest, WhileADialogOrMessageIsOpenHotkeysAndIconOnlyBringItToTheFront) {
  StartWithText(u"abcdef", options::kRemoveFirstChars);
  desktop->SimForms().WhenModal([&](SimulatedForm& dialog) {
    UserInAnotherProgram();
    Hotkeys().Press(kApplyHotkey);
    Tray().Click();
    Tray().RequestMenu();
    desktop->SimMessaging().RunMessageLoop();  // the dialog's own loop
    dialog.Type(dialog_controls::kText1, u"no number");
    dialog.Click(dialog_controls::kPushButton1);  // the edit fails: a notice tells why
  });
  desktop->SimForms().WhileMessageShown([&](const platform::sim::MessageBoxCall&) {
    Hotkeys().Press(kApplyHotkey);
    desktop->SimMessaging().RunMessageLoop();
  });
  Main().Click(form1::kPushButton2);
  desktop->SimMessaging().RunMessageLoop();

  EXPECT_THAT(desktop->SimForms().BroughtToFront(),
              ElementsAre("Form2", "Form2", "Form2", "MessageBox"));
  EXPECT_EQ(Tray().MenusShown(), 0);
  EXPECT_EQ(desktop->SimForms().Messages().size(), 1u) << "one edit, one notice";
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"abcdef");
}

// --- What keeps a hotkey from working --------------------------------------------

// On the Polish layout AltGr+Shift+Z types "Ż"; another program holds the
// other hotkey. Neither is said in a box: the tooltip and Options say it, and
// Options takes the user's other picks.
TEST_F(FromAnywhereTest, AHotkeyThatTypesOrIsTakenIsNotRegisteredAndOptionsSaysWhy) {
  Hotkeys().LayoutTypes(kUndoHotkey, u"\u017B");
  Hotkeys().HeldByOtherProgram(kApplyHotkey);
  StartWithText(u"text", options::kRemoveAllSpaces);

  EXPECT_THAT(Hotkeys().Registered(), IsEmpty());
  EXPECT_THAT(Messages(), IsEmpty());
  EXPECT_EQ(
      Tray().Tip(),
      u"Fenlow\nCtrl+Alt+Shift+B: used by another program\nCtrl+Alt+Shift+Z: types \"\u017B\"");

  std::u16string applyProblem, undoProblem, undoProblemAfterOk;
  std::string focusAfterOk;
  bool openAfterOk = false;
  desktop->SimForms().WhenModal([&](SimulatedForm& options) {
    applyProblem = options.Sim(options_form::kApplyProblem).Text();
    undoProblem = options.Sim(options_form::kUndoProblem).Text();
    options.Type(options_form::kApplyHotkey, u"Ctrl+Alt+Q");
    options.Click(options_form::kOk);  // Z still types "Ż": the user is sent back to it
    openAfterOk = options.IsLoaded();
    undoProblemAfterOk = options.Sim(options_form::kUndoProblem).Text();
    focusAfterOk = options.FocusedControl();
    options.Type(options_form::kUndoHotkey, u"Ctrl+Alt+U");
    options.Click(options_form::kOk);
  });
  PickInMenu(u"&Options...");

  EXPECT_EQ(applyProblem,
            u"Another program already uses Ctrl+Alt+Shift+B.\r\nPick another hotkey.");
  EXPECT_EQ(undoProblem,
            u"Ctrl+Alt+Shift+Z types \"\u017B\" on your keyboard layout.\r\n"
            u"It stays for typing: pick another hotkey.");
  EXPECT_TRUE(openAfterOk);
  EXPECT_EQ(undoProblemAfterOk, undoProblem);
  EXPECT_EQ(focusAfterOk, options_form::kUndoHotkey);
  EXPECT_THAT(Hotkeys().Registered(), ElementsAre(Hotkey{true, true, false, 'Q'},
                                                  Hotkey{true, true, false, 'U'}, kPasteHotkey));
  EXPECT_EQ(Setting(settings::kHotkeyApply), u"Ctrl+Alt+Q");
  EXPECT_EQ(Setting(settings::kHotkeyPaste), u"Ctrl+Alt+Shift+V");
  EXPECT_EQ(Setting(settings::kHotkeyUndo), u"Ctrl+Alt+U");
  EXPECT_EQ(Tray().Tip(), u"Fenlow");
  EXPECT_THAT(Messages(), IsEmpty());
}

// Options opens from the icon's menu and from the window's system menu.
TEST_F(FromAnywhereTest, OptionsKeepsWhatOkAcceptsAndCancelOrEscapeLeavesEverything) {
  Start();
  const auto pressed = [&](const char* button) {
    desktop->SimForms().WhenModal([button](SimulatedForm& options) {
      options.Click(options_form::kStartWithWindows);
      options.Click(options_form::kApplyToEveryCopy);
      options.Type(options_form::kApplyHotkey, u"");  // Backspace: no hotkey
      if (button == nullptr) {
        options.PressEscape();
      } else {
        options.Click(button);
      }
    });
  };
  pressed(options_form::kCancel);
  PickInMenu(u"&Options...");
  pressed(nullptr);
  Main().ChooseFromSystemMenu(u"&Options...");
  EXPECT_EQ(desktop->SimForms().FindForm(options_form::kName), nullptr);
  EXPECT_FALSE(desktop->SimStartup().StartsWithWindows());
  EXPECT_EQ(Hotkeys().Registered().size(), 2u);
  EXPECT_FALSE(program->MainForm().ApplyToEveryCopy());
  EXPECT_FALSE(desktop->SimSettings().Stored().contains(kEveryCopySetting));

  pressed(options_form::kOk);
  Main().ChooseFromSystemMenu(u"&Options...");
  EXPECT_TRUE(desktop->SimStartup().StartsWithWindows());
  EXPECT_TRUE(program->MainForm().ApplyToEveryCopy());
  EXPECT_EQ(Setting(settings::kApplyToEveryCopy), settings::kTrue);
  EXPECT_EQ(Setting(settings::kHotkeyApply), u"");
  EXPECT_THAT(Hotkeys().Registered(), ElementsAre(kUndoHotkey, kPasteHotkey));
  EXPECT_FALSE(Hotkeys().Press(kApplyHotkey));
}

// --- The icon ----------------------------------------------------------------------

// The menu's Undo and the undo hotkey take back Fenlow's last write.
TEST_F(FromAnywhereTest, TheMenusEditPickSelectsStoresAndAppliesItAndUndoTakesItBack) {
  StartWithText(u"a\tb c", options::kRemoveAllSpaces);
  PickInMenu(options::kRemoveAllTabs);

  EXPECT_EQ(TextOf(form1::kCombo1), options::kRemoveAllTabs);
  EXPECT_EQ(Setting(settings::kChosenEdit), options::kRemoveAllTabs);
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"ab c");
  // The 26 edits in the list's order and groups, the chosen one marked.
  std::vector<std::u16string> texts;
  std::vector<std::u16string> checked;
  for (const MenuItem& item : menu) {
    texts.push_back(item.id == 0 ? u"-" : item.text);
    if (item.checked) checked.push_back(item.text);
  }
  EXPECT_THAT(checked, ElementsAre(options::kRemoveAllSpaces));
  std::vector<std::u16string> expected(edits::kOptionListEntries.begin(),
                                       edits::kOptionListEntries.end());
  expected.insert(expected.end(),
                  {u"-", u"&Recipes", u"&Undo", u"&Options...", u"R&ecipes...", u"-", u"E&xit"});
  EXPECT_EQ(texts, expected);

  PressAndDispatch(kUndoHotkey);
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"a\tb c");
  PressAndDispatch(kApplyHotkey);
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"ab c");
  PickInMenu(u"&Undo");
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"a\tb c");
  EXPECT_EQ(TextOf(form1::kText1), u"a\tb c");
}

// Started by the sign-in, Fenlow starts minimised; a second start, a click
// on the icon and Exit then act on that window.
TEST_F(FromAnywhereTest, ASecondStartEndsAndBringsTheRunningWindowBackWhichExitCloses) {
  desktop->SimStartup().StartAtSignIn(true);
  SimulatedForm& main = Start();
  EXPECT_TRUE(main.IsMinimized());
  desktop->SimStartup().StartAtSignIn(false);
  const platform::WindowHandle mainHandle = main.SimHandle();
  desktop->Log().Clear();

  Program second(*desktop);
  second.Run();
  EXPECT_THAT(desktop->Log().Calls(), IsEmpty()) << "no window made, no chain joined";
  desktop->SimMessaging().RunMessageLoop();
  EXPECT_FALSE(main.IsMinimized());
  EXPECT_EQ(desktop->SimForms().ForegroundWindow(), mainHandle);

  UserInAnotherProgram();
  Tray().Click();
  desktop->SimMessaging().RunMessageLoop();
  EXPECT_EQ(desktop->SimForms().ForegroundWindow(), mainHandle);

  PickInMenu(u"E&xit");
  EXPECT_FALSE(main.IsLoaded());
  EXPECT_NE(desktop->SimChain().Head(), mainHandle) << "left the chain as the close box does";
  EXPECT_FALSE(State().MonitorEnabled);
  program.reset();
  EXPECT_FALSE(Tray().IconShown());
  EXPECT_THAT(Hotkeys().Registered(), IsEmpty());
}

// --- Hotkey texts --------------------------------------------------------------------

TEST(HotkeyText, SettingsTextsReadAndAreWrittenOneWay) {
  const std::pair<std::u16string_view, std::u16string_view> texts[] = {
      {u"Ctrl+Alt+Shift+B", u"Ctrl+Alt+Shift+B"},
      {u" shift + ctrl + alt + z ", u"Ctrl+Alt+Shift+Z"},
      {u"Alt+F24", u"Alt+F24"},
      {u"Ctrl+Num7", u"Ctrl+Num7"},
      {u"Ctrl+Alt+PgUp", u"Ctrl+Alt+PageUp"},
      {u"Ctrl+VK_ba", u"Ctrl+VK_BA"},
      {u"Shift+B", u""},  // neither Ctrl nor Alt: it would take plain typing
      {u"Ctrl+Ctrl+B", u""},
      {u"Ctrl+Alt", u""},
      {u"Ctrl+", u""},
      {u"Ctrl+F25", u""},
      {u"Ctrl+VK_10", u""},  // a modifier is no key
      {u"Win+B", u""},
      {u"", u""},
  };
  for (const auto& [text, written] : texts) {
    const auto hotkey = platform::ParseHotkey(text);
    EXPECT_EQ(hotkey ? platform::HotkeyText(*hotkey) : u"", written)
        << std::string(text.begin(), text.end());
  }
}

}  // namespace
}  // namespace fenlow::testing
