#include "edits/pattern/regex_replace.h"

#include <boost/regex.hpp>
#include <cstddef>
#include <iterator>
#include <string>
#include <vector>

#include "edits/engine/code_points.h"
#include "edits/engine/edit_failure.h"
#include "edits/engine/unicode_data.h"
#include "edits/pattern/code_point_traits.h"

namespace fenlow::edits {
namespace pattern {

namespace {

enum Class : CodePointTraits::char_class_type {
  kDigit = 1,  // ASCII 0-9
  kWord = 2,   // ASCII letters, digits and _
  kSpace = 4,  // ECMAScript white space and line terminators
  kAlpha = 8,  // letters, for the matcher's own questions
  kLower = 16,
  kUpper = 32,
};

bool IsAsciiDigit(char32_t c) {
  return c >= U'0' && c <= U'9';
}

bool IsAsciiWord(char32_t c) {
  return IsAsciiDigit(c) || (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || c == U'_';
}

// ECMAScript's WhiteSpace and LineTerminator.
bool IsEcmaSpace(char32_t c) {
  return (c >= U'\t' && c <= U'\r') || c == U' ' || c == 0x00A0 || c == 0xFEFF || c == 0x2028 ||
         c == 0x2029 || unicode::Has(c, unicode::kSpaceSeparator);
}

}  // namespace

CodePointTraits::char_class_type CodePointTraits::lookup_classname(const char_type* p1,
                                                                   const char_type* p2) const {
  const std::u32string name(p1, p2);
  if (name == U"d" || name == U"D" || name == U"digit") return kDigit;
  if (name == U"w" || name == U"W") return kWord;
  if (name == U"s" || name == U"S" || name == U"space") return kSpace;
  if (name == U"alpha") return kAlpha;
  if (name == U"lower" || name == U"l") return kLower;
  if (name == U"upper" || name == U"u") return kUpper;
  if (name == U"alnum") return kAlpha | kDigit;
  return 0;
}

bool CodePointTraits::isctype(char_type c, char_class_type classes) const {
  return ((classes & kDigit) != 0 && IsAsciiDigit(c)) ||
         ((classes & kWord) != 0 && IsAsciiWord(c)) ||
         ((classes & kSpace) != 0 && IsEcmaSpace(c)) ||
         ((classes & kAlpha) != 0 && unicode::Has(c, unicode::kLetter)) ||
         ((classes & kLower) != 0 && unicode::Has(c, unicode::kLowercase)) ||
         ((classes & kUpper) != 0 && unicode::Has(c, unicode::kUppercase));
}

}  // namespace pattern

namespace {

using pattern::CodePointTraits;
using CodePoints = std::u32string;

// A search that took more steps than the budget allows.
struct RanAway {};

// A position in the code points that counts every move and look against the
// budget of the whole replace.
class BudgetedIterator {
 public:
  using iterator_category = std::random_access_iterator_tag;
  using value_type = char32_t;
  using difference_type = std::ptrdiff_t;
  using pointer = const char32_t*;
  using reference = const char32_t&;

  BudgetedIterator() = default;
  BudgetedIterator(const char32_t* at, std::uint64_t* left) : at_(at), left_(left) {}

  reference operator*() const {
    Spend();
    return *at_;
  }
  reference operator[](difference_type n) const {
    Spend();
    return at_[n];
  }
  BudgetedIterator& operator++() {
    Spend();
    ++at_;
    return *this;
  }
  BudgetedIterator operator++(int) {
    BudgetedIterator before = *this;
    ++*this;
    return before;
  }
  BudgetedIterator& operator--() {
    Spend();
    --at_;
    return *this;
  }
  BudgetedIterator operator--(int) {
    BudgetedIterator before = *this;
    --*this;
    return before;
  }
  BudgetedIterator& operator+=(difference_type n) {
    Spend();
    at_ += n;
    return *this;
  }
  BudgetedIterator& operator-=(difference_type n) {
    Spend();
    at_ -= n;
    return *this;
  }
  friend BudgetedIterator operator+(BudgetedIterator i, difference_type n) { return i += n; }
  friend difference_type operator-(const BudgetedIterator& a, const BudgetedIterator& b) {
    return a.at_ - b.at_;
  }
  friend bool operator==(const BudgetedIterator& a, const BudgetedIterator& b) {
    return a.at_ == b.at_;
  }
  [[nodiscard]] const char32_t* Get() const { return at_; }

 private:
  void Spend() const {
    if (*left_ == 0) throw RanAway{};
    --*left_;
  }

  const char32_t* at_ = nullptr;
  std::uint64_t* left_ = nullptr;
};

using Regex = boost::basic_regex<char32_t, CodePointTraits>;
using Match = boost::match_results<BudgetedIterator>;

constexpr std::u32string_view kCaseless = U"(?i)";

// Inline modifiers, such as (?i) anywhere but at the start, are no
// ECMAScript: the index of the first one, outside escapes and classes.
std::size_t InlineModifierAt(const CodePoints& pattern) {
  bool inClass = false;
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    const char32_t c = pattern[at];
    if (c == U'\\') {
      ++at;
    } else if (inClass) {
      inClass = c != U']';
    } else if (c == U'[') {
      inClass = true;
      if (at + 1 < pattern.size() && pattern[at + 1] == U'^') ++at;
      if (at + 1 < pattern.size() && pattern[at + 1] == U']') ++at;
    } else if (c == U'(' && at + 2 < pattern.size() && pattern[at + 1] == U'?' &&
               std::u32string_view(U"imsx-^").find(pattern[at + 2]) != std::u32string_view::npos) {
      return at;
    }
  }
  return CodePoints::npos;
}

Regex Compile(CodePoints pattern) {
  const bool caseless = std::u32string_view(pattern).starts_with(kCaseless);
  if (caseless) pattern.erase(0, kCaseless.size());
  const boost::regex_constants::syntax_option_type flags =
      caseless ? boost::regex_constants::ECMAScript | boost::regex_constants::icase
               : boost::regex_constants::ECMAScript;
  const std::size_t modifier = InlineModifierAt(pattern);
  if (modifier != CodePoints::npos) {
    throw EditFailure(
        "The pattern does not compile at character " +
        std::to_string(modifier + 1 +
                       (flags & boost::regex_constants::icase ? kCaseless.size() : 0)) +
        ": (?i) and the other inline modifiers are only allowed as (?i) at the "
        "start of the pattern.");
  }
  try {
    return Regex(pattern.data(), pattern.data() + pattern.size(), flags);
  } catch (const boost::regex_error& error) {
    throw EditFailure("The pattern does not compile at character " +
                      std::to_string(static_cast<std::size_t>(error.position()) + 1) + ": " +
                      error.what());
  }
}

// The replacement as pieces: a text, or a group (0 for the whole match).
struct Piece {
  CodePoints text;
  int group = -1;  // -1: `text`
};

std::vector<Piece> ParseReplacement(const CodePoints& replacement) {
  std::vector<Piece> pieces(1);
  for (std::size_t at = 0; at < replacement.size(); ++at) {
    const char32_t c = replacement[at];
    const char32_t next = at + 1 < replacement.size() ? replacement[at + 1] : 0;
    if (c == U'$' && (next == U'&' || (next >= U'1' && next <= U'9'))) {
      pieces.push_back({{}, next == U'&' ? 0 : static_cast<int>(next - U'0')});
      pieces.emplace_back();
      ++at;
    } else if (c == U'$' && next == U'$') {
      pieces.back().text += U'$';
      ++at;
    } else {
      pieces.back().text += c;
    }
  }
  return pieces;
}

template <typename Char>
CodePoints CodePointsOf(std::basic_string_view<Char> text) {
  CodePoints points;
  points.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const generic::CodePoint c = generic::CodePointAt(text, at);
    points += c.value;
    at += c.units;
  }
  return points;
}

// Appends code points in the text's own encoding.
template <typename Char>
void AppendEncoded(const char32_t* first, const char32_t* last, std::basic_string<Char>& output) {
  for (; first != last; ++first) generic::AppendCodePoint(output, *first);
}

template <typename Char>
void AppendReplacement(const std::vector<Piece>& pieces, const Match& match,
                       std::basic_string<Char>& output) {
  for (const Piece& piece : pieces) {
    if (piece.group < 0) {
      AppendEncoded(piece.text.data(), piece.text.data() + piece.text.size(), output);
    } else if (static_cast<std::size_t>(piece.group) < match.size() && match[piece.group].matched) {
      AppendEncoded(match[piece.group].first.Get(), match[piece.group].second.Get(), output);
    }
  }
}

// Builds the result into `output`, encoded as it goes, so that the code
// points of the text are the only copy of it in UTF-32.
template <typename Char>
void ReplaceAll(const CodePoints& text, const Regex& regex, const std::vector<Piece>& pieces,
                std::basic_string<Char>& output) {
  std::uint64_t left = RegexStepBudget(text.size());
  const BudgetedIterator begin(text.data(), &left);
  const BudgetedIterator end(text.data() + text.size(), &left);
  output.reserve(text.size());
  const auto copy = [&](std::size_t first, std::size_t count) {
    AppendEncoded(text.data() + first, text.data() + first + count, output);
  };
  std::size_t from = 0;
  Match match;
  try {
    while (from <= text.size()) {
      // "." never takes a line break.
      const boost::match_flag_type flags =
          from > 0 ? boost::match_not_dot_newline | boost::match_prev_avail
                   : boost::match_not_dot_newline;
      if (!boost::regex_search(begin + static_cast<std::ptrdiff_t>(from), end, match, regex, flags,
                               begin)) {
        break;
      }
      const std::size_t start = static_cast<std::size_t>(match[0].first.Get() - text.data());
      const std::size_t stop = static_cast<std::size_t>(match[0].second.Get() - text.data());
      copy(from, start - from);
      AppendReplacement(pieces, match, output);
      from = stop;
      if (start == stop) {
        // One code point further, a CR LF pair as one.
        if (from == text.size()) break;
        const std::size_t step =
            text[from] == U'\r' && from + 1 < text.size() && text[from + 1] == U'\n' ? 2 : 1;
        copy(from, step);
        from += step;
      }
    }
  } catch (const RanAway&) {
    throw EditFailure("The pattern's search ran away: it took more than " +
                      std::to_string(RegexStepBudget(text.size())) +
                      " steps (200 for each character of the text, and 10 million) and was "
                      "stopped; nothing was written. Nested repeats on a long text do that.");
  } catch (const std::runtime_error& error) {
    // Boost's own bound on one search's states.
    throw EditFailure(std::string("The pattern's search ran away and was stopped (") +
                      error.what() + "); nothing was written.");
  }
  copy(from, text.size() - from);
}

// Replaces in place: the text's code points are taken and the text itself
// freed before the result is built in its place.
template <typename Char>
void RegexReplaceInPlace(std::basic_string<Char>& text, const Parameters<Char>& parameters) {
  const Regex regex = Compile(CodePointsOf(parameters.first));
  const std::vector<Piece> pieces = ParseReplacement(CodePointsOf(parameters.second));
  const CodePoints points = CodePointsOf(std::basic_string_view<Char>(text));
  std::basic_string<Char>().swap(text);
  ReplaceAll(points, regex, pieces, text);
}

constexpr EditDefinition kRegexReplace{
    .name = "regex-replace",
    .description = "Replaces every match of the pattern --param1 by --param2 ($1 to $9, $&, $$)",
    .forms = WholeText([]<typename C>(std::basic_string<C>& text, const Parameters<C>& p) {
      RegexReplaceInPlace<C>(text, p);
    }),
    .param1 = ParameterMeaning::Pattern,
    .param2 = ParameterMeaning::PatternReplacement};

}  // namespace

std::uint64_t RegexStepBudget(std::size_t codePoints) {
  return 200 * static_cast<std::uint64_t>(codePoints) + 10'000'000;
}

const EditDefinition& RegexReplaceEdit() {
  return kRegexReplace;
}

}  // namespace fenlow::edits
