// A monitored main window on the simulated desktop: the program state, the
// monitor and the dispatcher wired as the program wires them, with the checks
// a case where something went wrong ends with: the user's text is still
// somewhere the user can get it (the clipboard, Text1 or both) and
// monitoring goes on.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "clipboard/clipboard_monitor.h"
#include "edits/dispatcher.h"
#include "platform/sim/simulated_desktop.h"
#include "platform/sim/simulated_ui.h"
#include "tests/support/monitoring_goes_on.h"

namespace fenlow::testing {

namespace format = platform::format;
using platform::sim::ClipboardOperation;
using platform::sim::ForeignViewer;
using platform::sim::SimulatedDesktop;

class FakeMainWindow final : public MainWindowAccess {
 public:
  explicit FakeMainWindow(platform::WindowHandle handle) : handle_(handle) {}
  platform::WindowHandle MainWindowHandle() override { return handle_; }
  std::u16string Text1() override { return text1; }
  void SetText1(const platform::SharedText& text) override { text1 = text.View(); }
  std::u16string Combo1Text() override { return combo1; }

  std::u16string text1;
  std::u16string combo1 = u"Remove all spaces in clipboard";

 private:
  platform::WindowHandle handle_;
};

class MonitorTest : public ::testing::Test {
 protected:
  static constexpr platform::MessageResult kOwnResult = 42;
  static constexpr const char16_t* kRemoveSpaces = u"Remove all spaces in clipboard";

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
  // Another program's text on the clipboard, then the start-up join.
  void Start(std::u16string clipboardText) {
    desktop->OtherProgramSetsText(std::move(clipboardText));
    StartMonitoring();
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

  // Every text in `kept` is on the clipboard or in Text1.
  void ExpectNothingLost(const std::vector<std::u16string>& kept) {
    const std::u16string onClipboard = desktop->ClipboardTextOrEmpty();
    for (const std::u16string& text : kept) {
      EXPECT_TRUE(onClipboard == text || window.text1 == text)
          << "a text of " << text.size() << " units is neither on the clipboard ("
          << onClipboard.size() << " units) nor in Text1 (" << window.text1.size() << " units)";
    }
  }
  void ExpectMonitoringGoesOn() { ExpectMonitorFollowsTheClipboard(*desktop, state, window); }

  std::unique_ptr<SimulatedDesktop> desktop;
  platform::WindowHandle mainHandle;
  ProgramState state;
  FakeMainWindow window;
  ClipboardMonitor monitor;
  BulkEditDispatcher dispatcher;
};

}  // namespace fenlow::testing
