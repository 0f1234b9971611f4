// The length of a text for the system's code-page conversions, which count
// in int. Free of the system's headers, so that the tests can reach it.
#pragma once

#include <cstddef>
#include <limits>
#include <string>

#include "platform/types.h"

namespace fenlow::platform::win32 {

// A longer text is refused with Failure rather than cut short.
inline int ConversionLength(std::size_t units) {
  constexpr auto kLongest = static_cast<std::size_t>(std::numeric_limits<int>::max());
  if (units > kLongest) {
    throw Failure("The text is too long: the system converts at most " + std::to_string(kLongest) +
                  " characters at once (2 GiB of 8-bit text), and it has " +
                  std::to_string(units) + ".");
  }
  return static_cast<int>(units);
}

}  // namespace fenlow::platform::win32
