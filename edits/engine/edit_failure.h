#pragma once

#include <stdexcept>

namespace fenlow::edits {

// Thrown when a bulk edit cannot produce a result (a parameter that is not a
// usable number, a 16-bit limit exceeded). what() is an English sentence that
// can be shown to the user as it stands.
class EditFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace fenlow::edits
