// The find-and-replace dialog: its two checks, what stays in the globals while
// it is open, and how each way of closing leaves them.
#include "tests/dialogs/dialog_fixture.h"

namespace fenlow::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct OkCase {
  const char* name;
  std::u16string find;
  std::u16string replace;
  std::optional<std::u16string_view> message;  // nullopt: the dialog closes
};

class Form3Test : public DialogTest {
 protected:
  // True when OK confirmed the dialog.
  bool Ask(std::function<void(SimulatedForm&)> user) {
    state.BulkParam1.clear();
    state.BulkParam2.clear();
    form3.SetCaption(u"Replace x (user-specified) with...");
    return ShowModal(form3, std::move(user));
  }

  static void TypeBoth(SimulatedForm& dialog, std::u16string_view find,
                       std::u16string_view replace) {
    dialog.Type(form3::kText1, find);
    dialog.Type(form3::kText2, replace);
  }
};

TEST_F(Form3Test, OkPassesOrTellsWhyInTheOrderOfItsChecks) {
  const std::vector<OkCase> cases = {
      {"both empty", u"", u"", kFindWhatMissingMessage},
      {"find only", u"a", u"", std::nullopt},
      {"as many lines", u"a\r\nb", u"x\r\ny", std::nullopt},
      {"fewer replacement lines", u"a\r\nb", u"x", kLineCountsDifferMessage},
      {"find ends in a line break", u"a\r\n", u"x", kLineCountsDifferMessage},
      {"both end in a line break", u"a\r\n", u"x\r\n", std::nullopt},
      {"empty find, one-line replace", u"", u"x", kLineCountsDifferMessage},
      {"empty find, a lone line break", u"", u"\r\n", kLineCountsDifferMessage},
      {"lone CR and LF are no line breaks", u"a\rb\nc", u"x", std::nullopt},
      {"a line of blanks counts", u"a\r\n ", u"x\r\ny", std::nullopt},
  };
  for (const OkCase& row : cases) {
    SCOPED_TRACE(row.name);
    const std::size_t messagesBefore = desktop->SimForms().Messages().size();
    bool closedByOk = false;
    const bool confirmed = Ask([&](SimulatedForm& dialog) {
      TypeBoth(dialog, row.find, row.replace);
      dialog.Click(form3::kPushButton1);
      closedByOk = !dialog.IsLoaded();
    });
    EXPECT_EQ(closedByOk, !row.message.has_value());
    EXPECT_EQ(confirmed, closedByOk) << "the close box after a failed OK does not confirm";
    ASSERT_EQ(desktop->SimForms().Messages().size(), messagesBefore + (row.message ? 1 : 0));
    if (row.message) {
      const auto& shown = desktop->SimForms().Messages().back();
      EXPECT_EQ(shown.text, *row.message);
      EXPECT_EQ(shown.style, platform::kMessageBoxPlain);
      EXPECT_EQ(shown.title, kTitle);
    }
    // Either way the globals hold the texts as typed.
    EXPECT_EQ(state.BulkParam1, row.find);
    EXPECT_EQ(state.BulkParam2, row.replace);
  }
}

TEST_F(Form3Test, AFailedOkKeepsTheDialogOpenForACorrection) {
  bool openAfterMessage = false;
  std::u16string textsKept;
  Ask([&](SimulatedForm& dialog) {
    TypeBoth(dialog, u"a\r\nb", u"x");
    dialog.Click(form3::kPushButton1);
    openAfterMessage = dialog.IsLoaded() && dialog.IsVisible();
    textsKept = dialog.Sim(form3::kText1).Text() + u"|" + dialog.Sim(form3::kText2).Text();
    dialog.Type(form3::kText2, u"x\r\ny");
    dialog.Click(form3::kPushButton1);
  });
  EXPECT_TRUE(openAfterMessage);
  EXPECT_EQ(textsKept, u"a\r\nb|x");
  EXPECT_EQ(state.BulkParam1, u"a\r\nb");
  EXPECT_EQ(state.BulkParam2, u"x\r\ny");
  EXPECT_THAT(MessageTexts(), ElementsAre(kLineCountsDifferMessage));
}

TEST_F(Form3Test, TheCloseBoxAfterAFailedOkLeavesTheFailedTexts) {
  Ask([&](SimulatedForm& dialog) {
    TypeBoth(dialog, u"a\r\nb", u"x");
    dialog.Click(form3::kPushButton1);
    dialog.Type(form3::kText1, u"changed after the failed OK");
    dialog.CloseBox();
  });
  EXPECT_EQ(state.BulkParam1, u"a\r\nb");
  EXPECT_EQ(state.BulkParam2, u"x");
}

TEST_F(Form3Test, CancelAndEscapeEmptyBothEvenAfterAFailedOk) {
  for (bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "Escape" : "Cancel");
    Ask([&](SimulatedForm& dialog) {
      TypeBoth(dialog, u"", u"x");
      dialog.Click(form3::kPushButton1);
      ASSERT_EQ(state.BulkParam2, u"x");
      if (escape) {
        dialog.PressEscape();
      } else {
        dialog.Click(form3::kPushButton2);
      }
      EXPECT_FALSE(dialog.IsLoaded());
    });
    EXPECT_THAT(state.BulkParam1, IsEmpty());
    EXPECT_THAT(state.BulkParam2, IsEmpty());
  }
}

TEST_F(Form3Test, OpensWithTheFocusInFindWhatAndBothBoxesEmpty) {
  Ask([](SimulatedForm& dialog) {
    TypeBoth(dialog, u"a", u"b");
    dialog.Click(form3::kPushButton1);
  });
  std::string focus;
  std::u16string texts = u"unread";
  Ask([&](SimulatedForm& dialog) {
    focus = dialog.FocusedControl();
    texts = dialog.Sim(form3::kText1).Text() + dialog.Sim(form3::kText2).Text();
  });
  EXPECT_EQ(focus, form3::kText1);
  EXPECT_THAT(texts, IsEmpty());
}

TEST(LineCount, CountsTheLinesASplitAtCrLfGives) {
  EXPECT_EQ(LineCount(u""), 0u);
  EXPECT_EQ(LineCount(u"a"), 1u);
  EXPECT_EQ(LineCount(u"\r\n"), 2u);
  EXPECT_EQ(LineCount(u"a\r\n\r\nb"), 3u);
  EXPECT_EQ(LineCount(u"\r\r\n\n"), 2u);
}

}  // namespace
}  // namespace fenlow::testing
