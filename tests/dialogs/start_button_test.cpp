// The start button end to end on the simulated desktop: the chosen edit asks
// for its parameters in the right dialog, the dialog's outcome reaches the
// edit, and the edit is applied once per click to the clipboard's text.
#include <optional>

#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "edits/engine/catalogue.h"
#include "tests/app/app_fixture.h"
#include "tests/support/every_option.h"

namespace fenlow::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// What the user saw in a dialog, read while it was open.
struct Seen {
  std::string dialog;
  std::u16string caption;
  std::u16string frameCaption;
  std::u16string param1AtOpening;
  std::u16string param2AtOpening;
  std::u16string text1AtOpening;
};

class StartButtonTest : public AppTest {
 protected:
  SimulatedForm& StartWithText(std::u16string text) {
    Copy(std::move(text));
    return Start();
  }

  // Another program puts text on the clipboard; the update arrives at the next yield.
  void Copy(std::u16string text) {
    desktop->SimClipboard().OtherProgramSetsText(std::move(text));
    desktop->Messaging().Yield();
  }

  // The next dialog: records what it shows, then `user` acts in it.
  void NextDialog(std::function<void(SimulatedForm&)> user) {
    desktop->SimForms().WhenModal([this, user = std::move(user)](SimulatedForm& dialog) {
      Seen shown{
          dialog.Name(),      dialog.Caption(),   u"",
          State().BulkParam1, State().BulkParam2, dialog.Sim(dialog_controls::kText1).Text()};
      if (dialog.Name() == form2::kName) shown.frameCaption = dialog.Sim(form2::kFrame1).Text();
      seen.push_back(shown);
      user(dialog);
    });
  }

  void ClickStart(std::u16string_view option) {
    Main().Pick(form1::kCombo1, option);
    Main().Click(form1::kPushButton2);
  }

  int CallCount(const std::string& call) const {
    return static_cast<int>(
        std::count(desktop->Log().Calls().begin(), desktop->Log().Calls().end(), call));
  }

  std::vector<Seen> seen;
};

namespace options = edits::options;

std::string FormName(AsksIn dialog) {
  return dialog == AsksIn::Form2 ? form2::kName : form3::kName;
}

// Four options ask in Form2 although no dialog was designed for them:
// replacing all spaces or all blank lines, and removing the text after or
// before a delimiter.
TEST_F(StartButtonTest, EveryOptionAsksInItsDialogIfAnyAndAppliesWhatWasTyped) {
  Start();
  for (const OptionRow& row : kEveryOption) {
    SCOPED_TRACE(std::string(row.option.begin(), row.option.end()));
    seen.clear();
    Copy(std::u16string(row.clipText));
    State().BulkParam1 = u"left from before";
    State().BulkParam2 = u"left from before";
    if (row.dialog != AsksIn::NoDialog) {
      NextDialog([&](SimulatedForm& dialog) {
        dialog.Type(dialog_controls::kText1, row.param1);
        if (row.dialog == AsksIn::Form3) dialog.Type(form3::kText2, row.param2);
        dialog.Click(dialog_controls::kPushButton1);
      });
    }

    ClickStart(row.option);

    if (row.dialog == AsksIn::NoDialog) {
      EXPECT_THAT(seen, IsEmpty());
    } else {
      ASSERT_EQ(seen.size(), 1u);
      EXPECT_EQ(seen[0].dialog, FormName(row.dialog));
      EXPECT_EQ(seen[0].caption, row.caption);
      EXPECT_EQ(seen[0].frameCaption, row.frameCaption);
      EXPECT_THAT(seen[0].param1AtOpening, IsEmpty());
      EXPECT_EQ(seen[0].param2AtOpening, row.dialog == AsksIn::Form3 ? u"" : u"left from before");
    }
    EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), row.edited);
    EXPECT_EQ(TextOf(form1::kText1), row.edited);
    EXPECT_FALSE(State().BulkEditRequested);
    EXPECT_FALSE(State().ManualSaveRequested);
  }
  EXPECT_THAT(Messages(), IsEmpty());
}

// Backing out of the dialog, however it is done, ends the click: nothing is
// applied, written or told, and unsaved typing in Text1 stays.
TEST_F(StartButtonTest, BackingOutOfTheDialogAppliesNothing) {
  struct Row {
    const char* way;
    std::u16string_view option;
    std::function<void(SimulatedForm&)> user;
    std::vector<std::u16string_view> told;
  };
  const auto typeThen = [](std::function<void(SimulatedForm&)> close) {
    return [close](SimulatedForm& dialog) {
      dialog.Type(dialog_controls::kText1, u"#");
      close(dialog);
    };
  };
  const std::vector<Row> rows = {
      {"Cancel",
       options::kReplaceNumericChars,
       typeThen([](SimulatedForm& d) { d.Click(dialog_controls::kPushButton2); }),
       {}},
      {"Escape",
       options::kReplaceAlphabetChars,
       typeThen([](SimulatedForm& d) { d.PressEscape(); }),
       {}},
      {"close box, with an x the edit would not take",
       options::kRemoveFirstChars,
       [](SimulatedForm& d) { d.CloseBox(); },
       {}},
      {"Escape in Form3",
       options::kReplaceListItems,
       [](SimulatedForm& d) {
         d.Type(dialog_controls::kText1, u"6");
         d.Type(form3::kText2, u"x");
         d.PressEscape();
       },
       {}},
      {"close box after a failed OK",
       options::kReplaceListItems,
       [](SimulatedForm& d) {
         d.Type(dialog_controls::kText1, u"6\r\n2");
         d.Type(form3::kText2, u"x");
         d.Click(dialog_controls::kPushButton1);  // told the line counts differ; stays open
         d.CloseBox();
       },
       {kLineCountsDifferMessage}},
  };
  SimulatedForm& main = StartWithText(u"order 66 of 2024");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.way);
    const std::size_t toldBefore = Messages().size();
    main.Type(form1::kText1, u"unsaved typing");
    NextDialog(row.user);
    ClickStart(row.option);

    EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"order 66 of 2024");
    EXPECT_EQ(TextOf(form1::kText1), u"unsaved typing");
    const std::vector<std::u16string> told = Messages();
    EXPECT_EQ(std::vector<std::u16string>(told.begin() + toldBefore, told.end()),
              std::vector<std::u16string>(row.told.begin(), row.told.end()));
    EXPECT_FALSE(State().BulkEditRequested);
    EXPECT_FALSE(State().ManualSaveRequested);
  }
}

TEST_F(StartButtonTest, OptionsWithoutParametersAndSeparatorsOpenNoDialog) {
  StartWithText(u"a b\tc");
  desktop->Log().Clear();
  ClickStart(options::kRemoveAllSpaces);
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"ab\tc");

  ClickStart(options::kSeparator);
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"ab\tc");  // names no edit: nothing written
  EXPECT_EQ(CallCount("CreateForm(Form2)") + CallCount("CreateForm(Form3)"), 0);
  EXPECT_FALSE(State().BulkEditRequested);
}

TEST_F(StartButtonTest, TwoClicksApplyTheEditTwiceEachWithAFreshDialog) {
  StartWithText(u"abcdef");
  for (int click = 0; click < 2; ++click) {
    NextDialog([](SimulatedForm& dialog) {
      dialog.Type(dialog_controls::kText1, u"2");
      dialog.Click(dialog_controls::kPushButton1);
    });
    ClickStart(options::kRemoveFirstChars);
  }
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"ef");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_THAT(seen[1].text1AtOpening, IsEmpty());
}

TEST_F(StartButtonTest, CopiesWhileTheDialogIsOpenAreShownNotEditedAndTheEditTakesTheLatest) {
  StartWithText(u"first text");
  std::u16string shownWhileOpen;
  std::u16string clipboardWhileOpen;
  NextDialog([&](SimulatedForm& dialog) {
    Copy(u"second text");
    shownWhileOpen = TextOf(form1::kText1);
    clipboardWhileOpen = desktop->SimClipboard().TextOrEmpty();
    dialog.Type(dialog_controls::kText1, u"7");
    dialog.Click(dialog_controls::kPushButton1);
  });
  ClickStart(options::kRemoveFirstChars);

  EXPECT_EQ(shownWhileOpen, u"second text");
  EXPECT_EQ(clipboardWhileOpen, u"second text");
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"text");
}

// The second click waits for the first one's write-back; its dialog then
// opens with monitoring idle, and the edit is applied a second time.
TEST_F(StartButtonTest, AClickWhileTheWriteBackYieldsIsCarriedOutRightAfter) {
  StartWithText(u"abcdef");
  NextDialog([&](SimulatedForm& dialog) {
    dialog.Type(dialog_controls::kText1, u"2");
    // The first yield after OK is the dispatcher's, while it writes back.
    desktop->SimMessaging().DuringNextYield([&] { Main().Click(form1::kPushButton2); });
    dialog.Click(dialog_controls::kPushButton1);
  });
  bool openedWhileMonitorIdle = false;
  NextDialog([&](SimulatedForm& dialog) {
    openedWhileMonitorIdle = !State().IsBusy && !State().IsWritingBack;
    dialog.Type(dialog_controls::kText1, u"2");
    dialog.Click(dialog_controls::kPushButton1);
  });
  ClickStart(options::kRemoveFirstChars);
  EXPECT_EQ(seen.size(), 1u) << "no dialog opens inside the write-back";

  desktop->SimMessaging().RunMessageLoop();
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_TRUE(openedWhileMonitorIdle);
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"ef");
  EXPECT_FALSE(State().BulkEditRequested);
  EXPECT_FALSE(State().IsWritingBack);
}

// Clicks that come while another program's copy is handled run right after
// it, once each: the copy is edited, twice for two clicks.
TEST_F(StartButtonTest, ClicksRightAfterAnotherProgramsCopyEditThatCopy) {
  StartWithText(u"first");
  Main().Pick(form1::kCombo1, options::kRemoveSpacesExceptSingle);
  desktop->SimClipboard().OtherProgramSetsText(u"a    b");
  desktop->SimMessaging().DuringNextYield([&] {
    Main().Click(form1::kPushButton2);
    Main().Click(form1::kPushButton2);
  });
  desktop->SimMessaging().RunMessageLoop();
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"a b");
  EXPECT_EQ(TextOf(form1::kText1), u"a b");
}

TEST_F(StartButtonTest, ADialogThatCannotBeCreatedIsReportedAndTheEditStillRuns) {
  StartWithText(u"abcdef");
  desktop->Faults().Fail("CreateForm", 1);
  NextDialog([](SimulatedForm& dialog) {
    dialog.Type(dialog_controls::kText1, u"2");
    dialog.Click(dialog_controls::kPushButton1);
  });
  ClickStart(options::kRemoveFirstChars);

  EXPECT_THAT(Messages(), ElementsAre(ErrorReportText(
                              u"The window operation failed (simulated).",
                              u"in Fenlowpad2021/08/31.Form1.PushButton2_Click ", 104)));
  // The show loads the dialog afresh, so the user can still give the count.
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"cdef");
  EXPECT_FALSE(State().BulkEditRequested);
  EXPECT_FALSE(State().ManualSaveRequested);
}

TEST_F(StartButtonTest, AClickWhileEditingByHandReplacesTheUnsavedTyping) {
  SimulatedForm& main = StartWithText(u"a b");
  main.Type(form1::kText1, u"unsaved typing");
  ClickStart(options::kRemoveAllSpaces);
  EXPECT_EQ(TextOf(form1::kText1), u"ab");
  EXPECT_EQ(desktop->SimClipboard().TextOrEmpty(), u"ab");
  EXPECT_FALSE(State().ManualSaveRequested);
}

}  // namespace
}  // namespace fenlow::testing
