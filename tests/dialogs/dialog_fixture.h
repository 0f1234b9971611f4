// The parameter dialogs on the simulated desktop, with the program state they
// fill and the settings store they remember the check box in.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "clipboard/program_state.h"
#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "platform/sim/simulated_desktop.h"
#include "platform/sim/simulated_ui.h"
#include "tests/support/stored_settings.h"

namespace fenlow::testing {

using platform::sim::SimulatedDesktop;
using platform::sim::SimulatedForm;
using platform::sim::SimulatedUi;

// UTF-16 texts hold what the user sees; gmock's HasSubstr knows only char strings.
MATCHER_P(ContainsText, part, "") {
  return std::u16string_view(arg).find(std::u16string_view(part)) != std::u16string_view::npos;
}

inline const std::u16string kBlankLineSetting = StoredSettingPath(settings::kBlankLine);
inline constexpr std::u16string_view kTitle = u"Fenlow";

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() : desktop(platform::sim::CreateSimulatedDesktop()) {
    desktop->Forms().SetApplicationTitle(kTitle);
  }

  SimulatedUi& Ui() { return desktop->SimForms(); }

  static SimulatedForm& Sim(ParameterDialog& dialog) {
    return static_cast<SimulatedForm&>(dialog.Window());
  }

  // Shows the dialog modally; `user` acts while it is open (then the close
  // box closes whatever is still open). True when OK confirmed it.
  bool ShowModal(ParameterDialog& dialog, std::function<void(SimulatedForm&)> user) {
    Ui().WhenModal(std::move(user));
    return dialog.ShowModal();
  }

  void StoreBlankLine(std::u16string value) {
    desktop->SimSettings().Stored()[std::u16string(kBlankLineSetting)] = std::move(value);
  }

  std::optional<std::u16string> StoredBlankLine() {
    auto& settings = desktop->SimSettings().Stored();
    auto found = settings.find(std::u16string(kBlankLineSetting));
    if (found == settings.end()) return std::nullopt;
    return found->second;
  }

  // The "Blank Line" values written so far, in order.
  std::vector<std::string> BlankLineWrites() const {
    std::vector<std::string> writes;
    const std::string prefix = "WriteSetting(" + Logged(settings::kBlankLine) + "=";
    for (const std::string& call : desktop->Log().Calls()) {
      if (call.rfind(prefix, 0) == 0)
        writes.push_back(call.substr(prefix.size(), call.size() - prefix.size() - 1));
    }
    return writes;
  }

  std::vector<std::u16string> MessageTexts() const {
    std::vector<std::u16string> texts;
    for (const auto& message : desktop->SimForms().Messages()) texts.push_back(message.text);
    return texts;
  }

  std::unique_ptr<SimulatedDesktop> desktop;
  ProgramState state;
  Form2 form2{*desktop, state};
  Form3 form3{*desktop, state};
};

}  // namespace fenlow::testing
