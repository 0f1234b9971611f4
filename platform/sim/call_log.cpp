#include "platform/sim/call_log.h"

#include <cstdio>

namespace fenlow::platform::sim {

std::string CallLog::Hex(WindowHandle window) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(window));
  return buffer;
}

std::string CallLog::MessageName(MessageId message) {
  switch (message) {
    case kDrawClipboardMessage:
      return "WM_DRAWCLIPBOARD";
    case kChangeClipboardChainMessage:
      return "WM_CHANGECBCHAIN";
    default:
      return std::to_string(message);
  }
}

std::string CallLog::Narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

}  // namespace fenlow::platform::sim
