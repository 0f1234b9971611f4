// The folders of the user who runs the program, for a program without
// windows (the command-line tool).
#pragma once

#include <optional>
#include <string>

namespace fenlow::platform {

// The roaming application-data folder (%APPDATA% on Windows), without a
// trailing separator; nullopt in a build for a system without one, or when
// it is not set.
[[nodiscard]] std::optional<std::u16string> RoamingAppDataFolder();

}  // namespace fenlow::platform
