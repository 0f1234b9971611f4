#pragma once

// Building blocks for the edits that look at one code unit at a time. Each
// appends to an output text in time linear in its input, growing the output
// once per call; on bytes, SSE2 answers for 16 at a time where the set allows.

#include <bit>
#include <cstddef>
#include <string>
#include <string_view>

#include "edits/engine/char_set_table.h"
#include "edits/engine/simd.h"

namespace fenlow::edits {

// Grows `output` by `size` units; returns where they start.
template <typename Char>
Char* GrowBy(std::basic_string<Char>& output, std::size_t size) {
  const std::size_t start = output.size();
  output.resize(start + size);
  return output.data() + start;
}

// Appends the code units whose membership in `set` (a CharSetTable or a
// OneUnitSet) equals `keepMembers`, in order.
template <typename Char, typename Set>
void AppendKeptUnits(std::basic_string_view<Char> text, const Set& set, bool keepMembers,
                     std::basic_string<Char>& output) {
  Char* out = GrowBy(output, text.size());
  const Char* in = text.data();
  const Char* const end = in + text.size();
#if FENLOW_SSE2
  if constexpr (sizeof(Char) == 1) {
    if (set.TestsBytesAtOnce()) {
      for (; end - in >= 33; in += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        const auto members = static_cast<unsigned>(_mm_movemask_epi8(set.Members16(bytes)));
        const unsigned dropped = keepMembers ? ~members & 0xFFFF : members;
        // At most two bits set (popcount is a library call on plain x86-64).
        const unsigned beyondFirst = dropped & (dropped - 1);
        if ((beyondFirst & (beyondFirst - 1)) == 0) {
          // Few to drop: the block is stored whole, then once more from
          // after each byte it drops, one place further back. The stores
          // reach past the block; the next block overwrites that.
          _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
          for (unsigned rest = dropped; rest != 0; rest &= rest - 1, --out) {
            const int at = std::countr_zero(rest);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at + 1)));
          }
          out += 16;
        } else {
          // Many: every byte is written, and the cursor moves past the kept
          // ones only, without branches.
          for (unsigned i = 0; i < 16; ++i) {
            *out = in[i];
            out += (~dropped >> i) & 1;
          }
        }
      }
    }
  }
#endif
  // Two loops, so that each has a plain test the compiler can vectorise.
  if (keepMembers) {
    for (; in != end; ++in) {
      *out = *in;
      out += set.Contains(*in) ? 1 : 0;
    }
  } else {
    for (; in != end; ++in) {
      *out = *in;
      out += set.Contains(*in) ? 0 : 1;
    }
  }
  output.resize(static_cast<std::size_t>(out - output.data()));
}

// Appends the text with each code unit whose membership in `set` differs
// from `keepMembers` replaced by the single unit `replacement`.
template <typename Char, typename Set>
void AppendMappedUnits(std::basic_string_view<Char> text, const Set& set, bool keepMembers,
                       Char replacement, std::basic_string<Char>& output) {
  Char* out = GrowBy(output, text.size());
  const Char* in = text.data();
  const Char* const end = in + text.size();
#if FENLOW_SSE2
  if constexpr (sizeof(Char) == 1) {
    if (set.TestsBytesAtOnce()) {
      const __m128i with = _mm_set1_epi8(static_cast<char>(replacement));
      const __m128i flip = keepMembers ? _mm_set1_epi8(-1) : _mm_setzero_si128();
      for (; end - in >= 16; in += 16, out += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        const __m128i replaced = _mm_xor_si128(set.Members16(bytes), flip);
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(out),
            _mm_or_si128(_mm_and_si128(replaced, with), _mm_andnot_si128(replaced, bytes)));
      }
    }
  }
#endif
  if (keepMembers) {
    for (; in != end; ++in, ++out) *out = set.Contains(*in) ? *in : replacement;
  } else {
    for (; in != end; ++in, ++out) *out = set.Contains(*in) ? replacement : *in;
  }
}

// The end of the run of code units from `at` on whose membership in `set`
// equals `keepMembers`.
template <typename Char, typename Set>
std::size_t EndOfKeptRun(std::basic_string_view<Char> text, std::size_t at, const Set& set,
                         bool keepMembers) {
#if FENLOW_SSE2
  if constexpr (sizeof(Char) == 1) {
    if (set.TestsBytesAtOnce()) {
      for (; text.size() - at >= 16; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
        const auto members = static_cast<unsigned>(_mm_movemask_epi8(set.Members16(bytes)));
        if (const unsigned other = keepMembers ? ~members & 0xFFFF : members; other != 0) {
          return at + static_cast<std::size_t>(std::countr_zero(other));
        }
      }
    }
  }
#endif
  while (at < text.size() && set.Contains(text[at]) == keepMembers) ++at;
  return at;
}

// Appends the text with each code unit whose membership in `set` differs
// from `keepMembers` replaced by the view replacementOf(c) gives for it.
template <typename Char, typename Set, typename ReplacementOf>
void AppendSubstitutedUnits(std::basic_string_view<Char> text, const Set& set, bool keepMembers,
                            ReplacementOf replacementOf, std::basic_string<Char>& output) {
  output.reserve(output.size() + text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    const std::size_t runEnd = EndOfKeptRun(text, at, set, keepMembers);
    output.append(text.substr(at, runEnd - at));
    at = runEnd;
    if (at == text.size()) break;
    output.append(replacementOf(text[at]));
  }
}

}  // namespace fenlow::edits
