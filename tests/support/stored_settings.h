// The program's settings as the simulated desktop keeps and logs them.
#pragma once

#include <string>
#include <string_view>

#include "platform/sim/call_log.h"
#include "platform/sim/simulated_settings.h"
#include "shell/settings_keys.h"

namespace fenlow::testing {

// Where the simulated store keeps the program's setting `key`.
inline std::u16string StoredSettingPath(std::u16string_view key) {
  return platform::sim::SimulatedSettings::PathOf(settings::kApplication, settings::kSection, key);
}

// A key or a value as the call log writes it: "Blank Line", "True".
inline std::string Logged(std::u16string_view text) {
  return platform::sim::CallLog::Narrow(text);
}

}  // namespace fenlow::testing
