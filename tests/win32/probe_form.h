// A small form with one control of every kind, as the program's windows use them.
#pragma once

#include "dialogs/parameter_dialog.h"
#include "platform/ui.h"

namespace fenlow::tests {

// The program's own control builder, so the probe form is built as the windows are.
inline platform::ControlSpec ProbeControl(std::string name, platform::ControlKind kind,
                                          std::string container, std::u16string caption,
                                          platform::TwipsRect rect, int tabIndex) {
  return dialog_layout::Captioned(std::move(name), kind, std::move(container), std::move(caption),
                                  rect, tabIndex);
}

inline platform::FormSpec ProbeFormSpec(std::string name = "Probe") {
  using platform::ControlKind;
  platform::FormSpec spec;
  spec.name = std::move(name);
  spec.caption = u"Probe window";
  spec.clientWidthTwips = 6000;
  spec.clientHeightTwips = 4500;
  spec.cancelControl = "PushButton2";
  spec.controls = {
      ProbeControl("Frame1", ControlKind::Frame, "", u"Current text", {120, 120, 5700, 2400}, 0),
      ProbeControl("Text1", ControlKind::TextBox, "Frame1", u"", {240, 315, 5200, 1200}, 1),
      ProbeControl("Combo1", ControlKind::ComboList, "Frame1", u"", {240, 1700, 5200, 345}, 2),
      ProbeControl("Check1", ControlKind::CheckBox, "", u"Keep blank lines", {120, 2700, 4000, 300},
                   3),
      ProbeControl("Label1", ControlKind::Label, "", u"A label", {120, 3100, 2000, 225}, 4),
      ProbeControl("PushButton1", ControlKind::PushButton, "", u"OK", {120, 3900, 2800, 405}, 5),
      ProbeControl("PushButton2", ControlKind::PushButton, "", u"Cancel", {3000, 3900, 2800, 405},
                   6),
  };
  spec.controls[1].verticalScroll = true;
  const platform::FontSpec buttonFont{u"Arial", 11.25, true};
  spec.controls[5].font = buttonFont;
  spec.controls[6].font = buttonFont;
  return spec;
}

}  // namespace fenlow::tests
