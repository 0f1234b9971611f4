#include "dialogs/form3.h"

#include <optional>

namespace fenlow {

using platform::ControlKind;
using namespace form3;

platform::FormSpec Form3::Layout() const {
  using namespace dialog_layout;
  platform::FormSpec spec =
      Dialog(kName, u"Find and replace x (user-specified) character(s) in text file(s)", 5325);
  spec.controls.push_back(
      Captioned(kLabel1_0, ControlKind::Label, "", u"Find what:", {135, 120, 855, 225}, 2));
  spec.controls.push_back(TextBox(kText1, "", {120, 420, 7800, 1905}, 0));
  spec.controls.push_back(
      Captioned(kLabel1_1, ControlKind::Label, "", u"Replace with:", {135, 2480, 1140, 225}, 3));
  spec.controls.push_back(TextBox(kText2, "", {120, 2770, 7800, 1905}, 1));
  AddOkCancel(spec, 4800, 5, 6);
  // Designed below the client area: not seen, but still set from the setting.
  spec.controls.push_back(BlankLineCheckBox("", {135, 5895, 4515, 375}, 4));
  return spec;
}

// A failure in evaluating a check counts as passed (the trap enters the
// branch), so the dialog then closes with the texts already stored.
void Form3::PushButton1_Click() {
  ErrorTrap trap(Ui(), Location(u"PushButton1_Click"));
  ProgramState& state = State();
  int textsStored = 0;
  trap(100, [&] {
    state.BulkParam1 = TextOf(kText1);
    ++textsStored;
  });
  trap(102, [&] {
    state.BulkParam2 = TextOf(kText2);
    ++textsStored;
  });
  const bool stored = textsStored == 2;
  std::size_t findLines = 0;
  std::size_t replaceLines = 0;
  trap(104, [&] { findLines = LineCount(state.BulkParam1); });
  trap(106, [&] { replaceLines = LineCount(state.BulkParam2); });
  if (trap.Test(108, [&] { return !state.BulkParam2.empty(); })) {
    if (trap.Test(110, [&] { return findLines == replaceLines; })) {
      trap(112, [&] { UnloadAfterOk(stored); });
    } else {
      trap(114, [&] { Tell(kLineCountsDifferMessage); });
    }
  } else if (trap.Test(116, [&] { return !state.BulkParam1.empty(); })) {
    trap(118, [&] { UnloadAfterOk(stored); });
  } else {
    trap(120, [&] { Tell(kFindWhatMissingMessage); });
  }
}

void Form3::PushButton2_Click() {
  ErrorTrap trap(Ui(), Location(u"PushButton2_Click"));
  trap(100, [&] { State().BulkParam1.clear(); });
  trap(102, [&] { State().BulkParam2.clear(); });
  trap(104, [&] { Window().Unload(); });
}

// A plain box under the application title: a mistake to correct, not a failure.
void Form3::Tell(std::u16string_view message) {
  Ui().ShowMessage(message, platform::kMessageBoxPlain, std::nullopt);
}

}  // namespace fenlow
