#pragma once

// The character traits that Boost.Regex matches code points (char32_t) with,
// on the engine's own Unicode tables, so that both builds match alike:
// \d, \w and \b are ASCII as in ECMAScript, \s is ECMAScript's white space
// and line terminators, and matching without regard to case compares
// simple case foldings. Only CR and LF are line breaks for ^, $ and "."
// (see the separator below).

#include <boost/regex/v5/regex_traits_defaults.hpp>
#include <cstdint>
#include <locale>
#include <string>

#include "edits/engine/unicode_data.h"

namespace boost::BOOST_REGEX_DETAIL_NS {

// The matcher's line separator, for code points: CR and LF only, so that form
// feeds, U+0085, U+2028 and U+2029 are no line breaks (and no code point
// beyond U+FFFF is taken for one of them by its low 16 bits).
template <>
inline bool is_separator<char32_t>(char32_t c) {
  return c == U'\n' || c == U'\r';
}

}  // namespace boost::BOOST_REGEX_DETAIL_NS

namespace fenlow::edits::pattern {

class CodePointTraits {
 public:
  using char_type = char32_t;
  using size_type = std::size_t;
  using string_type = std::u32string;
  using locale_type = std::locale;
  using char_class_type = std::uint32_t;
  struct boost_extensions_tag {};

  static size_type length(const char_type* p) { return std::char_traits<char32_t>::length(p); }

  [[nodiscard]] boost::regex_constants::syntax_type syntax_type(char_type c) const {
    return c > 0 && c < 0x7F
               ? boost::BOOST_REGEX_DETAIL_NS::get_default_syntax_type(static_cast<char>(c))
               : boost::regex_constants::syntax_char;
  }
  [[nodiscard]] boost::regex_constants::escape_syntax_type escape_syntax_type(char_type c) const {
    return c > 0 && c < 0x7F
               ? boost::BOOST_REGEX_DETAIL_NS::get_default_escape_syntax_type(static_cast<char>(c))
               : boost::regex_constants::escape_type_identity;
  }

  [[nodiscard]] char_type translate(char_type c) const { return c; }
  [[nodiscard]] char_type translate_nocase(char_type c) const { return unicode::SimpleFold(c); }
  [[nodiscard]] char_type translate(char_type c, bool icase) const {
    return icase ? translate_nocase(c) : c;
  }
  [[nodiscard]] char_type tolower(char_type c) const {
    return static_cast<char_type>(static_cast<std::int32_t>(c) + unicode::RecordOf(c).lower);
  }
  [[nodiscard]] char_type toupper(char_type c) const {
    return static_cast<char_type>(static_cast<std::int32_t>(c) + unicode::RecordOf(c).upper);
  }

  // Ranges compare code points; equivalence classes compare foldings.
  [[nodiscard]] string_type transform(const char_type* p1, const char_type* p2) const {
    return {p1, p2};
  }
  [[nodiscard]] string_type transform_primary(const char_type* p1, const char_type* p2) const {
    string_type folded;
    for (; p1 != p2; ++p1) folded += translate_nocase(*p1);
    return folded;
  }
  [[nodiscard]] string_type lookup_collatename(const char_type* p1, const char_type* p2) const {
    return p2 - p1 == 1 ? string_type(p1, p2) : string_type();
  }

  // The classes \d, \w and \s name, and those the matcher asks for itself.
  [[nodiscard]] char_class_type lookup_classname(const char_type* p1, const char_type* p2) const;
  [[nodiscard]] bool isctype(char_type c, char_class_type classes) const;

  [[nodiscard]] std::intmax_t toi(const char_type*& p1, const char_type* p2, int radix) const {
    return boost::BOOST_REGEX_DETAIL_NS::global_toi(p1, p2, radix, *this);
  }
  [[nodiscard]] int value(char_type c, int radix) const {
    int digit = -1;
    if (c >= U'0' && c <= U'9') digit = static_cast<int>(c - U'0');
    if (c >= U'a' && c <= U'f') digit = static_cast<int>(c - U'a') + 10;
    if (c >= U'A' && c <= U'F') digit = static_cast<int>(c - U'A') + 10;
    return digit < radix ? digit : -1;
  }
  [[nodiscard]] std::string error_string(boost::regex_constants::error_type error) const {
    return boost::BOOST_REGEX_DETAIL_NS::get_default_error_string(error);
  }
  locale_type imbue(locale_type locale) { return locale; }
  [[nodiscard]] locale_type getloc() const { return {}; }
};

}  // namespace fenlow::edits::pattern
