// The remove-list dialog: one multi-line entry whose text becomes BulkParam1
// (a list of texts, a count or position, or a replacement text).
#pragma once

#include <string_view>

#include "dialogs/parameter_dialog.h"

namespace fenlow {

// The names of the dialog and its controls, by which the program finds them.
namespace form2 {
using namespace dialog_controls;
inline constexpr char kName[] = "Form2";
inline constexpr char kFrame1[] = "Frame1";  // around Text1
inline constexpr char kFrame2[] = "Frame2";  // around Check3
}  // namespace form2

class Form2 final : public ParameterDialog {
 public:
  using ParameterDialog::ParameterDialog;

  // Loads the dialog when needed, then captions the frame around the entry.
  void SetFrame1Caption(std::u16string_view caption);

  // OK: BulkParam1 = Text1 exactly as typed, then unload.
  void PushButton1_Click() override;
  // Cancel: BulkParam1 emptied, then unload.
  void PushButton2_Click() override;

 protected:
  [[nodiscard]] platform::FormSpec Layout() const override;
  [[nodiscard]] std::vector<std::string> ArrowAreas() const override;
};

}  // namespace fenlow
