#pragma once

#include <stdexcept>
#include <string>

namespace fenlow::edits {

// Thrown when a bulk edit cannot produce a result (a parameter that is not a
// usable number, a 16-bit limit exceeded). what() is an English sentence that
// can be shown to the user as it stands.
class EditFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The failure of the edits that keep the text from position x + 1 on, for
// x = 32767: the position does not fit in their 16-bit whole number.
[[nodiscard]] inline EditFailure StartPositionOverflow() {
  return EditFailure(
      "x = 32767 is too large for this edit: x + 1 must fit in a 16-bit whole number, so x can be "
      "at most 32766.");
}

}  // namespace fenlow::edits
