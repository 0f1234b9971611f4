// The description text of a failure, as the user is shown it.
#pragma once

#include <exception>
#include <string>

#include "edits/engine/utf.h"

namespace fenlow {

// Descriptions are UTF-8; a malformed one is still shown, byte by byte.
[[nodiscard]] inline std::u16string FailureText(const std::exception& failure) {
  std::string_view bytes = failure.what();
  try {
    return edits::Utf8ToUtf16(bytes);
  } catch (const edits::EncodingError&) {
    return std::u16string(bytes.begin(), bytes.end());
  }
}

}  // namespace fenlow
