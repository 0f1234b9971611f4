// The list box, the rich-text box and posting from another thread, as real
// Win32 controls and messages: what the program sets is read back through
// the controls, and the user's keys raise the program's events.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"

namespace fenlow::tests {
namespace {

using platform::ControlEvent;
using platform::ControlKind;
using platform::MarkedRange;
namespace probe = platform::win32::probe;
using namespace std::chrono_literals;

constexpr int kKeyDelete = 0x2E;
constexpr platform::Colour kRed = 0x00C0C0FF;
constexpr platform::Colour kGreen = 0x00B0F0B0;

platform::FormSpec ListAndRichTextForm() {
  platform::FormSpec spec;
  spec.name = "Lists";
  spec.caption = u"Lists";
  spec.clientWidthTwips = 6000;
  spec.clientHeightTwips = 4500;
  spec.controls = {
      {"List1", ControlKind::ListBox, "", u"", {120, 120, 2800, 2000}, 0, std::nullopt},
      {"RichText1", ControlKind::RichTextBox, "", u"", {3000, 120, 2800, 2000}, 1, std::nullopt},
  };
  return spec;
}

class RealListAndRichText : public ::testing::Test {
 protected:
  ~RealListAndRichText() override {
    for (platform::Form* loaded : ui.LoadedForms()) loaded->Unload();
  }
  std::unique_ptr<platform::Platform> platform = platform::CreateWin32Platform();
  platform::Ui& ui = platform->Forms();
  std::unique_ptr<platform::Form> form = ui.CreateForm(ListAndRichTextForm());
  platform::Control& list = form->Find("List1");
  platform::Control& rich = form->Find("RichText1");
};

TEST_F(RealListAndRichText, ListKeepsItsItemsInOrderAndTheChoice) {
  for (const char16_t* item : {u"Zeta", u"alpha", u"Beta"}) list.AddItem(item);
  EXPECT_EQ(list.SelectedIndex(), -1);
  list.SetSelectedIndex(1);
  EXPECT_EQ(list.SelectedIndex(), 1);
  EXPECT_EQ(list.Text(), u"alpha") << "not sorted";
  list.SetSelectedIndex(-1);
  EXPECT_EQ(list.SelectedIndex(), -1);
  EXPECT_THROW(list.SetSelectedIndex(3), platform::Failure);
  list.ClearItems();
  EXPECT_EQ(list.SelectedIndex(), -1);
  EXPECT_EQ(list.Text(), u"");
}

TEST_F(RealListAndRichText, UsersKeysChooseAnItemAndDeleteIt) {
  for (const char16_t* item : {u"one", u"two", u"three"}) list.AddItem(item);
  std::vector<int> clicks;
  int deletes = 0;
  form->On("List1", ControlEvent::Click, [&] { clicks.push_back(list.SelectedIndex()); });
  form->On("List1", ControlEvent::DeleteKey, [&] { ++deletes; });
  form->Show();
  list.SetSelectedIndex(0);
  list.SetFocus();
  const platform::WindowHandle window = probe::Focus();
  probe::PostKey(window, probe::kKeyDown);
  ASSERT_TRUE(probe::WaitUntil([&] { return !clicks.empty(); }, 5s));
  EXPECT_EQ(clicks, std::vector<int>{1});
  probe::PostKey(window, kKeyDelete);
  ASSERT_TRUE(probe::WaitUntil([&] { return deletes == 1; }, 5s));
  EXPECT_EQ(list.SelectedIndex(), 1) << "the program removes the item, not the control";
}

TEST_F(RealListAndRichText, MarkedRangesAreReadBackFromTheControl) {
  const std::u16string text = u"ab\r\ncd ef\r\ngh";
  const std::vector<MarkedRange> marks = {
      {1, 1, kRed}, {2, 2, kGreen}, {6, 1, kRed}, {11, 2, kGreen}};
  rich.SetMarkedText(text, marks);
  EXPECT_EQ(rich.Text(), text);
  EXPECT_EQ(rich.MarkedRanges(), marks);
  rich.SetMarkedText(u"plain", {});
  EXPECT_TRUE(rich.MarkedRanges().empty()) << "a new text drops the old marks";
}

TEST_F(RealListAndRichText, TaskPostedFromAnotherThreadRunsOnTheWindowsThread) {
  const std::thread::id windowThread = std::this_thread::get_id();
  std::vector<int> ran;
  std::vector<std::thread::id> threads;
  std::thread poster([&] {
    for (int task = 0; task < 3; ++task) {
      ui.PostFromAnyThread([&, task] {
        ran.push_back(task);
        threads.push_back(std::this_thread::get_id());
      });
    }
  });
  poster.join();
  ASSERT_TRUE(probe::WaitUntil([&] { return ran.size() == 3; }, 5s));
  EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
  for (const std::thread::id thread : threads) EXPECT_EQ(thread, windowThread);
}

}  // namespace
}  // namespace fenlow::tests
