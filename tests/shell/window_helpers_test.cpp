// The load handlers' shared helpers: file test, colours, title, skin.
#include "shell/window_helpers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/sim/simulated_desktop.h"
#include "platform/sim/simulated_ui.h"
#include "test_forms.h"

namespace fenlow::testing {
namespace {

using platform::ControlKind;
using platform::kButtonFace;
using platform::kWhite;
using platform::sim::SimulatedForm;
using ::testing::IsEmpty;

constexpr char16_t kSkinPath[] = u"C:\\Program Files\\Fenlow\\x\\o.cjs";

class HelpersTest : public ::testing::Test {
 protected:
  HelpersTest() : desktop(platform::sim::CreateSimulatedDesktop()) {}

  // A window with one control of every kind.
  SimulatedForm& MakeWindow() {
    platform::FormSpec spec = FormWith("Form9", {{"Frame1", ControlKind::Frame},
                                                 {"Label1", ControlKind::Label},
                                                 {"Check3", ControlKind::CheckBox},
                                                 {"Option1", ControlKind::OptionButton},
                                                 {"Text1", ControlKind::TextBox},
                                                 {"Combo1", ControlKind::ComboList},
                                                 {"PushButton1", ControlKind::PushButton}});
    window = desktop->Forms().CreateForm(spec);
    return static_cast<SimulatedForm&>(*window);
  }

  std::unique_ptr<platform::sim::SimulatedDesktop> desktop;
  std::unique_ptr<platform::Form> window;
};

TEST_F(HelpersTest, FileExistsOnlyForAReadableFileAndNeverReports) {
  desktop->SimFiles().AddFile(u"C:\\Program Files\\Fenlow\\HAND-M.CUR", "");
  EXPECT_TRUE(FileExists(desktop->Files(), u"C:\\Program Files\\Fenlow\\HAND-M.CUR"));
  EXPECT_FALSE(FileExists(desktop->Files(), u"C:\\No such folder\\HAND-M.CUR"));
  EXPECT_FALSE(FileExists(desktop->Files(), u""));
  EXPECT_THAT(desktop->SimForms().Messages(), IsEmpty());
}

TEST_F(HelpersTest, HandCursorAndSkinSitInTheProgramFolder) {
  desktop->SimFiles().SetProgramFolder(u"D:\\Tools");
  EXPECT_EQ(HandCursorPath(desktop->Files()), u"D:\\Tools\\HAND-M.CUR");
  EXPECT_EQ(SkinFilePath(desktop->Files()), u"D:\\Tools\\x\\o.cjs");
}

TEST_F(HelpersTest, ButtonFaceColoursOnlyTheWindowFramesLabelsChecksAndOptions) {
  SimulatedForm& form = MakeWindow();
  ApplyButtonFaceColours(form);
  EXPECT_EQ(form.Background(), kButtonFace);
  for (const char* name : {"Frame1", "Label1", "Check3", "Option1"})
    EXPECT_EQ(form.Sim(name).Background(), kButtonFace) << name;
  for (const char* name : {"Text1", "Combo1", "PushButton1"})
    EXPECT_EQ(form.Sim(name).Background(), kWhite) << name;
}

TEST(ApplicationTitleOf, OneWordNameStaysWhole) {
  EXPECT_EQ(ApplicationTitleOf(u"Fenlow"), u"Fenlow");
}

TEST(ApplicationTitleOf, LastWordIsDroppedEvenWhenTheNameIsShort) {
  EXPECT_EQ(ApplicationTitleOf(u"Fenlow Clipboard Tool"), u"Fenlow Clipboard");
}

TEST(ApplicationTitleOf, WordsAreDroppedUntilAtMostFortyCharactersRemain) {
  // 45 characters with its last word; 39 after dropping it.
  EXPECT_EQ(ApplicationTitleOf(u"Fenlow Clipboard Text Editing Workbench Suite"),
            u"Fenlow Clipboard Text Editing Workbench");
  // 41 characters after the first cut: one more word goes.
  EXPECT_EQ(ApplicationTitleOf(u"Fenlow Clipboard Text Editing Workbenches X"),
            u"Fenlow Clipboard Text Editing");
}

TEST_F(HelpersTest, SetApplicationTitleGivesUntitledMessageBoxesTheProductName) {
  SetApplicationTitle(desktop->Forms());
  desktop->Forms().ShowMessage(u"hello", platform::kMessageBoxPlain, std::nullopt);
  EXPECT_EQ(desktop->SimForms().Messages().at(0).title, u"Fenlow");
}

// --- ApplySkin ---------------------------------------------------------------------

TEST_F(HelpersTest, NoSkinFileKeepsTheDesignColoursAndLoadsNothing) {
  SimulatedForm& form = MakeWindow();
  SkinLayer skin(desktop->Files(), desktop->Forms());
  ApplySkin(desktop->Files(), form, skin);
  EXPECT_EQ(form.Background(), kWhite);
  EXPECT_EQ(form.Sim("Frame1").Background(), kWhite);
  EXPECT_FALSE(skin.IsLoaded());
}

TEST_F(HelpersTest, HiddenSkinFileIsNotASkin) {
  desktop->SimFiles().AddFile(kSkinPath, "window=#000000\n", /*hidden=*/true);
  SimulatedForm& form = MakeWindow();
  SkinLayer skin(desktop->Files(), desktop->Forms());
  ApplySkin(desktop->Files(), form, skin);
  EXPECT_EQ(form.Background(), kWhite);
  EXPECT_FALSE(skin.IsLoaded());
}

TEST_F(HelpersTest, SkinFileSetsButtonFaceThenTheSkinsColoursWithAllSwitchesOn) {
  desktop->SimFiles().AddFile(kSkinPath, "window=#FF0000\nframe=#00FF00\ncontrol=#0000FF\n");
  SimulatedForm& form = MakeWindow();
  SkinLayer skin(desktop->Files(), desktop->Forms());
  skin.SetOptions(0x10);  // flags set before are kept

  ApplySkin(desktop->Files(), form, skin);

  EXPECT_EQ(skin.Options(), 0x11);
  EXPECT_EQ(form.Background(), 0x0000FFu);
  EXPECT_EQ(form.Sim("Frame1").Background(), 0x00FF00u);
  EXPECT_EQ(form.Sim("Label1").Background(), 0xFF0000u);
  EXPECT_EQ(form.Sim("Check3").Background(), 0xFF0000u);
  EXPECT_EQ(form.Sim("Text1").Background(), kWhite);
  EXPECT_EQ(form.Sim("PushButton1").Background(), kWhite);
}

TEST_F(HelpersTest, UnreadableSkinFailsAfterTheButtonFaceColours) {
  desktop->SimFiles().AddFile(kSkinPath, "window=blue\n");
  SimulatedForm& form = MakeWindow();
  SkinLayer skin(desktop->Files(), desktop->Forms());
  EXPECT_THROW(ApplySkin(desktop->Files(), form, skin), platform::Failure);
  EXPECT_EQ(form.Background(), kButtonFace);
  EXPECT_EQ(form.Sim("Frame1").Background(), kButtonFace);
}

// --- Pointer feedback ----------------------------------------------------------------

TEST_F(HelpersTest, PointerFeedbackByControlKind) {
  SimulatedForm& form = MakeWindow();
  InstallPointerFeedback(form);
  form.MouseMove("PushButton1");
  EXPECT_EQ(form.Pointer(), platform::MousePointer::Custom);
  form.MouseMove("Frame1");
  EXPECT_EQ(form.Pointer(), platform::MousePointer::Default);
  form.MouseMove("PushButton1");
  form.MouseMove("Label1");  // labels have no feedback of their own
  EXPECT_EQ(form.Pointer(), platform::MousePointer::Custom);
  form.MouseMove("");
  EXPECT_EQ(form.Pointer(), platform::MousePointer::Default);
}

}  // namespace
}  // namespace fenlow::testing
