#pragma once

// A deterministic text that looks like what people copy: words, numbers,
// single and double spaces, tabs, CR LF line breaks with some blank lines,
// accented letters, non-breaking spaces and the odd emoji.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fenlow::bench {

inline std::string SampleUtf8Text(std::size_t bytes) {
  constexpr std::string_view kWords[] = {"the",
                                         "clipboard",
                                         "text",
                                         "Fenlow",
                                         "of",
                                         "and",
                                         "2024",
                                         "42",
                                         "caf\xC3\xA9",
                                         "na\xC3\xAFve",
                                         "\xC3\xBC"
                                         "ber",
                                         "line",
                                         "edit",
                                         "x",
                                         "A1",
                                         "\xF0\x9F\x98\x80"};
  constexpr std::string_view kGaps[] = {" ", " ", " ", " ", " ", "  ", "\t", "\xC2\xA0", ", "};
  std::string text;
  text.reserve(bytes + 64);
  std::uint64_t state = 0x9E3779B97F4A7C15ULL;
  auto next = [&state](std::uint64_t range) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return (state >> 33) % range;
  };
  while (text.size() < bytes) {
    const std::uint64_t words = next(14);
    for (std::uint64_t i = 0; i < words; ++i) {
      text += kWords[next(std::size(kWords))];
      if (i + 1 < words) text += kGaps[next(std::size(kGaps))];
    }
    text += next(8) == 0 ? "\r\n\r\n" : "\r\n";
  }
  // Cut at a character boundary so that the text stays valid UTF-8.
  std::size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
  return text;
}

}  // namespace fenlow::bench
