#include "platform/sim/simulated_clipboard_offer.h"

#include <map>
#include <utility>

namespace fenlow::platform::sim {

void SimulatedClipboardOffer::Offer(const std::vector<ClipboardFormatData>& marks,
                                    std::u16string text,
                                    std::function<void(std::uint32_t readerProcess)> read) {
  faults_.Enter("Offer");
  log_.Record("Offer");
  std::map<std::u16string, std::string> named;
  for (const ClipboardFormatData& mark : marks) named[mark.name] = mark.bytes;
  takenOver_ = false;
  clipboard_.PlaceDelayedText(
      std::move(named),
      [text = std::move(text), read = std::move(read)](std::uint32_t reader) {
        read(reader);
        return text;
      },
      [this] { takenOver_ = true; });
}

void SimulatedClipboardOffer::Withdraw() noexcept {
  log_.Record("Withdraw");
  clipboard_.ForgetDelayedOwner();
}

}  // namespace fenlow::platform::sim
