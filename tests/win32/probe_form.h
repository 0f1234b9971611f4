// A small form with one control of every kind, as the program's windows use them.
#pragma once

#include "dialogs/parameter_dialog.h"
#include "platform/ui.h"

namespace fenlow::tests {

// The names of the probe form's controls.
namespace probe_form {
inline constexpr char kFrame1[] = "Frame1";
inline constexpr char kText1[] = "Text1";
inline constexpr char kCombo1[] = "Combo1";
inline constexpr char kCheck1[] = "Check1";
inline constexpr char kLabel1[] = "Label1";
inline constexpr char kPushButton1[] = "PushButton1";
inline constexpr char kPushButton2[] = "PushButton2";
}  // namespace probe_form

// The program's own control builder, so the probe form is built as the windows are.
inline platform::ControlSpec ProbeControl(std::string name, platform::ControlKind kind,
                                          std::string container, std::u16string caption,
                                          platform::TwipsRect rect, int tabIndex) {
  return dialog_layout::Captioned(std::move(name), kind, std::move(container), std::move(caption),
                                  rect, tabIndex);
}

inline platform::FormSpec ProbeFormSpec(std::string name = "Probe") {
  using platform::ControlKind;
  using namespace probe_form;
  platform::FormSpec spec;
  spec.name = std::move(name);
  spec.caption = u"Probe window";
  spec.clientWidthTwips = 6000;
  spec.clientHeightTwips = 4500;
  spec.cancelControl = kPushButton2;
  spec.controls = {
      ProbeControl(kFrame1, ControlKind::Frame, "", u"Current text", {120, 120, 5700, 2400}, 0),
      ProbeControl(kText1, ControlKind::TextBox, kFrame1, u"", {240, 315, 5200, 1200}, 1),
      ProbeControl(kCombo1, ControlKind::ComboList, kFrame1, u"", {240, 1700, 5200, 345}, 2),
      ProbeControl(kCheck1, ControlKind::CheckBox, "", u"Keep blank lines", {120, 2700, 4000, 300},
                   3),
      ProbeControl(kLabel1, ControlKind::Label, "", u"A label", {120, 3100, 2000, 225}, 4),
      ProbeControl(kPushButton1, ControlKind::PushButton, "", u"OK", {120, 3900, 2800, 405}, 5),
      ProbeControl(kPushButton2, ControlKind::PushButton, "", u"Cancel", {3000, 3900, 2800, 405},
                   6),
  };
  spec.controls[1].verticalScroll = true;
  const platform::FontSpec buttonFont{u"Arial", 11.25, true};
  spec.controls[5].font = buttonFont;
  spec.controls[6].font = buttonFont;
  return spec;
}

}  // namespace fenlow::tests
