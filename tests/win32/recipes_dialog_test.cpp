// The Recipes dialog as real windows: at the system's DPI (scripts/test_wine.sh
// runs it again at 144 and 192 with FENLOW_EXPECT_DPI) every control lies
// inside the dialog and apart from the others, the preview arrives from its
// thread into the rich-text boxes with its marks, and Escape leaves.
#include "dialogs/recipes_dialog.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

#include "dialogs/recipes_layout.h"
#include "dialogs/text_marks.h"
#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"

namespace fenlow::tests {
namespace {

using platform::WindowHandle;
namespace probe = platform::win32::probe;
using namespace recipes_form;
using namespace std::chrono_literals;

bool Overlap(const probe::Rect& a, const probe::Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const probe::Rect& inner, const probe::Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::string Described(WindowHandle window) {
  std::string text;
  for (const char16_t unit : probe::ClassName(window) + u" \"" + probe::WindowText(window) + u"\"")
    text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  return text;
}

// The open drop-down part of a combo box is not part of its closed window.
void ExpectControlsInsideAndApart(WindowHandle dialog) {
  const probe::Rect client = probe::ClientScreenRect(dialog);
  const std::vector<WindowHandle> children = probe::Children(dialog);
  ASSERT_GT(children.size(), 30u);
  for (std::size_t i = 0; i < children.size(); ++i) {
    const probe::Rect rect = probe::ScreenRect(children[i]);
    EXPECT_TRUE(Inside(rect, client)) << Described(children[i]);
    for (std::size_t j = i + 1; j < children.size(); ++j) {
      EXPECT_FALSE(Overlap(rect, probe::ScreenRect(children[j])))
          << Described(children[i]) << " and " << Described(children[j]);
    }
  }
}

TEST(RealRecipesDialog, LaysOutAtTheDpiShowsThePreviewAndEscapeLeaves) {
  auto platform = platform::CreateWin32Platform();
  platform::Ui& ui = platform->Forms();
  int accepted = 0;
  RecipesDialogServices services;
  services.hotkeyProblem = [](std::u16string_view, std::string_view) { return std::u16string(); };
  services.clipboardText = [] { return platform::SharedText(u"a b\r\nc"); };
  services.accept = [&](const std::vector<recipes::Recipe>&) { return ++accepted > 0; };
  services.openFolder = [] {};
  RecipesDialog dialog(*platform, services);

  recipes::Recipe recipe;
  recipe.name = "Squeeze";
  recipe.steps.push_back({});
  recipe.steps.back().edit = "remove-all-spaces";

  bool previewSeen = false;
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  std::function<void()> poll = [&] {
    platform::Form* form = nullptr;
    for (platform::Form* loaded : ui.LoadedForms()) {
      if (loaded->Name() == kName) form = loaded;
    }
    if (form != nullptr && form->Find(kAfter).Text() == u"ab\r\nc") {
      previewSeen = true;
      const WindowHandle window = form->Handle();
      if (const char* dpi = std::getenv("FENLOW_EXPECT_DPI")) {
        EXPECT_EQ(probe::Dpi(window), std::atoi(dpi));
      }
      ExpectControlsInsideAndApart(window);
      EXPECT_EQ(form->Find(kBefore).MarkedRanges(),
                (std::vector<platform::MarkedRange>{{1, 1, kRemovedColour}}));
      if (const char* shot = std::getenv("FENLOW_RECIPES_SCREENSHOT")) {
        probe::RunHostShell(std::string("import -window root ") + shot);
      }
      probe::PostKey(probe::Focus(), probe::kKeyEscape);
      return;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      if (form != nullptr) form->Unload();
      return;
    }
    ui.PostAfter(20ms, poll);
  };
  ui.PostAfter(20ms, poll);
  EXPECT_FALSE(dialog.ShowModal({{recipe}, std::nullopt}));
  EXPECT_TRUE(previewSeen);
  EXPECT_FALSE(dialog.IsOpen());
  EXPECT_EQ(accepted, 0);
}

}  // namespace
}  // namespace fenlow::tests
