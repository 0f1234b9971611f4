#include "platform/sim/simulated_settings.h"

namespace fenlow::platform::sim {

SimulatedSettings::SimulatedSettings(FaultInjector& faults, CallLog& log)
    : faults_(faults), log_(log) {
  faults_.DescribeFailure("WriteSetting", "The settings store cannot be written.");
}

std::u16string SimulatedSettings::PathOf(std::u16string_view application,
                                         std::u16string_view section, std::u16string_view key) {
  std::u16string path(application);
  path += u'\\';
  path += section;
  path += u'\\';
  path += key;
  return path;
}

std::u16string SimulatedSettings::Read(std::u16string_view application, std::u16string_view section,
                                       std::u16string_view key, std::u16string_view fallback) {
  faults_.Enter("ReadSetting", CallLog::Narrow(key));
  auto found = settings_.find(PathOf(application, section, key));
  return found == settings_.end() ? std::u16string(fallback) : found->second;
}

void SimulatedSettings::Write(std::u16string_view application, std::u16string_view section,
                              std::u16string_view key, std::u16string_view value) {
  faults_.Count("WriteSetting", CallLog::Narrow(key));
  log_.Record("WriteSetting(" + CallLog::Narrow(key) + "=" + CallLog::Narrow(value) + ")");
  faults_.ThrowIfMadeToFail("WriteSetting", CallLog::Narrow(key));
  settings_[PathOf(application, section, key)] = std::u16string(value);
}

}  // namespace fenlow::platform::sim
