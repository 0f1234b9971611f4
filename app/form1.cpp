#include "app/form1.h"

#include "app/form1_layout.h"
#include "edits/engine/catalogue.h"
#include "shell/program_config.h"
#include "shell/settings_keys.h"
#include "shell/window_helpers.h"

namespace fenlow {

namespace {

using platform::ControlEvent;

}  // namespace

Form1::Form1(platform::Platform& platform, ProgramState& state, ClipboardMonitor& monitor)
    : platform_(platform),
      state_(state),
      monitor_(monitor),
      skinFramework1_(platform.Files(), platform.Forms()) {}

Form1::~Form1() = default;

void Form1::Load() {
  window_ = platform_.Forms().CreateForm(Form1Spec());
  InstallHandlers();
  Form_Load();
}

void Form1::Show() {
  Window().Show();
}

bool Form1::IsLoaded() const {
  return window_ != nullptr && window_->IsLoaded();
}

platform::Form& Form1::Window() {
  if (window_ == nullptr) throw platform::Failure("The main window is not loaded.");
  return *window_;
}

platform::Control& Form1::Find(std::string_view controlName) {
  return Window().Find(controlName);
}

platform::WindowHandle Form1::MainWindowHandle() {
  return Window().Handle();
}
std::u16string Form1::Text1() {
  return Find(form1::kText1).Text();
}
void Form1::SetText1(const platform::SharedText& text) {
  Find(form1::kText1).SetSharedText(text);
  if (textShown_) textShown_();
}
std::u16string Form1::Combo1Text() {
  return Find(form1::kCombo1).Text();
}

ErrorTrap Form1::TrapFor(std::u16string_view procedure) {
  return ErrorTrap(platform_.Forms(), TrapLocation(form1::kName, procedure));
}

void Form1::InstallHandlers() {
  platform::Form& window = Window();
  window.On(form1::kPushButton1, ControlEvent::Click, [this] { PushButton1_Click(); });
  // The two buttons that change the clipboard take the monitor's road of
  // requests: a click that comes while a change is handled waits for it.
  window.On(form1::kPushButton2, ControlEvent::Click,
            [this] { monitor_.Requests().Run([this] { PushButton2_Click(); }); });
  window.On(form1::kPushButton3, ControlEvent::Click,
            [this] { monitor_.Requests().Run([this] { PushButton3_Click(); }); });
  window.On(form1::kCombo1, ControlEvent::Change, [this] { Combo1_Change(); });
  window.On(form1::kCombo1, ControlEvent::Click, [this] { Combo1_Click(); });
  window.OnQueryUnload([this] { Form_QueryUnload(); });
  InstallPointerFeedback(window);
}

// Start-up. The monitor starts last and in this order: the flag before the
// hook, the hook before the join, so that the update message the join brings
// fills Text1 before the window is first shown.
void Form1::Form_Load() {
  ErrorTrap trap = TrapFor(u"Form_Load");
  platform::Form& window = Window();
  platform::FileSystem& files = platform_.Files();
  trap(100, [&] { ApplySkin(files, window, skinFramework1_); });
  trap(104, [&] { window.SetCaption(config::kProductName); });
  trap(104, [&] { window.SetIconToProgramIcon(); });
  trap(104, [&] { SetApplicationTitle(platform_.Forms()); });
  std::u16string cursorPath;
  if (trap.Test(106, [&] { return FileExists(files, cursorPath = HandCursorPath(files)); }))
    trap(108, [&] { window.LoadCustomPointer(cursorPath); });
  for (int n = 1; n <= static_cast<int>(edits::kOptionListEntries.size()); ++n)
    trap(126 + 2 * n, [&] { Find(form1::kCombo1).AddItem(edits::kOptionListEntries[n - 1]); });
  trap(186, [&] { RestoreChosenEdit(); });
  trap(188, [&] { state_.MonitorEnabled = true; });
  trap(190, [&] { monitor_.HookWindow(); });
  trap(192, [&] { monitor_.JoinChain(); });
  trap(194, [&] { monitor_.Yield(); });
  trap(196, [&] { PushButton3_Click(); });
  trap(198, [&] { RestoreApplyToEveryCopy(); });
  trap(200, [&] { AddUndoToSystemMenu(); });
  if (showOptions_) trap(202, [&] { AddOptionsToSystemMenu(); });
  if (showRecipes_) trap(204, [&] { AddRecipesToSystemMenu(); });
}

// Setting the list's text selects that entry; its change or click event then
// stores the same value again.
void Form1::RestoreChosenEdit() {
  std::u16string chosen =
      platform_.Settings().Read(settings::kApplication, settings::kSection, settings::kChosenEdit,
                                edits::options::kRemoveAllSpaces);
  Find(form1::kCombo1).SetText(chosen);
}

void Form1::Combo1_Change() {
  StoreChosenEdit();
}
void Form1::Combo1_Click() {
  StoreChosenEdit();
}

// The choice stays in the list whatever happens here; only remembering it for
// the next start can fail. That is told once (not at every pick), and the
// next change writes again.
void Form1::StoreChosenEdit() {
  try {
    platform_.Settings().Write(settings::kApplication, settings::kSection, settings::kChosenEdit,
                               Combo1Text());
    settingsWriteFailureTold_ = false;
  } catch (...) {
    if (settingsWriteFailureTold_) return;
    settingsWriteFailureTold_ = true;
    platform_.Forms().ShowMessage(
        u"The chosen bulk edit could not be remembered for the next start.\r\n" +
            CurrentFailureDescription(),
        platform::kMessageBoxPlain, std::nullopt);
  }
}

}  // namespace fenlow
