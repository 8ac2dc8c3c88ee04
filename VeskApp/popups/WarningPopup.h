// CVeskWarningDlg: a warning or confirmation popup on one skin file, with
// OK and (where the file has one) Cancel. Its heading can carry a data text
// (": " and a name) or be replaced by the caller.
#pragma once
#include "String.h"
#include "TextItems.h"
#include "VeskPopup.h"

class CVeskWarningDlg : public CVeskPopup {
public:
    CVeskWarningDlg(CWnd* owner, const wchar_t* file, const wchar_t* dataText = nullptr);

    // Replaces the heading's text (a "$" key is translated).
    void SetHeading(const wchar_t* heading) { m_replacementHeading = heading ? heading : L""; }
    void BindItems() override;

    CTextItem* Heading() const { return m_heading; }

private:
    CTextItem* m_heading = nullptr;
    CString m_replacementHeading;
    CString m_dataText;
};

// Builds, runs and returns the result of a warning popup (IDOK, IDCANCEL,
// or IDCANCEL when its file is missing or unreadable).
INT_PTR RunWarningPopup(CWnd* owner, const wchar_t* file, const wchar_t* dataText = nullptr,
                        const wchar_t* heading = nullptr);

// Tests replace the modal popup with a recorder; null restores it.
using WarningPopupRunner = INT_PTR (*)(CWnd* owner, const wchar_t* file, const wchar_t* dataText,
                                       const wchar_t* heading);
void SetWarningPopupRunner(WarningPopupRunner runner);
