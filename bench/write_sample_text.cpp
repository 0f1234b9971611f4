// Writes the benchmark sample text: write_sample_text BYTES > file

#include <cstdio>
#include <cstdlib>

#include "sample_text.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_sample_text BYTES\n");
    return 2;
  }
  const std::string text = fenlow::bench::SampleUtf8Text(std::strtoull(argv[1], nullptr, 10));
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
    std::perror("write_sample_text");
    return 1;
  }
  return 0;
}
