// Never compiled: the include check's test reads it as a file of a layer that
// may include both third-party header folders.
#pragma once

#include <string>
#include <toml++/toml.h>
#include <boost/regex.hpp>
#include <boost/regex/pending/unicode_iterator.hpp>
