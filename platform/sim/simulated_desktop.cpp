#include "platform/sim/simulated_desktop.h"

namespace fenlow::platform::sim {

SimulatedDesktop::SimulatedDesktop() = default;

std::unique_ptr<SimulatedDesktop> CreateSimulatedDesktop() {
  return std::make_unique<SimulatedDesktop>();
}

}  // namespace fenlow::platform::sim
