// The whole program on the simulated desktop: a test arranges the desktop
// (clipboard, settings, files), starts the program and then acts as the user.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/form1_layout.h"
#include "app/program.h"
#include "platform/sim/simulated_desktop.h"
#include "platform/sim/simulated_ui.h"

namespace fenlow::testing {

namespace format = platform::format;
using platform::sim::SimulatedDesktop;
using platform::sim::SimulatedForm;

inline constexpr char16_t kChosenEditSetting[] = u"Kestrane\\Fenlow\\Combo1";

// A bare window of the program, for the ones Form1 does not make itself.
inline platform::FormSpec BareForm(std::string name) {
  platform::FormSpec spec;
  spec.name = std::move(name);
  return spec;
}

class AppTest : public ::testing::Test {
 protected:
  AppTest() : desktop(platform::sim::CreateSimulatedDesktop()) {}

  // Starts a program (a restart when one ran before) and returns its main window.
  SimulatedForm& Start() {
    program.reset();  // the previous run's windows are gone before the next starts
    program = std::make_unique<Program>(*desktop);
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
    for (const auto& box : desktop->MessageBoxes()) texts.push_back(box.text);
    return texts;
  }

  // The calls after the first one equal to `from`, in order.
  std::vector<std::string> CallsFrom(const std::string& from) const {
    const auto& calls = desktop->Calls();
    auto start = std::find(calls.begin(), calls.end(), from);
    return {start, calls.end()};
  }

  std::string Hex(platform::WindowHandle window) const { return SimulatedDesktop::Hex(window); }

  std::unique_ptr<SimulatedDesktop> desktop;
  std::unique_ptr<Program> program;
};

}  // namespace fenlow::testing
