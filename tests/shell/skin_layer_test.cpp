// The skin file format and the skin layer's calls.
#include "shell/skin_layer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/sim/simulated_desktop.h"
#include "platform/sim/simulated_ui.h"
#include "test_forms.h"

namespace fenlow::testing {
namespace {

using ::testing::HasSubstr;

std::string FailureOf(std::string_view text) {
  try {
    (void)ParseSkinFile(text);
  } catch (const platform::Failure& failure) {
    return failure.what();
  }
  return "no failure";
}

TEST(ParseSkinFile, ColoursCommentsBlanksAndWindowsLineEnds) {
  SkinColours colours =
      ParseSkinFile("\xEF\xBB\xBF; grey skin\r\n\r\n  window = #C0C0C0 \r\nframe=ButtonFace\r\n");
  EXPECT_EQ(colours.window, 0xC0C0C0u);
  EXPECT_EQ(colours.frame, platform::kButtonFace);
  EXPECT_FALSE(colours.control.has_value());
}

TEST(ParseSkinFile, EmptyFileSetsNoColour) {
  SkinColours colours = ParseSkinFile("");
  EXPECT_FALSE(colours.window || colours.frame || colours.control);
}

TEST(ParseSkinFile, ByteOrderIsRedGreenBlueInTheFileAndBlueGreenRedInTheControls) {
  EXPECT_EQ(ParseSkinFile("window=#123456").window, 0x563412u);
}

TEST(ParseSkinFile, BadLinesAreNamedByNumber) {
  EXPECT_THAT(FailureOf("window=#FFFFFF\ngrey\n"), HasSubstr("line 2 (\"grey\") is not key=value"));
  EXPECT_THAT(FailureOf("border=#FFFFFF"), HasSubstr("line 1 (\"border=#FFFFFF\") names no"));
  for (const char* value : {"#FFF", "#GGGGGG", "FFFFFF", "#FFFFFF0", "", "buttonface"})
    EXPECT_THAT(FailureOf(std::string("window=") + value), HasSubstr("has no colour")) << value;
}

class SkinLayerTest : public ::testing::Test {
 protected:
  SkinLayerTest()
      : desktop(platform::sim::CreateSimulatedDesktop()),
        skin(desktop->Files(), desktop->Forms()) {}

  std::unique_ptr<platform::sim::SimulatedDesktop> desktop;
  SkinLayer skin;
};

TEST_F(SkinLayerTest, MissingFileFailsWithTheReadersDescription) {
  try {
    skin.LoadSkin(u"C:\\nowhere\\o.cjs", u"");
    FAIL() << "loaded a missing file";
  } catch (const platform::Failure& failure) {
    EXPECT_THAT(failure.what(), HasSubstr("C:\\nowhere\\o.cjs"));
  }
  EXPECT_FALSE(skin.IsLoaded());
}

TEST_F(SkinLayerTest, NamedSectionIsRefused) {
  desktop->SimFiles().AddFile(u"C:\\o.cjs", "");
  EXPECT_THROW(skin.LoadSkin(u"C:\\o.cjs", u"Dark"), platform::Failure);
}

TEST_F(SkinLayerTest, ApplyingNeedsALoadedSkinAndALoadedWindow) {
  auto form = desktop->Forms().CreateForm(FormWith("Form1"));
  EXPECT_THROW(skin.ApplyWindow(form->Handle()), platform::Failure);
  desktop->SimFiles().AddFile(u"C:\\o.cjs", "window=#000000");
  skin.LoadSkin(u"C:\\o.cjs", u"");
  EXPECT_THROW(skin.ApplyWindow(form->Handle() + 1), platform::Failure);
}

TEST_F(SkinLayerTest, SwitchedOffPartsAreLeftAlone) {
  auto form =
      desktop->Forms().CreateForm(FormWith("Form1", {{"Frame1", platform::ControlKind::Frame},
                                                     {"Label1", platform::ControlKind::Label}}));
  auto& sim = static_cast<platform::sim::SimulatedForm&>(*form);
  desktop->SimFiles().AddFile(u"C:\\o.cjs", "window=#000000\nframe=#000000\ncontrol=#000000");
  skin.LoadSkin(u"C:\\o.cjs", u"");
  skin.ApplyWindow(form->Handle());  // no switch on, no option flag
  EXPECT_EQ(sim.Background(), platform::kWhite);
  EXPECT_EQ(sim.Sim("Frame1").Background(), platform::kWhite);
  EXPECT_EQ(sim.Sim("Label1").Background(), platform::kWhite);
  skin.SetSkinFrames(true);
  skin.ApplyWindow(form->Handle());
  EXPECT_EQ(sim.Sim("Frame1").Background(), 0u);
  EXPECT_EQ(sim.Background(), platform::kWhite);
}

}  // namespace
}  // namespace fenlow::testing
