#pragma once

// Test texts written the way people write them on paper: · for a space,
// ⇥ for a tab and ¶ for a CR LF line break; everything else is UTF-8.

#include <string>
#include <string_view>

#include "edits/engine/utf.h"

namespace fenlow::edits::testing {

inline std::u16string Readable(std::string_view written) {
  std::u16string text;
  for (char16_t c : Utf8ToUtf16(written)) {
    if (c == u'·') {
      text += u' ';
    } else if (c == u'⇥') {
      text += u'\t';
    } else if (c == u'¶') {
      text += u"\r\n";
    } else {
      text += c;
    }
  }
  return text;
}

// The inverse, for failure messages that a reader can compare with the table.
inline std::string Written(std::u16string_view text) {
  std::string written;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      written += "¶";
      ++i;
    } else if (text[i] == u' ') {
      written += "·";
    } else if (text[i] == u'\t') {
      written += "⇥";
    } else if (text[i] >= 0xD800 && text[i] <= 0xDFFF) {
      written += "<" + std::to_string(text[i]) + ">";  // Surrogates may be unpaired here.
    } else {
      written += Utf16ToUtf8(text.substr(i, 1));
    }
  }
  return written;
}

}  // namespace fenlow::edits::testing
