// What the two parameter dialogs have in common: the window is created on
// first use (any use of it loads it and runs Form_Load to the end first), the
// load steps, the "Blank Line" check box and the pointer feedback. Form2 and
// Form3 add their layout and their OK and Cancel buttons.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "clipboard/program_state.h"
#include "platform/platform.h"
#include "shell/error_trap.h"

namespace fenlow {

// The lines of a text split at every CR LF: none for the empty text, else one
// more than it has CR LF pairs (a trailing CR LF makes a final empty line).
[[nodiscard]] std::size_t LineCount(std::u16string_view text);

// The names of the controls both dialogs have, by which the program finds them.
namespace dialog_controls {
inline constexpr char kText1[] = "Text1";              // the (first) entry
inline constexpr char kPushButton1[] = "PushButton1";  // OK
inline constexpr char kPushButton2[] = "PushButton2";  // Cancel
inline constexpr char kCheck3[] = "Check3";            // the "Blank Line" check box
}  // namespace dialog_controls

// Layout pieces both dialogs are designed with (twips).
namespace dialog_layout {
// A fixed dialog of the given client size: white, Arial 9 pt bold, close box
// only, Escape clicking Cancel.
[[nodiscard]] platform::FormSpec Dialog(std::string name, std::u16string caption, int clientHeight);
// OK and Cancel side by side at `top`, in Arial 11.25 pt bold.
void AddOkCancel(platform::FormSpec& spec, int top, int okTab, int cancelTab);
// A frame, label or other control that shows a caption, in the dialog's font.
[[nodiscard]] platform::ControlSpec Captioned(std::string name, platform::ControlKind kind,
                                              std::string container, std::u16string caption,
                                              platform::TwipsRect rect, int tabIndex);
// A multi-line text box with both scroll bars, initially empty.
[[nodiscard]] platform::ControlSpec TextBox(std::string name, std::string container,
                                            platform::TwipsRect rect, int tabIndex);
[[nodiscard]] platform::ControlSpec BlankLineCheckBox(std::string container,
                                                      platform::TwipsRect rect, int tabIndex);
}  // namespace dialog_layout

class ParameterDialog {
 public:
  ParameterDialog(platform::Platform& platform, ProgramState& state);
  virtual ~ParameterDialog();
  ParameterDialog(const ParameterDialog&) = delete;
  ParameterDialog& operator=(const ParameterDialog&) = delete;

  // The dialog's window, loaded first when it is not loaded.
  platform::Form& Window();
  [[nodiscard]] bool IsLoaded() const;

  // Loads the dialog (when it is not loaded) before the caption is set.
  void SetCaption(std::u16string_view caption);
  // Loads the dialog when needed, shows it centred with no owner and returns
  // once it is unloaded: true when OK closed it with the typed text(s)
  // stored, false after Cancel, Escape, the close box or a failed OK.
  [[nodiscard]] bool ShowModal();

  virtual void PushButton1_Click() = 0;  // OK
  virtual void PushButton2_Click() = 0;  // Cancel

  // Stores the box's state as the "Blank Line" setting at once.
  void Check3_Click();
  // Pointer feedback: the arrow over the surface (and Form2's frames), the
  // hand over the buttons; an hourglass someone else set stays.
  void Form_MouseMove();
  void PushButton_MouseMove();

 protected:
  [[nodiscard]] virtual platform::FormSpec Layout() const = 0;
  // The controls besides the dialog's surface that show the arrow.
  [[nodiscard]] virtual std::vector<std::string> ArrowAreas() const { return {}; }

  [[nodiscard]] std::u16string Location(std::u16string_view procedure) const;
  [[nodiscard]] std::u16string TextOf(std::string_view control);
  platform::Ui& Ui() { return platform_.Forms(); }
  ProgramState& State() { return state_; }
  // OK's last step: unloads the dialog; the caller goes on to apply the edit
  // only when the typed text(s) reached the parameters.
  void UnloadAfterOk(bool textsStored);

 private:
  void Load();
  void WireHandlers(platform::Form& window);
  void Form_Load();
  void LoadHandCursor(ErrorTrap& trap);
  void SetCheck3FromSetting(ErrorTrap& trap);
  void OnCheck3Clicked();

  platform::Platform& platform_;
  ProgramState& state_;
  std::unique_ptr<platform::Form> window_;
  bool loading_ = false;
  bool confirmed_ = false;  // of the current modal show
};

}  // namespace fenlow
