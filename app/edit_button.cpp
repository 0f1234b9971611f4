// The edit button PushButton3: its caption alone holds the edit state. In the
// idle state a click only switches to editing; in the editing state a click
// saves Text1 to the clipboard through the change handler and returns to idle.
#include "app/form1.h"
#include "app/form1_layout.h"

namespace fenlow {

void Form1::PushButton3_Click() {
  ErrorTrap trap = TrapFor(u"PushButton3_Click");
  if (trap.Test(100, [&] { return Find(form1::kPushButton3).Text() == kEditIdleCaption; })) {
    trap(108, [&] { Find(form1::kPushButton3).SetText(kEditingCaption); });
    return;
  }
  // The save step: with the request flag up, the change handler leaves Text1
  // as the user typed it and the dispatcher stores exactly that text.
  trap(112, [&] { state_.BulkEditRequested = false; });
  trap(114, [&] { state_.ManualSaveRequested = true; });
  trap(116, [&] { monitor_.OnClipboardChange(); });
  trap(118, [&] { state_.BulkEditRequested = false; });
  trap(120, [&] { state_.ManualSaveRequested = false; });
  trap(126, [&] { Find(form1::kPushButton3).SetText(kEditIdleCaption); });
}

}  // namespace fenlow
