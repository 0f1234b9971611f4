// The remove-list dialog as its caller and its user meet it.
#include "tests/dialogs/dialog_fixture.h"

namespace fenlow::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Form2Test : public DialogTest {
 protected:
  // The caller's protocol: empty the parameter, caption, show modally.
  bool Ask(std::u16string caption, std::function<void(SimulatedForm&)> user) {
    state.BulkParam1.clear();
    form2.SetCaption(caption);
    return ShowModal(form2, std::move(user));
  }
};

TEST_F(Form2Test, SettingTheCaptionLoadsTheDialogAndRunsItsLoadFirst) {
  EXPECT_FALSE(form2.IsLoaded());
  form2.SetCaption(u"Remove First x character(s)");

  ASSERT_TRUE(form2.IsLoaded());
  SimulatedForm& window = Sim(form2);
  EXPECT_EQ(window.Caption(), u"Remove First x character(s)");
  EXPECT_FALSE(window.IsVisible());  // loaded, not yet shown
  EXPECT_TRUE(window.Sim(form2::kCheck3).Checked());
  EXPECT_EQ(window.Background(), platform::kButtonFace);
  EXPECT_THAT(BlankLineWrites(), ElementsAre(Logged(settings::kTrue)));
}

TEST_F(Form2Test, OkStoresTheTextExactlyAsTypedAndUnloads) {
  const std::u16string typed = u"  apple \r\n\tpear\r\n";  // blanks, a tab, a final Enter
  std::u16string captionShown;
  std::string focusAtOpening;
  Ask(u"Remove x (user-specified) character(s)", [&](SimulatedForm& dialog) {
    captionShown = dialog.Caption();
    focusAtOpening = dialog.FocusedControl();
    EXPECT_TRUE(dialog.WasShownModally());
    dialog.Type(form2::kText1, typed);
    dialog.Click(form2::kPushButton1);
    EXPECT_FALSE(dialog.IsLoaded());
  });

  EXPECT_EQ(state.BulkParam1, typed);
  EXPECT_EQ(captionShown, u"Remove x (user-specified) character(s)");
  EXPECT_EQ(focusAtOpening, form2::kPushButton1);
  EXPECT_FALSE(form2.IsLoaded());
}

// Only OK tells the caller to go on, also with an empty box.
TEST_F(Form2Test, EveryWayOfClosingButOkLeavesTheParameterEmptyAndOnlyOkConfirms) {
  const std::vector<std::pair<std::string, std::function<void(SimulatedForm&)>>> closings = {
      {"OK on an empty box", [](SimulatedForm& dialog) { dialog.Click(form2::kPushButton1); }},
      {"Cancel", [](SimulatedForm& dialog) { dialog.Click(form2::kPushButton2); }},
      {"Escape", [](SimulatedForm& dialog) { dialog.PressEscape(); }},
      {"close box", [](SimulatedForm& dialog) { dialog.CloseBox(); }},
  };
  for (const auto& [way, close] : closings) {
    SCOPED_TRACE(way);
    state.BulkParam1 = u"left by an earlier dialog";
    const bool confirmed = Ask(u"Remove Last x character(s)", [&](SimulatedForm& dialog) {
      if (way != "OK on an empty box") dialog.Type(form2::kText1, u"typed but not confirmed");
      close(dialog);
    });
    EXPECT_EQ(confirmed, way == "OK on an empty box");
    EXPECT_THAT(state.BulkParam1, IsEmpty());
    EXPECT_FALSE(form2.IsLoaded());
  }
}

TEST_F(Form2Test, TheCloseBoxDoesNotTouchTheParameter) {
  form2.SetCaption(u"Remove all text after x position");
  state.BulkParam1 = u"7";  // not emptied by this caller
  ShowModal(form2, [](SimulatedForm& dialog) {
    dialog.Type(form2::kText1, u"3");
    dialog.CloseBox();
  });
  EXPECT_EQ(state.BulkParam1, u"7");
}

TEST_F(Form2Test, EachUseStartsFromTheDesignedState) {
  Ask(u"Replace numeric character(s) with...", [&](SimulatedForm& dialog) {
    EXPECT_EQ(dialog.Sim(form2::kFrame1).Text(), u"Remove what:");
    dialog.Type(form2::kText1, u"#");
    dialog.Click(form2::kPushButton1);
  });
  form2.SetCaption(u"Replace numeric character(s) with...");
  form2.SetFrame1Caption(u"Replace with");
  EXPECT_EQ(Sim(form2).Sim(form2::kFrame1).Text(), u"Replace with");
  ShowModal(form2, [](SimulatedForm& dialog) { dialog.Click(form2::kPushButton2); });

  form2.SetCaption(u"Remove First x character(s)");
  SimulatedForm& fresh = Sim(form2);
  EXPECT_EQ(fresh.Sim(form2::kFrame1).Text(), u"Remove what:");
  EXPECT_THAT(fresh.Sim(form2::kText1).Text(), IsEmpty());
  EXPECT_EQ(fresh.Caption(), u"Remove First x character(s)");
}

}  // namespace
}  // namespace fenlow::testing
