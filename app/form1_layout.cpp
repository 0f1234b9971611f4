#include "app/form1_layout.h"

#include "dialogs/parameter_dialog.h"
#include "shell/program_config.h"

namespace fenlow {

namespace {

using platform::ControlKind;
using platform::ControlSpec;
using platform::FontSpec;
using namespace form1;

// Each push button carries its own, larger font; everything else uses the window's.
const FontSpec kWindowFont{u"Arial", 9.0, true};
const FontSpec kPushButtonFont{u"Arial", 11.25, true};

// The dialogs' control builder serves the main window's design as well.
using dialog_layout::Captioned;

ControlSpec Frame(std::string name, std::u16string caption, platform::TwipsRect rect, int tab) {
  return Captioned(std::move(name), ControlKind::Frame, "", std::move(caption), rect, tab);
}

ControlSpec PushButton(std::string name, std::string frame, std::u16string caption,
                       platform::TwipsRect rect, int tab) {
  ControlSpec button = Captioned(std::move(name), ControlKind::PushButton, std::move(frame),
                                 std::move(caption), rect, tab);
  button.font = kPushButtonFont;
  return button;
}

ControlSpec ClipboardTextBox() {
  ControlSpec text =
      Captioned(kText1, ControlKind::TextBox, kFrame1, u"", {240, 315, 7320, 3105}, 1);
  text.verticalScroll = true;
  return text;
}

ControlSpec OptionList() {
  return Captioned(kCombo1, ControlKind::ComboList, kFrame2, u"", {240, 300, 7320, 345}, 3);
}

}  // namespace

// Frame3 lies below the client area (top 7320 of 5685 twips): it is never
// seen in the fixed-size window but keeps its place in the tab order.
platform::FormSpec Form1Spec() {
  platform::FormSpec spec;
  spec.name = kName;
  spec.caption = std::u16string(config::kProductName);
  spec.clientWidthTwips = 8040;
  spec.clientHeightTwips = 5685;
  spec.minimizeBox = true;
  spec.background = platform::kWhite;
  spec.font = kWindowFont;
  spec.controls = {
      Frame(kFrame1, u"Current Clipboard Text", {120, 120, 7800, 4095}, 0),
      ClipboardTextBox(),
      PushButton(kPushButton3, kFrame1, std::u16string(kEditIdleCaption), {240, 3525, 7320, 405},
                 7),
      Frame(kFrame2, u"Builk Edit Options (You must stop editing first)", {120, 4270, 7800, 1300},
            2),
      OptionList(),
      PushButton(kPushButton2, kFrame2, u"Start Applying Bulk Edits", {240, 750, 7320, 405}, 4),
      Frame(kFrame3, u"Other Software", {120, 7320, 7800, 870}, 5),
      PushButton(kPushButton1, kFrame3, u"Wendlebox", {240, 300, 7320, 405}, 6),
  };
  return spec;
}

}  // namespace fenlow
