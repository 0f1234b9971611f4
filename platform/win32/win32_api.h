// The Windows headers as the backend uses them: Unicode, lean, and without
// the A/W macros that would rename the boundary's own member functions.
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif

#include <windows.h>
// Only after <windows.h>:
#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>

#undef Yield
#undef SendMessage
#undef SendMessageTimeout
#undef CallWindowProc
