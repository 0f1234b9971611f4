// Per-user settings, keyed by application, section and key, string values.
#pragma once

#include <string>
#include <string_view>

namespace fenlow::platform {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored value, or `fallback` when the key is absent or cannot be read.
  virtual std::u16string Read(std::u16string_view application, std::u16string_view section,
                              std::u16string_view key, std::u16string_view fallback) = 0;
  // Throws Failure when the value cannot be stored.
  virtual void Write(std::u16string_view application, std::u16string_view section,
                     std::u16string_view key, std::u16string_view value) = 0;
};

}  // namespace fenlow::platform
