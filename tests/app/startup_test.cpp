// Start-up of the main window: the layout, the option list, the restored
// choice, the monitor's start in its fixed order and the first view.
#include "app_fixture.h"
#include "edits/engine/utf.h"
#include "tests/support/every_option.h"

namespace fenlow::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr char kLoadLocation[] = "in Fenlowpad2021/08/31.Form1.Form_Load ";

std::string Utf8(std::u16string_view text) {
  return edits::Utf16ToUtf8(text);
}

// --- The window as designed ---------------------------------------------------------

TEST(Form1Layout, ControlsSitInTheirFramesInTabOrder) {
  platform::FormSpec spec = Form1Spec();
  std::vector<std::pair<int, std::string>> byTab;
  for (const auto& control : spec.controls) byTab.emplace_back(control.tabIndex, control.name);
  std::sort(byTab.begin(), byTab.end());
  std::vector<std::string> order;
  for (const auto& [tab, name] : byTab) order.push_back(name);
  EXPECT_THAT(order, ElementsAre(form1::kFrame1, form1::kText1, form1::kFrame2, form1::kCombo1,
                                 form1::kPushButton2, form1::kFrame3, form1::kPushButton1,
                                 form1::kPushButton3));
  EXPECT_EQ(spec.clientWidthTwips, 8040);
  EXPECT_EQ(spec.clientHeightTwips, 5685);
  EXPECT_TRUE(spec.minimizeBox);
}

TEST(Form1Layout, PushButtonsHaveTheirOwnLargerFont) {
  platform::FormSpec spec = Form1Spec();
  EXPECT_EQ(spec.font.face, u"Arial");
  EXPECT_EQ(spec.font.points, 9.0);
  EXPECT_TRUE(spec.font.bold);
  for (const auto& control : spec.controls) {
    SCOPED_TRACE(control.name);
    if (control.kind == platform::ControlKind::PushButton) {
      ASSERT_TRUE(control.font.has_value());
      EXPECT_EQ(control.font->points, 11.25);
      EXPECT_TRUE(control.font->bold);
    } else {
      EXPECT_FALSE(control.font.has_value());  // the window's font
    }
  }
}

TEST(Form1Layout, OtherSoftwareFrameLiesBelowTheClientArea) {
  platform::FormSpec spec = Form1Spec();
  auto frame3 = std::find_if(spec.controls.begin(), spec.controls.end(),
                             [](const auto& control) { return control.name == form1::kFrame3; });
  ASSERT_NE(frame3, spec.controls.end());
  EXPECT_GT(frame3->rect.top, spec.clientHeightTwips);
}

// --- Start-up ---------------------------------------------------------------------

class StartupTest : public AppTest {};

TEST_F(StartupTest, MonitorStartsFlagHookJoinYieldAndTextIsThereBeforeTheWindowShows) {
  desktop->SimClipboard().OtherProgramSetsText(u"copied before the start");
  desktop->Messaging().Yield();
  std::u16string textWhenShown, buttonWhenShown;
  desktop->SimForms().WhenShown([&](SimulatedForm& form) {
    textWhenShown = form.Sim(form1::kText1).Text();
    buttonWhenShown = form.Sim(form1::kPushButton3).Text();
  });
  desktop->Log().Clear();

  SimulatedForm& main = Start();

  std::string window = Hex(main.Handle());
  std::vector<std::string> startCalls = CallsFrom("ReplaceWindowProc(" + window + ")");
  ASSERT_GE(startCalls.size(), 3u);
  EXPECT_EQ(startCalls[1], "SetClipboardViewer(" + window + ")");
  EXPECT_EQ(textWhenShown, u"copied before the start");
  EXPECT_EQ(buttonWhenShown, kEditingCaption);
  EXPECT_TRUE(State().MonitorEnabled);
  EXPECT_EQ(desktop->SimChain().Head(), main.Handle());
  EXPECT_EQ(desktop->SimWindows().CurrentProc(main.Handle()), &ClipboardMonitor::ViewerWndProc);
  EXPECT_TRUE(main.IsVisible());
  EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(StartupTest, ClipboardWithoutTextLeavesText1Empty) {
  desktop->SimClipboard().OtherProgramSets({{format::kBitmap, u""}});
  desktop->Messaging().Yield();
  Start();
  EXPECT_EQ(TextOf(form1::kText1), u"");
  EXPECT_EQ(TextOf(form1::kPushButton3), kEditingCaption);
}

TEST_F(StartupTest, CaptionIconAndApplicationTitleAreTheProductName) {
  SimulatedForm& main = Start();
  EXPECT_EQ(main.Caption(), u"Fenlow");
  EXPECT_TRUE(main.HasProgramIcon());
  EXPECT_EQ(desktop->Forms().ApplicationTitle(), u"Fenlow");
}

TEST_F(StartupTest, OptionListHoldsTheTwentyNineEntriesInOrder) {
  SimulatedForm& main = Start();
  EXPECT_THAT(main.Sim(form1::kCombo1).Items(), ElementsAreArray(OptionListEntries()));
}

TEST_F(StartupTest, FirstStartWithNoSettingsChoosesTheFirstEntry) {
  Start();
  EXPECT_EQ(TextOf(form1::kCombo1), u"Remove all spaces in clipboard");
  // Setting the list's text raises its event, which stores the same value.
  EXPECT_EQ(desktop->SimSettings().Stored()[kChosenEditSetting], u"Remove all spaces in clipboard");
}

TEST_F(StartupTest, StoredSeparatorIsSelectedAgain) {
  desktop->SimSettings().Stored()[kChosenEditSetting] = u"-";
  Start();
  EXPECT_EQ(TextOf(form1::kCombo1), u"-");
  EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(StartupTest, StoredTextNotInTheListIsReportedAndTheWindowStillJoinsTheChain) {
  desktop->SimSettings().Stored()[kChosenEditSetting] = u"Remove all vowels in clipboard";
  desktop->SimClipboard().OtherProgramSetsText(u"still shown");
  desktop->Messaging().Yield();

  SimulatedForm& main = Start();

  ASSERT_EQ(desktop->SimForms().Messages().size(), 1u);
  const auto& report = desktop->SimForms().Messages()[0];
  EXPECT_EQ(report.title, u"Application Error");
  EXPECT_EQ(report.style, 48);
  EXPECT_THAT(Utf8(report.text),
              ::testing::HasSubstr(std::string("\r\n") + kLoadLocation + "at line 186\r\r"));
  EXPECT_EQ(desktop->SimChain().Head(), main.Handle());
  EXPECT_EQ(TextOf(form1::kText1), u"still shown");
  EXPECT_EQ(TextOf(form1::kPushButton3), kEditingCaption);
}

// --- Skin and hand cursor -------------------------------------------------------------

TEST_F(StartupTest, WithoutSkinFileTheWindowKeepsItsDesignColours) {
  SimulatedForm& main = Start();
  EXPECT_EQ(main.Background(), platform::kWhite);
  EXPECT_EQ(main.Sim(form1::kFrame1).Background(), platform::kWhite);
  EXPECT_FALSE(program->MainForm().SkinFramework1().IsLoaded());
}

TEST_F(StartupTest, SkinFileTurnsWindowAndFramesButtonFaceThenPaintsItsColours) {
  desktop->SimFiles().AddFile(u"C:\\Program Files\\Fenlow\\x\\o.cjs", "frame=#102030\n");
  SimulatedForm& main = Start();
  EXPECT_EQ(main.Background(), platform::kButtonFace);          // the skin names no window colour
  EXPECT_EQ(main.Sim(form1::kFrame2).Background(), 0x302010u);  // #RRGGBB as 0x00BBGGRR
  EXPECT_EQ(main.Sim(form1::kText1).Background(), platform::kWhite);
  EXPECT_EQ(main.Sim(form1::kPushButton2).Background(), platform::kWhite);
}

TEST_F(StartupTest, UnloadableSkinIsReportedAtLabel100AndStartUpGoesOn) {
  desktop->SimFiles().AddFile(u"C:\\Program Files\\Fenlow\\x\\o.cjs",
                              "colour of the window: grey\n");
  SimulatedForm& main = Start();
  ASSERT_EQ(desktop->SimForms().Messages().size(), 1u);
  EXPECT_THAT(Utf8(desktop->SimForms().Messages()[0].text),
              ::testing::HasSubstr(std::string(kLoadLocation) + "at line 100\r\r"));
  EXPECT_EQ(main.Background(), platform::kButtonFace);  // the colour change already made stays
  EXPECT_EQ(main.Caption(), u"Fenlow");
  EXPECT_EQ(desktop->SimChain().Head(), main.Handle());
}

TEST_F(StartupTest, HandCursorIsLoadedWhenItsFileIsNextToTheProgram) {
  desktop->SimFiles().AddFile(u"C:\\Program Files\\Fenlow\\HAND-M.CUR", "cursor");
  SimulatedForm& main = Start();
  EXPECT_EQ(main.CustomPointerFile(), u"C:\\Program Files\\Fenlow\\HAND-M.CUR");
}

TEST_F(StartupTest, WithoutCursorFileStartUpCompletesWithoutCustomPicture) {
  SimulatedForm& main = Start();
  EXPECT_EQ(main.CustomPointerFile(), u"");
  EXPECT_THAT(Messages(), IsEmpty());
  main.MouseMove(form1::kPushButton2);
  EXPECT_EQ(main.Pointer(), platform::MousePointer::Custom);  // shows the arrow: no picture
}

// --- Pointer feedback -------------------------------------------------------------

TEST_F(StartupTest, PointerIsTheHandOverButtonsAndTheArrowElsewhere) {
  SimulatedForm& main = Start();
  for (const char* button : {form1::kPushButton1, form1::kPushButton2, form1::kPushButton3}) {
    main.SetPointer(platform::MousePointer::Default);
    main.MouseMove(button);
    EXPECT_EQ(main.Pointer(), platform::MousePointer::Custom) << button;
  }
  for (const char* surface : {"", form1::kFrame1, form1::kFrame2, form1::kFrame3}) {
    main.SetPointer(platform::MousePointer::Custom);
    main.MouseMove(surface);
    EXPECT_EQ(main.Pointer(), platform::MousePointer::Default) << surface;
  }
}

TEST_F(StartupTest, HourglassIsNeverTouchedByThePointerFeedback) {
  SimulatedForm& main = Start();
  main.SetPointer(platform::MousePointer::Hourglass);
  for (const char* place :
       {"", form1::kFrame1, form1::kFrame3, form1::kPushButton1, form1::kPushButton3}) {
    main.MouseMove(place);
    EXPECT_EQ(main.Pointer(), platform::MousePointer::Hourglass) << place;
  }
}

}  // namespace
}  // namespace fenlow::testing
