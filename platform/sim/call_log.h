// The simulated desktop's log of the calls the program made through its
// interfaces, in order, for instance "SetClipboardViewer(0x1000)" or
// "ReplaceWindowProc(0x1000)".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace fenlow::platform::sim {

class CallLog {
 public:
  const std::vector<std::string>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }
  void Record(std::string call) { calls_.push_back(std::move(call)); }

  // A window as the log names it: "0x1000".
  static std::string Hex(WindowHandle window);
  // A message as the log names it: "WM_DRAWCLIPBOARD", or its number.
  static std::string MessageName(MessageId message);
  // A text as the log writes it: ASCII as it is, any other character as '?'.
  static std::string Narrow(std::u16string_view text);

 private:
  std::vector<std::string> calls_;
};

}  // namespace fenlow::platform::sim
