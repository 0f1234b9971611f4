// toml++, staged and compiled in one file as the recipe layer compiles it,
// parses in both builds and tells where a file is wrong.
#define TOML_IMPLEMENTATION
#include <toml++/toml.h>

#include <cstdio>

int main() {
  const toml::table table = toml::parse("[[recipe]]\nname = \"a\"\n");
  const auto* name = table["recipe"][0]["name"].as_string();
  bool refusedWhere = false;
  try {
    (void)toml::parse("x = 1\ny = \n");
  } catch (const toml::parse_error& error) {
    refusedWhere = error.source().begin.line == 2;
  }
  if (name == nullptr || name->get() != "a" || !refusedWhere) {
    std::fprintf(stderr, "toml++ did not parse as expected\n");
    return 1;
  }
  return 0;
}
