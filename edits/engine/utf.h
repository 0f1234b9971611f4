#pragma once

// Conversions between the engine's UTF-16 text and the byte encodings that
// files and pipes carry.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace fenlow::edits {

// A byte sequence or text that cannot be converted. offset() is the byte
// offset (decoding) or code-unit index (encoding) where the problem starts.
class EncodingError : public std::runtime_error {
 public:
  EncodingError(const std::string& what, std::size_t offset)
      : std::runtime_error(what), offset_(offset) {}
  [[nodiscard]] std::size_t offset() const { return offset_; }

 private:
  std::size_t offset_;
};

// A text that UTF-8 cannot carry: it holds a lone surrogate, a half of a
// character outside the Basic Multilingual Plane. offset() is its code-unit
// index.
class LoneSurrogateError : public EncodingError {
 public:
  explicit LoneSurrogateError(std::size_t index);
};

// Strict UTF-8 to UTF-16: rejects stray or missing continuation bytes,
// overlong forms, encoded surrogates and code points above U+10FFFF.
//   Utf8ToUtf16("caf\xC3\xA9") == u"café"
[[nodiscard]] std::u16string Utf8ToUtf16(std::string_view bytes);

// Checks bytes as Utf8ToUtf16 does, without converting them; throws the same
// EncodingError.
void ValidateUtf8(std::string_view bytes);

// Checks the next piece of a UTF-8 text that arrives in pieces, as
// ValidateUtf8 checks a whole one: `offset` is where the piece starts in the
// whole text, for the EncodingError's offset. Returns how many bytes at the
// start of the piece are whole characters: all of them, unless `atEnd` is
// false and the piece ends inside a character, whose bytes are then to come
// again at the start of the next piece.
[[nodiscard]] std::size_t ValidateUtf8Piece(std::string_view piece, std::size_t offset, bool atEnd);

// UTF-16 to UTF-8. A lone surrogate has no UTF-8 form, so it is refused
// (LoneSurrogateError) rather than replaced: the caller decides what to tell
// the user.
//   Utf16ToUtf8(u"café") == "caf\xC3\xA9"
[[nodiscard]] std::string Utf16ToUtf8(std::u16string_view text);

// UTF-16LE bytes, no byte order mark, code unit for code unit (any text,
// lone surrogates included). An odd byte count is refused.
[[nodiscard]] std::u16string Utf16LeToText(std::string_view bytes);
[[nodiscard]] std::string TextToUtf16Le(std::u16string_view text);

}  // namespace fenlow::edits
