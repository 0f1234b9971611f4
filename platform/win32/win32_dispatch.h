// Message dispatch shared by every loop of the program: Yield, the modal
// loop of a form and the main loop all route keyboard input the same way.
#pragma once

#include "platform/win32/win32_api.h"

namespace fenlow::platform::win32 {

// Gives the form that owns the message's window the keyboard navigation a
// dialog has (Tab, Escape, Enter, arrows), else translates and dispatches it.
void DispatchWindowMessage(MSG& message);

// Dispatches every pending message of this thread. A WM_QUIT is posted again
// for the outer loop and ends the dispatch; the result tells whether one came.
bool DispatchPendingMessages();

}  // namespace fenlow::platform::win32
