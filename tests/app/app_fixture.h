// The whole program on the simulated desktop: a test arranges the desktop
// (clipboard, settings, files), starts the program and then acts as the user.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/form1_layout.h"
#include "app/program.h"
#include "platform/sim/simulated_desktop.h"
#include "platform/sim/simulated_ui.h"
#include "tests/support/monitoring_goes_on.h"
#include "tests/support/stored_settings.h"

namespace fenlow::testing {

namespace format = platform::format;
using platform::sim::SimulatedDesktop;
using platform::sim::SimulatedForm;

inline const std::u16string kChosenEditSetting = StoredSettingPath(settings::kChosenEdit);

// A bare window of the program, for the ones Form1 does not make itself.
inline platform::FormSpec BareForm(std::string name) {
  platform::FormSpec spec;
  spec.name = std::move(name);
  return spec;
}

// The program on a simulated desktop, for a test and for each of the runs
// that need a fresh desktop apiece.
class ProgramOnDesktop {
 public:
  // Makes the program anew without running it; the previous run's windows go first.
  void Build() {
    program.reset();
    program = std::make_unique<Program>(*desktop);
  }
  // Starts a program (a restart when one ran before) and returns its main window.
  SimulatedForm& Start() {
    Build();
    program->Run();
    return Main();
  }

  SimulatedForm& Main() {
    SimulatedForm* form = desktop->SimForms().FindForm(form1::kName);
    if (form == nullptr) throw std::logic_error("Form1 is not loaded");
    return *form;
  }

  ProgramState& State() { return program->State(); }
  std::u16string TextOf(std::string_view control) { return Main().Sim(control).Text(); }

  std::vector<std::u16string> Messages() const {
    std::vector<std::u16string> texts;
    for (const auto& box : desktop->SimForms().Messages()) texts.push_back(box.text);
    return texts;
  }

  void ExpectMonitoringGoesOn() {
    ExpectMonitorFollowsTheClipboard(*desktop, State(), program->MainForm());
  }

  std::unique_ptr<SimulatedDesktop> desktop = platform::sim::CreateSimulatedDesktop();
  std::unique_ptr<Program> program;
};

class AppTest : public ::testing::Test, public ProgramOnDesktop {
 protected:
  // The calls after the first one equal to `from`, in order.
  std::vector<std::string> CallsFrom(const std::string& from) const {
    const auto& calls = desktop->Log().Calls();
    auto start = std::find(calls.begin(), calls.end(), from);
    return {start, calls.end()};
  }

  std::string Hex(platform::WindowHandle window) const {
    return platform::sim::CallLog::Hex(window);
  }
};

}  // namespace fenlow::testing
