// The find-and-replace dialog: a "Find what:" text for BulkParam1 and a
// "Replace with:" text for BulkParam2. OK closes it only when the pair passes
// its two checks; otherwise the user is told and may correct the texts.
#pragma once

#include "dialogs/parameter_dialog.h"

namespace fenlow {

// The names of the dialog and its controls, by which the program finds them.
namespace form3 {
using namespace dialog_controls;
inline constexpr char kName[] = "Form3";
inline constexpr char kLabel1_0[] = "Label1(0)";  // "Find what:"
inline constexpr char kLabel1_1[] = "Label1(1)";  // "Replace with:"
inline constexpr char kText2[] = "Text2";         // the replacement
}  // namespace form3

inline constexpr std::u16string_view kLineCountsDifferMessage =
    u"The number of lines of Find What and Replace With.";
inline constexpr std::u16string_view kFindWhatMissingMessage = u"You forgot to input find what.";

class Form3 final : public ParameterDialog {
 public:
  using ParameterDialog::ParameterDialog;

  // OK: stores both texts, then unloads or shows why not.
  void PushButton1_Click() override;
  // Cancel: both parameters emptied, then unload.
  void PushButton2_Click() override;

 protected:
  [[nodiscard]] platform::FormSpec Layout() const override;

 private:
  void Tell(std::u16string_view message);
};

}  // namespace fenlow
