// A simulated desktop for tests: the one Platform the native tests run the
// program on. It owns its parts and gives each by name:
// - SimClipboard(): the clipboard's formats, other programs' copies;
// - SimWindows(): windows with replaceable procedures, other programs' viewers;
// - SimChain(): the clipboard-viewer chain;
// - SimMessaging(): the messaging calls and the thread's message queue;
// - SimForms(): forms, controls and message boxes;
// - SimSettings(), SimFiles(): the settings store, the program's folder and files;
// - SimClock(): the clock of the clipboard retries;
// - SimHotkeys(), SimTray(), SimStartup(): hotkeys, the notification icon, start-up;
// - SimInput(): the keyboard and the programs that Fenlow sends keys to;
// - Faults(): any platform call failing on demand;
// - Log(): every call made to it.
#pragma once

#include <memory>

#include "platform/platform.h"
#include "platform/sim/call_log.h"
#include "platform/sim/fault_injector.h"
#include "platform/sim/simulated_clipboard.h"
#include "platform/sim/simulated_clipboard_offer.h"
#include "platform/sim/simulated_clock.h"
#include "platform/sim/simulated_files.h"
#include "platform/sim/simulated_hotkeys.h"
#include "platform/sim/simulated_input.h"
#include "platform/sim/simulated_messaging.h"
#include "platform/sim/simulated_notification_area.h"
#include "platform/sim/simulated_settings.h"
#include "platform/sim/simulated_startup.h"
#include "platform/sim/simulated_ui.h"
#include "platform/sim/simulated_viewer_chain.h"
#include "platform/sim/simulated_windows.h"

namespace fenlow::platform::sim {

class SimulatedDesktop final : public Platform {
 public:
  SimulatedDesktop();
  SimulatedDesktop(const SimulatedDesktop&) = delete;
  SimulatedDesktop& operator=(const SimulatedDesktop&) = delete;

  ClipboardPrimitives& Clipboard() override { return clipboard_; }
  WindowMessaging& Messaging() override { return messaging_; }
  SettingsStore& Settings() override { return settings_; }
  Ui& Forms() override { return ui_; }
  platform::FileSystem& Files() override { return files_; }
  GlobalHotkeys& Hotkeys() override { return hotkeys_; }
  NotificationArea& Tray() override { return tray_; }
  StartupServices& Startup() override { return startup_; }
  DesktopInput& Input() override { return input_; }
  ClipboardOffer& Offer() override { return offer_; }

  SimulatedClipboard& SimClipboard() { return clipboard_; }
  SimulatedWindows& SimWindows() { return windows_; }
  SimulatedViewerChain& SimChain() { return chain_; }
  SimulatedMessaging& SimMessaging() { return messaging_; }
  SimulatedUi& SimForms() { return ui_; }
  SimulatedSettings& SimSettings() { return settings_; }
  SimulatedFiles& SimFiles() { return files_; }
  SimulatedClock& SimClock() { return clock_; }
  SimulatedHotkeys& SimHotkeys() { return hotkeys_; }
  SimulatedTray& SimTray() { return tray_; }
  SimulatedStartup& SimStartup() { return startup_; }
  SimulatedInput& SimInput() { return input_; }
  FaultInjector& Faults() { return faults_; }
  CallLog& Log() { return log_; }

 private:
  // In the order they are made: each part is given the ones before it.
  CallLog log_;
  SimulatedWindows windows_{log_};
  FaultInjector faults_{[this] { return windows_.InsideWindowProcedure(); }};
  SimulatedClock clock_;
  SimulatedViewerChain chain_{windows_, log_};
  SimulatedMessaging messaging_{faults_, log_, windows_, chain_, clock_};
  SimulatedClipboard clipboard_{faults_, log_, clock_, chain_};
  SimulatedSettings settings_{faults_, log_};
  SimulatedFiles files_{faults_, log_};
  SimulatedUi ui_{DesktopParts{faults_, log_, windows_, files_, messaging_}};
  SimulatedHotkeys hotkeys_{faults_, log_, messaging_};
  SimulatedTray tray_{faults_, messaging_};
  SimulatedStartup startup_{faults_, messaging_};
  SimulatedClipboardOffer offer_{faults_, log_, clipboard_};
  SimulatedInput input_{faults_, log_, clock_, messaging_, clipboard_, ui_};
};

std::unique_ptr<SimulatedDesktop> CreateSimulatedDesktop();

}  // namespace fenlow::platform::sim
