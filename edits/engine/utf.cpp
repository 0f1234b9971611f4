#include "edits/engine/utf.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "edits/engine/simd.h"

namespace fenlow::edits {
namespace {

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

// Where the bytes being decoded are: `offset` is the byte offset of their
// start in the whole text, and `atEnd` tells whether the text ends with them.
struct Piece {
  std::string_view bytes;
  std::size_t offset = 0;
  bool atEnd = true;
};

[[noreturn]] void FailDecoding(const char* problem, std::size_t offset) {
  throw EncodingError("invalid UTF-8 at byte offset " + std::to_string(offset) + ": " + problem,
                      offset);
}

// The length of the valid multi-byte sequence at bytes[at], or 0 when it is
// not one (invalid, or cut off by the end of the bytes). The quick test of
// the common case; CheckSequence tells what is wrong.
std::size_t ValidSequenceLength(std::string_view bytes, std::size_t at) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
  const std::size_t left = bytes.size() - at;
  const unsigned lead = p[0];
  if (lead >= 0xC2 && lead <= 0xDF) return left >= 2 && IsContinuation(p[1]) ? 2 : 0;
  // The second byte's range excludes overlong forms, surrogates and code
  // points above U+10FFFF.
  if (lead >= 0xE0 && lead <= 0xEF) {
    const unsigned low = lead == 0xE0 ? 0xA0 : 0x80;
    const unsigned high = lead == 0xED ? 0x9F : 0xBF;
    return left >= 3 && p[1] >= low && p[1] <= high && IsContinuation(p[2]) ? 3 : 0;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const unsigned low = lead == 0xF0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xF4 ? 0x8F : 0xBF;
    return left >= 4 && p[1] >= low && p[1] <= high && IsContinuation(p[2]) && IsContinuation(p[3])
               ? 4
               : 0;
  }
  return 0;
}

// Checks the sequence at piece.bytes[at] that ValidSequenceLength did not
// take: throws EncodingError for what is wrong with it, or returns 0 when
// the piece ends inside it and more bytes are to come.
std::size_t CheckSequence(const Piece& piece, std::size_t at) {
  const std::string_view bytes = piece.bytes;
  const auto lead = static_cast<unsigned char>(bytes[at]);
  const std::size_t where = piece.offset + at;
  std::size_t length;
  char32_t minimum;
  char32_t codePoint;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    FailDecoding(IsContinuation(lead) ? "unexpected continuation byte" : "invalid lead byte",
                 where);
  }
  if (bytes.size() - at < length) {
    if (!piece.atEnd) return 0;
    FailDecoding("sequence cut off at the end of the input", where);
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[at + i]);
    if (!IsContinuation(next)) FailDecoding("missing continuation byte", where);
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  if (codePoint < minimum) FailDecoding("overlong encoding", where);
  if (codePoint >= 0xD800 && codePoint <= 0xDFFF) FailDecoding("encoded surrogate", where);
  if (codePoint > 0x10FFFF) FailDecoding("code point above U+10FFFF", where);
  return length;
}

// The code point of a valid multi-byte sequence.
char32_t CodePointOf(const char* sequence, std::size_t length) {
  const auto* p = reinterpret_cast<const unsigned char*>(sequence);
  char32_t codePoint = p[0] & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) codePoint = (codePoint << 6) | (p[i] & 0x3F);
  return codePoint;
}

// The end of the run of ASCII bytes that starts at `at`.
std::size_t EndOfAscii(std::string_view bytes, std::size_t at) {
#if FENLOW_SSE2
  for (; bytes.size() - at >= 16; at += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + at));
    if (const int high = _mm_movemask_epi8(block); high != 0) {
      return at + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(high)));
    }
  }
#else
  constexpr std::uint64_t kHighBitOfEachByte = 0x8080808080808080ULL;
  while (bytes.size() - at >= 8 && (Load64(bytes.data() + at) & kHighBitOfEachByte) == 0) at += 8;
#endif
  while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80) ++at;
  return at;
}

#if FENLOW_SSE2
// 0xFF for each byte from `first` to `last`, unsigned.
__m128i InRange(__m128i bytes, unsigned char first, unsigned char last) {
  const __m128i offset = _mm_sub_epi8(bytes, _mm_set1_epi8(static_cast<char>(first)));
  return _mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(static_cast<char>(last - first))),
                        offset);
}

// The bytes `back` places before each byte of `current`, the first ones
// taken from the end of `previous`.
template <int back>
__m128i Before(__m128i current, __m128i previous) {
  return _mm_or_si128(_mm_slli_si128(current, back), _mm_srli_si128(previous, 16 - back));
}

// 0xFF for each byte that is at least `bound` / at most `bound`, unsigned.
__m128i AtLeast(__m128i bytes, unsigned char bound) {
  return _mm_cmpeq_epi8(_mm_max_epu8(bytes, _mm_set1_epi8(static_cast<char>(bound))), bytes);
}
__m128i AtMost(__m128i bytes, unsigned char bound) {
  return _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(static_cast<char>(bound))), bytes);
}

// Checks UTF-8 16 bytes at a time; each block is checked with what the
// block before it began.
class Utf8Blocks {
 public:
  // 0xFF for each byte of the next block that breaks UTF-8: a byte that is
  // never in UTF-8, a continuation byte where none belongs or none where one
  // does, and a second byte out of range after E0, ED, F0 or F4 (overlong
  // forms, surrogates, above U+10FFFF).
  __m128i Errors(__m128i current) {
    const __m128i leads = InRange(current, 0xC2, 0xF4);
    const __m128i longLeads = InRange(current, 0xE0, 0xF4);
    const __m128i leadsOf4 = InRange(current, 0xF0, 0xF4);
    const __m128i continuationWanted =
        _mm_or_si128(_mm_or_si128(Before<1>(leads, leads_), Before<2>(longLeads, longLeads_)),
                     Before<3>(leadsOf4, leadsOf4_));
    const __m128i continuations = InRange(current, 0x80, 0xBF);
    __m128i errors = _mm_xor_si128(continuationWanted, continuations);
    errors = _mm_or_si128(errors, _mm_andnot_si128(leads, AtLeast(current, 0xC0)));
    const __m128i before = Before<1>(current, previous_);
    const auto after = [&before](unsigned char lead) {
      return _mm_cmpeq_epi8(before, _mm_set1_epi8(static_cast<char>(lead)));
    };
    errors = _mm_or_si128(errors, _mm_and_si128(after(0xE0), AtMost(current, 0x9F)));
    errors = _mm_or_si128(errors, _mm_and_si128(after(0xED), AtLeast(current, 0xA0)));
    errors = _mm_or_si128(errors, _mm_and_si128(after(0xF0), AtMost(current, 0x8F)));
    errors = _mm_or_si128(errors, _mm_and_si128(after(0xF4), AtLeast(current, 0x90)));
    previous_ = current;
    leads_ = leads;
    longLeads_ = longLeads;
    leadsOf4_ = leadsOf4;
    return errors;
  }

  // Not 0 when the last block does not end in ASCII, so that even ASCII
  // after it needs a check.
  [[nodiscard]] int PendingAtEnd() const { return _mm_movemask_epi8(previous_) & 0xE000; }
  void AfterAscii(__m128i last) {
    previous_ = last;
    leads_ = longLeads_ = leadsOf4_ = _mm_setzero_si128();
  }

 private:
  __m128i previous_ = _mm_setzero_si128();
  __m128i leads_ = _mm_setzero_si128();
  __m128i longLeads_ = _mm_setzero_si128();
  __m128i leadsOf4_ = _mm_setzero_si128();
};
#endif

// Where the character that takes in bytes[end - 1] starts, when it does not
// end there; otherwise `end`. The bytes before `end` must be valid UTF-8.
std::size_t StartOfCharacterAcross(std::string_view bytes, std::size_t end) {
  for (std::size_t back = 1; back <= 3 && back <= end; ++back) {
    const auto byte = static_cast<unsigned char>(bytes[end - back]);
    if (IsContinuation(byte)) continue;
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? end - back : end;
  }
  return end;
}

// How many bytes at the start of `bytes` are whole, valid characters,
// checked 16 at a time; it stops at the first block that holds an error, for
// the byte by byte walk to tell what it is, and before the last 16 bytes.
std::size_t ValidBlocksEnd(std::string_view bytes) {
  std::size_t at = 0;
#if FENLOW_SSE2
  Utf8Blocks blocks;
  const auto load = [&bytes](std::size_t from) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + from));
  };
  // 64 bytes of ASCII after a block that ends in ASCII need no more.
  for (; bytes.size() - at >= 64; at += 64) {
    const __m128i last = load(at + 48);
    const __m128i any =
        _mm_or_si128(_mm_or_si128(load(at), load(at + 16)), _mm_or_si128(load(at + 32), last));
    if ((_mm_movemask_epi8(any) | blocks.PendingAtEnd()) == 0) {
      blocks.AfterAscii(last);
      continue;
    }
    // In order: each block is checked with the one before it.
    __m128i errors = blocks.Errors(load(at));
    errors = _mm_or_si128(errors, blocks.Errors(load(at + 16)));
    errors = _mm_or_si128(errors, blocks.Errors(load(at + 32)));
    errors = _mm_or_si128(errors, blocks.Errors(last));
    if (_mm_movemask_epi8(errors) != 0) return StartOfCharacterAcross(bytes, at);
  }
  for (; bytes.size() - at >= 16; at += 16) {
    if (_mm_movemask_epi8(blocks.Errors(load(at))) != 0) break;
  }
#endif
  return StartOfCharacterAcross(bytes, at);
}

// Walks UTF-8, handing ASCII runs to onAscii(start, count) and every other
// character to onCodePoint(codePoint); throws at the first invalid byte.
// Returns how many bytes were walked: all, or up to a character that the
// piece cuts off when more bytes are to come.
template <typename OnAscii, typename OnCodePoint>
std::size_t WalkUtf8(const Piece& piece, OnAscii onAscii, OnCodePoint onCodePoint) {
  const std::string_view bytes = piece.bytes;
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::size_t runStart = at;
    at = EndOfAscii(bytes, at);
    if (at > runStart) onAscii(bytes.data() + runStart, at - runStart);
    if (at == bytes.size()) break;
    std::size_t length = ValidSequenceLength(bytes, at);
    if (length == 0) length = CheckSequence(piece, at);
    if (length == 0) break;
    onCodePoint(CodePointOf(bytes.data() + at, length));
    at += length;
  }
  return at;
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
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
      throw LoneSurrogateError(i);
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

LoneSurrogateError::LoneSurrogateError(std::size_t index)
    : EncodingError("the text holds a lone surrogate at code unit " + std::to_string(index) +
                        ", which UTF-8 cannot represent",
                    index) {}

std::u16string Utf8ToUtf16(std::string_view bytes) {
  // UTF-16 never needs more units than UTF-8 has bytes; the rest is cut off.
  std::u16string text(bytes.size(), u'\0');
  char16_t* out = text.data();
  WalkUtf8(
      Piece{bytes},
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
  (void)ValidateUtf8Piece(bytes, 0, true);
}

std::size_t ValidateUtf8Piece(std::string_view piece, std::size_t offset, bool atEnd) {
  const std::size_t valid = ValidBlocksEnd(piece);
  return valid + WalkUtf8(
                     Piece{piece.substr(valid), offset + valid, atEnd},
                     [](const char*, std::size_t) {}, [](char32_t) {});
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
