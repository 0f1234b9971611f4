// Never compiled: the include check's test reads it as a file of the engine.
#pragma once

#include <string>

#include "app/form1.h"
#include "edits/engine/utf.h"
#include <windows.h>
#include <toml++/toml.h>

#ifdef _WIN32
#endif
