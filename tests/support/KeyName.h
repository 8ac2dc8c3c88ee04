// The system's name of a key by its scan code: what a key-capture edit is
// expected to show for it.
#pragma once
#include <windows.h>

#include "String.h"

inline CString SystemKeyName(UINT scan)
{
    wchar_t buf[40] = {};
    ::GetKeyNameTextW((LONG)(scan << 16), buf, 40);
    return buf;
}
