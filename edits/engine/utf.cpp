#include "edits/engine/utf.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace fenlow::edits {
namespace {

constexpr std::uint64_t kHighBitOfEachByte = 0x8080808080808080ULL;
// The bits that are set in a UTF-16 unit of 0x80 or more, four units at once.
constexpr std::uint64_t kNonAsciiBitsOfEachUnit = 0xFF80FF80FF80FF80ULL;

std::uint64_t Load64(const void* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

[[noreturn]] void FailDecoding(const char* problem, std::size_t offset) {
  throw EncodingError("invalid UTF-8 at byte offset " + std::to_string(offset) + ": " + problem,
                      offset);
}

// Decodes the multi-byte sequence at bytes[at]; returns its length in bytes.
std::size_t DecodeSequence(std::string_view bytes, std::size_t at, char32_t& codePoint) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  std::size_t length;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    FailDecoding(IsContinuation(lead) ? "unexpected continuation byte" : "invalid lead byte", at);
  }
  if (bytes.size() - at < length) FailDecoding("sequence cut off at the end of the input", at);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[at + i]);
    if (!IsContinuation(next)) FailDecoding("missing continuation byte", at);
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  if (codePoint < minimum) FailDecoding("overlong encoding", at);
  if (codePoint >= 0xD800 && codePoint <= 0xDFFF) FailDecoding("encoded surrogate", at);
  if (codePoint > 0x10FFFF) FailDecoding("code point above U+10FFFF", at);
  return length;
}

// Walks valid UTF-8, handing ASCII runs to onAscii(start, count) and every
// other character to onCodePoint(codePoint); throws at the first invalid byte.
template <typename OnAscii, typename OnCodePoint>
void WalkUtf8(std::string_view bytes, OnAscii onAscii, OnCodePoint onCodePoint) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    // ASCII runs, the common case, are tested eight bytes at a time.
    const std::size_t runStart = at;
    while (bytes.size() - at >= 8 && (Load64(bytes.data() + at) & kHighBitOfEachByte) == 0) at += 8;
    while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80) ++at;
    if (at > runStart) onAscii(bytes.data() + runStart, at - runStart);
    if (at == bytes.size()) break;
    char32_t codePoint;
    at += DecodeSequence(bytes, at, codePoint);
    onCodePoint(codePoint);
  }
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

[[noreturn]] void FailLoneSurrogate(std::size_t index) {
  throw EncodingError("the text holds a lone surrogate at code unit " + std::to_string(index) +
                          ", which UTF-8 cannot represent",
                      index);
}

// UTF-8 length of the text; throws on a lone surrogate.
std::size_t Utf8Length(std::u16string_view text) {
  std::size_t length = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit < 0x80) {
      length += 1;
    } else if (unit < 0x800) {
      length += 2;
    } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      length += 4, ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      FailLoneSurrogate(i);
    } else {
      length += 3;
    }
  }
  return length;
}

char* EncodeUnit(std::u16string_view text, std::size_t& i, char* out) {
  const char32_t unit = text[i];
  if (unit < 0x800) {
    *out++ = static_cast<char>(0xC0 | (unit >> 6));
  } else if (IsHighSurrogate(text[i])) {
    const char32_t codePoint = 0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00);
    *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
    *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    return out;
  } else {
    *out++ = static_cast<char>(0xE0 | (unit >> 12));
    *out++ = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
  }
  *out++ = static_cast<char>(0x80 | (unit & 0x3F));
  return out;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view bytes) {
  // UTF-16 never needs more units than UTF-8 has bytes; the rest is cut off.
  std::u16string text(bytes.size(), u'\0');
  char16_t* out = text.data();
  WalkUtf8(
      bytes,
      [&out](const char* ascii, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<unsigned char>(ascii[i]);
        out += count;
      },
      [&out](char32_t codePoint) {
        if (codePoint < 0x10000) {
          *out++ = static_cast<char16_t>(codePoint);
        } else {
          *out++ = static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
          *out++ = static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        }
      });
  text.resize(static_cast<std::size_t>(out - text.data()));
  return text;
}

void ValidateUtf8(std::string_view bytes) {
  WalkUtf8(
      bytes, [](const char*, std::size_t) {}, [](char32_t) {});
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string bytes(Utf8Length(text), '\0');
  char* out = bytes.data();
  std::size_t i = 0;
  while (i < text.size()) {
    while (text.size() - i >= 4 && (Load64(text.data() + i) & kNonAsciiBitsOfEachUnit) == 0) {
      for (std::size_t k = 0; k < 4; ++k) out[k] = static_cast<char>(text[i + k]);
      out += 4, i += 4;
    }
    if (i == text.size()) break;
    if (text[i] < 0x80) {
      *out++ = static_cast<char>(text[i]);
    } else {
      out = EncodeUnit(text, i, out);
    }
    ++i;
  }
  return bytes;
}

std::u16string Utf16LeToText(std::string_view bytes) {
  if (bytes.size() % 2 != 0) {
    throw EncodingError(
        "UTF-16LE input has an odd number of bytes (" + std::to_string(bytes.size()) + ")",
        bytes.size() - 1);
  }
  std::u16string text(bytes.size() / 2, u'\0');
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(text.data(), bytes.data(), bytes.size());
  } else {
    for (std::size_t i = 0; i < text.size(); ++i) {
      text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                      static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
  }
  return text;
}

std::string TextToUtf16Le(std::u16string_view text) {
  std::string bytes(text.size() * 2, '\0');
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(bytes.data(), text.data(), bytes.size());
  } else {
    for (std::size_t i = 0; i < text.size(); ++i) {
      bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
      bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
  }
  return bytes;
}

}  // namespace fenlow::edits
