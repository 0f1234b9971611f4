#pragma once

// Parameters that make each bulk edit do real work on the sample text.

#include <string>
#include <string_view>

#include "edits/engine/catalogue.h"

namespace fenlow::bench {

struct Parameters {
  std::u16string first;
  std::u16string second;
};

inline Parameters ParametersFor(std::u16string_view option) {
  namespace options = fenlow::edits::options;
  if (fenlow::edits::NeedsWholeNumber(option)) return {u"1000", u""};
  if (option == options::kRemoveListItems) return {u"the\r\nof\r\n42", u""};
  if (option == options::kReplaceListItems) return {u"the\r\nof\r\n42", u"THE\r\nOF"};
  if (option.find(u"user-defined") != std::u16string_view::npos) return {u"zzz", u"#"};
  return {u"#", u"#"};
}

}  // namespace fenlow::bench
