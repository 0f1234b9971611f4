// Boost.Regex, header-only and standalone, compiles and matches in both
// builds: a search and replace on char, and UTF-8 decoded to code points by
// Boost's iterators, as pattern edits on code points will use them.
#include <boost/regex.hpp>
#include <boost/regex/pending/unicode_iterator.hpp>
#include <cstdio>
#include <string>
#include <vector>

int main() {
  const std::string replaced =
      boost::regex_replace(std::string("a1b22c"), boost::regex("[0-9]+"), std::string("#"));
  const std::string text = "a\xC3\xA9\xF0\x9F\x98\x80";  // a, é, an emoji
  using Decoder = boost::u8_to_u32_iterator<std::string::const_iterator>;
  const std::vector<char32_t> points(Decoder(text.begin(), text.begin(), text.end()),
                                     Decoder(text.end(), text.begin(), text.end()));
  const std::vector<char32_t> expected{U'a', U'\u00E9', U'\U0001F600'};
  if (replaced != "a#b#c" || points != expected) {
    std::fprintf(stderr, "Boost.Regex gave \"%s\" and %zu code points\n", replaced.c_str(),
                 points.size());
    return 1;
  }
  return 0;
}
