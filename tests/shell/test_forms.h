// Bare window designs for the helpers' tests: a name and named controls.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "platform/ui.h"

namespace fenlow::testing {

inline platform::FormSpec FormWith(
    std::string name,
    std::initializer_list<std::pair<const char*, platform::ControlKind>> controls = {}) {
  platform::FormSpec spec;
  spec.name = std::move(name);
  for (auto [controlName, kind] : controls) {
    platform::ControlSpec control;
    control.name = controlName;
    control.kind = kind;
    spec.controls.push_back(control);
  }
  return spec;
}

}  // namespace fenlow::testing
