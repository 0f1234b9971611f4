// What the clipboard monitor and the dispatcher need of the main window.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "clipboard/program_state.h"
#include "platform/shared_text.h"
#include "platform/types.h"

namespace fenlow {

class MainWindowAccess {
 public:
  virtual ~MainWindowAccess() = default;
  virtual platform::WindowHandle MainWindowHandle() = 0;
  virtual std::u16string Text1() = 0;  // the text box showing the clipboard's text
  // Shows `text` in Text1, sharing its buffer where the platform can.
  virtual void SetText1(const platform::SharedText& text) = 0;
  virtual std::u16string Combo1Text() = 0;  // the chosen bulk edit

  // The parameters the chosen edit runs with in automatic mode; nullopt while
  // it needs one that was never typed and confirmed (a window without
  // automatic mode never runs one).
  virtual std::optional<EditParameters> AutomaticParameters() { return std::nullopt; }
  // The recipe automatic mode applies in place of the chosen edit; empty for
  // the chosen edit.
  virtual TextEdit AutomaticRecipe() { return {}; }
  // Turns automatic mode off, as the user would, after it wrote too fast.
  virtual void TurnOffApplyToEveryCopy() {}
};

}  // namespace fenlow
