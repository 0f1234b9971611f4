// dtl, staged for the dialogs, compiles in both builds and finds the
// shortest edit between two UTF-16 texts.
#include <dtl/dtl.hpp>

#include <cstdio>
#include <string>

int main() {
  dtl::Diff<char16_t, std::u16string> diff(u"a b c", u"abc");
  diff.compose();
  if (diff.getEditDistance() != 2) {
    std::fprintf(stderr, "dtl did not find the two deletions\n");
    return 1;
  }
  return 0;
}
