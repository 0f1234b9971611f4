#pragma once

// SSE2, which every x86-64 processor has, for the inner loops that pay for
// it; FENLOW_SSE2 is 0 elsewhere and the scalar loops do all the work.

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define FENLOW_SSE2 1
#else
#define FENLOW_SSE2 0
#endif
