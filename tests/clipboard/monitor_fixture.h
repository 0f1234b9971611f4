// A monitored main window on the simulated desktop: the program state, the
// monitor and the dispatcher wired as the program wires them.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "clipboard/clipboard_monitor.h"
#include "edits/dispatcher.h"
#include "platform/sim/simulated_desktop.h"
#include "platform/sim/simulated_ui.h"

namespace fenlow::testing {

namespace format = platform::format;
using platform::sim::ClipboardOperation;
using platform::sim::SimulatedDesktop;

class FakeMainWindow final : public MainWindowAccess {
 public:
  explicit FakeMainWindow(platform::WindowHandle handle) : handle_(handle) {}
  platform::WindowHandle MainWindowHandle() override { return handle_; }
  std::u16string Text1() override { return text1; }
  void SetText1(std::u16string_view text) override { text1 = text; }
  std::u16string Combo1Text() override { return combo1; }

  std::u16string text1;
  std::u16string combo1 = u"Remove all spaces in clipboard";

 private:
  platform::WindowHandle handle_;
};

class MonitorTest : public ::testing::Test {
 protected:
  static constexpr platform::MessageResult kOwnResult = 42;

  MonitorTest()
      : desktop(platform::sim::CreateSimulatedDesktop()),
        mainHandle(desktop->CreateWindow(kOwnResult)),
        window(mainHandle),
        monitor(*desktop, state, window),
        dispatcher(monitor) {
    monitor.SetBulkEditStep(dispatcher);
  }

  // The start-up join: flag, hook, join, one yield.
  void StartMonitoring() {
    state.MonitorEnabled = true;
    monitor.HookWindow();
    monitor.JoinChain();
    monitor.Yield();
  }

  // What the start button does around its one call of the change handler.
  void RunBulkEdit(std::u16string option, std::u16string param1 = u"",
                   std::u16string param2 = u"") {
    window.combo1 = std::move(option);
    state.BulkParam1 = std::move(param1);
    state.BulkParam2 = std::move(param2);
    state.BulkEditRequested = true;
    state.ManualSaveRequested = false;
    monitor.OnClipboardChange();
    state.BulkEditRequested = false;
  }

  // What the edit button's save step does.
  void RunManualSave() {
    state.BulkEditRequested = false;
    state.ManualSaveRequested = true;
    monitor.OnClipboardChange();
    state.ManualSaveRequested = false;
  }

  platform::MessageResult Deliver(platform::MessageId message, platform::WParam wParam = 0,
                                  platform::LParam lParam = 0) {
    return desktop->Messaging().SendMessage(mainHandle, message, wParam, lParam);
  }

  bool IsHooked() const {
    return desktop->CurrentProc(mainHandle) == &ClipboardMonitor::ViewerWndProc;
  }

  int CountCalls(const std::string& call) const {
    const auto& calls = desktop->Calls();
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
  }

  std::string Main() const { return SimulatedDesktop::Hex(mainHandle); }

  std::unique_ptr<SimulatedDesktop> desktop;
  platform::WindowHandle mainHandle;
  ProgramState state;
  FakeMainWindow window;
  ClipboardMonitor monitor;
  BulkEditDispatcher dispatcher;
};

}  // namespace fenlow::testing
