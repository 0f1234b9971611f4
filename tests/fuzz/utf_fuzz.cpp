// The UTF-8 and UTF-16LE conversions on fuzzed bytes, against the plain
// reference: strict UTF-8 (what is refused and where), exact round trips, and
// lone surrogates refused on the way to UTF-8 and kept by UTF-16LE.

#include <cstddef>
#include <cstdint>
#include <string>

#include "edits/engine/utf.h"
#include "tests/edits/plain_utf.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

using fenlow::edits::EncodingError;
using fenlow::fuzz::Check;
using fenlow::fuzz::Finding;

void CheckUtf8(std::string_view bytes) {
  const fenlow::edits::reference::PlainDecoded expected =
      fenlow::edits::reference::PlainUtf8ToUtf16(bytes);
  const std::string where =
      expected.errorOffset ? "ill-formed at " + std::to_string(*expected.errorOffset) : "valid";
  try {
    const std::u16string text = fenlow::edits::Utf8ToUtf16(bytes);
    Check(!expected.errorOffset, "ill-formed UTF-8 accepted", where);
    Check(text == expected.text, "UTF-8 decoded to other code units", fenlow::fuzz::Shown(text));
    Check(fenlow::edits::Utf16ToUtf8(text) == bytes, "UTF-8 does not survive the round trip");
  } catch (const EncodingError& error) {
    Check(expected.errorOffset.has_value(), "well-formed UTF-8 refused", error.what());
    Check(error.offset() == *expected.errorOffset, "refused at another offset",
          where + " / " + error.what());
  }
  try {
    fenlow::edits::ValidateUtf8(bytes);
    Check(!expected.errorOffset, "ValidateUtf8 accepts ill-formed UTF-8", where);
  } catch (const EncodingError& error) {
    Check(expected.errorOffset && error.offset() == *expected.errorOffset,
          "ValidateUtf8 disagrees with the decoder", where + " / " + error.what());
  }
}

void CheckUtf16(std::string_view bytes) {
  std::u16string text;
  try {
    text = fenlow::edits::Utf16LeToText(bytes);
    Check(bytes.size() % 2 == 0, "an odd number of UTF-16LE bytes accepted");
  } catch (const EncodingError&) {
    Check(bytes.size() % 2 == 1, "an even number of UTF-16LE bytes refused");
    return;
  }
  Check(text == fenlow::edits::reference::PlainUtf16Le(bytes), "UTF-16LE read as other code units");
  Check(fenlow::edits::TextToUtf16Le(text) == bytes, "UTF-16LE does not survive the round trip");

  const auto lone = fenlow::edits::reference::FirstLoneSurrogate(text);
  try {
    const std::string utf8 = fenlow::edits::Utf16ToUtf8(text);
    Check(!lone, "a lone surrogate written as UTF-8", fenlow::fuzz::Shown(text));
    Check(utf8 == fenlow::edits::reference::PlainUtf16ToUtf8(text),
          "UTF-16 encoded to other UTF-8 bytes");
    Check(fenlow::edits::Utf8ToUtf16(utf8) == text, "UTF-16 does not survive the round trip");
  } catch (const EncodingError& error) {
    Check(lone && error.offset() == *lone, "UTF-16 refused without a lone surrogate there",
          fenlow::fuzz::Shown(text) + " / " + error.what());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    CheckUtf8(bytes);
    CheckUtf16(bytes);
    // The same bytes shifted by one, so that both alignments of UTF-16 units
    // and of the eight-byte ASCII runs are seen.
    if (size > 1) CheckUtf16(bytes.substr(1));
  } catch (const EncodingError& unexpected) {
    Finding("a conversion failed where it cannot", unexpected.what());
  }
  return 0;
}
