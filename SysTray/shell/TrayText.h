// The tray's own texts: language keys looked up in the current language's
// table, then in English's, then given in English, so that the icon and the
// menu never show a raw "$" key.
#pragma once
#include "String.h"

CString TrayText(const wchar_t* key, const wchar_t* english);
// The key's translation, false when no table knows it.
bool TranslateTrayKey(const wchar_t* key, CString& out);
