// The real Windows backend of the platform boundary.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace fenlow::platform {

// Makes the process per-monitor DPI aware (unless its manifest already did)
// and returns the services on the real system. Create it, and use it, on
// the one window thread.
std::unique_ptr<Platform> CreateWin32Platform();

}  // namespace fenlow::platform
