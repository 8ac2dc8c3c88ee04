// The program folder: the running program's directory with a trailing
// backslash. Skin files live in its xml\ skins\ fonts\ lang\ bin\ folders.
#pragma once
#include "String.h"

CString GetProgramFolder();
// Replaces the folder (test programs run outside the program folder); an
// empty text goes back to the running program's directory.
void SetProgramFolder(const wchar_t* folder);
