// Per-user settings in the registry: HKEY_CURRENT_USER\Software\<application>\<section>,
// one REG_SZ value per key.
#pragma once

#include "platform/settings_store.h"

namespace fenlow::platform::win32 {

class Win32SettingsStore final : public SettingsStore {
 public:
  std::u16string Read(std::u16string_view application, std::u16string_view section,
                      std::u16string_view key, std::u16string_view fallback) override;
  void Write(std::u16string_view application, std::u16string_view section, std::u16string_view key,
             std::u16string_view value) override;
};

}  // namespace fenlow::platform::win32
