#pragma once

// <windows.h> for the whole Windows layer, tamed: no min/max macros, and the ANSI profile
// macros undone, since the settings-store interface uses the same names for its own operations
// and the macros would rename them to GetProfileIntA and friends.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef STRICT
#define STRICT
#endif
#include <windows.h>

#undef GetProfileInt
#undef GetProfileString
#undef WriteProfileString
