// The program's delayed-rendering clipboard owner on the simulated desktop:
// the text is rendered when another program reads it
// (SimulatedClipboard::OtherProgramReadsText), and a copy made meanwhile is
// a takeover.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/clipboard_offer.h"
#include "platform/sim/call_log.h"
#include "platform/sim/fault_injector.h"
#include "platform/sim/simulated_clipboard.h"

namespace fenlow::platform::sim {

class SimulatedClipboardOffer final : public ClipboardOffer {
 public:
  SimulatedClipboardOffer(FaultInjector& faults, CallLog& log, SimulatedClipboard& clipboard)
      : faults_(faults), log_(log), clipboard_(clipboard) {}

  void Offer(const std::vector<ClipboardFormatData>& marks, std::u16string text,
             std::function<void(std::uint32_t readerProcess)> read) override;
  bool TakenOver() override { return takenOver_; }
  void Withdraw() noexcept override;

 private:
  FaultInjector& faults_;
  CallLog& log_;
  SimulatedClipboard& clipboard_;
  bool takenOver_ = false;
};

}  // namespace fenlow::platform::sim
