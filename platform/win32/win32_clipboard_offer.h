// Delayed rendering on the program's hidden window: it owns the clipboard
// while the offer stands and answers WM_RENDERFORMAT, WM_RENDERALLFORMATS
// and WM_DESTROYCLIPBOARD.
#pragma once

#include "platform/clipboard_offer.h"
#include "platform/win32/win32_desktop_message_window.h"

namespace fenlow::platform::win32 {

class Win32ClipboardOffer final : public ClipboardOffer {
 public:
  explicit Win32ClipboardOffer(DesktopMessageWindow& window) : window_(window) {}
  ~Win32ClipboardOffer() override;
  Win32ClipboardOffer(const Win32ClipboardOffer&) = delete;
  Win32ClipboardOffer& operator=(const Win32ClipboardOffer&) = delete;

  void Offer(const std::vector<ClipboardFormatData>& marks, std::u16string text,
             std::function<void(std::uint32_t readerProcess)> read) override;
  bool TakenOver() override { return takenOver_; }
  void Withdraw() noexcept override;

 private:
  void Listen();
  // Places the text, the clipboard being open already (by the reader).
  void Render();
  void RenderAll();

  DesktopMessageWindow& window_;
  bool listening_ = false;
  bool offering_ = false;
  bool takenOver_ = false;
  std::u16string text_;
  std::function<void(std::uint32_t)> read_;
};

}  // namespace fenlow::platform::win32
