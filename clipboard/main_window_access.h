// What the clipboard monitor and the dispatcher need of the main window.
#pragma once

#include <string>
#include <string_view>

#include "platform/types.h"

namespace fenlow {

class MainWindowAccess {
 public:
  virtual ~MainWindowAccess() = default;
  virtual platform::WindowHandle MainWindowHandle() = 0;
  virtual std::u16string Text1() = 0;  // the text box showing the clipboard's text
  virtual void SetText1(std::u16string_view text) = 0;
  virtual std::u16string Combo1Text() = 0;  // the chosen bulk edit
};

}  // namespace fenlow
