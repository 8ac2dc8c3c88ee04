// The program folder: the running program's directory with a trailing
// backslash. Skin files live in its xml\ skins\ fonts\ lang\ bin\ folders.
#pragma once
#include <windows.h>

#include <string>

#include "String.h"

CString GetProgramFolder();
// Replaces the folder (test programs run outside the program folder); an
// empty text goes back to the running program's directory.
void SetProgramFolder(const wchar_t* folder);

// The text of a REG_SZ value as it stands, or of a REG_EXPAND_SZ one (as an
// installer may store "%ProgramFiles%\...") with its %NAME% references
// expanded; `stored` is the terminated text read. The expanded text has the
// same bound as a stored one: false, `out` empty, when it takes more than
// maxChars units with its terminator.
bool TextOfRegistryValue(const wchar_t* stored, DWORD type, DWORD maxChars, std::wstring& out);
