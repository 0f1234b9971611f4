// The "Other Software" button and the main window's shutdown.
#include "app/form1.h"
#include "shell/program_config.h"

namespace fenlow {

namespace {

constexpr int kShowWindow = 5;  // show the browser window as it chooses to open

// The product page, quoted for the shell.
std::u16string QuotedProductPage() {
  std::u16string file = u"\"http://";
  file += config::kProductPageHost;
  file += u"/wendlebox/\"";
  return file;
}

}  // namespace

// The shell's answer is not examined: if no browser opens, nothing is told.
void Form1::PushButton1_Click() {
  ErrorTrap trap = TrapFor(u"PushButton1_Click");
  trap(100, [&] {
    platform_.Messaging().ShellOpen(MainWindowHandle(), QuotedProductPage(), u"C:\\", kShowWindow);
  });
}

// Never cancels, whatever the reason of the close. The flag goes down first,
// so no update message is acted on while the window leaves the chain and
// drops its hook; then every other window of the program is unloaded so
// that the process can end.
void Form1::Form_QueryUnload() {
  ErrorTrap trap = TrapFor(u"Form_QueryUnload");
  trap(100, [&] { state_.MonitorEnabled = false; });
  trap(102, [&] { monitor_.LeaveChain(); });
  trap(104, [&] { monitor_.UnhookWindow(); });
  trap(106, [&] { monitor_.Yield(); });
  trap(108, [&] { monitor_.Yield(); });
  UnloadOtherForms(trap);
  trap(116, [&] { monitor_.Yield(); });
  trap(118, [&] { monitor_.Yield(); });
}

// A window whose handle cannot be read is unloaded as well: a failing test
// enters its branch.
void Form1::UnloadOtherForms(ErrorTrap& trap) {
  std::vector<platform::Form*> loaded;
  trap(110, [&] { loaded = platform_.Forms().LoadedForms(); });
  for (platform::Form* form : loaded) {
    if (trap.Test(112, [&] { return form->Handle() != MainWindowHandle(); }))
      trap(112, [&] { form->Unload(); });
  }
}

}  // namespace fenlow
