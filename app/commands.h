// What reaches Fenlow from outside its window: the global hotkeys, the
// notification icon's click and menu, and a second start of the program.
// A command that changes the clipboard takes the road of the start button's
// click, with its dialogs. While a dialog or message of Fenlow is open,
// every command only brings that one to the front.
#pragma once

#include <functional>
#include <string>

#include "app/form1.h"
#include "app/hotkey_keeper.h"
#include "app/in_place_edit.h"
#include "dialogs/options_dialog.h"

namespace fenlow {

class Commands {
 public:
  Commands(platform::Platform& platform, Form1& form1, HotkeyKeeper& hotkeys, InPlaceEdit& inPlace)
      : platform_(platform), form1_(form1), hotkeys_(hotkeys), inPlace_(inPlace) {}

  // Applies the chosen edit as "Start Applying Bulk Edits" does. A dialog it
  // opens comes to the front; afterwards the program the user was in has
  // the focus again.
  void ApplyChosenEdit();
  // The paste hotkey: the chosen edit's result pasted into the program the
  // user is in, the clipboard left as it was.
  void PasteChosenEdit();
  // Chooses `option` in Combo1, remembered as the user's pick is, and applies it.
  void ApplyEdit(std::u16string option);
  // Undoes Fenlow's last write, as the system menu's Undo does.
  void Undo();
  // The main window in front, restored when minimised.
  void ShowMainWindow();
  // The Options dialog; what OnOptionsClosed gave runs once it is closed.
  void ShowOptions();
  void OnOptionsClosed(std::function<void()> closed) { optionsClosed_ = std::move(closed); }
  // Closes the main window as its close box does.
  void Exit();

  // When a dialog or message of Fenlow is open, brings it to the front and
  // returns true: the command is then not carried out.
  bool DialogBroughtToFront();

 private:
  // Runs `edit` on the road of every request that changes the clipboard.
  void RunEdit(std::u16string_view procedure, platform::WindowHandle userWindow,
               std::function<void()> edit);
  // "Paste edited" or "Edit the selection" with the chosen edit, for the
  // hotkey of `command`.
  void EditInPlace(platform::HotkeyMode mode, HotkeyCommand command);
  // The chosen edit as a function of the text, with the parameters it last
  // ran with; it fails when it needs one never typed.
  TextEdit ChosenEdit();
  // What the paste hotkey's box shows: the hotkey in use, or the one offered
  // while the setting was never made.
  std::u16string PasteHotkeyInOptions();
  HotkeyProblems Accept(const OptionsChoice& choice);
  ErrorTrap TrapFor(std::u16string_view procedure);

  platform::Platform& platform_;
  Form1& form1_;
  HotkeyKeeper& hotkeys_;
  InPlaceEdit& inPlace_;
  std::function<void()> optionsClosed_;
};

}  // namespace fenlow
