// The simulated desktop's per-user settings store: values by application,
// section and key, kept in memory. A write that a test makes fail says that
// the store cannot be written.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/settings_store.h"
#include "platform/sim/call_log.h"
#include "platform/sim/fault_injector.h"

namespace fenlow::platform::sim {

class SimulatedSettings final : public SettingsStore {
 public:
  SimulatedSettings(FaultInjector& faults, CallLog& log);

  // The stored values by their path, "application\section\key".
  std::map<std::u16string, std::u16string>& Stored() { return settings_; }
  static std::u16string PathOf(std::u16string_view application, std::u16string_view section,
                               std::u16string_view key);

 private:
  std::u16string Read(std::u16string_view application, std::u16string_view section,
                      std::u16string_view key, std::u16string_view fallback) override;
  void Write(std::u16string_view application, std::u16string_view section, std::u16string_view key,
             std::u16string_view value) override;

  FaultInjector& faults_;
  CallLog& log_;
  std::map<std::u16string, std::u16string> settings_;
};

}  // namespace fenlow::platform::sim
