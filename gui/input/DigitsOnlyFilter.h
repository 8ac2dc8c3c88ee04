// The digits-only mode of the skinned edit box: which messages the edit must
// not see, given its current text, its selection and its value range.
#pragma once
#include <windows.h>

#include "String.h"

// True when the message is to be swallowed. A typed digit is judged by the
// text it would make: it replaces the selection selStart..selEnd (the caret
// when both are equal; positions are cut to the text). With the default
// range (0, -1) every digit is refused: the owner sets the range when it
// turns the mode on.
bool DigitsOnlySwallows(UINT message, WPARAM wParam, const CString& currentText, int selStart, int selEnd,
                        int minValue, int maxValue);
