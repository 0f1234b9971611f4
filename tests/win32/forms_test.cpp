// Forms built from a FormSpec as real windows, and the program-wide modality.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"
#include "tests/win32/probe_form.h"

namespace fenlow::tests {
namespace {

using platform::ControlEvent;
using platform::Failure;
using platform::WindowHandle;
namespace probe = platform::win32::probe;

constexpr std::uint32_t kMaximizeBox = 0x00010000, kMinimizeBox = 0x00020000,
                        kThickFrame = 0x00040000, kSysMenu = 0x00080000;
constexpr std::uint32_t kButtonTypeMask = 0xF, kGroupBox = 0x7, kAutoCheckBox = 0x3;
constexpr std::uint32_t kMultiLine = 0x4, kVerticalScroll = 0x00200000, kDropDownList = 0x3;
constexpr platform::MessageId kGetLimitText = 0x00D5, kMouseMove = 0x0200;

int Pixels(int twips, int dpi) {
  return (twips * dpi + 720) / 1440;
}

class RealForm : public ::testing::Test {
 protected:
  ~RealForm() override {
    for (platform::Form* loaded : ui.LoadedForms()) loaded->Unload();
  }
  WindowHandle Child(std::u16string_view className, std::u16string_view caption) {
    return probe::FindChild(form->Handle(), className, caption);
  }

  std::unique_ptr<platform::Platform> platform = platform::CreateWin32Platform();
  platform::Ui& ui = platform->Forms();
  std::unique_ptr<platform::Form> form = ui.CreateForm(ProbeFormSpec());
  std::vector<std::string> log;
};

TEST_F(RealForm, WindowHasTheDesignedSizeBorderAndPlace) {
  const WindowHandle window = form->Handle();
  const int dpi = probe::Dpi(window);
  const probe::Size client = probe::ClientSize(window);
  EXPECT_EQ(client.width, Pixels(6000, dpi));
  EXPECT_EQ(client.height, Pixels(4500, dpi));
  const std::uint32_t style = probe::Style(window);
  EXPECT_TRUE(style & kSysMenu);
  EXPECT_FALSE(style & (kMaximizeBox | kMinimizeBox | kThickFrame));

  form->Show();
  const probe::Rect frame = probe::ScreenRect(window);
  const probe::Rect work = probe::WorkArea();
  EXPECT_NEAR((frame.left + frame.right) / 2, (work.left + work.right) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, (work.top + work.bottom) / 2, 1);

  auto withMinimize = ProbeFormSpec("Minimizable");
  withMinimize.minimizeBox = true;
  EXPECT_TRUE(probe::Style(ui.CreateForm(withMinimize)->Handle()) & kMinimizeBox);
}

TEST_F(RealForm, ControlsAreTheRightWindowsPlacedInTheirFrames) {
  const WindowHandle frame = Child(u"Button", u"Current text");
  ASSERT_NE(frame, 0u);
  EXPECT_EQ(probe::Style(frame) & kButtonTypeMask, kGroupBox);
  EXPECT_EQ(probe::Style(Child(u"Button", u"Keep blank lines")) & kButtonTypeMask, kAutoCheckBox);
  EXPECT_NE(Child(u"Static", u"A label"), 0u);
  const WindowHandle text = Child(u"Edit", u"");
  ASSERT_NE(text, 0u);
  EXPECT_EQ(probe::Style(text) & (kMultiLine | kVerticalScroll), kMultiLine | kVerticalScroll);
  EXPECT_EQ(probe::Style(Child(u"ComboBox", u"")) & 0x3, kDropDownList);
  EXPECT_EQ(probe::Parent(text), form->Handle()) << "frame children sit on the form";

  const int dpi = probe::Dpi(form->Handle());
  EXPECT_NEAR(probe::ScreenRect(text).left - probe::ScreenRect(frame).left,
              Pixels(120 + 240, dpi) - Pixels(120, dpi), 1);
  EXPECT_NEAR(probe::ScreenRect(text).top - probe::ScreenRect(frame).top,
              Pixels(120 + 315, dpi) - Pixels(120, dpi), 1);

  const int buttonFont = probe::FontHeightPixels(probe::Font(Child(u"Button", u"OK")));
  const int formFont = probe::FontHeightPixels(probe::Font(frame));
  EXPECT_EQ(buttonFont, (1125 * dpi + 3600) / 7200) << "11.25 pt of its own";
  EXPECT_EQ(formFont, (9 * dpi + 36) / 72) << "the form's 9 pt";

  EXPECT_EQ(form->Controls().size(), 7u);
  EXPECT_EQ(form->Find(probe_form::kCombo1).Kind(), platform::ControlKind::ComboList);
  EXPECT_THROW(form->Find("Combo9"), Failure);
}

TEST_F(RealForm, TextBoxKeepsLineBreaksAndHasNoLengthLimit) {
  auto& text = form->Find(probe_form::kText1);
  text.SetText(u"first\r\nsecond \u00e9\r\n");
  EXPECT_EQ(text.Text(), u"first\r\nsecond \u00e9\r\n");

  std::u16string big;
  while (big.size() < 100'000) big += u"a line of words that the box wraps as a user types it\r\n";
  text.SetText(big);
  EXPECT_EQ(text.Text(), big);
  EXPECT_GE(platform->Messaging().SendMessage(Child(u"Edit", u""), kGetLimitText, 0, 0), 0x7FFFFFFE)
      << "typing is not limited to 32K either";
}

TEST_F(RealForm, PushButtonCaptionReadsBackExactly) {
  auto& button = form->Find(probe_form::kPushButton1);
  button.SetText(u"Save Changes && Stop");
  EXPECT_EQ(button.Text(), u"Save Changes && Stop");
  EXPECT_EQ(form->Find(probe_form::kLabel1).Text(), u"A label");
}

// The hotkey box keeps the combination in the system's form (a key code and
// modifier flags); what the settings spell comes back spelled the one way.
TEST_F(RealForm, HotkeyBoxGivesBackTheHotkeyItWasGiven) {
  platform::FormSpec spec = ProbeFormSpec("Hotkeys");
  spec.controls = {
      ProbeControl("Hotkey1", platform::ControlKind::HotkeyBox, "", u"", {120, 120, 3000, 315}, 0)};
  const std::unique_ptr<platform::Form> hotkeys = ui.CreateForm(spec);
  auto& box = hotkeys->Find("Hotkey1");
  EXPECT_EQ(box.Text(), u"");
  for (std::u16string_view text :
       {u"Ctrl+Alt+Shift+B", u"Alt+Delete", u"Ctrl+F12", u"Ctrl+Alt+Num7", u"Ctrl+VK_BA"}) {
    box.SetText(text);
    EXPECT_EQ(box.Text(), text);
  }
  box.SetText(u"alt + ctrl + pgup");
  EXPECT_EQ(box.Text(), u"Ctrl+Alt+PageUp");
  EXPECT_THROW(box.SetText(u"Shift+B"), Failure);
  box.SetText(u"");
  EXPECT_EQ(box.Text(), u"");
}

TEST_F(RealForm, ComboSelectsTheExactEntryAndRaisesClick) {
  auto& combo = form->Find(probe_form::kCombo1);
  form->On(probe_form::kCombo1, ControlEvent::Click,
           [&] { log.push_back("click " + std::to_string(combo.Text().size())); });
  for (auto entry : {u"Alpha", u"-", u"alpha"}) combo.AddItem(entry);
  EXPECT_EQ(combo.Text(), u"");

  combo.SetText(u"alpha");
  EXPECT_EQ(combo.Text(), u"alpha") << "case matters, unlike the system's own search";
  EXPECT_EQ(log, std::vector<std::string>{"click 5"});
  combo.SetText(u"-");
  EXPECT_EQ(combo.Text(), u"-");

  EXPECT_THROW(combo.SetText(u"Beta"), Failure);
  EXPECT_EQ(combo.Text(), u"-") << "a failed choice leaves the selection";
  EXPECT_EQ(log.size(), 2u);
  EXPECT_THROW(form->Find(probe_form::kText1).AddItem(u"x"), Failure);
}

TEST_F(RealForm, CheckBoxClicksOnEveryChangeOnly) {
  auto& check = form->Find(probe_form::kCheck1);
  form->On(probe_form::kCheck1, ControlEvent::Click,
           [&] { log.push_back(check.Checked() ? "on" : "off"); });
  check.SetChecked(true);
  check.SetChecked(true);
  EXPECT_EQ(log, std::vector<std::string>{"on"});
  probe::PostClick(Child(u"Button", u"Keep blank lines"));
  EXPECT_TRUE(probe::WaitUntil([&] { return log.size() == 2; }));
  EXPECT_EQ(log.back(), "off") << "a user's click toggles and raises Click";
  EXPECT_FALSE(check.Checked());
}

TEST_F(RealForm, MouseMovesReachTheFormItsFramesAndItsButtons) {
  form->On("", ControlEvent::MouseMove, [&] { log.push_back("form"); });
  form->On(probe_form::kFrame1, ControlEvent::MouseMove, [&] { log.push_back("frame"); });
  form->On(probe_form::kPushButton1, ControlEvent::MouseMove, [&] { log.push_back("button"); });
  auto& messaging = platform->Messaging();
  const int dpi = probe::Dpi(form->Handle());
  const auto at = [](int x, int y) { return static_cast<platform::LParam>((y << 16) | x); };
  messaging.SendMessage(form->Handle(), kMouseMove, 0, at(Pixels(200, dpi), Pixels(2000, dpi)));
  messaging.SendMessage(form->Handle(), kMouseMove, 0, at(Pixels(5000, dpi), Pixels(3500, dpi)));
  messaging.SendMessage(Child(u"Button", u"OK"), kMouseMove, 0, at(3, 3));
  EXPECT_EQ(log, (std::vector<std::string>{"frame", "form", "button"}));

  form->SetPointer(platform::MousePointer::Custom);
  EXPECT_EQ(form->Pointer(), platform::MousePointer::Custom);
  EXPECT_THROW(form->LoadCustomPointer(u"C:\\no such folder\\HAND-M.CUR"), Failure);
}

TEST_F(RealForm, KeyboardFollowsTabIndicesEnterClicksTheFocusedButtonAndEscapeCancel) {
  form->On(probe_form::kPushButton1, ControlEvent::Click, [&] { log.push_back("ok"); });
  form->On(probe_form::kPushButton2, ControlEvent::Click, [&] { log.push_back("cancel"); });
  form->Show();
  const WindowHandle text = Child(u"Edit", u"");
  EXPECT_TRUE(probe::WaitUntil([&] { return probe::Focus() == text; }))
      << "the first focusable control by tab index";
  probe::PostKey(text, probe::kKeyEnter);
  EXPECT_TRUE(probe::WaitUntil([&] { return form->Find(probe_form::kText1).Text() == u"\r\n"; }))
      << "Enter in a multi-line text box is a new line";
  probe::PostKey(text, probe::kKeyTab);
  EXPECT_TRUE(probe::WaitUntil([&] { return probe::Focus() != text; }));
  EXPECT_EQ(probe::ClassName(probe::Focus()), u"ComboBox");

  form->Find(probe_form::kPushButton1).SetFocus();
  probe::PostKey(probe::Focus(), probe::kKeyEnter);
  EXPECT_TRUE(probe::WaitUntil([&] { return !log.empty(); }));
  probe::PostKey(probe::Focus(), probe::kKeyEscape);
  EXPECT_TRUE(probe::WaitUntil([&] { return log.size() == 2; }));
  EXPECT_EQ(log, (std::vector<std::string>{"ok", "cancel"}));
}

TEST_F(RealForm, ClosingRunsTheQueryUnloadHandlerThenUnloads) {
  form->OnQueryUnload([&] {
    log.push_back("query unload");
    throw Failure("a failing handler does not keep the form open");
  });
  form->Show();
  EXPECT_EQ(ui.LoadedForms().size(), 1u);
  probe::PostClose(form->Handle());
  EXPECT_TRUE(probe::WaitUntil([&] { return !form->IsLoaded(); }));
  EXPECT_EQ(log, std::vector<std::string>{"query unload"});
  EXPECT_TRUE(ui.LoadedForms().empty());
  EXPECT_THROW(form->Handle(), Failure);
}

TEST_F(RealForm, AWindowClosedByASentMessageStillEndsTheMainLoop) {
  form->Show();
  auto closer = probe::SendCloseFromAnotherThread(form->Handle(), std::chrono::milliseconds(300));
  ui.RunUntilUnloaded(*form);  // a sent message is handled inside GetMessage
  closer.get();
  EXPECT_FALSE(form->IsLoaded());
}

TEST_F(RealForm, FailureInADispatchedHandlerLeavesTheMainLoop) {
  form->On(probe_form::kPushButton1, ControlEvent::Click, [] { throw Failure("handler failed"); });
  form->Show();
  probe::PostClick(Child(u"Button", u"OK"));
  EXPECT_THROW(ui.RunUntilUnloaded(*form), Failure);
  EXPECT_TRUE(form->IsLoaded());
}

TEST_F(RealForm, ShowModalDisablesTheOtherWindowsUntilTheFormUnloadsItself) {
  form->Show();
  auto dialog = ui.CreateForm(ProbeFormSpec("Dialog"));
  bool mainDisabledMeanwhile = false;
  dialog->On(probe_form::kPushButton1, ControlEvent::Click, [&] {
    mainDisabledMeanwhile = !probe::IsEnabled(form->Handle());
    dialog->Unload();  // from inside its own handler
  });
  EXPECT_EQ(ui.LoadedForms().size(), 2u);
  probe::PostClick(probe::FindChild(dialog->Handle(), u"Button", u"OK"));
  dialog->ShowModal();
  EXPECT_FALSE(dialog->IsLoaded());
  EXPECT_TRUE(mainDisabledMeanwhile);
  EXPECT_TRUE(probe::IsEnabled(form->Handle()));
  EXPECT_EQ(ui.LoadedForms(), std::vector<platform::Form*>{form.get()});
}

// A task posted for later runs once, from whichever loop dispatches then,
// after its delay and not before; tasks posted at once run first.
TEST_F(RealForm, ATaskPostedForLaterRunsOnceAfterItsDelay) {
  std::vector<std::string> ran;
  const auto posted = std::chrono::steady_clock::now();
  std::chrono::steady_clock::duration waited{};
  ui.PostAfter(std::chrono::milliseconds(100), [&] {
    ran.push_back("later");
    waited = std::chrono::steady_clock::now() - posted;
  });
  ui.Post([&] { ran.push_back("now"); });
  EXPECT_TRUE(probe::WaitUntil([&] { return ran.size() == 2; }));
  EXPECT_FALSE(probe::WaitUntil([&] { return ran.size() > 2; }, std::chrono::milliseconds(300)));
  EXPECT_EQ(ran, (std::vector<std::string>{"now", "later"}));
  EXPECT_GE(waited, std::chrono::milliseconds(90));
}

// Fills the stack below the caller with words that are no handles, as later
// calls reuse what a returned function left there.
[[gnu::noinline]] void OverwriteFreedStack() {
  volatile std::uintptr_t words[8192];
  for (std::size_t i = 0; i < std::size(words); ++i) words[i] = 0x10 + i * 8;
}

// A modal loop that ends on WM_QUIT leaves the form loaded: unloading it
// later must not call back into the loop's frame, which is gone.
TEST_F(RealForm, AModalFormLeftByQuitUnloadsLaterWithoutCallingIntoTheEndedLoop) {
  form->Show();
  auto dialog = ui.CreateForm(ProbeFormSpec("Dialog"));
  ui.Post([] { probe::PostQuit(); });
  dialog->ShowModal();
  EXPECT_TRUE(probe::TakeQuit()) << "the quit is posted again for the outer loop";
  EXPECT_TRUE(dialog->IsLoaded());
  EXPECT_TRUE(probe::IsEnabled(form->Handle()));
  OverwriteFreedStack();
  dialog->Unload();
  EXPECT_FALSE(dialog->IsLoaded());
  EXPECT_TRUE(probe::IsEnabled(form->Handle()));
}

TEST_F(RealForm, MessageBoxIsModalToTheProgramAndFallsBackToTheApplicationTitle) {
  auto other = ui.CreateForm(ProbeFormSpec("Other"));
  other->Show();
  form->Show();
  form->Find(probe_form::kPushButton1).SetFocus();
  const WindowHandle ok = Child(u"Button", u"OK");
  auto answered = probe::AnswerMessageBox(u"Probe title", other->Handle());
  ui.ShowMessage(u"Text with \u00e9", platform::kMessageBoxExclamation, u"Probe title");
  const probe::MessageBoxSeen seen = answered.get();
  EXPECT_EQ(seen.text, u"Text with \u00e9");
  EXPECT_TRUE(seen.watchedWindowDisabled) << "also a window that is not the box's owner";
  EXPECT_TRUE(probe::IsEnabled(form->Handle()));
  EXPECT_TRUE(probe::IsEnabled(other->Handle()));
  EXPECT_TRUE(probe::WaitUntil([&] {
    return probe::Foreground() == form->Handle() && probe::Focus() == ok;
  })) << "the window active before is active again, with its focus";

  ui.SetApplicationTitle(u"Fenlow Probe");
  EXPECT_EQ(ui.ApplicationTitle(), u"Fenlow Probe");
  auto untitled = probe::AnswerMessageBox(u"Fenlow Probe", form->Handle());
  ui.ShowMessage(u"No title given", platform::kMessageBoxPlain, std::nullopt);
  EXPECT_EQ(untitled.get().text, u"No title given");

  for (auto answer : {probe::BoxAnswer::Yes, probe::BoxAnswer::No}) {
    auto asked = probe::AnswerMessageBox(u"Fenlow Probe", form->Handle(), answer);
    EXPECT_EQ(ui.AskYesNo(u"Replace it?", std::nullopt), answer == probe::BoxAnswer::Yes);
    EXPECT_TRUE(asked.get().watchedWindowDisabled);
  }
}

TEST_F(RealForm, SystemMenuItemsRunTheirHandlers) {
  int picked = 0;
  form->AddSystemMenuItem(0x0100, u"&Undo", [&] { ++picked; });
  EXPECT_THROW(form->AddSystemMenuItem(0xF010, u"Clash", [] {}), platform::Failure);
  const std::vector<std::u16string> captions = probe::SystemMenuCaptions(form->Handle());
  ASSERT_GE(captions.size(), 2u);
  EXPECT_EQ(captions[captions.size() - 2], u"") << "a separator before the program's items";
  EXPECT_EQ(captions.back(), u"&Undo");
  form->Show();
  probe::PostSystemCommand(form->Handle(), 0x0100);
  EXPECT_TRUE(probe::WaitUntil([&] { return picked == 1; }));
  // No such item: left to the system. The item picked after it tells when it was handled.
  probe::PostSystemCommand(form->Handle(), 0x0110);
  probe::PostSystemCommand(form->Handle(), 0x0100);
  EXPECT_TRUE(probe::WaitUntil([&] { return picked >= 2; }));
  EXPECT_EQ(picked, 2);
}

}  // namespace
}  // namespace fenlow::tests
