// The program's message box.
#pragma once

#include <string>

#include "platform/win32/win32_api.h"

namespace fenlow::platform::win32 {

// A message box modal to the whole program, owned by the program's window
// that is active at the moment (none when another program's is); when it
// closes, that window is active again with its focus where it was. Returns
// what MessageBoxW returns.
int ShowMessageBoxOverActiveWindow(const std::wstring& text, const std::wstring& title, UINT style);

}  // namespace fenlow::platform::win32
