// The labels of the real fenlow.exe show their whole caption: each one is
// measured inside the program (a font handle means nothing in another
// process), in the label's own font, against its client area. The Wine
// script runs this at 96 DPI and again at 144 and 192 with FENLOW_EXPECT_DPI
// set.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/form1_layout.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"
#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"
#include "tests/e2e/fenlow_driver.h"

namespace fenlow::e2e {
namespace {

namespace probe = platform::win32::probe;
using platform::WindowHandle;

constexpr std::u16string_view kStartCaption = u"Start Applying Bulk Edits";

// A window of the program with labels, how the user opens it, and its labels.
struct WindowWithLabels {
  std::u16string_view caption;
  std::function<void(FenlowDriver&)> open;
  std::vector<std::u16string_view> labels;
};

void OpenFindAndReplace(FenlowDriver& fenlow) {
  ASSERT_TRUE(fenlow.Choose(edits::options::kReplaceListItems));
  fenlow.Click(fenlow.Control(u"Button", kStartCaption));
}

void OpenOptions(FenlowDriver& fenlow) {
  probe::PostSystemCommand(fenlow.MainWindow(), kOptionsCommand);
}

// Form1 and Form2 have no labels: their captions are on frames, a check box
// and push buttons.
const std::vector<WindowWithLabels>& WindowsWithLabels() {
  static const std::vector<WindowWithLabels> windows = {
      {u"Replace x (user-specified) with...", OpenFindAndReplace,
       {u"Find what:", u"Replace with:"}},
      {u"Fenlow Options", OpenOptions,
       {u"&Apply the chosen edit:", u"&Undo Fenlow's last write:",
        u"Click a box and press the keys.\r\nBackspace leaves a box without a hotkey."}},
  };
  return windows;
}

class LabelsOfTheRealProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    fenlow.Start();
    // The main window appears before its load has finished.
    ASSERT_TRUE(probe::WaitUntil([&] { return fenlow.Control(u"Button", kStartCaption) != 0; }));
  }

  std::unique_ptr<platform::Platform> platform = platform::CreateWin32Platform();
  FenlowDriver fenlow{platform->Messaging()};
};

TEST_F(LabelsOfTheRealProgram, EveryLabelShowsItsWholeCaption) {
  const char* dpiSet = std::getenv("FENLOW_EXPECT_DPI");
  const int expectedDpi = dpiSet ? std::atoi(dpiSet) : 0;
  ASSERT_NE(probe::ProcessOf(fenlow.MainWindow()), probe::CurrentProcess());
  int measuredLabels = 0;
  for (const WindowWithLabels& shown : WindowsWithLabels()) {
    SCOPED_TRACE(edits::Utf16ToUtf8(shown.caption));
    shown.open(fenlow);
    if (HasFatalFailure()) return;
    const WindowHandle window = fenlow.WaitForShownWindow(shown.caption);
    ASSERT_NE(window, 0u) << "the window did not open";
    for (const std::u16string_view caption : shown.labels) {
      SCOPED_TRACE(edits::Utf16ToUtf8(caption));
      const WindowHandle label = probe::FindChild(window, u"Static", caption);
      ASSERT_NE(label, 0u);
      const auto measured = probe::MeasureCaptionInItsProgram(label);
      if (expectedDpi != 0) {
        ASSERT_EQ(measured.dpi, expectedDpi) << "the DPI was not set";
      }
      // The widths, for the record (--gtest_output=xml:FILE lists them).
      RecordProperty("label" + std::to_string(++measuredLabels),
                     "\"" + edits::Utf16ToUtf8(caption) + "\" " +
                         std::to_string(measured.captionWidth) + " px in " +
                         std::to_string(measured.clientWidth) + " px at " +
                         std::to_string(measured.dpi) + " DPI");
      EXPECT_TRUE(measured.ownFont) << "drawn in the system font";
      EXPECT_GE(measured.clientWidth, measured.captionWidth) << "at " << measured.dpi << " DPI";
    }
    probe::PostClick(probe::FindChild(window, u"Button", u"Cancel"));
    ASSERT_TRUE(probe::WaitUntil([&] { return probe::FindChild(0, u"FenlowForm", shown.caption) == 0; }));
  }
}

}  // namespace
}  // namespace fenlow::e2e
