// The start button PushButton2: asks for the chosen bulk edit's parameters
// where it needs them, then applies the edit once to the clipboard's current
// text, through one call of the change handler with the bulk-edit request
// raised. Backing out of the dialog ends the click with nothing applied.
#include <memory>
#include <optional>
#include <string_view>

#include "app/form1.h"
#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "edits/engine/catalogue.h"

namespace fenlow {

namespace {

using edits::Asks;

// An option that asks for its parameters first (its row's dialog): Form2
// fills BulkParam1, Form3 BulkParam1 and BulkParam2; the caller empties what
// it fills.
struct ParameterRequest {
  std::u16string_view option;
  Asks dialog;
  std::u16string_view caption;
  std::optional<std::u16string_view> frameCaption;  // nullopt: the frame keeps its own
};

// Exact, case-sensitive match on the option list's text.
std::optional<ParameterRequest> RequestFor(std::u16string_view option) {
  const edits::EditDefinition* edit = edits::FindOptionEdit(option);
  if (edit == nullptr || edit->dialog.asks == Asks::NoDialog) return std::nullopt;
  const edits::ParameterDialog& dialog = edit->dialog;
  return ParameterRequest{edit->optionText, dialog.asks, dialog.caption,
                          dialog.frameCaption.empty()
                              ? std::nullopt
                              : std::optional<std::u16string_view>(dialog.frameCaption)};
}

void ClearParameters(Asks dialog, ProgramState& state) {
  state.BulkParam1.clear();
  if (dialog == Asks::Form3) state.BulkParam2.clear();
}

// A fresh dialog for every click: it starts from its designed state. True
// when the user confirmed the parameters with OK; Cancel, Escape, the close
// box and a dialog that could not be shown end the click without an edit.
bool AskForParameters(const ParameterRequest& request, platform::Platform& platform,
                      ProgramState& state, ErrorTrap& trap) {
  trap(102, [&] { ClearParameters(request.dialog, state); });
  std::unique_ptr<ParameterDialog> dialog;
  Form2* form2 = nullptr;
  if (request.dialog == Asks::Form2) {
    auto created = std::make_unique<Form2>(platform, state);
    form2 = created.get();
    dialog = std::move(created);
  } else {
    dialog = std::make_unique<Form3>(platform, state);
  }
  trap(104, [&] { dialog->SetCaption(request.caption); });  // loads the dialog first
  if (request.frameCaption) trap(106, [&] { form2->SetFrame1Caption(*request.frameCaption); });
  bool confirmed = false;
  trap(108, [&] { confirmed = dialog->ShowModal(); });
  // What was confirmed with OK is what automatic mode runs with.
  if (confirmed) {
    trap(110, [&] {
      state.LastParameters[std::u16string(request.option)] = {state.BulkParam1, state.BulkParam2};
    });
  }
  return confirmed;
}

}  // namespace

std::optional<EditParameters> Form1::ParametersWithoutAsking(std::u16string_view option) const {
  if (!RequestFor(option)) return EditParameters{};
  const auto confirmed = state_.LastParameters.find(option);
  if (confirmed == state_.LastParameters.end()) return std::nullopt;
  return confirmed->second;
}

void Form1::PushButton2_Click() {
  ErrorTrap trap = TrapFor(u"PushButton2_Click");
  std::optional<ParameterRequest> request;
  trap(100, [&] { request = RequestFor(Combo1Text()); });
  const bool apply = !request || AskForParameters(*request, platform_, state_, trap);
  if (apply) {
    trap(200, [&] { state_.BulkEditRequested = true; });
    trap(210, [&] { state_.ManualSaveRequested = false; });
    trap(220, [&] { monitor_.OnClipboardChange(); });
  }
  // Both flags end False, also after a failure above.
  trap(230, [&] { state_.BulkEditRequested = false; });
  trap(240, [&] { state_.ManualSaveRequested = false; });
}

}  // namespace fenlow
