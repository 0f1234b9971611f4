#include "dialogs/form2.h"

namespace fenlow {

using platform::ControlKind;
using namespace form2;

platform::FormSpec Form2::Layout() const {
  using namespace dialog_layout;
  platform::FormSpec spec =
      Dialog(kName, u"Remove x (user-specified) character(s) in text file(s)", 4365);
  spec.controls.push_back(
      Captioned(kFrame1, ControlKind::Frame, "", u"Remove what:", {120, 120, 7800, 2835}, 2));
  spec.controls.push_back(TextBox(kText1, kFrame1, {240, 300, 7320, 2340}, 5));
  spec.controls.push_back(
      Captioned(kFrame2, ControlKind::Frame, "", u"Blank Line Option", {120, 3030, 7800, 705}, 3));
  spec.controls.push_back(BlankLineCheckBox(kFrame2, {240, 300, 4515, 240}, 4));
  AddOkCancel(spec, 3870, 0, 1);  // OK first in the tab order: it has the focus at opening
  return spec;
}

std::vector<std::string> Form2::ArrowAreas() const {
  return {kFrame1, kFrame2};
}

void Form2::SetFrame1Caption(std::u16string_view caption) {
  Window().Find(kFrame1).SetText(caption);
}

void Form2::PushButton1_Click() {
  ErrorTrap trap(Ui(), Location(u"PushButton1_Click"));
  bool stored = false;
  trap(100, [&] {
    State().BulkParam1 = TextOf(kText1);
    stored = true;
  });
  trap(102, [&] { UnloadAfterOk(stored); });
}

void Form2::PushButton2_Click() {
  ErrorTrap trap(Ui(), Location(u"PushButton2_Click"));
  trap(100, [&] { State().BulkParam1.clear(); });
  trap(102, [&] { Window().Unload(); });
}

}  // namespace fenlow
