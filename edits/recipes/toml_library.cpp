// toml++ compiled once, here, for the whole layer (TOML_HEADER_ONLY=0 for
// every other file that includes it).
#define TOML_IMPLEMENTATION
#include <toml++/toml.h>
