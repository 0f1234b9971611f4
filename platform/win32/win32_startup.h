// The single instance (a named mutex of the user's session, and the shell
// window a second start finds) and the sign-in entry (a value of the user's
// Run key).
#pragma once

#include "platform/startup_services.h"
#include "platform/win32/win32_desktop_message_window.h"

namespace fenlow::platform::win32 {

class Win32StartupServices final : public StartupServices {
 public:
  // The start-up argument of the sign-in entry.
  static constexpr wchar_t kStartedWithWindowsArgument[] = L"/autostart";
  // HKEY_CURRENT_USER\<kRunKey>, value kRunValue: the sign-in entry.
  static constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  static constexpr wchar_t kRunValue[] = L"Fenlow";

  explicit Win32StartupServices(DesktopMessageWindow& messageWindow)
      : messageWindow_(messageWindow) {}

  bool ClaimSingleInstance() override;
  void ReleaseSingleInstance() noexcept override { instance_.reset(); }
  void ActivateRunningInstance() override;
  void OnActivateRequest(std::function<void()> handler) override;
  bool StartedWithWindows() override;
  bool StartsWithWindows() override;
  void SetStartWithWindows(bool on) override;

 private:
  DesktopMessageWindow& messageWindow_;
  UniqueHandle instance_;
};

}  // namespace fenlow::platform::win32
