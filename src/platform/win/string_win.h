// The C runtime's case-blind comparisons and case changes of texts, as Windows' string.h declares
// them. Case is ASCII only, as the runtime's "C" locale has it (the locale a module runs in):
// A-Z and a-z change, every other byte stays as it is and compares as an unsigned value.
#pragma once

#include <cstddef>
#include <cstring>

// Compares two texts with letters folded to lower case, so "_" orders before every letter.
// Negative, 0 or positive as a orders before, with or after b. A null text is an invalid argument:
// errno EINVAL and _NLSCMPERROR.
int _stricmp(const char* a, const char* b);
// The same over at most count characters.
int _strnicmp(const char* a, const char* b, size_t count);
#define _NLSCMPERROR 2147483647

// Changes the text's letters to upper or lower case in place and returns the text (null, with
// errno EINVAL, for a null text).
char* _strupr(char* text);
char* _strlwr(char* text);
