#pragma once
// <windows.h> without its min/max macros and its rarely used parts, for the
// Windows-only code of the window and its platform seam.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
