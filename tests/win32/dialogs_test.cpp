// The parameter dialogs as real windows: focus at opening, modal show with
// posted clicks and keys, the real message box of a failed check and the
// "Blank Line" value in the real settings store.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "clipboard/program_state.h"
#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"

namespace fenlow::tests {
namespace {

using platform::WindowHandle;
namespace probe = platform::win32::probe;

constexpr std::u16string_view kSettingsKey = u"Software\\Kestrane\\Fenlow";

class RealDialogs : public ::testing::Test {
 protected:
  RealDialogs() { platform->Forms().SetApplicationTitle(u"Fenlow"); }
  ~RealDialogs() override {
    for (platform::Form* loaded : platform->Forms().LoadedForms()) loaded->Unload();
  }

  static WindowHandle Button(ParameterDialog& dialog, std::u16string_view caption) {
    return probe::FindChild(dialog.Window().Handle(), u"Button", caption);
  }
  std::unique_ptr<platform::Platform> platform = platform::CreateWin32Platform();
  ProgramState state;
  Form2 form2{*platform, state};
  Form3 form3{*platform, state};
};

TEST_F(RealDialogs, OpenWithTheFocusOnOkInForm2AndInFindWhatInForm3) {
  form2.SetCaption(u"Remove First x character(s)");
  EXPECT_EQ(probe::WindowText(form2.Window().Handle()), u"Remove First x character(s)");
  form2.Window().Show();
  const WindowHandle ok = Button(form2, u"OK");
  EXPECT_TRUE(probe::WaitUntil([&] { return probe::Focus() == ok; }));

  form3.SetCaption(u"Replace x (user-specified) with...");
  form3.Window().Find(form3::kText1).SetText(u"find what");
  form3.Window().Find(form3::kText2).SetText(u"replace with");
  form3.Window().Show();
  EXPECT_TRUE(probe::WaitUntil([&] {
    return probe::ClassName(probe::Focus()) == u"Edit" &&
           probe::WindowText(probe::Focus()) == u"find what";
  }));
}

// Form2 opens with the focus on OK, so Enter presses it.
TEST_F(RealDialogs, EnterConfirmsAndEscapeCancelsInTheModalLoop) {
  form2.SetCaption(u"Remove x (user-specified) character(s)");
  form2.Window().Find(form2::kText1).SetText(u"a \r\nb\r\n");
  probe::PostKey(Button(form2, u"OK"), probe::kKeyEnter);
  probe::PostKey(Button(form2, u"OK"), probe::kKeyEscape);  // closes it if Enter did not
  EXPECT_TRUE(form2.ShowModal());
  EXPECT_FALSE(form2.IsLoaded());
  EXPECT_EQ(state.BulkParam1, u"a \r\nb\r\n");

  form2.SetCaption(u"Remove x (user-specified) character(s)");
  EXPECT_EQ(form2.Window().Find(form2::kText1).Text(), u"") << "a fresh dialog";
  form2.Window().Find(form2::kText1).SetText(u"typed");
  probe::PostKey(Button(form2, u"OK"), probe::kKeyEscape);
  EXPECT_FALSE(form2.ShowModal());
  EXPECT_FALSE(form2.IsLoaded());
  EXPECT_EQ(state.BulkParam1, u"");
}

TEST_F(RealDialogs, AFailedCheckShowsTheMessageAndTheDialogStaysOpen) {
  form3.SetCaption(u"Replace x (user-specified) with...");
  form3.Window().Find(form3::kText1).SetText(u"a\r\nb");
  form3.Window().Find(form3::kText2).SetText(u"x");
  const WindowHandle dialog = form3.Window().Handle();
  const WindowHandle cancel = Button(form3, u"Cancel");
  std::shared_future<probe::MessageBoxSeen> answered =
      probe::AnswerMessageBox(u"Fenlow", dialog).share();
  // Cancel once the message is answered: it reaches the dialog only if it is still open.
  std::thread user([answered, cancel] {
    answered.wait();
    probe::PostClick(cancel);
  });
  probe::PostClick(Button(form3, u"OK"));
  EXPECT_FALSE(form3.ShowModal());
  user.join();

  const probe::MessageBoxSeen seen = answered.get();
  EXPECT_EQ(seen.text, kLineCountsDifferMessage);
  EXPECT_TRUE(seen.watchedWindowDisabled) << "the message is modal to the dialog";
  EXPECT_EQ(state.BulkParam1, u"") << "Cancel ran after the failed OK";
  EXPECT_EQ(state.BulkParam2, u"");
}

TEST_F(RealDialogs, ClickingTheCheckBoxWritesTheSettingAtOnce) {
  platform->Settings().Write(u"Kestrane", u"Fenlow", u"Blank Line", u"True");
  form2.SetCaption(u"Remove Last x character(s)");
  EXPECT_EQ(probe::ReadUserRegistryString(kSettingsKey, u"Blank Line"), u"True");
  EXPECT_TRUE(form2.Window().Find(form2::kCheck3).Checked());
  form2.Window().Show();
  probe::PostClick(probe::FindChild(form2.Window().Handle(), u"Button",
                                    u"Leave blank line(s) where text has been removed"));
  EXPECT_TRUE(probe::WaitUntil(
      [] { return probe::ReadUserRegistryString(kSettingsKey, u"Blank Line") == u"False"; }));

  form2.Window().Unload();
  form3.SetCaption(u"Replace all text after user-defined with...");
  EXPECT_FALSE(form3.Window().Find(form3::kCheck3).Checked()) << "both dialogs share the setting";
  form3.Window().Find(form3::kCheck3).SetChecked(true);
  EXPECT_EQ(probe::ReadUserRegistryString(kSettingsKey, u"Blank Line"), u"True");
}

}  // namespace
}  // namespace fenlow::tests
