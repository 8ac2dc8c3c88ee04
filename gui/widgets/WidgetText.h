// The text rules the widgets share: the case mode of a caption, and the
// two-character sequence backslash-n that skin and language texts use for a
// line break (only the first one in captions and labels, every one in
// tooltips).
#pragma once
#include "LangTable.h"  // TranslateText, for the widgets that include only this header
#include "String.h"

enum CaseMode { kCaseAsWritten = 0, kCaseUpper = 1, kCaseLower = 2 };

CString ApplyCaseMode(const CString& text, int caseMode);
CString ReplaceFirstLineBreak(const CString& text);
CString ReplaceAllLineBreaks(const CString& text);

// A button or key caption from its already translated text.
inline CString CaptionText(const CString& translated, int caseMode)
{
    return ReplaceFirstLineBreak(ApplyCaseMode(translated, caseMode));
}
// A label's text: only a translated text gets the case mode.
inline CString LabelText(const CString& text, bool translated, int caseMode)
{
    return ReplaceFirstLineBreak(translated ? ApplyCaseMode(text, caseMode) : text);
}
inline CString ToolTipText(const CString& translated) { return ReplaceAllLineBreaks(translated); }

// The key's translation through the current language table, or the key
// itself; `translated` says which.
CString TranslateWidgetText(const CString& key, bool* translated = nullptr);
