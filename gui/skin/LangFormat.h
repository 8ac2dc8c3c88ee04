// Format strings that come from language files. A translated format is
// used only when its conversions are exactly those of the English format the
// program passes arguments for, so a broken or hostile language file can
// change the words but never what the formatting reads from the stack.
#pragma once
#include "String.h"

// True when `format` has the same conversion specifications as `reference`
// (flags, width, precision, size and type, character for character), in the
// same order; "%%" is text in both. A specification left unfinished at the
// end of the string makes it false.
bool SameConversions(const wchar_t* format, const wchar_t* reference);

// The format for `key` ("$..."): its text in the current language table
// when that has the same conversions as `english`, else `english`.
CString TranslatedFormat(const wchar_t* key, const wchar_t* english);
