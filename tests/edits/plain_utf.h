#pragma once

// A plain reference of the UTF-8 and UTF-16 conversions for the engine
// tests and the fuzz targets: UTF-8 checked against the table of well-formed byte sequences
// (first byte, then the allowed range of each following byte), code point by
// code point, with no fast paths.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fenlow::edits::reference {

// One code point, in UTF-8 and in UTF-16.
inline void AppendUtf8(std::string& bytes, std::uint32_t c) {
  if (c < 0x80) {
    bytes += static_cast<char>(c);
  } else if (c < 0x800) {
    bytes += static_cast<char>(0xC0 | (c >> 6));
    bytes += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    bytes += static_cast<char>(0xE0 | (c >> 12));
    bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    bytes += static_cast<char>(0xF0 | (c >> 18));
    bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (c & 0x3F));
  }
}

inline void AppendUtf16(std::u16string& text, std::uint32_t c) {
  if (c >= 0x10000) {
    text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  } else {
    text += static_cast<char16_t>(c);
  }
}

struct PlainDecoded {
  std::u16string text;
  std::optional<std::size_t> errorOffset;  // Where the first ill-formed sequence starts.
};

inline PlainDecoded PlainUtf8ToUtf16(std::string_view bytes) {
  PlainDecoded decoded;
  std::size_t at = 0;
  while (at < bytes.size()) {
    const auto b0 = static_cast<unsigned char>(bytes[at]);
    std::size_t length = 0;
    unsigned char low = 0x80;  // The range allowed for the second byte.
    unsigned char high = 0xBF;
    if (b0 <= 0x7F) {
      length = 1;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
      length = 2;
    } else if (b0 == 0xE0) {
      length = 3, low = 0xA0;
    } else if (b0 == 0xED) {
      length = 3, high = 0x9F;
    } else if (b0 >= 0xE1 && b0 <= 0xEF) {
      length = 3;
    } else if (b0 == 0xF0) {
      length = 4, low = 0x90;
    } else if (b0 == 0xF4) {
      length = 4, high = 0x8F;
    } else if (b0 >= 0xF1 && b0 <= 0xF3) {
      length = 4;
    }
    bool wellFormed = length != 0 && at + length <= bytes.size();
    for (std::size_t k = 1; wellFormed && k < length; ++k) {
      const auto b = static_cast<unsigned char>(bytes[at + k]);
      const unsigned char min = k == 1 ? low : 0x80;
      const unsigned char max = k == 1 ? high : 0xBF;
      wellFormed = b >= min && b <= max;
    }
    if (!wellFormed) {
      decoded.errorOffset = at;
      decoded.text.clear();
      return decoded;
    }
    std::uint32_t codePoint = length == 1 ? b0
                                          : b0 & (length == 2   ? 0x1F
                                                  : length == 3 ? 0x0F
                                                                : 0x07);
    for (std::size_t k = 1; k < length; ++k) {
      codePoint = (codePoint << 6) | (static_cast<unsigned char>(bytes[at + k]) & 0x3F);
    }
    AppendUtf16(decoded.text, codePoint);
    at += length;
  }
  return decoded;
}

// The index of the first surrogate half that is not part of a pair.
inline std::optional<std::size_t> FirstLoneSurrogate(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      return i;
    }
  }
  return std::nullopt;
}

// UTF-8 of a text without lone surrogates.
inline std::string PlainUtf16ToUtf8(std::u16string_view text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF) c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    AppendUtf8(bytes, c);
  }
  return bytes;
}

inline std::u16string PlainUtf16Le(std::string_view bytes) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  (static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return text;
}

}  // namespace fenlow::edits::reference
