// The caption hook (see caption_hook.h): a WH_CALLWNDPROC hook procedure
// that answers the measuring message inside the program that owns the
// control, before the control's own procedure sees it.
#include "platform/win32/testing/caption_hook.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace fenlow::platform::win32::caption_hook {
namespace {

std::wstring CaptionOf(HWND control) {
  std::wstring caption(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  caption.resize(static_cast<std::size_t>(
      ::GetWindowTextW(control, caption.data(), static_cast<int>(caption.size()))));
  return caption;
}

// A line as a static control shows it: "&&" is one "&", a lone "&" only
// underlines the next letter.
std::wstring AsShown(std::wstring_view line) {
  std::wstring shown;
  for (std::size_t at = 0; at < line.size(); ++at) {
    if (line[at] == L'&' && at + 1 < line.size()) ++at;
    if (line[at] != L'\r') shown += line[at];
  }
  return shown;
}

int WidestLine(HDC dc, std::wstring_view caption) {
  int widest = 0;
  for (std::size_t start = 0; start <= caption.size();) {
    const std::size_t end = std::min(caption.find(L'\n', start), caption.size());
    const std::wstring line = AsShown(caption.substr(start, end - start));
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &extent);
    widest = std::max(widest, static_cast<int>(extent.cx));
    start = end + 1;
  }
  return widest;
}

Measured Measure(HWND control) {
  Measured measured;
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
  measured.ownFont = font != nullptr;
  const HDC dc = ::GetDC(control);
  const HGDIOBJ previous = font ? ::SelectObject(dc, font) : nullptr;
  measured.captionWidth = WidestLine(dc, CaptionOf(control));
  measured.dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
  if (previous) ::SelectObject(dc, previous);
  ::ReleaseDC(control, dc);
  RECT client{};
  ::GetClientRect(control, &client);
  measured.clientWidth = client.right - client.left;
  return measured;
}

}  // namespace
}  // namespace fenlow::platform::win32::caption_hook

extern "C" __declspec(dllexport) LRESULT CALLBACK MeasureCaptionHook(int code, WPARAM wParam,
                                                                     LPARAM lParam);

// The reply goes to the asking thread at once; the control's own procedure
// then gets a message it does not know and ignores. Nothing may be thrown
// into the program: a failed measurement sends no reply, so the asker's wait
// runs out.
extern "C" __declspec(dllexport) LRESULT CALLBACK MeasureCaptionHook(int code, WPARAM wParam,
                                                                     LPARAM lParam) {
  namespace hook = fenlow::platform::win32::caption_hook;
  static const UINT measure = ::RegisterWindowMessageW(hook::kMeasureMessage);
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == measure && ::InSendMessage()) {
    try {
      ::ReplyMessage(static_cast<LRESULT>(hook::Pack(hook::Measure(call->hwnd))));
    } catch (...) {
      // No reply: the asker reports that no answer came.
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
