// Everything the program needs of the operating system, in one place. Each
// backend is reached through its own factory: CreateWin32Platform()
// (platform/win32/win32_platform.h) or CreateSimulatedDesktop()
// (platform/sim/simulated_desktop.h).
#pragma once

#include "platform/clipboard_offer.h"
#include "platform/clipboard_primitives.h"
#include "platform/desktop_input.h"
#include "platform/file_system.h"
#include "platform/global_hotkeys.h"
#include "platform/notification_area.h"
#include "platform/settings_store.h"
#include "platform/startup_services.h"
#include "platform/types.h"
#include "platform/ui.h"
#include "platform/window_messaging.h"

namespace fenlow::platform {

class Platform {
 public:
  virtual ~Platform() = default;
  virtual ClipboardPrimitives& Clipboard() = 0;
  virtual WindowMessaging& Messaging() = 0;
  virtual SettingsStore& Settings() = 0;
  virtual FileSystem& Files() = 0;
  virtual Ui& Forms() = 0;
  virtual GlobalHotkeys& Hotkeys() = 0;
  virtual NotificationArea& Tray() = 0;
  virtual StartupServices& Startup() = 0;
  virtual DesktopInput& Input() = 0;
  virtual ClipboardOffer& Offer() = 0;
};

}  // namespace fenlow::platform
