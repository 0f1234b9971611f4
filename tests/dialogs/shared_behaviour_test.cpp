// What both parameter dialogs do alike: their load steps, the remembered
// "Blank Line" check box and the pointer feedback.
#include "tests/dialogs/dialog_fixture.h"

namespace fenlow::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::u16string_view kCursorFile = u"C:\\Program Files\\Fenlow\\HAND-M.CUR";

template <typename Dialog>
class SharedBehaviourTest : public DialogTest {
 protected:
  Dialog& dialog() {
    if constexpr (std::is_same_v<Dialog, Form2>) {
      return form2;
    } else {
      return form3;
    }
  }
  std::u16string LoadLocation() const {
    return std::is_same_v<Dialog, Form2> ? u"in Fenlowpad2021/08/31.Form2.Form_Load "
                                         : u"in Fenlowpad2021/08/31.Form3.Form_Load ";
  }
  SimulatedForm& Loaded() {
    dialog().SetCaption(u"a caption");
    return Sim(dialog());
  }
};

using Dialogs = ::testing::Types<Form2, Form3>;
TYPED_TEST_SUITE(SharedBehaviourTest, Dialogs);

TYPED_TEST(SharedBehaviourTest, BlankLineSettingDecidesTheBoxAtLoad) {
  struct Row {
    std::optional<std::u16string> stored;
    bool checked;
    std::vector<std::string> written;
  };
  const std::vector<Row> rows = {
      {std::nullopt, true, {Logged(settings::kTrue)}},  // the first opening writes the default
      {std::u16string(settings::kTrue), true, {Logged(settings::kTrue)}},
      {std::u16string(settings::kFalse), false, {}},
      {u"true", false, {}},  // differs only in case: not "True"
      {u"", false, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.stored ? std::string(row.stored->begin(), row.stored->end()) : "absent");
    this->desktop->SimSettings().Stored().clear();
    this->desktop->Log().Clear();
    if (row.stored) this->StoreBlankLine(*row.stored);

    EXPECT_EQ(this->Loaded().Sim(dialog_controls::kCheck3).Checked(), row.checked);
    EXPECT_EQ(this->BlankLineWrites(), row.written);
    this->Loaded().Unload();
  }
}

TYPED_TEST(SharedBehaviourTest, TogglingTheBoxWritesAtOnceEvenWhenCancelled) {
  this->StoreBlankLine(std::u16string(settings::kTrue));
  this->dialog().SetCaption(u"a caption");
  this->desktop->Log().Clear();
  std::optional<std::u16string> storedWhileOpen;
  this->ShowModal(this->dialog(), [&](SimulatedForm& open) {
    open.Click(dialog_controls::kCheck3);
    storedWhileOpen = this->StoredBlankLine();
    open.Click(dialog_controls::kCheck3);
    open.Click(dialog_controls::kCheck3);
    open.Click(dialog_controls::kPushButton2);
  });
  EXPECT_EQ(storedWhileOpen, settings::kFalse);
  EXPECT_THAT(
      this->BlankLineWrites(),
      ElementsAre(Logged(settings::kFalse), Logged(settings::kTrue), Logged(settings::kFalse)));
  EXPECT_EQ(this->StoredBlankLine(), settings::kFalse);
  EXPECT_FALSE(
      this->Loaded().Sim(dialog_controls::kCheck3).Checked());  // the next opening remembers it
}

TYPED_TEST(SharedBehaviourTest, LoadPaintsButtonFaceAndSetsIconAndHandCursor) {
  this->desktop->SimFiles().AddFile(std::u16string(kCursorFile), "cursor");
  SimulatedForm& window = this->Loaded();
  EXPECT_EQ(window.Background(), platform::kButtonFace);
  for (platform::Control* control : window.Controls()) {
    SCOPED_TRACE(control->Name());
    const platform::ControlKind kind = control->Kind();
    const bool painted = kind == platform::ControlKind::Frame ||
                         kind == platform::ControlKind::Label ||
                         kind == platform::ControlKind::CheckBox;
    EXPECT_EQ(window.Sim(control->Name()).Background(),
              painted ? platform::kButtonFace : platform::kWhite);
  }
  EXPECT_TRUE(window.HasProgramIcon());
  EXPECT_EQ(window.CustomPointerFile(), kCursorFile);
  EXPECT_THAT(this->desktop->SimForms().Messages(), IsEmpty());
}

TYPED_TEST(SharedBehaviourTest, WithoutTheCursorFileNoPointerIsLoadedAndNothingIsReported) {
  SimulatedForm& window = this->Loaded();
  EXPECT_THAT(window.CustomPointerFile(), IsEmpty());
  EXPECT_THAT(this->desktop->SimForms().Messages(), IsEmpty());
  window.MouseMove(dialog_controls::kPushButton1);
  EXPECT_EQ(window.Pointer(), platform::MousePointer::Custom);  // shows the plain arrow then
}

TYPED_TEST(SharedBehaviourTest, AStoreThatCannotBeWrittenIsReportedAtLine112AndTheDialogOpens) {
  this->desktop->Faults().Fail("WriteSetting", platform::sim::FaultInjector::kEveryCall);
  bool shown = false;
  this->dialog().SetCaption(u"a caption");
  this->ShowModal(this->dialog(), [&](SimulatedForm& open) { shown = open.IsVisible(); });

  ASSERT_EQ(this->desktop->SimForms().Messages().size(), 1u);
  const auto& report = this->desktop->SimForms().Messages()[0];
  EXPECT_EQ(report.title, u"Application Error");
  EXPECT_EQ(report.style, platform::kMessageBoxExclamation);
  EXPECT_THAT(report.text, ContainsText(this->LoadLocation() + u"at line 112\r\r"));
  EXPECT_TRUE(shown);
}

TYPED_TEST(SharedBehaviourTest, AFailingLoadStepIsReportedWithItsLabelAndTheLoadGoesOn) {
  this->desktop->SimFiles().AddFile(std::u16string(kCursorFile), "not a cursor");
  this->desktop->Faults().Fail("SetBackColour", 1);
  this->desktop->Faults().Fail("LoadCustomPointer", 1);

  SimulatedForm& window = this->Loaded();

  const std::u16string description = u"The window operation failed (simulated).";
  EXPECT_THAT(this->MessageTexts(),
              ElementsAre(ErrorReportText(description, this->LoadLocation(), 100),
                          ErrorReportText(description, this->LoadLocation(), 106)));
  EXPECT_TRUE(window.HasProgramIcon());                         // 102 ran after 100 failed
  EXPECT_TRUE(window.Sim(dialog_controls::kCheck3).Checked());  // 108 to 112 ran after 106 failed
  EXPECT_THAT(window.CustomPointerFile(), IsEmpty());
}

TYPED_TEST(SharedBehaviourTest, AUsersClickThatCannotBeSavedIsTold) {
  SimulatedForm& window = this->Loaded();
  this->desktop->Faults().Fail("WriteSetting", platform::sim::FaultInjector::kEveryCall);
  window.Click(dialog_controls::kCheck3);
  ASSERT_EQ(this->desktop->SimForms().Messages().size(), 1u);
  const auto& told = this->desktop->SimForms().Messages()[0];
  EXPECT_THAT(told.text, ContainsText(u"could not be saved"));
  EXPECT_EQ(told.style, platform::kMessageBoxPlain);
  EXPECT_TRUE(window.IsLoaded());
}

TYPED_TEST(SharedBehaviourTest, PointerIsAHandOverButtonsAndAnArrowElsewhere) {
  SimulatedForm& window = this->Loaded();
  window.MouseMove(dialog_controls::kPushButton2);
  EXPECT_EQ(window.Pointer(), platform::MousePointer::Custom);
  window.MouseMove("");
  EXPECT_EQ(window.Pointer(), platform::MousePointer::Default);
  window.MouseMove(dialog_controls::kPushButton1);
  EXPECT_EQ(window.Pointer(), platform::MousePointer::Custom);

  window.SetPointer(platform::MousePointer::Hourglass);
  window.MouseMove("");
  window.MouseMove(dialog_controls::kPushButton1);
  EXPECT_EQ(window.Pointer(), platform::MousePointer::Hourglass);
}

TEST_F(DialogTest, Form2FramesShowTheArrowToo) {
  form2.SetCaption(u"a caption");
  SimulatedForm& window = Sim(form2);
  for (const char* frame : {form2::kFrame1, form2::kFrame2}) {
    window.MouseMove(dialog_controls::kPushButton1);
    window.MouseMove(frame);
    EXPECT_EQ(window.Pointer(), platform::MousePointer::Default) << frame;
  }
}

}  // namespace
}  // namespace fenlow::testing
