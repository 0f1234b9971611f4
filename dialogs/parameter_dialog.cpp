#include "dialogs/parameter_dialog.h"

#include <optional>

#include "shell/settings_keys.h"
#include "shell/window_helpers.h"

namespace fenlow {

using namespace dialog_controls;

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

constexpr int kClientWidth = 8040;
constexpr int kButtonWidth = 3840;
constexpr int kButtonHeight = 405;

}  // namespace

namespace dialog_layout {

platform::FormSpec Dialog(std::string name, std::u16string caption, int clientHeight) {
  platform::FormSpec spec;
  spec.name = std::move(name);
  spec.caption = std::move(caption);
  spec.clientWidthTwips = kClientWidth;
  spec.clientHeightTwips = clientHeight;
  spec.minimizeBox = false;
  spec.background = platform::kWhite;
  spec.font = platform::FontSpec{u"Arial", 9.0, true};
  spec.cancelControl = kPushButton2;
  return spec;
}

void AddOkCancel(platform::FormSpec& spec, int top, int okTab, int cancelTab) {
  const platform::FontSpec buttonFont{u"Arial", 11.25, true};
  auto button = [&](std::string name, std::u16string caption, int left, int tab) {
    platform::ControlSpec control =
        Captioned(std::move(name), platform::ControlKind::PushButton, "", std::move(caption),
                  {left, top, kButtonWidth, kButtonHeight}, tab);
    control.font = buttonFont;
    return control;
  };
  spec.controls.push_back(button(kPushButton1, u"OK", 120, okTab));
  spec.controls.push_back(button(kPushButton2, u"Cancel", 4080, cancelTab));
}

platform::ControlSpec Captioned(std::string name, platform::ControlKind kind, std::string container,
                                std::u16string caption, platform::TwipsRect rect, int tabIndex) {
  platform::ControlSpec control;
  control.name = std::move(name);
  control.kind = kind;
  control.container = std::move(container);
  control.caption = std::move(caption);
  control.rect = rect;
  control.tabIndex = tabIndex;
  return control;
}

platform::ControlSpec TextBox(std::string name, std::string container, platform::TwipsRect rect,
                              int tabIndex) {
  platform::ControlSpec control = Captioned(std::move(name), platform::ControlKind::TextBox,
                                            std::move(container), u"", rect, tabIndex);
  control.horizontalScroll = true;
  control.verticalScroll = true;
  return control;
}

platform::ControlSpec BlankLineCheckBox(std::string container, platform::TwipsRect rect,
                                        int tabIndex) {
  return Captioned(kCheck3, platform::ControlKind::CheckBox, std::move(container),
                   u"Leave blank line(s) where text has been removed", rect, tabIndex);
}

}  // namespace dialog_layout

std::size_t LineCount(std::u16string_view text) {
  if (text.empty()) return 0;
  std::size_t lines = 1;
  for (auto at = text.find(kLineBreak); at != std::u16string_view::npos;
       at = text.find(kLineBreak, at + kLineBreak.size())) {
    ++lines;
  }
  return lines;
}

ParameterDialog::ParameterDialog(platform::Platform& platform, ProgramState& state)
    : platform_(platform), state_(state) {}

ParameterDialog::~ParameterDialog() = default;

platform::Form& ParameterDialog::Window() {
  if (!IsLoaded()) Load();
  return *window_;
}

bool ParameterDialog::IsLoaded() const {
  return window_ != nullptr && window_->IsLoaded();
}

void ParameterDialog::SetCaption(std::u16string_view caption) {
  Window().SetCaption(caption);
}

bool ParameterDialog::ShowModal() {
  confirmed_ = false;
  Window().ShowModal();
  return confirmed_;
}

void ParameterDialog::UnloadAfterOk(bool textsStored) {
  Window().Unload();
  confirmed_ = textsStored;
}

// A fresh window from the designed state; the unloaded one it replaces is
// no longer running any of its handlers.
void ParameterDialog::Load() {
  window_ = platform_.Forms().CreateForm(Layout());
  WireHandlers(*window_);
  Form_Load();
}

void ParameterDialog::WireHandlers(platform::Form& window) {
  using platform::ControlEvent;
  window.On(kPushButton1, ControlEvent::Click, [this] { PushButton1_Click(); });
  window.On(kPushButton2, ControlEvent::Click, [this] { PushButton2_Click(); });
  window.On(kCheck3, ControlEvent::Click, [this] { OnCheck3Clicked(); });
  window.On("", ControlEvent::MouseMove, [this] { Form_MouseMove(); });
  for (const std::string& area : ArrowAreas()) {
    window.On(area, ControlEvent::MouseMove, [this] { Form_MouseMove(); });
  }
  window.On(kPushButton1, ControlEvent::MouseMove, [this] { PushButton_MouseMove(); });
  window.On(kPushButton2, ControlEvent::MouseMove, [this] { PushButton_MouseMove(); });
}

void ParameterDialog::Form_Load() {
  loading_ = true;
  ErrorTrap trap(Ui(), Location(u"Form_Load"));
  trap(100, [&] { ApplyButtonFaceColours(*window_); });
  trap(102, [&] { window_->SetIconToProgramIcon(); });
  LoadHandCursor(trap);
  SetCheck3FromSetting(trap);
  loading_ = false;
}

void ParameterDialog::LoadHandCursor(ErrorTrap& trap) {
  std::u16string cursorFile;
  platform::FileSystem& files = platform_.Files();
  if (trap.Test(104, [&] {
        cursorFile = HandCursorPath(files);
        return FileExists(files, cursorFile);
      })) {
    trap(106, [&] { window_->LoadCustomPointer(cursorFile); });
  }
}

// Checking the box raises its click, so the setting is written back then.
void ParameterDialog::SetCheck3FromSetting(ErrorTrap& trap) {
  std::u16string blankLine;
  trap(108, [&] {
    blankLine = platform_.Settings().Read(settings::kApplication, settings::kSection,
                                          settings::kBlankLine, settings::kTrue);
  });
  if (trap.Test(110, [&] { return blankLine == settings::kTrue; })) {
    trap(112, [&] { window_->Find(kCheck3).SetChecked(true); });
  } else {
    trap(114, [&] { window_->Find(kCheck3).SetChecked(false); });
  }
}

void ParameterDialog::Check3_Click() {
  bool checked = Window().Find(kCheck3).Checked();
  platform_.Settings().Write(settings::kApplication, settings::kSection, settings::kBlankLine,
                             checked ? settings::kTrue : settings::kFalse);
}

// While loading, a failure belongs to the load statement that set the box and
// is reported under its label. A user's click has no trap around it, so the
// user is told here that the choice was not kept.
void ParameterDialog::OnCheck3Clicked() {
  if (loading_) {
    Check3_Click();
    return;
  }
  try {
    Check3_Click();
  } catch (...) {
    std::u16string text = CurrentFailureDescription();
    text += u"\r\nThe blank line option could not be saved.";
    Ui().ShowMessage(text, platform::kMessageBoxPlain, std::nullopt);
  }
}

void ParameterDialog::Form_MouseMove() {
  SetPointerUnlessHourglass(Window(), platform::MousePointer::Default);
}

void ParameterDialog::PushButton_MouseMove() {
  SetPointerUnlessHourglass(Window(), platform::MousePointer::Custom);
}

std::u16string ParameterDialog::Location(std::u16string_view procedure) const {
  return TrapLocation(Layout().name, procedure);
}

std::u16string ParameterDialog::TextOf(std::string_view control) {
  return Window().Find(control).Text();
}

}  // namespace fenlow
