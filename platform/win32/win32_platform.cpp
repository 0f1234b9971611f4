#include "platform/win32/win32_platform.h"

#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_clipboard_offer.h"
#include "platform/win32/win32_desktop_input.h"
#include "platform/win32/win32_desktop_message_window.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_hotkeys.h"
#include "platform/win32/win32_messaging.h"
#include "platform/win32/win32_notification_area.h"
#include "platform/win32/win32_settings.h"
#include "platform/win32/win32_startup.h"
#include "platform/win32/win32_ui.h"

namespace fenlow::platform {
namespace {

using namespace win32;

// Per-monitor DPI awareness as new as the system offers; each call fails
// harmlessly when the manifest has already decided.
void BecomeDpiAware() {
  const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  const auto setContext = reinterpret_cast<SetContext>(
      reinterpret_cast<void (*)()>(::GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
  if (setContext && (setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) ||
                     setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE))) {
    return;
  }
  ::SetProcessDPIAware();
}

class Win32Platform final : public Platform {
 public:
  ClipboardPrimitives& Clipboard() override { return clipboard_; }
  WindowMessaging& Messaging() override { return messaging_; }
  SettingsStore& Settings() override { return settings_; }
  FileSystem& Files() override { return files_; }
  Ui& Forms() override { return ui_; }
  GlobalHotkeys& Hotkeys() override { return hotkeys_; }
  NotificationArea& Tray() override { return tray_; }
  StartupServices& Startup() override { return startup_; }
  DesktopInput& Input() override { return input_; }
  ClipboardOffer& Offer() override { return offer_; }

 private:
  Win32Clipboard clipboard_;
  Win32WindowMessaging messaging_;
  Win32SettingsStore settings_;
  Win32FileSystem files_;
  Win32Ui ui_;
  DesktopMessageWindow messageWindow_{ui_};
  Win32Hotkeys hotkeys_{messageWindow_};
  Win32NotificationArea tray_{messageWindow_};
  Win32StartupServices startup_{messageWindow_};
  Win32DesktopInput input_;
  Win32ClipboardOffer offer_{messageWindow_};
};

}  // namespace

std::unique_ptr<Platform> CreateWin32Platform() {
  BecomeDpiAware();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_HOTKEY_CLASS};
  ::InitCommonControlsEx(&controls);
  return std::make_unique<Win32Platform>();
}

}  // namespace fenlow::platform
