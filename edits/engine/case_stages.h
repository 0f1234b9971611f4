#pragma once

// The case edits on code points, with Unicode's default full case
// conversion (unicode_data.h) and no language-specific rules:
// - Upper, Lower: every character's full mapping; Lower applies the final
//   sigma rule (a capital sigma after a cased letter, with case-ignorable
//   characters between, and not before one, becomes the final form).
// - Title: a word is a run of letters, combining marks and decimal digits,
//   with the apostrophes ' and U+2019 counted in only between two letters;
//   the first character of each word gets its full titlecase mapping, the
//   rest of the word what Lower gives it; other characters stay.
// - Sentence: what Lower gives, except that the first cased character of
//   the text and the first after each sentence end (".", "!" or "?" followed
//   by a space, a tab or a line break) get their full titlecase mapping.
// Look-ahead: the case-ignorable characters after a capital sigma, and the
// character after an apostrophe in a word.

#include <cstddef>
#include <string>
#include <string_view>

#include "edits/engine/code_points.h"
#include "edits/engine/simd.h"
#include "edits/engine/stage_runs.h"
#include "edits/engine/unicode_data.h"
#include "edits/engine/unit_transforms.h"

namespace fenlow::edits::generic {

enum class CaseMode { Upper, Lower, Title, Sentence };

template <typename Char>
class CaseStage {
 public:
  explicit CaseStage(CaseMode mode) : mode_(mode) {}

  std::size_t Edit(View<Char> input, bool last, String<Char>& output) {
    std::size_t at = 0;
    while (at < input.size()) {
      if (mode_ == CaseMode::Upper || mode_ == CaseMode::Lower) {
        at = MapAsciiRun(input, at, output);
        if (at == input.size()) break;
      }
      const CodePoint c = CodePointAt(input, at);
      const std::size_t decided = Step(input, at, c, last, output);
      if (decided == 0) return at;  // waits for the text that decides it
      at += c.units;
    }
    return input.size();
  }
  [[nodiscard]] std::size_t Growth() const { return 3; }
  void Restart() { *this = CaseStage(mode_); }

 private:
  static constexpr char32_t kCapitalSigma = 0x03A3;
  static constexpr char32_t kSmallSigma = 0x03C3;
  static constexpr char32_t kFinalSigma = 0x03C2;

  static bool IsWordCharacter(char32_t c) {
    const auto flags = unicode::RecordOf(c).flags;
    return (flags & (unicode::kLetter | unicode::kMark | unicode::kDecimalDigit)) != 0;
  }
  static bool IsApostrophe(char32_t c) { return c == U'\'' || c == 0x2019; }
  static bool EndsSentence(char32_t c) { return c == U'.' || c == U'!' || c == U'?'; }
  static bool IsSentenceSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n';
  }

  // Upper and Lower of a run of ASCII, 16 bytes at a time where it can;
  // returns where the run ends.
  std::size_t MapAsciiRun(View<Char> input, std::size_t at, String<Char>& output) {
    const Char first = mode_ == CaseMode::Upper ? Char('a') : Char('A');
    std::size_t end = at;
    while (end < input.size() && UnitValue(input[end]) < 0x80) ++end;
    if (end == at) return at;
    Char* out = GrowBy(output, end - at);
    const Char* in = input.data() + at;
    const std::size_t count = end - at;
    std::size_t k = 0;
#if FENLOW_SSE2
    if constexpr (sizeof(Char) == 1) {
      const __m128i below = _mm_set1_epi8(static_cast<char>(first - 1));
      const __m128i above = _mm_set1_epi8(static_cast<char>(first + 26));
      const __m128i flip = _mm_set1_epi8(0x20);
      for (; k + 16 <= count; k += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + k));
        const __m128i cased =
            _mm_and_si128(_mm_cmpgt_epi8(bytes, below), _mm_cmplt_epi8(bytes, above));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k),
                         _mm_xor_si128(bytes, _mm_and_si128(cased, flip)));
      }
    }
#endif
    for (; k < count; ++k) {
      const Char c = in[k];
      out[k] = static_cast<Char>(UnitValue(c) - UnitValue(first) < 26 ? c ^ 0x20 : c);
    }
    // Only letters are cased among ASCII, and none is case-ignorable but the
    // few marks, which leave the sigma context as it is; so the last letter
    // decides it.
    for (std::size_t back = count; back-- > 0;) {
      const char32_t c = static_cast<char32_t>(UnitValue(in[back]));
      if (!unicode::Has(c, unicode::kCaseIgnorable)) {
        afterCased_ = unicode::Has(c, unicode::kCased);
        break;
      }
    }
    return end;
  }

  // Edits one code point; returns 0 when the text after it must be seen
  // first (and more is to come).
  std::size_t Step(View<Char> input, std::size_t at, CodePoint c, bool last, String<Char>& output) {
    std::size_t decided = 1;
    switch (mode_) {
      case CaseMode::Upper:
        Append(c.value, unicode::Mapping::Upper, output);
        break;
      case CaseMode::Lower:
        decided = AppendLower(input, at, c, last, output);
        break;
      case CaseMode::Title:
        decided = StepTitle(input, at, c, last, output);
        break;
      case CaseMode::Sentence:
        decided = StepSentence(input, at, c, last, output);
        break;
    }
    if (decided != 0 && !unicode::Has(c.value, unicode::kCaseIgnorable)) {
      afterCased_ = unicode::Has(c.value, unicode::kCased);
    }
    return decided;
  }

  static void Append(char32_t c, unicode::Mapping mapping, String<Char>& output) {
    if (c >= 0xD800 && c < 0xE000) {  // a lone surrogate stays as it is
      AppendCodePoint(output, c);
      return;
    }
    char32_t single = 0;
    for (char32_t mapped : unicode::FullMapping(c, mapping, single))
      AppendCodePoint(output, mapped);
  }

  // The lower-case mapping with the final sigma rule; 0 while undecided.
  std::size_t AppendLower(View<Char> input, std::size_t at, CodePoint c, bool last,
                          String<Char>& output) {
    if (c.value != kCapitalSigma || !afterCased_) {
      Append(c.value, unicode::Mapping::Lower, output);
      return 1;
    }
    std::size_t next = at + c.units;
    while (next < input.size()) {
      const CodePoint after = CodePointAt(input, next);
      if (!unicode::Has(after.value, unicode::kCaseIgnorable)) {
        AppendCodePoint(output,
                        unicode::Has(after.value, unicode::kCased) ? kSmallSigma : kFinalSigma);
        return 1;
      }
      next += after.units;
    }
    if (!last) return 0;
    AppendCodePoint(output, kFinalSigma);
    return 1;
  }

  std::size_t StepTitle(View<Char> input, std::size_t at, CodePoint c, bool last,
                        String<Char>& output) {
    if (IsApostrophe(c.value) && inWord_ && afterLetter_) {
      const std::size_t next = at + c.units;
      if (next >= input.size() && !last) return 0;
      const bool letterFollows =
          next < input.size() && unicode::Has(CodePointAt(input, next).value, unicode::kLetter);
      AppendCodePoint(output, c.value);
      inWord_ = letterFollows;
      afterLetter_ = false;
      return 1;
    }
    if (!IsWordCharacter(c.value)) {
      AppendCodePoint(output, c.value);
      inWord_ = afterLetter_ = false;
      return 1;
    }
    if (inWord_) {
      if (AppendLower(input, at, c, last, output) == 0) return 0;
    } else {
      Append(c.value, unicode::Mapping::Title, output);
    }
    inWord_ = true;
    afterLetter_ = unicode::Has(c.value, unicode::kLetter);
    return 1;
  }

  std::size_t StepSentence(View<Char> input, std::size_t at, CodePoint c, bool last,
                           String<Char>& output) {
    if (capitalizeNext_ && unicode::Has(c.value, unicode::kCased)) {
      Append(c.value, unicode::Mapping::Title, output);
      capitalizeNext_ = false;
    } else if (AppendLower(input, at, c, last, output) == 0) {
      return 0;
    }
    if (afterSentenceEnd_ && IsSentenceSpace(c.value)) capitalizeNext_ = true;
    afterSentenceEnd_ = EndsSentence(c.value);
    return 1;
  }

  CaseMode mode_;
  bool afterCased_ = false;  // the last character that is not case-ignorable is cased
  bool inWord_ = false;
  bool afterLetter_ = false;
  bool capitalizeNext_ = true;
  bool afterSentenceEnd_ = false;
};

}  // namespace fenlow::edits::generic
