// The running program: the state the windows and the clipboard monitor share,
// the monitor, the bulk-edit dispatcher and the main window, composed over
// one platform.
#pragma once

#include "app/form1.h"
#include "clipboard/clipboard_monitor.h"
#include "clipboard/program_state.h"
#include "edits/dispatcher.h"
#include "platform/platform.h"

namespace fenlow {

class Program {
 public:
  explicit Program(platform::Platform& platform);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Creates the main window (which runs its start-up), shows it and runs the
  // message loop until the main window is unloaded.
  void Run();

  Form1& MainForm() { return form1_; }
  ProgramState& State() { return state_; }
  ClipboardMonitor& Monitor() { return monitor_; }

 private:
  platform::Platform& platform_;
  ProgramState state_;
  // Form1 and the monitor know each other; Form1 only keeps the reference
  // until its Load, by which time the monitor is built.
  Form1 form1_;
  ClipboardMonitor monitor_;
  BulkEditDispatcher dispatcher_;
};

}  // namespace fenlow
