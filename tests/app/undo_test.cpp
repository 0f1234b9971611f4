// Undo of Fenlow's writes and automatic mode, on a running main window.
#include "app_fixture.h"
#include "dialogs/parameter_dialog.h"
#include "edits/dispatcher.h"
#include "edits/engine/catalogue.h"

namespace fenlow::testing {
namespace {

namespace options = edits::options;
using Formats = std::map<std::int32_t, std::u16string>;
using Named = std::map<std::u16string, std::string>;
using namespace std::chrono_literals;

constexpr char16_t kAutomaticSetting[] = u"Kestrane\\Fenlow\\Apply To Every Copy";
const std::u16string kPrivateMark(platform::kExcludeFromMonitoringFormat);

class UndoTest : public AppTest {
 protected:
  void Copy(Formats formats, Named named = {}) {
    desktop->OtherProgramSets(std::move(formats), std::move(named));
    desktop->Messaging().Yield();
  }
  void CopyText(std::u16string text) { Copy({{format::kText, std::move(text)}}); }

  // Picks `option` and presses the start button; `typed` answers its dialog with OK.
  void ApplyEdit(std::u16string_view option, std::optional<std::u16string> typed = std::nullopt) {
    if (typed) {
      desktop->SimForms().WhenModal([typed](SimulatedForm& dialog) {
        dialog.Type(dialog_controls::kText1, *typed);
        dialog.Click(dialog_controls::kPushButton1);
      });
    }
    Main().Pick(form1::kCombo1, option);
    Main().Click(form1::kPushButton2);
  }

  void Undo() { Main().ChooseFromSystemMenu(u"&Undo"); }

  bool Told(std::u16string_view part) const {
    const auto& boxes = desktop->MessageBoxes();
    return std::any_of(boxes.begin(), boxes.end(), [&](const auto& box) {
      return box.text.find(part) != std::u16string::npos;
    });
  }
  std::size_t Questions() const { return desktop->SimForms().Questions().size(); }
  int Writes() const {
    const auto& calls = desktop->Calls();
    return static_cast<int>(std::count(calls.begin(), calls.end(), "EmptyClipboard"));
  }
};

TEST_F(UndoTest, UndoPutsBackEveryFormatStepByStepAndText1ShowsTheText) {
  Start();
  const Named html{{u"HTML Format", "<b>a1 b2</b>"}};
  Copy({{format::kText, u"a1 b2"}, {format::kRichText, u"{\\rtf1 a1 b2}"}}, html);
  ApplyEdit(options::kRemoveAllSpaces);
  ApplyEdit(options::kRemoveNumericChars);
  ASSERT_EQ(desktop->ClipboardFormats(), (Formats{{format::kText, u"ab"}}));

  Undo();
  EXPECT_EQ(desktop->ClipboardFormats(), (Formats{{format::kText, u"a1b2"}}));
  EXPECT_EQ(TextOf(form1::kText1), u"a1b2");

  Undo();
  EXPECT_EQ(desktop->ClipboardFormats(),
            (Formats{{format::kText, u"a1 b2"}, {format::kRichText, u"{\\rtf1 a1 b2}"}}));
  EXPECT_EQ(desktop->NamedClipboardFormats(), html);
  EXPECT_EQ(TextOf(form1::kText1), u"a1 b2");
  EXPECT_EQ(State().ClipText, u"a1 b2");
  EXPECT_THAT(Messages(), ::testing::IsEmpty());
  EXPECT_EQ(Questions(), 0u) << "nothing was copied since Fenlow's writes";

  Undo();
  EXPECT_TRUE(Told(u"nothing to undo"));
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"a1 b2");
  // Undo's own writes are not taken for copies.
  desktop->Messaging().Yield();
  EXPECT_EQ(TextOf(form1::kText1), u"a1 b2");
  ExpectMonitoringGoesOn();
}

TEST_F(UndoTest, TenStepsBackEachAfterTheQuestionForTheNewerCopy) {
  Start();
  for (int copy = 0; copy < 12; ++copy) {
    CopyText(u"copy " + std::u16string(1, static_cast<char16_t>(u'a' + copy)));
    ApplyEdit(options::kRemoveAllSpaces);
  }
  for (int answer = 0; answer < 10; ++answer) desktop->SimForms().AnswerNextQuestion(true);

  for (int step = 0; step < 10; ++step) Undo();
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"copy c") << "the tenth write back";
  EXPECT_EQ(Questions(), 9u) << "each write but the last came after another program's copy";
  Undo();
  EXPECT_TRUE(Told(u"nothing to undo"));
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"copy c");
}

TEST_F(UndoTest, TheQuestionForANewerCopyDecides) {
  for (bool yes : {true, false}) {
    Start();
    CopyText(u"a b");
    ApplyEdit(options::kRemoveAllSpaces);
    CopyText(u"newer copy");
    desktop->SimForms().AnswerNextQuestion(yes);

    Undo();

    EXPECT_EQ(desktop->ClipboardTextOrEmpty(), yes ? u"a b" : u"newer copy") << yes;
    EXPECT_EQ(TextOf(form1::kText1), yes ? u"a b" : u"newer copy") << yes;
    EXPECT_EQ(State().UndoSteps.Size(), yes ? 0u : 1u) << "No keeps the step for later";
  }
}

TEST_F(UndoTest, OverTheBoundTheStepKeepsTheTextAloneAndUndoSaysSo) {
  Start();
  const std::string large(UndoHistory::kStepBound, 'x');
  Copy({{format::kText, u"a b"}}, {{u"Large", large}});
  ApplyEdit(options::kRemoveAllSpaces);
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"ab") << "the edit runs all the same";
  EXPECT_LT(State().UndoSteps.Bytes(), std::size_t{1024});

  Undo();

  EXPECT_EQ(desktop->ClipboardFormats(), (Formats{{format::kText, u"a b"}}));
  EXPECT_TRUE(desktop->NamedClipboardFormats().empty());
  EXPECT_TRUE(Told(u"Only the text was put back"));
}

// A copy whose text was never read (held while it came), then saved over by
// hand: its text is kept from the clipboard itself.
TEST_F(UndoTest, OverTheBoundATextNeverReadIsKeptFromTheClipboard) {
  SimulatedForm& main = Start();
  desktop->FailNext(platform::sim::ClipboardOperation::GetText, ClipboardText::kMaxAttempts);
  Copy({{format::kText, u"never read"}}, {{u"Large", std::string(UndoHistory::kStepBound, 'x')}});
  ASSERT_NE(TextOf(form1::kText1), u"never read");
  main.Type(form1::kText1, u"typed");
  main.Click(form1::kPushButton3);
  ASSERT_EQ(desktop->ClipboardTextOrEmpty(), u"typed");

  Undo();

  EXPECT_EQ(desktop->ClipboardFormats(), (Formats{{format::kText, u"never read"}}));
  EXPECT_EQ(TextOf(form1::kText1), u"never read");
  EXPECT_TRUE(Told(u"Only the text was put back"));
}

TEST_F(UndoTest, AClipboardMarkedPrivateIsNeverKept) {
  Start();
  Copy({{format::kText, u"pass word"}}, {{kPrivateMark, ""}});
  ApplyEdit(options::kRemoveAllSpaces);
  ASSERT_EQ(desktop->ClipboardTextOrEmpty(), u"password") << "a click edits it all the same";
  EXPECT_EQ(State().UndoSteps.Bytes(), 0u);

  Undo();

  EXPECT_TRUE(Told(u"asked that its copy not be kept"));
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"password");
}

// --- Automatic mode ---------------------------------------------------------------

class AutomaticModeTest : public UndoTest {
 protected:
  Form1& Window() { return program->MainForm(); }
  // An update message with no change behind it, as a careless viewer sends.
  void AnnounceTheClipboardAgain() {
    desktop->Messaging().SendMessage(Window().MainWindowHandle(), platform::kDrawClipboardMessage,
                                     0, 0);
  }
};

TEST_F(AutomaticModeTest, EditsEachCopyOnceWritesNothingUnchangedAndIsUndone) {
  desktop->StoredSettings()[kAutomaticSetting] = u"True";
  Start();
  EXPECT_TRUE(Window().ApplyToEveryCopy()) << "read at start-up";

  CopyText(u"a b");
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"ab");
  EXPECT_EQ(TextOf(form1::kText1), u"ab");
  const int writes = Writes();
  CopyText(u"ab");  // the edit would not change it
  EXPECT_EQ(Writes(), writes);

  CopyText(u"c d");
  Undo();
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"c d") << "Undo's write is not edited";
  AnnounceTheClipboardAgain();
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"c d");

  Window().SetApplyToEveryCopy(false);
  EXPECT_EQ(desktop->StoredSettings()[kAutomaticSetting], u"False");
  CopyText(u"e f");
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"e f");
}

TEST_F(AutomaticModeTest, NeverAsksAndWaitsForAParameterConfirmedWithOk) {
  Start();
  Main().Pick(form1::kCombo1, options::kRemoveFirstChars);
  Window().SetApplyToEveryCopy(true);
  EXPECT_FALSE(Window().ChosenEditRunsAutomatically());
  CopyText(u"abcdef");
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"abcdef");
  EXPECT_THAT(desktop->Calls(), ::testing::Not(::testing::Contains("ShowModal(Form2)")));

  desktop->SimForms().WhenModal([](SimulatedForm& dialog) {  // typed, then cancelled
    dialog.Type(dialog_controls::kText1, u"4");
    dialog.Click(dialog_controls::kPushButton2);
  });
  Main().Click(form1::kPushButton2);
  EXPECT_FALSE(Window().ChosenEditRunsAutomatically());

  ApplyEdit(options::kRemoveFirstChars, u"2");
  EXPECT_TRUE(Window().ChosenEditRunsAutomatically());
  CopyText(u"abcdef");
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"cdef");
  AnnounceTheClipboardAgain();
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"cdef") << "its own write is no copy";
}

TEST_F(AutomaticModeTest, TurnsItselfOffAfterFiveWritesWithinTwoSecondsAndSaysSo) {
  Start();
  Window().SetApplyToEveryCopy(true);
  for (int copy = 0; copy < 6; ++copy) {
    desktop->AdvanceClock(600ms);  // slower than five in two seconds
    CopyText(u"slow " + std::u16string(1, static_cast<char16_t>(u'a' + copy)));
  }
  ASSERT_TRUE(Window().ApplyToEveryCopy());
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"slowf");

  for (int copy = 0; copy < 5; ++copy) {
    desktop->AdvanceClock(400ms);
    CopyText(u"fast " + std::u16string(1, static_cast<char16_t>(u'a' + copy)));
  }
  EXPECT_FALSE(Window().ApplyToEveryCopy());
  EXPECT_EQ(desktop->StoredSettings()[kAutomaticSetting], u"False");
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Told(u"has been turned off"));
  CopyText(u"g h");
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"g h");
}

TEST_F(AutomaticModeTest, AFailingEditIsToldOnceAndLeavesEachCopy) {
  Start();
  ApplyEdit(options::kRemoveFirstChars, u"three");
  Window().SetApplyToEveryCopy(true);
  const std::size_t toldBefore = Messages().size();  // the click's own failure
  for (const char16_t* copied : {u"abcdef", u"ghijkl", u"mnopqr"}) {
    CopyText(copied);
    EXPECT_EQ(desktop->ClipboardTextOrEmpty(), copied);
  }
  EXPECT_EQ(Messages().size(), toldBefore + 1);
}

TEST_F(AutomaticModeTest, LeavesACopyMarkedPrivate) {
  Start();
  Window().SetApplyToEveryCopy(true);
  Copy({{format::kText, u"pass word"}}, {{kPrivateMark, ""}});
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"pass word");
  EXPECT_EQ(TextOf(form1::kText1), u"pass word");
}

}  // namespace
}  // namespace fenlow::testing
