// The state the windows, the clipboard monitor and the bulk-edit engine share
// for the whole run, under the names they all use. One object per running
// program, so every test starts from a fresh one.
#pragma once

#include <string>

#include "platform/types.h"

namespace fenlow {

struct ProgramState {
  // Clipboard monitor.
  platform::WindowHandle NextViewerHwnd = 0;   // the viewer after the main window (0: none)
  platform::WindowProc PrevWndProc = nullptr;  // the main window's own procedure while hooked
  bool MonitorEnabled = false;                 // update messages are acted on only while set
  bool IsBusy = false;                         // a clipboard change is being handled
  bool IsWritingBack = false;                  // the bulk-edit dispatcher is running

  // Requests of the two buttons that change the clipboard.
  bool BulkEditRequested = false;
  bool ManualSaveRequested = false;

  std::u16string ClipText;  // the clipboard text last read: the input of every bulk edit
  std::u16string BulkParam1;
  std::u16string BulkParam2;
};

}  // namespace fenlow
