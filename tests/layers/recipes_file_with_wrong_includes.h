// Never compiled: the include check's test reads it as a file of the recipe
// layer, which may include toml++ but no other third-party header.
#pragma once

#include <toml++/toml.h>
#include <boost/regex.hpp>
#include <toml.hpp>
