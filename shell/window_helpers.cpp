#include "shell/window_helpers.h"

#include "shell/error_trap.h"
#include "shell/program_config.h"

namespace fenlow {

bool FileExists(platform::FileSystem& files, std::u16string_view path) {
  // Only whether the time can be read matters, not the time itself.
  return RunIgnoringFailure([&] { (void)files.ReadLastChangeTime(path); });
}

std::u16string HandCursorPath(platform::FileSystem& files) {
  return files.ProgramFolder() + u"\\HAND-M.CUR";
}

std::u16string SkinFilePath(platform::FileSystem& files) {
  return files.ProgramFolder() + u"\\x\\o.cjs";
}

// The skin layer's calls in the order that loads the skin, switches on what
// it paints and applies it to the main window.
void ApplySkin(platform::FileSystem& files, platform::Form& mainWindow, SkinLayer& skin) {
  std::u16string path = SkinFilePath(files);
  if (!files.IsNormalFile(path)) return;
  ApplyButtonFaceColours(mainWindow);
  skin.LoadSkin(path, u"");
  skin.SetOptions(skin.Options() | SkinLayer::kSkinControls);
  skin.SetSkinWindowSurface(true);
  skin.SetSkinFrames(true);
  skin.ApplyWindow(mainWindow.Handle());
}

namespace {

bool TakesButtonFace(platform::ControlKind kind) {
  using platform::ControlKind;
  return kind == ControlKind::OptionButton || kind == ControlKind::CheckBox ||
         kind == ControlKind::Frame || kind == ControlKind::Label;
}

}  // namespace

void ApplyButtonFaceColours(platform::Form& window) {
  window.SetBackColour(platform::kButtonFace);
  for (platform::Control* control : window.Controls()) {
    if (TakesButtonFace(control->Kind())) control->SetBackColour(platform::kButtonFace);
  }
}

// Cutting before the last blank drops the last word. A name without a blank
// has nothing to cut, so "Fenlow" stays "Fenlow" rather than becoming empty.
std::u16string ApplicationTitleOf(std::u16string_view productName) {
  constexpr std::size_t kMaxTitleLength = 40;
  std::u16string title(productName);
  do {
    std::size_t lastBlank = title.rfind(u' ');
    if (lastBlank == std::u16string::npos) break;
    title.resize(lastBlank);
  } while (title.size() > kMaxTitleLength);
  return title;
}

void SetApplicationTitle(platform::Ui& ui) {
  ui.SetApplicationTitle(ApplicationTitleOf(config::kProductName));
}

void SetPointerUnlessHourglass(platform::Form& window, platform::MousePointer pointer) {
  if (window.Pointer() != platform::MousePointer::Hourglass) window.SetPointer(pointer);
}

void InstallPointerFeedback(platform::Form& window) {
  using platform::ControlEvent;
  using platform::ControlKind;
  using platform::MousePointer;
  auto pointTo = [&window](MousePointer pointer) {
    return [&window, pointer] { SetPointerUnlessHourglass(window, pointer); };
  };
  window.On("", ControlEvent::MouseMove, pointTo(MousePointer::Default));
  for (platform::Control* control : window.Controls()) {
    if (control->Kind() == ControlKind::PushButton)
      window.On(control->Name(), ControlEvent::MouseMove, pointTo(MousePointer::Custom));
    if (control->Kind() == ControlKind::Frame)
      window.On(control->Name(), ControlEvent::MouseMove, pointTo(MousePointer::Default));
  }
}

}  // namespace fenlow
