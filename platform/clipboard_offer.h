// Text offered on the clipboard by delayed rendering: the text is handed
// over only when a program asks for it, so Fenlow learns when, and by whom,
// it was read.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/clipboard_primitives.h"

namespace fenlow::platform {

class ClipboardOffer {
 public:
  virtual ~ClipboardOffer() = default;

  // Empties the clipboard and takes it with the offer's own window: `marks`
  // are placed at once, Unicode `text` is rendered when a program asks for
  // it. `read` then runs, from the message loop, with the process of the
  // window that has the clipboard open (0: not known). Throws Failure while
  // another program holds the clipboard; the clipboard is then unchanged.
  virtual void Offer(const std::vector<ClipboardFormatData>& marks, std::u16string text,
                     std::function<void(std::uint32_t readerProcess)> read) = 0;
  // Whether another program has emptied the clipboard since the offer.
  virtual bool TakenOver() = 0;
  // Ends the offer: `read` runs no more and a later emptying of the
  // clipboard is no takeover. The clipboard keeps what it holds.
  virtual void Withdraw() noexcept = 0;
};

}  // namespace fenlow::platform
